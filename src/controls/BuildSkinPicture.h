// Stretches the skin sheet of the small skinned dialogs to any window size by the nine-piece
// rule: corners at their own size, edges and centre stretched from thin strips.
#pragma once

#include "platform/GdipHandles.h"

class PictureBox;

// The height of the sheet's top and bottom bands.
inline constexpr int kSkinBandHeight = 52;

// The skin sheet "MAINSKIN" from module's resources (237 x 104, 24 bpp, the outside in magenta);
// empty when the module has none.
[[nodiscard]] UniqueHBitmap LoadSkinSheet(HMODULE module = nullptr);

// Clears Dest, draws Source (the skin sheet) into it at Dest's size, shows it and returns a copy
// of what Dest shows, for the form's picture and its window-shaping control. Below 206 x 80 the
// band and edge pieces that would have a negative size are left out. Empty (and Dest left
// cleared) when the sheet is too small to cut the pieces from or cannot be read.
[[nodiscard]] GdipBitmap BuildSkinPicture(PictureBox& Dest, HBITMAP Source);
