// The pixels of one apply step of the canvas, by editor mode: rotations, quarter turns, flips,
// colour adjustments, the resize and the decorations, each drawn into a new bitmap from the shown
// image. Modes whose work belongs elsewhere (frame, shape and selection commits, text, calendar,
// the outside effects, deleting a selection) and modes that draw nothing make no bitmap here.
#pragma once

#include "platform/GdipHandles.h"

#include <cstdint>

struct StepInputs {
    int32_t effect = 0;
    GpImage* image = nullptr; // the shown image
    float width = 0;          // its size
    float height = 0;
    RectF fitRect{};        // where it is shown when fitted (control pixels)
    int32_t shownWidth = 0; // its size at the zoom
    int32_t shownHeight = 0;
    float sliderValue = 0;
    int32_t max = 0;
    PointF lightPoint{}; // the irradiation point where the live preview showed it (image pixels)
    COLORREF textColor = 0;
    float rotateWidth = 0; // the size the rotation preview turned (control pixels)
    float rotateHeight = 0;
};

// The brightness-and-contrast value of a contrast slider value: tenths, to two decimals.
[[nodiscard]] float ContrastValue(float sliderValue);

// Whether the mode makes a step of its own pixels here.
[[nodiscard]] bool MakesStep(int32_t effect);

// How the mode's step turns or mirrors the whole picture, as an orientation (1: it does not).
[[nodiscard]] uint32_t StepTurn(int32_t effect);

// The mode's new step; empty when the mode makes none here or it could not be made.
[[nodiscard]] GdipBitmap RenderStep(const StepInputs& in);

// The shown image (width x height) centred on a new canvas of canvasW x canvasH in an RGB colour,
// cut on both sides when the canvas is smaller; empty when it cannot be made.
[[nodiscard]] GdipBitmap RenderCanvasResize(GpImage* image, float width, float height, int32_t canvasW, int32_t canvasH,
                                            COLORREF colour);
