// The canvas's live previews, drawn from the fit-size view buffer and never from the full image:
// the slider drag of straighten, rotate, gamma and contrast, the particle decorations and the
// irradiation's glow where the user points.
#pragma once

#include "editor/ViewPixels.h"
#include "platform/Gdip.h"

#include <cstdint>
#include <optional>

// The per-channel tables of AdjustColorMatrix(mode, gamma, value), taken from the platform's own
// drawing of a grey ramp: what it does to a channel value is what the apply step does to the
// image. Only for the adjustments whose channels are independent (gamma, brightness and contrast).
[[nodiscard]] std::optional<ChannelTables> AdjustmentTables(int32_t mode, float gamma, float value);

struct SliderPreviewInputs {
    int32_t effect = 0;    // 2 straighten, 3 rotate, 7 gamma, 11 contrast
    float sliderValue = 0; // the angle, the gamma, or the contrast in tenths
    RectF fitRect{};       // where the fitted picture lies on the control
    float outW = 0;        // the control's size
    float outH = 0;
    GpImage* view = nullptr;            // the view buffer's bitmap (fitRect's size)
    const OpaqueView* opaque = nullptr; // the same composed over the back colour, when it is
    BackBuffer pixels;                  // the control's back buffer, cleared to its back colour
    HDC dc = nullptr;                   // its device context
    COLORREF back = 0;                  // its back colour
};

// Draws the picture of a slider step of in.effect onto the cleared control: turned or straightened
// about the control's centre, or adjusted at the fitted rectangle. For the rotate mode, the size of
// the picture it turned, which the apply step's output takes (in image pixels); nothing for the
// other modes or when nothing was drawn. Row work of our own stands in for the platform's
// resampling and per-pixel adjustment of the whole view, which take several times a step's budget
// here; a picture with translucent pixels is adjusted by the platform, since its colours blend
// with the back colour only after the adjustment.
std::optional<SizeF> DrawSliderPreview(const SliderPreviewInputs& in);

// The particle size and alpha of the decoration preview of effect 28 to 32; none for other modes.
struct ParticleLook {
    float maxSize = 0;
    int32_t maxAlpha = 0;
};
[[nodiscard]] std::optional<ParticleLook> ParticlePreviewLook(int32_t effect);

// The irradiation preview on the control: the glow of colour (RGB) and strength alpha, clear at
// point, over the picture where it lies on the control (fitted, or zoomed and panned), then the
// band around it greyed as the straighten preview greys the band around the centred picture.
void DrawIrradiationPreview(HDC dc, const BackBuffer& pixels, const RectF& shown, PointF point, COLORREF colour,
                            int32_t alpha);
