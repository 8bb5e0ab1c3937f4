// The small painters of the skinned interface's chrome: rounded gradient buttons and panels,
// etched separators, striped bands, the canvas frame and anti-aliased dots, and the rounded
// outline that the loupe and the image toolbar share with the buttons.
#pragma once

#include "imaging/DrawTarget.h"
#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

#include <cstdint>

// The closed rounded outline (alternate fill) of a box spanning W + 2 x cornerW across and
// H + cornerH down from (x, y): four corner arcs of cornerW x cornerH joined by straight edges
// whose ends lie on whole pixels. Null when the path cannot be made.
[[nodiscard]] GdipPath CreateRoundRectPath(float x, float y, float w, float h, float cornerW, float cornerH);
// The same box with its top corners only, flat along the bottom at y + h: a tab.
[[nodiscard]] GdipPath CreateTabPath(float x, float y, float w, float h, float cornerW, float cornerH);

// A rounded box (see CreateRoundRectPath) filled with a vertical two-colour gradient running from
// (gx1, gy1) to (gx1, gy2), colourA to colourB (swapped when pressed), and outlined with a pen of
// penWidth pixels in penColour (0 gives translucent white). gx2 has no effect: the gradient is
// always vertical.
void DrawRoundGradientRect(const DrawTarget& target, int32_t gx1, int32_t gy1, int32_t gx2, int32_t gy2, float x,
                           float y, float w, float h, float cornerW, float cornerH, uint32_t colourA, uint32_t colourB,
                           bool pressed, int32_t penWidth, uint32_t penColour);

// An etched separator along (x1, y1)-(x2, y2): a dark line 2 pixels above it and a light line 1
// pixel above it. A dark colour of 0 means translucent black, a light colour of 0 opaque white.
void DrawEtchedLine(const DrawTarget& target, float x1, float y1, float x2, float y2, int32_t lightWidth,
                    int32_t darkWidth, uint32_t darkColour, uint32_t lightColour);

// Horizontal stripes between left and right for y = 0, 3, 6, ... up to bottom: a 1-pixel colourA
// line at y and a 2-pixel colourB line at y + 2.
void DrawStripes(const DrawTarget& target, uint32_t colourA, uint32_t colourB, float left, float right, float bottom);

// The two-tone frame round the canvas: a light-grey rectangle (x - 1, y - 1, w - 1, h - 1) and a
// white one (x, y, w - 3, h - 3) inside it.
void DrawFrameRect(HDC dc, float x, float y, float w, float h);
// The same on a target: a surface the caller already holds saves making one on the device context.
void DrawFrameRect(const DrawTarget& target, float x, float y, float w, float h);

// An anti-aliased ellipse in the box (x, y, w, h) filled with an ARGB colour.
void FillEllipseAA(HDC dc, float x, float y, float w, float h, uint32_t colour);
