#include "editor/StepRender.h"

#include "editor/UndoHistory.h"
#include "imaging/DrawTarget.h"
#include "imaging/ImageTransforms.h"
#include "imaging/ModGDI.h"
#include "imaging/SceneEffects.h"
#include "platform/Rounding.h"

#include <cmath>
#include <optional>

namespace {

// A new transparent 32 bpp step with a high-quality surface on it.
struct Blank {
    GdipBitmap bitmap;
    GdipGraphics surface;
    Blank(int32_t w, int32_t h) {
        if (w <= 0 || h <= 0 || GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put()) != Ok)
            return;
        if (GdipGetImageGraphicsContext(bitmap.get(), surface.put()) != Ok) return;
        GdipSetSmoothingMode(surface.get(), SmoothingModeAntiAlias);
        GdipSetInterpolationMode(surface.get(), InterpolationModeHighQualityBilinear);
    }
    explicit operator bool() const { return bitmap && surface; }
    // The surface ends before the bitmap is handed on.
    GdipBitmap Take() {
        surface.reset();
        return std::move(bitmap);
    }
};

// The shown image copied and turned or mirrored by a GDI+ rotate-flip type.
GdipBitmap TurnedCopy(GpImage* image, RotateFlipType type) {
    GdipBitmap copy = FullCopy(image);
    if (copy && GdipImageRotateFlip(copy.get(), type) != Ok) copy.reset();
    return copy;
}

std::optional<int32_t> Whole16(double value) {
    const std::optional<int32_t> v = TryRoundHalfEven(value);
    if (!v || *v < -32768 || *v > 32767) return std::nullopt;
    return v;
}

