// The canvas-size question the canvas asks before resizing: the batch dialog in its size mode.
// Its answer counts only when the dialog was closed with OK.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

struct CanvasSizeChoice {
    int32_t width = 0; // 0 when none was entered
    int32_t height = 0;
    COLORREF background = RGB(255, 255, 255); // the new area's colour
};

class CanvasSizeDialog {
public:
    virtual ~CanvasSizeDialog() = default;
    // Shows the dialog modally over owner, starting from the current size; empty unless OK.
    [[nodiscard]] virtual std::optional<CanvasSizeChoice> Ask(HWND owner, int32_t width, int32_t height) = 0;
};
