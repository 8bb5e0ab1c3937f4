// Real input for window tests: the pointer moved, clicks and keys sent through the system's input
// queue, so that the system picks the window under the pointer and the window with the focus, as
// for a person. Runs this thread's messages while the input arrives.
#pragma once

#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace real_input {

// The screen point of client point (x, y) of window.
inline POINT OnScreen(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    return p;
}

// Moves the pointer to screen point p, again while a late event of the display undoes the move.
inline void PointerTo(POINT p) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    for (int attempt = 0; attempt < 10; ++attempt) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        // The smallest absolute value that lands on the pixel when the system scales it back down.
        in.mi.dx = static_cast<LONG>((static_cast<int64_t>(p.x) * 65536 + w - 1) / w);
        in.mi.dy = static_cast<LONG>((static_cast<int64_t>(p.y) * 65536 + h - 1) / h);
        ::SendInput(1, &in, sizeof(in));
        TestWindow::Pump(40);
        POINT now{};
        if (::GetCursorPos(&now) && now.x == p.x && now.y == p.y) return;
    }
    ADD_FAILURE() << "the pointer did not reach (" << p.x << "," << p.y << ")";
}

inline void LeftClickAt(POINT p) {
    PointerTo(p);
    for (const DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        ::SendInput(1, &in, sizeof(in));
        TestWindow::Pump(60);
    }
}

// Presses and lets go of one key, with Shift held around it when shifted.
inline void PressKey(WORD key, bool shifted = false) {
    std::vector<std::pair<WORD, DWORD>> strokes{{key, 0}, {key, KEYEVENTF_KEYUP}};
    if (shifted) {
        strokes.insert(strokes.begin(), {VK_SHIFT, 0});
        strokes.push_back({VK_SHIFT, KEYEVENTF_KEYUP});
    }
    for (const auto& [vk, flags] : strokes) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = flags;
        ::SendInput(1, &in, sizeof(in));
        TestWindow::Pump(60);
    }
}

// The middle of window w's client area, in its client coordinates.
inline POINT Centre(HWND w) {
    RECT r{};
    ::GetClientRect(w, &r);
    return POINT{r.right / 2, r.bottom / 2};
}

} // namespace real_input
