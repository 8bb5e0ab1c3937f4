// The image toolbar's ten button icons: each a 27 x 27 image with its picture in the top-left
// 24 x 24 and clear around it, since the toolbar draws the top-left 27 x 27 unscaled.
#include "tools/art/Art.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kImageSize = 27;

using Pen = ArtPen;

const uint32_t kInk = ColorARGB(255, 60, 60, 70);
const uint32_t kBlue = ColorARGB(255, 40, 110, 200);
const uint32_t kGreen = ColorARGB(255, 40, 150, 70);

void Line(GpGraphics* g, Pen pen, float x1, float y1, float x2, float y2) {
    if (GdipPen p = MakePen(pen.colour, pen.width)) GdipDrawLine(g, p.get(), x1, y1, x2, y2);
}

// An arrow head pointing along (dx, dy) with its tip at (x, y).
void ArrowHead(GpGraphics* g, float x, float y, float dx, float dy, uint32_t colour) {
    const float s = 5;
    GdipPath head =
        ArtPolygon({{x, y}, {x - dx * s - dy * s, y - dy * s + dx * s}, {x - dx * s + dy * s, y - dy * s - dx * s}});
    FillOutlined(g, head.get(), colour, {colour, 1});
}

GdipBitmap Draw(void (*paint)(GpGraphics*)) {
    ArtCanvas c = MakeArtCanvas(kImageSize, kImageSize);
    paint(c.graphics.get());
    return std::move(c.bitmap);
}

// A sheet of paper with its top-right corner folded.
void PaintNew(GpGraphics* g) {
    GdipPath page = ArtPolygon({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}});
    FillOutlined(g, page.get(), ColorARGB(255, 255, 255, 255));
    GdipPath fold = ArtPolygon({{15, 2}, {15, 7}, {20, 7}});
    FillOutlined(g, fold.get(), ColorARGB(255, 210, 215, 225));
}

// An open yellow folder.
void PaintOpen(GpGraphics* g) {
    GdipPath back = ArtPolygon({{2, 5}, {9, 5}, {11, 7}, {20, 7}, {20, 20}, {2, 20}});
    FillOutlined(g, back.get(), ColorARGB(255, 230, 185, 70));
    GdipPath front = ArtPolygon({{5, 10}, {23, 10}, {20, 20}, {2, 20}});
    FillOutlined(g, front.get(), ColorARGB(255, 250, 215, 100));
}

// A diskette with a pencil across it: saving under a new name.
void PaintConvert(GpGraphics* g) {
    GdipPath disk = ArtPolygon({{2, 2}, {17, 2}, {20, 5}, {20, 21}, {2, 21}});
    FillOutlined(g, disk.get(), kBlue);
    GdipPath label = ArtPolygon({{6, 12}, {16, 12}, {16, 21}, {6, 21}});
    FillOutlined(g, label.get(), ColorARGB(255, 255, 255, 255), {kInk, 1});
    GdipPath shutter = ArtPolygon({{6, 2}, {15, 2}, {15, 7}, {6, 7}});
    FillOutlined(g, shutter.get(), ColorARGB(255, 200, 205, 215), {kInk, 1});
    Line(g, {ColorARGB(255, 230, 150, 40), 3}, 13, 22, 22, 13);
    Line(g, {kInk, 1}, 22.5f, 12.5f, 23.5f, 11.5f);
}

// A tray with an arrow coming down into it.
void PaintImport(GpGraphics* g) {
    GdipPath tray = ArtPolygon({{2, 14}, {7, 14}, {9, 17}, {15, 17}, {17, 14}, {22, 14}, {22, 22}, {2, 22}});
    FillOutlined(g, tray.get(), ColorARGB(255, 200, 205, 215));
    Line(g, {kGreen, 3}, 12, 2, 12, 11);
    ArrowHead(g, 12, 16, 0, 1, kGreen);
}

