// Turning a photograph upright by the orientation its EXIF block (or a TIFF file's first directory)
// gives: a camera stores the pixels as its sensor read them and names the turn that shows them
// upright (1 as stored, 2 mirrored, 3 half a turn, 4 upside-down mirror, 5 mirrored across the
// falling diagonal, 6 a quarter turn clockwise, 7 mirrored across the rising diagonal, 8 a quarter
// turn anticlockwise).
#pragma once

#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

#include <cstdint>

// Whether the orientation shows the stored picture with its width and height exchanged.
constexpr bool OrientationSwapsSides(uint32_t orientation) {
    return orientation >= 5 && orientation <= 8;
}

// The one orientation that turns a picture as first does and then as then does; a value outside 1 to
// 8 counts as 1 (no turn).
[[nodiscard]] uint32_t CombinedOrientation(uint32_t first, uint32_t then);
// The orientation that undoes orientation's turn.
[[nodiscard]] uint32_t InverseOrientation(uint32_t orientation);

// A new bitmap of image's pixels moved so that they show upright, in image's own pixel format where
// it is a plain 24 or 32 bpp one (32 bpp ARGB otherwise). Empty when the orientation asks for no
// turn (0, 1, any value outside 1 to 8) or the turn cannot be made (too little memory for a second
// copy): the image is then shown as stored.
[[nodiscard]] GdipBitmap UprightCopy(GpImage* image, uint32_t orientation);
