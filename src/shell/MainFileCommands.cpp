#include "shell/MainFileCommands.h"

#include "platform/AppState.h"
#include "platform/DoEvents.h"
#include "platform/TextCase.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"

MainFileCommands::MainFileCommands(FrmMain& main) : main_(main) {
    main.MenuHost().Seams.FileDialog = [this](int32_t mode) { (void)Commands.FileDialog(mode); };
}

HWND MainFileCommands::Owner() const {
    return main_.hWnd();
}
bool MainFileCommands::UnsavedEdit() const {
    return main_.UnsavedEdit();
}
int MainFileCommands::AskSaveChanges() {
    return main_.AskSaveChanges();
}
FileDialogChoice MainFileCommands::RunFileDialog(FileDialogArgs args) {
    fDialogEx panel;
    args.Panel = &panel;
    return ShowFileDialog(args);
}
void MainFileCommands::FileImport(const std::wstring& path) {
    main_.FileImport(path);
}
void MainFileCommands::SelectInGrid(const std::wstring& path) {
    // An open that failed has framed the picture still shown already.
    if (CompareNoCase(main_.SingleyzPreview.CurFilename, path) != 0) return;
    ThumViewer& grid = main_.ThumyzViewer;
    if (grid.SelectThumbnail(path)) return;
    // A file the grid does not show: no thumbnail stays framed, and the file alone is the selection.
    (void)grid.SelectThumbnails({}, L"");
    App().SelectedFiles = {path, L""};
}
void MainFileCommands::UseStamp(bool copyFromLibrary, bool stampOption) {
    main_.UseStamp(copyFromLibrary, stampOption);
}
std::optional<std::wstring> MainFileCommands::AskStampName() {
    return main_.MenuHost().Shells.AskStampName(main_.hWnd());
}
void MainFileCommands::AddLibraryStamp(const std::wstring& folder, const std::wstring& fileName) {
    main_.UseryzProcess1.Import(folder, fileName);
    main_.UseryzProcess1.RefreshFav();
}
std::wstring MainFileCommands::CurFilename() const {
    return main_.SingleyzPreview.CurFilename;
}
bool MainFileCommands::SaveImage(const std::wstring& path, int32_t encoder, int32_t quality) {
    return main_.SingleyzPreview.SaveImage(path, encoder, quality);
}
void MainFileCommands::MarkSaved() {
    main_.MarkSaved();
}
void MainFileCommands::SavedAs(const std::wstring& path) {
    main_.SingleyzPreview.SavedAs(path);
    main_.MenuHost().GridHold.ShowSavedFile(path);
}
void MainFileCommands::PumpMessages() {
    (void)DoEvents();
}
void MainFileCommands::RefreshThumSave() {
    main_.ThumyzViewer.RefreshThumSave();
}
void MainFileCommands::RefreshThumbnail() {
    main_.ThumyzViewer.RefreshThumbnail();
}
