#include "controls/PanelShape.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "platform/GdipHandles.h"
#include "platform/Rounding.h"

namespace {

constexpr uint32_t kContentARGB = ColorARGB(255, 238, 238, 238);
constexpr uint32_t kWhite = ColorARGB(255, 255, 255, 255);

// A tab: rounded top corners, flat bottom at y + h.
GdipPath CreateTabPath(float x, float y, float w, float h, float arcW, float arcH) {
    GdipPath path;
    if (GdipCreatePath(FillModeAlternate, path.put()) != Ok) return path;
    GpPath* p = path.get();
    auto line = [p](double x1, double y1, double x2, double y2) {
        GdipAddPathLineI(p, RoundHalfEven(x1), RoundHalfEven(y1), RoundHalfEven(x2), RoundHalfEven(y2));
    };
    const double right = double{x} + w + 2.0 * arcW;
    GdipAddPathArc(p, x, y, arcW, arcH, 180.0f, 90.0f);
    line(double{x} + arcW, y, double{x} + w, y);
    GdipAddPathArc(p, x + arcW + w, y, arcW, arcH, 270.0f, 90.0f);
    line(right, double{y} + arcH, right, double{y} + h);
    line(x, double{y} + h, x, double{y} + RoundHalfEven(arcH) / 2);
    GdipClosePathFigure(p);
    return path;
}

} // namespace

void PaintPanelShape(GpGraphics* g, float arcW, float arcH, float w, float h, float x, float y, bool noContent,
                     uint32_t fill, bool tabShape, bool picked, const TabLook& unpicked) {
    if (!g) return;
    SmoothingMode smoothing = SmoothingModeDefault;
    GdipGetSmoothingMode(g, &smoothing);
    GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    const GdipPen white = MakePen(kWhite, 1);
    if (!tabShape) {
        GdipPath shape = CreateRoundRectPath(x, y, w, h, arcW, arcH);
        if (GdipSolidFill brush = MakeSolidFill(fill); brush && shape) GdipFillPath(g, brush.get(), shape.get());
        if (white && shape) GdipDrawPath(g, white.get(), shape.get());
    } else if (GdipPath tab = CreateTabPath(x, y, w, h, arcW, arcH); tab && picked) {
        if (GdipSolidFill brush = MakeSolidFill(kContentARGB)) GdipFillPath(g, brush.get(), tab.get());
        if (white) GdipDrawPath(g, white.get(), tab.get());
    } else if (tab) {
        const PointF from(0, 0), to(0, 50);
        GdipLineGradient brush;
        if (GdipCreateLineBrush(&from, &to, unpicked.gradientFrom, unpicked.gradientTo, WrapModeTileFlipXY,
                                brush.put()) == Ok)
            GdipFillPath(g, brush.get(), tab.get());
        if (GdipPen pen = MakePen(unpicked.outline, 1)) GdipDrawPath(g, pen.get(), tab.get());
    }
    if (!noContent) {
        const int32_t cx = RoundHalfEven(x + 3), cy = 30, cw = RoundHalfEven(w + 14), ch = RoundHalfEven(h - 30);
        if (white) GdipDrawRectangleI(g, white.get(), cx, cy, cw, ch);
        if (GdipSolidFill brush = MakeSolidFill(kContentARGB)) GdipFillRectangleI(g, brush.get(), cx, cy, cw, ch);
    }
    GdipSetSmoothingMode(g, smoothing);
}
