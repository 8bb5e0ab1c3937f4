#include "imaging/GdiDIB.h"

#include "imaging/DecodeCost.h"
#include "imaging/ImageFileCheck.h"
#include "imaging/ImageOrientation.h"
#include "imaging/JpegExif.h"
#include "platform/GdipHandles.h"
#include "platform/MemoryBudget.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

GdiDIB::GdiDIB(GdiDIB&& other) noexcept
    : image_(std::move(other.image_)), width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

GdiDIB& GdiDIB::operator=(GdiDIB&& other) noexcept {
    if (this != &other) {
        Destroy();
        image_ = std::move(other.image_);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void GdiDIB::SetDIB(GpImage* image) {
    if (image != image_.get()) image_.reset(image);
}

GpImage* GdiDIB::ReleaseDIB() {
    width_ = height_ = 0;
    return image_.release();
}

void GdiDIB::SetWidth(float width) {
    width_ = RoundHalfEven(width);
}
void GdiDIB::SetHeight(float height) {
    height_ = RoundHalfEven(height);
}

namespace {

// Decodes the image in memory, which the stream takes over; null when it does not decode, with the
// decoder's status in status.
GpImage* DecodeMemory(UniqueHGlobal memory, GpStatus* status = nullptr) {
    IStream* stream = nullptr;
    // The stream owns the memory from here on; GDI+ keeps its own reference while it needs it.
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &stream))) {
        if (status) *status = OutOfMemory;
        return nullptr;
    }
    (void)memory.release();
    GdipImage image;
    GpStatus loaded = GdipLoadImageFromStream(stream, image.put());
    stream->Release();
    UINT w = 0, h = 0;
    if (loaded == Ok &&
        (GdipGetImageWidth(image.get(), &w) != Ok || GdipGetImageHeight(image.get(), &h) != Ok || w == 0 || h == 0))
        loaded = GenericError;
    if (status) *status = loaded;
    return loaded == Ok ? image.release() : nullptr;
}

// A picture file copied to memory, and what its bytes tell before it is decoded.
struct PictureFileCopy {
    UniqueHGlobal memory;           // empty when the file cannot be read or its bytes are no sound picture
    GpStatus status = GenericError; // why it is empty
    uint32_t orientation = 0;
    std::optional<uint64_t> needed; // the decode's memory, when the file states the picture's size
};

PictureFileCopy ReadPictureFile(const std::wstring& fileName) {
    PictureFileCopy copy;
    UniqueFile file(::CreateFileW(LongPathForm(fileName).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return copy;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return copy;
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    UniqueHGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        copy.status = OutOfMemory;
        return copy;
    }
    void* data = ::GlobalLock(memory.get());
    if (!data) return copy;
    DWORD read = 0;
    const bool ok = ::ReadFile(file.get(), data, bytes, &read, nullptr) && read == bytes &&
                    IsImageDataSound(static_cast<const uint8_t*>(data), bytes);
    if (ok) {
        const std::string_view view(static_cast<const char*>(data), bytes);
        // By the bytes, so that a copy under another name (the screen saver's) shows the same.
        copy.orientation = PictureOrientation(view);
        copy.needed = DecodeMemoryStated(view, bytes);
    }
    ::GlobalUnlock(memory.get());
    if (ok) copy.memory = std::move(memory);
    return copy;
}

GpImage* DecodePictureFile(PictureFileCopy copy, GpStatus* status) {
    if (status) *status = copy.status;
    if (!copy.memory) return nullptr;
    GpStatus decoded = GenericError;
    GpImage* image = DecodeMemory(std::move(copy.memory), &decoded);
    // A decoder that runs short of memory does not always say so (this platform's run-length BMP
    // and large PNG decodes give a generic error): a picture whose header is sound and needs more
    // memory than is free failed for want of it, whatever the status.
    if (!image && decoded != OutOfMemory && copy.needed && *copy.needed > LargestFreeMemory()) decoded = OutOfMemory;
    if (status) *status = decoded;
    return image;
}

} // namespace

GpImage* LoadImageAsStored(const std::wstring& fileName, uint32_t& orientation, GpStatus* status) {
    PictureFileCopy copy = ReadPictureFile(fileName);
    orientation = copy.orientation;
    return DecodePictureFile(std::move(copy), status);
}

