// A 32 bpp ARGB bitmap with a surface on it for drawing tests, and ways to read its pixels back.
#pragma once

#include "imaging/DrawTarget.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <vector>

struct TestCanvas {
    GdipBitmap bitmap;
    GdipGraphics graphics;
    int width = 0, height = 0;

    TestCanvas(int w, int h, uint32_t background = 0) : width(w), height(h) {
        GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
        GdipGetImageGraphicsContext(bitmap.get(), graphics.put());
        GdipGraphicsClear(graphics.get(), background);
    }
    [[nodiscard]] GpGraphics* g() const { return graphics.get(); }
    [[nodiscard]] DrawTarget target() const { return DrawTarget::Surface(graphics.get()); }

    // Every pixel, row by row from the top.
    [[nodiscard]] std::vector<uint32_t> Pixels() const {
        std::vector<uint32_t> out(static_cast<size_t>(width) * height);
        GpRect all{0, 0, width, height};
        BitmapData data{};
        data.Width = width;
        data.Height = height;
        data.Stride = width * 4;
        data.PixelFormat = PixelFormat32bppARGB;
        data.Scan0 = out.data();
        GdipBitmapLockBits(bitmap.get(), &all, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                           &data);
        GdipBitmapUnlockBits(bitmap.get(), &data);
        return out;
    }
    [[nodiscard]] uint32_t At(int x, int y) const {
        ARGB c = 0;
        GdipBitmapGetPixel(bitmap.get(), x, y, &c);
        return c;
    }
};

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

// The smallest box holding every pixel that differs from background; empty (count 0) when none.
struct DrawnBox {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive
    int count = 0;
};

inline DrawnBox FindDrawn(const TestCanvas& canvas, uint32_t background = 0) {
    DrawnBox box;
    box.left = canvas.width;
    box.top = canvas.height;
    const std::vector<uint32_t> pixels = canvas.Pixels();
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            if (pixels[static_cast<size_t>(y) * canvas.width + x] == background)
                continue;
            ++box.count;
            if (x < box.left)
                box.left = x;
            if (y < box.top)
                box.top = y;
            if (x > box.right)
                box.right = x;
            if (y > box.bottom)
                box.bottom = y;
        }
    return box;
}
