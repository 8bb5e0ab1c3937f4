// The real main window's layout under a person's mouse and keys: the resize grip follows the pointer,
// the title bar and the image tool bar stand whole at every new right edge (after a grip drag and at
// a start beside a taskbar), the zoom grip under the views shows the zoom however it was set, a
// side panel first seen when its column is dragged open is as whole as one seen at the start, and
// the history field and the stamp list follow the column wherever it is dropped.
#include "tests/browser/BarTestSupport.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/RealInput.h"
#include "tests/support/TestWindow.h"

#include <cmath>
#include <functional>

namespace {

constexpr uint32_t kTrack = ColorARGB(255, 200, 0, 0), kGrip = ColorARGB(255, 0, 160, 0);
constexpr uint32_t kPicture = ColorARGB(255, 32, 96, 160);

// The folder pane as the program has it once the system dialog made its first pick.
struct PickedFolderPane : FolderPaneView {
    bool FolderViewOpen() override { return true; }
    void FolderViewResize() override {}
    void FolderViewDestroy() override {}
    void FolderViewSelect(const std::wstring&) override {}
    [[nodiscard]] bool FolderSelected() const override { return true; }
};

SIZE OuterSize(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The pixels of the last `width` columns of a box's picture, right edge first, row by row.
template <typename Box> std::vector<COLORREF> RightEnd(const Box& box, int width) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < box.Height(); ++y)
        for (int x = 1; x <= width; ++x) pixels.push_back(box.Point(box.Width() - x, y));
    return pixels;
}

// How many pixels of two pictures differ by more than a little in a channel.
int Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    if (a.size() != b.size()) return static_cast<int>(std::max(a.size(), b.size()));
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += RgbDistance(a[i], b[i]) > 24;
    return n;
}

class MainWindowLayout : public MainWindowTest {
protected:
    PickedFolderPane pane;

    static void SetUpTestSuite() {
        WriteSkin(L"Scroll.png", 125, 15, kTrack);
        WriteSkin(L"ScrollTop.png", 15, 26, kGrip);
    }
    static void TearDownTestSuite() {
        for (const wchar_t* name : {L"Scroll.png", L"ScrollTop.png"}) ::DeleteFileW((App().DataPath + name).c_str());
    }

    void PutDword(const wchar_t* name, DWORD value) { PutRaw(name, REG_DWORD, &value, sizeof(value)); }
    // A new main window shown as the program shows it: laid out, then its panes painted and shown
    // once the folder pane has picked.
    void StartShown(std::function<std::optional<RECT>()> taskbar = ShellTaskbarRect) {
        Close();
        FrmMain::Options options = Options();
        options.taskbar = std::move(taskbar);
        main = std::make_unique<FrmMain>(options);
        main->SetFolderPane(&pane);
        ASSERT_TRUE(main->Create());
        main->Show();
        for (int i = 0; i < 60 && !main->PanesShown(); ++i) TestWindow::Pump(50);
        ASSERT_TRUE(main->PanesShown());
        TestWindow::Pump(50);
    }
    // A left-button message at a point of the screen, in the box's own pixels where it is now.
    static void MouseAt(const PictureBox& box, UINT msg, WPARAM held, POINT screen) {
        ::ScreenToClient(box.hWnd(), &screen);
        SendMouse(box.hWnd(), msg, held, screen.x, screen.y);
    }
    // The column bar taken 4 pixels in and dropped with its left edge at left.
    void DragColumnBarTo(int left) {
        UseryzSplit& bar = main->UseryzSplitH;
        POINT press{4, 300}, drop{left + 4, 0};
        ::ClientToScreen(bar.hWnd(), &press);
        ::ClientToScreen(main->hWnd(), &drop);
        drop.y = press.y;
        MouseAt(bar, WM_LBUTTONDOWN, MK_LBUTTON, press);
        // The drag reads the pointer where the system has it; a late event of the display could
        // still move it back after a plain SetCursorPos.
        real_input::PointerTo(drop);
        MouseAt(bar, WM_MOUSEMOVE, MK_LBUTTON, drop);
        MouseAt(bar, WM_LBUTTONUP, 0, drop);
        ASSERT_EQ(bar.Left(), left);
        TestWindow::Pump(50);
    }
    // The grip's left edge on the bar under the views: its first pixel above the track.
    int GripLeft() const {
        const ScrollControl& bar = main->UseryzSplitV;
        for (int x = 0; x < bar.Width(); ++x)
            if (RgbDistance(bar.Point(x, 2), Rgb(kGrip)) < 8) return x;
        return -1;
    }
    // The grip's place for a zoom, from its place at zoom 1 (55 pixels along the track per unit).
    static int GripFor(int home, double zoom) { return home - 55 + static_cast<int>(std::lround(55 * zoom)); }
    // The zoom that fits a picture into the canvas without enlarging it.
    double FitZoom(double width, double height) const {
        const auto& canvas = main->SingleyzPreview;
        return std::min({1.0, canvas.Width() / width, canvas.Height() / height});
    }
    // How many pixels of the canvas's middle row show the picture.
    int PictureWidthShown() const {
        const auto& canvas = main->SingleyzPreview;
        int n = 0;
        for (int x = 0; x < canvas.Width(); ++x)
            n += RgbDistance(canvas.Point(x, canvas.Height() / 2), Rgb(kPicture)) < 24;
        return n;
    }
};

} // namespace

