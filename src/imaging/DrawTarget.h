// What a drawing routine draws on: a ready GDI+ surface that the caller owns (used and left
// alone), or a device context on which the routine makes its own surface and deletes it before
// it returns.
#pragma once

#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

struct DrawTarget {
    GpGraphics* graphics = nullptr; // the caller's surface, or null
    HDC dc = nullptr;               // used only when graphics is null

    static DrawTarget Surface(GpGraphics* surface) { return {surface, nullptr}; }
    static DrawTarget Dc(HDC deviceContext) { return {nullptr, deviceContext}; }

    // True when the target is a ready surface: routines that place or release differently on the
    // two kinds ask this.
    [[nodiscard]] bool GraphicsGiven() const { return graphics != nullptr; }
};

// The surface of one drawing call: the caller's, borrowed, or one made on the device context and
// deleted with this object. A borrowed surface gets back the modes the call may change
// (smoothing, text hint, interpolation, pixel offset, compositing) when the call ends.
class TargetSurface {
public:
    explicit TargetSurface(const DrawTarget& target) : surface_(target.graphics) {
        if (surface_) {
            GdipGetSmoothingMode(surface_, &smoothing_);
            GdipGetTextRenderingHint(surface_, &textHint_);
            GdipGetInterpolationMode(surface_, &interpolation_);
            GdipGetPixelOffsetMode(surface_, &pixelOffset_);
            GdipGetCompositingMode(surface_, &compositing_);
        } else if (target.dc && GdipCreateFromHDC(target.dc, made_.put()) == Ok) {
            surface_ = made_.get();
        }
    }
    ~TargetSurface() {
        if (!surface_ || made_) return;
        GdipSetSmoothingMode(surface_, smoothing_);
        GdipSetTextRenderingHint(surface_, textHint_);
        GdipSetInterpolationMode(surface_, interpolation_);
        GdipSetPixelOffsetMode(surface_, pixelOffset_);
        GdipSetCompositingMode(surface_, compositing_);
    }
    TargetSurface(const TargetSurface&) = delete;
    TargetSurface& operator=(const TargetSurface&) = delete;

    [[nodiscard]] GpGraphics* get() const { return surface_; }
    explicit operator bool() const { return surface_ != nullptr; }

private:
    GdipGraphics made_;
    GpGraphics* surface_ = nullptr;
    SmoothingMode smoothing_ = SmoothingModeDefault;
    TextRenderingHint textHint_ = TextRenderingHintSystemDefault;
    InterpolationMode interpolation_ = InterpolationModeDefault;
    PixelOffsetMode pixelOffset_ = PixelOffsetModeDefault;
    CompositingMode compositing_ = CompositingModeSourceOver;
};
