// The edge test and the tent mean work on two colour channels at once, in the 16-bit halves of one
// word (blue and red, green and alpha), as the layer filters do.
#include "imaging/ImageEffects.h"

#include "imaging/PixelLanes.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

using namespace pixel_lanes;

bool Matches(const DIBArray& src, const DIBArray& dst) {
    return src.Attached() && dst.Attached() && src.Width() == dst.Width() && src.Height() == dst.Height() &&
           src.Row(0) != dst.Row(0);
}

void CopyAll(const DIBArray& src, const DIBArray& dst) {
    std::memcpy(dst.Row(0), src.Row(0),
                static_cast<size_t>(src.Width()) * static_cast<size_t>(src.Height()) * sizeof(Pixel32));
}

// Per 16-bit half: v = p + 256 + 32 - n, which lies in 256 to 319 exactly when p - n + 32 lies in
// 0 to 63 (the flat case): bits 6 and up of the half then read 4, and v ^ 256 has none of them set.
constexpr uint32_t kHigh = 0x01000100u + 0x00010001u * kAntialiasStep, kFlat = 0x01000100u;
static_assert(kAntialiasStep == 32, "the packed test is written for a step of 32");
inline uint32_t StepBits(uint32_t pHigh, uint32_t n) {
    return (pHigh - n) ^ kFlat;
}

} // namespace

void ApplyAntialias(const DIBArray& view) {
    if (!view.Attached() || view.Width() < 3 || view.Height() < 3) return;
    const int32_t w = view.Width(), h = view.Height();
    const size_t rowBytes = static_cast<size_t>(w) * sizeof(Pixel32);
    // In place: the row below and the row itself are read from copies taken before they change;
    // the row above is still as it was.
    std::vector<Pixel32> below(static_cast<size_t>(w)), row(static_cast<size_t>(w));
    std::memcpy(below.data(), view.Row(0), rowBytes);
    for (int32_t y = 1; y <= h - 2; ++y) {
        std::memcpy(row.data(), view.Row(y), rowBytes);
        const Pixel32* cur = row.data();
        const Pixel32* under = below.data();
        const Pixel32* above = view.Row(y + 1);
        Pixel32* out = view.Row(y);
        for (int32_t x = 1; x <= w - 2; ++x) {
            const uint32_t p = Load(cur + x);
            const uint32_t l = Load(cur + x - 1), r = Load(cur + x + 1), b = Load(under + x), a = Load(above + x);
            // Edge when, for one direct neighbour n and one colour channel, p - n + 32 is outside 0 to 63.
            const uint32_t pbr = BlueRed(p) + kHigh, pga = GreenAlpha(p) + kHigh;
            const uint32_t stepBR = StepBits(pbr, BlueRed(l)) | StepBits(pbr, BlueRed(r)) | StepBits(pbr, BlueRed(b)) |
                                    StepBits(pbr, BlueRed(a));
            const uint32_t stepGA = StepBits(pga, GreenAlpha(l)) | StepBits(pga, GreenAlpha(r)) |
                                    StepBits(pga, GreenAlpha(b)) | StepBits(pga, GreenAlpha(a));
            const uint32_t step = (stepBR & 0xFFC0FFC0u) | (stepGA & 0x0000FFC0u);
            if (step == 0) continue;
            // The tent mean: (4 p + 2 (sum of the 4 direct) + sum of the 4 diagonal + 8) \ 16 per channel.
            const uint32_t bl = Load(under + x - 1), br = Load(under + x + 1), al = Load(above + x - 1),
                           ar = Load(above + x + 1);
            const uint32_t sbr = 4 * BlueRed(p) + 2 * (BlueRed(l) + BlueRed(r) + BlueRed(b) + BlueRed(a)) +
                                 BlueRed(bl) + BlueRed(br) + BlueRed(al) + BlueRed(ar) + 0x00080008u;
            const uint32_t sga = 4 * GreenAlpha(p) +
                                 2 * (GreenAlpha(l) + GreenAlpha(r) + GreenAlpha(b) + GreenAlpha(a)) + GreenAlpha(bl) +
                                 GreenAlpha(br) + GreenAlpha(al) + GreenAlpha(ar) + 0x00080008u;
            Store(out + x, (p & 0xFF000000u) | ((sbr >> 4) & kLanes) | (((sga >> 4) & 0xFFu) << 8));
        }
        below.swap(row);
    }
}

void ApplyRipple(const DIBArray& src, const DIBArray& dst, int32_t amount) {
    if (!Matches(src, dst)) return;
    if (amount <= 0) {
        CopyAll(src, dst);
        return;
    }
    const int32_t w = src.Width(), h = src.Height();
    // With X the column and Y the row counted from the top, L = 6 x amount:
    //   out(X, Y) = in(X + whole(amount sin(2 pi Y / L)), Y + whole(amount sin(2 pi X / L))),
    // a place outside the picture taken from its nearest edge pixel.
    const double wavelength = 6.0 * amount;
    const auto shift = [&](int32_t i) {
        return RoundHalfEven(amount * std::sin(2.0 * std::numbers::pi * i / wavelength));
    };
    // Rows are stored bottom-up: a shift of d rows down the picture is d storage rows lower.
    std::vector<int32_t> down(static_cast<size_t>(w));
    for (int32_t x = 0; x < w; ++x) down[static_cast<size_t>(x)] = amount - shift(x);
    // Storage row r - d for every r and |d| <= amount, clamped: index r - d + amount.
    std::vector<const Pixel32*> rows(static_cast<size_t>(h) + 2 * static_cast<size_t>(amount));
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = src.Row(std::clamp(static_cast<int32_t>(i) - amount, 0, h - 1));
    for (int32_t y = 0; y < h; ++y) {
        const int32_t across = shift(h - 1 - y);
        Pixel32* out = dst.Row(y);
        const Pixel32* const* from = rows.data() + y;
        for (int32_t x = 0; x < w; ++x) {
            const int32_t sx = std::clamp(x + across, 0, w - 1);
            out[x] = from[down[static_cast<size_t>(x)]][sx];
        }
    }
}
