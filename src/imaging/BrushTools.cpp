// The stamp brushes. A dab is clipped once to a square, the square is cut into one span of
// columns per row (the part inside the circle), and the loops run over those spans straight in
// the layer's rows; the display bitmap is locked once per dab over the dab's rectangle.
#include "imaging/BrushTools.h"

#include "imaging/EffectBuffers.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Inclusive bounds of the clipped square.
struct DabRect {
    int32_t left, top, right, bottom;
};

// The columns of one row inside the circle; empty when x1 < x0.
struct Span {
    int32_t x0, x1;
};

struct DabShape {
    DabRect rect{};
    std::vector<Span> rows; // rows[i] is layer row rect.top + i
};

// The square (l, t)-(r, b) intersected with (0, 0, w - 1, h - 1), right and bottom exclusive as in
// a rectangle intersection; the loops then include both bounds. So the layer's last column and row
// are reached only by a square that spans them.
std::optional<DabRect> ClipSquare(int64_t l, int64_t t, int64_t r, int64_t b, int32_t w, int32_t h) {
    const int64_t cl = std::max<int64_t>(l, 0), ct = std::max<int64_t>(t, 0);
    const int64_t cr = std::min<int64_t>(r, int64_t{w} - 1), cb = std::min<int64_t>(b, int64_t{h} - 1);
    if (cr <= cl || cb <= ct) return std::nullopt;
    return DabRect{static_cast<int32_t>(cl), static_cast<int32_t>(ct), static_cast<int32_t>(cr),
                   static_cast<int32_t>(cb)};
}

// The inside columns of one row between left and right, for a convex inside test centred on cx.
template <typename Inside> Span FindSpan(Inside inside, double cx, double halfWidth, int32_t left, int32_t right) {
    const double nearest = std::clamp(std::floor(cx + 0.5), static_cast<double>(left), static_cast<double>(right));
    const int32_t c = static_cast<int32_t>(nearest);
    if (!inside(c)) return {1, 0}; // the nearest column is out, so all are
    int32_t x0 = static_cast<int32_t>(std::clamp(std::ceil(cx - halfWidth), static_cast<double>(left), nearest));
    while (x0 > left && inside(x0 - 1)) --x0;
    while (!inside(x0)) ++x0;
    int32_t x1 = static_cast<int32_t>(std::clamp(std::floor(cx + halfWidth), nearest, static_cast<double>(right)));
    while (x1 < right && inside(x1 + 1)) ++x1;
    while (!inside(x1)) --x1;
    return {x0, x1};
}

// Whole-pixel centre: (x, y) is inside when dx^2 + dy^2 < r^2 + 1.
DabShape ShapeAround(const DabRect& rect, int32_t cx, int32_t cy, int64_t r2) {
    DabShape shape{rect, {}};
    shape.rows.reserve(static_cast<size_t>(rect.bottom - rect.top + 1));
    for (int32_t y = rect.top; y <= rect.bottom; ++y) {
        const int64_t dy = int64_t{y} - cy;
        const int64_t room = r2 - dy * dy;
        if (room < 0) {
            shape.rows.push_back({1, 0});
            continue;
        }
        auto inside = [&](int32_t x) { return (int64_t{x} - cx) * (int64_t{x} - cx) <= room; };
        shape.rows.push_back(FindSpan(inside, cx, std::sqrt(static_cast<double>(room)), rect.left, rect.right));
    }
    return shape;
}

// Rounding of v + delta to the nearest for whole v: v + lo, or on an exact half the even one of
// v + lo, v + lo + 1.
struct Offset {
    int64_t lo = 0;
    int32_t tie = 0;
};

Offset MakeOffset(double delta) {
    delta = std::clamp(delta, -4.0e15, 4.0e15);
    const double below = std::floor(delta);
    const double fraction = delta - below;
    const auto lo = static_cast<int64_t>(below);
    if (fraction > 0.5) return {lo + 1, 0};
    return {lo, fraction == 0.5 ? 1 : 0};
}

