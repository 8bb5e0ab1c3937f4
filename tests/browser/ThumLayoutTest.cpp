// The grid's geometry without a window: cells, rows, the content's height, the scroll range and
// where a picture sits in its box.
#include "browser/ThumLayout.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ThumLayout, CellsRowsAndContentHeight) {
    struct Case {
        float size;
        int32_t spacing, width, columns, perRow;
        POINT second, seventh; // the cells after the first and after the first row
        int32_t thirteenRows;  // content height for 13 rows
    };
    const Case cases[] = {
        // 800 wide, scroll bar 17: Int(773 / 100) = 7 columns, 6 cells a row, 120 apart, rows 150 apart.
        {100, 0, 800, 7, 6, {125, 20}, {5, 170}, 3 * 160},
        {0, 0, 800, 7, 6, {125, 20}, {5, 170}, 3 * 160}, // no size stored: 100
        {150, 0, 800, 5, 4, {175, 20}, {345, 220}, 4 * 210},
        {100, 2, 800, 7, 6, {133, 20}, {9, 174}, 3 * 164},
        {100, 0, 250, 2, 1, {5, 170}, {5, 920}, 13 * 160}, // two columns: one cell a row
        {100, 0, 120, 0, 1, {5, 170}, {5, 920}, 13 * 160}, // too narrow: still one
    };
    for (const Case& c : cases) {
        const ThumGeometry g = ComputeThumGeometry(c.size, c.size, c.spacing, c.width, 17);
        EXPECT_EQ(
            (std::vector<int32_t>{g.columns, g.cellsPerRow, g.CellOrigin(0).x, g.CellOrigin(0).y, g.CellOrigin(1).x,
                                  g.CellOrigin(1).y, g.CellOrigin(6).x, g.CellOrigin(6).y, g.ContentHeight(13)}),
            (std::vector<int32_t>{c.columns, c.perRow, g.margin, 20, c.second.x, c.second.y, c.seventh.x, c.seventh.y,
                                  c.thirteenRows}))
            << c.size << " " << c.width;
    }
    EXPECT_EQ(ComputeThumGeometry(100, 100, 0, 800, 17).ContentHeight(12), 2 * 160); // whole rows: no extra
}

TEST(ThumLayout, ScrollRangeAndFit) {
    EXPECT_FALSE(ScrollRangeFor(480, 481).enabled);
    EXPECT_TRUE(ScrollRangeFor(480, 480).enabled);
    EXPECT_EQ(ScrollRangeFor(480, 300).max, 180);

    struct Case {
        float w, h;
        RectF fit;
    };
    const Case cases[] = {
        {800, 600, {0, 12, 100, 75}},  {600, 800, {12, -5, 75, 100}}, // a portrait fit is raised by 5
        {50, 40, {25, 30, 50, 40}},    {100, 100, {0, 0, 100, 100}},  // never enlarged
        {1000, 1, {0, 50, 100, 0.1f}}, {0, 0, {50, 50, 0, 0}},        // a file that could not be read
    };
    for (const Case& c : cases) {
        const RectF fit = FitInBox(c.w, c.h, 100, 100);
        EXPECT_FLOAT_EQ(fit.X, c.fit.X) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(fit.Y, c.fit.Y) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(fit.Width, c.fit.Width) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(fit.Height, c.fit.Height) << c.w << "x" << c.h;
    }
}

TEST(ThumLayout, EveryCellOfARowStandsWholeInTheView) {
    // Every thumbnail size the size menu offers (and the default), spacing 0 and 2, at every width
    // from a control too narrow for one cell to a 2,560-pixel screen.
    for (const float size : {60.0f, 100.0f, 120.0f, 140.0f, 150.0f})
        for (const int32_t spacing : {0, 2}) {
            int32_t before = 1;
            for (int32_t width = 1; width <= 2560; ++width) {
                const ThumGeometry g = ComputeThumGeometry(size, size, spacing, width, 17);
                const int32_t surface = width - 17 - ThumGeometry::kSurfaceLeft;
                const POINT last = g.CellOrigin(g.cellsPerRow - 1);
                ASSERT_GE(g.cellsPerRow, 1);
                // The last cell of a row with its selection frame (2 pixels wide, 2 outside the
                // picture) ends inside the surface, unless the control is too narrow for any.
                if (g.cellsPerRow > 1 || g.margin + g.boxWidth + 3 <= surface) {
                    ASSERT_LE(last.x + g.boxWidth + 3, surface) << size << " " << spacing << " " << width;
                }
                // The next row starts at the left again, and a wider control never holds fewer.
                ASSERT_EQ(g.CellOrigin(g.cellsPerRow).x, g.margin);
                ASSERT_GE(g.cellsPerRow, before) << size << " " << width;
                before = g.cellsPerRow;
            }
        }
    // Where the width's count fits it stands as counted; where the cells' step would carry them
    // past the edge, a row holds the cells that fit: a 1,263-pixel grid holds 10 cells of 100, not
    // 11 with the 11th cut, and a 2,560-pixel one 21, not 24.
    struct Case {
        float size;
        int32_t width, perRow;
    };
    const Case cases[] = {{100, 800, 6},   {150, 800, 4},  {100, 250, 1},   {100, 1263, 10},
                          {100, 2560, 21}, {60, 2560, 31}, {150, 2560, 15}, {60, 1263, 15}};
    for (const Case& c : cases)
        EXPECT_EQ(ComputeThumGeometry(c.size, c.size, 0, c.width, 17).cellsPerRow, c.perRow)
            << c.size << " " << c.width;
}
