#include "editor/CanvasDrawing.h"

#include "editor/UndoHistory.h"
#include "imaging/ModGDI.h"
#include "imaging/ShapeFills.h"
#include "imaging/TextRendering.h"
#include "platform/Rounding.h"

#include <optional>

RectF ShownImageRect(const ShownView& s) {
    const PointF a = ImageToCanvas(PointF(0, 0), s.imageW, s.imageH, s.fitMode, s.fitRect, s.view);
    const PointF b = ImageToCanvas(PointF(s.imageW, s.imageH), s.imageW, s.imageH, s.fitMode, s.fitRect, s.view);
    return RectF(a.X, a.Y, b.X - a.X, b.Y - a.Y);
}

PointF ShownToImage(const ShownView& s, PointF point) {
    return CanvasToImage(point, s.imageW, s.imageH, s.fitMode, s.fitRect, s.view);
}

PointF ClampOntoShown(PointF p, const RectF& r) {
    const auto clamp = [](float v, float low, float extent) {
        if (v < low) return low;
        if (v >= low + extent) return low + extent - 1;
        return v;
    };
    return PointF(clamp(p.X, r.X, r.Width), clamp(p.Y, r.Y, r.Height));
}

bool DrawOutline(const DrawTarget& target, PointF from, PointF to, int32_t kind, const OutlinePen& pen) {
    const std::optional<int32_t> alpha = TryRoundHalfEven(static_cast<double>(pen.max) - pen.sliderValue);
    if (!alpha) return false;
    return DrawShapeStroke(target, from.X, from.Y, to.X, to.Y, RGBToARGB(pen.colour, 255), *alpha, pen.width, kind,
                           pen.square);
}

void DrawTextLook(const DrawTarget& target, const TextLook& look, PointF at) {
    DrawTextTool(target, look.text, at.X, at.Y, look.font, look.size, look.style, look.render,
                 RGBToARGB(look.colour, 255), look.opacity);
}

void SetUpCalendar(ClsCalendar& calendar, const TextLook& look, float sliderValue) {
    calendar.FontSize(look.size);
    calendar.TextRender(look.render);
    calendar.Font(look.font);
    calendar.FontStyle(look.style);
    calendar.FontColor(RGBToARGB(look.colour, 255));
    calendar.Opacity(255);
    calendar.Months(RoundHalfEven(sliderValue));
}

void DrawToolCalendar(ClsCalendar& calendar, const DrawTarget& target, PointF at) {
    calendar.DrawCalendar(target, at.X, at.Y, 2 * calendar.FontSize(), 10);
}

bool MakesDrawingStep(int32_t effect) {
    return effect == 4 || effect == 10 || OutlineKind(effect) != 0;
}

int32_t OutlineKind(int32_t effect) {
    return effect >= 25 && effect <= 27 ? effect - 24 : 0;
}

GdipBitmap RenderDrawingStep(const DrawingStepInputs& in) {
    if (!in.image || !MakesDrawingStep(in.effect) || (in.effect == 10 && !in.calendar)) return {};
    // The step keeps the image's own size whatever the zoom the drawing was placed at.
    GdipBitmap step = FullCopy(in.image);
    if (!step) return {};
    GdipGraphics g;
    if (GdipGetImageGraphicsContext(step.get(), g.put()) != Ok) return {};
    GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
    const DrawTarget target = DrawTarget::Surface(g.get());
    if (in.effect == 4) {
        DrawTextLook(target, in.text, ShownToImage(in.shown, in.anchor));
    } else if (in.effect == 10) {
        DrawToolCalendar(*in.calendar, target, ShownToImage(in.shown, in.anchor));
    } else {
        // A stroke that draws nothing (its alpha out of range) still makes the step, as the
        // unchanged image.
        (void)DrawOutline(target, ShownToImage(in.shown, in.shapeStart), ShownToImage(in.shown, in.shapeEnd),
                          OutlineKind(in.effect), in.pen);
    }
    g.reset();
    return step;
}
