#include "browser/ThumbnailMaker.h"

#include "browser/JpegHead.h"
#include "browser/ThumLayout.h"
#include "imaging/BoxReduce.h"
#include "imaging/GdiDIB.h"
#include "platform/Rounding.h"

#include <string_view>

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
        GdipBitmap averaged;
        if (GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, averaged.put()) == Ok &&
            AverageInto(static_cast<GpBitmap*>(image), averaged.get()))
            return averaged;
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