// The decorations drawn on a copy of the image: W and H the image's size, s the larger of the
// two fit scales.
bool Decorate(const StepInputs& in, GpGraphics* g, float scaleX, float scaleY) {
    const DrawTarget t = DrawTarget::Surface(g);
    const float W = in.width, H = in.height;
    const float s = scaleX > scaleY ? scaleX : scaleY;
    struct Particles {
        float maxSize;
        int32_t alpha;
    };
    switch (in.effect) {
    case 28:
    case 29:
    case 30:
    case 31:
    case 32: {
        const std::optional<int32_t> d = Whole16(in.sliderValue / 2.0);
        if (!d) return false;
        const Particles p = in.effect == 30   ? Particles{50 * s, 50}
                            : in.effect == 31 ? Particles{5 * s, 255}
                            : in.effect == 32 ? Particles{10 * s, 255}
                                              : Particles{10 * s, 100};
        RunParticleEffect(t, *d, p.maxSize, 10, in.effect, p.alpha, 10, 10, W, H);
        return true;
    }
    case 33:
        RunParticleEffect(t, 200, 200, 10, 33, 200, 10, 10, W, 50);
        return true;
    case 34:
        DrawMoon(t, W, H);
        return true;
    case 35:
        RunParticleEffect(t, 100, static_cast<float>(RoundHalfEven(W) / 2), 150, 35, 255, 10, 10, W, H);
        return true;
    case 36:
        DrawLensFlare(t, 100, 100, 100 * s, 100 * s, W, H, 0);
        return true;
    case 37: {
        const std::optional<int32_t> alpha = Whole16(static_cast<double>(in.max) - in.sliderValue);
        if (!alpha) return false;
        DrawIrradiation(t, static_cast<float>(RoundHalfEven(W) / 2), static_cast<float>(RoundHalfEven(H) / 2),
                        W - 0.2f * W, H - 0.2f * H, in.lightPoint.X, in.lightPoint.Y, 0, RGBToARGB(in.textColor, 255),
                        *alpha);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

float ContrastValue(float sliderValue) {
    // The value as the slider shows it.
    return static_cast<float>(std::round(sliderValue / 10.0 * 100.0) / 100.0);
}

bool MakesStep(int32_t e) {
    return e == 2 || e == 3 || e == 7 || e == 8 || e == 11 || e == 21 || e == 23 || e == 24 || e == 39 || e == 40 ||
           (e >= 28 && e <= 37);
}

uint32_t StepTurn(int32_t effect) {
    // The quarter turns and mirrors of RenderStep below.
    switch (effect) {
    case 39:
        return 6;
    case 40:
        return 8;
    case 23:
        return 2;
    case 24:
        return 4;
    default:
        return 1;
    }
}

GdipBitmap RenderStep(const StepInputs& in) {
    if (!in.image || !MakesStep(in.effect) || in.width <= 0 || in.height <= 0) return {};
    const float W = in.width, H = in.height;
    const int32_t w = RoundHalfEven(W), h = RoundHalfEven(H);
    // Control pixels of the fitted view to image pixels.
    const float scaleX = in.fitRect.Width > 0 ? W / in.fitRect.Width : 1;
    const float scaleY = in.fitRect.Height > 0 ? H / in.fitRect.Height : 1;

    switch (in.effect) {
    case 39:
        return TurnedCopy(in.image, Rotate90FlipNone); // a quarter turn clockwise
    case 40:
        return TurnedCopy(in.image, Rotate270FlipNone); // a quarter turn counter-clockwise
    case 23:
        return TurnedCopy(in.image, RotateNoneFlipX); // left-right mirror
    case 24:
        return TurnedCopy(in.image, RotateNoneFlipY); // top-bottom mirror
    case 2: {
        Blank step(w, h);
        if (!step) return {};
        DrawImageRotated(DrawTarget::Surface(step.surface.get()), in.image, W, H, W, H, in.sliderValue, true,
                         kRotateStraighten);
        return step.Take();
    }
    case 3: {
        const float outW = static_cast<float>(RoundHalfEven(in.rotateWidth)) * scaleX;
        const float outH = static_cast<float>(RoundHalfEven(in.rotateHeight)) * scaleY;
        Blank step(RoundHalfEven(outW + 2), RoundHalfEven(outH + 2));
        if (!step) return {};
        DrawImageRotated(DrawTarget::Surface(step.surface.get()), in.image, W, H, in.rotateWidth * scaleX,
                         in.rotateHeight * scaleY, in.sliderValue, true, 0);
        return step.Take();
    }
    case 7:
    case 8:
    case 11: {
        Blank step(w, h);
        if (!step) return {};
        const DrawTarget t = DrawTarget::Surface(step.surface.get());
        if (in.effect == 7) {
            AdjustColorMatrix(t, in.image, kAdjustGamma, in.sliderValue, 0, 0, w, h, 0);
        } else if (in.effect == 8) {
            AdjustColorMatrix(t, in.image, kAdjustGrey, 1.0f, 0, 0, w, h, 0);
        } else {
            AdjustColorMatrix(t, in.image, kAdjustBrightnessContrast, 1.0f, 0, 0, w, h, ContrastValue(in.sliderValue));
        }
        return step.Take();
    }
    case 21: {
        Blank step(in.shownWidth, in.shownHeight);
        if (!step) return {};
        GdipSetInterpolationMode(step.surface.get(), InterpolationModeHighQualityBicubic);
        GdipDrawImageRectI(step.surface.get(), in.image, 0, 0, in.shownWidth, in.shownHeight);
        return step.Take();
    }
    default: {
        GdipBitmap copy = FullCopy(in.image);
        if (!copy) return {};
        GdipGraphics g;
        if (GdipGetImageGraphicsContext(copy.get(), g.put()) != Ok) return {};
        GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
        if (!Decorate(in, g.get(), scaleX, scaleY)) return {};
        g.reset();
        return copy;
    }
    }
}

GdipBitmap RenderCanvasResize(GpImage* image, float width, float height, int32_t canvasW, int32_t canvasH,
                              COLORREF colour) {
    if (!image) return {};
    Blank step(canvasW, canvasH);
    if (!step) return {};
    GdipGraphicsClear(step.surface.get(), RGBToARGB(colour, 255));
    GdipDrawImageRect(step.surface.get(), image, (static_cast<float>(canvasW) - width) / 2,
                      (static_cast<float>(canvasH) - height) / 2, width, height);
    return step.Take();
}
