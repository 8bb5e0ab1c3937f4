// The title-bar strip in a real window: the pointer's moves pick and light the button under it,
// a release reports it, and the buttons follow the right edge.
#include "controls/ButtonControl.h"
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kWidth = 300, kHeight = 27;

int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class TitleStrip : public ::testing::Test {
protected:
    TestWindow window{420, 60};
    ButtonControl bar;
    std::vector<int> released; // SelectIndex as each MouseUp saw it

    void SetUp() override {
        PictureBoxArgs args;
        args.parent = window.hwnd();
        args.width = kWidth;
        args.height = kHeight;
        ASSERT_TRUE(bar.Create(args));
        bar.Title(L"Morv Vellumo 6");
        bar.onMouseUp = [this](int, int, float, float) { released.push_back(bar.SelectIndex()); };
        bar.Painting();
        TestWindow::Pump(30);
    }

    void Send(UINT msg, WPARAM keys, int x, int y) { ::SendMessageW(bar.hWnd(), msg, keys, MAKELPARAM(x, y)); }
    void MoveTo(int x, int y) { Send(WM_MOUSEMOVE, 0, x, y); }
    void ClickAt(int x, int y) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(WM_LBUTTONUP, 0, x, y);
    }
};

} // namespace

TEST_F(TitleStrip, TheButtonUnderThePointerIsLitAndReportedOnRelease) {
    // Inside the close button's ellipse but off its cross: lit only while close is picked.
    const int probeX = kWidth - 12, probeY = 8;
    MoveTo(100, 10);
    const COLORREF unlit = bar.Point(probeX, probeY), unlitMinimise = bar.Point(kWidth - 32, probeY);

    struct Case {
        int x, y;
        int expected;
    };
    // Centres, the first pixel of each rectangle, one past its right edge, the gap between them.
    const Case cases[] = {{kWidth - 12, 13, 1}, {kWidth - 32, 13, 2}, {100, 10, 0},         {kWidth - 20, 5, 1},
                          {kWidth - 4, 13, 0},  {kWidth - 40, 5, 2},  {kWidth - 24, 13, 0}, {kWidth - 21, 13, 0},
                          {kWidth - 12, 21, 0}, {kWidth - 12, 20, 1}, {kWidth - 12, 4, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "move to (" << c.x << "," << c.y << ")");
        released.clear();
        MoveTo(c.x, c.y);
        EXPECT_EQ(bar.SelectIndex(), c.expected);
        const COLORREF close = bar.Point(probeX, probeY), minimise = bar.Point(kWidth - 32, probeY);
        if (c.expected == 1)
            EXPECT_GT(Brightness(close), Brightness(unlit) + 60);
        else
            EXPECT_EQ(close, unlit);
        if (c.expected == 2)
            EXPECT_GT(Brightness(minimise), Brightness(unlitMinimise) + 60);
        else
            EXPECT_EQ(minimise, unlitMinimise);
        ClickAt(c.x, c.y);
        EXPECT_EQ(released, std::vector<int>{c.expected});
    }

    // Pressed on close, dragged off the bar and let go: the release reports no button.
    released.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, kWidth - 12, 13);
    Send(WM_MOUSEMOVE, MK_LBUTTON, kWidth - 12, 40);
    Send(WM_LBUTTONUP, 0, kWidth - 12, 40);
    EXPECT_EQ(released, std::vector<int>{0});
}

TEST_F(TitleStrip, TheButtonsFollowTheRightEdgeWhenWidened) {
    const int wider = kWidth + 100;
    auto crossCentreIsDark = [this](int w) { return Brightness(bar.Point(w - 12, 13)) < 3 * 90; };
    ASSERT_TRUE(crossCentreIsDark(kWidth));
    bar.Move(0, 0, wider, kHeight);
    // Hit-testing follows at once; the glyphs move at the next Painting.
    MoveTo(wider - 12, 13);
    EXPECT_EQ(bar.SelectIndex(), 1);
    MoveTo(kWidth - 12, 13);
    EXPECT_EQ(bar.SelectIndex(), 0);
    EXPECT_TRUE(crossCentreIsDark(wider));
    EXPECT_FALSE(crossCentreIsDark(kWidth));
    // The strip's colour runs to the new edge, and the shown window matches the buffer.
    EXPECT_EQ(bar.Point(wider - 60, 3), bar.Point(250, 3));
    TestWindow::Pump(30);
    EXPECT_EQ(TestWindow::ScreenPixel(bar.hWnd(), wider - 60, 3), bar.Point(wider - 60, 3));
}

TEST_F(TitleStrip, DrawsTheLogoWhenPresentAndTheCaption) {
    // No logo in the data folder: the strip's colour shows where it would be.
    const std::wstring path = App().DataPath + L"Logo16pixel.png";
    ::DeleteFileW(path.c_str());
    bar.Painting();
    const COLORREF strip = bar.Point(60, 3);
    EXPECT_EQ(bar.Point(13, 13), bar.Point(250, 13));

    // A logo of solid green, drawn scaled into (3, 3, 20, 20).
    GdipBitmap logo;
    ASSERT_EQ(GdipCreateBitmapFromScan0(16, 16, 0, PixelFormat32bppARGB, nullptr, logo.put()), Ok);
    {
        GdipGraphics g;
        GdipGetImageGraphicsContext(logo.get(), g.put());
        GdipGraphicsClear(g.get(), 0xFF00C000);
    }
    ASSERT_TRUE(SaveImageSafely(logo.get(), path, kFormatPng, 0));
    bar.Painting();
    ::DeleteFileW(path.c_str());
    const COLORREF centre = bar.Point(13, 13);
    EXPECT_LT(GetRValue(centre), 40);
    EXPECT_GT(GetGValue(centre), 150);
    EXPECT_NE(bar.Point(24, 13), centre); // the logo ends at x 23

    // The caption is drawn in black inside (26, 6, 200, 20); an empty one leaves the strip plain.
    auto darkPixels = [this] {
        int n = 0;
        for (int y = 6; y < 26; ++y)
            for (int x = 26; x < 226; ++x)
                n += Brightness(bar.Point(x, y)) < 150;
        return n;
    };
    EXPECT_GT(darkPixels(), 40);
    bar.Title(L"");
    bar.Painting();
    EXPECT_EQ(darkPixels(), 0);
    EXPECT_EQ(bar.Point(60, 3), strip);
}
