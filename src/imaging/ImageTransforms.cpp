#include "imaging/ImageTransforms.h"

#include "imaging/EffectBuffers.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "platform/GdipHandles.h"
#include "platform/Hourglass.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <memory>

void DrawImageRotated(const DrawTarget& target, GpImage* image, float w, float h, float outW, float outH, float angle,
                      bool highQuality, int32_t mode) {
    if (!image) return;
    const bool straighten = mode == kRotateStraighten;
    const double radians = angle * kRotationRadiansPerUnit;
    const double s = std::sin(radians), c = std::cos(radians);
    const double zoom = straighten ? 1.0 + std::fabs(angle) / 10.0 : 1.0;
    const double cx = outW / 2.0, cy = outH / 2.0;
    const double corners[3][2] = {{-w / 2.0, -h / 2.0}, {-w / 2.0 + w, -h / 2.0}, {-w / 2.0, -h / 2.0 + h}};
    GpPointF points[3];
    for (int i = 0; i < 3; ++i) {
        const double x = corners[i][0] * zoom, y = corners[i][1] * zoom;
        points[i] = GpPointF{static_cast<REAL>(cx + c * x + s * y), static_cast<REAL>(cy - s * x + c * y)};
    }
    {
        TargetSurface surface(target);
        if (!surface) return;
        GdipSetInterpolationMode(surface.get(),
                                 highQuality ? InterpolationModeHighQualityBicubic : InterpolationModeLowQuality);
        GdipDrawImagePoints(surface.get(), image, points, 3);
    }
    if (straighten && !target.GraphicsGiven() && target.dc)
        DrawStraightenSurround(target.dc, static_cast<float>(RoundHalfEven(outW - w) / 2),
                               static_cast<float>(RoundHalfEven(outH - h) / 2), w, h, outW, outH);
}

void DrawStraightenSurround(HDC dc, float x0, float y0, float w, float h, float outW, float outH) {
    {
        TargetSurface surface(DrawTarget::Dc(dc));
        if (!surface) return;
        GdipPath band;
        GdipCreatePath(FillModeAlternate, band.put());
        const GpRectF rects[2] = {{0, 0, outW, outH}, {x0, y0, w, h}};
        GdipAddPathRectangles(band.get(), rects, 2);
        GdipFillPath(surface.get(), MakeSolidFill(ColorARGB(255, 224, 224, 224)).get(), band.get());
    } // the band is on the DC before the frame's own surface draws over it
    DrawFrameRect(dc, 1, 1, outW, outH);
}

void AdjustColorMatrix(const DrawTarget& target, GpImage* image, int32_t mode, float gamma, float x, float y, int32_t w,
                       int32_t h, float value) {
    if (!image) return;
    std::unique_ptr<Hourglass> hourglass;
    if (mode == kAdjustGrey) hourglass = std::make_unique<Hourglass>();

    GdipImageAttributes attributes;
    const float v = value;
    switch (mode) {
    case kAdjustGrey: {
        ColorMatrix m = IdentityColorMatrix();
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m.m[i][j] = 0.35f;
        attributes = AttributesWithMatrix(m);
        break;
    }
    case kAdjustColourScale: {
        ColorMatrix m{};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 4; ++j) m.m[i][j] = (i == j) ? v + 1 : v;
            m.m[4][i] = v;
        }
        m.m[3][3] = 1;
        m.m[4][4] = 1;
        attributes = AttributesWithMatrix(m);
        break;
    }
    case kAdjustGamma:
        if (GdipCreateImageAttributes(attributes.put()) == Ok)
            GdipSetImageAttributesGamma(attributes.get(), ColorAdjustTypeBitmap, TRUE, gamma);
        break;
    case kAdjustBrightnessContrast: {
        ColorMatrix m = IdentityColorMatrix();
        for (int i = 0; i < 3; ++i) {
            m.m[i][i] = v + 1;
            m.m[4][i] = v;
        }
        attributes = AttributesWithMatrix(m);
        break;
    }
    default:
        break; // drawn unchanged
    }

    TargetSurface surface(target);
    if (!surface) return;
    // A given surface is the output bitmap itself: the image goes to its origin.
    const INT left = target.GraphicsGiven() ? 0 : RoundHalfEven(x), top = target.GraphicsGiven() ? 0 : RoundHalfEven(y);
    GdipDrawImageRectRectI(surface.get(), image, left, top, w, h, 0, 0, w, h, UnitPixel, attributes.get(), nullptr,
                           nullptr);
}

