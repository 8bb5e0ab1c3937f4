#include "imaging/PaintPrimitives.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The rounded box's outline; without its bottom corners the right edge turns straight into the
// flat bottom at y + h.
GdipPath RoundedPath(float x, float y, float w, float h, float cornerW, float cornerH, bool roundBottom) {
    GdipPath path;
    if (GdipCreatePath(FillModeAlternate, path.put()) != Ok) return path;
    GpPath* p = path.get();
    auto line = [p](double x1, double y1, double x2, double y2) {
        GdipAddPathLineI(p, RoundHalfEven(x1), RoundHalfEven(y1), RoundHalfEven(x2), RoundHalfEven(y2));
    };
    // The straight edges are whole-pixel lines; the figure's own joins close the gaps to the arcs.
    const double right = double{x} + 2.0 * cornerW + w;
    const double bottom = double{y} + h + cornerH;
    GdipAddPathArc(p, x, y, cornerW, cornerH, 180.0f, 90.0f);
    line(double{x} + cornerW, y, double{x} + w, y);
    GdipAddPathArc(p, x + cornerW + w, y, cornerW, cornerH, 270.0f, 90.0f);
    line(right, double{y} + cornerH, right, double{y} + h);
    if (roundBottom) {
        GdipAddPathArc(p, x + cornerW + w, y + h, cornerW, cornerH, 0.0f, 90.0f);
        line(double{x} + cornerW + w, bottom, double{x} + cornerW, bottom);
        GdipAddPathArc(p, x, y + h, cornerW, cornerH, 90.0f, 90.0f);
    }
    line(x, double{y} + h, x, double{y} + RoundHalfEven(cornerH) / 2);
    GdipClosePathFigure(p);
    return path;
}

} // namespace

GdipPath CreateRoundRectPath(float x, float y, float w, float h, float cornerW, float cornerH) {
    return RoundedPath(x, y, w, h, cornerW, cornerH, true);
}

GdipPath CreateTabPath(float x, float y, float w, float h, float cornerW, float cornerH) {
    return RoundedPath(x, y, w, h, cornerW, cornerH, false);
}

void DrawRoundGradientRect(const DrawTarget& target, int32_t gx1, int32_t gy1, int32_t /*gx2*/, int32_t gy2, float x,
                           float y, float w, float h, float cornerW, float cornerH, uint32_t colourA, uint32_t colourB,
                           bool pressed, int32_t penWidth, uint32_t penColour) {
    TargetSurface surface(target);
    if (!surface) return;
    GdipPen pen = MakePen(penColour == 0 ? ColorARGB(200, 255, 255, 255) : penColour, static_cast<float>(penWidth));
    GdipSetSmoothingMode(surface.get(), SmoothingModeAntiAlias);
    GdipPath path = CreateRoundRectPath(x, y, w, h, cornerW, cornerH);
    if (!path) return;

    const uint32_t first = pressed ? colourB : colourA;
    const uint32_t second = pressed ? colourA : colourB;
    const Point from{gx1, gy1};
    const Point to{gx1, gy2};
    GdipLineGradient gradient;
    if (GdipCreateLineBrushI(&from, &to, first, second, WrapModeTileFlipXY, gradient.put()) == Ok) {
        GdipFillPath(surface.get(), gradient.get(), path.get());
    } else {
        // Equal gradient points give no brush; the box still shows, in its first colour.
        if (GdipSolidFill solid = MakeSolidFill(first)) GdipFillPath(surface.get(), solid.get(), path.get());
    }
    if (pen) GdipDrawPath(surface.get(), pen.get(), path.get());
}

void DrawEtchedLine(const DrawTarget& target, float x1, float y1, float x2, float y2, int32_t lightWidth,
                    int32_t darkWidth, uint32_t darkColour, uint32_t lightColour) {
    TargetSurface surface(target);
    if (!surface) return;
    GdipPen dark = MakePen(darkColour == 0 ? ColorARGB(50, 0, 0, 0) : darkColour, static_cast<float>(darkWidth));
    if (dark) GdipDrawLine(surface.get(), dark.get(), x1, y1 - 2, x2, y2 - 2);
    GdipPen light =
        MakePen(lightColour == 0 ? ColorARGB(255, 255, 255, 255) : lightColour, static_cast<float>(lightWidth));
    if (light) GdipDrawLine(surface.get(), light.get(), x1, y1 - 1, x2, y2 - 1);
}

