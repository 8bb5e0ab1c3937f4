#include "browser/ThumbnailMaker.h"

#include "browser/JpegHead.h"
#include "browser/ThumLayout.h"
#include "imaging/GdiDIB.h"
#include "platform/Rounding.h"

#include <string_view>
#include <vector>

namespace {

GdipBitmap DrawnAt(GpImage* image, int32_t width, int32_t height) {
    GdipBitmap out;
    if (GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, out.put()) != Ok) return {};
    GdipGraphics g;
    if (GdipGetImageGraphicsContext(out.get(), g.put()) != Ok) return {};
    GdipSetInterpolationMode(g.get(), InterpolationModeLowQuality);
    GdipSetPixelOffsetMode(g.get(), PixelOffsetModeHalf);
    GdipDrawImageRectI(g.get(), image, 0, 0, width, height);
    return out;
}

// Each target pixel the average of the source pixels in its bin. The source is read one band of
// rows per target row, so no copy of the whole picture is made; Bpp is 3 for pictures without
// alpha (read in their own 24-bit form) and 4 for premultiplied ones. Sum holds one bin's total.
template <typename Sum, int Bpp>
bool AverageBins(GpBitmap* source, int32_t sw, int32_t sh, int32_t tw, int32_t th, std::vector<uint32_t>& out) {
    const PixelFormat readAs = Bpp == 3 ? PixelFormat24bppRGB : PixelFormat32bppPARGB;
    const int32_t stride = (sw * Bpp + 3) & ~3;
    std::vector<int32_t> columnStart(static_cast<size_t>(tw) + 1);
    for (int32_t x = 0; x <= tw; ++x)
        columnStart[static_cast<size_t>(x)] = std::min(static_cast<int32_t>(static_cast<int64_t>(x) * sw / tw), sw);
    std::vector<uint8_t> band;
    std::vector<Sum> sums(static_cast<size_t>(tw) * 4);
    for (int32_t ty = 0; ty < th; ++ty) {
        const int32_t y0 = static_cast<int32_t>(static_cast<int64_t>(ty) * sh / th);
        const int32_t y1 = std::min(std::max(static_cast<int32_t>(static_cast<int64_t>(ty + 1) * sh / th), y0 + 1), sh);
        band.resize(static_cast<size_t>(stride) * static_cast<size_t>(y1 - y0));
        BitmapData data{};
        data.Width = static_cast<UINT>(sw);
        data.Height = static_cast<UINT>(y1 - y0);
        data.Stride = stride;
        data.PixelFormat = readAs;
        data.Scan0 = band.data();
        GpRect rows(0, y0, sw, y1 - y0);
        if (GdipBitmapLockBits(source, &rows, ImageLockModeRead | ImageLockModeUserInputBuf, readAs, &data) != Ok)
            return false;
        GdipBitmapUnlockBits(source, &data);
        std::fill(sums.begin(), sums.end(), Sum{0});
        for (int32_t y = 0; y < y1 - y0; ++y) {
            const uint8_t* row = band.data() + static_cast<size_t>(y) * static_cast<size_t>(stride);
            Sum* s = sums.data();
            for (int32_t tx = 0; tx < tw; ++tx, s += 4) {
                const int32_t x0 = columnStart[static_cast<size_t>(tx)];
                const int32_t x1 = std::min(std::max(columnStart[static_cast<size_t>(tx) + 1], x0 + 1), sw);
                for (const uint8_t* p = row + x0 * Bpp; p < row + x1 * Bpp; p += Bpp) {
                    s[0] += p[0];
                    s[1] += p[1];
                    s[2] += p[2];
                    if constexpr (Bpp == 4) s[3] += p[3];
                }
            }
        }
        for (int32_t tx = 0; tx < tw; ++tx) {
            const int32_t x0 = columnStart[static_cast<size_t>(tx)];
            const int32_t x1 = std::min(std::max(columnStart[static_cast<size_t>(tx) + 1], x0 + 1), sw);
            const Sum area = static_cast<Sum>(x1 - x0) * static_cast<Sum>(y1 - y0);
            const Sum* sum = &sums[static_cast<size_t>(tx) * 4];
            uint32_t p = Bpp == 3 ? 255u : static_cast<uint32_t>((sum[3] + area / 2) / area);
            for (int c = 2; c >= 0; --c) p = (p << 8) | static_cast<uint32_t>((sum[c] + area / 2) / area);
            out[static_cast<size_t>(ty) * static_cast<size_t>(tw) + static_cast<size_t>(tx)] = p;
        }
    }
    return true;
}

