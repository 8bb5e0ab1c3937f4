// The print window's art: six 24 x 24 button icons (fit to page, full page, thumbnails, printer,
// printer setup, copies), the next and previous arrows of the preview (16 x 16) and two spare
// 16 x 16 marks the window loads with them.
#include "tools/art/Art.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

#include <string>

namespace {

constexpr uint32_t kInk = ColorARGB(255, 60, 70, 90);
constexpr uint32_t kPaper = ColorARGB(255, 255, 255, 255);
constexpr uint32_t kPicture = ColorARGB(255, 80, 140, 220);
constexpr uint32_t kAccent = ColorARGB(255, 230, 150, 40);

void Sheet(GpGraphics* g, float x, float y, float w, float h) {
    GdipSolidFill paper = MakeSolidFill(kPaper);
    GdipFillRectangle(g, paper.get(), x, y, w, h);
    GdipPen ink = MakePen(kInk, 1);
    GdipDrawRectangle(g, ink.get(), x, y, w, h);
}

void Block(GpGraphics* g, uint32_t colour, float x, float y, float w, float h) {
    GdipSolidFill fill = MakeSolidFill(colour);
    GdipFillRectangle(g, fill.get(), x, y, w, h);
}

GdipBitmap DrawIcon(int kind) {
    ArtCanvas c = MakeArtCanvas(24, 24);
    GpGraphics* g = c.graphics.get();
    switch (kind) {
    case 0: // a picture centred on a sheet
        Sheet(g, 4.5f, 1.5f, 15, 21);
        Block(g, kPicture, 7, 8, 10, 8);
        break;
    case 1: // a picture filling the sheet
        Sheet(g, 4.5f, 1.5f, 15, 21);
        Block(g, kPicture, 6, 3, 13, 19);
        break;
    case 2: // a sheet of small pictures
        Sheet(g, 4.5f, 1.5f, 15, 21);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 2; ++col)
                Block(g, kPicture, 6.5f + static_cast<float>(col) * 6.5f, 3.5f + static_cast<float>(row) * 6.5f, 5, 5);
        break;
    case 3: // a printer with a sheet coming out
    case 4: {
        Sheet(g, 7.5f, 2.5f, 9, 8);
        GdipSolidFill body = MakeSolidFill(ColorARGB(255, 120, 130, 150));
        GdipFillRectangle(g, body.get(), 2, 9, 20, 9);
        Sheet(g, 6.5f, 15.5f, 11, 7);
        Block(g, ColorARGB(255, 90, 220, 90), 18, 11, 2, 2);
        if (kind == 4) { // with a setting knob
            GdipSolidFill knob = MakeSolidFill(kAccent);
            GdipFillEllipse(g, knob.get(), 13, 12, 10, 10);
            Block(g, kPaper, 17, 15, 2, 4);
        }
        break;
    }
    default: // copies: sheets stacked
        Sheet(g, 9.5f, 2.5f, 11, 15);
        Sheet(g, 6.5f, 4.5f, 11, 15);
        Sheet(g, 3.5f, 6.5f, 11, 15);
        Block(g, kAccent, 6, 11, 6, 6);
        break;
    }
    return std::move(c.bitmap);
}

GdipBitmap DrawArrow(bool next) {
    ArtCanvas c = MakeArtCanvas(16, 16);
    GdipSolidFill fill = MakeSolidFill(kInk);
    const PointF right[] = {PointF(4, 2), PointF(12, 8), PointF(4, 14)};
    const PointF left[] = {PointF(12, 2), PointF(4, 8), PointF(12, 14)};
    GdipFillPolygon(c.graphics.get(), fill.get(), next ? right : left, 3, FillModeAlternate);
    return std::move(c.bitmap);
}

GdipBitmap DrawMark(uint32_t colour) {
    ArtCanvas c = MakeArtCanvas(16, 16);
    GdipSolidFill fill = MakeSolidFill(colour);
    GdipFillEllipse(c.graphics.get(), fill.get(), 3, 3, 10, 10);
    return std::move(c.bitmap);
}

[[maybe_unused]] const bool registered = [] {
    for (int i = 0; i < 6; ++i)
        RegisterArt(
            {L"Print0" + std::to_wstring(i + 1) + L".png", ArtDestination::Datas, [i] { return DrawIcon(i); }, {}});
    RegisterArt({L"Print07.png", ArtDestination::Datas, [] { return DrawArrow(true); }, {}});
    RegisterArt({L"Print08.png", ArtDestination::Datas, [] { return DrawArrow(false); }, {}});
    RegisterArt({L"Print09.png", ArtDestination::Datas, [] { return DrawMark(kAccent); }, {}});
    RegisterArt({L"Print010.png", ArtDestination::Datas, [] { return DrawMark(kPicture); }, {}});
    return true;
}();

} // namespace
