// What the taskbar companion window uses of the main window: showing and hiding it, the canvas's
// editor mode (typing in the text tool is not a shortcut) and the close path with its save
// question. The main window implements it; tests fake it.
#pragma once

#include <cstdint>

class CompanionMainWindow {
public:
    virtual ~CompanionMainWindow() = default;

    // Shows or hides the main window; hiding keeps its place and size.
    virtual void SetVisible(bool visible) = 0;
    // The canvas's editor mode `Effect` (4: the text tool).
    [[nodiscard]] virtual int32_t CanvasEffect() const = 0;
    // The canvas holds an edit that is not saved (`AppliedEffect` set, `SaveState` clear).
    [[nodiscard]] virtual bool UnsavedEdit() const = 0;
    // The save question: 6 Yes, 7 No, 2 Cancel.
    virtual int AskSaveChanges() = 0;
    // The main window's own shut-down, without a question; it closes the companion too.
    virtual void Unload() = 0;
};

// The close of the title bar's close button, and of the companion's: asks to save an unsaved edit
// and unloads the main window unless the answer is Cancel. True when it unloaded.
bool CloseAskingToSave(CompanionMainWindow& main);
