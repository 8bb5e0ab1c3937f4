// The splitter in a real window: an embossed bump every 6 pixels along the long side, centred
// across the short one, and the sizing pointer it is given.
#include "controls/UseryzSplit.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = RGB(128, 128, 128);

int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class UseryzSplitGrip : public ::testing::Test {
protected:
    TestWindow window{300, 260};
    UseryzSplit bar;

    void Make(int width, int height) {
        ASSERT_TRUE(bar.Create({.parent = window.hwnd(), .width = width, .height = height, .backColor = kBack}));
        bar.PaintStyle();
    }
    // Pixels of the bar in [x0, x1) x [y0, y1) darker (sign -1) or lighter (+1) than its back
    // colour by more than 15.
    int Count(int sign, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const COLORREF c = bar.Point(x, y); // CLR_INVALID outside the bar
                n += c != CLR_INVALID && sign * (Brightness(c) - Brightness(kBack)) > 15;
            }
        return n;
    }
    // The bump at (x, y): shadow on its upper-left quarter, light on its lower-right.
    void ExpectBump(int x, int y) const {
        SCOPED_TRACE(testing::Message() << "bump at (" << x << "," << y << ")");
        EXPECT_GT(Count(-1, x, y, x + 2, y + 2), 0);
        EXPECT_GT(Count(+1, x + 2, y + 2, x + 4, y + 4), 0);
    }
};

} // namespace

TEST_F(UseryzSplitGrip, AVerticalBarHasABumpEverySixPixelsDownItsMiddle) {
    Make(9, 200);
    // x = (9 - 3) \ 2 = 3; y = 3, 9, ... 195 (201 is past the end); the rows between stay plain.
    for (int y = 3; y <= 195; y += 6) {
        ExpectBump(3, y);
        EXPECT_EQ(Count(-1, 0, y + 5, 9, y + 6) + Count(+1, 0, y + 5, 9, y + 6), 0) << y;
    }
    EXPECT_EQ(Count(-1, 0, 0, 2, 200) + Count(+1, 0, 0, 2, 200) + Count(+1, 8, 0, 9, 200), 0);
    TestWindow::Pump(30);
    EXPECT_EQ(TestWindow::ScreenPixel(bar.hWnd(), 3, 99), bar.Point(3, 99)); // shown as drawn

    bar.MousePoin(9);
    ::SendMessageW(bar.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bar.hWnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_SIZEWE));
    EXPECT_EQ(bar.MousePoin(), 9);
}

TEST_F(UseryzSplitGrip, ASquareBarIsDrawnAlongXAndATinyOneGetsNoBumps) {
    Make(20, 20);
    // y = (20 - 3) \ 2 = 8; x = 3, 9, 15; nothing above or below that row of bumps.
    for (int x : {3, 9, 15}) ExpectBump(x, 8);
    EXPECT_EQ(Count(-1, 0, 0, 20, 7) + Count(+1, 0, 13, 20, 20), 0);
    bar.Move(0, 0, 2, 2);
    bar.PaintStyle();
    EXPECT_EQ(Count(-1, 0, 0, 2, 2) + Count(+1, 0, 0, 2, 2), 0);
}
