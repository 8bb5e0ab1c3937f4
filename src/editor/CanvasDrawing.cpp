#include "editor/CanvasDrawing.h"

#include "editor/FrameTool.h"
#include "editor/UndoHistory.h"
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "imaging/ShapeFills.h"
#include "imaging/TextRendering.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
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

std::optional<RectF> DrawTextLook(const DrawTarget& target, const TextLook& look, PointF at) {
    return DrawTextTool(target, look.text, at.X, at.Y, look.font, look.size, look.style, look.render, look.colour,
                        look.opacity);
}

void SetUpCalendar(ClsCalendar& calendar, const TextLook& look, float sliderValue) {
    calendar.FontSize(look.size);
    calendar.TextRender(look.render);
    calendar.Font(look.font);
    calendar.FontStyle(look.style);
    calendar.FontColor(look.colour);
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
        (void)DrawTextLook(target, in.text, ShownToImage(in.shown, in.anchor));
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

namespace {

// The area between two corners (either first) of work, in whole pixels kept on it, as a bitmap of
// its own; empty when nothing of it is on work.
DrawingStamp CutArea(const DIBsave& work, float x1, float y1, float x2, float y2) {
    const int32_t left = std::clamp(RoundHalfEven(std::min(x1, x2)), 0, work.NewWidth);
    const int32_t top = std::clamp(RoundHalfEven(std::min(y1, y2)), 0, work.NewHeight);
    const int32_t right = std::clamp(RoundHalfEven(std::max(x1, x2)), 0, work.NewWidth);
    const int32_t bottom = std::clamp(RoundHalfEven(std::max(y1, y2)), 0, work.NewHeight);
    DrawingStamp stamp;
    if (!work.new_Img || right <= left || bottom <= top) return stamp;
    GdipFlush(work.MemGraphics, FlushIntentionSync);
    if (GdipCloneBitmapAreaI(left, top, right - left, bottom - top, PixelFormat32bppARGB, work.new_Img,
                             stamp.bitmap.put()) != Ok)
        return {};
    stamp.place = RectF(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right - left),
                        static_cast<float>(bottom - top));
    return stamp;
}

// A drawing of its own size placed at a point of the image.
DrawingStamp Placed(DrawingStamp stamp, PointF at) {
    stamp.place.X = at.X;
    stamp.place.Y = at.Y;
    return stamp;
}

// The text drawn at the corner of a bitmap of the box DrawTextTool measures for it.
DrawingStamp TextStamp(const TextLook& look) {
    DIBsave work;
    std::optional<RectF> box;
    if (work.CreateBlankMemory(1, 1)) box = DrawTextLook(DrawTarget::Surface(work.MemGraphics), look, PointF(0, 0));
    DrawingStamp stamp;
    if (box && work.CreateBlankMemory(RoundHalfEven(box->Height), RoundHalfEven(box->Width))) {
        (void)DrawTextLook(DrawTarget::Surface(work.MemGraphics), look, PointF(0, 0));
        stamp = CutArea(work, 0, 0, box->Width, box->Height);
    }
    return stamp;
}

} // namespace

DrawingStamp RenderDrawingStamp(const DrawingStepInputs& in) {
    const float W = in.shown.imageW, H = in.shown.imageH;
    DIBsave work;
    switch (in.effect) {
    case 4: {
        if (in.text.text.empty()) return {};
        return Placed(TextStamp(in.text), ShownToImage(in.shown, in.anchor));
    }
    case 10: {
        if (!in.calendar) return {};
        const float w = in.calendar->Width(), h = in.calendar->Height();
        if (!work.CreateBlankMemory(RoundHalfEven(h), RoundHalfEven(w))) return {};
        DrawToolCalendar(*in.calendar, DrawTarget::Surface(work.MemGraphics), PointF(0, 0));
        return Placed(CutArea(work, 0, 0, w, h), ShownToImage(in.shown, in.anchor));
    }
    case 19:
    case 20: {
        FrameCommitInputs frame;
        frame.effect = in.effect;
        frame.image = in.image;
        frame.width = W;
        frame.height = H;
        // The frame lies on the picture as shown, fitted or zoomed and panned.
        frame.fitRect = FramingRect(in.shown.fitMode, in.shown.fitRect, in.shown.view);
        frame.frame = in.frame;
        frame.pickPoint = in.pickPoint;
        frame.sliderValue = in.pen.sliderValue;
        frame.textColor = in.pen.colour;
        frame.pickedColor = in.secondColour;
        frame.fillMode = in.fillMode;
        const RectF F = FrameInImage(in.frame, frame.fitRect, W, H);
        if (F.Width <= 0 || F.Height <= 0 || !work.CreateBlankMemory(RoundHalfEven(H), RoundHalfEven(W))) return {};
        if (!DrawFrameShape(work.MemGraphics, frame, F)) return {};
        return CutArea(work, F.X, F.Y, F.X + F.Width, F.Y + F.Height);
    }
    case 25:
    case 26:
    case 27: {
        if (!work.CreateBlankMemory(RoundHalfEven(H), RoundHalfEven(W)) || !work.MemGraphics) return {};
        GdipSetSmoothingMode(work.MemGraphics, SmoothingModeAntiAlias);
        const PointF a = ShownToImage(in.shown, in.shapeStart), b = ShownToImage(in.shown, in.shapeEnd);
        if (!DrawOutline(DrawTarget::Surface(work.MemGraphics), a, b, OutlineKind(in.effect), in.pen)) return {};
        const float grow = in.pen.width / 2 + 1;
        return CutArea(work, std::min(a.X, b.X) - grow, std::min(a.Y, b.Y) - grow, std::max(a.X, b.X) + grow,
                       std::max(a.Y, b.Y) + grow);
    }
    default:
        return {};
    }
}
