#include "platform/DoEvents.h"

#include <windows.h>

namespace {
int g_depth = 0;

// Counts one pump for its scope: the depth comes back also when a handler throws.
struct DepthGuard {
    DepthGuard() { ++g_depth; }
    ~DepthGuard() { --g_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};

} // namespace

bool DoEvents() {
    if (g_depth > 0) return false;
    const DepthGuard guard;
    MSG msg;
    bool quit = false;
    int exitCode = 0;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Keep the quit for the loop that owns the thread; paints still run meanwhile.
            quit = true;
            exitCode = static_cast<int>(msg.wParam);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (quit) ::PostQuitMessage(exitCode);
    return true;
}

bool InsideDoEvents() {
    return g_depth > 0;
}
