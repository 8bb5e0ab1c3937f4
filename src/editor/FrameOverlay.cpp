#include "editor/FrameOverlay.h"

#include "editor/FrameTool.h"
#include "imaging/DrawTarget.h"
#include "imaging/GdipMakers.h"
#include "imaging/ImageTransforms.h"
#include "imaging/Loupe.h"
#include "imaging/ModGDI.h"
#include "imaging/ShapeFills.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kOutline = ColorARGB(150, 255, 255, 255);
constexpr uint32_t kShade = ColorARGB(150, 80, 80, 80);

// The fitted image outside the frame (combine mode 1) or the frame itself (4); an ellipse frame
// for the ellipse selection.
GdipRegion FramedRegion(const RectF& fit, const RectF& f, bool ellipse, int32_t combineMode) {
    GdipRegion area;
    if (GdipCreateRegionRect(&fit, area.put()) != Ok) return {};
    GdipPath path;
    if (GdipCreatePath(FillModeAlternate, path.put()) != Ok) return {};
    GdipAddPathRectangle(path.get(), fit.X, fit.Y, fit.Width, fit.Height);
    if (ellipse)
        GdipAddPathEllipse(path.get(), f.X, f.Y, f.Width, f.Height);
    else
        GdipAddPathRectangle(path.get(), f.X, f.Y, f.Width, f.Height);
    GdipRegion outside;
    if (GdipCreateRegionPath(path.get(), outside.put()) != Ok) return {};
    GdipCombineRegionRegion(area.get(), outside.get(), combineMode == 4 ? CombineModeExclude : CombineModeIntersect);
    return area;
}

// The same area as FramedRegion for a rectangular frame, as at most four plain rectangles.
void ShadeAroundFrame(const BackBuffer& pixels, const RectF& fit, const RectF& f, int32_t combineMode,
                      uint32_t colour) {
    const PixelRect area = CoveredPixels(fit);
    const PixelRect frame = CoveredPixels(f);
    const PixelRect inside{std::max(area.left, frame.left), std::max(area.top, frame.top),
                           std::min(area.right, frame.right), std::min(area.bottom, frame.bottom)};
    if (combineMode == 4) {
        BlendRect(pixels, inside, colour);
        return;
    }
    if (inside.Empty()) {
        BlendRect(pixels, area, colour);
        return;
    }
    BlendRect(pixels, {area.left, area.top, area.right, inside.top}, colour);
    BlendRect(pixels, {area.left, inside.bottom, area.right, area.bottom}, colour);
    BlendRect(pixels, {area.left, inside.top, inside.left, inside.bottom}, colour);
    BlendRect(pixels, {inside.right, inside.top, area.right, inside.bottom}, colour);
}

// The loupe of the red-eye tool: 20 pixels round the pointer, five times larger, in a panel whose
// corner lies 130 pixels left of and above the pointer, taken from the control's own bitmap with
// the eyes already mended.
void DrawRedEyeLoupe(GpGraphics* g, HDC dc, const FrameOverlayInputs& in) {
    if (!in.loupeBrush || !dc) return;
    GdipFlush(g, FlushIntentionSync);
    ::GdiFlush();
    auto* back = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
    DrawLoupe(dc, back, nullptr, in.pointer.X - 130, in.pointer.Y - 130, 100, 110, 10, 10, in.loupeBrush, in.pointer.X,
              in.pointer.Y, 20);
}

} // namespace

void DrawFrameOverlay(GpGraphics* g, HDC dc, const FrameOverlayInputs& in) {
    const int32_t e = in.effect;
    if (!g || !(HasDraggedFrame(e) || e == 6)) return;
    const RectF f = e == 6 ? RectF() : in.frame;
    const bool framed = f.Width > 0 && f.Height > 0;
    // Crop and colorize always shade or fill the outside.
    const int32_t combine = (e == 1 || e == 6) ? 1 : in.combineMode;
    GdipSetSmoothingMode(g, SmoothingModeAntiAlias);

    if (e == 1 || e == 9 || e == 17 || e == 42 || e == 5 || e == 6) {
        const bool filled = e == 5 || e == 6;
        const uint32_t colour = filled ? CanvasFillColour(in.textColor, in.sliderValue) : kShade;
        if (e != 42 && in.pixels) {
            GdipFlush(g, FlushIntentionSync);
            ::GdiFlush();
            ShadeAroundFrame(in.pixels, in.fitRect, f, combine, colour);
        } else if (GdipRegion region = FramedRegion(in.fitRect, f, e == 42, combine)) {
            GdipSolidFill brush = MakeSolidFill(colour);
            GdipFillRegion(g, brush.get(), region.get());
        }
    }
    if (!framed) {
        if (e == 9) DrawRedEyeLoupe(g, dc, in);
        return;
    }

    if (e == 9) {
        GdipFlush(g, FlushIntentionSync);
        ::GdiFlush();
        RemoveRedEye(PixelTarget::Dc(dc), f.X, f.Y, f.Width, f.Height, static_cast<int32_t>(std::trunc(in.sliderValue)),
                     10);
    } else if (e == 19 || e == 20) {
        const int32_t opacity = std::clamp(255 - static_cast<int32_t>(std::trunc(in.sliderValue)), 0, 255);
        const uint32_t a = RGBToARGB(in.textColor, 255), b = RGBToARGB(in.pickedColor, 255);
        if (e == 19)
            (void)DrawVectorShape(DrawTarget::Surface(g), in.fillMode, 0, f.X + f.Width / 2, f.Y + f.Height / 2,
                                  f.Width / 2 - 1, f.Height / 2 - 1, in.pickPoint.X, in.pickPoint.Y, 0.05f, a, b,
                                  opacity, 0);
        else
            (void)DrawVectorShape(DrawTarget::Surface(g), in.fillMode, 1, f.X, f.Y, f.Width, f.Height, in.pickPoint.X,
                                  in.pickPoint.Y, 0.05f, a, b, opacity, 0);
    }

    // The outline in the tool's style, and the handles it is resized by.
    GdipPen pen = MakePen(kOutline, 1);
    if (e == 9) {
        GdipSetPenDashStyle(pen.get(), DashStyleDot);
    } else if (e == 18 || e == 19 || e == 20) {
        const REAL dashes[2] = {3, 3};
        GdipSetPenDashArray(pen.get(), dashes, 2);
    }
    if (e == 42)
        GdipDrawEllipse(g, pen.get(), f.X, f.Y, f.Width, f.Height);
    else
        GdipDrawRectangle(g, pen.get(), f.X, f.Y, f.Width, f.Height);
    GdipPen handlePen = MakePen(kOutline, 1);
    const std::array<RectF, 9> handles = FrameHandles(f);
    for (int i = 1; i <= 8; ++i)
        GdipDrawRectangle(g, handlePen.get(), handles[i].X, handles[i].Y, handles[i].Width, handles[i].Height);
    if (e == 9) DrawRedEyeLoupe(g, dc, in);
}
