// The registry of the art program: each image registers its name, where it goes and how it is
// drawn; ArtMain writes them all and the contact sheet.
#pragma once

#include "platform/GdipHandles.h"

#include <functional>
#include <string>

enum class ArtDestination {
    Datas,     // the program's "Datas\" folder, read at run time
    Resources, // the art folder, compiled into the executable's resources
};

struct ArtItem {
    std::wstring name; // file name as written, e.g. L"clouds.png"
    ArtDestination where = ArtDestination::Datas;
    std::function<GdipBitmap()> draw;
    // Writes the drawn bitmap; empty means by the file name's extension through the image encoders.
    std::function<bool(GpBitmap*, const std::wstring& path)> write;
};

bool RegisterArt(ArtItem item);

// A new 32 bpp ARGB bitmap with an anti-aliased, high-quality surface on it, cleared to clear.
struct ArtCanvas {
    GdipBitmap bitmap;
    GdipGraphics graphics;
};
ArtCanvas MakeArtCanvas(int width, int height);

// Writes bitmap (at most 256 x 256) as a one-image 32 bpp icon file, for the resources.
bool WriteIconFile(GpBitmap* bitmap, const std::wstring& path);
