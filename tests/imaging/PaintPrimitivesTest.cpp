#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {
// Test executables run side by side on one screen; the imaging tests' windows keep to a corner of
// their own so that no other test's window covers them, nor they another's.
constexpr int kWindowX = 700;
constexpr int kWindowY = 560;
constexpr uint32_t kRed = ColorARGB(255, 255, 0, 0);
constexpr uint32_t kBlue = ColorARGB(255, 0, 0, 255);
constexpr uint32_t kBlack = ColorARGB(255, 0, 0, 0);

uint32_t Red(uint32_t argb) {
    return (argb >> 16) & 0xFF;
}
uint32_t Green(uint32_t argb) {
    return (argb >> 8) & 0xFF;
}
uint32_t Blue(uint32_t argb) {
    return argb & 0xFF;
}

// Paints the window black, then draws with paint on the paint DC, and lets the paint happen.
void PaintOnBlack(TestWindow& window, std::function<void(HDC)> paint) {
    window.onMessage = [&window, paint](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window.hwnd(), &ps);
        RECT all;
        ::GetClientRect(window.hwnd(), &all);
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        paint(dc);
        ::EndPaint(window.hwnd(), &ps);
        return true;
    };
    ::InvalidateRect(window.hwnd(), nullptr, TRUE);
    TestWindow::Pump(100);
}

COLORREF Screen(const TestWindow& window, int x, int y) {
    return TestWindow::ScreenPixel(window.hwnd(), x, y);
}
} // namespace

TEST(Stripes, ThinAndWideLinesAtTheirRowsOnABitmap) {
    DIBsave dib;
    ASSERT_TRUE(dib.CreateBlankMemory(20, 40));
    dib.ClearScreen(kBlack);
    DrawStripes(DrawTarget::Surface(dib.MemGraphics), kRed, kBlue, 0, 40, 9);
    for (int y : {0, 3, 6, 9})
        EXPECT_EQ(PixelAt(dib.new_Img, 20, y), kRed) << "row " << y;
    for (int y : {2, 5, 8, 11})
        EXPECT_EQ(PixelAt(dib.new_Img, 20, y), kBlue) << "row " << y;
    // Nothing below the last wide line.
    for (int y = 13; y < 20; ++y)
        EXPECT_EQ(PixelAt(dib.new_Img, 20, y), kBlack) << "row " << y;
}

TEST(Stripes, DrawnOnAWindowBetweenLeftAndRight) {
    TestWindow window(60, 30, kWindowX, kWindowY);
    PaintOnBlack(window, [](HDC dc) { DrawStripes(DrawTarget::Dc(dc), kRed, kBlue, 10, 50, 9); });
    for (int y : {0, 3, 6, 9})
        EXPECT_EQ(Screen(window, 30, y), RGB(255, 0, 0)) << "row " << y;
    for (int y : {2, 5, 8, 11})
        EXPECT_EQ(Screen(window, 30, y), RGB(0, 0, 255)) << "row " << y;
    EXPECT_EQ(Screen(window, 5, 0), RGB(0, 0, 0));
    EXPECT_EQ(Screen(window, 55, 3), RGB(0, 0, 0));
    EXPECT_EQ(Screen(window, 30, 20), RGB(0, 0, 0));
}

