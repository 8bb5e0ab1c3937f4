#include "shell/MainLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

namespace {

// The panes at their design sizes in a client area of width x height, splitters as given.
MainLayoutPanes Panes(int width, int height, int splitLeft, int splitLVTop, int splitVTop, int32_t effect = 0) {
    MainLayoutPanes p;
    p.clientWidth = width;
    p.clientHeight = height;
    p.effect = effect;
    p.TitleSkin.height = 25;
    p.yzToolbarUser.height = 20;
    p.ImageToolbar.height = 40;
    p.ResizeBorder = {0, 0, 17, 17};
    p.UseryzSplitH = {splitLeft, 93, 9, 0};
    p.UseryzSplitLV = {0, splitLVTop, 0, 10};
    p.YDSTextControl1.height = 25;
    p.UseryzSplitV = {0, splitVTop, 0, 25};
    return p;
}

} // namespace

TEST(MainLayout, ThumbnailPaneClosesWhenItsBarIsLessThanFiveAboveTheBottom) {
    struct Case {
        int barTop;
        bool closed;
    };
    for (const Case c : {Case{471, true}, Case{470, false}, Case{490, true}}) {
        MainLayoutPanes p = Panes(800, 500, 300, 300, c.barTop);
        ArrangeMainWindow(p);
        EXPECT_EQ(p.thumPaneClosed, c.closed) << c.barTop;
        EXPECT_EQ(p.ThumyzViewer.visible, !c.closed) << c.barTop;
        EXPECT_TRUE(p.SingleyzPreview.visible) << c.barTop;
    }
}

TEST(MainLayout, BarAtTheTopHidesTheCanvasAndTheGridFillsTheColumn) {
    MainLayoutPanes p = Panes(800, 500, 300, 300, 93);
    ArrangeMainWindow(p);
    EXPECT_FALSE(p.SingleyzPreview.visible);
    EXPECT_TRUE(p.ThumyzViewer.visible);
    EXPECT_EQ(p.SingleyzPreview.height, 0);
    EXPECT_EQ(p.ThumyzViewer.top, 118);
    EXPECT_EQ(p.ThumyzViewer.height, 397 - 25); // the working area 500 - 93 - 10, less the bar
}

TEST(MainLayout, LeftColumnShowsOnlyRightOf260) {
    for (int left : {260, 261}) {
        MainLayoutPanes p = Panes(800, 600, left, 400, 350);
        ArrangeMainWindow(p);
        const bool shown = left == 261;
        EXPECT_EQ(p.leftColumnShown, shown) << left;
        EXPECT_EQ(p.FolderView.visible, shown) << left;
        EXPECT_EQ(p.UseryzSplitLV.visible, shown) << left;
        EXPECT_EQ(p.UseryzProcess1.visible, shown) << left;
    }
}

TEST(MainLayout, PanesTileTheClientAreaAndFollowItsWidth) {
    MainLayoutPanes p = Panes(1000, 700, 300, 400, 350);
    ArrangeMainWindow(p);
    EXPECT_EQ(p.ImageToolbar.top, 47);
    EXPECT_EQ(p.ImageToolbar.width, 1000);
    EXPECT_EQ(p.ResizeBorder.left, 983);
    EXPECT_EQ(p.ResizeBorder.top, 683);
    EXPECT_EQ(p.UseryzSplitH.height, 597);
    EXPECT_EQ((std::array{p.FolderView.left, p.FolderView.top, p.FolderView.width, p.FolderView.height}),
              (std::array{8, 128, 288, 264}));
    EXPECT_EQ((std::array{p.UseryzProcess1.left, p.UseryzProcess1.top, p.UseryzProcess1.width}),
              (std::array{3, 410, 297}));
    EXPECT_EQ(p.UseryzProcess1.height, 288);
    EXPECT_EQ(
        (std::array{p.SingleyzPreview.left, p.SingleyzPreview.top, p.SingleyzPreview.width, p.SingleyzPreview.height}),
        (std::array{309, 93, 686, 257}));
    EXPECT_EQ(p.ThumyzViewer.top + p.ThumyzViewer.height, 93 + 597);
    EXPECT_EQ(p.UseryzSplitV.width, 686);
    EXPECT_EQ(p.UseryzSplitLV.width, 288);
    // The splitters' own inputs are never written.
    EXPECT_EQ(std::tie(p.UseryzSplitH.left, p.UseryzSplitH.top, p.UseryzSplitLV.top, p.UseryzSplitV.top),
              std::make_tuple(300, 93, 400, 350));
}

