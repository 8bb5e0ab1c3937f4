// A main window as the commands, keys and tool-bar buttons see it: every routine is recorded by
// name (with the arguments that matter), and the answers the commands read are plain fields.
#pragma once

#include "shell/MenuCommands.h"
#include "tests/shell/MenuFakes.h"

#include <windows.h>

#include <string>
#include <vector>

class CommandHostLog : public MenuCommandHost {
public:
    bool unsaved = false, fit = false, saveOk = true, inPlace = true;
    int askAnswer = IDNO;
    int32_t effect = 0, combine = 1;
    std::vector<std::wstring> files, calls;
    std::wstring shown = L"C:\\a.png"; // the canvas's file
    FakeDropDown menu;
    WallpaperColor wallpaper;

    void Log(const std::wstring& call) { calls.push_back(call); }

    [[nodiscard]] bool PressMenuEnabled() const override { return true; }
    [[nodiscard]] std::wstring PressMenuID() const override { return {}; }
    [[nodiscard]] std::wstring PressMenuCaption() const override { return {}; }
    [[nodiscard]] DropDownMenu& Menu() override { return menu; }
    void StartNewImage() override { Log(L"StartNewImage"); }
    void FileDialog(int32_t kind) override { Log(L"FileDialog " + std::to_wstring(kind)); }
    [[nodiscard]] bool FileDialogAvailable() const override { return true; }
    [[nodiscard]] bool SaveOnly() override { return Log(L"SaveOnly"), saveOk; }
    [[nodiscard]] bool CanSaveInPlace() const override { return inPlace; }
    void RefreshThumSave() override { Log(L"RefreshThumSave"); }
    void SendToStampLibrary() override { Log(L"SendToStampLibrary"); }
    [[nodiscard]] bool UnsavedEdit() const override { return unsaved; }
    int AskSaveChanges() override { return Log(L"AskSaveChanges"), askAnswer; }
    void ShowPrintDialog() override { Log(L"ShowPrintDialog"); }
    void CloseProgram() override { Log(L"CloseProgram"); }
    void UndoAndRedo(bool undo) override { Log(undo ? L"Undo" : L"Redo"); }
    void CleanCroprect(bool whole) override { Log(whole ? L"SelectAll" : L"Deselect"); }
    void Painting(bool rebuild) override { Log(rebuild ? L"Painting 1" : L"Painting 0"); }
    void DeleteSelectedPixels() override { Log(L"DeleteSelectedPixels"); }
    int32_t& SelectCombineMode() override { return combine; }
    void Rasterize() override { Log(L"Rasterize"); }
    void CopyToClipboard() override { Log(L"Copy"); }
    void PasteFromClipboard() override { Log(L"Paste"); }
    [[nodiscard]] std::wstring ShownFile() const override { return shown; }
    [[nodiscard]] bool DeleteImage() override { return Log(L"DeleteImage"), true; }
    [[nodiscard]] const std::vector<std::wstring>& SelectedFiles() const override { return files; }
    void PumpMessages() override {}
    [[nodiscard]] bool RecycleFile(const std::wstring& path) override { return Log(L"Recycle " + path), true; }
    void RefreshThumbnail() override { Log(L"RefreshThumbnail"); }
    void FileJob(int32_t mode) override { Log(L"FileJob " + std::to_wstring(mode)); }
    void ResizeCanvas() override { Log(L"ResizeCanvas"); }
    void StartResizeMode() override { Log(L"StartResizeMode"); }
    [[nodiscard]] int32_t Effect() const override { return effect; }
    void SetEffect(int32_t mode) override { Log(L"SetEffect " + std::to_wstring(mode)); }
    void SetStampEffect(int32_t e) override { Log(L"SetStampEffect " + std::to_wstring(e)); }
    void GreyEffect() override { Log(L"GreyEffect"); }
    void SaveUndo() override { Log(L"SaveUndo"); }
    void SetToolselect(int32_t tab) override { Log(L"Toolselect " + std::to_wstring(tab)); }
    void ShowFullScreen() override { Log(L"ShowFullScreen"); }
    [[nodiscard]] bool FitPressed() const override { return fit; }
    void SetFit(bool f) override { Log(f ? L"SetFit 1" : L"SetFit 0"); }
    void PreviewNext() override { Log(L"PreviewNext"); }
    void PreviewBack() override { Log(L"PreviewBack"); }
    void ImportSelected() override { Log(L"ImportSelected"); }
    void SetArrangeString(const std::wstring& s) override { Log(L"Arrange " + s); }
    void ThumbnaillSort(int32_t mode) override { Log(L"Sort " + std::to_wstring(mode)); }
    void VrFileCreate(bool remove) override { Log(remove ? L"RemoveStar" : L"AddStar"); }
    void ShowSlideshow() override { Log(L"ShowSlideshow"); }
    [[nodiscard]] bool HasImage() const override { return true; }
    void ShowProperties() override { Log(L"ShowProperties"); }
    void SetDesktopWallpaper() override { Log(L"SetDesktopWallpaper"); }
    int32_t ShowColorDialog(int32_t) override { return Log(L"Colour"), -1; }
    WallpaperColor& Wallpaper() override { return wallpaper; }
    void ShowScreenSaverMaker() override { Log(L"ShowScreenSaverMaker"); }
    void ShowHelp() override { Log(L"ShowHelp"); }
    void OpenAddress(const std::wstring& a) override { Log(L"Open " + a); }
    void LeftSkinstyle() override { Log(L"LeftSkinstyle"); }
    void FolderViewSelect(const std::wstring& p) override { Log(L"FolderViewSelect " + p); }
};
