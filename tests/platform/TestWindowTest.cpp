#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

// The ground every window test stands on: what a window paints can be read back from the screen.
TEST(TestWindowGround, PaintedPixelsCanBeReadBackFromTheScreen) {
    TestWindow window(120, 80);
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window.hwnd(), &ps);
        RECT left{0, 0, 60, 80}, right{60, 0, 120, 80};
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0)), blue = ::CreateSolidBrush(RGB(0, 0, 255));
        ::FillRect(dc, &left, red);
        ::FillRect(dc, &right, blue);
        ::DeleteObject(red);
        ::DeleteObject(blue);
        ::EndPaint(window.hwnd(), &ps);
        return true;
    };
    ::InvalidateRect(window.hwnd(), nullptr, TRUE);
    TestWindow::Pump(100);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 100, 70), RGB(0, 0, 255));
}
