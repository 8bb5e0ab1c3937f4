// Drawing the shown image transformed: rotated or straightened about the output's centre, through
// a colour adjustment, at an opacity, and with red eyes removed inside an ellipse. Used by the
// canvas for its live preview (on its device context) and in its apply step (on a DIBsave).
#pragma once

#include "imaging/DrawTarget.h"
#include "platform/Gdip.h"

#include <cstdint>

// Rotation unit: one unit of angle turns the image by this many radians (about 2 degrees).
inline constexpr double kRotationRadiansPerUnit = 0.0349;

// The straighten mode of DrawImageRotated: the image is zoomed to cover the output and, on a
// device context, the band outside the unrotated picture is greyed.
inline constexpr int32_t kRotateStraighten = 1;

// Draws image (w x h) rotated by angle units about the centre of an outW x outH output. The
// caller's angle keeps its sign: the straighten zoom uses its magnitude.
void DrawImageRotated(const DrawTarget& target, GpImage* image, float w, float h, float outW, float outH, float angle,
                      bool highQuality, int32_t mode);

// Fills the band between the output (0, 0, outW, outH) and the picture (x0, y0, w, h) with opaque
// light grey, leaving the picture, and draws the canvas frame.
void DrawStraightenSurround(HDC dc, float x0, float y0, float w, float h, float outW, float outH);

// The adjustments AdjustColorMatrix makes, by its mode.
enum ColorAdjustMode : int32_t {
    kAdjustGrey = 0,
    kAdjustColourScale = 1,
    kAdjustGamma = 2,
    kAdjustNone = 3,
    kAdjustBrightnessContrast = 4,
};

// Draws image (w x h) through the colour adjustment of mode (value is its strength, gamma the
// gamma of mode 2): on a given surface into (0, 0, w, h); on a device context at (x, y) rounded.
// The image stays the caller's.
void AdjustColorMatrix(const DrawTarget& target, GpImage* image, int32_t mode, float gamma, float x, float y, int32_t w,
                       int32_t h, float value);

// Draws (0, 0, srcW, srcH) of image into (x, y, w, h) with its alpha multiplied by alpha (0 to
// 1). After drawing on a given surface the effect module's buffers are released.
void DrawImageAlpha(const DrawTarget& target, GpImage* image, float x, float y, float w, float h, float srcW,
                    float srcH, float alpha);

// Where red-eye removal reads and writes pixels: a GDI+ bitmap (the apply step) or a device
// context (the live preview).
struct PixelTarget {
    GpBitmap* bitmap = nullptr;
    HDC dc = nullptr;
    static PixelTarget Bitmap(GpBitmap* b) { return {b, nullptr}; }
    static PixelTarget Dc(HDC d) { return {nullptr, d}; }
};

// The green from which a pixel counts as light: red-eye removal leaves it as it is.
inline constexpr int kRedEyeLightGreen = 128;

// Greys the red (and the dark) pixels inside the ellipse (x, y, w, h), more strongly towards its
// centre; tolerance bounds the blue of the pixels taken, level darkens the grey. Light pixels
// (green kRedEyeLightGreen or more) are never taken.
void RemoveRedEye(const PixelTarget& target, float x, float y, float w, float h, int32_t tolerance, int32_t level);
