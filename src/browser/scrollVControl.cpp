#include "browser/scrollVControl.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/MouseMessages.h"
#include "platform/Rounding.h"
#include "platform/HitRect.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

namespace {

// The grip as the control draws it: a 2 x 60 body with 6 x 6 corner ellipses, 14 across and 66
// down; it stops 70 above the bottom, so its lowest top leaves a little of the track below it.
constexpr float kBodyWidth = 2, kBodyHeight = 60, kCorner = 6;
constexpr int32_t kBottomGap = 70;
constexpr float kHitWidth = 15;

constexpr uint32_t kLightGrip = ColorARGB(255, 158, 180, 228);
constexpr uint32_t kDarkGrip = ColorARGB(255, 121, 160, 225);
constexpr uint32_t kDisabledGrip = ColorARGB(255, 210, 210, 210);

// A horizontal gradient over the whole width, as track and grip share it.
GdipLineGradient AcrossGradient(float width, uint32_t from, uint32_t to) {
    GdipLineGradient brush;
    const PointF start(0, 1), end(static_cast<float>(RoundHalfEven(width)), 1);
    GdipCreateLineBrush(&start, &end, from, to, WrapModeTileFlipY, brush.put());
    return brush;
}

} // namespace

bool scrollVControl::Create(const PictureBoxArgs& args) {
    if (!PictureBox::Create(args)) return false;
    PaintAt(0, false, 0, 0);
    return true;
}

float scrollVControl::GripX() const {
    const int32_t spare = RoundHalfEven(static_cast<double>(Width()) - kHitWidth);
    return static_cast<float>(std::floor(spare / 2.0));
}

int32_t scrollVControl::Travel() const {
    return std::max(Height() - kBottomGap, 0);
}

int32_t scrollVControl::ValueAt(int32_t top) const {
    // The whole travel maps onto the whole range, so the last rows can be scrolled into view.
    const int32_t travel = Travel();
    if (travel <= 0) return min_;
    return RoundHalfEven(min_ + static_cast<double>(range_) * top / travel);
}

int32_t scrollVControl::TopFor(int32_t value) const {
    const int32_t travel = Travel();
    if (travel <= 0 || range_ <= 0) return 0;
    const int32_t top = RoundHalfEven((static_cast<double>(value) - min_) * travel / range_);
    return std::clamp(top, 0, travel);
}

void scrollVControl::PaintAt(float top, bool pressed, float mouseX, float mouseY) {
    StartPaint(GripX(), top, kBodyWidth, kBodyHeight, kCorner, kCorner, pressed, mouseX, mouseY);
}

void scrollVControl::StartPaint(float x, float y, float w, float h, float rx, float ry, bool pressed, float mouseX,
                                float mouseY) {
    if (App().GdiplusToken == 0) return;
    const float width = static_cast<float>(Width()), height = static_cast<float>(Height());
    Cls();
    GdipGraphics graphics = CreateGraphics();
    GpGraphics* g = graphics.get();
    if (!g) return;

    GdipLineGradient track = AcrossGradient(width, ColorARGB(0, 255, 255, 255), ColorARGB(100, 255, 255, 255));
    if (track) GdipFillRectangle(g, track.get(), 0, 0, width, height);
    GdipPen pen = MakePen(ColorARGB(255, 255, 255, 255), 1);
    GdipSetSmoothingMode(g, SmoothingModeAntiAlias);

    if (y < 0) y = 0;
    if (y > height - kBottomGap) y = height - kBottomGap;
    gripRect_ = RectF(x, y, kHitWidth, h + 5);

    const uint32_t light = enabled_ ? kLightGrip : kDisabledGrip;
    const uint32_t dark = enabled_ ? kDarkGrip : kDisabledGrip;
    const bool inside = HitRect(gripRect_, mouseX, mouseY);
    GdipSolidFill solid;
    GdipLineGradient gradient;
    GpBrush* brush = nullptr;
    if (pressed && enabled_) {
        gradient = inside ? AcrossGradient(width, light, dark) : AcrossGradient(width, dark, light);
        brush = gradient.get();
    } else {
        dragging_ = false;
        solid = MakeSolidFill(dark);
        brush = solid.get();
    }

    auto whole = [](float v) { return RoundHalfEven(v); };
    GdipPath path;
    GdipCreatePath(FillModeAlternate, path.put());
    GpPath* p = path.get();
    const float right = x + 2 * rx + w;
    GdipAddPathArc(p, x, y, rx, ry, 180, 90);
    GdipAddPathLineI(p, whole(x + rx), whole(y), whole(x + w), whole(y));
    GdipAddPathArc(p, x + rx + w, y, rx, ry, 270, 90);
    GdipAddPathLineI(p, whole(right), whole(y + ry), whole(right), whole(y + h));
    GdipAddPathArc(p, x + rx + w, y + h, rx, ry, 0, 90);
    GdipAddPathLineI(p, whole(x + rx + w), whole(y + h + ry), whole(x + rx), whole(y + h + ry));
    GdipAddPathArc(p, x, y + h, rx, ry, 90, 90);
    GdipAddPathLineI(p, whole(x), whole(y + h), whole(x), whole(y) + RoundHalfEven(ry) / 2);
    GdipClosePathFigure(p);
    if (brush) GdipFillPath(g, brush, p);
    if (pen) GdipDrawPath(g, pen.get(), p);
    graphics.reset();
    Refresh();
}

