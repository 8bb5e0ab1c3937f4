// The layer filters. The kernel sums two colour channels at once in the 16-bit halves of one word
// (blue and red, green and alpha) and divides through a table built once per call, so a pixel
// costs a handful of adds and three lookups; sizes whose sums would not fit fall back to plain
// arithmetic.
#include "imaging/LayerFilters.h"

#include "imaging/PixelLanes.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace pixel_lanes;

enum class Kernel { Blur, Sharpen, Soften };

struct KernelSetup {
    Kernel kind = Kernel::Blur;
    int32_t c = 0;
    int32_t divisor = 0;
};

// Fast path: every weighted sum, shifted by bias to be non-negative, fits a 16-bit half.
template <Kernel K> void KernelRowsPacked(const DIBArray& view, int32_t c, const std::vector<uint8_t>& table) {
    const uint8_t* lut = table.data();
    const uint32_t uc = static_cast<uint32_t>(c);
    // Sharpen subtracts up to 8 x 255 from each half: start each half that much higher.
    constexpr uint32_t bias = K == Kernel::Sharpen ? 2040u * 0x00010001u : 0u;
    const int32_t w = view.Width();
    for (int32_t y = 1; y <= view.Height() - 2; ++y) {
        const Pixel32* below = view.Row(y - 1);
        Pixel32* cur = view.Row(y);
        const Pixel32* above = view.Row(y + 1);
        // Column sums of the rows below and above for x - 1 and x (8-neighbour kernels).
        uint32_t vbr0 = BlueRed(Load(below)) + BlueRed(Load(above));
        uint32_t vga0 = GreenAlpha(Load(below)) + GreenAlpha(Load(above));
        uint32_t vbr1 = BlueRed(Load(below + 1)) + BlueRed(Load(above + 1));
        uint32_t vga1 = GreenAlpha(Load(below + 1)) + GreenAlpha(Load(above + 1));
        uint32_t left = Load(cur);
        uint32_t p = Load(cur + 1);
        for (int32_t x = 1; x <= w - 2; ++x) {
            const uint32_t right = Load(cur + x + 1);
            uint32_t nbr, nga;
            if constexpr (K == Kernel::Soften) {
                nbr = vbr1 + BlueRed(left) + BlueRed(right);
                nga = vga1 + GreenAlpha(left) + GreenAlpha(right);
                const uint32_t b2 = Load(below + x + 1), a2 = Load(above + x + 1);
                vbr1 = BlueRed(b2) + BlueRed(a2);
                vga1 = GreenAlpha(b2) + GreenAlpha(a2);
            } else {
                const uint32_t b2 = Load(below + x + 1), a2 = Load(above + x + 1);
                const uint32_t vbr2 = BlueRed(b2) + BlueRed(a2), vga2 = GreenAlpha(b2) + GreenAlpha(a2);
                nbr = vbr0 + vbr1 + vbr2 + BlueRed(left) + BlueRed(right);
                nga = vga0 + vga1 + vga2 + GreenAlpha(left) + GreenAlpha(right);
                vbr0 = vbr1, vbr1 = vbr2, vga0 = vga1, vga1 = vga2;
            }
            if (p >> 24) {
                uint32_t sbr, sga;
                if constexpr (K == Kernel::Sharpen) {
                    sbr = uc * BlueRed(p) + bias - nbr;
                    sga = uc * GreenAlpha(p) + bias - nga;
                } else {
                    sbr = uc * BlueRed(p) + nbr;
                    sga = uc * GreenAlpha(p) + nga;
                }
                p = (p & 0xFF000000u) | (uint32_t{lut[sbr >> 16]} << 16) | (uint32_t{lut[sga & 0xFFFFu]} << 8) |
                    lut[sbr & 0xFFFFu];
                Store(cur + x, p);
            }
            left = p;
            p = right;
        }
    }
}

