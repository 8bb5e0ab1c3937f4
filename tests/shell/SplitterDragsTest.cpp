#include "shell/SplitterDrags.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int H = 1000;
const SplitLimits kLimits{H, 8, 128, 93};
const PaneRect kColumn{270, 93, 9, 897};
const PaneRect kSideBar{8, 500, 259, 10};
const PaneRect kThumbBar{279, 500, 990, 25};

// Presses the bar at grab (inside it), moves the pointer to (px, py) in the window and releases
// there; the release's coordinates are the pointer's inside the bar, as the bar reports them.
std::optional<SplitDrop> Drag(SplitterDrags& d, SplitBar bar, const PaneRect& r, POINT grab, int px, int py) {
    d.BarDown(bar, r, static_cast<float>(grab.x), static_cast<float>(grab.y));
    d.BarMove(bar, r, POINT{px, py}, kLimits);
    return d.BarUp(bar, r, static_cast<float>(px - r.left), static_cast<float>(py - r.top), kLimits);
}

} // namespace

TEST(SplitterDrags, ColumnDropSnapsNearTheCutOffAndCollapsesBelowIt) {
    struct Case {
        int pointerX, left;
        bool collapsed;
    };
    // Grabbed 4 pixels into the bar: an unsnapped drop lands 4 left of the pointer.
    for (const Case c : {Case{231, 270, false}, Case{250, 270, false}, Case{289, 270, false}, Case{230, 3, true},
                         Case{200, 3, true}, Case{290, 286, false}, Case{600, 596, false}}) {
        SplitterDrags d;
        const auto drop = Drag(d, SplitBar::Column, kColumn, {4, 300}, c.pointerX, 400);
        ASSERT_TRUE(drop) << c.pointerX;
        EXPECT_EQ(drop->left, c.left) << c.pointerX;
        EXPECT_EQ(drop->top, kColumn.top) << c.pointerX;
        EXPECT_EQ(drop->leftColumnCollapsed, c.collapsed) << c.pointerX;
        EXPECT_FALSE(d.IsDragging);
        EXPECT_FALSE(d.DragingImg().visible);
    }
}

TEST(SplitterDrags, TheGhostFollowsThePointerOnlyOnceItLeavesTheBar) {
    SplitterDrags d;
    d.BarDown(SplitBar::Column, kColumn, 4, 300);
    d.BarMove(SplitBar::Column, kColumn, POINT{275, 400}, kLimits);
    EXPECT_FALSE(d.DragingImg().visible);
    d.BarMove(SplitBar::Column, kColumn, POINT{250, 400}, kLimits);
    const GhostBar g = d.DragingImg();
    EXPECT_TRUE(g.visible);
    EXPECT_EQ(g.left, 270);
    EXPECT_EQ(g.width, SplitRules::kGhostThickness);
    EXPECT_EQ(g.height, kColumn.height);
    // Back over the bar: hidden again, so the release is a click and changes nothing.
    d.BarMove(SplitBar::Column, kColumn, POINT{279, 400}, kLimits);
    EXPECT_FALSE(d.BarUp(SplitBar::Column, kColumn, 9, 307, kLimits));
}

TEST(SplitterDrags, SidePanelBarStaysTwoHundredFromTheFolderTopAndTheBottom) {
    struct Case {
        int pointerY, top;
    };
    // Grabbed 5 pixels into the bar.
    for (const Case c : {Case{200, 328}, Case{333, 328}, Case{334, 329}, Case{600, 595}, Case{805, 800}, Case{806, 800},
                         Case{990, 800}}) {
        SplitterDrags d;
        const auto drop = Drag(d, SplitBar::SidePanel, kSideBar, {100, 5}, 100, c.pointerY);
        ASSERT_TRUE(drop) << c.pointerY;
        EXPECT_EQ(drop->top, c.top) << c.pointerY;
        EXPECT_EQ(drop->left, kLimits.folderLeft);
    }
    // The ghost is held to the same lines while moving.
    SplitterDrags d;
    d.BarDown(SplitBar::SidePanel, kSideBar, 100, 5);
    d.BarMove(SplitBar::SidePanel, kSideBar, POINT{100, 50}, kLimits);
    EXPECT_EQ(d.DragingImg().top, 328);
    EXPECT_EQ(d.DragingImg().height, SplitRules::kGhostThickness);
}

TEST(SplitterDrags, ThumbnailBarCollapsesNearTheBottomAndFillsTheColumnNearTheTop) {
    struct Case {
        int pointerY, top;
        bool collapsed;
    };
    // Grabbed 10 pixels into the bar: the bar's top lands 10 above the pointer.
    for (const Case c : {Case{851, H - 25 - 3, true}, Case{850, 840, false}, Case{202, 93, false},
                         Case{203, 193, false}, Case{30, 93, false}}) {
        SplitterDrags d;
        const auto drop = Drag(d, SplitBar::ThumbPane, kThumbBar, {400, 10}, 600, c.pointerY);
        ASSERT_TRUE(drop) << c.pointerY;
        EXPECT_EQ(drop->top, c.top) << c.pointerY;
        EXPECT_EQ(drop->gridCollapsed, c.collapsed) << c.pointerY;
    }
    // A press and release without a move is a click.
    SplitterDrags d;
    d.BarDown(SplitBar::ThumbPane, kThumbBar, 400, 10);
    EXPECT_FALSE(d.BarUp(SplitBar::ThumbPane, kThumbBar, 400, 10, kLimits));
}

TEST(SplitterDrags, HoldingTheZoomGripIsNoSplitterDrag) {
    SplitterDrags d;
    d.BarDown(SplitBar::ThumbPane, kThumbBar, 400, 10, true);
    EXPECT_TRUE(d.ZoomDragging);
    EXPECT_FALSE(d.IsDragging);
    d.BarMove(SplitBar::ThumbPane, kThumbBar, POINT{600, 300}, kLimits);
    EXPECT_FALSE(d.DragingImg().visible);
    EXPECT_FALSE(d.BarUp(SplitBar::ThumbPane, kThumbBar, 400, -200, kLimits));
    EXPECT_FALSE(d.ZoomDragging);
}

TEST(SplitterDrags, ResizeGripFollowsThePointersTravelOnBothAxesDownToTheLeastSize) {
    const POINT press{1271, 1014};
    const SIZE start{1280, 1023};
    SplitterDrags off;
    off.GripDown(1, press, start);
    EXPECT_FALSE(off.GripMove({1300, 1030})) << "isMax 1: the grip does nothing";
    EXPECT_FALSE(off.GripUp());

    SplitterDrags d;
    d.GripDown(0, press, start);
    struct Step {
        int dx, dy, width, height;
    };
    // The travel from the press, however many moves led there; back past the press shrinks.
    for (const Step s :
         {Step{5, 5, 1285, 1028}, Step{20, 20, 1300, 1043}, Step{-7, 3, 1273, 1026}, Step{-213, -101, 1067, 922},
          Step{0, 0, 1280, 1023}, Step{-880, -723, 400, 300}, Step{-881, -724, 400, 300}, Step{-879, -722, 401, 301}}) {
        const auto size = d.GripMove({press.x + s.dx, press.y + s.dy});
        ASSERT_TRUE(size) << s.dx << "," << s.dy;
        EXPECT_EQ((std::array{size->cx, size->cy}), (std::array<LONG, 2>{s.width, s.height})) << s.dx << "," << s.dy;
    }
    EXPECT_TRUE(d.GripUp());
    EXPECT_FALSE(d.GripMove({0, 0}));
}