void DrawStripes(const DrawTarget& target, uint32_t colourA, uint32_t colourB, float left, float right, float bottom) {
    TargetSurface surface(target);
    if (!surface) return;
    GdipPen thin = MakePen(colourA, 1.0f);
    GdipPen wide = MakePen(colourB, 2.0f);
    if (!thin || !wide) return;
    // A bottom beyond any surface ends where 32-bit rows end instead of running on.
    const double last = std::min<double>(bottom, 2147483647.0);
    for (int64_t row = 0; static_cast<double>(row) <= last; row += 3) {
        const auto y = static_cast<float>(row);
        GdipDrawLine(surface.get(), thin.get(), left, y, right, y);
        GdipDrawLine(surface.get(), wide.get(), left, y + 2, right, y + 2);
    }
}

void DrawFrameRect(HDC dc, float x, float y, float w, float h) {
    DrawFrameRect(DrawTarget::Dc(dc), x, y, w, h);
}

void DrawFrameRect(const DrawTarget& target, float x, float y, float w, float h) {
    TargetSurface surface(target);
    if (!surface) return;
    // Side by side, not as one rectangle: this platform renders a figure through a scratch bitmap
    // of its bounds, which for a rectangle round the whole control costs as much as a repaint.
    const auto sides = [&](uint32_t colour, float left, float top, float right, float bottom) {
        GdipPen pen = MakePen(colour, 1.0f);
        if (!pen) return;
        GdipDrawLine(surface.get(), pen.get(), left, top, right, top);
        GdipDrawLine(surface.get(), pen.get(), right, top, right, bottom);
        GdipDrawLine(surface.get(), pen.get(), right, bottom, left, bottom);
        GdipDrawLine(surface.get(), pen.get(), left, bottom, left, top);
    };
    sides(ColorARGB(255, 208, 208, 208), x - 1, y - 1, x + w - 2, y + h - 2);
    sides(ColorARGB(255, 255, 255, 255), x, y, x + w - 3, y + h - 3);
}

void FillEllipseAA(HDC dc, float x, float y, float w, float h, uint32_t colour) {
    if (!(w > 0 && h > 0)) return;
    TargetSurface surface(DrawTarget::Dc(dc));
    if (!surface) return;
    GdipSetSmoothingMode(surface.get(), SmoothingModeAntiAlias);

    // Some GDI+ builds ignore the smoothing mode and fill with hard edges, so the dot's edge is
    // computed here: 4 x 4 samples per pixel give its coverage, and the covered pixels are drawn
    // as one premultiplied bitmap. A pixel (px, py) spans px - 0.5 to px + 0.5, as GDI+ counts.
    const double left = std::floor(double{x} - 0.5), top = std::floor(double{y} - 0.5);
    const double widthD = std::ceil(double{x} + w + 0.5) - left, heightD = std::ceil(double{y} + h + 0.5) - top;
    constexpr double kLargestDot = 1 << 20;
    if (!(widthD * heightD <= kLargestDot) || std::fabs(left) > 1e6 || std::fabs(top) > 1e6) {
        if (GdipSolidFill brush = MakeSolidFill(colour)) GdipFillEllipse(surface.get(), brush.get(), x, y, w, h);
        return;
    }
    const auto bw = static_cast<int>(widthD), bh = static_cast<int>(heightD);
    const double cx = double{x} + w / 2.0, cy = double{y} + h / 2.0, rx = w / 2.0, ry = h / 2.0;
    const uint32_t alpha = colour >> 24, red = (colour >> 16) & 0xFF, green = (colour >> 8) & 0xFF,
                   blue = colour & 0xFF;
    std::vector<uint32_t> pixels(static_cast<size_t>(bw) * static_cast<size_t>(bh), 0);
    for (int row = 0; row < bh; ++row) {
        for (int col = 0; col < bw; ++col) {
            int covered = 0;
            for (int sy = 0; sy < 4; ++sy) {
                const double dy = (top + row - 0.5 + (sy + 0.5) / 4.0 - cy) / ry;
                for (int sx = 0; sx < 4; ++sx) {
                    const double dx = (left + col - 0.5 + (sx + 0.5) / 4.0 - cx) / rx;
                    if (dx * dx + dy * dy <= 1.0) ++covered;
                }
            }
            if (covered == 0) continue;
            const uint32_t a = (alpha * static_cast<uint32_t>(covered) + 8) / 16;
            pixels[static_cast<size_t>(row) * static_cast<size_t>(bw) + static_cast<size_t>(col)] =
                (a << 24) | (((red * a + 127) / 255) << 16) | (((green * a + 127) / 255) << 8) |
                ((blue * a + 127) / 255);
        }
    }
    GdipBitmap dot;
    if (GdipCreateBitmapFromScan0(bw, bh, bw * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels.data()),
                                  dot.put()) != Ok) {
        return;
    }
    GdipSetInterpolationMode(surface.get(), InterpolationModeNearestNeighbor);
    GdipSetPixelOffsetMode(surface.get(), PixelOffsetModeHalf);
    GdipDrawImageRectI(surface.get(), dot.get(), static_cast<INT>(left), static_cast<INT>(top), bw, bh);
}
