// What the canvas uses of the main window and of the side panel it hosts: starting the picked
// tool, the stamp tool, the layout, the free-selection hint and the canvas's own placement.
// The main window implements it; tests record the calls.
#pragma once

#include <windows.h>

#include <cstdint>

class CanvasMainWindow {
public:
    virtual ~CanvasMainWindow() = default;

    // The side panel's picked tool (0 to 11, 0 browse); the canvas sets 0 before FormOption.
    virtual void SetSelEffect(int32_t tool) = 0;
    // Starts the picked tool and shows its options (see the main window).
    virtual void FormOption(bool force, bool resetOnSameTool) = 0;
    // Starts the stamp tool with the working stamp file "Librarians\Stamptemp.tmp".
    virtual void UseStamp(bool flag, bool resetPosition) = 0;
    virtual void ArrangeMainWindow(bool flag) = 0;
    // Hides (or shows) the text-tool bar.
    virtual void SetTextBarVisible(bool visible) = 0;
    // Draws the hint bar of tool id on dc, width pixels wide.
    virtual void DrawToolHint(HDC dc, int32_t toolId, float width) = 0;

    // The canvas's own position and height in the main window, in pixels.
    struct Placement {
        int left = 0;
        int top = 0;
        int height = 0;
    };
    [[nodiscard]] virtual Placement CanvasPlacement() const = 0;
};
