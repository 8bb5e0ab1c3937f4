// Pixel work on the control's back buffer for the live paint of a drag: the fitted picture kept
// opaque at its shown size and put back with row copies, and the frame tools' translucent shade
// blended over plain rectangles. Both stand in for a platform blend of the whole view, which
// costs several times the paint's budget per mouse move.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>
#include <vector>

// A rectangle of whole back-buffer pixels: left and top included, right and bottom not.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    [[nodiscard]] bool Empty() const { return right <= left || bottom <= top; }
};

// The pixels a fill of r covers: its edges rounded to the nearest whole pixel.
[[nodiscard]] PixelRect CoveredPixels(const RectF& r);

// A 32 bpp back buffer (blue-green-red-x, top row first).
struct BackBuffer {
    uint32_t* bits = nullptr;
    int width = 0, height = 0;
    explicit operator bool() const { return bits && width > 0 && height > 0; }
};

// Blends argb (straight alpha) over the pixels of r inside the buffer.
void BlendRect(const BackBuffer& buffer, const PixelRect& r, uint32_t argb);

// The control's border as DrawFrameRect(dc, 1, 1, width, height) draws it: a grey ring on the
// outermost pixels and a white one inside it.
void DrawControlBorder(const BackBuffer& buffer);

// The fitted picture composed once over the back colour, so that a paint copies it instead of
// blending every pixel again.
class OpaqueView {
public:
    // Takes the pixels of source (width x height) over back (RGB); false, and empty, when they
    // cannot be read.
    [[nodiscard]] bool Build(GpBitmap* source, COLORREF back);
    void Reset();
    [[nodiscard]] bool Matches(GpImage* source, COLORREF back) const {
        return !pixels_.empty() && source == source_ && back == back_;
    }
    // Copies the picture with its top-left at (x, y), cut to the buffer.
    void CopyTo(const BackBuffer& buffer, int x, int y) const;

private:
    std::vector<uint32_t> pixels_;
    int width_ = 0, height_ = 0;
    GpImage* source_ = nullptr;
    COLORREF back_ = 0;
};
