#include "editor/FrameTool.h"

#include "editor/UndoHistory.h"
#include "imaging/DrawTarget.h"
#include "imaging/GdipMakers.h"
#include "imaging/ImageTransforms.h"
#include "imaging/ModGDI.h"
#include "imaging/ShapeFills.h"
#include "platform/PictureBox.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsEmpty(const RectF& r) {
    return !(r.Width > 0 && r.Height > 0);
}

constexpr float kRedEyeSide = 100;

// The handle on the other side of the frame across a vertical (mirrorX) or horizontal axis.
int MirrorHandle(int handle, bool mirrorX, bool mirrorY) {
    // Handles by column and row: 0 left/top, 1 middle, 2 right/bottom.
    static constexpr int kCol[9] = {1, 0, 1, 2, 2, 2, 1, 0, 0};
    static constexpr int kRow[9] = {1, 0, 0, 0, 1, 2, 2, 2, 1};
    static constexpr int kAt[3][3] = {{1, 2, 3}, {8, 0, 4}, {7, 6, 5}}; // [row][col]
    if (handle < 1 || handle > 8) return handle;
    const int col = mirrorX ? 2 - kCol[handle] : kCol[handle];
    const int row = mirrorY ? 2 - kRow[handle] : kRow[handle];
    return kAt[row][col];
}

} // namespace

bool HasDraggedFrame(int32_t effect) {
    return effect == 1 || effect == 5 || effect == 9 || effect == 17 || effect == 18 || effect == 19 || effect == 20 ||
           effect == 42;
}

RectF SpannedFrame(PointF a, PointF b) {
    return RectF(std::min(a.X, b.X), std::min(a.Y, b.Y), std::fabs(b.X - a.X), std::fabs(b.Y - a.Y));
}

std::array<RectF, 9> FrameHandles(const RectF& f) {
    const float xs[3] = {f.X, f.X + f.Width / 2, f.X + f.Width};
    const float ys[3] = {f.Y, f.Y + f.Height / 2, f.Y + f.Height};
    static constexpr int kCol[9] = {1, 0, 1, 2, 2, 2, 1, 0, 0};
    static constexpr int kRow[9] = {1, 0, 0, 0, 1, 2, 2, 2, 1};
    std::array<RectF, 9> handles{};
    constexpr float half = kHandleSize / 2;
    for (int i = 1; i <= 8; ++i) handles[i] = RectF(xs[kCol[i]] - half, ys[kRow[i]] - half, kHandleSize, kHandleSize);
    return handles;
}

int FrameElementAt(const RectF& frame, float x, float y) {
    if (IsEmpty(frame)) return -1;
    const std::array<RectF, 9> handles = FrameHandles(frame);
    for (int i = 1; i <= 8; ++i) {
        const RectF& h = handles[i];
        if (x >= h.X && x <= h.X + h.Width && y >= h.Y && y <= h.Y + h.Height) return i;
    }
    if (x >= frame.X && x <= frame.X + frame.Width && y >= frame.Y && y <= frame.Y + frame.Height) return 0;
    return -1;
}

int HandlePointer(int handle) {
    switch (handle) {
    case 1:
    case 5:
        return MousePointer::SizeNWSE;
    case 2:
    case 6:
        return MousePointer::SizeNS;
    case 3:
    case 7:
        return MousePointer::SizeNESW;
    case 4:
    case 8:
        return MousePointer::SizeWE;
    default:
        return -1;
    }
}

RectF FollowFrameDrag(const RectF& frame, int& handle, PointF p, PointF grab) {
    float left = frame.X, top = frame.Y, right = frame.X + frame.Width, bottom = frame.Y + frame.Height;
    // One case a handle, clockwise from the top-left corner: each moves only the edges it touches.
    switch (handle) {
    case 0:
        return RectF(p.X - grab.X, p.Y - grab.Y, frame.Width, frame.Height);
    case 1:
        left = p.X, top = p.Y;
        break;
    case 2:
        top = p.Y;
        break;
    case 3:
        right = p.X, top = p.Y;
        break;
    case 4:
        right = p.X;
        break;
    case 5:
        right = p.X, bottom = p.Y;
        break;
    case 6:
        bottom = p.Y;
        break;
    case 7:
        left = p.X, bottom = p.Y;
        break;
    case 8:
        left = p.X;
        break;
    default:
        return frame;
    }
    handle = MirrorHandle(handle, right < left, bottom < top);
    return SpannedFrame(PointF(left, top), PointF(right, bottom));
}

