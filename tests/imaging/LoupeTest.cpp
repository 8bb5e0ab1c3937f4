// The magnifier panel drawn on a real window.
#include "imaging/Loupe.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

// A 200 x 200 picture: red left of x = 100, blue from there on.
UniqueHBitmap SplitPicture() {
    HDC screen = ::GetDC(nullptr);
    UniqueHBitmap bitmap(::CreateCompatibleBitmap(screen, 200, 200));
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap.get());
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0)), blue = ::CreateSolidBrush(RGB(0, 0, 255));
    RECT left{0, 0, 100, 200}, right{100, 0, 200, 200};
    ::FillRect(dc, &left, red);
    ::FillRect(dc, &right, blue);
    ::DeleteObject(red);
    ::DeleteObject(blue);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

void PaintLoupe(HWND hwnd, HBITMAP picture, float cx, float cy) {
    HDC dc = ::GetDC(hwnd);
    RECT all{0, 0, 300, 300};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    GdipSolidFill panel;
    GdipCreateSolidFill(ColorARGB(255, 0, 128, 0), panel.put());
    DrawLoupe(dc, picture, nullptr, 100, 100, 100, 110, 10, 10, panel.get(), cx, cy, 40);
    ::ReleaseDC(hwnd, dc);
    TestWindow::Pump(50);
}

} // namespace

TEST(Loupe, EnlargesTheSquareAroundThePointIntoTheRoundedPanel) {
    TestWindow window(300, 300);
    UniqueHBitmap picture = SplitPicture();
    PaintLoupe(window.hwnd(), picture.get(), 100, 100);
    // The 40-pixel square from (80, 80) shows 2.5 times larger in (110, 110)-(210, 210): its left
    // half red, its right half blue.
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 130, 160), RGB(255, 0, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 190, 130), RGB(0, 0, 255));
    // The panel fills 120 x 120 around it; beyond it nothing is drawn.
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 105, 215), RGB(0, 128, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 215, 160), RGB(0, 128, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 225, 160), RGB(255, 255, 255));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 160, 225), RGB(255, 255, 255));
    // Rounded corners: the very corner of the box stays white.
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 100, 100), RGB(255, 255, 255));
}

TEST(Loupe, NearThePictureEdgeOnlyThePanelAndTheRingAreDrawn) {
    TestWindow window(300, 300);
    UniqueHBitmap picture = SplitPicture();
    PaintLoupe(window.hwnd(), picture.get(), 10, 100);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 130, 160), RGB(0, 128, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 190, 130), RGB(0, 128, 0));
    // The centre ring's box starts at (157, 157): some of its pixels differ from the panel.
    int marked = 0;
    for (int y = 156; y < 166; ++y)
        for (int x = 156; x < 166; ++x) marked += TestWindow::ScreenPixel(window.hwnd(), x, y) != RGB(0, 128, 0);
    EXPECT_GT(marked, 4);
}
