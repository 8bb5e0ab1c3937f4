// The skinned vertical scroll bar: a translucent track and one rounded grip dragged with the
// mouse; the value follows the grip. No arrows, no page steps. The grid, the side panel and the
// stamp-library browser each hold one and move their content in onValueChanged.
#pragma once

#include "platform/PictureBox.h"

#include <cstdint>
#include <functional>

class scrollVControl : public PictureBox {
public:
    // Makes the window and draws the grip at the top.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // Paints the track and the grip outline of the path (x, y, w, h) with corner ellipses rx by ry;
    // pressed with the point (mouseX, mouseY) chooses the grip's gradient. The control's own calls
    // pass w 2, h 60, rx 6, ry 6. Nothing is painted while GDI+ is not running.
    void StartPaint(float x, float y, float w, float h, float rx, float ry, bool pressed, float mouseX, float mouseY);

    [[nodiscard]] int32_t Max() const { return max_; }
    // Stored even when not above Min (the range then follows); nothing is repainted or raised.
    void Max(int32_t value);
    [[nodiscard]] int32_t Min() const { return min_; }
    // Stored even when not below Max; Value then becomes it, with its events.
    void Min(int32_t value);
    [[nodiscard]] int32_t Value() const { return value_; }
    // Clamped to Min..Max; a change raises onValueChanged, then onArrivedLast at Max, then
    // onArrivedFirst at Min. Set by the host (not by a drag), it also moves the grip to where the
    // value stands, and the next drag starts from there.
    void Value(int32_t value);
    [[nodiscard]] bool Enabled() const { return enabled_; }
    // A disabled bar draws a grey grip and ignores presses.
    void Enabled(bool enabled);

    // Back to the start after the host's content changed: the grip at the top and Value at Min,
    // without an event, so the next drag reports its change whatever it was before.
    void ResetValue();

    // The grip's hit rectangle as last painted.
    [[nodiscard]] RectF GripRect() const { return gripRect_; }
    [[nodiscard]] bool Dragging() const { return dragging_; }

    std::function<void()> onArrivedFirst;
    std::function<void()> onArrivedLast;
    std::function<void()> onValueChanged;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void OnPress(float x, float y);
    void OnMove(float x, float y);
    void OnRelease(float x, float y);
    // The grip's x: centred in the width.
    [[nodiscard]] float GripX() const;
    // The lowest top the grip can have.
    [[nodiscard]] int32_t Travel() const;
    [[nodiscard]] int32_t ValueAt(int32_t top) const;
    // The grip's top that stands for a value: the inverse of ValueAt.
    [[nodiscard]] int32_t TopFor(int32_t value) const;
    void PaintAt(float top, bool pressed, float mouseX, float mouseY);
    void UpdateRange();

    int32_t max_ = 10;
    int32_t min_ = 0;
    int32_t range_ = 10;
    int32_t value_ = 0;
    int32_t lastValue_ = 0;
    RectF gripRect_{};
    float grab_ = 0; // the grip's top between drags; the pointer's distance below it during one
    bool enabled_ = true;
    bool dragging_ = false;
};
