// The splitter's grip and pointer in a real window: embossed bumps every 6 pixels along the long
// side, centred across the short one.
#include "controls/UseryzSplit.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr COLORREF kBack = RGB(128, 128, 128);

int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

// The darkest and lightest pixel of a 4 x 4 block at (x, y), as brightness.
struct Shades {
    int darkest = 3 * 255, lightest = 0;
};

class Splitter : public ::testing::Test {
protected:
    TestWindow window{300, 260};
    UseryzSplit bar;

    void Make(int width, int height) {
        PictureBoxArgs args;
        args.parent = window.hwnd();
        args.x = 10;
        args.y = 10;
        args.width = width;
        args.height = height;
        args.backColor = kBack;
        ASSERT_TRUE(bar.Create(args));
        bar.PaintStyle();
    }
    Shades Block(int x, int y) const {
        Shades s;
        for (int dy = 0; dy < 4; ++dy)
            for (int dx = 0; dx < 4; ++dx) {
                const COLORREF c = bar.Point(x + dx, y + dy);
                if (c == CLR_INVALID)
                    continue;
                s.darkest = std::min(s.darkest, Brightness(c));
                s.lightest = std::max(s.lightest, Brightness(c));
            }
        return s;
    }
    // The bump at (x, y): shadow on its upper-left quarter, light on its lower-right.
    void ExpectBump(int x, int y) const {
        SCOPED_TRACE(testing::Message() << "bump at (" << x << "," << y << ")");
        const Shades upperLeft = Block(x, y), lowerRight = Block(x + 2, y + 2);
        EXPECT_LT(upperLeft.darkest, Brightness(kBack) - 45);
        EXPECT_GT(lowerRight.lightest, Brightness(kBack) + 45);
    }
    // Rows (or columns) that must hold only the back colour.
    int MarkedPixels(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += bar.Point(x, y) != kBack;
        return n;
    }
};

} // namespace

TEST_F(Splitter, AVerticalBarHasABumpEverySixPixelsDownItsMiddle) {
    Make(9, 200);
    // x = (9 - 3) \ 2 = 3; y = 3, 9, ... 195 (201 is past the end).
    for (int y = 3; y <= 195; y += 6) {
        ExpectBump(3, y);
        if (y + 5 < 200)
            EXPECT_EQ(MarkedPixels(0, y + 5, 9, y + 6), 0) << "between bumps below y " << y;
    }
    EXPECT_EQ(MarkedPixels(0, 0, 9, 2), 0);
    EXPECT_EQ(MarkedPixels(0, 0, 2, 200), 0);
    EXPECT_EQ(MarkedPixels(8, 0, 9, 200), 0);
    TestWindow::Pump(30);
    EXPECT_EQ(TestWindow::ScreenPixel(bar.hWnd(), 3, 99), bar.Point(3, 99)); // shown as drawn
}

TEST_F(Splitter, ASquareBarIsDrawnAlongXAndATinyOneGetsNoBumps) {
    Make(20, 20);
    // y = (20 - 3) \ 2 = 8; x = 3, 9, 15.
    for (int x : {3, 9, 15})
        ExpectBump(x, 8);
    EXPECT_EQ(MarkedPixels(0, 0, 20, 7), 0);
    EXPECT_EQ(MarkedPixels(0, 13, 20, 20), 0);

    bar.Move(10, 10, 2, 2);
    bar.PaintStyle();
    EXPECT_EQ(MarkedPixels(0, 0, 2, 2), 0);
}

TEST_F(Splitter, ShowsTheSizingPointerItIsGiven) {
    Make(9, 200);
    auto shown = [this] {
        ::SendMessageW(bar.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bar.hWnd()),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    bar.MousePoin(9);
    EXPECT_EQ(bar.MousePoin(), 9);
    EXPECT_EQ(shown(), ::LoadCursorW(nullptr, IDC_SIZEWE));
    bar.MousePoin(7);
    EXPECT_EQ(shown(), ::LoadCursorW(nullptr, IDC_SIZENS));
}