TEST_F(MainWindowLayout, TheResizeGripGrowsAndShrinksTheWindowByExactlyThePointersTravel) {
    PutDword(L"isMax", 1); // inverted at start: the grip works
    ASSERT_NO_FATAL_FAILURE(StartShown());
    ASSERT_EQ(main->isMax, 0);
    const HWND window = main->hWnd();
    const SIZE start = OuterSize(window);
    PictureBox& grip = main->ResizeBorder;
    POINT press{8, 8};
    ::ClientToScreen(grip.hWnd(), &press);

    struct Travel {
        int dx, dy;
    };
    // Right and down in four moves of 5; then odd steps up and left past the goal on both axes,
    // and back.
    const Travel travels[] = {{5, 5},     {10, 10},    {15, 15},     {20, 20},    {-7, 3},
                              {-58, -41}, {-123, -99}, {-211, -205}, {-200, -200}};
    MouseAt(grip, WM_LBUTTONDOWN, MK_LBUTTON, press);
    for (const Travel t : travels) {
        const POINT pointer{press.x + t.dx, press.y + t.dy};
        MouseAt(grip, WM_MOUSEMOVE, MK_LBUTTON, pointer);
        const SIZE size = OuterSize(window);
        EXPECT_EQ((std::array{size.cx, size.cy}), (std::array{start.cx + t.dx, start.cy + t.dy}))
            << "after a travel of " << t.dx << ", " << t.dy;
        // The grip keeps to the window's corner, under the pointer.
        RECT g{};
        ::GetWindowRect(grip.hWnd(), &g);
        EXPECT_TRUE(::PtInRect(&g, pointer)) << t.dx << ", " << t.dy;
    }
    MouseAt(grip, WM_LBUTTONUP, 0, {press.x - 200, press.y - 200});
    EXPECT_EQ(OuterSize(window).cx, start.cx - 200);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(main->ThumyzViewer.Left() + main->ThumyzViewer.Width() + 5, client.right) << "the panes laid out";

    // With isMax 1 the grip does not react.
    main->isMax = 1;
    RECT corner{};
    ::GetWindowRect(grip.hWnd(), &corner);
    const POINT again{corner.left + 8, corner.top + 8};
    MouseAt(grip, WM_LBUTTONDOWN, MK_LBUTTON, again);
    MouseAt(grip, WM_MOUSEMOVE, MK_LBUTTON, {again.x + 30, again.y + 30});
    MouseAt(grip, WM_LBUTTONUP, 0, {again.x + 30, again.y + 30});
    EXPECT_EQ(OuterSize(window).cx, start.cx - 200);
}

