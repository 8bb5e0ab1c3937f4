// Where the pointer's gesture on the canvas stands and what lay under the pointer at the last move
// without a button: the state the canvas and every one of its tools share (control pixels).
#pragma once

#include "platform/Gdip.h"

struct CanvasPointer {
    PointF lastPoint{};    // at the previous mouse event
    PointF downPoint{};    // at the press
    PointF currentPoint{}; // the tool's point
    bool moved = false;    // the pointer moved while the button was held
    int downButton = 0;
    int dragShift = 0; // the keys held at the last held move

    // The hover's findings; they keep their values during a drag, so a drag that starts on the
    // slider stays a slider drag wherever the pointer goes.
    bool screenButtonEnabled = false; // over an edit-panel element
    int panelIndex = 0;               // which one
    bool overNavigator = false;       // over the navigator thumbnail

    // Over edit-panel element (an index of the panel's rectangles).
    [[nodiscard]] bool OnPanel(int element) const { return screenButtonEnabled && panelIndex == element; }
};
