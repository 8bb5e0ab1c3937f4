// The two-dimensional pixel view over a 32 bpp CDIB's own memory, and the effect module's shared
// work buffers.
#pragma once

#include "imaging/CDIB.h"
#include "imaging/GdiDIB.h"

#include <cstdint>

// One 32 bpp pixel as stored: blue, green, red, alpha (not premultiplied).
struct Pixel32 {
    uint8_t b, g, r, a;
};
static_assert(sizeof(Pixel32) == 4);

// A view of a 32 bpp CDIB's pixels, (x, y) with y = 0 the bottom row (storage order). It owns
// nothing: attach it for one operation and detach it before the bitmap changes.
class DIBArray {
public:
    [[nodiscard]] int32_t Width() const { return width_; }
    [[nodiscard]] int32_t Height() const { return height_; }
    [[nodiscard]] bool Attached() const { return pixels_ != nullptr; }
    [[nodiscard]] bool InRange(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Checked access: null outside the pixels.
    [[nodiscard]] Pixel32* At(int32_t x, int32_t y) const {
        return InRange(x, y) ? pixels_ + static_cast<size_t>(y) * static_cast<size_t>(width_) + x : nullptr;
    }
    // Row y (storage order) for loops that have already clipped to the pixels.
    [[nodiscard]] Pixel32* Row(int32_t y) const {
        return pixels_ + static_cast<size_t>(y) * static_cast<size_t>(width_);
    }

private:
    friend void MapDIBArray(const CDIB& dib, DIBArray& view);
    friend void UnmapDIBArray(DIBArray& view);
    Pixel32* pixels_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

// Attaches view to dib's pixels; a dib without a 32 bpp section gives an empty view.
void MapDIBArray(const CDIB& dib, DIBArray& view);
void UnmapDIBArray(DIBArray& view);

// Attaches a view for one scope.
class ScopedDIBArray {
public:
    ScopedDIBArray(const CDIB& dib, DIBArray& view) : view_(view) { MapDIBArray(dib, view_); }
    ~ScopedDIBArray() { UnmapDIBArray(view_); }
    ScopedDIBArray(const ScopedDIBArray&) = delete;
    ScopedDIBArray& operator=(const ScopedDIBArray&) = delete;

private:
    DIBArray& view_;
};

// whole(sqrt(whole(dx^2 + dy^2))), each whole() rounding halves to even.
int32_t PointDistance(PointF p1, PointF p2);

// The module's shared buffers (one per process, user-interface thread only).
GdiDIB& ClipboardImage(); // the last image taken from the clipboard
CDIB& FilterDib();        // the layer filters' work bitmap
DIBArray& PixelView();    // the view the layer filters and the smudge brush attach for one call

// Releases ClipboardImage and FilterDib and clears PixelView; harmless when repeated.
void FreeEffectBuffers();
