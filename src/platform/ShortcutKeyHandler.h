// The program-wide keyboard-shortcut handler as the controls see it: every control passes its
// key presses to it unchanged. The main window implements it; tests record what arrives.
#pragma once

class ShortcutKeyHandler {
public:
    virtual ~ShortcutKeyHandler() = default;
    // keyCode: the virtual-key code; shift: the runtime's shift code (1 shift, 2 ctrl, 4 alt).
    virtual void HandleShortcutKey(int keyCode, int shift) = 0;
};

// The handler of a composite control's children: their keys take the control's own way on, to
// the handler its host connects (read when a key comes, so the host may connect it after the
// children are made) and only while the control passes keys on at all. So a host connects one
// handler per control, however deep the control's children lie.
class ChildKeys final : public ShortcutKeyHandler {
public:
    ChildKeys(ShortcutKeyHandler* const& route, const bool& forward) : route_(route), forward_(forward) {}
    ChildKeys(const ChildKeys&) = delete;
    ChildKeys& operator=(const ChildKeys&) = delete;
    void HandleShortcutKey(int keyCode, int shift) override {
        if (forward_ && route_) route_->HandleShortcutKey(keyCode, shift);
    }

private:
    ShortcutKeyHandler* const& route_;
    const bool& forward_;
};
