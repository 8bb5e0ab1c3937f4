// The skinned scroll bar in a real window, driven by the mouse messages of a hand: what it
// paints, how a drag maps to Value over the whole range, its events and their order.
#include "browser/scrollVControl.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kDark = RGB(121, 160, 225), kLight = RGB(158, 180, 228), kGrey = RGB(210, 210, 210);
constexpr int kHeight = 300, kTravel = kHeight - 70;

struct ScrollBarFixture : ::testing::Test {
    TestWindow window{60, kHeight};
    scrollVControl bar;
    std::vector<std::string> events;

    void SetUp() override {
        ASSERT_TRUE(bar.Create({.parent = window.hwnd(), .width = 17, .height = kHeight, .backColor = RGB(0, 0, 0)}));
        bar.Max(100);
        bar.onValueChanged = [this] { events.push_back("changed " + std::to_string(bar.Value())); };
        bar.onArrivedLast = [this] { events.push_back("last"); };
        bar.onArrivedFirst = [this] { events.push_back("first"); };
    }
    void Press(int y, UINT msg = WM_LBUTTONDOWN, WPARAM held = MK_LBUTTON) { SendMouse(bar.hWnd(), msg, held, 8, y); }
    void Move(int y, WPARAM held = MK_LBUTTON) { SendMouse(bar.hWnd(), WM_MOUSEMOVE, held, 8, y); }
    void Release(int y) { SendMouse(bar.hWnd(), WM_LBUTTONUP, 0, 8, y); }
    // The grip's middle column, 33 below the given top.
    [[nodiscard]] COLORREF GripAt(int top) const { return bar.Point(8, top + 33); }
};

} // namespace

TEST_F(ScrollBarFixture, PaintsATranslucentTrackAndTheGripAtTheTop) {
    EXPECT_LE(RgbDistance(GripAt(0), kDark), 2);
    // The track fades from clear at the left to translucent white at the right, over black.
    const COLORREF left = bar.Point(0, 200), middle = bar.Point(8, 200), right = bar.Point(16, 200);
    EXPECT_LE(GetRValue(left), 8);
    EXPECT_NEAR(GetRValue(middle), 100 * 8 / 17, 6);
    EXPECT_NEAR(GetRValue(right), 100 * 16 / 17, 6);
    EXPECT_EQ(GetRValue(middle), GetBValue(middle));
    // 14 across and 66 down.
    EXPECT_GT(RgbDistance(bar.Point(2, 33), RGB(0, 0, 0)), 100);
    EXPECT_LE(RgbDistance(bar.Point(8, 64), kDark), 2);
    EXPECT_LT(GetBValue(bar.Point(8, 70)), 120);
    TestWindow::Pump(50);
    EXPECT_LE(RgbDistance(TestWindow::ScreenPixel(bar.hWnd(), 8, 33), kDark), 2);
}

TEST_F(ScrollBarFixture, ADragFollowsThePointerAndReachesMax) {
    Press(30);
    EXPECT_TRUE(bar.Dragging());
    Move(30 + 115);
    EXPECT_EQ(bar.Value(), 50);
    // Held: the grip shows its gradient, lighter where the pointer is inside it.
    const COLORREF half = RGB((GetRValue(kLight) + GetRValue(kDark)) / 2, (GetGValue(kLight) + GetGValue(kDark)) / 2,
                              (GetBValue(kLight) + GetBValue(kDark)) / 2);
    EXPECT_LE(RgbDistance(GripAt(115), half), 8);
    EXPECT_GT(RgbDistance(GripAt(115), kDark), 10);
    // A second button pressed meanwhile does not take the grip again.
    Press(200, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON);
    Move(30 + kTravel + 40);
    EXPECT_EQ(bar.Value(), 100);
    Release(30 + kTravel + 40);
    EXPECT_FALSE(bar.Dragging());
    EXPECT_LE(RgbDistance(GripAt(kTravel), kDark), 2);
    EXPECT_LT(GetBValue(GripAt(0)), 120); // the top shows the track again
    Press(kTravel + 10);
    Move(kTravel + 10 - 10); // the grab was clamped at the release: the grip follows at once
    EXPECT_EQ(bar.Value(), 96);
    Move(-50);
    Release(-50);
    EXPECT_EQ(events,
              (std::vector<std::string>{"changed 50", "changed 100", "last", "changed 96", "changed 0", "first"}));
}

TEST_F(ScrollBarFixture, ValueIsClampedAndReportsOnlyChanges) {
    struct Case {
        int32_t set, expected;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {40, 40, {"changed 40"}},        {40, 40, {}}, {250, 100, {"changed 100", "last"}},
        {-5, 0, {"changed 0", "first"}}, {0, 0, {}},
    };
    for (const Case& c : cases) {
        events.clear();
        bar.Value(c.set);
        EXPECT_EQ(bar.Value(), c.expected) << c.set;
        EXPECT_EQ(events, c.events) << c.set;
    }
    // Min takes Value with it.
    events.clear();
    bar.Min(10);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_EQ(events, (std::vector<std::string>{"changed 10", "first"}));
    // Max equal to Min: both ends at once, the last first.
    bar.Min(0);
    bar.Value(50);
    bar.Max(0);
    events.clear();
    bar.Value(7);
    EXPECT_EQ(events, (std::vector<std::string>{"changed 0", "last", "first"}));
}

TEST_F(ScrollBarFixture, ResetValueGoesBackToTheTopWithoutAnEvent) {
    Press(30);
    Move(30 + 115);
    Release(30 + 115);
    events.clear();
    bar.ResetValue();
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_GT(GetBValue(GripAt(0)), 200);
    EXPECT_LT(GetBValue(GripAt(115)), 120);
    // The same drag again reports its change.
    Press(30);
    Move(30 + 115);
    Release(30 + 115);
    EXPECT_EQ(events, std::vector<std::string>{"changed 50"});
}

TEST_F(ScrollBarFixture, IgnoresPressesOffTheGripAndWhenDisabled) {
    Press(150); // below the grip
    Move(250);
    Release(250);
    EXPECT_EQ(bar.Value(), 0);
    bar.Enabled(false);
    bar.ResetValue();
    EXPECT_LE(RgbDistance(GripAt(0), kGrey), 2);
    Press(30);
    Move(200);
    Release(200);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_LE(RgbDistance(GripAt(0), kGrey), 2);
}

TEST_F(ScrollBarFixture, AValueSetByTheHostMovesTheGripAndADragStartsWhereItStands) {
    struct Case {
        int32_t set, value;
    };
    // The travel (230 pixels) stands for the range (100): a value's grip top is value * 2.3.
    const Case cases[] = {{50, 50}, {100, 100}, {37, 37}, {0, 0}, {250, 100}, {1, 1}, {-5, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        bar.Value(c.set);
        const int top = (c.value * kTravel + 50) / 100;
        EXPECT_EQ(bar.GripRect().Y, static_cast<float>(top));
        EXPECT_LE(RgbDistance(GripAt(top), kDark), 2);
        if (top > 70) {
            EXPECT_LT(GetBValue(GripAt(0)), 120) << "the top shows the track";
        }
        // A one-pixel drag of the grip where it stands moves the value by at most one step.
        Press(top + 10);
        Move(top + 11);
        Release(top + 11);
        EXPECT_GE(bar.Value(), c.value);
        EXPECT_LE(bar.Value(), c.value + 1);
        bar.Value(c.value); // the next case starts from the value set
    }
}