RectF KeepFrameOnImage(const RectF& frame, const RectF& fit) {
    RectF f = frame;
    f.Width = std::min(f.Width, fit.Width);
    f.Height = std::min(f.Height, fit.Height);
    f.X = std::min(std::max(f.X, fit.X), fit.X + fit.Width - f.Width);
    f.Y = std::min(std::max(f.Y, fit.Y), fit.Y + fit.Height - f.Height);
    return f;
}

PointF ClampToImage(PointF p, const RectF& fit) {
    return PointF(std::clamp(p.X, fit.X, fit.X + std::max(fit.Width, 0.0f)),
                  std::clamp(p.Y, fit.Y, fit.Y + std::max(fit.Height, 0.0f)));
}

RectF LimitRedEyeFrame(const RectF& frame) {
    return RectF(frame.X, frame.Y, std::min(frame.Width, kRedEyeSide), std::min(frame.Height, kRedEyeSide));
}

RectF RedEyeFrameForAll(const RectF& picture, const RectF& view) {
    const float left = std::max(picture.X, view.X), top = std::max(picture.Y, view.Y);
    const float right = std::min(picture.X + picture.Width, view.X + view.Width);
    const float bottom = std::min(picture.Y + picture.Height, view.Y + view.Height);
    const RectF shown(left, top, right - left, bottom - top);
    const bool whole =
        left == picture.X && top == picture.Y && shown.Width == picture.Width && shown.Height == picture.Height;
    if (whole || IsEmpty(shown)) return LimitRedEyeFrame(picture);
    const float w = std::min(shown.Width, kRedEyeSide), h = std::min(shown.Height, kRedEyeSide);
    return RectF(left + (shown.Width - w) / 2, top + (shown.Height - h) / 2, w, h);
}

RectF FrameOnMovedPicture(const RectF& frame, const RectF& from, const RectF& to) {
    if (IsEmpty(frame) || IsEmpty(from) || IsEmpty(to)) return frame;
    const float sx = to.Width / from.Width, sy = to.Height / from.Height;
    return RectF(to.X + (frame.X - from.X) * sx, to.Y + (frame.Y - from.Y) * sy, frame.Width * sx, frame.Height * sy);
}

RectF FrameInImage(const RectF& frame, const RectF& fit, float imageW, float imageH) {
    if (IsEmpty(fit)) return RectF();
    const float sx = imageW / fit.Width, sy = imageH / fit.Height;
    return RectF((frame.X - fit.X) * sx, (frame.Y - fit.Y) * sy, frame.Width * sx, frame.Height * sy);
}

uint32_t CanvasFillColour(COLORREF textColor, float sliderValue) {
    const float alpha = std::clamp(std::floor(sliderValue), 0.0f, 255.0f);
    return SetColorAlpha(RGBToARGB(textColor, 255), static_cast<uint8_t>(alpha));
}

bool IsFrameCommit(int32_t effect) {
    return MakesWholeFrameStep(effect) || effect == 5 || effect == 6;
}

bool MakesWholeFrameStep(int32_t effect) {
    return effect == 1 || effect == 9 || effect == 19 || effect == 20;
}

namespace {

// The crop: the area of the image under the frame, as a 32 bpp ARGB step like every other. A clone
// back into a palette format would take GDI+'s stock palette instead of the picture's own (wrong
// colours), and such a bitmap may not even encode as the step's PNG.
GdipBitmap CropCommit(const FrameCommitInputs& in, const RectF& F) {
    INT x = RoundHalfEven(F.X), y = RoundHalfEven(F.Y), w = RoundHalfEven(F.Width), h = RoundHalfEven(F.Height);
    // A frame hanging off an edge crops to the part of it on the picture, whichever the edge.
    if (x < 0) w += x, x = 0;
    if (y < 0) h += y, y = 0;
    w = std::min(w, static_cast<INT>(in.width) - x);
    h = std::min(h, static_cast<INT>(in.height) - y);
    if (w <= 0 || h <= 0) return {};
    GdipBitmap source = FullCopy(in.image);
    if (!source) return {};
    GdipBitmap area;
    if (GdipCloneBitmapAreaI(x, y, w, h, PixelFormat32bppARGB, source.get(), area.put()) != Ok) return {};
    return area;
}

} // namespace

