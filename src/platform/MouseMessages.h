// How the picture box reads a mouse message, for the controls that act on it before the box does.
#pragma once

#include "platform/PictureBox.h"

#include <windows.h>

enum class PointerEvent { Other, Press, Move, Release };

// A press is what raises MouseDown: a right or middle double click presses again, while the left
// one's second press brings DblClick instead.
[[nodiscard]] constexpr PointerEvent PointerEventOf(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        return PointerEvent::Press;
    case WM_MOUSEMOVE:
        return PointerEvent::Move;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return PointerEvent::Release;
    default:
        return PointerEvent::Other;
    }
}

// The MouseButton codes of the buttons a mouse message's wParam says are held.
[[nodiscard]] constexpr int HeldButtons(WPARAM wp) {
    return ((wp & MK_LBUTTON) ? MouseButton::Left : 0) | ((wp & MK_RBUTTON) ? MouseButton::Right : 0) |
           ((wp & MK_MBUTTON) ? MouseButton::Middle : 0);
}
