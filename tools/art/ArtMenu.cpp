// The drop-down menu's check mark "MenuSeled.png": 16 x 16, the size the menu draws it at, a
// dark-blue tick on a clear ground so the row's white face or highlight shows round it.
#include "tools/art/Art.h"

#include "imaging/ModGDI.h"

namespace {

constexpr int kSize = 16;

GdipBitmap DrawCheckMark() {
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GpGraphics* g = c.graphics.get();
    GdipPen tick;
    if (GdipCreatePen1(ColorARGB(255, 0, 43, 168), 2.5f, UnitPixel, tick.put()) != Ok) return {};
    GdipSetPenStartCap(tick.get(), LineCapRound);
    GdipSetPenEndCap(tick.get(), LineCapRound);
    GdipSetPenLineJoin(tick.get(), LineJoinRound);
    const PointF points[] = {{3.5f, 8.5f}, {6.5f, 11.5f}, {12.5f, 4.5f}};
    GdipDrawLines(g, tick.get(), points, 3);
    return std::move(c.bitmap);
}

[[maybe_unused]] const bool registered = RegisterArt({L"MenuSeled.png", ArtDestination::Datas, DrawCheckMark, {}});

} // namespace
