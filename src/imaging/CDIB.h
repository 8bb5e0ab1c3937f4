// A device-independent bitmap section selected into a memory DC of its own, with its bits
// reachable by pointer: the bitmap of all pixel-by-pixel work. Rows are stored bottom-up.
#pragma once

#include "platform/DibSection.h"
#include "platform/Gdip.h"

#include <cstdint>
#include <string>
#include <vector>

class CDIB {
public:
    CDIB() = default;
    ~CDIB() { Destroy(); }
    CDIB(const CDIB&) = delete; // the section has one owner; CloneTo makes a second bitmap
    CDIB& operator=(const CDIB&) = delete;

    // Makes a section of width x height at bpp bits per pixel (a zeroed colour table for 1, 4
    // and 8). False, with nothing made, when the context or section cannot be made or the sizes
    // overflow 32-bit arithmetic.
    [[nodiscard]] bool Create(int32_t width, int32_t height, int32_t bpp);
    // Remakes dst with this bitmap's size, depth, colour table and bits. False, with dst left
    // empty, when this bitmap has no section or dst cannot be made.
    [[nodiscard]] bool CloneTo(CDIB& dst) const;
    // Writes a BMP file (file header, information header, colour table for 8 bpp or less, bits).
    [[nodiscard]] bool Save(const std::wstring& fileName) const;
    void Destroy();

    // Copies from src at (x, y) into this bitmap at (0, 0); 0 for w or h means this bitmap's size.
    BOOL LoadBlt(HDC src, int32_t x, int32_t y, int32_t w = 0, int32_t h = 0);
    // Stretches the whole of src onto this bitmap (a halftone stretch, as every Stretch).
    void LoadDIBBlt(const CDIB& src);
    // Stretches (srcX, srcY, srcW, srcH) of this bitmap onto dst at (x, y, w, h); 0 for srcW or
    // srcH means this bitmap's size. The stretch is a halftone one whatever mode says. dst's
    // stretch mode (the one before the call) and brush origin are put back afterwards.
    BOOL Stretch(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, int32_t srcX, int32_t srcY, int32_t srcW = 0,
                 int32_t srcH = 0, DWORD rop = SRCCOPY, int mode = HALFTONE) const;
    // Fills the whole bitmap with an RGB colour (red in the low byte).
    void Cls(COLORREF colour);
    // Sets every byte of the bits to 0 (transparent black at 32 bpp).
    void Reset();
    // Sets (pal.size() / 4) colour-table entries (blue, green, red, 0) from the first on.
    void SetPalette(const std::vector<uint8_t>& pal);
    // The 2^bpp colour-table entries (4 bytes each) of a bitmap of 8 bpp or less; empty otherwise.
    [[nodiscard]] std::vector<uint8_t> GetPalette() const;

    // Fits a source size into a box, centred, with a 4-pixel margin added to the offsets; with
    // stretch a smaller source is enlarged too.
    static void GetBestFitInfo(int32_t srcW, int32_t srcH, int32_t dstW, int32_t dstH, int32_t& x, int32_t& y,
                               int32_t& w, int32_t& h, bool stretch);

    [[nodiscard]] HDC hDC() const { return section_.dc(); }
    [[nodiscard]] HBITMAP hDIB() const { return section_.bitmap(); }
    [[nodiscard]] uint8_t* lpBits() const { return section_.bits(); }
    [[nodiscard]] int32_t Width() const { return width_; }
    [[nodiscard]] int32_t Height() const { return height_; }
    [[nodiscard]] int32_t BPP() const { return bpp_; }
    [[nodiscard]] int32_t BytesPerScanline() const { return bytesPerScanline_; }
    [[nodiscard]] int32_t Size() const { return size_; }
    // A bitmap handle holding a copy of the section, owned by the caller (DeleteObject); the
    // section itself stays this object's. Null without a section.
    [[nodiscard]] HBITMAP image() const;

private:
    DibSection section_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t bpp_ = 0;
    int32_t bytesPerScanline_ = 0;
    int32_t size_ = 0;
    BITMAPINFOHEADER header_{};
};

// Draws image scaled into the whole of an existing 32 bpp dib, upright. False (nothing done)
// unless dib holds a 32 bpp section.
[[nodiscard]] bool GdipImageToDIB(CDIB& dib, GpImage* image);

// A new GDI+ 32 bpp ARGB bitmap with dib's size and pixels, upright, alpha as stored; the caller
// owns it. With format PixelFormat32bppRGB the bitmap has no alpha channel (for a dib that is
// opaque throughout: the same pixels, which later readers need not convert). Null unless dib
// holds a 32 bpp section.
[[nodiscard]] GpBitmap* DIBToGdipBitmap(const CDIB& dib, PixelFormat format = PixelFormat32bppARGB);

// True when every pixel of a 32 bpp dib has alpha 255; false for other depths.
[[nodiscard]] bool AllOpaque(const CDIB& dib);
