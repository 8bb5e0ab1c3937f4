// Shape primitives of the effects: the glowing ellipse and gradient fills built on a path-gradient
// brush, the vector-fill tool and the outline shape tool. All draw anti-aliased.
#pragma once

#include "imaging/DrawTarget.h"

#include <cstdint>
#include <string>

// The surface of one anti-aliased drawing call on a target; a borrowed surface gets its modes back
// when the call ends (see TargetSurface).
class SmoothSurface {
public:
    explicit SmoothSurface(const DrawTarget& target);
    SmoothSurface(const SmoothSurface&) = delete;
    SmoothSurface& operator=(const SmoothSurface&) = delete;
    // Null when no surface could be made on the device context.
    [[nodiscard]] GpGraphics* get() const { return surface_.get(); }

private:
    TargetSurface surface_;
};

// An ellipse of centre (CX, CY) and radii (RX, RY), each edge rounded to whole pixels, filled with
// a path gradient from CentreColour at (FX, FY) to SurroundColour. Without NoOutline a one-pixel
// outline in SurroundColour at alpha 60 follows the rim. An ellipse whose rounded width or height
// is zero or less draws nothing.
void FillGlowEllipse(const DrawTarget& target, float CX, float CY, float RX, float RY, float FX, float FY,
                     float FocusScale, uint32_t CentreColour, uint32_t SurroundColour, bool NoOutline);

// The same fill in single precision, for the ellipse of centre (X, Y) and radii (W, H) when
// IsEllipse, else for the rectangle (X, Y, W, H); the outline, when drawn, is SurroundColour.
// True when the fill was drawn.
bool FillGradientShape(const DrawTarget& target, float X, float Y, float W, float H, float FX, float FY,
                       float FocusScale, uint32_t CentreColour, uint32_t SurroundColour, bool NoOutline,
                       bool IsEllipse);

// The vector-fill tool: Kind 0 an ellipse (centre X, Y and radii W, H), Kind 1 a rectangle, with
// colours chosen by the fill mode, the command id of the fill-mode menu ("Vector_Single": ColourA
// throughout; "Vector_Radial" and "Vector_Linear": ColourA at (FX, FY) to ColourB at the rim), all
// at Alpha. Square 1 makes both sides the smaller one. True only when the shape was drawn: false
// for an Alpha outside 0 to 255, an unknown kind or mode, or a surface that could not be drawn on.
[[nodiscard]] bool DrawVectorShape(const DrawTarget& target, const std::wstring& fillMode, int32_t Kind, float X,
                                   float Y, float W, float H, float FX, float FY, float FocusScale, uint32_t ColourA,
                                   uint32_t ColourB, int32_t Alpha, int32_t Square);

// The outline shape tool between two drag points: Kind 1 a line with round caps, 2 the rectangle,
// 3 the ellipse of the box the points span (Square 1: a square box from its top-left corner).
// Points that share an x or a y give an empty box. True only when the shape was drawn: false for an
// Alpha outside 0 to 255, an unknown kind, an empty box (a line excepted) or a failed draw.
[[nodiscard]] bool DrawShapeStroke(const DrawTarget& target, float X1, float Y1, float X2, float Y2, uint32_t Colour,
                                   int32_t Alpha, float PenWidth, int32_t Kind, int32_t Square);
