#include "editor/FrameDrag.h"

#include "editor/FrameTool.h"

void FrameDrag::Clear() {
    for (size_t i = 0; i <= 8; ++i) Rects[i] = RectF();
}

void FrameDrag::Lay(const RectF& frame, const RectF& picture) {
    Frame() = frame;
    picture_ = picture;
}

void FrameDrag::FollowPicture(const RectF& picture) {
    Frame() = FrameOnMovedPicture(Frame(), picture_, picture);
    picture_ = picture;
}

bool FrameDrag::HoverAt(float x, float y) {
    const int element = FrameElementAt(Frame(), x, y);
    if (element < 0) return false;
    HandleIndex = element;
    OverHandle = true;
    return true;
}

void FrameDrag::Grab(PointF pointer, bool drags) {
    grabOffset_ = PointF(pointer.X - Frame().X, pointer.Y - Frame().Y);
    dragging_ = drags;
    newFrame_ = !OverHandle;
    handle_ = OverHandle ? HandleIndex : 0;
}

void FrameDrag::GrabStamp(PointF pointer) {
    grabOffset_ = PointF(pointer.X - Frame().X, pointer.Y - Frame().Y);
    dragging_ = OverHandle;
    newFrame_ = false;
    handle_ = OverHandle ? HandleIndex : 0;
}

int FrameDrag::FollowOnImage(PointF pointer, PointF down, const RectF& fitRect) {
    RectF& frame = Frame();
    int flipped = -1;
    if (newFrame_) {
        frame = SpannedFrame(ClampToImage(down, fitRect), ClampToImage(pointer, fitRect));
    } else {
        const int before = handle_;
        // A side stops at the image's edge instead of pushing the opposite side away.
        frame = FollowFrameDrag(frame, handle_, handle_ == 0 ? pointer : ClampToImage(pointer, fitRect), grabOffset_);
        if (handle_ != before) flipped = handle_;
    }
    Lay(KeepFrameOnImage(frame, fitRect), fitRect);
    return flipped;
}

void FrameDrag::FollowFree(PointF pointer) {
    Frame() = FollowFrameDrag(Frame(), handle_, pointer, grabOffset_);
}
