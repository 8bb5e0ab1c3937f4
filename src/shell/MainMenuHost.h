// The main window as the menu road sees it: the drop-down menu adapted to DropDownMenu, the pick's
// steps and the dispatcher's routines over the panes and forms. Routines of forms that are built
// apart from the window come in through MenuSeams; an empty one does nothing.
#pragma once

#include "output/FrmScroll.h"
#include "output/FrmShells.h"
#include "output/FrmSlideshow.h"
#include "output/OutputFileShell.h"
#include "output/SlideshowGrid.h"
#include "shell/GridSelectionHold.h"
#include "shell/MenuCommands.h"
#include "shell/MenuState.h"
#include "shell/Wallpaper.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class FrmMain;
class ZpYSkinMenu;

struct MenuSeams {
    std::function<void()> StartNewImage;
    std::function<void(int32_t kind)> FileDialog;
    std::function<void()> ShowPrintDialog;
    std::function<void(bool next)> PreviewStep; // the grid's next or previous image
    std::function<void(bool remove)> VrFileCreate;
    std::function<void()> DeleteSelectedPixels;
    std::function<void()> Rasterize;
    std::function<void()> CopyToClipboard;
    std::function<void()> PasteFromClipboard;
    std::function<void(int32_t)> SetStampEffect;
    std::function<void(const std::wstring&)> FolderViewSelect;
    // Opens a page with the system's handler; tests record the call instead.
    std::function<void(const std::wstring& page)> ShellOpen;
    // The system's wallpaper side; null: the real one.
    WallpaperSystem* wallpaperSystem = nullptr;
};

class SkinMenuRows final : public DropDownMenu {
public:
    explicit SkinMenuRows(ZpYSkinMenu& menu) : menu_(menu) {}
    // DropDownMenu: each member hands the call to the menu.
    void SelectMenu(int32_t menu) override;
    void MenuVisible(const std::wstring& id, bool enabled) override;
    void MenuChecked(const std::wstring& id, bool checked) override;
    [[nodiscard]] float New_Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetLeft(int left) override;
    void SetTop(int top) override;
    [[nodiscard]] bool Visible() const override;
    void SetVisible(bool visible) override;
    void MenuPainting() override;

private:
    ZpYSkinMenu& menu_;
};

class MainMenuHost final : public MenuCommandHost, public MenuPickHost, private BatchMainWindow {
public:
    explicit MainMenuHost(FrmMain& main);
    ~MainMenuHost() override;

    MenuSeams Seams;
    WallpaperColor WallpaperColour;
    // Connected by the tool selection; null: the tool rows are left as they are.
    ToolMenuRows* ToolRows = nullptr;
    // The grid's side of a picture saved under a new name, held while a command or a press in
    // the grid asks the save question before it acts on the selection.
    GridSelectionHold GridHold;

    // The title bar's press and glide.
    void TitleMouseDown(float x);
    void TitleMouseMove(float x);
    [[nodiscard]] MenuStateInputs ReadState() const;
    [[nodiscard]] SkinMenuRows& Rows() { return rows_; }

    // MenuPickHost
    [[nodiscard]] bool PressMenuEnabled() const override;
    [[nodiscard]] int32_t CurrentMenu() const override;
    void SetBusy(bool busy) override;
    void HideMenu() override;
    void Wait(int32_t ms) override;
    [[nodiscard]] bool EditLoaded() const override;
    void SetEditLoaded(bool loaded) override;
    void SetFirstL(bool first) override;
    void ImportForEdit() override;
    void OpenHistoryFolder() override;
    void DoMenuCommand() override;

