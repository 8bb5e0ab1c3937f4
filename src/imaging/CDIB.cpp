// The pixel bitmap: a DIB section in a memory DC of its own, its BMP writer, and the two copies
// between it and GDI+ bitmaps.
#include "imaging/CDIB.h"

#include "platform/PathHelpers.h"
#include "platform/GdipHandles.h"
#include "platform/Rounding.h"

#include <cstring>
#include <limits>

namespace {

// BITMAPINFO with room for the largest colour table (256 entries at 8 bpp).
struct BitmapInfo256 {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

int32_t PaletteEntries(int32_t bpp) {
    return bpp >= 1 && bpp <= 8 ? (1 << bpp) : 0;
}

// Describes a 32 bpp CDIB to GdipBitmapLockBits as a user buffer: a negative stride from the last
// stored row, so that GDI+'s top row lands in the bottom-up section's last row.
BitmapData UserBufferOf(const CDIB& dib) {
    BitmapData data{};
    data.Width = static_cast<UINT>(dib.Width());
    data.Height = static_cast<UINT>(dib.Height());
    data.Stride = -dib.BytesPerScanline();
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = dib.lpBits() + static_cast<size_t>(dib.Height() - 1) * static_cast<size_t>(dib.BytesPerScanline());
    return data;
}

// Copies all of bitmap (same size as dib) into dib (ImageLockModeRead) or dib into bitmap
// (ImageLockModeWrite) through one lock with dib's bits as the user buffer.
bool CopyThroughSection(GpBitmap* bitmap, const CDIB& dib, UINT direction, PixelFormat format = PixelFormat32bppARGB) {
    // Any GDI drawing still queued for the section must land before its bits are read or written.
    ::GdiFlush();
    GpRect all{0, 0, dib.Width(), dib.Height()};
    BitmapData data = UserBufferOf(dib);
    data.PixelFormat = format;
    if (GdipBitmapLockBits(bitmap, &all, direction | ImageLockModeUserInputBuf, format, &data) != Ok) return false;
    return GdipBitmapUnlockBits(bitmap, &data) == Ok;
}

bool HoldsArgbSection(const CDIB& dib) {
    return dib.hDIB() && dib.lpBits() && dib.BPP() == 32 && dib.Width() > 0 && dib.Height() > 0 &&
           dib.BytesPerScanline() == dib.Width() * 4;
}

} // namespace

bool CDIB::Create(int32_t width, int32_t height, int32_t bpp) {
    Destroy();
    if (width <= 0 || height <= 0 || bpp <= 0) return false;
    // Sizes are checked in 64 bits before anything is made: no wrap-around, no exception.
    const int64_t bitsPerRow = int64_t{width} * bpp + 31;
    const int64_t bytesPerScanline = bitsPerRow / 32 * 4;
    const int64_t size = bytesPerScanline * height;
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (bitsPerRow > kMax || bytesPerScanline > kMax || size > kMax) return false;

    header_ = BITMAPINFOHEADER{};
    header_.biSize = sizeof(BITMAPINFOHEADER);
    header_.biWidth = width;
    header_.biHeight = height;
    header_.biPlanes = 1;
    header_.biBitCount = static_cast<WORD>(bpp);
    header_.biCompression = BI_RGB;

    BitmapInfo256 info{};
    info.header = header_;

    if (!section_.Create(*reinterpret_cast<BITMAPINFO*>(&info))) return false;
    width_ = width;
    height_ = height;
    bpp_ = bpp;
    bytesPerScanline_ = static_cast<int32_t>(bytesPerScanline);
    size_ = static_cast<int32_t>(size);
    return true;
}

bool CDIB::CloneTo(CDIB& dst) const {
    if (&dst == this) return static_cast<bool>(section_);
    if (!section_) {
        dst.Destroy();
        return false;
    }
    if (!dst.Create(width_, height_, bpp_)) return false;
    if (bpp_ <= 8) dst.SetPalette(GetPalette());
    ::GdiFlush(); // GDI drawing still queued for the section lands before its bits are read
    std::memcpy(dst.lpBits(), lpBits(), static_cast<size_t>(size_));
    return true;
}

bool CDIB::Save(const std::wstring& fileName) const {
    if (!section_ || fileName.empty()) return false;
    const std::vector<uint8_t> palette = GetPalette();
    const uint32_t offset = 14 + 40 + static_cast<uint32_t>(palette.size());
    const uint64_t fileSize = uint64_t{offset} + static_cast<uint64_t>(size_);
    if (fileSize > 0xFFFFFFFFull) return false;

    uint8_t fileHeader[14]{};
    fileHeader[0] = 'B';
    fileHeader[1] = 'M';
    const auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) fileHeader[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(2, static_cast<uint32_t>(fileSize));
    put32(6, 0);
    put32(10, offset);

    ::GdiFlush(); // GDI drawing still queued for the section lands before its bits are read
    return WriteFileReplacing(fileName, {std::span<const uint8_t>(fileHeader),
                                         std::span(reinterpret_cast<const uint8_t*>(&header_), sizeof header_),
                                         std::span<const uint8_t>(palette), std::span<const uint8_t>(lpBits(), size_)});
}

void CDIB::Destroy() {
    section_.Reset();
    width_ = height_ = bpp_ = bytesPerScanline_ = size_ = 0;
}

BOOL CDIB::LoadBlt(HDC src, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!section_) return FALSE;
    return ::BitBlt(hDC(), 0, 0, w == 0 ? width_ : w, h == 0 ? height_ : h, src, x, y, SRCCOPY);
}