// A screen on a stand showing a play sign.
void PaintSlideshow(GpGraphics* g) {
    GdipPath screen = ArtPolygon({{2, 3}, {22, 3}, {22, 17}, {2, 17}});
    FillOutlined(g, screen.get(), ColorARGB(255, 255, 255, 255));
    Line(g, {kInk, 1.5f}, 12, 17, 12, 22);
    Line(g, {kInk, 1.5f}, 7, 22, 17, 22);
    GdipPath play = ArtPolygon({{10, 7}, {16, 10}, {10, 13}});
    FillOutlined(g, play.get(), kGreen, {kGreen, 1});
}

// A frame with four arrows pointing to its corners: the picture fills the view.
void PaintFitmode(GpGraphics* g) {
    GdipPath frame = ArtPolygon({{6, 6}, {18, 6}, {18, 18}, {6, 18}});
    FillOutlined(g, frame.get(), ColorARGB(255, 220, 235, 250), {kBlue, 1});
    const Pen arrow{kInk, 1.5f};
    for (auto [x, y, dx, dy] :
         {std::tuple{2.f, 2.f, -1.f, -1.f}, {22.f, 2.f, 1.f, -1.f}, {2.f, 22.f, -1.f, 1.f}, {22.f, 22.f, 1.f, 1.f}}) {
        Line(g, arrow, x, y, x - dx * 5, y - dy * 5);
        Line(g, arrow, x, y, x - dx * 4, y);
        Line(g, arrow, x, y, x, y - dy * 4);
    }
}

// A round blue button with an arrow: dir -1 points left (previous), 1 right (next).
void PaintStep(GpGraphics* g, float dir) {
    GdipPath disc;
    GdipCreatePath(FillModeWinding, disc.put());
    GdipAddPathEllipse(disc.get(), 2, 2, 20, 20);
    FillOutlined(g, disc.get(), kBlue, {ColorARGB(255, 30, 80, 150), 1});
    const uint32_t white = ColorARGB(255, 255, 255, 255);
    Line(g, {white, 3}, 12 - dir * 6, 12, 12 + dir * 2, 12);
    ArrowHead(g, 12 + dir * 7, 12, dir, 0, white);
}
void PaintZoomout(GpGraphics* g) {
    PaintStep(g, -1);
}
void PaintZoomin(GpGraphics* g) {
    PaintStep(g, 1);
}

// A curved arrow turning back: dir -1 to the left (undo), 1 to the right (redo).
void PaintTurn(GpGraphics* g, float dir) {
    GdipPen pen = MakePen(kBlue, 3);
    if (!pen) return;
    GdipPath arc;
    GdipCreatePath(FillModeWinding, arc.put());
    // Half a ring over the top, open towards the bottom, drawn from its tail to its head.
    GdipAddPathArc(arc.get(), 4, 5, 16, 14, dir < 0 ? 0.0f : 180.0f, dir < 0 ? -200.0f : 200.0f);
    GdipDrawPath(g, pen.get(), arc.get());
    ArrowHead(g, dir < 0 ? 4 : 20, 16, 0, 1, kBlue);
}
void PaintUndo(GpGraphics* g) {
    PaintTurn(g, -1);
}
void PaintRedo(GpGraphics* g) {
    PaintTurn(g, 1);
}

[[maybe_unused]] const bool registered = [] {
    const std::pair<const wchar_t*, void (*)(GpGraphics*)> icons[] = {
        {L"New.png", &PaintNew},         {L"Open.png", &PaintOpen},           {L"Convert.png", &PaintConvert},
        {L"Import.png", &PaintImport},   {L"Slideshow.png", &PaintSlideshow}, {L"Fitmode.png", &PaintFitmode},
        {L"Zoomout.png", &PaintZoomout}, {L"Zoomin.png", &PaintZoomin},       {L"Undo.png", &PaintUndo},
        {L"Redo.png", &PaintRedo}};
    for (const auto& [name, paint] : icons) {
        ArtItem item;
        item.name = name;
        item.draw = [paint = paint] { return Draw(paint); };
        RegisterArt(std::move(item));
    }
    return true;
}();

} // namespace
