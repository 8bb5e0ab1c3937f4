// Start-up: GDI+, the program state, then (as the program grows) the main window.
#include "platform/AppState.h"
#include "platform/GdiplusSession.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    GdiplusSession gdiplus;
    if (!gdiplus.Ok()) {
        ::MessageBoxW(nullptr, L"Error loading GDI+!", L"Vellumo", MB_OK | MB_ICONSTOP);
        return 1;
    }
    ResetAppState(ExecutableFolder());
    App().GdiplusToken = gdiplus.Token();
    return 0;
}
