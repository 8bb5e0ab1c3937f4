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
};

// The surface of one drawing call: the caller's, borrowed, or one made on the device context and
// deleted with this object.
class TargetSurface {
public:
    explicit TargetSurface(const DrawTarget& target) : surface_(target.graphics) {
        if (!surface_ && target.dc && GdipCreateFromHDC(target.dc, made_.put()) == Ok)
            surface_ = made_.get();
    }
    TargetSurface(const TargetSurface&) = delete;
    TargetSurface& operator=(const TargetSurface&) = delete;

    [[nodiscard]] GpGraphics* get() const { return surface_; }
    explicit operator bool() const { return surface_ != nullptr; }

private:
    GdipGraphics made_;
    GpGraphics* surface_ = nullptr;
};
