// "VellumoScr.scr": the screen saver that shows the pictures the program put in "ScrDatas" beside
// it. The system starts it with "/s" to run, "/p <window>" for the preview and "/c" for options.
#include "output/ScreenSaverWindow.h"
#include "output/SlideshowRules.h"
#include "platform/AppState.h"
#include "platform/GdiplusSession.h"
#include "platform/MessageBoxService.h"

namespace {

// The slideshow's delay as the program stored it; a missing value reads as 0.
int32_t StoredSlideSpeed() {
    DWORD value = 0, size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Morv Vellumo", L"SlideSpeed", RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS)
        return 0;
    return static_cast<int32_t>(value);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    GdiplusSession gdiplus;
    if (!gdiplus.Ok()) return 1;
    const ScrCommand command = ParseScrCommand(arguments ? arguments : L"");
    const std::vector<std::wstring> files = ScreenSaverFiles(ExecutableFolder() + L"ScrDatas\\");
    if (command.mode == ScrMode::Configure) {
        ShowMessageBox(nullptr, L"This screen saver has no options to set.", L"VellumoScr", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    ScreenSaverWindow window;
    if (command.mode == ScrMode::Preview) {
        if (!::IsWindow(command.previewParent) || !window.Create(command.previewParent)) return 1;
        window.DrawFirst(files);
        // The preview lives until the settings page closes its window.
        MSG msg;
        while (window.hWnd() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return 0;
    }
    if (!window.Create()) return 1;
    const int32_t hold = StartSpeed(StoredSlideSpeed());
    window.Run(files, hold);
    return 0;
}