TEST_F(MainWindowLayout, TitleBarAndToolBarStandWholeAtTheRightEdgeAfterAGripDrag) {
    PutDword(L"isMax", 1);
    ASSERT_NO_FATAL_FAILURE(StartShown());
    // The strips' right ends at full width: the two glyphs, and the search box with its label.
    const auto title = RightEnd(main->TitleSkin, 60);
    const auto tools = RightEnd(main->ImageToolbar, 210);
    PictureBox& grip = main->ResizeBorder;
    POINT press{8, 8};
    ::ClientToScreen(grip.hWnd(), &press);
    MouseAt(grip, WM_LBUTTONDOWN, MK_LBUTTON, press);
    for (const int step : {-70, -140, -200}) {
        MouseAt(grip, WM_MOUSEMOVE, MK_LBUTTON, {press.x + step, press.y + step});
        // While the drag goes on as well as after it.
        EXPECT_LT(Differing(RightEnd(main->TitleSkin, 60), title), 5) << step;
        EXPECT_LT(Differing(RightEnd(main->ImageToolbar, 210), tools), 60) << step;
    }
    MouseAt(grip, WM_LBUTTONUP, 0, {press.x - 200, press.y - 200});
    TestWindow::Pump(50);
    EXPECT_LT(Differing(RightEnd(main->TitleSkin, 60), title), 5);
    EXPECT_LT(Differing(RightEnd(main->ImageToolbar, 210), tools), 60);
    // On the screen too: the close cross's centre is dark, 12 pixels in from the new edge.
    const int w = main->TitleSkin.Width();
    EXPECT_LT(Brightness(TestWindow::ScreenPixel(main->TitleSkin.hWnd(), w - 12, 13)), 100);
}

TEST_F(MainWindowLayout, AStartBesideATaskbarAtTheLeftOrRightPaintsTheStripsAtTheNarrowerWidth) {
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_NO_FATAL_FAILURE(StartShown([=] { return std::optional<RECT>(RECT{0, sh - 40, sw, sh}); }));
    ASSERT_EQ(main->TitleSkin.Width(), sw);
    const auto title = RightEnd(main->TitleSkin, 60);
    const auto tools = RightEnd(main->ImageToolbar, 210);
    struct Edge {
        const char* name;
        RECT bar;
        int left;
    };
    for (const Edge& e : {Edge{"left", {0, 0, 60, sh}, 60}, Edge{"right", {sw - 60, 0, sw, sh}, 0}}) {
        ASSERT_NO_FATAL_FAILURE(StartShown([=] { return std::optional<RECT>(e.bar); }));
        RECT r{};
        ::GetWindowRect(main->hWnd(), &r);
        EXPECT_EQ((std::array{r.left, r.right - r.left}), (std::array<LONG, 2>{e.left, sw - 60})) << e.name;
        EXPECT_EQ(main->TitleSkin.Width(), sw - 60) << e.name;
        EXPECT_LT(Differing(RightEnd(main->TitleSkin, 60), title), 5) << e.name;
        EXPECT_LT(Differing(RightEnd(main->ImageToolbar, 210), tools), 60) << e.name;
    }
}

