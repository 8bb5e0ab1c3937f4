// What the imaging tests share: colours and their channels, bitmaps of one colour, a 32 bpp
// drawing canvas, reading pixels back (one by one, all at once, or the box of what was drawn),
// files of one colour (skins where the controls load them), and painting on a real window at the
// imaging tests' own place on the screen.
#pragma once

#include "imaging/DIBsave.h"
#include "imaging/DrawTarget.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/GdipHandles.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

inline constexpr uint32_t kRed = ColorARGB(255, 255, 0, 0);
inline constexpr uint32_t kBlue = ColorARGB(255, 0, 0, 255);
inline constexpr uint32_t kBlack = ColorARGB(255, 0, 0, 0);
inline constexpr uint32_t kWhite = ColorARGB(255, 255, 255, 255);

inline int AlphaOf(uint32_t c) {
    return static_cast<int>(c >> 24);
}
inline int RedOf(uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
inline int GreenOf(uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline int BlueOf(uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

// The largest difference between the two colours in any one channel, alpha included.
inline int ChannelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8)
        worst =
            std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return worst;
}

// A 32 bpp ARGB bitmap of one colour.
inline GdipBitmap SolidBitmap(int w, int h, uint32_t colour) {
    GdipBitmap bitmap;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
    GdipGraphics g;
    GdipGetImageGraphicsContext(bitmap.get(), g.put());
    GdipGraphicsClear(g.get(), colour);
    return bitmap;
}

// A 32 bpp ARGB bitmap whose pixel (x, y), y from the top, is fill(x, y).
inline GdipBitmap BitmapOf(int w, int h, const std::function<uint32_t(int, int)>& fill) {
    GdipBitmap bitmap;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) GdipBitmapSetPixel(bitmap.get(), x, y, fill(x, y));
    return bitmap;
}

// A sound PNG of 36000 x 36000 pixels: decoded, it needs more memory than any 32-bit process has.
inline const std::string
    kHugePng("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x8c\xa0\0\0\x8c\xa0\x08\x02\0\0\0\x36\xe0\xd7\xa4\0\0\0\x0bIDAT"
             "\x78\x9c\x63\x60\x40\x05\0\0\x10\0\x01\x39\xbd\x8f\x65\0\0\0\0IEND\xae\x42\x60\x82",
             68);

// Writes a w x h image of one colour to path, in the format of the encoder index.
inline void WriteSolidImage(const std::wstring& path, int w, int h, uint32_t argb, int32_t format = kFormatPng) {
    GdipBitmap bitmap = SolidBitmap(w, h, argb);
    ASSERT_TRUE(SaveImageSafely(bitmap.get(), path, format, 90)) << Narrow(path);
}

// Writes a black w x h PNG of 16 bits a channel, which the platform cannot write: every row a
// filter byte and zeros, compressed as runs of the byte before it (fixed codes, deflate's longest
// match). Decoded, such a picture takes six bytes a pixel.
inline void WriteDeepBlackPng(const std::wstring& path, uint32_t w, uint32_t h) {
    std::string bits;
    uint32_t pending = 0, count = 0;
    const auto put = [&](uint32_t value, uint32_t n) { // least significant bit first
        pending |= value << count;
        for (count += n; count >= 8; count -= 8, pending >>= 8) bits += static_cast<char>(pending & 0xFF);
    };
    const auto code = [&](uint32_t value, uint32_t n) { // a Huffman code, most significant bit first
        for (uint32_t i = n; i-- > 0;) put((value >> i) & 1, 1);
    };
    const uint64_t bytes = uint64_t{h} * (1 + uint64_t{w} * 6);
    put(1, 1);     // the last block,
    put(1, 2);     // of fixed codes
    code(0x30, 8); // literal 0
    for (uint64_t left = bytes - 1; left > 0;) {
        if (left >= 258) {
            code(0xC5, 8); // length 258
            code(0, 5);    // distance 1
            left -= 258;
        } else {
            code(0x30, 8);
            --left;
        }
    }
    code(0, 7); // end of block
    if (count) bits += static_cast<char>(pending);
    const uint32_t adler = static_cast<uint32_t>(bytes % 65521) << 16 | 1;
    const auto be32 = [](uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    const auto chunk = [&](const char* type, const std::string& data) {
        std::string body = std::string(type, 4) + data;
        uint32_t crc = 0xFFFFFFFFu;
        for (char ch : body) {
            crc ^= static_cast<uint8_t>(ch);
            for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
        return be32(static_cast<uint32_t>(data.size())) + body + be32(crc ^ 0xFFFFFFFFu);
    };
    const std::string header = be32(w) + be32(h) + std::string{16, 2, 0, 0, 0};
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header) +
                            chunk("IDAT", std::string{0x78, 0x01} + bits + be32(adler)) + chunk("IEND", {});
    ASSERT_TRUE(WriteTestFile(path, png)) << Narrow(path);
}

// Writes a w x h 8-bit run-length BMP of one colour, a few hundred kilobytes for millions of pixels.
// Short of memory for it, this platform's decoder says only that it failed (a generic error).
inline void WriteRunLengthBmp(const std::wstring& path, uint32_t w, uint32_t h, uint32_t argb) {
    const auto le = [](uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
        return out;
    };
    std::string runs;
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; x += 255) runs += le(std::min(w - x, 255u), 1) + '\0';
        runs += std::string(2, '\0'); // end of the line
    }
    runs += std::string("\0\1", 2); // end of the picture
    const uint32_t offset = 14 + 40 + 4, size = static_cast<uint32_t>(runs.size());
    const std::string bmp = "BM" + le(offset + size, 4) + le(0, 4) + le(offset, 4) + le(40, 4) + le(w, 4) + le(h, 4) +
                            le(1, 2) + le(8, 2) + le(1, 4) + le(size, 4) + le(2835, 4) + le(2835, 4) + le(1, 4) +
                            le(0, 4) + le(argb & 0xFFFFFFu, 4) + runs;
    ASSERT_TRUE(WriteTestFile(path, bmp)) << Narrow(path);
}

