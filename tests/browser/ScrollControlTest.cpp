// The bar under the views in a real window, with skins of one colour so that the track, the grip
// and the icons can be told apart in its back buffer: the slider in browse mode only, its snap to
// the middle, the pane button's icon and the events with their arguments.
#include "browser/ScrollControl.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr uint32_t kTrack = ColorARGB(255, 200, 0, 0), kGrip = ColorARGB(255, 0, 160, 0);
constexpr uint32_t kOpenIcon = ColorARGB(255, 0, 0, 255), kCloseIcon = ColorARGB(255, 255, 255, 0),
                   kSizeIcon = ColorARGB(255, 255, 0, 255);
constexpr int kWidth = 400, kHeight = 25;
// Track 125 wide centred in 400: left at 137.5 rounded to even; the grip (15) rests 55 along it.
constexpr int kTrackLeft = 138, kGripHome = 193;

HICON SolidIcon(uint32_t argb) {
    GdipBitmap bitmap = SolidBitmap(16, 16, argb);
    HICON icon = nullptr;
    GdipCreateHICONFromBitmap(bitmap.get(), &icon);
    return icon;
}

struct ViewsBarFixture : ::testing::Test {
    TestWindow window{kWidth, 60};
    FakeViewsBarCanvas canvas;
    ScrollControl bar{&canvas};
    std::vector<std::string> events;

    static void SetUpTestSuite() {
        WriteSkin(L"Scroll.png", 125, 15, kTrack);
        WriteSkin(L"ScrollTop.png", 15, 26, kGrip);
        static const std::map<std::wstring, HICON> icons = {{L"OPENTHUM", SolidIcon(kOpenIcon)},
                                                            {L"CLOSETHUM", SolidIcon(kCloseIcon)},
                                                            {L"THUMSIZE", SolidIcon(kSizeIcon)}};
        ScrollControl::SetIconLoader([](const std::wstring& name) { return icons.at(name); });
    }
    static void TearDownTestSuite() { ScrollControl::SetIconLoader({}); }

    void SetUp() override {
        ASSERT_TRUE(bar.Create({.parent = window.hwnd(), .width = kWidth, .height = kHeight}));
        auto record = [this](const char* what) {
            return [this, what](int b, int s, float x, float y) {
                events.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                                 std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
            };
        };
        bar.onMouseDown = record("down");
        bar.onMouseMove = record("move");
        bar.onMouseUp = record("up");
        bar.onOcMouseup = record("pane");
        bar.onTsMouseup = record("size");
        bar.HandleHDC(false);
        bar.StartPaint(static_cast<float>(bar.ThumSizeBarX), 0, true);
    }
    // The grip's left edge as painted: the first grip-coloured column.
    [[nodiscard]] int GripLeft() const {
        for (int x = 0; x < kWidth; ++x)
            if (RgbDistance(bar.Point(x, 2), Rgb(kGrip)) <= 2) return x;
        return -1;
    }
    void Move(int x) { SendMouse(bar.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, x, 10); }
};

} // namespace

TEST_F(ViewsBarFixture, ShowsTheSliderOnlyInBrowseMode) {
    EXPECT_EQ(bar.TrackLeft(), kTrackLeft);
    EXPECT_EQ(bar.ThumSizeBarX, kGripHome);
    EXPECT_EQ(GripLeft(), kGripHome);
    EXPECT_LE(RgbDistance(bar.Point(kTrackLeft + 2, 12), Rgb(kTrack)), 2);
    EXPECT_GT(RgbDistance(bar.Point(kTrackLeft - 2, 12), Rgb(kTrack)), 100);
    EXPECT_GT(RgbDistance(bar.Point(kTrackLeft + 2, 2), Rgb(kTrack)), 100); // drawn 5 below the top

    canvas.effect = 1;
    bar.StartPaint(static_cast<float>(bar.ThumSizeBarX), 0, true);
    EXPECT_EQ(GripLeft(), -1);
    EXPECT_GT(RgbDistance(bar.Point(kTrackLeft + 2, 12), Rgb(kTrack)), 100);
    LeftClick(bar.hWnd(), kGripHome + 5, 10); // where the grip was: no drag
    EXPECT_FALSE(bar.yzisDrag);
    EXPECT_EQ(events.front(), "down 1 0 198 10");
}

