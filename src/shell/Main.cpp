// Start-up: GDI+, the program state and the shared hint objects, the main window, then the
// program's message loop until the main window has gone. GDI+ shuts down after everything else.
#include "platform/AppState.h"
#include "platform/GdiplusSession.h"
#include "platform/MessageBoxService.h"
#include "shell/FrmMain.h"
#include "shell/ModPublic.h"

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
        if (!main.Create())
            return 1;
        main.Show();
        MSG msg{};
        while (::IsWindow(main.hWnd()) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (msg.message == WM_QUIT)
            exitCode = static_cast<int>(msg.wParam);
    }
    DeleteSharedGdipObjects();
    return exitCode;
}