// Any centre weight: 64-bit sums; a channel whose sum does not fit 32 bits keeps its value.
void KernelRowsPlain(const DIBArray& view, const KernelSetup& k) {
    const int32_t w = view.Width();
    for (int32_t y = 1; y <= view.Height() - 2; ++y) {
        const auto* below = reinterpret_cast<const uint8_t*>(view.Row(y - 1));
        auto* cur = reinterpret_cast<uint8_t*>(view.Row(y));
        const auto* above = reinterpret_cast<const uint8_t*>(view.Row(y + 1));
        for (int32_t x = 1; x <= w - 2; ++x) {
            const int i = x * 4;
            if (cur[i + 3] == 0) continue;
            for (int ch = i; ch < i + 3; ++ch) {
                int64_t around = int64_t{cur[ch - 4]} + cur[ch + 4] + below[ch] + above[ch];
                if (k.kind != Kernel::Soften) around += below[ch - 4] + below[ch + 4] + above[ch - 4] + above[ch + 4];
                const int64_t centre = int64_t{k.c} * cur[ch];
                const int64_t sum = k.kind == Kernel::Sharpen ? centre - around : centre + around;
                if (sum < INT32_MIN || sum > INT32_MAX) continue;
                cur[ch] = static_cast<uint8_t>(std::clamp<int64_t>(sum / k.divisor, 0, 255));
            }
        }
    }
}

// The per-channel maximum of three pixels.
inline Pixel32 Max3(const Pixel32& a, const Pixel32& b, const Pixel32& c) {
    return {std::max({a.b, b.b, c.b}), std::max({a.g, b.g, c.g}), std::max({a.r, b.r, c.r}), 0};
}

bool SameSize(const DIBArray& a, const DIBArray& b) {
    return a.Attached() && b.Attached() && a.Width() == b.Width() && a.Height() == b.Height();
}

// FilterDib made at the asked size and filled with the layer (every pixel written, so nothing of
// an earlier call shows through); false when either step fails.
bool LoadFilterDib(const DIBsave& layer, float w, float h) {
    CDIB& dib = FilterDib();
    const auto width = TryRoundHalfEven(w), height = TryRoundHalfEven(h);
    if (!layer.new_Img || !width || !height || *width <= 0 || *height <= 0) return false;
    if (!dib.Create(*width, *height, 32)) return false;
    return GdipImageToDIB(dib, layer.new_Img);
}

// The frame of the two neighbour filters: they read an untouched copy and write FilterDib.
template <typename Apply> GdipBitmap NeighbourFilter(const DIBsave& layer, float w, float h, Apply apply) {
    if (!LoadFilterDib(layer, w, h)) return {};
    CDIB copy;
    // Without the copy the filter would read the pixels it is writing: no filtered image at all.
    if (!FilterDib().CloneTo(copy)) return {};
    {
        DIBArray written;
        ScopedDIBArray source(copy, PixelView());
        ScopedDIBArray target(FilterDib(), written);
        apply(PixelView(), written);
    }
    return GdipBitmap(DIBToGdipBitmap(FilterDib()));
}

// Calls row(below, cur, above, out) for every row of src but the first and the last, with
// its neighbours above and below and dst's row of the same number.
template <typename Row> void ForInnerRows(const DIBArray& src, const DIBArray& dst, Row row) {
    for (int32_t y = 1; y <= src.Height() - 2; ++y) row(src.Row(y - 1), src.Row(y), src.Row(y + 1), dst.Row(y));
}

} // namespace

