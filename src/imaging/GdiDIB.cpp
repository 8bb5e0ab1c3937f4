#include "imaging/GdiDIB.h"

#include "imaging/ImageFileCheck.h"
#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"

#include <utility>

GdiDIB::GdiDIB(GdiDIB&& other) noexcept
    : image_(std::exchange(other.image_, nullptr)), width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

GdiDIB& GdiDIB::operator=(GdiDIB&& other) noexcept {
    if (this != &other) {
        Destroy();
        image_ = std::exchange(other.image_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void GdiDIB::SetDIB(GpImage* image) {
    if (image_ && image_ != image) GdipDisposeImage(image_);
    image_ = image;
}

GpImage* GdiDIB::ReleaseDIB() {
    width_ = height_ = 0;
    return std::exchange(image_, nullptr);
}

void GdiDIB::SetWidth(float width) { width_ = RoundHalfEven(width); }
void GdiDIB::SetHeight(float height) { height_ = RoundHalfEven(height); }

GpImage* LoadImageFromFileCopy(const std::wstring& fileName) {
    UniqueFile file(::CreateFileW(LongPathForm(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return nullptr;
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    UniqueHGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return nullptr;
    void* data = ::GlobalLock(memory.get());
    if (!data) return nullptr;
    DWORD read = 0;
    const bool ok = ::ReadFile(file.get(), data, bytes, &read, nullptr) && read == bytes &&
                    IsImageDataSound(static_cast<const uint8_t*>(data), bytes);
    ::GlobalUnlock(memory.get());
    file.reset();
    if (!ok) return nullptr;

    IStream* stream = nullptr;
    // The stream owns the memory from here on; GDI+ keeps its own reference while it needs it.
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &stream))) return nullptr;
    (void)memory.release();
    GpImage* image = nullptr;
    if (GdipLoadImageFromStream(stream, &image) != Ok) image = nullptr;
    stream->Release();
    if (image) {
        UINT w = 0, h = 0;
        if (GdipGetImageWidth(image, &w) != Ok || GdipGetImageHeight(image, &h) != Ok || w == 0 || h == 0) {
            GdipDisposeImage(image);
            image = nullptr;
        }
    }
    return image;
}

bool GdiDIB::Import(const std::wstring& fileName) {
    Destroy();
    GpImage* image = LoadImageFromFileCopy(fileName);
    if (!image) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    image_ = image;
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
    if (image_) GdipDisposeImage(image_);
    image_ = nullptr;
    width_ = height_ = 0;
}
