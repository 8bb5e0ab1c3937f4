// Pixel work on the control's back buffer for the live paint of a drag: the fitted picture kept
// opaque at its shown size and put back with row copies, and the frame tools' translucent shade
// blended over plain rectangles. Both stand in for a platform blend of the whole view, which
// costs several times the paint's budget per mouse move.
#pragma once

#include "platform/Gdip.h"

#include <array>
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

// Fills the pixels of the buffer outside inner with an opaque RGB colour.
void FillAround(const BackBuffer& buffer, const PixelRect& inner, COLORREF colour);

// A glow as the platform's path gradient fills an ellipse: the ellipse inscribed in the box
// (left, top, width, height), clear at the gradient centre (cx, cy) and colour (RGB) at alpha
// toward the rim, each pixel taking the share of the way from the centre to the rim along its ray.
struct GlowEllipse {
    int left = 0, top = 0, width = 0, height = 0;
    int cx = 0, cy = 0;
    COLORREF colour = 0;
    int alpha = 0;
};
// Blends the glow over the pixels of clip; false, and nothing drawn, when the gradient centre does
// not lie inside the ellipse (the platform's fill is then the only description of it).
[[nodiscard]] bool BlendGlow(const BackBuffer& buffer, const GlowEllipse& glow, const PixelRect& clip);

// The control's border as DrawFrameRect(dc, 1, 1, width, height) draws it: a grey ring on the
// outermost pixels and a white one inside it.
void DrawControlBorder(const BackBuffer& buffer);

// One table per channel (blue, green, red) of a colour adjustment: the output of each value.
using ChannelTables = std::array<std::array<uint8_t, 256>, 3>;

// Where a turned picture lands, as the platform draws an image onto three points: the picture
// stretched to w x h, scaled by zoom and turned by radians (positive turns it anticlockwise on the
// screen) about the output's centre (cx, cy).
struct PictureTurn {
    float w = 0, h = 0;
    float cx = 0, cy = 0;
    double radians = 0;
    double zoom = 1;
};

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
    // The same with each channel looked up in tables.
    void CopyAdjustedTo(const BackBuffer& buffer, int x, int y, const ChannelTables& tables) const;
    // Draws the picture turned (bilinear between its pixels); the pixels it does not cover stay.
    void DrawTurnedTo(const BackBuffer& buffer, const PictureTurn& turn) const;
    [[nodiscard]] bool Empty() const { return pixels_.empty(); }
    // Every pixel of the source was fully opaque: an adjustment of the copy is that of the picture.
    [[nodiscard]] bool SourceOpaque() const { return sourceOpaque_; }

private:
    std::vector<uint32_t> pixels_;
    int width_ = 0, height_ = 0;
    bool sourceOpaque_ = false;
    GpImage* source_ = nullptr;
    COLORREF back_ = 0;
};