void ApplyKernel(const DIBArray& view, int32_t amount, int32_t filterId) {
    KernelSetup k;
    const int64_t a = amount;
    int64_t c = 0, divisor = 0;
    switch (filterId) {
    case kFilterBlur:
        k.kind = Kernel::Blur, c = 101 - a, divisor = c + 8;
        break;
    case kFilterSharpen:
        k.kind = Kernel::Sharpen, c = 109 - a, divisor = c - 8;
        break;
    case kFilterSoften:
        k.kind = Kernel::Soften, c = 101 - a, divisor = c + 4;
        break;
    default:
        return;
    }
    // A divisor of 0 or below would fail on every pixel: each keeps its value.
    if (!view.Attached() || view.Width() < 3 || view.Height() < 3 || divisor <= 0 || c > INT32_MAX) return;
    k.c = static_cast<int32_t>(c);
    k.divisor = static_cast<int32_t>(divisor);

    const int64_t neighbours = k.kind == Kernel::Soften ? 4 * 255 : 8 * 255;
    const int64_t bias = k.kind == Kernel::Sharpen ? neighbours : 0;
    const int64_t largest = c * 255 + (k.kind == Kernel::Sharpen ? bias : neighbours);
    if (c < 0 || largest > 0xFFFF) {
        KernelRowsPlain(view, k);
        return;
    }
    std::vector<uint8_t> table(static_cast<size_t>(largest + 1));
    for (int64_t i = 0; i <= largest; ++i)
        table[static_cast<size_t>(i)] = static_cast<uint8_t>(std::clamp<int64_t>((i - bias) / divisor, 0, 255));
    switch (k.kind) {
    case Kernel::Blur:
        KernelRowsPacked<Kernel::Blur>(view, k.c, table);
        break;
    case Kernel::Sharpen:
        KernelRowsPacked<Kernel::Sharpen>(view, k.c, table);
        break;
    case Kernel::Soften:
        KernelRowsPacked<Kernel::Soften>(view, k.c, table);
        break;
    }
}

void ApplyMaxNeighbour(const DIBArray& src, const DIBArray& dst) {
    if (!SameSize(src, dst)) return;
    const int32_t w = src.Width();
    ForInnerRows(src, dst, [w](const Pixel32* below, const Pixel32* cur, const Pixel32* above, Pixel32* out) {
        for (int32_t x = 1; x <= w - 2; ++x) {
            const Pixel32 p = cur[x];
            if (p.a == 0) continue;
            const Pixel32 v = Max3(below[x], p, above[x]);
            const Pixel32 m = Max3(cur[x - 1], v, cur[x + 1]);
            out[x] = {m.b, m.g, m.r, p.a};
        }
    });
}

void ApplyContour(const DIBArray& src, const DIBArray& dst) {
    if (!SameSize(src, dst) || src.Width() < 3) return;
    const int32_t w = src.Width();
    ForInnerRows(src, dst, [w](const Pixel32* below, const Pixel32* cur, const Pixel32* above, Pixel32* out) {
        // Column maxima for x - 1 and x, rolled along the row.
        Pixel32 c0 = Max3(below[0], cur[0], above[0]);
        Pixel32 c1 = Max3(below[1], cur[1], above[1]);
        for (int32_t x = 1; x <= w - 2; ++x) {
            const Pixel32 c2 = Max3(below[x + 1], cur[x + 1], above[x + 1]);
            const Pixel32 p = cur[x];
            if (p.a != 0) {
                const Pixel32 m = Max3(c0, c1, c2);
                out[x] = {static_cast<uint8_t>(255 - (m.b - p.b)), static_cast<uint8_t>(255 - (m.g - p.g)),
                          static_cast<uint8_t>(255 - (m.r - p.r)), p.a};
            }
            c0 = c1;
            c1 = c2;
        }
    });
}

GdipBitmap KernelFilter(const DIBsave& layer, float w, float h, int32_t amount, int32_t filterId) {
    if (!LoadFilterDib(layer, w, h)) return {};
    {
        ScopedDIBArray attach(FilterDib(), PixelView());
        ApplyKernel(PixelView(), amount, filterId);
    }
    return GdipBitmap(DIBToGdipBitmap(FilterDib()));
}

GdipBitmap MaxNeighbourFilter(const DIBsave& layer, float w, float h) {
    return NeighbourFilter(layer, w, h, ApplyMaxNeighbour);
}

GdipBitmap ContourFilter(const DIBsave& layer, float w, float h) {
    return NeighbourFilter(layer, w, h, ApplyContour);
}
