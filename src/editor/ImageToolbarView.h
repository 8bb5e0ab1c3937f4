// What the canvas uses of the image toolbar: the Undo and Redo buttons' states and the Fit
// button's latch. The toolbar implements it; tests record the calls.
#pragma once

class ImageToolbarView {
public:
    virtual ~ImageToolbarView() = default;
    // Stores whether button id (0 to 11) is enabled; shown at the next StartPaint.
    virtual void EnabledID(int id, bool enabled) = 0;
    // Repaints the toolbar with the stored states.
    virtual void StartPaint() = 0;
    // Stores whether button id (0 to 11) is latched down and repaints the buttons.
    virtual void PressDownID(int id, bool pressed) = 0;
};