TEST_F(ViewsBarFixture, DraggingTheGripSetsValueAndSnapsToTheMiddle) {
    SendMouse(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, kGripHome + 7, 10);
    EXPECT_TRUE(bar.yzisDrag);
    // The offset along the track is the pointer's x less the track's left less 6.
    const std::pair<int, int> offsets[] = {{80, 80}, {50, 50}, {51, 55}, {54, 55},  {55, 55},
                                           {56, 55}, {59, 55}, {60, 60}, {112, 112}};
    for (auto [offset, value] : offsets) {
        Move(kTrackLeft + 6 + offset);
        EXPECT_EQ(bar.Value(), value) << offset;
        EXPECT_EQ(GripLeft(), value == 55 ? kGripHome : kTrackLeft + offset) << offset;
    }
    Move(kTrackLeft + 6 + 200); // off the track's end: the grip stays
    EXPECT_EQ(bar.Value(), 112);
    SendMouse(bar.hWnd(), WM_LBUTTONUP, 0, kTrackLeft + 6 + 200, 10);
    EXPECT_FALSE(bar.yzisDrag);
    // A snap reports the middle as the pointer's x; every move is reported.
    EXPECT_EQ(events[3], "move 1 0 " + std::to_string(kGripHome + 6) + " 10");
    EXPECT_EQ(events.size(), 1 + 10 + 1u);
    EXPECT_EQ(events.back(), "up 1 0 344 10");
    // The host paints the bar again with ThumSizeBarX: the grip stays where it was left.
    bar.StartPaint(static_cast<float>(bar.ThumSizeBarX), 0, true);
    EXPECT_EQ(GripLeft(), kTrackLeft + 112);
}

TEST_F(ViewsBarFixture, ZoomPlacesTheGripByTheDragsRule) {
    const std::pair<float, int> zooms[] = {
        {1.0f, kGripHome}, {0.5f, kTrackLeft + 28}, {0.12f, kTrackLeft + 7}, {20.0f, kTrackLeft + 110}};
    for (auto [zoom, left] : zooms) {
        bar.OutControlScroll(zoom);
        EXPECT_EQ(GripLeft(), left) << zoom;
        EXPECT_EQ(bar.ThumSizeBarX, left) << zoom;
    }
    bar.OutControlScroll(0.5f);
    bar.ResetPaint();
    EXPECT_EQ(GripLeft(), kGripHome);
}

TEST_F(ViewsBarFixture, ThePaneButtonTogglesItsIconAndTheButtonsReport) {
    EXPECT_EQ(bar.CpThumbnaill.Left(), kWidth - 32);
    EXPECT_EQ(bar.CpThumsize.Left(), kWidth - 64);
    EXPECT_LE(RgbDistance(bar.CpThumsize.Point(16, 12), Rgb(kSizeIcon)), 2);
    const HWND pane = bar.CpThumbnaill.hWnd();
    SendMouse(pane, WM_LBUTTONDOWN, MK_LBUTTON, 10, 12);
    SendMouse(pane, WM_LBUTTONUP, 0, 10, 12);
    EXPECT_TRUE(bar.isOpenthum);
    EXPECT_LE(RgbDistance(bar.CpThumbnaill.Point(16, 12), Rgb(kOpenIcon)), 2);
    // Beside the icon the button shows the bar's background.
    EXPECT_EQ(bar.CpThumbnaill.Point(2, 12), bar.Point(kWidth - 30, 12));
    SendMouse(pane, WM_RBUTTONDOWN, MK_RBUTTON, 20, 5);
    SendMouse(pane, WM_RBUTTONUP, 0, 20, 5);
    EXPECT_FALSE(bar.isOpenthum);
    EXPECT_LE(RgbDistance(bar.CpThumbnaill.Point(16, 12), Rgb(kCloseIcon)), 2);
    SendMouse(bar.CpThumsize.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, 3, 4);
    SendMouse(bar.CpThumsize.hWnd(), WM_LBUTTONUP, 0, 3, 4);
    EXPECT_EQ(events, (std::vector<std::string>{"pane 1 0 10 12", "pane 2 0 20 5", "size 1 0 336 25"}));

    bar.Move(0, 0, 300, kHeight);
    EXPECT_EQ(bar.CpThumbnaill.Left(), 268);
    EXPECT_EQ(bar.CpThumsize.Left(), 236);
    TestWindow::Pump(50);
    EXPECT_LE(RgbDistance(TestWindow::ScreenPixel(bar.CpThumsize.hWnd(), 16, 12), Rgb(kSizeIcon)), 2);
}
