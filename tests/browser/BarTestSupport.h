// What the tests of the browser's controls share: the mouse messages a person's hand sends and
// colour distances.
#pragma once

#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

// A mouse message to a control's window at client point (x, y), with the keys held.
inline void SendMouse(HWND hwnd, UINT msg, WPARAM held, int x, int y) {
    ::SendMessageW(hwnd, msg, held, MAKELPARAM(x, y));
}

// Press with the left button at from, move through to, release there.
inline void LeftDrag(HWND hwnd, POINT from, POINT to) {
    SendMouse(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, from.x, from.y);
    SendMouse(hwnd, WM_MOUSEMOVE, MK_LBUTTON, to.x, to.y);
    SendMouse(hwnd, WM_LBUTTONUP, 0, to.x, to.y);
}

inline void LeftClick(HWND hwnd, int x, int y) {
    LeftDrag(hwnd, {x, y}, {x, y});
}

// The largest difference of the two RGB colours in one channel.
inline int RgbDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// The mean of the RGB channels.
inline int Brightness(COLORREF c) {
    return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
}

inline COLORREF Rgb(uint32_t argb) {
    return ARGBToRGB(argb);
}
