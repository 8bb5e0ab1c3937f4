// The browser's art: the zoom slider's track "Scroll.png", the filter panel's check mark
// "Eye.png", the grid's favourite star "Favorties.png", and the icons of the bar under the views, compiled into the
// resources by name: "OPENTHUM" and "CLOSETHUM" (the thumbnail pane's button) and "THUMSIZE" (the size button).
#include "tools/art/Art.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

#include <cmath>
#include <vector>

namespace {

// The track is 125 x 15: the grip (15 wide) rests with its left edge 55 pixels along it, which
// is the middle the drag snaps to; drawn at y 5 in the 25-pixel bar, it sits under the grip.
constexpr int kTrackWidth = 125, kTrackHeight = 15;
constexpr int kIconSize = 16;

GdipBitmap DrawTrack() {
    ArtCanvas c = MakeArtCanvas(kTrackWidth, kTrackHeight);
    GpGraphics* g = c.graphics.get();
    // A sunken groove across the middle, with a notch where the grip rests.
    GdipPath groove;
    GdipCreatePath(FillModeWinding, groove.put());
    AddRoundedRect(groove.get(), 2, 5, kTrackWidth - 4.0f, 5, 2.5f);
    GdipLineGradient fill;
    const PointF top(0, 5), bottom(0, 10);
    GdipCreateLineBrush(&top, &bottom, ColorARGB(255, 120, 130, 150), ColorARGB(255, 220, 225, 235), WrapModeTileFlipXY,
                        fill.put());
    GdipFillPath(g, fill.get(), groove.get());
    GdipPen edge = MakePen(ColorARGB(255, 96, 106, 128), 1);
    GdipDrawPath(g, edge.get(), groove.get());
    GdipPen notch = MakePen(ColorARGB(255, 96, 106, 128), 1);
    const float middle = 55 + 7.5f;
    GdipDrawLine(g, notch.get(), middle, 1, middle, 4);
    GdipDrawLine(g, notch.get(), middle, 11, middle, 14);
    return std::move(c.bitmap);
}

GdipBitmap DrawCheckMark() {
    ArtCanvas c = MakeArtCanvas(16, 16);
    GpGraphics* g = c.graphics.get();
    GdipSetPixelOffsetMode(g, PixelOffsetModeNone);
    GdipPen pen = MakePen(ColorARGB(255, 30, 120, 40), 2.5f);
    GdipSetPenStartCap(pen.get(), LineCapRound);
    GdipSetPenEndCap(pen.get(), LineCapRound);
    GdipSetPenLineJoin(pen.get(), LineJoinRound);
    const PointF tick[] = {{3, 8.5f}, {6.5f, 12}, {13, 4}};
    GdipDrawLines(g, pen.get(), tick, 3);
    return std::move(c.bitmap);
}

// A chevron in a rounded blue button: pointing up opens the pane, pointing down closes it.
GdipBitmap DrawPaneIcon(bool up) {
    ArtCanvas c = MakeArtCanvas(kIconSize, kIconSize);
    GpGraphics* g = c.graphics.get();
    GdipPath button;
    GdipCreatePath(FillModeWinding, button.put());
    AddRoundedRect(button.get(), 1, 1, 14, 14, 3);
    GdipLineGradient fill;
    const PointF top(0, 1), bottom(0, 15);
    GdipCreateLineBrush(&top, &bottom, ColorARGB(255, 158, 180, 228), ColorARGB(255, 90, 120, 190), WrapModeTileFlipXY,
                        fill.put());
    GdipFillPath(g, fill.get(), button.get());
    GdipPen edge = MakePen(ColorARGB(255, 60, 80, 140), 1);
    GdipDrawPath(g, edge.get(), button.get());
    GdipPen arrow = MakePen(ColorARGB(255, 255, 255, 255), 2);
    GdipSetPenLineJoin(arrow.get(), LineJoinRound);
    const PointF upward[] = {{4.5f, 10}, {8, 6}, {11.5f, 10}};
    const PointF downward[] = {{4.5f, 6}, {8, 10}, {11.5f, 6}};
    GdipDrawLines(g, arrow.get(), up ? upward : downward, 3);
    return std::move(c.bitmap);
}

// The favourite mark drawn on a starred thumbnail's corner at 16 x 16.
GdipBitmap DrawStar() {
    ArtCanvas c = MakeArtCanvas(16, 16);
    GpGraphics* g = c.graphics.get();
    PointF points[10];
    for (int i = 0; i < 10; ++i) {
        const double angle = -3.14159265358979 / 2 + i * 3.14159265358979 / 5;
        const double radius = (i % 2 == 0) ? 7.5 : 3.2;
        points[i] = PointF(static_cast<float>(8 + radius * std::cos(angle)),
                           static_cast<float>(8.3 + radius * std::sin(angle)));
    }
    GdipPath star;
    GdipCreatePath(FillModeWinding, star.put());
    GdipAddPathPolygon(star.get(), points, 10);
    GdipLineGradient fill;
    const PointF top(0, 1), bottom(0, 15);
    GdipCreateLineBrush(&top, &bottom, ColorARGB(255, 255, 236, 120), ColorARGB(255, 240, 170, 20), WrapModeTileFlipXY,
                        fill.put());
    GdipFillPath(g, fill.get(), star.get());
    GdipPen edge = MakePen(ColorARGB(255, 170, 110, 0), 1);
    GdipDrawPath(g, edge.get(), star.get());
    return std::move(c.bitmap);
}

// Four thumbnails in a square: the thumbnail-size menu.
GdipBitmap DrawSizeIcon() {
    ArtCanvas c = MakeArtCanvas(kIconSize, kIconSize);
    GpGraphics* g = c.graphics.get();
    GdipSetPixelOffsetMode(g, PixelOffsetModeNone);
    GdipSolidFill frame = MakeSolidFill(ColorARGB(255, 60, 80, 140));
    GdipSolidFill picture = MakeSolidFill(ColorARGB(255, 158, 180, 228));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column) {
            const float x = 1.0f + 8 * column, y = 1.0f + 8 * row;
            GdipFillRectangle(g, frame.get(), x, y, 6, 6);
            GdipFillRectangle(g, picture.get(), x + 1, y + 1, 4, 4);
        }
    return std::move(c.bitmap);
}

void RegisterIcon(const wchar_t* name, std::function<GdipBitmap()> draw) {
    ArtItem item;
    item.name = std::wstring(name) + L".ico";
    item.where = ArtDestination::Resources;
    item.draw = std::move(draw);
    item.write = &WriteIconFile;
    RegisterArt(std::move(item));
}

[[maybe_unused]] const bool registered = [] {
    RegisterArt({L"Scroll.png", ArtDestination::Datas, &DrawTrack, {}});
    RegisterArt({L"Eye.png", ArtDestination::Datas, &DrawCheckMark, {}});
    RegisterArt({L"Favorties.png", ArtDestination::Datas, &DrawStar, {}}); // the name as the program reads it
    RegisterIcon(L"OPENTHUM", [] { return DrawPaneIcon(true); });
    RegisterIcon(L"CLOSETHUM", [] { return DrawPaneIcon(false); });
    RegisterIcon(L"THUMSIZE", &DrawSizeIcon);
    return true;
}();

} // namespace
