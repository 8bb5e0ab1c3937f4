#include "editor/BoxReduce.h"

#include "platform/GdipHandles.h"

#include <algorithm>
#include <atomic>
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

namespace {

// Target column tx covers source columns firstColumn[tx] to firstColumn[tx + 1] - 1: source column
// x falls in target column x * tw / sw, each target column a run of whole source columns.
UINT FirstOf(UINT t, UINT s, UINT tLength) {
    return static_cast<UINT>((static_cast<uint64_t>(t) * s + tLength - 1) / tLength);
}

// Recomputes the target cells [tx0, tx1) x [ty0, ty1) of a reduction of source (sw x sh) to
// target (tw x th), reading only the source pixels under them.
bool ReduceCells(GpBitmap* bitmap, UINT sw, UINT sh, GpBitmap* target, UINT tw, UINT th, UINT tx0, UINT tx1, UINT ty0,
                 UINT ty1) {
    // Read in the source's own layout where the platform can hand it over without a conversion.
    PixelFormat format = 0;
    GdipGetImagePixelFormat(bitmap, &format);
    PixelFormat readAs = PixelFormat32bppPARGB;
    if (format == PixelFormat24bppRGB || format == PixelFormat32bppRGB) readAs = format;
    const UINT bytes = readAs == PixelFormat24bppRGB ? 3 : 4;
    const bool opaque = readAs != PixelFormat32bppPARGB;

    const UINT sx0 = FirstOf(tx0, sw, tw), sx1 = FirstOf(tx1, sw, tw);
    const UINT sy0 = FirstOf(ty0, sh, th), sy1 = FirstOf(ty1, sh, th);
    if (sx1 <= sx0 || sy1 <= sy0) return false;
    GpRect area{static_cast<INT>(sx0), static_cast<INT>(sy0), static_cast<INT>(sx1 - sx0), static_cast<INT>(sy1 - sy0)};
    BitmapData in{};
    if (GdipBitmapLockBits(bitmap, &area, ImageLockModeRead, readAs, &in) != Ok) return false;
    GpRect cells{static_cast<INT>(tx0), static_cast<INT>(ty0), static_cast<INT>(tx1 - tx0),
                 static_cast<INT>(ty1 - ty0)};
    BitmapData out{};
    if (GdipBitmapLockBits(target, &cells, ImageLockModeWrite, PixelFormat32bppPARGB, &out) != Ok) {
        GdipBitmapUnlockBits(bitmap, &in);
        return false;
    }

    // Columns counted from the locked area's left edge.
    const UINT columns = tx1 - tx0;
    std::vector<UINT> firstColumn(columns + 1);
    for (UINT i = 0; i <= columns; ++i) firstColumn[i] = FirstOf(tx0 + i, sw, tw) - sx0;
    const auto reduceRows = [&](UINT fromRow, UINT toRow) {
        std::vector<uint32_t> sums(static_cast<size_t>(columns) * 4);
        for (UINT ty = fromRow; ty < toRow; ++ty) {
            const UINT y0 = FirstOf(ty, sh, th), y1 = FirstOf(ty + 1, sh, th);
            std::fill(sums.begin(), sums.end(), 0u);
            for (UINT y = y0; y < y1; ++y) {
                const uint8_t* row = Row(in, y - sy0);
                if (bytes == 3)
                    SumRow<3, false>(row, firstColumn, columns, sums);
                else if (opaque)
                    SumRow<4, false>(row, firstColumn, columns, sums);
                else
                    SumRow<4, true>(row, firstColumn, columns, sums);
            }
            auto* dst = reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(Row(out, ty - ty0)));
            const uint32_t rows = y1 - y0;
            for (UINT tx = 0; tx < columns; ++tx) {
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
    // A photograph is tens of megabytes to read: small blocks of target rows go to a few threads,
    // each writing only its own rows. Each thread takes the next block when it is done, so on a
    // busy machine a thread that gets no core for a while holds up one block, not a quarter.
    const uint64_t work = static_cast<uint64_t>(sx1 - sx0) * (sy1 - sy0);
    const UINT rowsToDo = ty1 - ty0;
    const UINT threads = work < 2'000'000 ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    constexpr UINT kBlockRows = 8;
    std::atomic<UINT> nextBlock{0};
    const auto takeBlocks = [&] {
        for (UINT from = nextBlock.fetch_add(kBlockRows); from < rowsToDo; from = nextBlock.fetch_add(kBlockRows))
            reduceRows(ty0 + from, ty0 + std::min(from + kBlockRows, rowsToDo));
    };
    std::vector<std::thread> helpers;
    for (UINT k = 1; k < threads; ++k) {
        try {
            helpers.emplace_back(takeBlocks);
        } catch (...) {
            break; // no more threads to be had: those started and this one do the rest
        }
    }
    takeBlocks();
    for (std::thread& t : helpers) t.join();
    GdipBitmapUnlockBits(target, &out);
    GdipBitmapUnlockBits(bitmap, &in);
    return true;
}

bool Sizes(GpImage* source, GpBitmap* target, UINT& sw, UINT& sh, UINT& tw, UINT& th) {
    if (!source || !target) return false;
    GdipGetImageWidth(source, &sw);
    GdipGetImageHeight(source, &sh);
    GdipGetImageWidth(target, &tw);
    GdipGetImageHeight(target, &th);
    return sw != 0 && sh != 0 && tw != 0 && th != 0;
}

} // namespace

bool ReduceInto(GpImage* source, GpBitmap* target) {
    UINT sw = 0, sh = 0, tw = 0, th = 0;
    if (!Sizes(source, target, sw, sh, tw, th)) return false;
    ImageType type = ImageTypeUnknown;
    GdipGetImageType(source, &type);
    if (type != ImageTypeBitmap || tw > sw || th > sh) return DrawByPlatform(source, target, tw, th);
    if (ReduceCells(static_cast<GpBitmap*>(source), sw, sh, target, tw, th, 0, tw, 0, th)) return true;
    return DrawByPlatform(source, target, tw, th);
}

bool ReduceAreaInto(GpBitmap* source, GpBitmap* target, const GpRect& area) {
    UINT sw = 0, sh = 0, tw = 0, th = 0;
    if (!Sizes(source, target, sw, sh, tw, th) || tw > sw || th > sh) return false;
    const int64_t x0 = std::max<int64_t>(area.X, 0), y0 = std::max<int64_t>(area.Y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t{area.X} + area.Width, sw);
    const int64_t y1 = std::min<int64_t>(int64_t{area.Y} + area.Height, sh);
    if (x1 <= x0 || y1 <= y0) return true; // nothing of the source changed there
    // The target cells whose runs of source pixels meet the area.
    const auto cell = [](int64_t s, UINT sLength, UINT tLength) { return static_cast<UINT>(s * tLength / sLength); };
    return ReduceCells(source, sw, sh, target, tw, th, cell(x0, sw, tw), cell(x1 - 1, sw, tw) + 1, cell(y0, sh, th),
                       cell(y1 - 1, sh, th) + 1);
}