void scrollVControl::UpdateRange() {
    // A range that does not fit 32 bits keeps the last one.
    const int64_t range = static_cast<int64_t>(max_) - min_;
    if (range >= INT32_MIN && range <= INT32_MAX) range_ = static_cast<int32_t>(range);
}

void scrollVControl::Max(int32_t value) {
    max_ = value;
    UpdateRange();
}

void scrollVControl::Min(int32_t value) {
    min_ = value;
    Value(value);
    UpdateRange();
}

void scrollVControl::Value(int32_t value) {
    if (value < min_) value = min_;
    if (value > max_) value = max_;
    value_ = value;
    if (!dragging_) {
        // The host scrolled its content: the grip follows, or the next drag would start from where
        // it was and throw the content back there.
        const int32_t top = TopFor(value_);
        PaintAt(static_cast<float>(top), false, 0, 0);
        grab_ = static_cast<float>(top);
    }
    if (value_ == lastValue_) return;
    lastValue_ = value_;
    if (onValueChanged) onValueChanged();
    if (value_ == max_ && onArrivedLast) onArrivedLast();
    if (value_ == min_ && onArrivedFirst) onArrivedFirst();
}

void scrollVControl::Enabled(bool enabled) {
    enabled_ = enabled;
}

void scrollVControl::ResetValue() {
    PaintAt(0, true, 0, 0);
    grab_ = 0;
    value_ = lastValue_ = min_;
}

void scrollVControl::OnPress(float x, float y) {
    // A second button pressed during a drag does not take the grip again.
    if (!enabled_ || dragging_ || !HitRect(gripRect_, x, y)) return;
    dragging_ = true;
    grab_ = y - grab_;
}

void scrollVControl::OnMove(float x, float y) {
    if (!dragging_) return;
    int32_t top = RoundHalfEven(y - grab_);
    top = std::clamp(top, 0, Travel());
    PaintAt(static_cast<float>(top), true, x, y);
    Value(ValueAt(top));
}

void scrollVControl::OnRelease(float x, float y) {
    if (!dragging_) return;
    PaintAt(y - grab_, false, x, y);
    grab_ = std::clamp(y - grab_, 0.0f, static_cast<float>(Travel()));
    dragging_ = false;
}

bool scrollVControl::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT*) {
    const float x = static_cast<float>(GET_X_LPARAM(lp)), y = static_cast<float>(GET_Y_LPARAM(lp));
    if (msg == WM_SIZE) {
        PaintAt(0, false, 0, 0);
        return false;
    }
    // The pointer as the picture box reads it (MouseMessages.h), handled before the box raises its own
    // events: the skinned bars all take it so.
    switch (PointerEventOf(msg)) {
    case PointerEvent::Press:
        OnPress(x, y);
        break;
    case PointerEvent::Move:
        OnMove(x, y);
        break;
    case PointerEvent::Release:
        OnRelease(x, y);
        break;
    default:
        break;
    }
    return false; // the picture box still holds the mouse and raises its own events
}
