// The resize tool (21): the panel's slider zooms the picture, a drag elsewhere pans it, and Apply
// makes the picture the size it is shown at.
#pragma once

#include "editor/CanvasTool.h"

class ResizeTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override { return effect == 21; }
    void Press(float x, float y) override;
    void Drag(int shift, float x, float y) override;
    void ReleaseOnPanel() override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    void AfterStep(int32_t mode) override;
    void Cancel() override;
};
