#include "shell/MainLayout.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The panes at their design sizes in a width x height client area, splitters as given.
MainLayoutPanes Arranged(int width, int height, int splitLeft, int splitLVTop, int splitVTop, int32_t effect = 0) {
    MainLayoutPanes p;
    p.clientWidth = width, p.clientHeight = height, p.effect = effect;
    p.TitleSkin.height = 25, p.yzToolbarUser.height = 20, p.ImageToolbar.height = 40;
    p.ResizeBorder = {0, 0, 17, 17};
    p.UseryzSplitH = {splitLeft, 93, 9, 0};
    p.UseryzSplitLV = {0, splitLVTop, 0, 10};
    p.YDSTextControl1.height = 25;
    p.UseryzSplitV = {0, splitVTop, 0, 25};
    p.UseryzProcess1 = {0, 0, 33, 44};
    ArrangeMainWindow(p);
    return p;
}

std::array<int, 4> Box(const PaneRect& r) {
    return {r.left, r.top, r.width, r.height};
}

} // namespace

TEST(MainLayout, PanesTileTheClientAreaAroundTheSplitters) {
    const MainLayoutPanes p = Arranged(1000, 700, 300, 400, 350);
    EXPECT_EQ(Box(p.ImageToolbar), (std::array{0, 47, 1000, 40}));
    EXPECT_EQ(Box(p.ResizeBorder), (std::array{983, 683, 17, 17}));
    EXPECT_EQ(Box(p.UseryzSplitH), (std::array{300, 93, 9, 597}));
    EXPECT_EQ(Box(p.FolderView), (std::array{8, 128, 288, 264}));
    EXPECT_EQ(Box(p.UseryzSplitLV), (std::array{8, 400, 288, 10}));
    EXPECT_EQ(Box(p.UseryzProcess1), (std::array{3, 410, 297, 288}));
    EXPECT_EQ(Box(p.SingleyzPreview), (std::array{309, 93, 686, 257}));
    EXPECT_EQ(Box(p.UseryzSplitV), (std::array{309, 350, 686, 25}));
    EXPECT_EQ(Box(p.ThumyzViewer), (std::array{309, 375, 686, 315})); // down to the left bar's end, 690
}

TEST(MainLayout, ThumbnailPaneOpenOrClosedByItsBar) {
    // H 500: the bar's lower edge less than 5 above the bottom closes the pane.
    for (const auto& [top, closed] : {std::pair{471, true}, std::pair{470, false}}) {
        const MainLayoutPanes p = Arranged(800, 500, 300, 300, top);
        EXPECT_EQ(p.thumPaneClosed, closed) << top;
        EXPECT_EQ(p.ThumyzViewer.visible, !closed) << top;
        EXPECT_TRUE(p.SingleyzPreview.visible) << top;
    }
    // At the working area's very top the canvas has no height and the grid fills the column.
    const MainLayoutPanes top = Arranged(800, 500, 300, 300, 93);
    EXPECT_FALSE(top.SingleyzPreview.visible);
    EXPECT_EQ(Box(top.ThumyzViewer), (std::array{309, 118, 486, 372}));
}

TEST(MainLayout, LeftColumnShownOnlyRightOf260) {
    for (int left : {260, 261}) {
        const MainLayoutPanes p = Arranged(800, 600, left, 400, 350);
        const bool shown = left == 261;
        EXPECT_EQ(p.leftColumnShown, shown) << left;
        EXPECT_EQ((std::array{p.FolderView.visible, p.UseryzSplitLV.visible, p.UseryzProcess1.visible}),
                  (std::array{shown, shown, shown}))
            << left;
    }
}

TEST(MainLayout, TextAndCalendarToolsPutTheTextBarAboveTheCanvasAndKeepTheGrid) {
    const MainLayoutPanes browse = Arranged(1000, 700, 300, 400, 350, 0);
    for (int32_t effect : {4, 10}) {
        MainLayoutPanes p = Arranged(1000, 700, 300, 400, 350, effect);
        EXPECT_EQ(Box(p.YDSTextControl1), (std::array{309, 93, 686, 25}));
        EXPECT_EQ(Box(p.SingleyzPreview), (std::array{309, 118, 686, 232}));
        EXPECT_EQ(Box(p.ThumyzViewer), Box(browse.ThumyzViewer));
        p.effect = 1; // another tool: the canvas starts at the splitter's top again
        ArrangeEditArea(p);
        EXPECT_EQ(Box(p.SingleyzPreview), Box(browse.SingleyzPreview));
    }
}

TEST(MainLayout, NegativeSizesAreSkippedAndStoredSplittersClampedIntoTheClientArea) {
    MainLayoutPanes p = Arranged(200, 150, 300, 400, 350);
    EXPECT_EQ(p.SingleyzPreview.width, 0) << "200 - 314 is negative: kept";
    EXPECT_EQ(Box(p.UseryzProcess1), (std::array{3, 410, 297, 44})) << "47 - 274 - 35 is negative: kept";
    ClampSplitters(p);
    EXPECT_EQ((std::array{p.UseryzSplitH.left, p.UseryzSplitLV.top, p.UseryzSplitV.top}), (std::array{191, 140, 125}));
}

TEST(TaskbarEdge, EachEdgeTheLastHoldingTestWinsAndTheWindowBesideIt) {
    struct Case {
        RECT bar;
        const wchar_t* edge;
        RECT window;
    };
    const Case cases[] = {
        {{0, 984, 1280, 1024}, L"40*B", {0, 0, 1280, 984}},     {{0, 0, 1280, 30}, L"30*T", {0, 30, 1280, 1024}},
        {{0, 0, 60, 1024}, L"60*L", {60, 0, 1280, 1024}},       {{1220, 0, 1280, 1024}, L"60*R", {0, 0, 1220, 1024}},
        {{0, 0, 1280, 1024}, L"1024*T", {0, 1024, 1280, 1024}}, // bottom and top hold: top wins
        {{1, 2, 1280, 1000}, L"1279*R", {0, 0, 1, 1024}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetTaskbarEdge(c.bar, 1280, 1024), c.edge);
        RECT r{};
        ASSERT_TRUE(WindowBesideTaskbar(c.edge, 1280, 1024, r));
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                  (std::array{c.window.left, c.window.top, c.window.right, c.window.bottom}));
    }
    EXPECT_EQ(GetTaskbarEdge({0, 5, 1280, 1000}, 1280, 1024), L"") << "no test holds";
    RECT r{1, 2, 3, 4};
    for (const wchar_t* bad : {L"", L"*B", L"40*", L"x*B", L"40*Q"})
        EXPECT_FALSE(WindowBesideTaskbar(bad, 1280, 1024, r));
    EXPECT_EQ(r.right, 3) << "left as it was";
}
