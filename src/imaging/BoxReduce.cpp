#include "imaging/BoxReduce.h"

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

// Target column tx covers source columns firstColumn[tx] to firstColumn[tx + 1] - 1: source column
// x falls in target column x * tw / sw, each target column a run of whole source columns.
UINT FirstOf(UINT t, UINT s, UINT tLength) {
    return static_cast<UINT>((static_cast<uint64_t>(t) * s + tLength - 1) / tLength);
}

// Adds one source row into the sums of the target columns (blue, green, red, alpha each). Shaped so
// that a 32-bit build keeps the pointer, the run's end and the sums in registers: others measured a
// third slower.
template <typename Sum, UINT Bytes, bool WithAlpha>
void SumRow(const uint8_t* row, const std::vector<UINT>& firstColumn, UINT tw, std::vector<Sum>& sums) {
    Sum* s = sums.data();
    const UINT* first = firstColumn.data();
    for (UINT tx = 0; tx < tw; ++tx, s += 4) {
        Sum b = 0, g = 0, r = 0, a = 0;
        const uint8_t* p = row + first[tx] * Bytes;
        for (const uint8_t* const end = row + first[tx + 1] * Bytes; p < end; p += Bytes) {
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

// One reduction's pixels: the target cells from (tx0, ty0), locked for writing, and where the source
// rows come from. A source the platform holds in the layout read is locked whole, without a copy;
// any other is converted one target row's band at a time into a buffer, since a converted copy of a
// whole photograph is tens of megabytes and much slower to read back than a band still in the cache.
struct Cells {
    GpBitmap* source;
    GpRect area; // the source pixels read
    PixelFormat readAs;
    const BitmapData* whole; // the area locked once, or null: a band at a time
    const BitmapData& out;
    const std::vector<UINT>& firstColumn; // counted from the area's left edge
    UINT sh, th, ty0;
    UINT bytes;  // 3 or 4 a source pixel
    bool opaque; // alpha not read: every mean is opaque
};

// Writes the means of target rows [fromRow, toRow); Sum is wide enough for one block's total.
// False when a band could not be read.
template <typename Sum> bool ReduceRows(const Cells& c, UINT fromRow, UINT toRow) {
    const UINT columns = static_cast<UINT>(c.firstColumn.size() - 1);
    std::vector<Sum> sums(static_cast<size_t>(columns) * 4);
    std::vector<uint8_t> band;
    for (UINT ty = fromRow; ty < toRow; ++ty) {
        const UINT y0 = FirstOf(ty, c.sh, c.th), y1 = FirstOf(ty + 1, c.sh, c.th);
        BitmapData rows{};
        if (c.whole) {
            rows = *c.whole;
            rows.Scan0 = const_cast<uint8_t*>(Row(*c.whole, y0 - static_cast<UINT>(c.area.Y)));
        } else {
            rows.Width = static_cast<UINT>(c.area.Width);
            rows.Height = y1 - y0;
            rows.Stride = static_cast<INT>((rows.Width * c.bytes + 3) & ~3u);
            rows.PixelFormat = c.readAs;
            band.resize(static_cast<size_t>(rows.Stride) * rows.Height);
            rows.Scan0 = band.data();
            GpRect bandArea{c.area.X, static_cast<INT>(y0), c.area.Width, static_cast<INT>(y1 - y0)};
            if (GdipBitmapLockBits(c.source, &bandArea, ImageLockModeRead | ImageLockModeUserInputBuf, c.readAs,
                                   &rows) != Ok)
                return false;
            GdipBitmapUnlockBits(c.source, &rows);
        }
        std::fill(sums.begin(), sums.end(), Sum{0});
        for (UINT y = 0; y < y1 - y0; ++y) {
            const uint8_t* row = Row(rows, y);
            if (c.bytes == 3)
                SumRow<Sum, 3, false>(row, c.firstColumn, columns, sums);
            else if (c.opaque)
                SumRow<Sum, 4, false>(row, c.firstColumn, columns, sums);
            else
                SumRow<Sum, 4, true>(row, c.firstColumn, columns, sums);
        }
        auto* dst = reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(Row(c.out, ty - c.ty0)));
        const Sum rowCount = y1 - y0;
        for (UINT tx = 0; tx < columns; ++tx) {
            const Sum n = (c.firstColumn[tx + 1] - c.firstColumn[tx]) * rowCount;
            const Sum* s = &sums[static_cast<size_t>(tx) * 4];
            if (n == 0) {
                dst[tx] = 0;
                continue;
            }
            const auto mean = [n](Sum total) { return static_cast<uint32_t>((total + n / 2) / n); };
            const uint32_t a = c.opaque ? 255 : mean(s[3]);
            dst[tx] = (a << 24) | (mean(s[2]) << 16) | (mean(s[1]) << 8) | mean(s[0]);
        }
    }
    return true;
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

    const UINT sx0 = FirstOf(tx0, sw, tw), sx1 = FirstOf(tx1, sw, tw);
    const UINT sy0 = FirstOf(ty0, sh, th), sy1 = FirstOf(ty1, sh, th);
    if (sx1 <= sx0 || sy1 <= sy0) return false;
    GpRect area{static_cast<INT>(sx0), static_cast<INT>(sy0), static_cast<INT>(sx1 - sx0), static_cast<INT>(sy1 - sy0)};
    BitmapData in{};
    const bool whole = format == readAs;
    if (whole && GdipBitmapLockBits(bitmap, &area, ImageLockModeRead, readAs, &in) != Ok) return false;
    GpRect cells{static_cast<INT>(tx0), static_cast<INT>(ty0), static_cast<INT>(tx1 - tx0),
                 static_cast<INT>(ty1 - ty0)};
    BitmapData out{};
    if (GdipBitmapLockBits(target, &cells, ImageLockModeWrite, PixelFormat32bppPARGB, &out) != Ok) {
        if (whole) GdipBitmapUnlockBits(bitmap, &in);
        return false;
    }

    const UINT columns = tx1 - tx0;
    std::vector<UINT> firstColumn(columns + 1);
    for (UINT i = 0; i <= columns; ++i) firstColumn[i] = FirstOf(tx0 + i, sw, tw) - sx0;
    const Cells c{bitmap,
                  area,
                  readAs,
                  whole ? &in : nullptr,
                  out,
                  firstColumn,
                  sh,
                  th,
                  ty0,
                  readAs == PixelFormat24bppRGB ? 3u : 4u,
                  readAs != PixelFormat32bppPARGB};
    // 32-bit sums while a block's 255s and the rounding cannot overflow them: every block but those
    // of a photograph reduced to a few pixels.
    const uint64_t largestBlock = (uint64_t{sw} / tw + 1) * (uint64_t{sh} / th + 1);
    const bool narrow = largestBlock * 256 <= UINT32_MAX;
    std::atomic<bool> failed{false};
    const auto reduceRows = [&](UINT fromRow, UINT toRow) {
        if (!(narrow ? ReduceRows<uint32_t>(c, fromRow, toRow) : ReduceRows<uint64_t>(c, fromRow, toRow)))
            failed = true;
    };
    // A photograph is tens of megabytes to read: small blocks of target rows go to a few threads,
    // each writing only its own rows. Each thread takes the next block when it is done, so on a
    // busy machine a thread that gets no core for a while holds up one block, not a quarter. Bands
    // are read on this thread alone: the platform locks a bitmap for one caller at a time.
    const uint64_t work = static_cast<uint64_t>(sx1 - sx0) * (sy1 - sy0);
    const UINT rowsToDo = ty1 - ty0;
    const UINT threads = !whole || work < 2'000'000 ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    constexpr UINT kBlockRows = 8;
    std::atomic<UINT> nextBlock{0};
    const auto takeBlocks = [&] {
        for (UINT from = nextBlock.fetch_add(kBlockRows); from < rowsToDo && !failed;
             from = nextBlock.fetch_add(kBlockRows))
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
    if (whole) GdipBitmapUnlockBits(bitmap, &in);
    return !failed;
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

bool AverageInto(GpBitmap* source, GpBitmap* target) {
    UINT sw = 0, sh = 0, tw = 0, th = 0;
    if (!Sizes(source, target, sw, sh, tw, th) || tw > sw || th > sh) return false;
    return ReduceCells(source, sw, sh, target, tw, th, 0, tw, 0, th);
}

bool ReduceInto(GpImage* source, GpBitmap* target) {
    UINT sw = 0, sh = 0, tw = 0, th = 0;
    if (!Sizes(source, target, sw, sh, tw, th)) return false;
    ImageType type = ImageTypeUnknown;
    GdipGetImageType(source, &type);
    if (type == ImageTypeBitmap && AverageInto(static_cast<GpBitmap*>(source), target)) return true;
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
