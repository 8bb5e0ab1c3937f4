// Start-up: GDI+, the program state and the shared hint objects, the main window, then the
// program's message loop until the main window has gone. GDI+ shuts down after everything else.
#include "browser/ModFolderView.h"
#include "platform/AppState.h"
#include "platform/GdiplusSession.h"
#include "platform/MessageBoxService.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/ModPublic.h"
#include "shell/ProgramLoop.h"

namespace {

// The folder pane as the main window drives it.
class MainFolderPane : public FolderPaneView {
public:
    explicit MainFolderPane(FolderPaneHost& host) : pane(host) {}
    bool FolderViewOpen() override { return pane.FolderViewOpen(); }
    void FolderViewResize() override { pane.FolderViewResize(); }
    void FolderViewDestroy() override { pane.FolderViewDestroy(); }
    void FolderViewSelect(const std::wstring& path) override { pane.FolderViewSelect(path); }
    [[nodiscard]] bool FolderSelected() const override { return pane.FolderSelected(); }
    ModFolderView pane;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    GdiplusSession gdiplus;
    if (!gdiplus.Ok()) {
        (void)ShowMessageBox(nullptr, L"Error loading GDI+!", L"Vellumo", MB_OK | MB_ICONSTOP);
        return 1;
    }
    ResetAppState(ExecutableFolder());
    App().GdiplusToken = gdiplus.Token();
    (void)CreateSharedGdipObjects(App().DataPath);

    int exitCode = 0;
    {
        FrmMain main;
        MainFolderPane folderPane(main);
        main.SetFolderPane(&folderPane);
        if (!main.Create()) return 1;
        main.Show();
        // The folder pane's dialog loop is the program's loop; it returns when the window has gone.
        exitCode = RunProgramLoop(folderPane.pane, main.hWnd());
    }
    DeleteSharedGdipObjects();
    return exitCode;
}