void DrawImageAlpha(const DrawTarget& target, GpImage* image, float x, float y, float w, float h, float srcW,
                    float srcH, float alpha) {
    if (!image) return;
    GdipImageAttributes attributes = AlphaAttributes(alpha);
    {
        TargetSurface surface(target);
        if (!surface) return;
        GdipDrawImageRectRectI(surface.get(), image, RoundHalfEven(x), RoundHalfEven(y), RoundHalfEven(w),
                               RoundHalfEven(h), 0, 0, RoundHalfEven(srcW), RoundHalfEven(srcH), UnitPixel,
                               attributes.get(), nullptr, nullptr);
    }
    if (target.GraphicsGiven()) FreeEffectBuffers();
}

void RemoveRedEye(const PixelTarget& target, float x, float y, float w, float h, int32_t tolerance, int32_t level) {
    if (!target.bitmap && !target.dc) return;
    const int32_t rw = RoundHalfEven(w), rh = RoundHalfEven(h);
    const int32_t radius = (w > h ? rw : rh) / 2;
    if (radius <= 0) return;
    const double centreX = x + rw / 2, centreY = y + rh / 2;
    UINT bitmapW = 0, bitmapH = 0;
    if (target.bitmap) {
        GdipGetImageWidth(target.bitmap, &bitmapW);
        GdipGetImageHeight(target.bitmap, &bitmapH);
    }
    for (float py = y; py <= y + h; py += 1.0f) {
        for (float px = x; px <= x + w; px += 1.0f) {
            const double dx = px - centreX, dy = py - centreY;
            // The whole part of the distance: the fade below is written for truncation.
            const int32_t d = static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
            if (d >= radius) continue;
            const int32_t fade = RoundHalfEven((1.0 - static_cast<double>(d) / radius) * 50.0);
            const int32_t ix = RoundHalfEven(px), iy = RoundHalfEven(py);
            int red, green, blue;
            if (target.bitmap) {
                if (ix < 0 || iy < 0 || ix >= static_cast<int32_t>(bitmapW) || iy >= static_cast<int32_t>(bitmapH))
                    continue;
                ARGB colour = 0;
                if (GdipBitmapGetPixel(target.bitmap, ix, iy, &colour) != Ok) continue;
                const ColorBytes bytes = ColorToBytes(colour); // (blue, green, red) of an ARGB colour
                red = bytes.third;
                green = bytes.second;
                blue = bytes.first;
            } else {
                const COLORREF colour = ::GetPixel(target.dc, ix, iy);
                if (colour == CLR_INVALID) continue;
                red = GetRValue(colour);
                green = GetGValue(colour);
                blue = GetBValue(colour);
            }
            // Light pixels (green 128 or more: a catch-light, skin, the white of the eye) are never the red of
            // an eye and keep their colour, whatever their red and blue.
            if (green >= kRedEyeLightGreen) continue;
            const bool take = (red > 150 && green < 101 && blue < tolerance) ||
                              (red > 150 && green > 70 && blue > tolerance) ||
                              (red < 151 && green < 70 && blue < tolerance);
            if (!take) continue;
            const int32_t grey = std::clamp(RoundHalfEven((red + green + blue) / 3.0 - level - fade), 0, 255);
            const uint8_t g = static_cast<uint8_t>(grey);
            if (target.bitmap)
                GdipBitmapSetPixel(target.bitmap, ix, iy, ColorARGB(255, g, g, g));
            else
                ::SetPixel(target.dc, ix, iy, RGB(g, g, g));
        }
    }
}
