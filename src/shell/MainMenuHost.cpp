#include "shell/MainMenuHost.h"

#include "editor/ModDialogCOlor.h"
#include "imaging/ClipboardStamp.h"
#include "output/FrmProp.h"
#include "output/ModMisc.h"
#include "platform/AppState.h"
#include "platform/DoEvents.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "shell/FrmMain.h"
#include "shell/MainToolHost.h"
#include "shell/ModPublic.h"

#include <shellapi.h>

namespace {

void Run(const std::function<void()>& seam) {
    if (seam) seam();
}

class CanvasPicture final : public PropertiesSource {
public:
    explicit CanvasPicture(GpImage* image) : image_(image) {}
    [[nodiscard]] GpImage* CanvasImage() const override { return image_; }

private:
    GpImage* image_;
};

BOOL CALLBACK RepaintShownWindow(HWND window, LPARAM) {
    if (::IsWindowVisible(window))
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

void RepaintShownWindows() {
    ::EnumThreadWindows(::GetCurrentThreadId(), &RepaintShownWindow, 0);
}

void CALLBACK RepaintShownWindowsOnce(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    RepaintShownWindows();
}

// A new wallpaper repaints the desktop, and the desktop of Wine's own process paints over the
// program's windows, when its own thread gets to it. The desktop's thread is made to take the
// change first, and every shown window of the program paints itself again, panes too: at once
// and, for a desktop that paints late, twice more a little later.
void RepaintAfterDesktopChange() {
    const HWND desktop = ::GetDesktopWindow();
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(desktop, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    ::UpdateWindow(desktop);
    RepaintShownWindows();
    for (const UINT ms : {400u, 1500u}) ::SetTimer(nullptr, 0, ms, &RepaintShownWindowsOnce);
}

} // namespace

// ---- The drop-down menu

void SkinMenuRows::SelectMenu(int32_t menu) {
    menu_.MemFirst = true;
    menu_.Initializemenu(menu);
}
void SkinMenuRows::MenuVisible(const std::wstring& id, bool enabled) {
    menu_.MenuVisible(id, enabled);
}
void SkinMenuRows::MenuChecked(const std::wstring& id, bool checked) {
    menu_.MenuChecked(id, checked);
}
float SkinMenuRows::New_Height() const {
    return menu_.New_Height();
}
void SkinMenuRows::SetWidth(int width) {
    menu_.SetWidth(width);
}
void SkinMenuRows::SetHeight(int height) {
    menu_.SetHeight(height);
}
void SkinMenuRows::SetLeft(int left) {
    menu_.SetLeft(left);
}
void SkinMenuRows::SetTop(int top) {
    menu_.SetTop(top);
}
bool SkinMenuRows::Visible() const {
    return menu_.Visible();
}
void SkinMenuRows::SetVisible(bool visible) {
    menu_.SetVisible(visible);
}
void SkinMenuRows::MenuPainting() {
    menu_.MenuPainting();
}

// ---- The title bar and the pick

MainMenuHost::MainMenuHost(FrmMain& main)
    : GridHold(main.ThumyzViewer), Shells(this), main_(main), rows_(main.SkinMenu), grid_(main),
      ScrollView(installer_) {}

MainMenuHost::~MainMenuHost() {
    UnloadForms();
}

void MainMenuHost::UnloadForms() {
    Shells.Unload();
    Slideshow.Unload();
    SlideshowView.Unload();
    ScrollView.Unload();
}

// The show steps through what the grid shows: a filter's hidden rows are not among them.
std::wstring MainMenuHost::ThumGrid::SlideFilename(int32_t index) const {
    const std::vector<int32_t>& shown = main_.ThumyzViewer.ShownRows();
    if (index < 0 || static_cast<size_t>(index) >= shown.size()) return {};
    return main_.ThumyzViewer.SlideFilename(shown[static_cast<size_t>(index)]);
}
int32_t MainMenuHost::ThumGrid::ListCount() const {
    return static_cast<int32_t>(main_.ThumyzViewer.ShownRows().size());
}

MenuStateInputs MainMenuHost::ReadState() const {
    MenuStateInputs s;
    const auto& canvas = main_.SingleyzPreview;
    s.imageOpen = canvas.NoOpen();
    s.effect = canvas.Effect();
    s.undoE = canvas.UndoE;
    s.redoE = canvas.RedoE;
    s.folderHasImages = main_.ThumyzViewer.NoOpen();
    s.fitPressed = main_.ImageToolbar.Rpressdown(5);
    s.toolselect = main_.UseryzProcess1.Toolselect();
    s.clipboardBitmap = ::IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
    s.toolMenu = App().ToolMenu;
    return s;
}

void MainMenuHost::TitleMouseDown(float x) {
    const auto& bar = main_.yzToolbarUser;
    ShowMenuBarMenu(bar.PressID(), x, static_cast<float>(bar.Top() + bar.Height()), false, ReadState(), rows_,
                    ToolRows);
}

void MainMenuHost::TitleMouseMove(float x) {
    if (!main_.SkinMenu.Visible()) return;
    const auto& bar = main_.yzToolbarUser;
    ShowMenuBarMenu(bar.PressID(), x, static_cast<float>(bar.Top() + bar.Height()), true, ReadState(), rows_, ToolRows);
}

MainMenuHost::PickedRow MainMenuHost::LiveRow() const {
    const auto& menu = main_.SkinMenu;
    return {menu.Initializemenu(), menu.PressMenuID(), menu.Caption(), menu.PressMenuEnabled() != 0};
}
bool MainMenuHost::PressMenuEnabled() const {
    return picked_ ? picked_->enabled : main_.SkinMenu.PressMenuEnabled() != 0;
}
int32_t MainMenuHost::CurrentMenu() const {
    return picked_ ? picked_->menu : main_.SkinMenu.Initializemenu();
}
void MainMenuHost::SetBusy(bool busy) {
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
    if (!busy) picked_.reset(); // the pick has run
}
void MainMenuHost::HideMenu() {
    main_.SkinMenu.SetVisible(false);
}
void MainMenuHost::Wait(int32_t ms) {
    PickedRow row = LiveRow();
    WaitMs(ms);
    picked_ = std::move(row);
}
bool MainMenuHost::EditLoaded() const {
    return main_.EditLoaded;
}
void MainMenuHost::SetEditLoaded(bool loaded) {
    main_.EditLoaded = loaded;
}
void MainMenuHost::SetFirstL(bool first) {
    main_.SingleyzPreview.SetFirstL(first);
}
void MainMenuHost::ImportForEdit() {
    (void)main_.SingleyzPreview.Import(L"", true);
}
void MainMenuHost::OpenHistoryFolder() {
    ::OpenHistoryFolder(*this);
}
void MainMenuHost::DoMenuCommand() {
    if (!::DoMenuCommand(*this, HelpPages(App().AppFolder))) (void)DoToolCommand(main_.Tools());
}

// ---- File

HWND MainMenuHost::Owner() const {
    return main_.hWnd();
}
std::wstring MainMenuHost::PressMenuID() const {
    return picked_ ? picked_->id : main_.SkinMenu.PressMenuID();
}
std::wstring MainMenuHost::PressMenuCaption() const {
    return picked_ ? picked_->caption : main_.SkinMenu.Caption();
}
void MainMenuHost::StartNewImage() {
    Run(Seams.StartNewImage);
}
void MainMenuHost::FileDialog(int32_t kind) {
    // The import into the library ends in the batch window's name question: while the window
    // works, the user hears so before choosing a file rather than after.
    if (kind == 4 && !BatchDialogFree()) return;
    if (Seams.FileDialog) Seams.FileDialog(kind);
}
bool MainMenuHost::SaveOnly() {
    // Only what was written counts as saved.
    if (!main_.SingleyzPreview.SaveOnly()) return false;
    main_.MarkSaved();
    return true;
}
bool MainMenuHost::AgreeToSaveInPlace() {
    return main_.AgreeToSaveInPlace();
}
bool MainMenuHost::CanSaveInPlace() const {
    return main_.SingleyzPreview.NoOpen() && !main_.SingleyzPreview.ShowsScratchFile();
}
void MainMenuHost::RefreshThumSave() {
    main_.ThumyzViewer.RefreshThumSave();
}
void MainMenuHost::SendToStampLibrary() {
    const auto name = Shells.AskStampName(main_.hWnd());
    if (!name) return;
    const std::wstring target = StampLibPath(*name);
    Imageyzviewer& canvas = main_.SingleyzPreview;
    // A floating stamp sends its current step, not the picture under it.
    const bool sent = canvas.Effect() == 38
                          ? WriteThroughTemporaryFile(
                                target,
                                [&](const std::wstring& temporary) {
                                    return ::CopyFileW(CanvasModel::StampUndoFile(canvas.StampUndoIndex()).c_str(),
                                                       temporary.c_str(), FALSE) != 0;
                                })
                          : canvas.SaveImage(target, 6);
    if (!sent) {
        ShowMessageBox(main_.hWnd(), L"The stamp could not be written to " + target + L".", L"Stamp",
                       MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    main_.UseryzProcess1.Import(App().AppFolder + L"Librarians\\", *name + L".lib");
    main_.UseryzProcess1.RefreshFav();
}
bool MainMenuHost::UnsavedEdit() const {
    return main_.UnsavedEdit();
}
int MainMenuHost::AskSaveChanges() {
    return main_.AskSaveChanges();
}
void MainMenuHost::ShowPrintDialog() {
    // The print window itself says when there is no printer.
    Run(Seams.ShowPrintDialog);
}
void MainMenuHost::CloseProgram() {
    (void)main_.Close();
}

// ---- Edit

void MainMenuHost::UndoAndRedo(bool undo) {
    (void)main_.SingleyzPreview.UndoAndRedo(undo);
}
void MainMenuHost::CleanCroprect(bool wholeImage) {
    main_.SingleyzPreview.CleanCroprect(wholeImage);
}
void MainMenuHost::Painting(bool rebuildThumbnail) {
    main_.SingleyzPreview.Painting(rebuildThumbnail, false, false, false);
}
void MainMenuHost::DeleteSelectedPixels() {
    Run(Seams.DeleteSelectedPixels);
}
int32_t& MainMenuHost::SelectCombineMode() {
    return App().SelectCombineMode;
}
void MainMenuHost::Rasterize() {
    Run(Seams.Rasterize);
}
void MainMenuHost::CopyToClipboard() {
    Run(Seams.CopyToClipboard);
}
void MainMenuHost::PasteFromClipboard() {
    Run(Seams.PasteFromClipboard);
    // Back to browse in the menu and the side panel, whatever the paste found.
    main_.SkinMenu.MenuChecked(L"Filter_Browse", true);
    main_.UseryzProcess1.SelEffect = 0;
    main_.UseryzProcess1.StartPaint();
}
std::wstring MainMenuHost::ShownFile() const {
    const Imageyzviewer& canvas = main_.SingleyzPreview;
    return canvas.NoOpen() && !canvas.ShowsScratchFile() ? canvas.CurFilename : std::wstring();
}
RecycleResult MainMenuHost::DeleteImage() {
    const std::wstring file = ShownFile();
    FileShell.LastRecycle = RecycleResult::Kept;
    if (main_.SingleyzPreview.DeleteImage()) return RecycleResult::Recycled;
    // Gone even when the canvas could not show its copy afterwards.
    if (!file.empty() && !FileExists(file)) return RecycleResult::Recycled;
    // The canvas tells only whether its file went; the recycle bin knows whether the user said No.
    return FileShell.LastRecycle == RecycleResult::Declined ? RecycleResult::Declined : RecycleResult::Kept;
}
const std::vector<std::wstring>& MainMenuHost::SelectedFiles() const {
    return App().SelectedFiles;
}
void MainMenuHost::HoldGridSelection(bool hold) {
    if (hold)
        GridHold.Hold();
    else
        GridHold.Release();
}
void MainMenuHost::PumpMessages() {
    (void)DoEvents();
}
RecycleResult MainMenuHost::RecycleFile(const std::wstring& path) {
    return ::RecycleFile(path);
}
void MainMenuHost::RefreshThumbnail(const std::vector<std::wstring>& files) {
    std::vector<std::wstring> left;
    for (const std::wstring& file : files)
        if (!file.empty() && FileExists(file)) left.push_back(file);
    // A file the grid does not list (one opened from elsewhere) stays the selection too.
    if (GridHold.Relist(left) == 0 && !left.empty()) App().SelectedFiles = left;
}
void MainMenuHost::FileJob(int32_t mode) {
    Shells.OpenFileJob(mode, main_.hWnd());
}
bool MainMenuHost::BatchDialogFree() {
    return Shells.FreeForRequest(main_.hWnd());
}
void MainMenuHost::ResizeCanvas() {
    (void)main_.SingleyzPreview.ResizeCanvas();
}
void MainMenuHost::StartResizeMode() {
    auto& canvas = main_.SingleyzPreview;
    canvas.SetEffect(21);
    canvas.SetMax(110);
    canvas.SetMin(5);
    canvas.SetValue(52);
    canvas.SetFitMode(false);
    (void)canvas.Import(L"", true);
    main_.SkinMenu.MenuChecked(L"Filter_Browse", true);
    main_.UseryzProcess1.SelEffect = 0;
    main_.UseryzProcess1.StartPaint();
    if (main_.FirstLayoutDone) {
        main_.UseryzSplitV.StartPaint(static_cast<float>(main_.UseryzSplitV.ThumSizeBarX), 0, true);
        main_.UseryzProcess1.StartPaint();
    }
}
int32_t MainMenuHost::Effect() const {
    return main_.SingleyzPreview.Effect();
}
void MainMenuHost::SetEffect(int32_t mode) {
    main_.SingleyzPreview.SetEffect(mode);
}
void MainMenuHost::SetStampEffect(int32_t effect) {
    if (Seams.SetStampEffect) Seams.SetStampEffect(effect);
}
void MainMenuHost::GreyEffect() {
    (void)main_.SingleyzPreview.GreyEffect();
}
void MainMenuHost::SaveUndo() {
    (void)main_.SingleyzPreview.SaveUndo();
}
void MainMenuHost::SetToolselect(int32_t tab) {
    main_.UseryzProcess1.Toolselect(tab);
}

// ---- View

void MainMenuHost::ShowFullScreen() {
    main_.ShowFullScreen();
}
void MainMenuHost::ShowFullView() {
    GpImage* image = main_.SingleyzPreview.ImgDIB.DIB();
    UINT w = 0, h = 0;
    if (!image || GdipGetImageWidth(image, &w) != Ok || GdipGetImageHeight(image, &h) != Ok) return;
    SlideshowView.isFullView = true;
    if (SlideshowView.Show(main_.hWnd(), nullptr))
        (void)SlideshowView.StartSlideshow(L"", image, static_cast<int32_t>(w), static_cast<int32_t>(h));
}
bool MainMenuHost::FitPressed() const {
    return main_.ImageToolbar.Rpressdown(5);
}
void MainMenuHost::SetFit(bool fit) {
    main_.SingleyzPreview.SetFitMode(fit);
    main_.ImageToolbar.PressDownID(5, fit);
    main_.SingleyzPreview.Painting(false, false, true, false);
}
void MainMenuHost::PreviewNext() {
    if (Seams.PreviewStep) Seams.PreviewStep(true);
}
void MainMenuHost::PreviewBack() {
    if (Seams.PreviewStep) Seams.PreviewStep(false);
}
void MainMenuHost::ImportSelected() {
    // The grid's step only moves the selection: the canvas opens the file it now selects.
    const std::wstring file = main_.ThumyzViewer.SelectFile();
    if (!file.empty()) main_.FileImport(file);
}
void MainMenuHost::SetArrangeString(const std::wstring& id) {
    App().ArrangeString = id;
}
void MainMenuHost::ThumbnaillSort(int32_t mode) {
    main_.ThumyzViewer.ThumbnaillSort(mode);
}
void MainMenuHost::VrFileCreate(bool remove) {
    if (Seams.VrFileCreate) Seams.VrFileCreate(remove);
}
void MainMenuHost::ShowSlideshow() {
    Slideshow.isFullView = false;
    if (Slideshow.Show(main_.hWnd(), &grid_)) Slideshow.Start();
}
bool MainMenuHost::HasImage() const {
    return main_.SingleyzPreview.NoOpen();
}
void MainMenuHost::ShowProperties() {
    CanvasPicture picture(main_.SingleyzPreview.ImgDIB.DIB());
    FrmProp prop(picture, &main_.FileInfo);
    prop.ShowModal(main_.hWnd());
}

// ---- Create and Help

void MainMenuHost::SetDesktopWallpaper() {
    SystemWallpaper system;
    const SIZE screen{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (::SetDesktopWallpaper(main_.hWnd(), main_.SingleyzPreview.ImgDIB.DIB(), screen, WallpaperColour,
                              App().AppFolder, Seams.wallpaperSystem ? *Seams.wallpaperSystem : system))
        RepaintAfterDesktopChange();
}
int32_t MainMenuHost::ShowColorDialog(int32_t initial) {
    return ::ShowColorDialog(main_.hWnd(), initial, true);
}
void MainMenuHost::ShowScreenSaverMaker() {
    if (!ScrollView.Show(main_.hWnd())) return;
    ScrollView.FormT = 0;
    ScrollView.Start();
    ScrollView.CopyFiles();
}
void MainMenuHost::ShowHelp() {
    ::ShowHelp(App().AppFolder, Seams.ShellOpen);
}
void MainMenuHost::OpenAddress(const std::wstring& address) {
    if (Seams.ShellOpen)
        Seams.ShellOpen(address);
    else
        ::ShellExecuteW(nullptr, L"open", address.c_str(), L"", L"", SW_SHOWNORMAL);
}
void MainMenuHost::LeftSkinstyle() {
    main_.LeftSkinstyle();
}
void MainMenuHost::FolderViewSelect(const std::wstring& path) {
    if (Seams.FolderViewSelect) Seams.FolderViewSelect(path);
}

// ---- The batch dialog's neighbours

bool MainMenuHost::SaveShownImageFirst() {
    // As the Move and Rename commands ask before the dialog opens.
    return !(UnsavedEdit() && AskSaveChanges() == IDCANCEL);
}
void MainMenuHost::DisposeImgDIB() {
    main_.SingleyzPreview.DisposeImgDIB();
}
void MainMenuHost::ImportCanvas(const std::wstring& path) {
    (void)main_.SingleyzPreview.Import(path);
}
void MainMenuHost::ThumPath(const std::wstring& folder) {
    main_.ThumyzViewer.Path(folder);
}
void MainMenuHost::RefreshThumbnail() {
    main_.ThumyzViewer.RefreshThumbnail();
}

void ShowHelp(const std::wstring& programFolder, const std::function<void(const std::wstring&)>& shellOpen) {
    const std::wstring page = HelpPagePath(programFolder);
    if (shellOpen)
        shellOpen(page);
    else
        ::ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
