// The whole-image effects of the effect engine that have no layer-filter kernel: an edge-aware
// smoothing (antialias) and a sine displacement (ripple). Alpha travels with its pixel.
#pragma once

#include "imaging/EffectBuffers.h"

#include <cstdint>

// A colour step of at least this much in one channel, towards one of the four direct
// neighbours, makes a pixel an edge pixel.
inline constexpr int32_t kAntialiasStep = 32;

// In place: edge pixels become the tent-weighted mean of their 3 x 3 block (of the pixels as they
// were); every other pixel, and the outermost rows and columns, stay as they are.
void ApplyAntialias(const DIBArray& view);
// Every pixel is taken from a place shifted by up to amount pixels along a sine of wavelength
// 6 x amount: across by the row's phase, down by the column's. Reads src and writes dst, which
// must have src's size and be a different bitmap; an amount of 0 or below copies.
void ApplyRipple(const DIBArray& src, const DIBArray& dst, int32_t amount);
