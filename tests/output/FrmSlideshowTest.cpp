// The slideshow in a real full-screen window under Xvfb, driven with the real pointer and keys.
#include "output/FrmSlideshow.h"
#include "platform/AppState.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

constexpr uint32_t kPictureRed = ColorARGB(255, 220, 30, 40);
constexpr uint32_t kPictureGreen = ColorARGB(255, 30, 200, 60);

// The stripes' first row: the 1-pixel line of alpha 130 over black.
COLORREF StripeRow0() {
    return RGB(100 * 130 / 255, 142 * 130 / 255, 200 * 130 / 255);
}

class SlideshowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState(TestProgramFolder());
        folder_ = MakeTestFolder(L"slides");
        ASSERT_TRUE(WriteSolidPng(folder_ + L"red.png", 200, 100, kPictureRed));
        ASSERT_TRUE(WriteSolidPng(folder_ + L"green.png", 160, 120, kPictureGreen));
        PointerTo(100, 100); // the anchor the bar is measured from
        form_.onUnload = [this] { ++unloads_; };
    }
    void TearDown() override { form_.Unload(); }

    // Pumps until done() or about ms milliseconds have passed.
    static bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
        for (int waited = 0; waited < ms; waited += 20) {
            if (done()) return true;
            TestWindow::Pump(20);
        }
        return done();
    }
    COLORREF Shown(int x, int y) const { return TestWindow::ScreenPixel(form_.View()->hWnd(), x, y); }
    int CentreX() const { return form_.View()->Width() / 2; }
    int CentreY() const { return form_.View()->Height() / 2; }

    std::wstring folder_;
    FakeSlideshowGrid grid_;
    FrmSlideshow form_;
    int unloads_ = 0;
};

} // namespace

TEST_F(SlideshowTest, FadedPictureInTheCentreStripesAtTheEdgeAndAMoveBringsTheBar) {
    App().SlideSpeed = 0;
    grid_.files = {folder_ + L"red.png"}; // what the bar draws again
    ASSERT_TRUE(form_.Show(nullptr, &grid_));
    EXPECT_EQ(App().SlideSpeed, 1000);
    EXPECT_TRUE(form_.StartSlideshow(folder_ + L"red.png", nullptr, 0, 0));
    TestWindow::Pump(50);
    // 200 x 100 centred and drawn 3 pixels high; stripes all round it.
    const int left = (form_.View()->Width() - 200) / 2, top = (form_.View()->Height() - 100) / 2 - 3;
    for (const POINT p : {POINT{left, top}, POINT{left + 199, top + 99}, POINT{CentreX(), CentreY()}})
        EXPECT_TRUE(NearRgb(Shown(p.x, p.y), RGB(220, 30, 40), 8)) << p.x << "," << p.y << std::hex << Shown(p.x, p.y);
    for (const POINT p : {POINT{left - 1, top + 50}, POINT{left + 200, top + 50}, POINT{left + 50, top + 100}})
        EXPECT_LT(GetRValue(Shown(p.x, p.y)), 130) << p.x << "," << p.y;
    EXPECT_TRUE(NearRgb(Shown(0, 0), StripeRow0(), 4)) << std::hex << Shown(0, 0);

    // The Exit frame's top edge is a light line once the bar is up.
    const RectF exit = form_.ButtonRect(FrmSlideshow::kExit);
    const int edgeX = static_cast<int>(exit.X) + 30, edgeY = static_cast<int>(exit.Y);
    EXPECT_LT(GetRValue(Shown(edgeX, edgeY)), 150);
    PointerTo(103, 103); // 3 pixels each way: no bar
    EXPECT_FALSE(form_.Paused());
    PointerTo(110, 110);
    ASSERT_TRUE(PumpUntil([&] { return form_.Paused(); }, 500));
    TestWindow::Pump(50);
    EXPECT_GT(GetRValue(Shown(edgeX, edgeY)), 180) << std::hex << Shown(edgeX, edgeY);
    EXPECT_TRUE(NearRgb(Shown(CentreX(), CentreY()), RGB(220, 30, 40), 8));  // the picture stays under the bar
    EXPECT_FALSE(form_.StartSlideshow(folder_ + L"red.png", nullptr, 0, 0)); // no fade while paused

    // A double click while the bar is up does not close.
    ::SendMessageW(form_.View()->hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(CentreX(), CentreY()));
    ::SendMessageW(form_.View()->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(CentreX(), CentreY()));
    EXPECT_TRUE(form_.Visible());
}

