// The small GDI+ objects the painters make over and over: pens, solid brushes and image
// attributes carrying a colour matrix, each in its owner.
#pragma once

#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

#include <cstdint>

// A pen of an ARGB colour and a width in pixels; empty when it cannot be made.
inline GdipPen MakePen(uint32_t colour, float width) {
    GdipPen pen;
    GdipCreatePen1(colour, width, UnitPixel, pen.put());
    return pen;
}

// A solid brush of an ARGB colour; empty when it cannot be made.
inline GdipSolidFill MakeSolidFill(uint32_t colour) {
    GdipSolidFill brush;
    GdipCreateSolidFill(colour, brush.put());
    return brush;
}

// The colour matrix that changes nothing.
inline ColorMatrix IdentityColorMatrix() {
    ColorMatrix m{};
    for (int i = 0; i < 5; ++i) m.m[i][i] = 1.0f;
    return m;
}

// Image attributes applying m to every colour; empty when they cannot be made.
inline GdipImageAttributes AttributesWithMatrix(const ColorMatrix& m) {
    GdipImageAttributes attributes;
    if (GdipCreateImageAttributes(attributes.put()) == Ok)
        GdipSetImageAttributesColorMatrix(attributes.get(), ColorAdjustTypeDefault, TRUE, &m, nullptr,
                                          ColorMatrixFlagsDefault);
    return attributes;
}

// Image attributes multiplying alpha by factor.
inline GdipImageAttributes AlphaAttributes(float factor) {
    ColorMatrix m = IdentityColorMatrix();
    m.m[3][3] = factor;
    return AttributesWithMatrix(m);
}
