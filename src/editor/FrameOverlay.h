// The live overlay of the frame tools over the shown image: the shade outside the frame, the
// frame's outline and handles, the card and colorize fill, the red-eye and fill previews. What it
// shows is what the frame commit makes of the image.
#pragma once

#include "editor/ViewPixels.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <string>

struct FrameOverlayInputs {
    int32_t effect = 0;
    RectF frame{};   // frame 0 (control pixels)
    RectF fitRect{}; // where the image is shown, fitted or zoomed and panned
    int32_t combineMode = 1;
    PointF pickPoint; // the fills' gradient point
    float sliderValue = 0;
    COLORREF textColor = 0; // RGB
    COLORREF pickedColor = 0;
    std::wstring fillMode; // the fills' mode (see FrameCommitInputs)
    // The pixels of the control's surface: with them a rectangular frame's shade is blended
    // in place rather than filled through the platform.
    BackBuffer pixels;
    // The red-eye tool's loupe: where the pointer is and the brush of its panel (none: no loupe).
    PointF pointer;
    GpBrush* loupeBrush = nullptr;
};

// Draws the overlay of in.effect on the control's surface g; the red-eye preview works on the
// pixels of dc, the control's own bitmap, and shows them enlarged round the pointer in a loupe
// whose panel stands above and left of it. Modes without a frame overlay draw nothing.
void DrawFrameOverlay(GpGraphics* g, HDC dc, const FrameOverlayInputs& in);
