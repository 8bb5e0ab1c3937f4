#include "platform/DibSection.h"

#include <utility>

bool DibSection::Create(const BITMAPINFO& info) {
    Reset();
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return false;
    void* bits = nullptr;
    UniqueHBitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    oldBitmap_ = ::SelectObject(dc.get(), bitmap.get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    bits_ = static_cast<uint8_t*>(bits);
    return true;
}

void DibSection::Reset() {
    // The section is deleted only once the DC no longer holds it.
    if (dc_ && oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bits_ = nullptr;
    bitmap_.reset();
    dc_.reset();
}

void DibSection::Swap(DibSection& other) noexcept {
    std::swap(dc_, other.dc_);
    std::swap(bitmap_, other.bitmap_);
    std::swap(oldBitmap_, other.oldBitmap_);
    std::swap(bits_, other.bits_);
}
