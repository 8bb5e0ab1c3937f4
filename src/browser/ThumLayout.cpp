#include "browser/ThumLayout.h"

#include "imaging/GdiDIB.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

// Room under a row of cells for the two caption lines and the gap to the next row.
constexpr int32_t kRowExtra = 60;

} // namespace

POINT ThumGeometry::CellOrigin(int32_t n) const {
    const int32_t perRow = std::max(cellsPerRow, 1);
    return {margin + (n % perRow) * step, kFirstTop + (n / perRow) * rowStep};
}

int32_t ThumGeometry::ContentHeight(int32_t rows) const {
    const int32_t perRow = std::max(cellsPerRow, 1);
    const int32_t gridRows = rows / perRow + (rows % perRow != 0 ? 1 : 0);
    return gridRows * (kRowExtra + boxHeight);
}

ThumGeometry ComputeThumGeometry(float thumWidth, float thumHeight, int32_t spacing, int32_t innerWidth,
                                 int32_t scrollWidth) {
    ThumGeometry g;
    // A first start stores no size: 0 would leave no room for a picture.
    g.thumWidth = thumWidth > 0 ? RoundHalfEven(thumWidth) : 100;
    g.thumHeight = thumHeight > 0 ? RoundHalfEven(thumHeight) : 100;
    g.margin = 2 * spacing + 5;
    g.boxWidth = g.thumWidth + 2 * spacing;
    g.boxHeight = g.thumHeight + 2 * spacing;
    g.step = g.thumWidth + 20 + 2 * spacing;
    g.rowStep = g.step + 30;
    const int32_t divisor = std::max(g.boxWidth + 2 * spacing, 1);
    g.columns =
        static_cast<int32_t>(std::floor(static_cast<double>(innerWidth - 2 * g.margin - scrollWidth) / divisor));
    // The columns are counted with the box while the cells stand a step apart, which is wider: on a
    // wide control that count carries cells past the surface's edge. A row holds one cell fewer
    // than the columns counted, never more than stand whole (with their frame) on the surface, and
    // never none.
    const int32_t surface = innerWidth - scrollWidth - ThumGeometry::kSurfaceLeft;
    const int32_t room = surface - g.margin - g.boxWidth - ThumGeometry::kFrameReach;
    const int32_t whole = room < 0 ? 0 : room / std::max(g.step, 1) + 1;
    g.cellsPerRow = std::max(std::min(g.columns - 1, whole), 1);
    return g;
}

ThumScrollRange ScrollRangeFor(int32_t contentHeight, int32_t viewHeight) {
    if (viewHeight > contentHeight) return {};
    return {true, contentHeight - viewHeight};
}

RectF FitInBox(float imageWidth, float imageHeight, float boxWidth, float boxHeight) {
    RectF fit;
    GdiDIB::GetBestFitInfo(imageWidth, imageHeight, boxWidth, boxHeight, fit.X, fit.Y, fit.Width, fit.Height);
    if (fit.Height > fit.Width) fit.Y -= 5;
    return fit;
}
