// The three icons of the text-tool bar, compiled into the resource library "Toolbar.dll" in this
// order: 0 beside the size list (a large and a small letter), 1 beside the style list (a bold and
// an italic letter), 2 left of the "Import Text" box (a text cursor in a letter box). 32 x 32,
// the system icon size the bar draws them at; the picture keeps to the top 24 rows, the bar's
// height, and to the 32 pixels between a list and the next control.
#include "tools/art/Art.h"

#include "imaging/ModGDI.h"

namespace {

constexpr int kSize = 32;
constexpr uint32_t kInk = ColorARGB(255, 40, 48, 64);
constexpr uint32_t kAccent = ColorARGB(255, 32, 96, 192);

void Letter(GpGraphics* g, const wchar_t* text, float x, float y, float size, int style, uint32_t colour) {
    GdipFontFamily family;
    GdipCreateFontFamilyFromName(L"Tahoma", nullptr, family.put());
    GdipFont font;
    GdipCreateFont(family.get(), size, style, UnitPixel, font.put());
    GdipSolidFill brush;
    GdipCreateSolidFill(colour, brush.put());
    RectF layout(x, y, 0, 0);
    GdipDrawString(g, text, -1, font.get(), &layout, nullptr, brush.get());
}

GdipBitmap DrawSizeIcon() {
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GdipSetTextRenderingHint(c.graphics.get(), TextRenderingHintAntiAlias);
    Letter(c.graphics.get(), L"A", 0, 0, 20, FontStyleBold, kInk);
    Letter(c.graphics.get(), L"A", 15, 8, 12, FontStyleBold, kAccent);
    return std::move(c.bitmap);
}

GdipBitmap DrawStyleIcon() {
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GdipSetTextRenderingHint(c.graphics.get(), TextRenderingHintAntiAlias);
    Letter(c.graphics.get(), L"B", 0, 2, 18, FontStyleBold, kInk);
    Letter(c.graphics.get(), L"I", 16, 2, 18, FontStyleItalic, kAccent);
    return std::move(c.bitmap);
}

GdipBitmap DrawTextIcon() {
    ArtCanvas c = MakeArtCanvas(kSize, kSize);
    GpGraphics* g = c.graphics.get();
    GdipSetTextRenderingHint(g, TextRenderingHintAntiAlias);
    GdipSolidFill paper;
    GdipCreateSolidFill(ColorARGB(255, 255, 255, 255), paper.put());
    GdipFillRectangle(g, paper.get(), 2, 2, 24, 20);
    GdipPen frame;
    GdipCreatePen1(kInk, 1.0f, UnitPixel, frame.put());
    GdipDrawRectangle(g, frame.get(), 2, 2, 24, 20);
    Letter(g, L"T", 4, 2, 18, FontStyleBold, kInk);
    GdipPen caret;
    GdipCreatePen1(kAccent, 2.0f, UnitPixel, caret.put());
    GdipDrawLine(g, caret.get(), 21, 5, 21, 19);
    return std::move(c.bitmap);
}

void RegisterIcon(const wchar_t* name, GdipBitmap (*draw)()) {
    ArtItem item;
    item.name = name;
    item.where = ArtDestination::Resources;
    item.draw = draw;
    item.write = &WriteIconFile;
    RegisterArt(std::move(item));
}

[[maybe_unused]] const bool registered = [] {
    RegisterIcon(L"ToolbarSize.ico", &DrawSizeIcon);
    RegisterIcon(L"ToolbarStyle.ico", &DrawStyleIcon);
    RegisterIcon(L"ToolbarText.ico", &DrawTextIcon);
    return true;
}();

} // namespace
