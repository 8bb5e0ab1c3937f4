#include "editor/ClsSelect.h"

#include "imaging/ClipboardStamp.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <algorithm>

RectF BoundsOf(const std::vector<PointF>& points) {
    if (points.empty()) return {};
    float minX = points[0].X, minY = points[0].Y, maxX = minX, maxY = minY;
    for (const PointF& p : points) {
        minX = std::min(minX, p.X);
        minY = std::min(minY, p.Y);
        maxX = std::max(maxX, p.X);
        maxY = std::max(maxY, p.Y);
    }
    return RectF(minX, minY, maxX - minX, maxY - minY);
}

namespace {

// The valid lasso points of the program, control pixels.
std::vector<PointF> LassoPointsNow() {
    const AppState& app = App();
    const size_t count = static_cast<size_t>(std::max(app.LassoPointCount, 0));
    return {app.LassoPoints.begin(),
            app.LassoPoints.begin() + static_cast<ptrdiff_t>(std::min(count, app.LassoPoints.size()))};
}

// The pen of the lasso outline: the pixel under the pointer inverted, so that it shows on any
// picture.
GdipPen InvertingPen(HDC dc, PointF pointer) {
    const COLORREF under = ::GetPixel(dc, RoundHalfEven(pointer.X), RoundHalfEven(pointer.Y));
    const ColorBytes b = ColorToBytes(under == CLR_INVALID ? 0 : under);
    return MakePen(ColorARGB(255, static_cast<uint8_t>(255 - b.third), static_cast<uint8_t>(255 - b.second),
                             static_cast<uint8_t>(255 - b.first)),
                   1);
}

} // namespace

void ClsSelect::FreeSelect(HDC dc, PointF last, PointF pointer, bool lineFlag, bool closeFlag) {
    std::array<PointF, 3>& bounds = App().LassoBounds;
    if (bounds[0].X < last.X) bounds[0].X = last.X;
    if (bounds[0].Y < last.Y) bounds[0].Y = last.Y;
    if (bounds[1].X > last.X) bounds[1].X = last.X;
    if (bounds[1].Y > last.Y) bounds[1].Y = last.Y;
    minX_ = bounds[1].X;
    minY_ = bounds[1].Y;
    maxX_ = bounds[0].X;
    maxY_ = bounds[0].Y;
    if (!dc) return;

    GdipGraphics g;
    if (GdipCreateFromHDC(dc, g.put()) != Ok) return;
    GdipPen pen = InvertingPen(dc, pointer);
    const std::vector<PointF> points = LassoPointsNow();
    if (lineFlag) GdipDrawLine(g.get(), pen.get(), last.X, last.Y, pointer.X, pointer.Y);
    if (points.size() < 2) return;
    const auto n = static_cast<INT>(points.size());
    if (!lineFlag && closeFlag)
        GdipDrawPolygon(g.get(), pen.get(), points.data(), n);
    else
        GdipDrawLines(g.get(), pen.get(), points.data(), n);
}

CutResult ClsSelect::CutFree(const SelectImage& image, const ToImagePixels& map) {
    Mimg.Destroy();
    std::vector<PointF> points = LassoPointsNow();
    for (PointF& p : points) p = map.Map(p);
    GdipPath figure;
    if (GdipCreatePath(FillModeAlternate, figure.put()) != Ok) return {};
    // Fewer than three points enclose nothing: the figure stays empty.
    if (points.size() >= 3) GdipAddPathPolygon(figure.get(), points.data(), static_cast<INT>(points.size()));
    return Cut(figure.get(), BoundsOf(points), image);
}

CutResult ClsSelect::OtherSelect(HDC dc, int32_t shape, const RectF& rect, const SelectImage& image, bool draw,
                                 bool cut) {
    selectRect_ = rect;
    CutResult result;
    if (cut) {
        Mimg.Destroy();
        GdipPath figure;
        if (GdipCreatePath(FillModeAlternate, figure.put()) == Ok) {
            if (shape == 1)
                GdipAddPathEllipse(figure.get(), rect.X, rect.Y, rect.Width, rect.Height);
            else
                GdipAddPathRectangle(figure.get(), rect.X, rect.Y, rect.Width, rect.Height);
            result = Cut(figure.get(), rect, image);
        }
    }
    if (draw && dc) {
        GdipGraphics g;
        if (GdipCreateFromHDC(dc, g.put()) == Ok) {
            GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
            GdipSetPixelOffsetMode(g.get(), PixelOffsetModeHalf);
            DrawStroke(DrawTarget::Surface(g.get()), ColorARGB(255, 255, 255, 255), 1, shape == 1 ? 1 : 2);
        }
    }
    return result;
}

