// Turning a photograph upright by the orientation its EXIF block gives: a camera stores the pixels
// as its sensor read them and names the turn that shows them upright (1 as stored, 2 mirrored, 3
// half a turn, 4 upside-down mirror, 5 mirrored across the falling diagonal, 6 a quarter turn
// clockwise, 7 mirrored across the rising diagonal, 8 a quarter turn anticlockwise).
#pragma once

#include "platform/Gdip.h"

#include <cstdint>

// Whether the orientation shows the stored picture with its width and height exchanged.
constexpr bool OrientationSwapsSides(uint32_t orientation) {
    return orientation >= 5 && orientation <= 8;
}

// Turns image in place so that it shows upright, and drops its own orientation tag so that nothing
// turns it again. Orientation 0, 1 and any value outside 1 to 8 leave it as it is. False when the
// turn failed (the image is then as it was).
[[nodiscard]] bool TurnUpright(GpImage* image, uint32_t orientation);
