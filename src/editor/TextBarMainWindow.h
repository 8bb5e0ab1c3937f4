// What the text-tool bar reaches through the main window besides its font list: the canvas's
// text colour, which the bar's colour box sets itself. The main window implements it; tests
// record the calls.
#pragma once

#include <cstdint>

class TextBarMainWindow {
public:
    virtual ~TextBarMainWindow() = default;
    // Sets the canvas's TextColor to an RGB value (red in the low byte).
    virtual void SetCanvasTextColor(int32_t rgb) = 0;
};
