// The title strip in a real window: moves pick and light the button under the pointer, a release
// reports it, the buttons follow the right edge, and the logo and caption are drawn.
#include "controls/ButtonControl.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kW = 300;

int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class TitleBarButtons : public ::testing::Test {
protected:
    TestWindow window{420, 60};
    ButtonControl bar;
    std::vector<int> released; // SelectIndex as each MouseUp saw it

    void SetUp() override {
        ASSERT_TRUE(bar.Create({.parent = window.hwnd(), .width = kW, .height = 27}));
        bar.Title(L"Morv Vellumo 6");
        bar.onMouseUp = [this](int, int, float, float) { released.push_back(bar.SelectIndex()); };
        bar.Painting();
    }
    void Send(UINT msg, WPARAM keys, int x, int y) { ::SendMessageW(bar.hWnd(), msg, keys, MAKELPARAM(x, y)); }
};

} // namespace

TEST_F(TitleBarButtons, PicksLightsAndReportsTheButtonUnderThePointer) {
    // Probes inside each button's ellipse, off its glyph: close at x W - 12, minimise at W - 32.
    auto probe = [this](int button) { return bar.Point(kW + 8 - 20 * button, 8); };
    Send(WM_MOUSEMOVE, 0, 100, 10);
    const COLORREF unlit[] = {probe(1), probe(2)};
    // Centres, first pixels, one past the right and bottom edges, the gap between the buttons.
    const int cases[][3] = {{kW - 12, 13, 1}, {kW - 32, 13, 2}, {100, 10, 0},     {kW - 20, 5, 1}, {kW - 4, 13, 0},
                            {kW - 40, 5, 2},  {kW - 24, 13, 0}, {kW - 12, 21, 0}, {kW - 12, 4, 0}};
    for (const auto& [x, y, index] : cases) {
        SCOPED_TRACE(testing::Message() << "at (" << x << "," << y << ")");
        released.clear();
        Send(WM_MOUSEMOVE, 0, x, y);
        EXPECT_EQ(bar.SelectIndex(), index);
        for (int button : {1, 2}) {
            if (button == index)
                EXPECT_GT(Brightness(probe(button)), Brightness(unlit[button - 1]) + 60);
            else
                EXPECT_EQ(probe(button), unlit[button - 1]);
        }
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(WM_LBUTTONUP, 0, x, y);
        EXPECT_EQ(released, std::vector<int>{index});
    }
    // Pressed on close, dragged off the strip and let go: the release reports no button.
    released.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, kW - 12, 13);
    Send(WM_MOUSEMOVE, MK_LBUTTON, kW - 12, 40);
    Send(WM_LBUTTONUP, 0, kW - 12, 40);
    EXPECT_EQ(released, std::vector<int>{0});
}

TEST_F(TitleBarButtons, FollowsTheRightEdgeAndDrawsTheLogoWhenPresent) {
    auto crossAt = [this](int w) { return Brightness(bar.Point(w - 12, 13)) < 270; }; // the cross's centre
    bar.Move(0, 0, kW + 100, 27);
    Send(WM_MOUSEMOVE, 0, kW + 88, 13);
    EXPECT_EQ(bar.SelectIndex(), 1);
    Send(WM_MOUSEMOVE, 0, 100, 10);
    EXPECT_TRUE(crossAt(kW + 100));
    EXPECT_FALSE(crossAt(kW));
    EXPECT_EQ(bar.Point(kW + 40, 3), bar.Point(250, 3)); // the strip runs to the new edge
    TestWindow::Pump(30);
    EXPECT_EQ(TestWindow::ScreenPixel(bar.hWnd(), kW + 40, 3), bar.Point(kW + 40, 3));

    // No logo file: the strip shows where it would be. A solid green one is drawn into (3, 3, 20, 20).
    const std::wstring path = App().DataPath + L"Logo16pixel.png";
    ::DeleteFileW(path.c_str());
    bar.Painting();
    EXPECT_EQ(bar.Point(13, 13), bar.Point(250, 13));
    WriteSolidImage(path, 16, 16, 0xFF00C000);
    bar.Painting();
    ::DeleteFileW(path.c_str());
    EXPECT_LT(GetRValue(bar.Point(13, 13)), 40);
    EXPECT_GT(GetGValue(bar.Point(13, 13)), 150);
    EXPECT_NE(bar.Point(24, 13), bar.Point(13, 13));

    // The caption is black inside (26, 6, 200, 20); an empty one leaves the strip plain.
    auto darkPixels = [this] {
        int n = 0;
        for (int y = 6; y < 26; ++y)
            for (int x = 26; x < 226; ++x) n += Brightness(bar.Point(x, y)) < 150;
        return n;
    };
    EXPECT_GT(darkPixels(), 40);
    bar.Title(L"");
    bar.Painting();
    EXPECT_EQ(darkPixels(), 0);
}
