#include "shell/ProgramLoop.h"

int RunProgramLoop(ModFolderView& pane, HWND mainWindow) {
    (void)pane.FolderViewOpen();
    // The window is checked before every wait: it is destroyed inside a dispatched message.
    MSG msg{};
    while (::IsWindow(mainWindow)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