bool DrawFrameShape(GpGraphics* g, const FrameCommitInputs& in, const RectF& F) {
    if ((in.effect != 19 && in.effect != 20) || in.fitRect.Width <= 0 || in.fitRect.Height <= 0) return false;
    const float sx = in.width / in.fitRect.Width, sy = in.height / in.fitRect.Height;
    const PointF focus((in.pickPoint.X - in.fitRect.X) * sx, (in.pickPoint.Y - in.fitRect.Y) * sy);
    const int32_t opacity = std::clamp(255 - static_cast<int32_t>(std::trunc(in.sliderValue)), 0, 255);
    const uint32_t a = RGBToARGB(in.textColor, 255), b = RGBToARGB(in.pickedColor, 255);
    const DrawTarget t = DrawTarget::Surface(g);
    return in.effect == 19 ? DrawVectorShape(t, in.fillMode, 0, F.X + F.Width / 2, F.Y + F.Height / 2, F.Width / 2 - 1,
                                             F.Height / 2 - 1, focus.X, focus.Y, 0.05f, a, b, opacity, 0)
                           : DrawVectorShape(t, in.fillMode, 1, F.X, F.Y, F.Width, F.Height, focus.X, focus.Y, 0.05f, a,
                                             b, opacity, 0);
}

bool DrawFillCommit(GpGraphics* g, const FrameCommitInputs& in) {
    if ((in.effect != 5 && in.effect != 6) || !g || in.width <= 0 || in.height <= 0) return false;
    const RectF whole(0, 0, in.width, in.height);
    GdipSolidFill fill = MakeSolidFill(CanvasFillColour(in.textColor, in.sliderValue));
    if (in.effect == 6) {
        GdipFillRectangle(g, fill.get(), whole.X, whole.Y, whole.Width, whole.Height);
        return true;
    }
    const RectF F = FrameInImage(in.frame, in.fitRect, in.width, in.height);
    if (IsEmpty(F)) {
        // Without a frame the whole picture lies outside it, and nothing inside it.
        if (in.combineMode == 4) return false;
        GdipFillRectangle(g, fill.get(), whole.X, whole.Y, whole.Width, whole.Height);
        return true;
    }
    // Intersect keeps the image outside the frame; exclude keeps the frame itself.
    GdipRegion area;
    if (GdipCreateRegionRect(&whole, area.put()) != Ok) return false;
    GdipPath outside;
    GdipCreatePath(FillModeAlternate, outside.put());
    GdipAddPathRectangle(outside.get(), whole.X, whole.Y, whole.Width, whole.Height);
    GdipAddPathRectangle(outside.get(), F.X, F.Y, F.Width, F.Height);
    GdipRegion framed;
    if (GdipCreateRegionPath(outside.get(), framed.put()) != Ok) return false;
    const CombineMode mode = in.combineMode == 4 ? CombineModeExclude : CombineModeIntersect;
    GdipCombineRegionRegion(area.get(), framed.get(), mode);
    GdipFillRegion(g, fill.get(), area.get());
    return true;
}

GdipBitmap RenderFrameCommit(const FrameCommitInputs& in) {
    if (!MakesWholeFrameStep(in.effect) || !in.image || in.width <= 0 || in.height <= 0) return {};
    const RectF F = FrameInImage(in.frame, in.fitRect, in.width, in.height);
    if (IsEmpty(F)) return {}; // nothing framed: no step
    if (in.effect == 1) return CropCommit(in, F);

    GdipBitmap step = FullCopy(in.image);
    GdipGraphics g;
    if (!step || GdipGetImageGraphicsContext(step.get(), g.put()) != Ok) return {};
    GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
    switch (in.effect) {
    case 9:
        g.reset(); // the pixels are read and written directly
        RemoveRedEye(PixelTarget::Bitmap(step.get()), F.X, F.Y, F.Width, F.Height,
                     static_cast<int32_t>(std::trunc(in.sliderValue)), 10);
        break;
    case 19:
    case 20:
        if (!DrawFrameShape(g.get(), in, F)) return {};
        break;
    default:
        return {};
    }
    g.reset();
    return step;
}