TEST(MainLayout, TextAndCalendarToolsPutTheTextBarAboveTheCanvasAndKeepTheGrid) {
    MainLayoutPanes browse = Panes(1000, 700, 300, 400, 350, 0);
    ArrangeMainWindow(browse);
    for (int32_t effect : {4, 10}) {
        MainLayoutPanes p = Panes(1000, 700, 300, 400, 350, effect);
        ArrangeMainWindow(p);
        EXPECT_EQ(p.YDSTextControl1.top, 93);
        EXPECT_EQ(p.YDSTextControl1.left, 309);
        EXPECT_EQ(p.YDSTextControl1.width, 686);
        EXPECT_EQ(p.SingleyzPreview.top, 118);
        EXPECT_EQ(p.SingleyzPreview.height, browse.SingleyzPreview.height - 25);
        EXPECT_EQ(p.ThumyzViewer.top, browse.ThumyzViewer.top);
        EXPECT_EQ(p.ThumyzViewer.height, browse.ThumyzViewer.height);
        // Back to another tool: the canvas starts at the splitter's top again.
        p.effect = 1;
        ArrangeEditArea(p);
        EXPECT_EQ(p.SingleyzPreview.top, 93);
        EXPECT_EQ(p.SingleyzPreview.height, browse.SingleyzPreview.height);
    }
}

TEST(MainLayout, StepsGivingANegativeSizeAreSkippedAndStoredSplittersAreClamped) {
    MainLayoutPanes p = Panes(200, 150, 300, 400, 350);
    p.UseryzProcess1 = {1, 2, 33, 44};
    ArrangeMainWindow(p);
    EXPECT_EQ(p.UseryzSplitH.height, 47);
    EXPECT_EQ(p.SingleyzPreview.width, 0) << "200 - 314 would be negative: kept";
    EXPECT_EQ(p.FolderView.height, 264);
    EXPECT_EQ(p.UseryzProcess1.height, 44) << "47 - 274 - 35 would be negative: kept";
    EXPECT_EQ(p.UseryzProcess1.width, 297);
    ClampSplitters(p);
    EXPECT_EQ(std::tie(p.UseryzSplitH.left, p.UseryzSplitLV.top, p.UseryzSplitV.top), std::make_tuple(191, 140, 125));
}

TEST(TaskbarEdge, EachEdgeAndTheLastHoldingTestWins) {
    struct Case {
        RECT bar;
        const wchar_t* edge;
    };
    const Case cases[] = {
        {{0, 984, 1280, 1024}, L"40*B"},  {{0, 0, 1280, 30}, L"30*T"},      {{0, 0, 60, 1024}, L"60*L"},
        {{1220, 0, 1280, 1024}, L"60*R"}, {{0, 0, 1280, 1024}, L"1024*T"}, // a bar over the whole screen passes bottom
                                                                           // and top: top wins
        {{0, 0, 0, 0}, L"0*L"},           {{-2, 0, 1281, 1000}, L"1000*T"}, {{1, 2, 1280, 1000}, L"1279*R"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetTaskbarEdge(c.bar, 1280, 1024), c.edge);
    EXPECT_EQ(GetTaskbarEdge({0, 5, 1280, 1000}, 1280, 1024), L"") << "no test holds";
}

TEST(TaskbarEdge, WindowBesideTheTaskbar) {
    RECT r{};
    ASSERT_TRUE(WindowBesideTaskbar(L"40*B", 1280, 1024, r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{0, 0, 1280, 984}));
    ASSERT_TRUE(WindowBesideTaskbar(L"30*T", 1280, 1024, r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{0, 30, 1280, 1024}));
    ASSERT_TRUE(WindowBesideTaskbar(L"60*L", 1280, 1024, r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{60, 0, 1280, 1024}));
    ASSERT_TRUE(WindowBesideTaskbar(L"60*R", 1280, 1024, r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{0, 0, 1220, 1024}));
    r = {1, 2, 3, 4};
    for (const wchar_t* bad : {L"", L"*B", L"40*", L"x*B", L"40*Q"})
        EXPECT_FALSE(WindowBesideTaskbar(bad, 1280, 1024, r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{1, 2, 3, 4}));
}
