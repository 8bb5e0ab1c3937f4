// Browsing (0) and the whole-image edits applied at once from the menu: grey (8), the outside
// effects (12 to 16), the flips (23, 24) and the quarter turns (39, 40), with every mode that has
// no tool of its own. A drag pans the picture, and the pointer over the navigator shows where.
#pragma once

#include "editor/CanvasTool.h"

class BrowseTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    // Any mode: the canvas asks the other tools first.
    [[nodiscard]] bool Handles(int32_t) const override { return true; }
    void Release() override;
    [[nodiscard]] GdipBitmap RenderStep() override;
    void AfterStep(int32_t mode) override;
};
