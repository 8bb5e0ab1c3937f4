#include "imaging/DIBsave.h"
#include "imaging/PaintPrimitives.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

// (Drawing on a device context goes through the same surface as drawing on a bitmap; the
// DrawTarget test in ShapeFillsTest covers that step once.)
TEST(Stripes, ThinAndWideLinesAtTheirRows) {
    DibSheet sheet(40, 20, kBlack);
    DrawStripes(sheet.target(), kRed, kBlue, 0, 40, 9);
    for (int y : {0, 3, 6, 9}) EXPECT_EQ(sheet.At(20, y), kRed) << "row " << y;
    for (int y : {2, 5, 8, 11}) EXPECT_EQ(sheet.At(20, y), kBlue) << "row " << y;
    // Nothing below the last wide line.
    for (int y = 13; y < 20; ++y) EXPECT_EQ(sheet.At(20, y), kBlack) << "row " << y;
}

TEST(RoundGradientRect, GradientRunsDownAndSwapsWhenPressed) {
    for (bool pressed : {false, true}) {
        DibSheet sheet(130, 80, kBlack);
        // The box spans 60 + 2 x 20 across and 30 + 20 down from (10, 10); the gradient runs over it.
        DrawRoundGradientRect(sheet.target(), 0, 10, 200, 60, 10, 10, 60, 30, 20, 20, kRed, kBlue, pressed, 1, kRed);
        const uint32_t top = sheet.At(60, 13), bottom = sheet.At(60, 57), middle = sheet.At(60, 35);
        const uint32_t reddish = pressed ? bottom : top, bluish = pressed ? top : bottom;
        EXPECT_GT(RedOf(reddish), 200);
        EXPECT_LT(BlueOf(reddish), 60);
        EXPECT_GT(BlueOf(bluish), 200);
        EXPECT_LT(RedOf(bluish), 60);
        EXPECT_GT(RedOf(middle), 70);
        EXPECT_GT(BlueOf(middle), 70);
        // The corners are rounded: the box's corner pixel stays as it was; outside stays too.
        for (auto [x, y] : {std::pair{12, 12}, {108, 58}, {115, 35}, {60, 65}})
            EXPECT_EQ(sheet.At(x, y), kBlack) << x << "," << y;
        // The right edge lies at x + 2 x cornerW + w, the bottom at y + h + cornerH.
        EXPECT_NE(sheet.At(108, 35), kBlack);
        EXPECT_NE(sheet.At(60, 59), kBlack);
    }
}

TEST(RoundGradientRect, PenColourZeroOutlinesInTranslucentWhiteAndEqualPointsStillFill) {
    DibSheet outlined(100, 60, kBlack), equal(100, 60, kBlack);
    DrawRoundGradientRect(outlined.target(), 0, 10, 0, 50, 10, 10, 50, 30, 10, 10, kBlack, kBlack, false, 3, 0);
    const uint32_t edge = outlined.At(40, 10);
    EXPECT_NEAR(RedOf(edge), 200, 12); // 200/255 of white over black
    EXPECT_EQ(RedOf(edge), GreenOf(edge));
    EXPECT_EQ(RedOf(edge), BlueOf(edge));
    EXPECT_EQ(outlined.At(40, 30), kBlack);
    // Equal gradient points give no gradient brush: the box fills in its first colour.
    DrawRoundGradientRect(equal.target(), 0, 20, 0, 20, 10, 10, 50, 30, 10, 10, kRed, kBlue, true, 1, kRed);
    EXPECT_EQ(equal.At(40, 30), kBlue);
}

TEST(EtchedLine, DarkLineTwoAboveAndLightLineOneAbove) {
    const uint32_t grey = ColorARGB(255, 128, 128, 128);
    DibSheet sheet(40, 20, kBlack);
    sheet.dib.ClearScreen(grey);
    DrawEtchedLine(sheet.target(), 0, 10, 40, 10, 1, 1, 0, 0);
    // Translucent black (alpha 50) over grey darkens it a little; the light line is white.
    EXPECT_NEAR(RedOf(sheet.At(20, 8)), 128 * 205 / 255, 6);
    EXPECT_EQ(sheet.At(20, 9), kWhite);
    EXPECT_EQ(sheet.At(20, 10), grey);
    EXPECT_EQ(sheet.At(20, 7), grey);
}

TEST(FrameRect, GreyFrameWithAWhiteFrameInside) {
    PaintedWindow window(120, 100, RGB(0, 0, 0), [](HDC dc) { DrawFrameRect(dc, 1, 1, 100, 80); });
    // The grey rectangle from (0, 0) sized 99 x 79.
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 79}, {99, 79}, {50, 0}, {50, 79}, {0, 40}, {99, 40}})
        EXPECT_EQ(window.At(x, y), RGB(208, 208, 208)) << x << "," << y;
    // The white one from (1, 1) sized 97 x 77.
    for (auto [x, y] : {std::pair{1, 1}, {98, 1}, {1, 78}, {98, 78}, {50, 1}, {50, 78}, {1, 40}, {98, 40}})
        EXPECT_EQ(window.At(x, y), RGB(255, 255, 255)) << x << "," << y;
    for (auto [x, y] : {std::pair{2, 2}, {50, 40}, {97, 77}, {100, 40}, {50, 80}, {105, 85}})
        EXPECT_EQ(window.At(x, y), RGB(0, 0, 0)) << x << "," << y;
}

TEST(FillEllipseAA, FilledWithASoftEdge) {
    PaintedWindow window(100, 80, RGB(0, 0, 0), [](HDC dc) { FillEllipseAA(dc, 10.5f, 10.5f, 61, 41, kRed); });
    EXPECT_EQ(window.At(41, 31), RGB(255, 0, 0));
    EXPECT_EQ(window.At(12, 12), RGB(0, 0, 0));
    EXPECT_EQ(window.At(80, 31), RGB(0, 0, 0));
    // The edge blends the fill into the ground, and only at the edge.
    int blended = 0;
    for (int y = 6; y < 58; ++y) {
        for (int x = 6; x < 78; ++x) {
            const COLORREF c = window.At(x, y);
            EXPECT_EQ(GetGValue(c), 0);
            if (GetRValue(c) <= 30 || GetRValue(c) >= 225) continue;
            ++blended;
            const double dx = (x - 41.0) / 30.5, dy = (y - 31.0) / 20.5;
            EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 1.0, 0.08) << x << "," << y;
        }
    }
    EXPECT_GT(blended, 40);
}