TEST(RoundGradientRect, GradientRunsDownAndSwapsWhenPressed) {
    for (bool pressed : {false, true}) {
        DIBsave dib;
        ASSERT_TRUE(dib.CreateBlankMemory(80, 130));
        dib.ClearScreen(kBlack);
        // The box spans 60 + 2 x 20 across and 30 + 20 down from (10, 10); the gradient runs over it.
        DrawRoundGradientRect(DrawTarget::Surface(dib.MemGraphics), 0, 10, 200, 60, 10, 10, 60, 30, 20, 20, kRed, kBlue,
                              pressed, 1, kRed);
        const uint32_t top = PixelAt(dib.new_Img, 60, 13);
        const uint32_t bottom = PixelAt(dib.new_Img, 60, 57);
        const uint32_t middle = PixelAt(dib.new_Img, 60, 35);
        if (!pressed) {
            EXPECT_GT(Red(top), 200u);
            EXPECT_LT(Blue(top), 60u);
            EXPECT_GT(Blue(bottom), 200u);
            EXPECT_LT(Red(bottom), 60u);
        } else {
            EXPECT_GT(Blue(top), 200u);
            EXPECT_LT(Red(top), 60u);
            EXPECT_GT(Red(bottom), 200u);
            EXPECT_LT(Blue(bottom), 60u);
        }
        EXPECT_GT(Red(middle), 70u);
        EXPECT_GT(Blue(middle), 70u);
        // The corners are rounded: the box's corner pixel stays as it was; outside stays too.
        EXPECT_EQ(PixelAt(dib.new_Img, 12, 12), kBlack);
        EXPECT_EQ(PixelAt(dib.new_Img, 108, 58), kBlack);
        EXPECT_EQ(PixelAt(dib.new_Img, 115, 35), kBlack);
        EXPECT_EQ(PixelAt(dib.new_Img, 60, 65), kBlack);
        // The right edge lies at x + 2 x cornerW + w, the bottom at y + h + cornerH.
        EXPECT_NE(PixelAt(dib.new_Img, 108, 35), kBlack);
        EXPECT_NE(PixelAt(dib.new_Img, 60, 59), kBlack);
    }
}

TEST(RoundGradientRect, PenColourZeroOutlinesInTranslucentWhite) {
    DIBsave dib;
    ASSERT_TRUE(dib.CreateBlankMemory(60, 100));
    dib.ClearScreen(kBlack);
    DrawRoundGradientRect(DrawTarget::Surface(dib.MemGraphics), 0, 10, 0, 50, 10, 10, 50, 30, 10, 10, kBlack, kBlack,
                          false, 3, 0);
    const uint32_t edge = PixelAt(dib.new_Img, 40, 10);
    // 200/255 of white over black.
    EXPECT_NEAR(static_cast<int>(Red(edge)), 200, 12);
    EXPECT_EQ(Red(edge), Green(edge));
    EXPECT_EQ(Red(edge), Blue(edge));
    EXPECT_EQ(PixelAt(dib.new_Img, 40, 30), kBlack);
}

TEST(RoundGradientRect, EqualGradientPointsStillFillTheBox) {
    DIBsave dib;
    ASSERT_TRUE(dib.CreateBlankMemory(60, 100));
    dib.ClearScreen(kBlack);
    DrawRoundGradientRect(DrawTarget::Surface(dib.MemGraphics), 0, 20, 0, 20, 10, 10, 50, 30, 10, 10, kRed, kBlue, true,
                          1, kRed);
    EXPECT_EQ(PixelAt(dib.new_Img, 40, 30), kBlue);
}

TEST(RoundGradientRect, PressedSwapOnAWindow) {
    TestWindow window(120, 60, kWindowX, kWindowY);
    PaintOnBlack(window, [](HDC dc) {
        DrawRoundGradientRect(DrawTarget::Dc(dc), 0, 5, 0, 55, 5, 5, 60, 30, 20, 20, kRed, kBlue, true, 1, 0);
    });
    const COLORREF top = Screen(window, 50, 8);
    const COLORREF bottom = Screen(window, 50, 52);
    EXPECT_GT(GetBValue(top), 200);
    EXPECT_LT(GetRValue(top), 60);
    EXPECT_GT(GetRValue(bottom), 200);
    EXPECT_LT(GetBValue(bottom), 60);
    EXPECT_EQ(Screen(window, 7, 7), RGB(0, 0, 0));
}

TEST(RoundRectPath, SpansTheBoxWithItsCorners) {
    // The loupe's panel: 120 + 2 x 10 across, 110 + 10 down.
    GdipPath path = CreateRoundRectPath(20, 30, 120, 110, 10, 10);
    ASSERT_TRUE(path);
    RectF bounds{};
    ASSERT_EQ(GdipGetPathWorldBounds(path.get(), &bounds, nullptr, nullptr), Ok);
    EXPECT_NEAR(bounds.X, 20, 0.01);
    EXPECT_NEAR(bounds.Y, 30, 0.01);
    EXPECT_NEAR(bounds.Width, 140, 0.01);
    EXPECT_NEAR(bounds.Height, 120, 0.01);
    BOOL inside = FALSE;
    GdipIsVisiblePathPoint(path.get(), 80, 90, nullptr, &inside);
    EXPECT_TRUE(inside);
    GdipIsVisiblePathPoint(path.get(), 159, 149, nullptr, &inside);
    EXPECT_FALSE(inside) << "the corner is cut by the arc";
    GdipIsVisiblePathPoint(path.get(), 21, 90, nullptr, &inside);
    EXPECT_TRUE(inside) << "the left edge runs straight between the arcs";
}

