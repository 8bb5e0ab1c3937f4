// The stand-alone tool-button panel in a real window: the cells StartPaint lays out, the highlight
// Painting draws with PaintBG, and PaintBG's shapes read back from the panel's picture.
#include "controls/ToolButtonPanel.h"
#include "platform/AppState.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <utility>

namespace {

constexpr COLORREF kGrey = RGB(238, 238, 238);
constexpr int kHighlight = 179; // the panel's opaque highlight grey

// What a translucent gradient from `from` to `to` over (0, 0)-(0, 50) leaves on the grey at y,
// interpolated straight or premultiplied (Wine's GDI+ does the latter): the range of both, 4 wider.
std::pair<int, int> GradientOverGrey(uint32_t from, uint32_t to, float y) {
    const float t = y / 50;
    auto lerp = [t](float a, float b) { return a + (b - a) * t; };
    auto part = [](uint32_t c, int shift) { return static_cast<float>((c >> shift) & 0xFF); };
    const float alpha = lerp(part(from, 24), part(to, 24)) / 255;
    const float straight = 238 * (1 - alpha) + lerp(part(from, 0), part(to, 0)) * alpha;
    const float premultiplied =
        238 * (1 - alpha) + lerp(part(from, 0) * part(from, 24), part(to, 0) * part(to, 24)) / 255;
    return {static_cast<int>(std::min(straight, premultiplied)) - 4,
            static_cast<int>(std::max(straight, premultiplied)) + 5};
}

struct ToolButtonPanelTest : ::testing::Test {
    void SetUp() override {
        for (int i = 0; i < 12; ++i) {
            wchar_t name[16];
            std::swprintf(name, 16, L"Icon%03d.png", i);
            WriteSkin(name, 44, 34, ColorARGB(255, 20, 90, 200));
        }
        ASSERT_TRUE(tools.Create({.parent = window.hwnd(), .width = 260, .height = 300}));
        tools.GetIconHandle();
        tools.onMouseDown = [this](int, int, float, float) { ++downs; };
    }
    int Shade(int x, int y) { return Brightness(tools.ToolOLE().Point(x, y)); }
    void Press(int x, int y) { LeftClick(tools.ToolOLE().hWnd(), x, y); }

    TestWindow window{260, 320};
    ToolButtonPanel tools;
    int downs = 0;
};

} // namespace

TEST_F(ToolButtonPanelTest, StartPaintLaysOutTheCellsThatPressesPick) {
    // No cells yet: a press on tool 8 picks nothing, but is still reported.
    Press(175 + 25, 160 + 25);
    EXPECT_EQ(tools.PickedTool(), 0);
    EXPECT_EQ(downs, 1);

    tools.StartPaint();
    tools.Painting();
    PictureBox& list = tools.ToolOLE();
    EXPECT_EQ(list.Height(), 300);
    // Tool 0's highlight: 8 left of and above its cell, 60 wide.
    EXPECT_NEAR(Shade(11, 30), kHighlight, 3);
    EXPECT_NEAR(Shade(15 - 8 + 59, 30), kHighlight, 4);
    EXPECT_EQ(list.Point(15 - 10, 30), kGrey);

    // Tool 8's cell is 175 to 224 across: its last column picks it, one past does not.
    Press(224, 160 + 25);
    EXPECT_EQ(tools.PickedTool(), 8);
    EXPECT_NEAR(Shade(175 - 4, 160 + 5), kHighlight, 3);
    EXPECT_EQ(list.Point(11, 30), kGrey);
    Press(225, 90 + 25);  // right of tool 5, before tool 6's row
    Press(170, 160 + 25); // between tools 7 and 8
    EXPECT_EQ(tools.PickedTool(), 8);
    Press(15, 230);
    EXPECT_EQ(tools.PickedTool(), 9);
    EXPECT_EQ(downs, 5);
}

TEST_F(ToolButtonPanelTest, PaintBGDrawsBoxesAndTabsPickedOrNot) {
    tools.StartPaint();
    PictureBox& list = tools.ToolOLE();
    list.Cls();
    // A closed box with its content rectangle: the box's own fill above it, light grey inside it.
    tools.PaintBG(list.hDC(), 10, 10, 100, 100, 0, 0, false, ColorARGB(255, 0, 0, 0), false, -1);
    ::GdiFlush();
    EXPECT_LT(Shade(60, 15), 10);
    EXPECT_EQ(list.Point(60, 60), kGrey);
    EXPECT_EQ(list.Point(60, 125), kGrey); // below the box

    // Tool 0 is picked, so tab 0 is drawn picked (light grey) and tab 1 not: shaded from
    // translucent white to translucent black over 50 pixels.
    list.Cls();
    tools.PaintBG(list.hDC(), 10, 10, 30, 48, 140, 0, true, 0, true, 0);
    tools.PaintBG(list.hDC(), 10, 10, 30, 48, 10, 0, true, 0, true, 1);
    ::GdiFlush();
    EXPECT_EQ(list.Point(170, 40), kGrey);
    EXPECT_GT(Shade(170, 0) + Shade(170, 1), 2 * 238) << "a white top edge";
    // The side panel's own look (from alpha 150 to 100) is 20 to 30 darker here.
    for (const int y : {30, 44}) {
        const auto [low, high] = GradientOverGrey(ColorARGB(100, 255, 255, 255), ColorARGB(50, 0, 0, 0), y + 0.5f);
        EXPECT_GE(Shade(30, y), low) << y;
        EXPECT_LE(Shade(30, y), high) << y;
    }
    EXPECT_EQ(list.Point(30, 60), kGrey); // flat bottom at 48: no lower corners
}

TEST_F(ToolButtonPanelTest, AResizeFitsTheToolPictureToThePanelAndPaintingMakesIt300High) {
    tools.StartPaint();
    struct Size {
        int width, height;
    };
    for (const Size s : {Size{200, 150}, Size{261, 401}, Size{260, 300}, Size{1, 1}}) {
        tools.Move(0, 0, s.width, s.height);
        PictureBox& list = tools.ToolOLE();
        EXPECT_EQ((std::array{list.Left(), list.Top(), list.Width(), list.Height()}),
                  (std::array{0, 0, s.width, s.height}));
        tools.Painting();
        EXPECT_EQ((std::array{list.Width(), list.Height()}), (std::array{s.width, 300}));
    }
}
