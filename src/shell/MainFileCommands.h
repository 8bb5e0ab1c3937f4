// The file commands as the main window runs them: FileCommands over the canvas, the grid, the side
// panel and the batch dialog, connected to the menu's commands and to the save question's Save As.
#pragma once

#include "shell/FileCommands.h"

class FrmMain;

class MainFileCommands final : public FileCommandHost {
public:
    explicit MainFileCommands(FrmMain& main);

    FileCommands Commands{*this};

    [[nodiscard]] HWND Owner() const override;
    [[nodiscard]] bool UnsavedEdit() const override;
    int AskSaveChanges() override;
    [[nodiscard]] FileDialogChoice RunFileDialog(FileDialogArgs args) override;
    void FileImport(const std::wstring& path) override;
    void SelectInGrid(const std::wstring& path) override;
    void UseStamp(bool copyFromLibrary, bool stampOption) override;
    [[nodiscard]] std::optional<std::wstring> AskStampName() override;
    void AddLibraryStamp(const std::wstring& folder, const std::wstring& fileName) override;
    [[nodiscard]] std::wstring CurFilename() const override;
    [[nodiscard]] bool SaveImage(const std::wstring& path, int32_t encoder, int32_t quality) override;
    void MarkSaved() override;
    void SavedAs(const std::wstring& path) override;
    void PumpMessages() override;
    void RefreshThumSave() override;
    void RefreshThumbnail() override;

private:
    FrmMain& main_;
};