TEST_F(SlideshowTest, TheTimerRunsOverTheSelectionAndWraps) {
    App().SelectedFiles = {L"", folder_ + L"red.png", folder_ + L"green.png"}; // the empty entry is no slide
    grid_.files = {folder_ + L"green.png"};
    ASSERT_TRUE(form_.Show(nullptr, &grid_));
    App().SlideSpeed = 400;
    // The show waits inside the pump: a probe samples what is shown while it holds a picture.
    std::vector<std::pair<int32_t, COLORREF>> seen;
    Timer probe;
    probe.SetInterval(100);
    probe.onTimer = [&] {
        // Which picture is shown: the last steps of a fade come within the tolerance too.
        const COLORREF c = Shown(CentreX(), CentreY());
        const COLORREF picture = NearRgb(c, RGB(220, 30, 40), 8)   ? RGB(220, 30, 40)
                                 : NearRgb(c, RGB(30, 200, 60), 8) ? RGB(30, 200, 60)
                                                                   : CLR_INVALID;
        if (picture != CLR_INVALID && (seen.empty() || seen.back().second != picture))
            seen.emplace_back(form_.SlideIndex(), picture);
    };
    probe.SetEnabled(true);
    form_.Start();
    const auto start = std::chrono::steady_clock::now();
    while (seen.size() < 3 && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(8000))
        TestWindow::Pump(20);
    probe.SetEnabled(false);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(0, RGB(220, 30, 40)));
    EXPECT_EQ(seen[1], std::make_pair(1, RGB(30, 200, 60)));
    EXPECT_EQ(seen[2], std::make_pair(0, RGB(220, 30, 40)));
}

TEST_F(SlideshowTest, NextAndLongerActOnTheShowAndTheBarStaysUp) {
    App().SelectedFiles = {folder_ + L"red.png", folder_ + L"green.png"};
    App().SlideSpeed = 7500;
    ASSERT_TRUE(form_.Show(nullptr, &grid_));
    const auto centreOf = [&](int32_t button) {
        const RectF r = form_.ButtonRect(button);
        return POINT{static_cast<int>(r.X + r.Width / 2), static_cast<int>(r.Y + r.Height / 2)};
    };
    POINT next = centreOf(FrmSlideshow::kNext), longer = centreOf(FrmSlideshow::kLonger);
    ClickAt(next.x, next.y);
    EXPECT_TRUE(form_.Paused());
    EXPECT_EQ(form_.SlideIndex(), 1);
    ClickAt(next.x + 2, next.y); // at the last picture "Next" stays
    EXPECT_EQ(form_.SlideIndex(), 1);
    ASSERT_TRUE(PumpUntil([&] { return NearRgb(Shown(CentreX(), CentreY()), RGB(30, 200, 60), 8); }, 500));
    ClickAt(longer.x, longer.y);
    EXPECT_EQ(App().SlideSpeed, 8000);
    ClickAt(longer.x + 1, longer.y);
    EXPECT_EQ(App().SlideSpeed, 8000);
    EXPECT_TRUE(form_.Paused());
    EXPECT_FALSE(form_.TimerEnabled());

    // A click away from the buttons resumes: the current picture fades in again.
    App().SlideSpeed = 300;
    ClickAt(CentreX(), CentreY());
    EXPECT_FALSE(form_.Paused());

    const RectF exit = form_.ButtonRect(FrmSlideshow::kExit);
    PointerTo(static_cast<int>(exit.X) + 5, static_cast<int>(exit.Y) + 5);
    ClickAt(static_cast<int>(exit.X) + 6, static_cast<int>(exit.Y) + 5);
    EXPECT_FALSE(form_.Visible());
    EXPECT_EQ(unloads_, 1);
}

TEST_F(SlideshowTest, EscDuringAFadeClosesOnceTheFadeHasReturned) {
    // The grid's list: the Esc key is waiting when the fade starts.
    grid_.files = {folder_ + L"red.png", folder_ + L"green.png"};
    bool visibleAtEsc = false;
    grid_.onRead = [&](int32_t) { ::PostMessageW(form_.View()->hWnd(), WM_KEYDOWN, VK_ESCAPE, 0); };
    form_.onUnload = [&] {
        ++unloads_;
        visibleAtEsc = form_.Closing();
    };
    ASSERT_TRUE(form_.Show(nullptr, &grid_));
    form_.Start();
    ASSERT_TRUE(PumpUntil([&] { return !form_.Visible(); }, 2000));
    EXPECT_TRUE(visibleAtEsc);
    EXPECT_EQ(unloads_, 1);
    EXPECT_EQ(form_.SlideIndex(), 0);
}

TEST_F(SlideshowTest, AnUnloadOrANewDelayDuringTheWaitTakesEffectAtOnce) {
    ASSERT_TRUE(form_.Show(nullptr, &grid_));
    // A 5 s wait during which, after 60 ms, happens().
    Timer later;
    const auto waitWith = [&](std::function<void()> happens) {
        later.SetInterval(60);
        later.onTimer = [&, happens] {
            later.SetEnabled(false);
            happens();
        };
        later.SetEnabled(true);
        App().SlideSpeed = 5000;
        const auto start = std::chrono::steady_clock::now();
        form_.DelayS(App().SlideSpeed);
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    };
    const auto shortened = waitWith([] { App().SlideSpeed = 150; });
    EXPECT_GE(shortened, 140);
    EXPECT_LT(shortened, 1500);
    bool aliveInWait = false;
    EXPECT_LT(waitWith([&] {
                  form_.Unload();
                  aliveInWait = form_.Visible(); // the window waits for the wait to return
              }),
              1500);
    EXPECT_TRUE(aliveInWait);
    EXPECT_FALSE(form_.Visible());
    EXPECT_EQ(unloads_, 1);
}

