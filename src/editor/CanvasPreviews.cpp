#include "editor/CanvasPreviews.h"

#include "editor/StepRender.h"
#include "imaging/DrawTarget.h"
#include "imaging/ImageTransforms.h"
#include "imaging/ModGDI.h"
#include "imaging/SceneEffects.h"
#include "platform/BitmapPixels.h"
#include "platform/GdipHandles.h"
#include "platform/Rounding.h"

#include <array>
#include <cmath>

namespace {

// The light grey of the straighten surround.
constexpr COLORREF kSurround = RGB(224, 224, 224);

// The band around the picture's unturned place, as DrawStraightenSurround fills it, and the frame.
void GreyAround(const BackBuffer& pixels, const RectF& fitRect, float outW, float outH) {
    const auto x0 = static_cast<float>(RoundHalfEven(outW - fitRect.Width) / 2);
    const auto y0 = static_cast<float>(RoundHalfEven(outH - fitRect.Height) / 2);
    FillAround(pixels, CoveredPixels(RectF(x0, y0, fitRect.Width, fitRect.Height)), kSurround);
    DrawControlBorder(pixels);
}

} // namespace

std::optional<ChannelTables> AdjustmentTables(int32_t mode, float gamma, float value) {
    if (mode != kAdjustGamma && mode != kAdjustBrightnessContrast) return std::nullopt;
    std::array<uint32_t, 256> ramp{};
    for (uint32_t i = 0; i < 256; ++i) ramp[i] = 0xFF000000u | (i << 16) | (i << 8) | i;
    GdipBitmap source, output;
    GdipGraphics g;
    if (GdipCreateBitmapFromScan0(256, 1, 256 * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(ramp.data()),
                                  source.put()) != Ok ||
        GdipCreateBitmapFromScan0(256, 1, 0, PixelFormat32bppARGB, nullptr, output.put()) != Ok ||
        GdipGetImageGraphicsContext(output.get(), g.put()) != Ok)
        return std::nullopt;
    // Pixel for pixel: no neighbour may bleed into a value's entry.
    GdipSetInterpolationMode(g.get(), InterpolationModeNearestNeighbor);
    GdipSetPixelOffsetMode(g.get(), PixelOffsetModeHalf);
    GdipSetCompositingMode(g.get(), CompositingModeSourceCopy);
    AdjustColorMatrix(DrawTarget::Surface(g.get()), source.get(), mode, gamma, 0, 0, 256, 1, value);
    g.reset();
    const std::vector<uint32_t> adjusted = ReadAllPixels(output.get(), 256, 1, PixelFormat32bppARGB);
    if (adjusted.size() != 256) return std::nullopt;
    ChannelTables tables{};
    for (size_t i = 0; i < 256; ++i)
        for (size_t channel = 0; channel < 3; ++channel)
            tables[channel][i] = static_cast<uint8_t>((adjusted[i] >> (8 * channel)) & 0xFF);
    return tables;
}

std::optional<SizeF> DrawSliderPreview(const SliderPreviewInputs& in) {
    const RectF& f = in.fitRect;
    if (!in.view || !(f.Width > 0) || !(f.Height > 0)) return std::nullopt;
    const bool ownPixels = in.opaque && !in.opaque->Empty() && in.pixels;
    if (in.effect == 2 || in.effect == 3) {
        const bool straighten = in.effect == 2;
        const std::optional<SizeF> turned = straighten ? std::nullopt : std::optional<SizeF>(SizeF(f.Width, f.Height));
        if (!ownPixels) {
            DrawImageRotated(DrawTarget::Dc(in.dc), in.view, f.Width, f.Height, in.outW, in.outH, in.sliderValue, false,
                             straighten ? kRotateStraighten : 0);
            return turned;
        }
        // Turning the copy composed over the back colour shows what turning the picture over it
        // does: the back colour is what lies behind either way.
        PictureTurn turn;
        turn.w = f.Width;
        turn.h = f.Height;
        turn.cx = in.outW / 2;
        turn.cy = in.outH / 2;
        turn.radians = in.sliderValue * kRotationRadiansPerUnit;
        turn.zoom = straighten ? 1.0 + std::fabs(in.sliderValue) / 10.0 : 1.0;
        ::GdiFlush();
        in.opaque->DrawTurnedTo(in.pixels, turn);
        if (straighten) GreyAround(in.pixels, f, in.outW, in.outH);
        return turned;
    }
    if (in.effect != 7 && in.effect != 11) return std::nullopt;
    const bool gamma = in.effect == 7;
    const int32_t mode = gamma ? kAdjustGamma : kAdjustBrightnessContrast;
    const float gammaValue = gamma ? in.sliderValue : 1.0f;
    const float value = gamma ? 0.0f : ContrastValue(in.sliderValue);
    if (ownPixels && in.opaque->SourceOpaque()) {
        if (const std::optional<ChannelTables> tables = AdjustmentTables(mode, gammaValue, value)) {
            ::GdiFlush();
            in.opaque->CopyAdjustedTo(in.pixels, RoundHalfEven(f.X), RoundHalfEven(f.Y), *tables);
            return std::nullopt;
        }
    }
    AdjustColorMatrix(DrawTarget::Dc(in.dc), in.view, mode, gammaValue, f.X, f.Y, RoundHalfEven(f.Width),
                      RoundHalfEven(f.Height), value);
    return std::nullopt;
}

std::optional<ParticleLook> ParticlePreviewLook(int32_t effect) {
    switch (effect) {
    case kEffectBubbles:
    case kEffectFireflies:
        return ParticleLook{10, 100};
    case kEffectRain:
        return ParticleLook{50, 50};
    case kEffectSnow:
        return ParticleLook{5, 255};
    case kEffectFlowers:
        return ParticleLook{10, 255};
    default:
        return std::nullopt;
    }
}

void DrawIrradiationPreview(HDC dc, const BackBuffer& pixels, const RectF& shown, PointF point, COLORREF colour,
                            int32_t alpha) {
    const int32_t w = RoundHalfEven(shown.Width), h = RoundHalfEven(shown.Height);
    const auto cx = static_cast<float>(RoundHalfEven(shown.X) + w / 2);
    const auto cy = static_cast<float>(RoundHalfEven(shown.Y) + h / 2);
    const float rx = shown.Width - 0.2f * shown.Width, ry = shown.Height - 0.2f * shown.Height;
    // Only the picture's place shows: the band around it is greyed over the glow.
    const PixelRect picture = CoveredPixels(shown);
    // The glow's ellipse and centre as the platform's fill takes them (FillGlowEllipse), blended
    // row by row: the platform's path gradient over the whole view costs more than a step's budget.
    GlowEllipse glow;
    glow.left = RoundHalfEven(cx - rx);
    glow.top = RoundHalfEven(cy - ry);
    glow.width = RoundHalfEven(rx + rx);
    glow.height = RoundHalfEven(ry + ry);
    glow.cx = RoundHalfEven(point.X);
    glow.cy = RoundHalfEven(point.Y);
    glow.colour = colour;
    glow.alpha = alpha;
    ::GdiFlush();
    if (!BlendGlow(pixels, glow, picture))
        DrawIrradiation(DrawTarget::Dc(dc), cx, cy, rx, ry, point.X, point.Y, 0, RGBToARGB(colour, 255), alpha);
    ::GdiFlush();
    FillAround(pixels, picture, kSurround);
    DrawControlBorder(pixels);
}
