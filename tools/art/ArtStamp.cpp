// The stamp-library browser's two row buttons, 16 x 16, the size the browser draws them at:
// "Stampenter.png" (use the stamp: a green disc with a white arrow into it) and "DelStamp.png"
// (delete it: a red disc with a white cross). Clear round the discs, so the row's grey shows.
#include "tools/art/Art.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

#include <utility>

namespace {

constexpr int kSize = 16;

// A disc with a darker rim, the ground of both buttons.
void Disc(GpGraphics* g, uint32_t light, uint32_t dark) {
    GdipPath path;
    GdipCreatePath(FillModeAlternate, path.put());
    GdipAddPathEllipse(path.get(), 0.5f, 0.5f, kSize - 1.5f, kSize - 1.5f);
    GdipLineGradient brush;
    const PointF top(0, 0), bottom(0, kSize);
    GdipCreateLineBrush(&top, &bottom, light, dark, WrapModeTileFlipXY, brush.put());
    if (brush) GdipFillPath(g, brush.get(), path.get());
    if (GdipPen rim = MakePen(dark, 1)) GdipDrawPath(g, rim.get(), path.get());
}

GdipPen WhiteStroke() {
    GdipPen pen = MakePen(ColorARGB(255, 255, 255, 255), 2);
    if (pen) {
        GdipSetPenStartCap(pen.get(), LineCapRound);
        GdipSetPenEndCap(pen.get(), LineCapRound);
        GdipSetPenLineJoin(pen.get(), LineJoinRound);
    }
    return pen;
}

GdipBitmap DrawUse() {
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GpGraphics* g = c.graphics.get();
    Disc(g, ColorARGB(255, 120, 205, 110), ColorARGB(255, 30, 130, 45));
    if (GdipPen pen = WhiteStroke()) {
        GdipDrawLine(g, pen.get(), 4, 7.5f, 11, 7.5f);
        const PointF head[] = {{8, 4.5f}, {11, 7.5f}, {8, 10.5f}};
        GdipDrawLines(g, pen.get(), head, 3);
    }
    return std::move(c.bitmap);
}

GdipBitmap DrawDelete() {
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GpGraphics* g = c.graphics.get();
    Disc(g, ColorARGB(255, 240, 120, 110), ColorARGB(255, 175, 30, 30));
    if (GdipPen pen = WhiteStroke()) {
        GdipDrawLine(g, pen.get(), 5, 5, 10.5f, 10.5f);
        GdipDrawLine(g, pen.get(), 10.5f, 5, 5, 10.5f);
    }
    return std::move(c.bitmap);
}

[[maybe_unused]] const bool registered = RegisterArt({L"Stampenter.png", ArtDestination::Datas, DrawUse, {}}) &&
                                         RegisterArt({L"DelStamp.png", ArtDestination::Datas, DrawDelete, {}});

} // namespace