inline uint8_t ApplyOffset(int64_t v, const Offset& o) {
    const int64_t s = v + o.lo;
    const int64_t rounded = s + (o.tie & static_cast<int32_t>(s & 1));
    return static_cast<uint8_t>(std::clamp<int64_t>(rounded, 0, 255));
}

// The brush weight 1 at the centre falling toward the rim.
inline float Weight(int64_t d2, int64_t r2) {
    return 1.0f - static_cast<float>(d2) / static_cast<float>(r2 + 1);
}

// A value per squared distance (make(d2)), worked out on first use; only the distances that occur
// are met, about a third of those up to r^2. Huge dabs skip the table.
template <typename Make> class PerDistance {
public:
    using Entry = decltype(std::declval<Make>()(int64_t{}));
    PerDistance(const DabShape& shape, int32_t cx, int32_t cy, int64_t r2, Make make) : make_(make) {
        const DabRect& q = shape.rect;
        const int64_t mx = std::max(std::abs(int64_t{q.left} - cx), std::abs(int64_t{q.right} - cx));
        const int64_t my = std::max(std::abs(int64_t{q.top} - cy), std::abs(int64_t{q.bottom} - cy));
        const int64_t most = std::min(r2, mx * mx + my * my);
        if (most > kTableLimit) return;
        table_.resize(static_cast<size_t>(most + 1));
        known_.assign(static_cast<size_t>(most + 1), 0);
    }
    [[nodiscard]] Entry operator()(int64_t d2) {
        if (d2 >= static_cast<int64_t>(table_.size())) return make_(d2);
        const auto i = static_cast<size_t>(d2);
        if (!known_[i]) {
            table_[i] = make_(d2);
            known_[i] = 1;
        }
        return table_[i];
    }

private:
    static constexpr int64_t kTableLimit = 1 << 18;
    std::vector<Entry> table_;
    std::vector<uint8_t> known_;
    Make make_;
};