    // MenuCommandHost
    [[nodiscard]] HWND Owner() const override;
    [[nodiscard]] std::wstring PressMenuID() const override;
    [[nodiscard]] std::wstring PressMenuCaption() const override;
    [[nodiscard]] DropDownMenu& Menu() override { return rows_; }
    void StartNewImage() override;
    void FileDialog(int32_t kind) override;
    [[nodiscard]] bool FileDialogAvailable() const override { return static_cast<bool>(Seams.FileDialog); }
    [[nodiscard]] bool SaveOnly() override;
    [[nodiscard]] bool AgreeToSaveInPlace() override;
    [[nodiscard]] bool CanSaveInPlace() const override;
    void RefreshThumSave() override;
    void SendToStampLibrary() override;
    [[nodiscard]] bool UnsavedEdit() const override;
    int AskSaveChanges() override;
    void ShowPrintDialog() override;
    void CloseProgram() override;
    void UndoAndRedo(bool undo) override;
    void CleanCroprect(bool wholeImage) override;
    void Painting(bool rebuildThumbnail) override;
    void DeleteSelectedPixels() override;
    int32_t& SelectCombineMode() override;
    void Rasterize() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    [[nodiscard]] std::wstring ShownFile() const override;
    [[nodiscard]] RecycleResult DeleteImage() override;
    [[nodiscard]] const std::vector<std::wstring>& SelectedFiles() const override;
    void HoldGridSelection(bool hold) override;
    void PumpMessages() override;
    [[nodiscard]] RecycleResult RecycleFile(const std::wstring& path) override;
    void RefreshThumbnail(const std::vector<std::wstring>& files) override;
    void FileJob(int32_t mode) override;
    [[nodiscard]] bool BatchDialogFree() override;
    void ResizeCanvas() override;
    void StartResizeMode() override;
    [[nodiscard]] int32_t Effect() const override;
    void SetEffect(int32_t mode) override;
    void SetStampEffect(int32_t effect) override;
    void GreyEffect() override;
    void SaveUndo() override;
    void SetToolselect(int32_t tab) override;
    void ShowFullScreen() override;
    [[nodiscard]] bool FitPressed() const override;
    void SetFit(bool fit) override;
    void PreviewNext() override;
    void PreviewBack() override;
    void ImportSelected() override;
    void SetArrangeString(const std::wstring& id) override;
    void ThumbnaillSort(int32_t mode) override;
    void VrFileCreate(bool remove) override;
    void ShowSlideshow() override;
    [[nodiscard]] bool HasImage() const override;
    void ShowProperties() override;
    void SetDesktopWallpaper() override;
    int32_t ShowColorDialog(int32_t initial) override;
    WallpaperColor& Wallpaper() override { return WallpaperColour; }
    void ShowScreenSaverMaker() override;
    void ShowHelp() override;
    void OpenAddress(const std::wstring& address) override;
    void LeftSkinstyle() override;
    void FolderViewSelect(const std::wstring& path) override;

    // The shown image in the single-picture full view.
    void ShowFullView();

    // Unloads the forms the commands opened (at shut-down).
    void UnloadForms();

    FrmShells Shells;
    // The canvas's recycle bin and its size question.
    OutputFileShell FileShell;
    FrmShellsCanvasSize CanvasSize;
    FrmSlideshow Slideshow;
    FrmSlideshow SlideshowView;

private:
    class ThumGrid final : public SlideshowGrid {
    public:
        explicit ThumGrid(FrmMain& main) : main_(main) {}
        [[nodiscard]] std::wstring SlideFilename(int32_t index) const override;
        [[nodiscard]] int32_t ListCount() const override;

    private:
        FrmMain& main_;
    };

    // BatchMainWindow
    [[nodiscard]] bool SaveShownImageFirst() override;
    void DisposeImgDIB() override;
    void ImportCanvas(const std::wstring& path) override;
    void ThumPath(const std::wstring& folder) override;
    void RefreshThumbnail() override;

    // The row a pick ran on, as it was when the menu closed; the wait after it lets messages run,
    // and a pointer or a key meanwhile must not change which command runs.
    struct PickedRow {
        int32_t menu = 0;
        std::wstring id;
        std::wstring caption;
        bool enabled = false;
    };
    [[nodiscard]] PickedRow LiveRow() const;

    FrmMain& main_;
    std::optional<PickedRow> picked_;
    SkinMenuRows rows_;
    ThumGrid grid_;
    SystemScreenSaverInstaller installer_;
    FrmScroll ScrollView;
};

// Opens the help page beside the program with the system's handler.
void ShowHelp(const std::wstring& programFolder, const std::function<void(const std::wstring&)>& shellOpen = {});
