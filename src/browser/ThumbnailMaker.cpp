#include "browser/ThumbnailMaker.h"

#include "browser/ThumLayout.h"
#include "imaging/BoxReduce.h"
#include "imaging/DecodeCost.h"
#include "imaging/GdiDIB.h"
#include "imaging/ImageOrientation.h"
#include "imaging/JpegExif.h"
#include "imaging/JpegHead.h"
#include "platform/MemoryBudget.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"

#include <climits>
#include <new>
#include <optional>
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

// A camera's embedded thumbnail, when it is at least as large as the cell: the picture itself is
// then never decoded. The thumbnail is stored as the picture is, so it takes the picture's turn.
bool FromEmbeddedThumbnail(std::string_view bytes, float boxWidth, float boxHeight, CellPicture& cell) {
    const JpegHead head = ReadJpegHead(bytes);
    if (head.width <= 0 || head.height <= 0 || head.thumbnail.empty()) return false;
    const RectF fit = FitInBox(static_cast<float>(head.width), static_cast<float>(head.height), boxWidth, boxHeight);
    const int32_t w = RoundHalfEven(fit.Width), h = RoundHalfEven(fit.Height);
    GdipImage thumbnail(DecodeImageBytes(head.thumbnail));
    if (GdipBitmap upright = UprightCopy(thumbnail.get(), head.orientation)) thumbnail.reset(upright.release());
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

namespace {

CellPicture Decoded(const std::wstring& path, float boxWidth, float boxHeight) {
    CellPicture cell;
    uint32_t orientation = 0;
    GpStatus status = Ok;
    const GdipImage image(LoadImageAsStored(path, orientation, &status));
    cell.shortOfMemory = status == OutOfMemory;
    UINT storedW = 0, storedH = 0;
    if (image) {
        GdipGetImageWidth(image.get(), &storedW);
        GdipGetImageHeight(image.get(), &storedH);
    }
    // The cell shows the picture upright; the reduced copy is turned, not the whole picture.
    const bool swapped = OrientationSwapsSides(orientation);
    cell.imageWidth = static_cast<int32_t>(swapped ? storedH : storedW);
    cell.imageHeight = static_cast<int32_t>(swapped ? storedW : storedH);
    cell.fit = FitInBox(static_cast<float>(cell.imageWidth), static_cast<float>(cell.imageHeight), boxWidth, boxHeight);
    const int32_t w = RoundHalfEven(cell.fit.Width), h = RoundHalfEven(cell.fit.Height);
    if (!image || w <= 0 || h <= 0) return cell;
    cell.bitmap = swapped ? ReduceImage(image.get(), h, w) : ReduceImage(image.get(), w, h);
    // A decoded picture fails to reduce only when the memory for reading it runs short.
    if (!cell.bitmap) {
        cell.shortOfMemory = true;
        return cell;
    }
    if (GdipBitmap upright = UprightCopy(cell.bitmap.get(), orientation)) cell.bitmap = std::move(upright);
    return cell;
}

// The lease is held while the picture decodes, and while the memory held after a decode that ran
// short is read: no other decode of the budget's then holds any.
CellPicture DecodedWithin([[maybe_unused]] MemoryBudget::Lease lease, const std::wstring& path, float boxWidth,
                          float boxHeight) {
    CellPicture cell;
    try {
        cell = Decoded(path, boxWidth, boxHeight);
    } catch (const std::bad_alloc&) {
        cell = CellPicture{};
        cell.shortOfMemory = true;
    }
    if (cell.shortOfMemory) {
        cell.memoryInUse = MemoryInUse();
        cell.memoryFree = LargestFreeMemory();
    }
    return cell;
}

uint64_t FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

// A cell short of memory tells the picture's size its file states, upright as the cell would show it.
void TakeStatedSize(std::string_view head, CellPicture& cell) {
    const std::optional<StatedSize> stated = StatedPictureSize(head);
    if (!stated || stated->width > INT32_MAX || stated->height > INT32_MAX) return;
    const bool swapped = OrientationSwapsSides(PictureOrientation(head));
    cell.imageWidth = static_cast<int32_t>(swapped ? stated->height : stated->width);
    cell.imageHeight = static_cast<int32_t>(swapped ? stated->width : stated->height);
}

} // namespace

CellPicture MakeCellPicture(const std::wstring& path, float boxWidth, float boxHeight, std::stop_token stop) {
    const std::string head = ReadFileHead(path);
    CellPicture cell;
    if (FromEmbeddedThumbnail(head, boxWidth, boxHeight, cell)) return cell;
    MemoryBudget& budget = ProcessDecodeBudget();
    std::optional<MemoryBudget::Lease> lease = budget.Take(DecodeMemoryNeeded(head, FileBytes(path)), stop);
    if (!lease) return cell;
    cell = DecodedWithin(std::move(*lease), path, boxWidth, boxHeight);
    if (cell.shortOfMemory) {
        lease = budget.TakeAll(stop);
        if (!lease) return cell;
        cell = DecodedWithin(std::move(*lease), path, boxWidth, boxHeight);
    }
    if (cell.shortOfMemory && cell.imageWidth <= 0) TakeStatedSize(head, cell);
    return cell;
}