// Copies the processed pixels into the display bitmap (flipped rows), under one lock of the dab's
// rectangle. Pixels that fall outside the display bitmap are skipped.
void CopyToDisplay(DIBsave& display, int32_t imgH, const DIBArray& view, const DabShape& shape, bool transparent) {
    GpBitmap* bitmap = display.new_Img;
    if (!bitmap) return;
    UINT dw = 0, dh = 0;
    if (GdipGetImageWidth(bitmap, &dw) != Ok || GdipGetImageHeight(bitmap, &dh) != Ok || !dw || !dh) return;
    const DabRect& q = shape.rect;
    const int64_t rowTop = std::max<int64_t>(int64_t{imgH} - 1 - q.bottom, 0);
    const int64_t rowBottom = std::min<int64_t>(int64_t{imgH} - 1 - q.top, int64_t{dh} - 1);
    const int64_t colLeft = q.left;
    const int64_t colRight = std::min<int64_t>(q.right, int64_t{dw} - 1);
    if (rowBottom < rowTop || colRight < colLeft) return;
    GpRect rect{static_cast<INT>(colLeft), static_cast<INT>(rowTop), static_cast<INT>(colRight - colLeft + 1),
                static_cast<INT>(rowBottom - rowTop + 1)};
    BitmapData data{};
    if (GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
        return;
    for (int32_t y = q.top; y <= q.bottom; ++y) {
        const int64_t row = int64_t{imgH} - 1 - y;
        if (row < rowTop || row > rowBottom) continue;
        const Span s = shape.rows[static_cast<size_t>(y - q.top)];
        const int32_t x0 = s.x0, x1 = std::min<int32_t>(s.x1, static_cast<int32_t>(colRight));
        if (x1 < x0) continue;
        auto* out = reinterpret_cast<Pixel32*>(static_cast<uint8_t*>(data.Scan0) +
                                               static_cast<ptrdiff_t>(row - rowTop) * data.Stride) -
                    colLeft;
        const Pixel32* in = view.Row(y);
        // ARGB in memory is blue, green, red, alpha: the layer's own byte order.
        std::memcpy(out + x0, in + x0, static_cast<size_t>(x1 - x0 + 1) * sizeof(Pixel32));
        if (transparent)
            for (int32_t x = x0; x <= x1; ++x) out[x].a = 0;
    }
    GdipBitmapUnlockBits(bitmap, &data);
}

struct IntegerDab {
    int32_t r = 0;
    int64_t r2 = 0;
    DabShape shape;
};

// Radius, clipped square and spans of a dab centred on a whole pixel; nothing when it misses.
std::optional<IntegerDab> PlanDab(const DIBArray& view, int32_t x, int32_t y, int32_t size) {
    const int32_t r = RoundHalfEven(static_cast<double>(size) * 0.5);
    if (r < 0) return std::nullopt;
    const int64_t e = r == 0 ? 1 : 0;
    const auto rect =
        ClipSquare(int64_t{x} - r, int64_t{y} - r, int64_t{x} + r + e, int64_t{y} + r + e, view.Width(), view.Height());
    if (!rect) return std::nullopt;
    const int64_t r2 = int64_t{r} * r;
    return IntegerDab{r, r2, ShapeAround(*rect, x, y, r2)};
}

// Runs body(row pointer, y, x, d2) over every pixel of the dab.
template <typename Body>
void ForEachPixel(const DIBArray& view, const IntegerDab& dab, int32_t cx, int32_t cy, Body body) {
    const DabRect& q = dab.shape.rect;
    for (int32_t y = q.top; y <= q.bottom; ++y) {
        const Span s = dab.shape.rows[static_cast<size_t>(y - q.top)];
        const int64_t dy = int64_t{y} - cy;
        Pixel32* row = view.Row(y);
        for (int32_t x = s.x0; x <= s.x1; ++x) {
            const int64_t dx = int64_t{x} - cx;
            body(row, y, x, dx * dx + dy * dy);
        }
    }
}

// Centre weight of the sharpen and soften brushes, or nothing when it does not fit 32 bits.
struct CentreWeight {
    int64_t c = 0;
    bool valid = false;
};

// Sharpen (c v - sum of 8) \ (c - 8) or soften (c v + sum of 4) \ (c + 4), in place; pixels whose
// neighbours are not all inside the layer, and pixels whose divisor is 0 or below, keep their value.
template <typename Weights>
void KernelDab(const DIBArray& view, const IntegerDab& dab, int32_t cx, int32_t cy, Weights& cw, bool sharpen) {
    const DabRect& q = dab.shape.rect;
    const int32_t top = std::max(q.top, 1), bottom = std::min(q.bottom, view.Height() - 2);
    for (int32_t y = top; y <= bottom; ++y) {
        const Span s = dab.shape.rows[static_cast<size_t>(y - q.top)];
        const int32_t x0 = std::max(s.x0, 1), x1 = std::min(s.x1, view.Width() - 2);
        const int64_t dy = int64_t{y} - cy;
        auto* below = reinterpret_cast<uint8_t*>(view.Row(y - 1));
        auto* cur = reinterpret_cast<uint8_t*>(view.Row(y));
        auto* above = reinterpret_cast<uint8_t*>(view.Row(y + 1));
        for (int32_t x = x0; x <= x1; ++x) {
            const int64_t dx = int64_t{x} - cx;
            const CentreWeight w = cw(dx * dx + dy * dy);
            if (!w.valid) continue;
            const int64_t divisor = sharpen ? w.c - 8 : w.c + 4;
            if (divisor <= 0) continue;
            const bool narrow = w.c > -(1 << 22) && w.c < (1 << 22);
            for (int ch = 0; ch < 3; ++ch) {
                const int i = x * 4 + ch;
                const int32_t v = cur[i];
                int32_t around = cur[i - 4] + cur[i + 4] + below[i] + above[i];
                if (sharpen) around += below[i - 4] + below[i + 4] + above[i - 4] + above[i + 4];
                int64_t value;
                if (narrow) {
                    const int32_t c = static_cast<int32_t>(w.c);
                    const int32_t num = sharpen ? c * v - around : c * v + around;
                    value = num / static_cast<int32_t>(divisor);
                } else {
                    const int64_t num = sharpen ? w.c * v - around : w.c * v + around;
                    value = num / divisor;
                }
                cur[i] = static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255));
            }
        }
    }
}

} // namespace

