// The canvas's interface images: the colour picker's swatches, the previous and next arrows, the
// hint bar's tick and the edit panel's slider thumb (which the browser's controls reuse).
#include "tools/art/Art.h"

#include "imaging/ModGDI.h"

#include <cmath>
#include <cstdint>

namespace {

// Read as a 125 x 130 thumbnail and drawn at 80 x 70: blocks of one colour, so that the pixel a
// press picks does not depend on the scaling. Ten rows of twelve hues from light to dark, and a
// bottom row of greys from pure white to pure black.
constexpr int kPickerW = 125, kPickerH = 130, kHueColumns = 12, kLightRows = 10;

uint8_t Channel(double v) {
    return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255));
}

uint32_t HslColour(double hue, double lightness) {
    const double c = (1 - std::fabs(2 * lightness - 1));
    const double h = hue / 60.0, x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1)
        r = c, g = x;
    else if (h < 2)
        r = x, g = c;
    else if (h < 3)
        g = c, b = x;
    else if (h < 4)
        g = x, b = c;
    else if (h < 5)
        r = x, b = c;
    else
        r = c, b = x;
    const double m = lightness - c / 2;
    return ColorARGB(255, Channel(r + m), Channel(g + m), Channel(b + m));
}

GdipBitmap DrawColorPicker() {
    ArtCanvas canvas = MakeArtCanvas(kPickerW, kPickerH);
    canvas.graphics.reset(); // written pixel by pixel
    for (int y = 0; y < kPickerH; ++y) {
        const int row = y * (kLightRows + 1) / kPickerH;
        for (int x = 0; x < kPickerW; ++x) {
            const int column = x * kHueColumns / kPickerW;
            uint32_t colour;
            if (row == kLightRows) {
                const auto grey = static_cast<uint8_t>(255 - column * 255 / (kHueColumns - 1));
                colour = ColorARGB(255, grey, grey, grey);
            } else {
                colour = HslColour(column * 360.0 / kHueColumns, 0.9 - row * 0.08);
            }
            GdipBitmapSetPixel(canvas.bitmap.get(), x, y, colour);
        }
    }
    return std::move(canvas.bitmap);
}

// A dark round button with a white chevron pointing left (back) or right (next), 26 x 26.
GdipBitmap DrawArrow(bool pointsRight) {
    ArtCanvas c = MakeArtCanvas(26, 26);
    GpGraphics* g = c.graphics.get();
    GdipSolidFill disc;
    GdipCreateSolidFill(ColorARGB(200, 60, 60, 60), disc.put());
    GdipFillEllipse(g, disc.get(), 1, 1, 24, 24);
    GdipPen rim;
    GdipCreatePen1(ColorARGB(220, 255, 255, 255), 1.5f, UnitPixel, rim.put());
    GdipDrawEllipse(g, rim.get(), 1.5f, 1.5f, 23, 23);
    GdipPen chevron;
    GdipCreatePen1(ColorARGB(255, 255, 255, 255), 3.0f, UnitPixel, chevron.put());
    GdipSetPenLineJoin(chevron.get(), LineJoinRound);
    GdipSetPenStartCap(chevron.get(), LineCapRound);
    GdipSetPenEndCap(chevron.get(), LineCapRound);
    const float tip = pointsRight ? 16.5f : 9.5f, back = pointsRight ? 10.5f : 15.5f;
    GpPointF points[] = {{back, 7}, {tip, 13}, {back, 19}};
    GdipDrawLines(g, chevron.get(), points, 3);
    return std::move(c.bitmap);
}

GdipBitmap DrawBack() {
    return DrawArrow(false);
}
GdipBitmap DrawNext() {
    return DrawArrow(true);
}

// A green tick, 16 x 16, at the start of the hint bar.
GdipBitmap DrawTick() {
    ArtCanvas c = MakeArtCanvas(16, 16);
    GdipPen pen;
    GdipCreatePen1(ColorARGB(255, 40, 150, 40), 2.5f, UnitPixel, pen.put());
    GdipSetPenLineJoin(pen.get(), LineJoinRound);
    GdipSetPenStartCap(pen.get(), LineCapRound);
    GdipSetPenEndCap(pen.get(), LineCapRound);
    GpPointF points[] = {{2.5f, 8.5f}, {6.5f, 12.5f}, {13.5f, 3.5f}};
    GdipDrawLines(c.graphics.get(), pen.get(), points, 3);
    return std::move(c.bitmap);
}

// The slider thumb, as wide and high as its hit box (15 x 26): a light rounded knob with three
// grip lines, readable over the panel's dark track and over a picture.
GdipBitmap DrawScrollTop() {
    ArtCanvas c = MakeArtCanvas(15, 26);
    GpGraphics* g = c.graphics.get();
    GdipPath knob;
    GdipCreatePath(FillModeAlternate, knob.put());
    AddRoundedRect(knob.get(), 0.5f, 0.5f, 14, 25, 3);
    GdipLineGradient fill;
    GpPointF top{0, 0}, bottom{0, 26};
    GdipCreateLineBrush(&top, &bottom, ColorARGB(255, 250, 250, 250), ColorARGB(255, 190, 190, 196), WrapModeTileFlipXY,
                        fill.put());
    GdipFillPath(g, fill.get(), knob.get());
    GdipPen edge;
    GdipCreatePen1(ColorARGB(255, 90, 90, 96), 1.0f, UnitPixel, edge.put());
    GdipDrawPath(g, edge.get(), knob.get());
    GdipPen grip;
    GdipCreatePen1(ColorARGB(255, 120, 120, 128), 1.0f, UnitPixel, grip.put());
    for (float gy : {9.5f, 12.5f, 15.5f}) GdipDrawLine(g, grip.get(), 4, gy, 11, gy);
    return std::move(c.bitmap);
}

const bool registered = RegisterArt({L"ColorPicker.png", ArtDestination::Datas, DrawColorPicker, {}}) &&
                        RegisterArt({L"Back.png", ArtDestination::Datas, DrawBack, {}}) &&
                        RegisterArt({L"Next.png", ArtDestination::Datas, DrawNext, {}}) &&
                        RegisterArt({L"Tick.png", ArtDestination::Datas, DrawTick, {}}) &&
                        RegisterArt({L"ScrollTop.png", ArtDestination::Datas, DrawScrollTop, {}});

} // namespace
