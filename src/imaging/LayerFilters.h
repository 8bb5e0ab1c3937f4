// Whole-layer neighbourhood filters of the stamp's quick effects: each copies the layer into the
// work bitmap FilterDib, filters every pixel but the outermost rows and columns (and pixels of
// alpha 0), and hands back the result as a new GDI+ bitmap. Alpha never changes.
#pragma once

#include "imaging/DIBsave.h"
#include "imaging/EffectBuffers.h"
#include "platform/GdipHandles.h"

#include <cstdint>

inline constexpr int32_t kFilterBlur = 12;    // (c P + sum of 8) \ (c + 8), c = 101 - amount
inline constexpr int32_t kFilterSharpen = 13; // (c P - sum of 8) \ (c - 8), c = 109 - amount
inline constexpr int32_t kFilterSoften = 14;  // (c P + sum of 4) \ (c + 4), c = 101 - amount

// The layer's bitmap at round(w) x round(h), filtered; the caller owns it. Empty when the layer has
// no bitmap or the size cannot be made. A divisor of 0 or below, or an unknown filter id, leaves
// the pixels as they were.
[[nodiscard]] GdipBitmap KernelFilter(const DIBsave& layer, float w, float h, int32_t amount, int32_t filterId);
// Each colour channel becomes the largest of the pixel and its four direct neighbours.
[[nodiscard]] GdipBitmap MaxNeighbourFilter(const DIBsave& layer, float w, float h);
// Each colour channel c becomes 255 - (m - c), m its largest value over the 3 x 3 block.
[[nodiscard]] GdipBitmap ContourFilter(const DIBsave& layer, float w, float h);

// The pixel loops themselves. The kernel works in place, rows from the bottom up and each row left
// to right, so the row below and the left neighbour take part with their new values. The two
// neighbour filters read only src and write dst, which must have src's size.
void ApplyKernel(const DIBArray& view, int32_t amount, int32_t filterId);
void ApplyMaxNeighbour(const DIBArray& src, const DIBArray& dst);
void ApplyContour(const DIBArray& src, const DIBArray& dst);
