// The two text painters: captions of the skinned interface (one line, cut with an ellipsis,
// optionally over a shadow) and the text tool's text on the image or its preview, which gives
// back its measured box for the canvas to move and hit-test.
#pragma once

#include "imaging/DrawTarget.h"
#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <optional>
#include <string>

// Text-tool style numbers: 0 regular, 1 italic, 2 bold, 3 bold italic, 4 underline.
// The GDI+ font style of one; any other number is regular.
[[nodiscard]] int32_t TextToolFontStyle(int32_t style);

// Text-tool rendering numbers: 0 system default, 1 sharp (ClearType grid fit), 2 smooth
// (anti-alias). The GDI+ hint of one; any other number is the system default.
[[nodiscard]] TextRenderingHint TextToolRenderHint(int32_t renderHint);

// A font of faceName in size units of unit. A face that is not installed (or cannot give the
// style) falls back to the generic sans-serif family, then to the first installed family, so text
// never vanishes for want of a face. Null only when no family at all gives a font.
[[nodiscard]] GdipFont CreateFontWithFallback(const std::wstring& faceName, float size, int32_t gdipStyle, Unit unit);

// One line of a caption at (x, y): fontSize in points, an ARGB colour, a GDI+ font style
// (0 regular, 1 bold, 2 italic, 3 bold italic, 4 underline), cut with an ellipsis at layoutWidth.
// With shadow, a dark shadow lies at the measured box and the text 1 pixel above it.
void DrawShadowText(const DrawTarget& target, const std::wstring& text, float x, float y, const std::wstring& fontName,
                    int32_t fontSize, uint32_t colour, int32_t style, bool shadow, int32_t layoutWidth);

// text as one line of at most width pixels drawn with font and format on surface: whole when it
// fits (or width is 0 or less), else its longest start that fits with an ellipsis after it, cut at
// a character. Ellipsis trimming is left undone by some GDI+ builds (which cut the text at the
// box's edge, or wrap the rest below it), so the cut is made here and shows the same everywhere.
[[nodiscard]] std::wstring FitWithEllipsis(GpGraphics* surface, const std::wstring& text, GpFont* font,
                                           GpStringFormat* format, float width);

// The text tool's text at (x, y): fontSize in pixels, a text-tool style and rendering number, an
// ARGB colour whose alpha opacity (0 to 255) replaces. Returns the measured box; an empty text (or
// one that cannot be measured) gets the box (x, y, 30, 17) so that it can still be grabbed. An
// opacity outside 0 to 255, or a target without a surface, draws and measures nothing: no box.
std::optional<RectF> DrawTextTool(const DrawTarget& target, const std::wstring& text, float x, float y,
                                  const std::wstring& fontName, int32_t fontSize, int32_t style, int32_t renderHint,
                                  uint32_t colour, float opacity);