TEST_F(MainWindowLayout, TheZoomGripShowsTheZoomHoweverItWasSet) {
    folder = MakeTestFolder(L"zoomgrip");
    WriteSolidImage(folder + L"big.png", 1600, 1200, kPicture);
    WriteSolidImage(folder + L"small.png", 800, 300, kPicture);
    ASSERT_NO_FATAL_FAILURE(Open(L"big.png"));
    const int home = GripLeft();
    ASSERT_GT(home, 55) << "no grip at zoom 1";

    struct Way {
        const char* name;
        std::function<void()> fit; // turns fitting on, and off again
    };
    const Way ways[] = {
        {"the tool bar's Fit Image", [&] { ASSERT_TRUE(ClickToolbarButton(5)); }},
        {"the Browse menu", [&] { ASSERT_TRUE(Pick(L"View_Fitmode")); }},
        {"Shift+F",
         [&] {
             TestWindow::HoldKeys({VK_SHIFT}, true);
             ::SendMessageW(main->SingleyzPreview.hWnd(), WM_KEYDOWN, 'F', 0);
             TestWindow::HoldKeys({VK_SHIFT}, false);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        way.fit();
        ASSERT_TRUE(main->SingleyzPreview.FitMode());
        EXPECT_NEAR(GripLeft(), GripFor(home, FitZoom(1600, 1200)), 1);
        way.fit();
        ASSERT_FALSE(main->SingleyzPreview.FitMode());
        EXPECT_EQ(GripLeft(), home);
    }

    // While fitted, a taller canvas (the grid hidden by Tab) and another picture each fit anew.
    ASSERT_TRUE(ClickToolbarButton(5));
    const int pictureTop = GripLeft();
    ::SendMessageW(main->hWnd(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_GT(FitZoom(1600, 1200), 0.3) << "the canvas did not grow";
    EXPECT_NEAR(GripLeft(), GripFor(home, FitZoom(1600, 1200)), 1);
    EXPECT_NE(GripLeft(), pictureTop);
    main->FileImport(folder + L"small.png");
    EXPECT_NEAR(GripLeft(), GripFor(home, FitZoom(800, 300)), 1);

    // A drag of the grip towards zoom-out from the fitted zoom shrinks the picture.
    main->FileImport(folder + L"big.png");
    const int fitted = PictureWidthShown(), at = GripLeft();
    ScrollControl& bar = main->UseryzSplitV;
    SendMouse(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at + 6, 10);
    SendMouse(bar.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, at + 6, 12); // no travel along the track yet
    EXPECT_NEAR(PictureWidthShown(), fitted, 4);
    SendMouse(bar.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, at + 2, 12);
    SendMouse(bar.hWnd(), WM_LBUTTONUP, 0, at + 2, 12);
    const int shrunk = PictureWidthShown();
    EXPECT_LT(shrunk, fitted);
    EXPECT_GT(shrunk, 0);
    EXPECT_EQ(GripLeft(), at - 4);
}

TEST_F(MainWindowLayout, ASidePanelOpenedByTheColumnBarIsWholeFromItsFirstPaint) {
    // A low side-panel bar: the panel is shorter than its tool list, whose scroll bar then works.
    PutDword(L"SplitlvTop", 800);
    PutDword(L"SplitHLeft", 400);
    ASSERT_NO_FATAL_FAILURE(StartShown());
    const UseryzProcess& shown = main->UseryzProcess1;
    ASSERT_TRUE(shown.Visible());
    const auto reference = RightEnd(main->UseryzProcess1.ToolOLE(), main->UseryzProcess1.ToolOLE().Width());
    ASSERT_TRUE(main->UseryzProcess1.ToolVscroll().Enabled());
    const int32_t referenceMax = main->UseryzProcess1.ToolVscroll().Max();

    Close(); // it stores its splitters on the way out
    PutDword(L"SplitHLeft", 3);
    ASSERT_NO_FATAL_FAILURE(StartShown());
    UseryzProcess& panel = main->UseryzProcess1;
    ASSERT_FALSE(panel.Visible());
    // The column bar taken 4 pixels in and dropped with the pointer at 404: the bar at 400.
    UseryzSplit& bar = main->UseryzSplitH;
    POINT press{4, 300}, drop{404, 300};
    ::ClientToScreen(bar.hWnd(), &press);
    ::ClientToScreen(main->hWnd(), &drop);
    drop.y = press.y;
    MouseAt(bar, WM_LBUTTONDOWN, MK_LBUTTON, press);
    ASSERT_TRUE(::SetCursorPos(drop.x, drop.y));
    MouseAt(bar, WM_MOUSEMOVE, MK_LBUTTON, drop);
    MouseAt(bar, WM_LBUTTONUP, 0, drop);
    ASSERT_EQ(bar.Left(), 400);
    ASSERT_TRUE(panel.Visible());
    EXPECT_LT(Differing(RightEnd(panel.ToolOLE(), panel.ToolOLE().Width()), reference), 20)
        << "the tool list differs from one shown at the start";
    EXPECT_TRUE(panel.ToolVscroll().Enabled());
    EXPECT_EQ(panel.ToolVscroll().Max(), referenceMax);
}

TEST_F(MainWindowLayout, TheHistoryFieldAndTheStampListFollowTheColumnWhereverItIsDropped) {
    const std::wstring library = App().AppFolder + L"Librarians\\";
    const std::pair<const wchar_t*, uint32_t> stamps[] = {{L"b.lib", ColorARGB(255, 0, 160, 0)},
                                                          {L"a.lib", ColorARGB(255, 200, 0, 0)}}; // shown in this order
    for (const auto& [name, colour] : stamps) WriteSolidImage(library + name, 20, 20, colour);
    PutDword(L"SplitHLeft", 400);
    ASSERT_NO_FATAL_FAILURE(StartShown());
    UseryzProcess& panel = main->UseryzProcess1;
    PictureBox& list = panel.StampMenu().LibOLE();
    const auto openStampTabAndPickTheFirstRow = [&] {
        LeftClick(panel.hWnd(), 75, 20);
        ASSERT_EQ(panel.Toolselect(), 1);
        for (int i = 0; i < 100 && panel.StampMenu().RowsPending() > 0; ++i) TestWindow::Pump(20);
        LeftClick(list.hWnd(), 100, 20);
    };
    ASSERT_NO_FATAL_FAILURE(openStampTabAndPickTheFirstRow());

    // Wider by 60, then narrower than at the start.
    for (const int left : {460, 330}) {
        SCOPED_TRACE(left);
        ASSERT_NO_FATAL_FAILURE(DragColumnBarTo(left));
        // The white path field reaches 5 short of the bar, the header box shows after it as before
        // it, and a click at its right end opens the recent folders.
        const int y = main->UseryzSplitH.Top() + 14;
        EXPECT_EQ(TestWindow::ScreenPixel(main->hWnd(), left - 8, y), RGB(255, 255, 255));
        EXPECT_EQ(TestWindow::ScreenPixel(main->hWnd(), left - 3, y), TestWindow::ScreenPixel(main->hWnd(), 60, y));
        EXPECT_EQ(main->HistoryHitRect.Width, static_cast<float>(left - 70));
        SendMouse(main->hWnd(), WM_LBUTTONUP, 0, left - 8, y);
        EXPECT_TRUE(main->SkinMenu.Visible());
        EXPECT_EQ(main->SkinMenu.Initializemenu(), 12);
        main->SkinMenu.SetVisible(false);

        // The stamp tab again and a click on the first row: both rows stay, the first framed.
        ASSERT_NO_FATAL_FAILURE(openStampTabAndPickTheFirstRow());
        EXPECT_EQ(panel.StampFilename(), library + L"b.lib");
        EXPECT_EQ(list.Point(100, 10 - 4), RGB(255, 255, 255));
        for (int row = 0; row < 2; ++row)
            EXPECT_LE(RgbDistance(list.Point(35, 10 + 50 * row + 18), Rgb(stamps[row].second)), 10) << row;
    }
    main->Unload();
    for (const auto& [name, colour] : stamps)
        if (IsInsideScratchRoot(library + name)) ::DeleteFileW((library + name).c_str());
}
