// The side panel's art: the twelve tool icons "Icon000.png" to "Icon011.png", 44 x 34 (the box the
// tool list stretches them into), one pictogram per tool of the list in its order; and the date
// picker's four navigation buttons "Calbutton0.png" to "Calbutton3.png", 16 x 16: year forward
// (a double chevron right), month forward, month back, year back.
#include "tools/art/Art.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

#include <cmath>
#include <cwchar>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

constexpr int kIconW = 44, kIconH = 34;
const uint32_t kInk = ColorARGB(255, 60, 60, 70);
const uint32_t kPaper = ColorARGB(255, 250, 250, 252);
const uint32_t kBlue = ColorARGB(255, 40, 110, 200);

void Line(GpGraphics* g, uint32_t colour, float width, float x1, float y1, float x2, float y2) {
    if (GdipPen pen = MakePen(colour, width)) {
        GdipSetPenStartCap(pen.get(), LineCapRound);
        GdipSetPenEndCap(pen.get(), LineCapRound);
        GdipDrawLine(g, pen.get(), x1, y1, x2, y2);
    }
}

void Ellipse(GpGraphics* g, float x, float y, float w, float h, uint32_t fill, uint32_t outline = kInk) {
    if (GdipSolidFill brush = MakeSolidFill(fill)) GdipFillEllipse(g, brush.get(), x, y, w, h);
    if (GdipPen pen = MakePen(outline, 1.2f)) GdipDrawEllipse(g, pen.get(), x, y, w, h);
}

void Box(GpGraphics* g, float x, float y, float w, float h, uint32_t fill, uint32_t outline = kInk) {
    if (GdipSolidFill brush = MakeSolidFill(fill)) GdipFillRectangle(g, brush.get(), x, y, w, h);
    if (GdipPen pen = MakePen(outline, 1.2f)) GdipDrawRectangle(g, pen.get(), x, y, w, h);
}

// A photograph: a framed sky with a hill, the ground several tools work on.
void Photo(GpGraphics* g, float x, float y, float w, float h) {
    Box(g, x, y, w, h, ColorARGB(255, 170, 205, 240));
    GdipPath hill = ArtPolygon(
        {{x, y + h}, {x, y + h * 0.6f}, {x + w * 0.4f, y + h * 0.35f}, {x + w, y + h * 0.7f}, {x + w, y + h}});
    FillOutlined(g, hill.get(), ColorARGB(255, 90, 160, 80), {ColorARGB(0, 0, 0, 0), 0.1f});
    if (GdipPen pen = MakePen(kInk, 1.2f)) GdipDrawRectangle(g, pen.get(), x, y, w, h);
}