CutResult ClsSelect::Cut(GpPath* figure, const RectF& box, const SelectImage& image) {
    if (!image.image || image.width <= 0 || image.height <= 0) return {};
    const int32_t bl = RoundHalfEven(box.X), bt = RoundHalfEven(box.Y);
    const int32_t bw = RoundHalfEven(box.Width), bh = RoundHalfEven(box.Height);
    const RectF whole(0, 0, static_cast<float>(image.width), static_cast<float>(image.height));
    // Nothing selected keeps nothing, unless the cut keeps the outside: then it keeps everything.
    const CutResult nothing{false, box, true};
    const bool keepsOutside = pattenMode_ == kPattenOutside;
    if ((bw <= 0 || bh <= 0) && !keepsOutside) return nothing;

    // The figure, and the image outside it: the alternate fill of the figure plus the image's
    // rectangle.
    GdipRegion inside, outside;
    if (GdipCreateRegionPath(figure, inside.put()) != Ok) return {};
    GdipAddPathRectangle(figure, whole.X, whole.Y, whole.Width, whole.Height);
    if (GdipCreateRegionPath(figure, outside.put()) != Ok) return {};

    GdipBitmap work;
    if (GdipCreateBitmapFromScan0(image.width, image.height, 0, PixelFormat32bppARGB, nullptr, work.put()) != Ok)
        return {};
    GdipGraphics g;
    if (GdipGetImageGraphicsContext(work.get(), g.put()) != Ok) return {};

    GdipRegion onImage;
    BOOL empty = TRUE;
    if (GdipCloneRegion(inside.get(), onImage.put()) != Ok) return {};
    GdipCombineRegionRect(onImage.get(), &whole, CombineModeIntersect);
    GdipIsEmptyRegion(onImage.get(), g.get(), &empty);
    const bool nothingSelected = empty || bw <= 0 || bh <= 0;
    if (nothingSelected && !keepsOutside) return nothing;

    if (nothingSelected) // kept whole: not even a sliver too thin to count is left out
        GdipCombineRegionRect(inside.get(), &whole, CombineModeReplace);
    else
        GdipCombineRegionRegion(inside.get(), outside.get(), static_cast<CombineMode>(pattenMode_));
    GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
    GdipSetInterpolationMode(g.get(), InterpolationModeHighQualityBilinear);
    GdipSetPixelOffsetMode(g.get(), PixelOffsetModeHalf);
    GdipSetClipRegion(g.get(), inside.get(), CombineModeReplace);
    GdipDrawImageRectI(g.get(), image.image, 0, 0, image.width, image.height);
    g.reset();

    const bool cropped = pattenMode_ == kPattenInside && !clone_;
    if (!Mimg.CreateBlankMemory(cropped ? bh : image.height, cropped ? bw : image.width) || !Mimg.MemGraphics)
        return {};
    // A plain copy of the cut pixels, alpha and all.
    GdipSetCompositingMode(Mimg.MemGraphics, CompositingModeSourceCopy);
    if (cropped) {
        // Only the part of the box on the image is copied; a lasso drawn past the image's edge
        // leaves the rest transparent.
        const int32_t l = std::max(bl, 0), t = std::max(bt, 0);
        const int32_t r = std::min(bl + bw, image.width), b = std::min(bt + bh, image.height);
        if (r > l && b > t)
            GdipDrawImageRectRectI(Mimg.MemGraphics, work.get(), l - bl, t - bt, r - l, b - t, l, t, r - l, b - t,
                                   UnitPixel, nullptr, nullptr, nullptr);
    } else {
        GdipDrawImageRectRectI(Mimg.MemGraphics, work.get(), 0, 0, image.width, image.height, 0, 0, image.width,
                               image.height, UnitPixel, nullptr, nullptr, nullptr);
    }
    GdipSetCompositingMode(Mimg.MemGraphics, CompositingModeSourceOver);
    return {Mimg.Save(StampTempPath(), kFormatPng, 90), box, nothingSelected};
}

void ClsSelect::DrawStroke(const DrawTarget& target, uint32_t colour, int32_t width, int32_t mode) const {
    TargetSurface surface(target);
    if (!surface || mode < 0 || mode > 2) return;
    GdipSetSmoothingMode(surface.get(), SmoothingModeAntiAlias);
    GdipPen pen = MakePen(colour, static_cast<float>(width));
    const RectF& r = selectRect_;
    if (mode == 0) {
        const std::vector<PointF> points = LassoPointsNow();
        if (points.size() >= 2)
            GdipDrawPolygon(surface.get(), pen.get(), points.data(), static_cast<INT>(points.size()));
    } else if (mode == 1) {
        GdipDrawEllipse(surface.get(), pen.get(), r.X, r.Y, r.Width, r.Height);
    } else {
        GdipDrawRectangle(surface.get(), pen.get(), r.X, r.Y, r.Width, r.Height);
    }
}
