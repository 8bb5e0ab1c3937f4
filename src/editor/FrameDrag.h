// Frame 0 of the frame tools, the selections and the stamp, in control pixels, and the drag that
// moves or sizes it: the element of the frame under the pointer, where a press took hold of it, and
// the frame following the pointer.
#pragma once

#include "platform/Gdip.h"

#include <array>

class FrameDrag {
public:
    // Frame 0, then slots 1 to 9 that are only ever cleared (the handles are laid out from frame 0).
    std::array<RectF, 10> Rects{};
    // What the last hover found: a frame element (0 the inside, 1 to 8 a handle) under the pointer.
    bool OverHandle = false;
    int HandleIndex = 0;

    [[nodiscard]] RectF& Frame() { return Rects[0]; }
    [[nodiscard]] const RectF& Frame() const { return Rects[0]; }
    // Empties frame 0 and the slots 1 to 8.
    void Clear();
    // Frame 0 laid over the picture drawn at picture (control pixels).
    void Lay(const RectF& frame, const RectF& picture);
    // The picture is drawn at picture now (zoomed, fitted, panned, laid out again): frame 0 moves
    // and scales with it, so that it covers the same pixels of the picture as before.
    void FollowPicture(const RectF& picture);

    // A hover: the element of frame 0 under (x, y) becomes the hovered one (HandleIndex); false
    // when none is under it.
    bool HoverAt(float x, float y);

    // A press of a frame tool: the hovered element is taken hold of, or, with none hovered, a new
    // frame is spanned from the press. Only with drags does a held move change the frame.
    void Grab(PointF pointer, bool drags);
    // A press on the stamp: only a hovered element moves or sizes it.
    void GrabStamp(PointF pointer);
    // The release: no move changes the frame until the next grab.
    void Release() { dragging_ = false; }
    [[nodiscard]] bool Dragging() const { return dragging_; }

    // A held move over an image shown in fitRect (fitted, or zoomed and panned); down is where the
    // press was. The frame is laid on the image; a side stops at the image's edge. Returns the handle
    // now under the pointer when the drag flipped the frame, else -1.
    int FollowOnImage(PointF pointer, PointF down, const RectF& fitRect);
    // A held move of the stamp, which may leave the image.
    void FollowFree(PointF pointer);

private:
    bool dragging_ = false;
    bool newFrame_ = false; // the drag spans a new frame from the press
    int handle_ = 0;        // the element being dragged
    PointF grabOffset_{};   // the press less the frame's origin
    RectF picture_{};       // where the picture lay when frame 0 was last laid or followed it
};