void PaintBrowse(GpGraphics* g) {
    GdipPath arrow = ArtPolygon({{16, 4}, {16, 28}, {21, 23}, {25, 31}, {28, 29.5f}, {24, 21.5f}, {31, 21.5f}});
    FillOutlined(g, arrow.get(), kPaper);
}
void PaintCrop(GpGraphics* g) {
    Photo(g, 13, 9, 18, 14);
    Line(g, kInk, 2.5f, 9, 5, 9, 27);
    Line(g, kInk, 2.5f, 9, 27, 31, 27);
    Line(g, kInk, 2.5f, 35, 29, 35, 7);
    Line(g, kInk, 2.5f, 35, 7, 13, 7);
}
void PaintStraighten(GpGraphics* g) {
    GdipPath tilted = ArtPolygon({{10, 10}, {32, 5}, {35, 23}, {13, 28}});
    FillOutlined(g, tilted.get(), ColorARGB(255, 170, 205, 240));
    Line(g, ColorARGB(255, 220, 60, 40), 1.5f, 4, 17, 40, 17);
}
void PaintIrradiation(GpGraphics* g) {
    for (int i = 0; i < 8; ++i) {
        const float a = 3.14159265f * static_cast<float>(i) / 4;
        Line(g, ColorARGB(255, 240, 170, 20), 2, 22 + 8 * std::cos(a), 17 + 8 * std::sin(a), 22 + 14 * std::cos(a),
             17 + 14 * std::sin(a));
    }
    Ellipse(g, 16, 11, 12, 12, ColorARGB(255, 255, 215, 60), ColorARGB(255, 220, 150, 20));
}
void PaintText(GpGraphics* g) {
    GdipPath letter = ArtPolygon({{13, 30}, {20, 4}, {24, 4}, {31, 30}, {27, 30}, {25, 22}, {19, 22}, {17, 30}});
    FillOutlined(g, letter.get(), kBlue);
    GdipPath hole = ArtPolygon({{20, 18.5f}, {22, 10}, {24, 18.5f}});
    FillOutlined(g, hole.get(), kPaper);
}
void PaintCard(GpGraphics* g) {
    Box(g, 8, 5, 28, 24, kPaper);
    Photo(g, 11, 8, 22, 13);
    Line(g, kInk, 1, 13, 25, 31, 25);
}
void PaintColorize(GpGraphics* g) {
    Ellipse(g, 9, 4, 15, 15, ColorARGB(200, 230, 50, 50));
    Ellipse(g, 20, 4, 15, 15, ColorARGB(200, 50, 170, 60));
    Ellipse(g, 14.5f, 14, 15, 15, ColorARGB(200, 50, 90, 220));
}
void PaintGamma(GpGraphics* g) {
    Box(g, 9, 3, 26, 28, kPaper);
    const PointF curve[] = {{10, 30}, {14, 16}, {22, 9}, {34, 4}};
    if (GdipPen pen = MakePen(kBlue, 2)) GdipDrawCurve(g, pen.get(), curve, 4);
    Line(g, ColorARGB(120, 60, 60, 70), 1, 10, 30, 34, 4);
}
void PaintGrey(GpGraphics* g) {
    for (int i = 0; i < 4; ++i) {
        const auto v = static_cast<uint8_t>(40 + 60 * i);
        Box(g, 6 + 8.5f * static_cast<float>(i), 8, 8, 18, ColorARGB(255, v, v, v));
    }
}
void PaintRedEye(GpGraphics* g) {
    GdipPath eye;
    GdipCreatePath(FillModeWinding, eye.put());
    GdipAddPathArc(eye.get(), 5, 6, 34, 34, 225, 90);
    GdipAddPathArc(eye.get(), 5, -6, 34, 34, 45, 90);
    GdipClosePathFigure(eye.get());
    FillOutlined(g, eye.get(), kPaper);
    Ellipse(g, 15, 10, 14, 14, ColorARGB(255, 120, 80, 50));
    Ellipse(g, 19, 14, 6, 6, ColorARGB(255, 230, 20, 20), ColorARGB(255, 230, 20, 20));
}
void PaintCalendar(GpGraphics* g) {
    Box(g, 9, 5, 26, 25, kPaper);
    Box(g, 9, 5, 26, 6, ColorARGB(255, 210, 60, 50));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            Box(g, 12 + 6 * static_cast<float>(col), 14 + 5 * static_cast<float>(row), 3, 2, kInk, kInk);
}
void PaintContrast(GpGraphics* g) {
    Ellipse(g, 8, 3, 28, 28, kPaper);
    GdipPath half;
    GdipCreatePath(FillModeWinding, half.put());
    GdipAddPathPie(half.get(), 8, 3, 28, 28, 90, 180);
    FillOutlined(g, half.get(), kInk);
}

using Painter = void (*)(GpGraphics*);
const Painter kTools[] = {PaintBrowse,   PaintCrop,  PaintStraighten, PaintIrradiation, PaintText,     PaintCard,
                          PaintColorize, PaintGamma, PaintGrey,       PaintRedEye,      PaintCalendar, PaintContrast};

// A chevron (or two) pointing right or left, in a light rounded square.
GdipBitmap DrawNavigation(bool right, bool doubled) {
    ArtCanvas c = MakeArtCanvas(16, 16);
    GpGraphics* g = c.graphics.get();
    Box(g, 0.5f, 0.5f, 14.5f, 14.5f, ColorARGB(255, 245, 245, 248), ColorARGB(255, 150, 160, 180));
    const float dir = right ? 1.0f : -1.0f;
    for (int k = 0; k < (doubled ? 2 : 1); ++k) {
        const float tip = 8 + dir * (doubled ? (k == 0 ? 1.0f : 5.0f) : 2.5f);
        if (GdipPen pen = MakePen(kBlue, 2)) {
            GdipSetPenLineJoin(pen.get(), LineJoinRound);
            const PointF v[] = {{tip - 4 * dir, 4}, {tip, 8}, {tip - 4 * dir, 12}};
            GdipDrawLines(g, pen.get(), v, 3);
        }
    }
    return std::move(c.bitmap);
}

[[maybe_unused]] const bool registered = [] {
    for (int i = 0; i < 12; ++i) {
        wchar_t name[16];
        std::swprintf(name, 16, L"Icon%03d.png", i);
        const Painter paint = kTools[i];
        RegisterArt({name,
                     ArtDestination::Datas,
                     [paint] {
                         ArtCanvas c = MakeArtCanvas(kIconW, kIconH);
                         paint(c.graphics.get());
                         return std::move(c.bitmap);
                     },
                     {}});
    }
    const std::pair<bool, bool> buttons[] = {{true, true}, {true, false}, {false, false}, {false, true}};
    for (int i = 0; i < 4; ++i) {
        const auto [right, doubled] = buttons[i];
        RegisterArt({L"Calbutton" + std::to_wstring(i) + L".png",
                     ArtDestination::Datas,
                     [right, doubled] { return DrawNavigation(right, doubled); },
                     {}});
    }
    return true;
}();

} // namespace