// Writes a skin of one colour as "Datas\" + name, where the controls load their skins.
inline void WriteSkin(const std::wstring& name, int w, int h, uint32_t argb) {
    WriteSolidImage(App().DataPath + name, w, h, argb);
}

// Every ARGB pixel of a bitmap, row by row from the top, read in one lock.
inline std::vector<uint32_t> AllPixels(GpBitmap* bitmap, int& width, int& height) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(bitmap, &w);
    GdipGetImageHeight(bitmap, &h);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    std::vector<uint32_t> out(static_cast<size_t>(w) * h);
    GpRect all{0, 0, width, height};
    BitmapData data{};
    data.Width = w;
    data.Height = h;
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = out.data();
    if (GdipBitmapLockBits(bitmap, &all, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppARGB, &data) ==
        Ok)
        GdipBitmapUnlockBits(bitmap, &data);
    return out;
}

inline std::vector<uint32_t> AllPixels(GpBitmap* bitmap) {
    int w = 0, h = 0;
    return AllPixels(bitmap, w, h);
}

// The smallest box holding every pixel that counts as drawn; count 0 when none does.
struct DrawnBox {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive
    int count = 0;
};

inline DrawnBox FindDrawn(GpBitmap* bitmap, const std::function<bool(uint32_t)>& drawn) {
    int w = 0, h = 0;
    const std::vector<uint32_t> pixels = AllPixels(bitmap, w, h);
    DrawnBox box{w, h, -1, -1, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!drawn(pixels[static_cast<size_t>(y) * w + x])) continue;
            ++box.count;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    return box;
}

// Every pixel that differs from the background counts as drawn.
inline DrawnBox FindDrawn(GpBitmap* bitmap, uint32_t background = 0) {
    return FindDrawn(bitmap, [background](uint32_t c) { return c != background; });
}

// A 32 bpp ARGB bitmap with a plain surface on it (no settings of its own) for drawing tests.
struct TestCanvas {
    GdipBitmap bitmap;
    GdipGraphics graphics;

    TestCanvas(int w, int h, uint32_t background = 0) {
        GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
        GdipGetImageGraphicsContext(bitmap.get(), graphics.put());
        GdipGraphicsClear(graphics.get(), background);
    }
    [[nodiscard]] GpGraphics* g() const { return graphics.get(); }
    [[nodiscard]] DrawTarget target() const { return DrawTarget::Surface(graphics.get()); }
    [[nodiscard]] std::vector<uint32_t> Pixels() const { return AllPixels(bitmap.get()); }
    [[nodiscard]] uint32_t At(int x, int y) const { return PixelAt(bitmap.get(), x, y); }
    [[nodiscard]] DrawnBox Drawn(uint32_t background = 0) const { return FindDrawn(bitmap.get(), background); }
};

// The program's own off-screen bitmap cleared to one colour, to draw on as the program does.
struct DibSheet {
    DIBsave dib;
    DibSheet(int w, int h, uint32_t ground = 0) {
        EXPECT_TRUE(dib.CreateBlankMemory(h, w));
        dib.ClearScreen(ground);
    }
    [[nodiscard]] DrawTarget target() const { return DrawTarget::Surface(dib.MemGraphics); }
    [[nodiscard]] uint32_t At(int x, int y) const { return PixelAt(dib.new_Img, x, y); }
};

// Test programs run side by side on one screen; the imaging tests' windows keep to a place of
// their own so that no other test's window covers them, nor they another's.
inline constexpr int kWindowX = 700;
inline constexpr int kWindowY = 560;

// A window at the imaging tests' place that paints itself with ground and then paint(dc) on
// every WM_PAINT; painted once before it is returned.
struct PaintedWindow {
    TestWindow window;
    PaintedWindow(int w, int h, COLORREF ground, std::function<void(HDC)> paint) : window(w, h, kWindowX, kWindowY) {
        window.onMessage = [this, ground, paint](UINT msg, WPARAM, LPARAM, LRESULT*) {
            if (msg != WM_PAINT) return false;
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(window.hwnd(), &ps);
            RECT all;
            ::GetClientRect(window.hwnd(), &all);
            UniqueGdiObject brush(::CreateSolidBrush(ground));
            ::FillRect(dc, &all, static_cast<HBRUSH>(brush.get()));
            paint(dc);
            ::EndPaint(window.hwnd(), &ps);
            return true;
        };
        ::InvalidateRect(window.hwnd(), nullptr, TRUE);
        TestWindow::Pump(100);
    }
    [[nodiscard]] HWND hwnd() const { return window.hwnd(); }
    // The colour on screen at client point (x, y), red in the low byte.
    [[nodiscard]] COLORREF At(int x, int y) const { return TestWindow::ScreenPixel(window.hwnd(), x, y); }
};
