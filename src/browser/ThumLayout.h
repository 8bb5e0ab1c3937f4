// Where the grid's cells go: the geometry of one drawing pass (margins, cell boxes, the step
// between cells and rows, how many cells a row holds) and the scroll range of the content.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>

struct ThumGeometry {
    int32_t thumWidth = 100; // the thumbnail size the pass uses (a size of 0 or below counts as 100)
    int32_t thumHeight = 100;
    int32_t margin = 5;     // left edge of the first cell
    int32_t boxWidth = 100; // the box an image is fitted into
    int32_t boxHeight = 100;
    int32_t step = 120;      // from one cell to the next in a row
    int32_t rowStep = 150;   // from one row of cells to the next
    int32_t columns = 0;     // the column count as the width gives it; a row holds one fewer
    int32_t cellsPerRow = 1; // at least one, and no more than stand whole in the view

    static constexpr int32_t kFirstTop = 20;
    static constexpr int32_t kCaptionLine = 13;
    // The drawing surface stands this far right of the control's left edge.
    static constexpr int32_t kSurfaceLeft = 5;
    // How far the selection frame reaches past a picture's edge (2 pixels out, 2 wide).
    static constexpr int32_t kFrameReach = 3;

    // The top-left corner of the n-th shown cell (0-based) on the content.
    [[nodiscard]] POINT CellOrigin(int32_t n) const;
    // The content's height for a table of rows (hidden rows count too).
    [[nodiscard]] int32_t ContentHeight(int32_t rows) const;
};

// spacing: the pass's spacing argument; innerWidth: the control's inner width; scrollWidth: the
// scroll bar's width. The surface beside the scroll bar is innerWidth - scrollWidth - kSurfaceLeft
// wide.
ThumGeometry ComputeThumGeometry(float thumWidth, float thumHeight, int32_t spacing, int32_t innerWidth,
                                 int32_t scrollWidth);

// Whether the scroll bar is needed for content of contentHeight in a view of viewHeight, and the
// largest scroll value then.
struct ThumScrollRange {
    bool enabled = false;
    int32_t max = 0;
};
ThumScrollRange ScrollRangeFor(int32_t contentHeight, int32_t viewHeight);

// The image's place in its box: fitted without enlarging and centred; a portrait fit is raised by
// 5 pixels.
RectF FitInBox(float imageWidth, float imageHeight, float boxWidth, float boxHeight);
