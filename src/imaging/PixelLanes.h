// Two colour channels at once in the 16-bit halves of one word (blue and red, green and alpha), so
// a filter sums neighbours with a handful of adds; shared by the layer filters and the image effects.
#pragma once

#include "imaging/EffectBuffers.h"

#include <cstdint>
#include <cstring>

namespace pixel_lanes {

constexpr uint32_t kLanes = 0x00FF00FF;

// Through memcpy: the pixel view's element type is a byte struct, not a word.
inline uint32_t Load(const Pixel32* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store(Pixel32* p, uint32_t v) {
    std::memcpy(p, &v, sizeof v);
}

// Blue and red in the low bytes of the two 16-bit halves.
inline uint32_t BlueRed(uint32_t p) {
    return p & kLanes;
}
// Green and alpha likewise.
inline uint32_t GreenAlpha(uint32_t p) {
    return (p >> 8) & kLanes;
}

} // namespace pixel_lanes