void EraserBrush(DIBsave& display, CDIB& layer, int32_t imgH, int32_t x, int32_t y, int32_t size, int32_t strength,
                 int32_t mode) {
    if (mode != kEraserBrush && mode != kEraserPencil && mode != kEraserBlock) return;
    DIBArray view;
    ScopedDIBArray attach(layer, view);
    if (!view.Attached()) return;
    const auto dab = PlanDab(view, x, y, size);
    if (!dab) return;
    if (mode != kEraserBlock) {
        const int32_t k = RoundHalfEven(10.0 - strength / 10.0);
        const double amount = mode == kEraserBrush ? static_cast<double>(strength) : static_cast<double>(k);
        const int64_t r2 = dab->r2;
        PerDistance lower(dab->shape, x, y, r2,
                          [=](int64_t d2) { return MakeOffset(-static_cast<double>(Weight(d2, r2)) * amount); });
        ForEachPixel(view, *dab, x, y, [&](Pixel32* row, int32_t, int32_t px, int64_t d2) {
            row[px].a = ApplyOffset(row[px].a, lower(d2));
        });
    }
    CopyToDisplay(display, imgH, view, dab->shape, mode != kEraserBrush);
}

void ToneBrush(DIBsave& display, CDIB& layer, int32_t imgH, int32_t x, int32_t y, int32_t size, int32_t strength,
               int32_t tool) {
    if (tool < kToneDodge || tool > kToneSaturation) return;
    DIBArray view;
    ScopedDIBArray attach(layer, view);
    if (!view.Attached()) return;
    const auto dab = PlanDab(view, x, y, size);
    if (!dab) return;
    const int64_t r2 = dab->r2;
    const int32_t k = RoundHalfEven(10.0 - strength / 10.0);
    switch (tool) {
    case kToneDodge:
    case kToneBurn: {
        const double sign = tool == kToneDodge ? 1.0 : -1.0;
        PerDistance shift(dab->shape, x, y, r2, [=](int64_t d2) { return MakeOffset(sign * Weight(d2, r2) * k); });
        ForEachPixel(view, *dab, x, y, [&](Pixel32* row, int32_t, int32_t px, int64_t d2) {
            const Offset o = shift(d2);
            Pixel32& p = row[px];
            p.r = ApplyOffset(p.r, o);
            p.g = ApplyOffset(p.g, o);
            p.b = ApplyOffset(p.b, o);
        });
        break;
    }
    case kToneSharpen:
    case kToneSoften: {
        const double base = tool == kToneSharpen ? 109.0 : 101.0;
        PerDistance cw(dab->shape, x, y, r2, [=](int64_t d2) {
            const auto c = TryRoundHalfEven(base - strength - static_cast<double>(Weight(d2, r2)) * k);
            return c ? CentreWeight{*c, true} : CentreWeight{};
        });
        KernelDab(view, *dab, x, y, cw, tool == kToneSharpen);
        break;
    }
    case kToneSaturation: {
        const int64_t c = RoundHalfEven(strength / 100.0);
        PerDistance shift(dab->shape, x, y, r2,
                          [=](int64_t d2) { return MakeOffset(-static_cast<double>(Weight(d2, r2)) * strength); });
        ForEachPixel(view, *dab, x, y, [&](Pixel32* row, int32_t, int32_t px, int64_t d2) {
            const Offset o = shift(d2);
            Pixel32& p = row[px];
            const int32_t grey = (p.b + p.g + p.r) / 3;
            const int32_t r = p.r, g = p.g, b = p.b;
            p.r = ApplyOffset(r + c * (r - grey), o);
            p.g = ApplyOffset(g + c * (g - grey), o);
            p.b = ApplyOffset(b + c * (b - grey), o);
        });
        break;
    }
    default:
        break;
    }
    CopyToDisplay(display, imgH, view, dab->shape, false);
}