TEST_F(SlideshowTest, AnEmptyListShowsTheStripesAndStops) {
    App().SelectedFiles = {L"", folder_ + L"red.png"}; // one real entry: the grid's list is used, and it is empty
    ASSERT_TRUE(form_.Show(nullptr, &grid_));
    form_.Start();
    ASSERT_TRUE(PumpUntil([&] { return !form_.TimerEnabled(); }, 1000));
    EXPECT_TRUE(form_.Visible());
    EXPECT_TRUE(NearRgb(Shown(0, 0), StripeRow0(), 4));
    EXPECT_TRUE(NearRgb(Shown(CentreX(), CentreY() - CentreY() % 3), StripeRow0(), 4));
}

TEST_F(SlideshowTest, FullViewShowsAReadyImageAndIgnoresMoves) {
    form_.isFullView = true;
    ASSERT_TRUE(form_.Show(nullptr, nullptr));
    GdipBitmap image = SolidBitmap(300, 200, kPictureGreen);
    EXPECT_TRUE(form_.StartSlideshow(L"", image.get(), 300, 200));
    TestWindow::Pump(50);
    EXPECT_TRUE(NearRgb(Shown(CentreX(), CentreY()), RGB(30, 200, 60), 8));
    const RectF exit = form_.ButtonRect(FrmSlideshow::kExit);
    const COLORREF before = Shown(static_cast<int>(exit.X) + 30, static_cast<int>(exit.Y));
    PointerTo(400, 400);
    ClickAt(static_cast<int>(exit.X) + 5, static_cast<int>(exit.Y) + 5);
    EXPECT_FALSE(form_.Paused());
    EXPECT_TRUE(form_.Visible());
    EXPECT_EQ(Shown(static_cast<int>(exit.X) + 30, static_cast<int>(exit.Y)), before);
    ::SendMessageW(form_.View()->hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(form_.Visible());
}

TEST_F(SlideshowTest, ThePointerIsTheShowsOwnUntilItClosesAndTheArrowInFullView) {
    std::vector<BYTE> andMask(128, 0xFF), xorMask(128, 0);
    HCURSOR hand = ::CreateCursor(nullptr, 0, 0, 32, 32, andMask.data(), xorMask.data());
    PictureBox::SetCursorLoader([hand](const std::wstring& name) { return name == L"MOUSED" ? hand : nullptr; });
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    // What a window shows when the pointer moves over it.
    const auto shownOver = [](HWND window) {
        ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    TestWindow elsewhere{100, 100};
    PictureBox other;
    ASSERT_TRUE(other.Create({.parent = elsewhere.hwnd(), .width = 100, .height = 100}));

    App().SelectedFiles = {folder_ + L"red.png", folder_ + L"green.png"};
    App().SlideSpeed = 8000;
    ASSERT_TRUE(form_.Show(nullptr, &grid_));
    const HWND view = form_.View()->hWnd();
    // Running: the show's pointer over every window of the program, the window's own the default.
    EXPECT_EQ(shownOver(view), hand);
    EXPECT_EQ(shownOver(other.hWnd()), hand);
    EXPECT_EQ(form_.View()->GetMousePointer(), MousePointer::Default);

    // The bar up: the window's own pointer is "MOUSED" over a button only; the show's stays.
    PointerTo(110, 110);
    ASSERT_TRUE(PumpUntil([&] { return form_.Paused(); }, 500));
    EXPECT_EQ(form_.View()->GetMousePointer(), MousePointer::Default);
    const RectF next = form_.ButtonRect(FrmSlideshow::kNext);
    PointerTo(static_cast<int>(next.X + next.Width + 25), static_cast<int>(next.Y + next.Height + 5));
    EXPECT_EQ(form_.View()->GetMousePointer(), MousePointer::Custom);
    EXPECT_EQ(form_.View()->MouseIcon(), hand);
    PointerTo(static_cast<int>(next.X + next.Width + 30), static_cast<int>(next.Y + 5)); // one past the region
    EXPECT_EQ(form_.View()->GetMousePointer(), MousePointer::Default);
    EXPECT_EQ(shownOver(view), hand);

    // Closed: the program's pointers are their own again.
    form_.Unload();
    EXPECT_EQ(shownOver(other.hWnd()), arrow);

    // Full view never takes the show's pointer, moves change nothing.
    FrmSlideshow full;
    full.isFullView = true;
    ASSERT_TRUE(full.Show(nullptr, nullptr));
    EXPECT_EQ(shownOver(full.View()->hWnd()), arrow);
    PointerTo(400, 400);
    PointerTo(static_cast<int>(next.X + 10), static_cast<int>(next.Y + 10));
    EXPECT_EQ(shownOver(full.View()->hWnd()), arrow);
    EXPECT_EQ(full.View()->GetMousePointer(), MousePointer::Default);
    full.Unload();
    PictureBox::SetCursorLoader({});
}