// Averages premultiplied pixels, so that transparent pixels lend no colour to their neighbours; a
// picture without alpha is read as it was decoded, without the premultiplying pass.
GdipBitmap AreaAverage(GpBitmap* source, int32_t sw, int32_t sh, int32_t tw, int32_t th) {
    PixelFormat format = PixelFormatUndefined;
    GdipGetImagePixelFormat(source, &format);
    const bool opaque = (format & PixelFormatAlpha) == 0;
    std::vector<uint32_t> out(static_cast<size_t>(tw) * static_cast<size_t>(th));
    // 32-bit sums while a bin's 255s cannot overflow them.
    const uint64_t largestBin = (static_cast<uint64_t>(sw) / static_cast<uint64_t>(tw) + 1) *
                                (static_cast<uint64_t>(sh) / static_cast<uint64_t>(th) + 1);
    const bool narrow = largestBin * 255 < UINT32_MAX;
    const bool averaged = opaque ? (narrow ? AverageBins<uint32_t, 3>(source, sw, sh, tw, th, out)
                                           : AverageBins<uint64_t, 3>(source, sw, sh, tw, th, out))
                                 : (narrow ? AverageBins<uint32_t, 4>(source, sw, sh, tw, th, out)
                                           : AverageBins<uint64_t, 4>(source, sw, sh, tw, th, out));
    if (!averaged) return {};

    GdipBitmap result;
    if (GdipCreateBitmapFromScan0(tw, th, 0, PixelFormat32bppPARGB, nullptr, result.put()) != Ok) return {};
    BitmapData target{};
    target.Width = static_cast<UINT>(tw);
    target.Height = static_cast<UINT>(th);
    target.Stride = tw * 4;
    target.PixelFormat = PixelFormat32bppPARGB;
    target.Scan0 = out.data();
    GpRect whole(0, 0, tw, th);
    if (GdipBitmapLockBits(result.get(), &whole, ImageLockModeWrite | ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                           &target) != Ok)
        return {};
    GdipBitmapUnlockBits(result.get(), &target);
    return result;
}

// Decodes an image held in memory (an embedded thumbnail); empty when it does not decode.
GdipImage DecodeBytes(std::string_view bytes) {
    UniqueHGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory) return {};
    void* data = ::GlobalLock(memory.get());
    if (!data) return {};
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
    ::GlobalUnlock(memory.get());
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &stream))) return {};
    (void)memory.release(); // the stream owns it now
    GdipImage image;
    if (GdipLoadImageFromStream(stream, image.put()) != Ok) image.reset();
    stream->Release();
    return image;
}

// A camera's embedded thumbnail, when it is at least as large as the cell: the picture itself is
// then never decoded. Its orientation is not applied, as the platform's own thumbnail does not.
bool FromEmbeddedThumbnail(const std::wstring& path, float boxWidth, float boxHeight, CellPicture& cell) {
    const std::string bytes = ReadFileHead(path);
    const JpegHead head = ReadJpegHead(bytes);
    if (head.width <= 0 || head.height <= 0 || head.thumbnail.empty()) return false;
    const RectF fit = FitInBox(static_cast<float>(head.width), static_cast<float>(head.height), boxWidth, boxHeight);
    const int32_t w = RoundHalfEven(fit.Width), h = RoundHalfEven(fit.Height);
    GdipImage thumbnail = DecodeBytes(head.thumbnail);
    UINT tw = 0, th = 0;
    if (!thumbnail || GdipGetImageWidth(thumbnail.get(), &tw) != Ok || GdipGetImageHeight(thumbnail.get(), &th) != Ok ||
        static_cast<int32_t>(tw) < w || static_cast<int32_t>(th) < h || w <= 0 || h <= 0)
        return false;
    GdipBitmap reduced = ReduceImage(thumbnail.get(), w, h);
    if (!reduced) return false;
    cell.bitmap = std::move(reduced);
    cell.imageWidth = head.width;
    cell.imageHeight = head.height;
    cell.fit = fit;
    return true;
}

} // namespace

GdipBitmap ReduceImage(GpImage* image, int32_t width, int32_t height) {
    if (!image || width <= 0 || height <= 0) return {};
    UINT sw = 0, sh = 0;
    ImageType type = ImageTypeUnknown;
    GdipGetImageWidth(image, &sw);
    GdipGetImageHeight(image, &sh);
    GdipGetImageType(image, &type);
    // Any reduction of a raster image is averaged: it is also quicker than the platform's draw.
    const bool reduced = static_cast<int64_t>(sw) > width || static_cast<int64_t>(sh) > height;
    if (type == ImageTypeBitmap && reduced) {
        GdipBitmap averaged = AreaAverage(static_cast<GpBitmap*>(image), static_cast<int32_t>(sw),
                                          static_cast<int32_t>(sh), width, height);
        if (averaged) return averaged;
    }
    return DrawnAt(image, width, height);
}

CellPicture MakeCellPicture(const std::wstring& path, float boxWidth, float boxHeight) {
    CellPicture cell;
    if (FromEmbeddedThumbnail(path, boxWidth, boxHeight, cell)) return cell;
    GdiDIB image;
    if (image.Import(path)) {
        cell.imageWidth = static_cast<int32_t>(image.Width());
        cell.imageHeight = static_cast<int32_t>(image.Height());
    }
    cell.fit = FitInBox(static_cast<float>(cell.imageWidth), static_cast<float>(cell.imageHeight), boxWidth, boxHeight);
    const int32_t w = RoundHalfEven(cell.fit.Width), h = RoundHalfEven(cell.fit.Height);
    if (image.DIB() && w > 0 && h > 0) cell.bitmap = ReduceImage(image.DIB(), w, h);
    return cell;
}
