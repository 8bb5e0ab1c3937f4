#include "controls/PanelShape.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "platform/GdipHandles.h"
#include "platform/Rounding.h"

namespace {

constexpr uint32_t kContentARGB = ColorARGB(255, 238, 238, 238);
constexpr uint32_t kWhite = ColorARGB(255, 255, 255, 255);

} // namespace

Rect ContentRect(float x, float w, float h) {
    return Rect(RoundHalfEven(x + 3), 30, RoundHalfEven(w + 14), RoundHalfEven(h - 30));
}

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
        const Rect content = ContentRect(x, w, h);
        if (white) GdipDrawRectangleI(g, white.get(), content.X, content.Y, content.Width, content.Height);
        if (GdipSolidFill brush = MakeSolidFill(kContentARGB))
            GdipFillRectangleI(g, brush.get(), content.X, content.Y, content.Width, content.Height);
    }
    GdipSetSmoothingMode(g, smoothing);
}
