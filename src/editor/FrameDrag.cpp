#include "editor/FrameDrag.h"

#include "editor/FrameTool.h"

void FrameDrag::Clear() {
    for (size_t i = 0; i <= 8; ++i) Rects[i] = RectF();
}

int FrameDrag::HoverAt(float x, float y) {
    const int element = FrameElementAt(Frame(), x, y);
    if (element < 0) return -1;
    HandleIndex = element;
    OverHandle = true;
    return HandlePointer(element);
}

void FrameDrag::Grab(PointF pointer, bool drags) {
    grab_ = PointF(pointer.X - Frame().X, pointer.Y - Frame().Y);
    dragging_ = drags;
    newFrame_ = !OverHandle;
    handle_ = OverHandle ? HandleIndex : 0;
}

void FrameDrag::GrabStamp(PointF pointer) {
    grab_ = PointF(pointer.X - Frame().X, pointer.Y - Frame().Y);
    dragging_ = OverHandle;
    newFrame_ = false;
    handle_ = OverHandle ? HandleIndex : 0;
}

int FrameDrag::FollowOnImage(PointF pointer, PointF down, const RectF& fitRect) {
    RectF& frame = Frame();
    int shown = -1;
    if (newFrame_) {
        frame = SpannedFrame(ClampToImage(down, fitRect), ClampToImage(pointer, fitRect));
    } else {
        const int before = handle_;
        // A side stops at the image's edge instead of pushing the opposite side away.
        frame = FollowFrameDrag(frame, handle_, handle_ == 0 ? pointer : ClampToImage(pointer, fitRect), grab_);
        if (handle_ != before) shown = HandlePointer(handle_);
    }
    frame = KeepFrameOnImage(frame, fitRect);
    return shown;
}

void FrameDrag::FollowFree(PointF pointer) {
    Frame() = FollowFrameDrag(Frame(), handle_, pointer, grab_);
}
