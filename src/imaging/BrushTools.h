// The stamp brushes: one call per dab of a stroke. Each dab changes the 32 bpp working layer in
// place and copies every pixel it processed into the stamp's display bitmap, whose rows run
// top-down (layer (x, y) is display (x, imgH - 1 - y)).
#pragma once

#include "imaging/CDIB.h"
#include "imaging/DIBsave.h"

#include <cstdint>

// Eraser shapes of the canvas.
inline constexpr int32_t kEraserBrush = 0;  // lowers alpha by the weighted strength
inline constexpr int32_t kEraserPencil = 1; // display transparent at once, layer lowered a little
inline constexpr int32_t kEraserBlock = 2;  // display transparent at once, layer untouched

// Brush kinds the tone brush handles.
inline constexpr int32_t kToneDodge = 2;
inline constexpr int32_t kToneBurn = 3;
inline constexpr int32_t kToneSharpen = 4;
inline constexpr int32_t kToneSoften = 5;
inline constexpr int32_t kToneSaturation = 6;

// A brush of diameter size centred on layer pixel (x, y). An unknown mode or tool does nothing.
void EraserBrush(DIBsave& display, CDIB& layer, int32_t imgH, int32_t x, int32_t y, int32_t size, int32_t strength,
                 int32_t mode);
void ToneBrush(DIBsave& display, CDIB& layer, int32_t imgH, int32_t x, int32_t y, int32_t size, int32_t strength,
               int32_t tool);
// Four passes that pull each channel by at most two steps toward neighbours that differ by more
// than one; the centre may lie between pixels.
void SmudgeBrush(DIBsave& display, CDIB& layer, int32_t imgH, float x, float y, int32_t size);
