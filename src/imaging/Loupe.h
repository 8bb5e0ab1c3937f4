// The canvas's magnifier: a rounded panel holding an enlarged square of the picture around a
// point, with a small ring marking the centre.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>

// Where the enlarged picture goes inside the panel, and its size.
inline constexpr float kLoupeInset = 10.0f;
inline constexpr float kLoupeViewSize = 100.0f;

// Draws the panel (rounded outline from (x, y) spanning w + 2 cornerW by h + cornerH) filled with
// panelBrush, the areaSize square of sourceBitmap centred on (cx, cy) enlarged into
// (x + 10, y + 10, 100, 100), and the centre ring. A square reaching past the picture's edges is
// not drawn. The brush and the bitmap stay the caller's.
void DrawLoupe(HDC target, HBITMAP sourceBitmap, HPALETTE sourcePalette, float x, float y, float w, float h,
               float cornerW, float cornerH, GpBrush* panelBrush, float cx, float cy, int32_t areaSize);