TEST(EtchedLine, DarkLineTwoAboveAndLightLineOneAbove) {
    DIBsave dib;
    ASSERT_TRUE(dib.CreateBlankMemory(20, 40));
    const uint32_t grey = ColorARGB(255, 128, 128, 128);
    dib.ClearScreen(grey);
    DrawEtchedLine(DrawTarget::Surface(dib.MemGraphics), 0, 10, 40, 10, 1, 1, 0, 0);
    const uint32_t dark = PixelAt(dib.new_Img, 20, 8);
    // Translucent black (alpha 50) over grey darkens it a little.
    EXPECT_NEAR(static_cast<int>(Red(dark)), 128 * 205 / 255, 6);
    EXPECT_EQ(PixelAt(dib.new_Img, 20, 9), ColorARGB(255, 255, 255, 255));
    EXPECT_EQ(PixelAt(dib.new_Img, 20, 10), grey);
    EXPECT_EQ(PixelAt(dib.new_Img, 20, 7), grey);
}

TEST(EtchedLine, GivenColoursAndWidthsOnAWindow) {
    TestWindow window(60, 30, kWindowX, kWindowY);
    PaintOnBlack(window, [](HDC dc) { DrawEtchedLine(DrawTarget::Dc(dc), 5, 15, 55, 15, 1, 1, kBlue, kRed); });
    EXPECT_EQ(Screen(window, 30, 13), RGB(0, 0, 255));
    EXPECT_EQ(Screen(window, 30, 14), RGB(255, 0, 0));
    EXPECT_EQ(Screen(window, 30, 15), RGB(0, 0, 0));
    EXPECT_EQ(Screen(window, 2, 14), RGB(0, 0, 0));
}

TEST(FrameRect, GreyFrameWithAWhiteFrameInside) {
    TestWindow window(120, 100, kWindowX, kWindowY);
    PaintOnBlack(window, [](HDC dc) { DrawFrameRect(dc, 1, 1, 100, 80); });
    const COLORREF grey = RGB(208, 208, 208), white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    // The grey rectangle from (0, 0) sized 99 x 79.
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 79}, {99, 79}, {50, 0}, {50, 79}, {0, 40}, {99, 40}})
        EXPECT_EQ(Screen(window, x, y), grey) << x << "," << y;
    // The white one from (1, 1) sized 97 x 77.
    for (auto [x, y] : {std::pair{1, 1}, {98, 1}, {1, 78}, {98, 78}, {50, 1}, {50, 78}, {1, 40}, {98, 40}})
        EXPECT_EQ(Screen(window, x, y), white) << x << "," << y;
    for (auto [x, y] : {std::pair{2, 2}, {50, 40}, {97, 77}, {100, 40}, {50, 80}, {105, 85}})
        EXPECT_EQ(Screen(window, x, y), black) << x << "," << y;
}

TEST(FillEllipseAA, FilledWithASoftEdge) {
    TestWindow window(100, 80, kWindowX, kWindowY);
    PaintOnBlack(window, [](HDC dc) { FillEllipseAA(dc, 10.5f, 10.5f, 61, 41, kRed); });
    EXPECT_EQ(Screen(window, 41, 31), RGB(255, 0, 0));
    EXPECT_EQ(Screen(window, 12, 12), RGB(0, 0, 0));
    EXPECT_EQ(Screen(window, 80, 31), RGB(0, 0, 0));
    // The edge blends the fill into the ground, and only at the edge.
    int blended = 0;
    for (int y = 6; y < 58; ++y) {
        for (int x = 6; x < 78; ++x) {
            const COLORREF c = Screen(window, x, y);
            EXPECT_EQ(GetGValue(c), 0);
            if (GetRValue(c) <= 30 || GetRValue(c) >= 225)
                continue;
            ++blended;
            const double dx = (x - 41.0) / 30.5, dy = (y - 31.0) / 20.5;
            EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 1.0, 0.08) << x << "," << y;
        }
    }
    EXPECT_GT(blended, 40);
}
