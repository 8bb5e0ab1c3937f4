// Writes a cursor file (.cur) from a 32 bpp ARGB bitmap: the form the resource compiler takes
// and LoadImage reads, with the hot spot stored in it.
#pragma once

#include "platform/Gdip.h"

#include <string>

// width and height of the bitmap at most 256; hotX, hotY inside it.
[[nodiscard]] bool WriteCursorFile(GpBitmap* bitmap, const std::wstring& path, int hotX, int hotY);
