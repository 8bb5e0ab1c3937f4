// Reading a GDI+ bitmap's pixels into memory of our own.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>
#include <vector>

// The width x height pixels of bitmap, row by row from the top, converted to format (a 32 bpp
// one) through one lock; empty when they cannot be read.
[[nodiscard]] std::vector<uint32_t> ReadAllPixels(GpBitmap* bitmap, UINT width, UINT height, PixelFormat format);
