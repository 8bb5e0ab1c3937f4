#include "editor/BoxReduce.h"

#include "platform/GdipHandles.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

bool DrawByPlatform(GpImage* source, GpBitmap* target, UINT tw, UINT th) {
    GdipGraphics g;
    if (GdipGetImageGraphicsContext(target, g.put()) != Ok) return false;
    GdipSetInterpolationMode(g.get(), InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(g.get(), PixelOffsetModeHalf);
    return GdipDrawImageRectI(g.get(), source, 0, 0, static_cast<INT>(tw), static_cast<INT>(th)) == Ok;
}

const uint8_t* Row(const BitmapData& data, UINT y) {
    return static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
}

// Adds one source row into the sums of the target columns (blue, green, red, alpha each).
template <UINT Bytes, bool WithAlpha>
void SumRow(const uint8_t* p, const std::vector<UINT>& firstColumn, UINT tw, std::vector<uint32_t>& sums) {
    uint32_t* s = sums.data();
    for (UINT tx = 0; tx < tw; ++tx, s += 4) {
        uint32_t b = 0, g = 0, r = 0, a = 0;
        for (UINT x = firstColumn[tx]; x < firstColumn[tx + 1]; ++x, p += Bytes) {
            b += p[0];
            g += p[1];
            r += p[2];
            if constexpr (WithAlpha) a += p[3];
        }
        s[0] += b;
        s[1] += g;
        s[2] += r;
        if constexpr (WithAlpha) s[3] += a;
    }
}

} // namespace

bool ReduceInto(GpImage* source, GpBitmap* target) {
    if (!source || !target) return false;
    UINT sw = 0, sh = 0, tw = 0, th = 0;
    GdipGetImageWidth(source, &sw);
    GdipGetImageHeight(source, &sh);
    GdipGetImageWidth(target, &tw);
    GdipGetImageHeight(target, &th);
    if (sw == 0 || sh == 0 || tw == 0 || th == 0) return false;
    ImageType type = ImageTypeUnknown;
    GdipGetImageType(source, &type);
    if (type != ImageTypeBitmap || tw > sw || th > sh) return DrawByPlatform(source, target, tw, th);

    // Read in the source's own layout where the platform can hand it over without a conversion.
    PixelFormat format = 0;
    GdipGetImagePixelFormat(source, &format);
    PixelFormat readAs = PixelFormat32bppPARGB;
    if (format == PixelFormat24bppRGB || format == PixelFormat32bppRGB) readAs = format;
    const UINT bytes = readAs == PixelFormat24bppRGB ? 3 : 4;
    const bool opaque = readAs != PixelFormat32bppPARGB;

    auto* bitmap = static_cast<GpBitmap*>(source);
    GpRect all{0, 0, static_cast<INT>(sw), static_cast<INT>(sh)};
    BitmapData in{};
    if (GdipBitmapLockBits(bitmap, &all, ImageLockModeRead, readAs, &in) != Ok)
        return DrawByPlatform(source, target, tw, th);
    GpRect whole{0, 0, static_cast<INT>(tw), static_cast<INT>(th)};
    BitmapData out{};
    if (GdipBitmapLockBits(target, &whole, ImageLockModeWrite, PixelFormat32bppPARGB, &out) != Ok) {
        GdipBitmapUnlockBits(bitmap, &in);
        return false;
    }

    // Source column x falls in target column x * tw / sw, source row y in row y * th / sh: each
    // target column is a run of whole source columns, each target row a run of whole rows.
    std::vector<UINT> firstColumn(tw + 1);
    for (UINT tx = 0; tx <= tw; ++tx)
        firstColumn[tx] = static_cast<UINT>((static_cast<uint64_t>(tx) * sw + tw - 1) / tw);
    const auto reduceRows = [&](UINT fromRow, UINT toRow) {
        std::vector<uint32_t> sums(static_cast<size_t>(tw) * 4);
        for (UINT ty = fromRow; ty < toRow; ++ty) {
            const UINT y0 = static_cast<UINT>((static_cast<uint64_t>(ty) * sh + th - 1) / th);
            const UINT y1 = static_cast<UINT>((static_cast<uint64_t>(ty + 1) * sh + th - 1) / th);
            std::fill(sums.begin(), sums.end(), 0u);
            for (UINT y = y0; y < y1; ++y) {
                if (bytes == 3)
                    SumRow<3, false>(Row(in, y), firstColumn, tw, sums);
                else if (opaque)
                    SumRow<4, false>(Row(in, y), firstColumn, tw, sums);
                else
                    SumRow<4, true>(Row(in, y), firstColumn, tw, sums);
            }
            auto* dst = reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(Row(out, ty)));
            const uint32_t rows = y1 - y0;
            for (UINT tx = 0; tx < tw; ++tx) {
                const uint32_t n = (firstColumn[tx + 1] - firstColumn[tx]) * rows;
                const uint32_t* s = &sums[static_cast<size_t>(tx) * 4];
                if (n == 0) {
                    dst[tx] = 0;
                    continue;
                }
                const uint32_t b = (s[0] + n / 2) / n, g = (s[1] + n / 2) / n, r = (s[2] + n / 2) / n;
                const uint32_t a = opaque ? 255 : (s[3] + n / 2) / n;
                dst[tx] = (a << 24) | (r << 16) | (g << 8) | b;
            }
        }
    };
    // A photograph is tens of megabytes to read: bands of target rows go to a few threads, each
    // writing only its own rows.
    const uint64_t work = static_cast<uint64_t>(sw) * sh;
    const UINT threads = work < 2'000'000 ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::vector<std::thread> helpers;
    for (UINT k = 1; k < threads; ++k) {
        try {
            helpers.emplace_back(reduceRows, th * k / threads, th * (k + 1) / threads);
        } catch (...) {
            reduceRows(th * k / threads, th * (k + 1) / threads); // no thread to be had: do it here
        }
    }
    reduceRows(0, th / threads);
    for (std::thread& t : helpers) t.join();
    GdipBitmapUnlockBits(target, &out);
    GdipBitmapUnlockBits(bitmap, &in);
    return true;
}