GpImage* LoadImageFromFileCopy(const std::wstring& fileName, LoadReport* report) {
    GpStatus status = Ok;
    PictureFileCopy copy = ReadPictureFile(fileName);
    uint32_t orientation = copy.orientation;
    const std::optional<uint64_t> needed = copy.needed;
    // Ahead of the decodes on worker threads (the grid's): none starts while this one runs, and one
    // that needs the memory those under way may hold waits for them to end. A decode that ran short
    // is not always undone here (this platform's PNG decoder can keep the pixels it read), so an
    // open that can be seen to fail beside them is not started.
    MemoryBudget& decodes = ProcessDecodeBudget();
    const bool beside = decodes.Held();
    MemoryBudget::Lease first = decodes.TakeFirst(needed.value_or(0));
    GdipImage image(DecodePictureFile(std::move(copy), &status));
    // They took what it needed after all: once they have ended, it is tried again. A picture whose
    // file states its size counts, as the memory may have come back before the failure was weighed.
    if (!image && beside && (status == OutOfMemory || needed)) {
        first = decodes.TakeFirst(UINT64_MAX);
        image.reset(LoadImageAsStored(fileName, orientation, &status));
    }
    if (report) *report = LoadReport{!image && status == OutOfMemory, 0};
    if (!image || orientation < 2 || orientation > 8) return image.release();
    if (GdipBitmap upright = UprightCopy(image.get(), orientation)) return upright.release();
    // A turn that cannot be made (too little memory for a second copy) leaves the picture as
    // stored: shown on its side rather than not at all.
    if (report) report->unturned = orientation;
    return image.release();
}

GpImage* DecodeImageBytes(std::string_view bytes) {
    if (bytes.empty()) return nullptr;
    UniqueHGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory) return nullptr;
    void* data = ::GlobalLock(memory.get());
    if (!data) return nullptr;
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
    ::GlobalUnlock(memory.get());
    return DecodeMemory(std::move(memory));
}

ImageFrames ImageFileFrames(const std::wstring& fileName) {
    // Only these types hold several pictures: for any other a save would decode the whole file
    // again for nothing.
    const std::string head = ReadFileHead(fileName, 4);
    if (head.size() < 4) return {};
    const bool gif = head.compare(0, 3, "GIF") == 0;
    const bool tiff = head == std::string("II*\0", 4) || head == std::string("MM\0*", 4);
    if (!gif && !tiff) return {1, false};
    const ImageFrames uncounted{0, gif, true};
    uint32_t orientation = 0;
    const GdipImage image(LoadImageAsStored(fileName, orientation));
    if (!image) return uncounted;
    UINT dimensions = 0;
    if (GdipImageGetFrameDimensionsCount(image.get(), &dimensions) != Ok || dimensions == 0) return uncounted;
    std::vector<GUID> ids(dimensions);
    if (GdipImageGetFrameDimensionsList(image.get(), ids.data(), dimensions) != Ok) return uncounted;
    ImageFrames frames{1, false};
    for (const GUID& id : ids) {
        UINT count = 0;
        if (GdipImageGetFrameCount(image.get(), &id, &count) != Ok) return uncounted;
        if (count > frames.count) frames = {count, ::IsEqualGUID(id, FrameDimensionTime) != FALSE};
    }
    return frames;
}

bool GdiDIB::Import(const std::wstring& fileName, LoadReport* report) {
    Destroy();
    image_.reset(LoadImageFromFileCopy(fileName, report));
    if (!image_) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image_.get(), &w);
    GdipGetImageHeight(image_.get(), &h);
    width_ = static_cast<int32_t>(w);
    height_ = static_cast<int32_t>(h);
    return true;
}

void GdiDIB::GetBestFitInfo(float srcW, float srcH, float dstW, float dstH, float& x, float& y, float& w, float& h) {
    if (srcW <= dstW && srcH <= dstH) {
        w = srcW;
        h = srcH;
    } else {
        // A zero source side cannot be scaled: it is taken as already fitting that way.
        const float rW = srcW > 0 ? dstW / srcW : 1e30f;
        const float rH = srcH > 0 ? dstH / srcH : 1e30f;
        if (rW < rH) {
            w = dstW;
            h = rW * srcH;
        } else {
            h = dstH;
            w = rH * srcW;
        }
    }
    x = static_cast<float>(RoundHalfEven(dstW - w) / 2);
    y = static_cast<float>(RoundHalfEven(dstH - h) / 2);
}

void GdiDIB::Destroy() {
    image_.reset();
    width_ = height_ = 0;
}
