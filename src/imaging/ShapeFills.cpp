#include "imaging/ShapeFills.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <string>

SmoothSurface::SmoothSurface(const DrawTarget& target) : surface_(target) {
    if (surface_) GdipSetSmoothingMode(surface_.get(), SmoothingModeAntiAlias);
}

namespace {

// Fills path with the path gradient of the glows and draws its outline with pen (none when null).
bool FillPathGradient(GpGraphics* g, GpPath* path, float FX, float FY, float FocusScale, uint32_t CentreColour,
                      uint32_t SurroundColour, GpPen* pen) {
    GdipPathGradient brush;
    bool filled = false;
    if (GdipCreatePathGradientFromPath(path, brush.put()) == Ok) {
        GdipSetPathGradientCenterColor(brush.get(), CentreColour);
        GpPoint centre{RoundHalfEven(FX), RoundHalfEven(FY)};
        GdipSetPathGradientCenterPointI(brush.get(), &centre);
        GdipSetPathGradientFocusScales(brush.get(), FocusScale, FocusScale);
        ARGB surround = SurroundColour;
        INT count = 1;
        GdipSetPathGradientSurroundColorsWithCount(brush.get(), &surround, &count);
        filled = GdipFillPath(g, brush.get(), path) == Ok;
    }
    if (pen) GdipDrawPath(g, pen, path);
    return filled;
}

} // namespace

void FillGlowEllipse(const DrawTarget& target, float CX, float CY, float RX, float RY, float FX, float FY,
                     float FocusScale, uint32_t CentreColour, uint32_t SurroundColour, bool NoOutline) {
    const int32_t width = RoundHalfEven(RX + RX), height = RoundHalfEven(RY + RY);
    if (width <= 0 || height <= 0) return;
    SmoothSurface surface(target);
    if (!surface.get()) return;
    GdipPath path;
    if (GdipCreatePath(FillModeWinding, path.put()) != Ok) return;
    GdipAddPathEllipseI(path.get(), RoundHalfEven(CX - RX), RoundHalfEven(CY - RY), width, height);
    // A transparent outline draws nothing, so none is drawn at all.
    GdipPen pen;
    if (!NoOutline) pen = MakePen(SetColorAlpha(SurroundColour, 60), 1);
    FillPathGradient(surface.get(), path.get(), FX, FY, FocusScale, CentreColour, SurroundColour, pen.get());
}

bool FillGradientShape(const DrawTarget& target, float X, float Y, float W, float H, float FX, float FY,
                       float FocusScale, uint32_t CentreColour, uint32_t SurroundColour, bool NoOutline,
                       bool IsEllipse) {
    SmoothSurface surface(target);
    if (!surface.get()) return false;
    GdipPath path;
    if (GdipCreatePath(FillModeWinding, path.put()) != Ok) return false;
    if (IsEllipse)
        GdipAddPathEllipse(path.get(), X - W, Y - H, W + W, H + H);
    else
        GdipAddPathRectangle(path.get(), X, Y, W, H);
    GdipPen pen;
    if (!NoOutline) pen = MakePen(SurroundColour, 1);
    return FillPathGradient(surface.get(), path.get(), FX, FY, FocusScale, CentreColour, SurroundColour, pen.get());
}

bool DrawVectorShape(const DrawTarget& target, const std::wstring& fillMode, int32_t Kind, float X, float Y, float W,
                     float H, float FX, float FY, float FocusScale, uint32_t ColourA, uint32_t ColourB, int32_t Alpha,
                     int32_t Square) {
    if (Alpha < 0 || Alpha > 255) return false;
    if (Square == 1) W = H = std::min(W, H);
    if (Kind != 0 && Kind != 1) return false;
    const uint8_t alpha = static_cast<uint8_t>(Alpha);
    const uint32_t centre = SetColorAlpha(ColourA, alpha);
    uint32_t surround;
    if (fillMode == L"Vector_Single")
        surround = centre;
    else if (fillMode == L"Vector_Radial" || fillMode == L"Vector_Linear")
        // The ellipse in the linear mode fills like the rectangle does, rather than not at all.
        surround = SetColorAlpha(ColourB, alpha);
    else
        return false;
    return FillGradientShape(target, X, Y, W, H, FX, FY, FocusScale, centre, surround, false, Kind == 0);
}

bool DrawShapeStroke(const DrawTarget& target, float X1, float Y1, float X2, float Y2, uint32_t Colour, int32_t Alpha,
                     float PenWidth, int32_t Kind, int32_t Square) {
    if (Alpha < 0 || Alpha > 255) return false;
    if (Kind < 1 || Kind > 3) return false;
    float left = 0, top = 0, width = 0, height = 0;
    if (X1 != X2 && Y1 != Y2) {
        left = std::min(X1, X2);
        top = std::min(Y1, Y2);
        width = std::max(X1, X2) - left;
        height = std::max(Y1, Y2) - top;
    }
    if (Square == 1) width = height = std::min(width, height);
    // An empty box would leave a stray dot at the origin.
    if (Kind != 1 && (width <= 0 || height <= 0)) return false;
    SmoothSurface surface(target);
    if (!surface.get()) return false;
    GdipPen pen = MakePen(SetColorAlpha(Colour, static_cast<uint8_t>(Alpha)), PenWidth);
    if (!pen) return false;
    GpGraphics* g = surface.get();
    switch (Kind) {
    case 1:
        GdipSetPenStartCap(pen.get(), LineCapRound);
        GdipSetPenEndCap(pen.get(), LineCapRound);
        return GdipDrawLine(g, pen.get(), X1, Y1, X2, Y2) == Ok;
    case 2:
        return GdipDrawRectangle(g, pen.get(), left, top, width, height) == Ok;
    default:
        return GdipDrawEllipse(g, pen.get(), left, top, width, height) == Ok;
    }
}
