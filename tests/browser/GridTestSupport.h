// What the grid's drawing tests share: a caption line drawn apart from the grid with the look the
// grid gives its captions, and how far two drawn lines differ.
#pragma once

#include "tests/browser/BarTestSupport.h"

#include <string>
#include <vector>

// The line as the grid would draw it: 100 x 13 pixels, text centred in 8-point Tahoma over back.
inline std::vector<COLORREF> ReferenceLine(const std::wstring& text, COLORREF back) {
    TestCanvas canvas(100, 13, ColorARGB(255, GetRValue(back), GetGValue(back), GetBValue(back)));
    GdipSetTextRenderingHint(canvas.g(), TextRenderingHintClearTypeGridFit);
    GdipFontFamily family;
    GdipCreateFontFamilyFromName(L"Tahoma", nullptr, family.put());
    GdipFont font;
    GdipCreateFont(family.get(), 8, FontStyleRegular, UnitPoint, font.put());
    GdipStringFormat format;
    GdipCreateStringFormat(0, LANG_NEUTRAL, format.put());
    GdipSetStringFormatAlign(format.get(), StringAlignmentCenter);
    GdipSolidFill ink;
    GdipCreateSolidFill(ColorARGB(255, 0, 0, 0), ink.put());
    RectF box(0, 0, 100, 13);
    GdipDrawString(canvas.g(), text.c_str(), -1, font.get(), &box, format.get(), ink.get());
    std::vector<COLORREF> pixels;
    for (uint32_t p : canvas.Pixels()) pixels.push_back(Rgb(p));
    return pixels;
}

// The 100 x 13 pixels of a caption line at (x, y) of a picture box's surface.
template <typename Surface> std::vector<COLORREF> CaptionLine(const Surface& surface, int x, int y) {
    std::vector<COLORREF> pixels;
    for (int j = 0; j < 13; ++j)
        for (int i = 0; i < 100; ++i) pixels.push_back(surface.Point(x + i, y + j));
    return pixels;
}

// How many pixels of two lines differ by more than a little.
inline int Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += RgbDistance(a[i], b[i]) > 40;
    return n;
}