void CDIB::LoadDIBBlt(const CDIB& src) {
    if (!section_ || !src.section_) return;
    (void)src.Stretch(hDC(), 0, 0, width_, height_, 0, 0, 0, 0, SRCCOPY, 3);
}

BOOL CDIB::Stretch(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, int32_t srcX, int32_t srcY, int32_t srcW,
                   int32_t srcH, DWORD rop, int mode) const {
    if (!section_) return FALSE;
    const int previous = ::SetStretchBltMode(dst, mode);
    // Every stretch is a halftone one, whatever mode the caller names: the other modes keep or
    // combine whole rows and columns of the source instead of blending neighbours.
    ::SetStretchBltMode(dst, HALFTONE);
    // HALFTONE misaligns brushes unless the brush origin is set again after it.
    POINT oldOrigin{};
    ::SetBrushOrgEx(dst, 0, 0, &oldOrigin);
    const BOOL result =
        ::StretchBlt(dst, x, y, w, h, hDC(), srcX, srcY, srcW == 0 ? width_ : srcW, srcH == 0 ? height_ : srcH, rop);
    if (previous) ::SetStretchBltMode(dst, previous);
    ::SetBrushOrgEx(dst, oldOrigin.x, oldOrigin.y, nullptr);
    return result;
}

void CDIB::Cls(COLORREF colour) {
    if (!section_) return;
    UniqueGdiObject brush(::CreateSolidBrush(colour));
    if (!brush) return;
    RECT all{0, 0, width_, height_};
    ::FillRect(hDC(), &all, static_cast<HBRUSH>(brush.get()));
    ::GdiFlush();
}

void CDIB::Reset() {
    if (!section_) return;
    ::GdiFlush();
    std::memset(lpBits(), 0, static_cast<size_t>(size_));
}

void CDIB::SetPalette(const std::vector<uint8_t>& pal) {
    const int32_t entries = PaletteEntries(bpp_);
    if (!section_ || entries == 0) return;
    const UINT count = static_cast<UINT>(std::min<size_t>(pal.size() / 4, static_cast<size_t>(entries)));
    if (count == 0) return;
    ::SetDIBColorTable(hDC(), 0, count, reinterpret_cast<const RGBQUAD*>(pal.data()));
}

std::vector<uint8_t> CDIB::GetPalette() const {
    const int32_t entries = PaletteEntries(bpp_);
    if (!section_ || entries == 0) return {};
    std::vector<uint8_t> pal(static_cast<size_t>(entries) * 4, 0);
    ::GetDIBColorTable(hDC(), 0, static_cast<UINT>(entries), reinterpret_cast<RGBQUAD*>(pal.data()));
    return pal;
}

