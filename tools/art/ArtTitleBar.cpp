// The frame art of the borderless windows: the program logo of the title bar ("Logo16pixel.png",
// 20 x 20, the size the bar draws it at), the same logo as the program's icon (32 x 32, the
// system's large icon size; the taskbar takes it), and the skin sheet "MAINSKIN" of the small
// skinned dialogs (237 x 104, 24 bpp).
//
// The sheet's layout follows how the nine-piece builder cuts it: bands 52 high at the top and
// bottom; the top band's strip at x 150-154 and the bottom band's at 152-156; the middle strips
// (left edge x 0-14, centre x 15-19, right edge from x 222) on rows 52-56, which are also the top
// of the bottom band. Outside the frame is magenta, the window shaper's key, drawn hard-edged so
// that no blended pixel widens or narrows the shape.
#include "tools/art/Art.h"

#include "imaging/DIBsave.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

namespace {

constexpr int kSheetW = 237, kSheetH = 104, kBand = 52, kBorder = 15, kRadius = 12;
constexpr uint32_t kKey = ColorARGB(255, 255, 0, 255);
constexpr uint32_t kFrame = ColorARGB(255, 62, 84, 128);
constexpr uint32_t kClient = ColorARGB(255, 240, 238, 233);

GdipPath RoundedRect(float x, float y, float w, float h, float r) {
    GdipPath path;
    GdipCreatePath(FillModeAlternate, path.put());
    AddRoundedRect(path.get(), x, y, w, h, r);
    return path;
}

GdipBitmap DrawSkinSheet() {
    ArtCanvas c = MakeArtCanvas(kSheetW, kSheetH);
    GpGraphics* g = c.graphics.get();
    // Hard edges everywhere: the key colour must meet the frame without blended pixels.
    GdipSetSmoothingMode(g, SmoothingModeNone);
    GdipSetPixelOffsetMode(g, PixelOffsetModeHalf);
    GdipGraphicsClear(g, kKey);
    const float w = kSheetW, h = kSheetH;

    GdipPath outline = RoundedRect(0, 0, w, h, kRadius);
    GdipSolidFill frame = MakeSolidFill(kFrame);
    GdipFillPath(g, frame.get(), outline.get());

    // The title: a blue band fading darker, clipped to the rounded outline, over the top 30 rows.
    GdipSetClipPath(g, outline.get(), CombineModeReplace);
    GdipLineGradient title;
    const RectF titleRect(0, 0, w, 30);
    GdipCreateLineBrushFromRect(&titleRect, ColorARGB(255, 120, 160, 255), ColorARGB(255, 70, 104, 200),
                                LinearGradientModeVertical, WrapModeTileFlipXY, title.put());
    GdipFillRectangle(g, title.get(), 0, 0, w, 30);
    GdipResetClip(g);
    GdipPen gloss = MakePen(ColorARGB(255, 170, 198, 255), 1);
    GdipDrawLine(g, gloss.get(), kRadius, 1, w - kRadius, 1);

    // The client area: from under the title to above the bottom border, inside the side borders.
    GdipSolidFill client = MakeSolidFill(kClient);
    GdipFillRectangle(g, client.get(), kBorder, 34, w - 2 * kBorder, h - kBorder - 34);
    // A sunken line round the client area.
    GdipPen shadow = MakePen(ColorARGB(255, 40, 54, 84), 1), light = MakePen(ColorARGB(255, 110, 132, 176), 1);
    GdipDrawLine(g, shadow.get(), kBorder - 1, 33, w - kBorder, 33);
    GdipDrawLine(g, shadow.get(), kBorder - 1, 33, kBorder - 1, h - kBorder);
    GdipDrawLine(g, light.get(), w - kBorder, 34, w - kBorder, h - kBorder);
    GdipDrawLine(g, light.get(), kBorder - 1, h - kBorder, w - kBorder, h - kBorder);
    return std::move(c.bitmap);
}

// A rounded square in the program's blue with a white hill and sun: a picture, simply.
GdipBitmap DrawLogo(int size) {
    ArtCanvas c = MakeArtCanvas(size, size);
    GpGraphics* g = c.graphics.get();
    const float s = static_cast<float>(size), u = s / 20;
    GdipPath tile = RoundedRect(0.5f * u, 0.5f * u, s - u, s - u, 4 * u);
    GdipLineGradient fill;
    const RectF r(0, 0, s, s);
    GdipCreateLineBrushFromRect(&r, ColorARGB(255, 110, 160, 255), ColorARGB(255, 60, 80, 190),
                                LinearGradientModeForwardDiagonal, WrapModeTileFlipXY, fill.put());
    GdipFillPath(g, fill.get(), tile.get());
    GdipPen edge = MakePen(ColorARGB(255, 40, 50, 120), u);
    GdipDrawPath(g, edge.get(), tile.get());
    GdipSolidFill white = MakeSolidFill(ColorARGB(255, 255, 255, 255));
    GdipFillEllipse(g, white.get(), 11.5f * u, 4 * u, 4.5f * u, 4.5f * u);
    const PointF hills[] = {
        {3 * u, 16 * u}, {8 * u, 8.5f * u}, {11.5f * u, 13 * u}, {13.5f * u, 11 * u}, {17 * u, 16 * u}};
    GdipFillPolygon(g, white.get(), hills, 5, FillModeAlternate);
    return std::move(c.bitmap);
}

// The encoders keep the source's depth: a 24 bpp copy gives the 24 bpp file the builder expects.
bool Write24BitBmp(GpBitmap* bitmap, const std::wstring& path) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(bitmap, &w);
    GdipGetImageHeight(bitmap, &h);
    GdipBitmap rgb;
    if (GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), PixelFormat24bppRGB, bitmap, rgb.put()) !=
        Ok)
        return false;
    return SaveImageSafely(rgb.get(), path, kFormatBmp, 0);
}

[[maybe_unused]] const bool registered = [] {
    RegisterArt({L"Logo16pixel.png", ArtDestination::Datas, [] { return DrawLogo(20); }, {}});
    RegisterArt({L"MAINSKIN.bmp", ArtDestination::Resources, DrawSkinSheet, Write24BitBmp});
    RegisterArt({L"VELLUMO.ico", ArtDestination::Resources, [] { return DrawLogo(32); }, &WriteIconFile});
    return true;
}();

} // namespace
