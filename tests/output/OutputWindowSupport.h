// Real input for the output dialogs' window tests, sent from a second thread while this one runs
// the dialogs' messages (a modal loop, or the system's loop while a window is dragged, keeps this
// thread busy until the input is over).
#pragma once

#include "tests/support/TestWindow.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace output_test {

// Moves the real pointer to screen point p, again until it is there (the display may undo one).
inline void PointerTo(POINT p) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    POINT now{};
    for (int attempt = 0; attempt < 20 && !(::GetCursorPos(&now) && now.x == p.x && now.y == p.y); ++attempt) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = static_cast<LONG>((static_cast<int64_t>(p.x) * 65535 + w / 2) / w);
        in.mi.dy = static_cast<LONG>((static_cast<int64_t>(p.y) * 65535 + h / 2) / h);
        ::SendInput(1, &in, sizeof(in));
        ::Sleep(60);
    }
}

inline void LeftButton(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(in));
    ::Sleep(80);
}

inline void ClickAt(POINT p) {
    PointerTo(p);
    LeftButton(true);
    LeftButton(false);
}

inline POINT OnScreen(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    return p;
}

// Runs input on a second thread while this thread runs messages, until the input is over.
inline void Act(const std::function<void()>& input) {
    std::atomic<bool> over = false;
    std::thread actor([&] {
        input();
        over = true;
    });
    while (!over) TestWindow::Pump(10);
    actor.join();
    TestWindow::Pump(60);
}

// The visible top-level window of a class, waited for up to five seconds (null when none came).
inline HWND WaitForWindow(const wchar_t* className) {
    for (int i = 0; i < 100; ++i, ::Sleep(50))
        if (HWND found = ::FindWindowW(className, nullptr); found && ::IsWindowVisible(found)) {
            ::Sleep(100);
            return found;
        }
    return nullptr;
}

} // namespace output_test