namespace {

// One channel pulled by at most two steps toward neighbours a and b that differ by more than one.
// A neighbour below p - 1 means p > 0, one above p + 1 means p < 255: the bounds need no test of
// their own, and the steps need no branch.
inline uint8_t Pull(int32_t p, int32_t a, int32_t b) {
    p -= a < p - 1;
    p -= b < p - 1;
    p += a > p + 1;
    p += b > p + 1;
    return static_cast<uint8_t>(p);
}

// One smudge pass with neighbours A = (x + ax, y + ay) and B = (x - ax, y - ay), in place. Pixels
// missing a neighbour (at the layer's edge) keep their value.
void SmudgePass(const DIBArray& view, const DabShape& shape, int32_t ax, int32_t ay) {
    const DabRect& q = shape.rect;
    const int32_t top = ay ? std::max(q.top, 1) : q.top;
    const int32_t bottom = ay ? std::min(q.bottom, view.Height() - 2) : q.bottom;
    for (int32_t y = top; y <= bottom; ++y) {
        const Span s = shape.rows[static_cast<size_t>(y - q.top)];
        const int32_t x0 = ax ? std::max(s.x0, 1) : s.x0;
        const int32_t x1 = ax ? std::min(s.x1, view.Width() - 2) : s.x1;
        Pixel32* cur = view.Row(y);
        const Pixel32* rowA = view.Row(y + ay) + ax;
        const Pixel32* rowB = view.Row(y - ay) - ax;
        for (int32_t x = x0; x <= x1; ++x) {
            Pixel32& p = cur[x];
            const Pixel32 a = rowA[x], b = rowB[x];
            p.b = Pull(p.b, a.b, b.b);
            p.g = Pull(p.g, a.g, b.g);
            p.r = Pull(p.r, a.r, b.r);
        }
    }
}

} // namespace

void SmudgeBrush(DIBsave& display, CDIB& layer, int32_t imgH, float x, float y, int32_t size) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    DIBArray& view = PixelView();
    ScopedDIBArray attach(layer, view);
    if (!view.Attached()) return;
    const int32_t r = RoundHalfEven(static_cast<double>(size) * 0.5);
    if (r < 0) return;
    const float e = r == 0 ? 1.0f : 0.0f;
    const auto l = TryRoundHalfEven(x - static_cast<float>(r)), t = TryRoundHalfEven(y - static_cast<float>(r));
    const auto rr = TryRoundHalfEven(x + static_cast<float>(r) + e),
               b = TryRoundHalfEven(y + static_cast<float>(r) + e);
    if (!l || !t || !rr || !b) return;
    const auto rect = ClipSquare(*l, *t, *rr, *b, view.Width(), view.Height());
    if (!rect) return;

    // The circle is measured from the exact centre, which may lie between pixels.
    const double limit = static_cast<double>(r) * r + 1.0;
    DabShape shape{*rect, {}};
    shape.rows.reserve(static_cast<size_t>(rect->bottom - rect->top + 1));
    for (int32_t j = rect->top; j <= rect->bottom; ++j) {
        const double dy = j - static_cast<double>(y);
        const double room = limit - dy * dy;
        if (room <= 0) {
            shape.rows.push_back({1, 0});
            continue;
        }
        auto inside = [&](int32_t i) {
            const double dx = i - static_cast<double>(x);
            return dx * dx < room;
        };
        shape.rows.push_back(FindSpan(inside, x, std::sqrt(room), rect->left, rect->right));
    }

    SmudgePass(view, shape, 0, -1);
    SmudgePass(view, shape, -1, 0);
    SmudgePass(view, shape, -1, -1);
    SmudgePass(view, shape, -1, 1);
    CopyToDisplay(display, imgH, view, shape, false);
}
