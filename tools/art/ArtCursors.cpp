// The program's four cursors, 32 x 32 (the system cursor size), compiled into the resources by
// name: "MOUSED" (a pointing hand over clickable elements), "PICKER" (a colour dropper),
// "PANVIEW" (an open hand: the picture can be dragged) and "SHOU" (the closed hand of a drag).
#include "tools/art/Art.h"

#include "imaging/ModGDI.h"
#include "platform/CursorFile.h"

#include <vector>

namespace {

constexpr int kSize = 32;

struct Shape {
    float x, y, w, h, radius;
};

// Outlines every shape, then fills them all: only the outer edge of their union stays dark.
GdipBitmap DrawHand(const std::vector<Shape>& shapes, const std::vector<std::pair<PointF, PointF>>& creases) {
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GpGraphics* g = c.graphics.get();
    GdipSetPixelOffsetMode(g, PixelOffsetModeNone);
    GdipPen outline;
    GdipCreatePen1(ColorARGB(255, 0, 0, 0), 2.0f, UnitPixel, outline.put());
    GdipSolidFill fill;
    GdipCreateSolidFill(ColorARGB(255, 255, 255, 255), fill.put());
    std::vector<GdipPath> paths;
    for (const Shape& s : shapes) {
        GdipPath path;
        GdipCreatePath(FillModeWinding, path.put());
        AddRoundedRect(path.get(), s.x, s.y, s.w, s.h, s.radius);
        GdipDrawPath(g, outline.get(), path.get());
        paths.push_back(std::move(path));
    }
    for (const GdipPath& path : paths) GdipFillPath(g, fill.get(), path.get());
    GdipPen crease;
    GdipCreatePen1(ColorARGB(255, 0, 0, 0), 1.0f, UnitPixel, crease.put());
    for (const auto& [from, to] : creases) GdipDrawLine(g, crease.get(), from.X, from.Y, to.X, to.Y);
    return std::move(c.bitmap);
}

GdipBitmap DrawPointingHand() {
    // Index finger straight up from the palm, the fingertip at the top.
    return DrawHand({{10, 1, 6, 18, 3},
                     {10, 12, 16, 17, 4},
                     {15, 10, 5, 10, 2.5f},
                     {19, 11, 5, 10, 2.5f},
                     {4, 14, 10, 5, 2.5f},
                     {9, 22, 15, 8, 3}},
                    {{{15.5f, 13}, {15.5f, 18}}, {{19.5f, 13}, {19.5f, 18}}, {{23, 14}, {23, 18}}});
}

GdipBitmap DrawOpenHand() {
    // Four spread fingers and a thumb round a palm; the middle is where the drag takes hold.
    return DrawHand({{7, 4, 5, 14, 2.5f},
                     {12, 2, 5, 15, 2.5f},
                     {17, 3, 5, 14, 2.5f},
                     {22, 6, 5, 12, 2.5f},
                     {1, 14, 10, 5, 2.5f},
                     {7, 12, 20, 17, 5}},
                    {});
}

GdipBitmap DrawClosedHand() {
    // The same hand holding on: the fingers folded over the palm.
    return DrawHand({{7, 9, 5, 8, 2.5f},
                     {12, 8, 5, 8, 2.5f},
                     {17, 8, 5, 8, 2.5f},
                     {22, 9, 5, 8, 2.5f},
                     {4, 15, 8, 5, 2.5f},
                     {7, 13, 20, 15, 5}},
                    {{{12, 11}, {12, 16}}, {{17, 10}, {17, 16}}, {{22, 11}, {22, 16}}});
}

GdipBitmap DrawPicker() {
    // A dropper lying from the bottom-left (its tip, where the colour is read) to a bulb at the
    // top right.
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GpGraphics* g = c.graphics.get();
    GdipSetPixelOffsetMode(g, PixelOffsetModeNone);
    GdipPen dark, light, tip;
    GdipCreatePen1(ColorARGB(255, 0, 0, 0), 7.0f, UnitPixel, dark.put());
    GdipCreatePen1(ColorARGB(255, 255, 255, 255), 4.0f, UnitPixel, light.put());
    GdipCreatePen1(ColorARGB(255, 0, 0, 0), 2.0f, UnitPixel, tip.put());
    GdipSetPenStartCap(dark.get(), LineCapRound);
    GdipSetPenEndCap(dark.get(), LineCapRound);
    GdipDrawLine(g, tip.get(), 1, 30, 8, 23);
    GdipDrawLine(g, dark.get(), 7, 24, 20, 11);
    GdipDrawLine(g, light.get(), 8, 23, 19, 12);
    GdipSolidFill bulb;
    GdipCreateSolidFill(ColorARGB(255, 0, 0, 0), bulb.put());
    GdipFillEllipse(g, bulb.get(), 18, 3, 11, 11);
    GdipPen collar;
    GdipCreatePen1(ColorARGB(255, 0, 0, 0), 3.0f, UnitPixel, collar.put());
    GdipDrawLine(g, collar.get(), 14, 11, 21, 18);
    // The very tip pixel is drawn solid so the hot spot lies on something visible.
    GdipFillRectangle(g, bulb.get(), 1, 29, 2, 2);
    return std::move(c.bitmap);
}

void RegisterCursor(const wchar_t* name, GdipBitmap (*draw)(), int hotX, int hotY) {
    ArtItem item;
    item.name = std::wstring(name) + L".cur";
    item.where = ArtDestination::Resources;
    item.draw = draw;
    item.write = [hotX, hotY](GpBitmap* bitmap, const std::wstring& path) {
        return WriteCursorFile(bitmap, path, hotX, hotY);
    };
    RegisterArt(std::move(item));
}

[[maybe_unused]] const bool registered = [] {
    RegisterCursor(L"MOUSED", &DrawPointingHand, 12, 1); // the fingertip
    RegisterCursor(L"PICKER", &DrawPicker, 1, 30);       // the dropper's tip
    RegisterCursor(L"PANVIEW", &DrawOpenHand, 16, 16);   // the palm
    RegisterCursor(L"SHOU", &DrawClosedHand, 16, 18);    // the closed palm
    return true;
}();

} // namespace
