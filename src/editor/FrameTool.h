// The frame of the frame tools (crop, card, colorize, red eye, the fills, the selections) in
// control pixels: following a drag by its handles, kept on the shown image, and its commit into
// a new step of the image's own pixels.
#pragma once

#include "platform/GdipHandles.h"

#include <array>
#include <cstdint>
#include <string>

// Modes whose frame the mouse drags and the overlay draws.
[[nodiscard]] bool HasDraggedFrame(int32_t effect);

// The frame spanned by two points, whichever way the drag went.
[[nodiscard]] RectF SpannedFrame(PointF a, PointF b);

// The handles 1 to 8 (top-left, top, top-right, right, bottom-right, bottom, bottom-left, left):
// squares of kHandleSize centred on the frame's corners and edge midpoints (element 0 unused).
inline constexpr float kHandleSize = 7;
[[nodiscard]] std::array<RectF, 9> FrameHandles(const RectF& frame);
// What lies under a point: a handle 1 to 8 (tested first, so that it can be grabbed from outside
// the frame), 0 the frame's inside, -1 neither. An empty frame has neither.
[[nodiscard]] int FrameElementAt(const RectF& frame, float x, float y);
// The sizing pointer of a handle (a MousePointer code); -1 for 0 and other values.
[[nodiscard]] int HandlePointer(int handle);

// One step of a frame drag: handle 0 moves the frame by the grab offset, the others move their
// sides to the pointer while the opposite sides stay. A side dragged across its opposite flips
// the frame, and handle then names the handle now under the pointer.
[[nodiscard]] RectF FollowFrameDrag(const RectF& frame, int& handle, PointF pointer, PointF grab);

// The frame kept on the image where it lies on the control (fitRect: fitted, or zoomed and
// panned): at most its size, moved inside it.
[[nodiscard]] RectF KeepFrameOnImage(const RectF& frame, const RectF& fitRect);
// The pointer held on the image so laid, so that a side dragged beyond the image stops at its edge.
[[nodiscard]] PointF ClampToImage(PointF pointer, const RectF& fitRect);
// The red-eye tool works on at most 100 x 100 control pixels.
[[nodiscard]] RectF LimitRedEyeFrame(const RectF& frame);
// The red-eye frame Select All sets over the picture drawn at picture in a control showing view:
// the picture's top-left 100 x 100 while the picture shows whole, else 100 x 100 centred in the part
// of it on the screen, and no larger than that part.
[[nodiscard]] RectF RedEyeFrameForAll(const RectF& picture, const RectF& view);
// A frame laid over the picture drawn at from, over the picture drawn at to: the same pixels of the
// picture. An empty frame, or one over an empty picture, stays as it is.
[[nodiscard]] RectF FrameOnMovedPicture(const RectF& frame, const RectF& from, const RectF& to);

// The frame in image pixels for an image of imageW x imageH shown in fitRect (fitted, or zoomed
// and panned); empty when the shown size is empty.
[[nodiscard]] RectF FrameInImage(const RectF& frame, const RectF& fitRect, float imageW, float imageH);

// The fill of the card and colorize tools: the text colour (RGB) at the slider value as alpha,
// held to 0 to 255.
[[nodiscard]] uint32_t CanvasFillColour(COLORREF textColor, float sliderValue);

struct FrameCommitInputs {
    int32_t effect = 0;
    GpImage* image = nullptr; // the shown image
    float width = 0;          // its size
    float height = 0;
    RectF fitRect{};  // where it is shown (control pixels)
    RectF frame{};    // frame 0 (control pixels)
    PointF pickPoint; // the fills' gradient point (control pixels)
    float sliderValue = 0;
    COLORREF textColor = 0;   // RGB
    COLORREF pickedColor = 0; // RGB, the fills' second colour
    int32_t combineMode = 1;  // the card: 1 shades the outside of the frame, 4 the inside
    std::wstring fillMode;    // the fills' mode, a command id of the fill-mode menu ("Vector_Single", ...)
};

// Whether the mode's step is a frame commit (1, 5, 6, 9, 19, 20).
[[nodiscard]] bool IsFrameCommit(int32_t effect);
// The frame commits that make their step whole from the shown image: crop, red eye and the fills
// (1, 9, 19, 20).
[[nodiscard]] bool MakesWholeFrameStep(int32_t effect);
// The new step of crop, red eye or a fill; empty when it could not be made or the frame is empty.
[[nodiscard]] GdipBitmap RenderFrameCommit(const FrameCommitInputs& in);
// The card (5) or colorize (6) commit drawn on g, a step that holds the picture already: the fill
// outside the frame (inside with combine mode 4; without a frame the whole picture is outside it),
// or over the whole picture. False when nothing was drawn (an inverted card without a frame).
bool DrawFillCommit(GpGraphics* g, const FrameCommitInputs& in);
// The filled ellipse (19) or rectangle (20) of frame F (image pixels) on g, as the commit draws it:
// the gradient from the text colour at the pick point to the second colour. False when not drawn.
[[nodiscard]] bool DrawFrameShape(GpGraphics* g, const FrameCommitInputs& in, const RectF& F);
