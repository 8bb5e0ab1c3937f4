// The adjustments with a slider preview: straighten (2), rotate by an angle (3), gamma (7) and
// contrast (11). A drag of the panel's slider shows the fitted picture turned or adjusted at the
// new value; Apply makes the same at full size.
#pragma once

#include "editor/CanvasTool.h"

class AdjustTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override {
        return effect == 2 || effect == 3 || effect == 7 || effect == 11;
    }
    void Drag(int shift, float x, float y) override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    [[nodiscard]] GdipBitmap RenderStep() override;
    void AfterStep(int32_t mode) override;

private:
    // A held move on the slider: the view buffer turned or adjusted at the new value, then the
    // panel, without a full repaint.
    void DrawSliderStep();

    // The size of the picture the rotate preview last turned: the rotate step's output is this
    // size in image pixels.
    SizeF turned_{};
};