void CDIB::GetBestFitInfo(int32_t srcW, int32_t srcH, int32_t dstW, int32_t dstH, int32_t& x, int32_t& y, int32_t& w,
                          int32_t& h, bool stretch) {
    if (srcW <= dstW && srcH <= dstH && !stretch) {
        w = srcW;
        h = srcH;
    } else if (srcW <= 0 || srcH <= 0) {
        // Nothing to fit: an empty box in the middle instead of a division by zero.
        w = h = 0;
    } else {
        const float rW = static_cast<float>(dstW) / static_cast<float>(srcW);
        const float rH = static_cast<float>(dstH) / static_cast<float>(srcH);
        if (rW < rH) {
            w = dstW;
            h = RoundHalfEven(static_cast<double>(rW) * srcH);
        } else {
            h = dstH;
            w = RoundHalfEven(static_cast<double>(rH) * srcW);
        }
    }
    x = static_cast<int32_t>((int64_t{dstW} - w) / 2 + 4);
    y = static_cast<int32_t>((int64_t{dstH} - h) / 2 + 4);
}

HBITMAP CDIB::image() const {
    if (!section_) return nullptr;
    BitmapInfo256 info{};
    info.header = header_;
    const std::vector<uint8_t> pal = GetPalette();
    if (!pal.empty()) std::memcpy(info.colours, pal.data(), pal.size());
    void* bits = nullptr;
    UniqueHBitmap copy(
        ::CreateDIBSection(hDC(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy || !bits) return nullptr;
    ::GdiFlush();
    std::memcpy(bits, lpBits(), static_cast<size_t>(size_));
    return copy.release();
}

bool GdipImageToDIB(CDIB& dib, GpImage* image) {
    if (!image || !HoldsArgbSection(dib)) return false;
    // A bitmap of the bitmap's own size needs no scaling: one lock copies it (converted to ARGB)
    // without drawing it first, which is most of the cost for a photograph.
    ImageType type = ImageTypeUnknown;
    UINT w = 0, h = 0;
    if (GdipGetImageType(image, &type) == Ok && type == ImageTypeBitmap && GdipGetImageWidth(image, &w) == Ok &&
        GdipGetImageHeight(image, &h) == Ok && w == static_cast<UINT>(dib.Width()) &&
        h == static_cast<UINT>(dib.Height()) &&
        CopyThroughSection(static_cast<GpBitmap*>(image), dib, ImageLockModeRead))
        return true;
    GdipBitmap temp;
    if (GdipCreateBitmapFromScan0(dib.Width(), dib.Height(), 0, PixelFormat32bppARGB, nullptr, temp.put()) != Ok)
        return false;
    {
        GdipGraphics surface;
        if (GdipGetImageGraphicsContext(temp.get(), surface.put()) != Ok) return false;
        if (GdipDrawImageRectI(surface.get(), image, 0, 0, dib.Width(), dib.Height()) != Ok) return false;
    }
    return CopyThroughSection(temp.get(), dib, ImageLockModeRead);
}

GpBitmap* DIBToGdipBitmap(const CDIB& dib, PixelFormat format) {
    if (!HoldsArgbSection(dib)) return nullptr;
    if (format != PixelFormat32bppRGB) format = PixelFormat32bppARGB;
    GdipBitmap bitmap;
    if (GdipCreateBitmapFromScan0(dib.Width(), dib.Height(), 0, format, nullptr, bitmap.put()) != Ok) return nullptr;
    return CopyThroughSection(bitmap.get(), dib, ImageLockModeWrite, format) ? bitmap.release() : nullptr;
}

bool AllOpaque(const CDIB& dib) {
    if (!HoldsArgbSection(dib)) return false;
    ::GdiFlush();
    const uint8_t* p = dib.lpBits();
    const size_t count = static_cast<size_t>(dib.Width()) * static_cast<size_t>(dib.Height());
    // Alpha is the fourth byte of each pixel.
    for (size_t i = 0; i < count; ++i)
        if (p[i * 4 + 3] != 255) return false;
    return true;
}
