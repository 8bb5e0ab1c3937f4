// Start-up: one running copy per program folder, GDI+, the program state and the shared hint
// objects, the main window, then the program's message loop until the main window has gone. GDI+
// shuts down after everything else; the copy lets its folder go last.
#include "platform/AppState.h"
#include "platform/GdiplusSession.h"
#include "platform/MessageBoxService.h"
#include "shell/FrmMain.h"
#include "shell/MainFolderPane.h"
#include "shell/MainMenuHost.h"
#include "shell/ModPublic.h"
#include "shell/ProgramInstance.h"
#include "shell/ProgramLoop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The program reads no command line: a second start has nothing to pass on but the wish to
    // see the program, so it brings the running copy forward and ends.
    ProgramInstance instance(ExecutableFolder());
    if (!instance.Claim()) return 0;
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
        instance.Publish(main.hWnd());
        // The folder pane's dialog loop is the program's loop; it returns when the window has gone.
        exitCode = RunProgramLoop(folderPane.pane, main.hWnd());
    }
    DeleteSharedGdipObjects();
    return exitCode;
}
