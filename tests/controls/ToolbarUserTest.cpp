// The menu-title strip in a real window: presses and moves as the system sends them, the
// highlight read back from the strip's picture.
#include "controls/ToolbarUser.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TitleStrip : public ::testing::Test {
protected:
    static constexpr int kHeight = 25;
    TestWindow window{660, 60};
    ToolbarUser strip;
    std::vector<std::string> events; // "down 40", "move 0", "up 40": the kind and the event's x

    void SetUp() override {
        // The strip is white whatever back colour it is asked for.
        ASSERT_TRUE(
            strip.Create({.parent = window.hwnd(), .width = 640, .height = kHeight, .backColor = RGB(0, 0, 0)}));
        auto record = [this](const char* kind) {
            return [this, kind](int, int, float x, float) { events.push_back(kind + std::to_string(int(x))); };
        };
        strip.onMouseDown = record("down ");
        strip.onMouseMove = record("move ");
        strip.onMouseUp = record("up ");
        strip.Create();
    }
    void Send(UINT msg, WPARAM keys, int x, int y = 10) { ::SendMessageW(strip.hWnd(), msg, keys, MAKELPARAM(x, y)); }
    void Click(int x) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x);
        Send(WM_LBUTTONUP, 0, x);
    }
    [[nodiscard]] bool Shaded(int x) const { return strip.Point(x, 1) != RGB(255, 255, 255); }
};

TEST_F(TitleStrip, APressGivesTheTitleAndItsLeftEdge) {
    struct Case {
        int x, pressID, eventX;
    };
    const Case cases[] = {{7, 0, 5},     {45, 1, 40},   {82, 2, 80}, {137, 3, 135}, {217, 4, 215},
                          {272, 5, 270}, {332, 6, 330}, {4, 7, 0},   {600, 7, 0}};
    for (const Case& c : cases) {
        events.clear();
        Click(c.x);
        EXPECT_EQ(strip.PressID(), c.pressID) << "x " << c.x;
        const std::string x = std::to_string(c.eventX);
        EXPECT_EQ(events, (std::vector<std::string>{"down " + x, "up " + x})) << "x " << c.x;
    }
}

TEST_F(TitleStrip, TheTitleEndsWhereItsCaptionIsMeasuredToEnd) {
    EXPECT_FALSE(Shaded(6)); // Create highlights nothing
    Send(WM_MOUSEMOVE, 0, 6);
    int end = 5;
    while (Shaded(end + 1)) ++end;
    ASSERT_GT(end, 20); // "File" is some 20 pixels wide
    ASSERT_LT(end, 38);
    EXPECT_FALSE(Shaded(4));
    // The last shaded column still hits "File"; one past it, up to "Edit", hits nothing.
    Click(end);
    EXPECT_EQ(strip.PressID(), 0);
    for (int x : {end + 1, 39}) {
        Click(x);
        EXPECT_EQ(strip.PressID(), 7) << "x " << x;
        EXPECT_EQ(events.back(), "up 0");
    }
}

TEST_F(TitleStrip, AMoveOffTheTitlesKeepsTheTitleAndDropsTheShade) {
    FakeShortcutKeyHandler keys;
    strip.shortcutKeys = &keys;
    Send(WM_MOUSEMOVE, 0, 45);
    EXPECT_EQ(strip.PressID(), 1); // a hover hits as a press does
    EXPECT_TRUE(Shaded(45));
    Send(WM_MOUSEMOVE, 0, 500);
    EXPECT_EQ(strip.PressID(), 1);
    EXPECT_FALSE(Shaded(45));
    EXPECT_EQ(events, (std::vector<std::string>{"move 40", "move 40"}));
    ::SendMessageW(strip.hWnd(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(keys.log.calls, std::vector<std::wstring>{L"HandleShortcutKey(116, 0)"});
}

TEST_F(TitleStrip, AHoveredTitleShowsAWhiteWashUnderADarkShade) {
    strip.SetBackColor(RGB(0, 0, 200)); // on white the wash would not show
    strip.Create();
    Send(WM_MOUSEMOVE, 0, 45);
    auto washAndShade = [](double under) { return (under + (255 - under) * 70 / 255) * (255 - 100) / 255; };
    for (int x : {41, 50}) {
        const COLORREF p = strip.Point(x, 1);
        EXPECT_NEAR(GetRValue(p), washAndShade(0), 2) << "x " << x;
        EXPECT_NEAR(GetBValue(p), washAndShade(200), 2) << "x " << x;
    }
    EXPECT_EQ(strip.Point(38, 1), RGB(0, 0, 200));
    EXPECT_EQ(strip.Point(45, kHeight - 1), RGB(0, 0, 200)); // the band stops 2 short of the bottom
}

} // namespace
