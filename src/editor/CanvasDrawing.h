// What the text, calendar and outline-shape tools draw: the preview on the control and the
// drawing in an image-sized step. Places arrive in control pixels and reach the image through the
// view as it is shown (fitted, or at the zoom and offsets), so an applied drawing lands where its
// preview stood whatever the zoom.
#pragma once

#include "editor/CanvasGeometry.h"
#include "editor/ClsCalendar.h"
#include "imaging/DrawTarget.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <optional>
#include <string>

// How the shown image lies in the control.
struct ShownView {
    float imageW = 0;
    float imageH = 0;
    bool fitMode = false;
    RectF fitRect{};
    ZoomView view{};
};

// The shown image's rectangle in control pixels.
[[nodiscard]] RectF ShownImageRect(const ShownView& shown);
// A control point in image pixels: (point - origin) / scale of the view.
[[nodiscard]] PointF ShownToImage(const ShownView& shown, PointF point);

// A drag point kept on the shown image: below the left or top edge it takes that edge, at or past
// the right or bottom edge that edge less one pixel.
[[nodiscard]] PointF ClampOntoShown(PointF point, const RectF& shown);

// The pen of the outline tools: an RGB colour at alpha whole(max - sliderValue), a width in the
// target's pixels, square 1 for equal sides.
struct OutlinePen {
    COLORREF colour = 0;
    int32_t max = 0;
    float sliderValue = 0;
    float width = 1;
    int32_t square = 0;
};
// Kind 1 line, 2 rectangle, 3 ellipse between two points of the target. False when nothing was
// drawn (an alpha outside 0 to 255, an empty box).
bool DrawOutline(const DrawTarget& target, PointF from, PointF to, int32_t kind, const OutlinePen& pen);

// The text tool's font and colour; opacity 0 to 255 (max - sliderValue).
struct TextLook {
    std::wstring text;
    std::wstring font;
    int32_t size = 0; // pixels
    int32_t style = 0;
    int32_t render = 0;
    uint32_t colour = 0xFF000000u; // ARGB
    float opacity = 255;
};
// The text with its top-left corner at the point; its measured box (DrawTextTool's).
std::optional<RectF> DrawTextLook(const DrawTarget& target, const TextLook& look, PointF at);
// The calendar tool's settings: the text's font and colour at full opacity, and the month the
// slider names (whole, halves to even).
void SetUpCalendar(ClsCalendar& calendar, const TextLook& look, float sliderValue);
// The calendar as the tool draws it: a row gap of twice the font size, a column gap of 10.
void DrawToolCalendar(ClsCalendar& calendar, const DrawTarget& target, PointF at);

// One drawing applied to the shown image: text (4), calendar (10), line (25), rectangle outline
// (26) or ellipse (27).
struct DrawingStepInputs {
    int32_t effect = 0;
    GpImage* image = nullptr;
    ShownView shown;
    PointF anchor{};     // text and calendar corner, control pixels
    PointF shapeStart{}; // outline end points, control pixels
    PointF shapeEnd{};
    TextLook text;
    OutlinePen pen;                  // its width in image pixels
    ClsCalendar* calendar = nullptr; // as the calendar preview left it
    // The filled shapes (19 ellipse, 20 rectangle), for a stamp.
    RectF frame{};      // control pixels
    PointF pickPoint{}; // the gradient's point, control pixels
    COLORREF secondColour = 0;
    std::wstring fillMode; // see FrameCommitInputs
};
[[nodiscard]] bool MakesDrawingStep(int32_t effect);
// The outline kind of a mode: 1, 2, 3 for 25, 26, 27; 0 for the others.
[[nodiscard]] int32_t OutlineKind(int32_t effect);
// The image at its own size with the drawing on it; empty when the mode draws none or the step
// cannot be made.
[[nodiscard]] GdipBitmap RenderDrawingStep(const DrawingStepInputs& in);

// A pending drawing rendered on its own into a stamp cut to its bounds: text (4), calendar (10),
// filled ellipse (19) and rectangle (20), outlines (25 to 27). An outline's box spans both end
// points either way round and half the pen beyond, so the stamp holds the whole stroke.
struct DrawingStamp {
    GdipBitmap bitmap;
    RectF place{}; // where it lies on the image (image pixels), the bitmap's size
};
// Empty when nothing is pending: another mode, no text, a calendar not drawn yet, an empty frame,
// or a drawing wholly off the image.
[[nodiscard]] DrawingStamp RenderDrawingStamp(const DrawingStepInputs& in);
