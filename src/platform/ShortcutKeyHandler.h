// The program-wide keyboard-shortcut handler as the controls see it: every control passes its
// key presses to it unchanged. The main window implements it; tests record what arrives.
#pragma once

class ShortcutKeyHandler {
public:
    virtual ~ShortcutKeyHandler() = default;
    // keyCode: the virtual-key code; shift: the runtime's shift code (1 shift, 2 ctrl, 4 alt).
    virtual void HandleShortcutKey(int keyCode, int shift) = 0;
};
