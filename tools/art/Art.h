// The registry of the art program: each image registers its name, where it goes and how it is
// drawn; ArtMain writes them all and the contact sheet.
#pragma once

#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
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

// The pieces the icons are drawn from.
constexpr uint32_t kArtInk = ColorARGB(255, 60, 60, 70); // the icons' outlines
struct ArtPen {
    uint32_t colour;
    float width;
};
// A closed polygon through points, filled by the winding rule.
GdipPath ArtPolygon(std::initializer_list<PointF> points);
// Fills path with fill, then draws its outline.
void FillOutlined(GpGraphics* g, GpPath* path, uint32_t fill, ArtPen outline = {kArtInk, 1.2f});
// Adds the rectangle (x, y, w, h) with corners rounded by radius to path as a closed figure.
void AddRoundedRect(GpPath* path, float x, float y, float w, float h, float radius);
