#include "platform/DoEvents.h"

#include <windows.h>

namespace {
int g_depth = 0;
}

bool DoEvents() {
    if (g_depth > 0) return false;
    ++g_depth;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the loop that owns the thread.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    --g_depth;
    return true;
}

bool InsideDoEvents() { return g_depth > 0; }
