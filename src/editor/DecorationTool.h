// The decorations: bubbles, fireflies, rain, snow and flowers (28 to 32) previewed over the fitted
// picture for as many milliseconds as the slider gives; cloud, moon, mist and lens flare (33 to
// 36); and the irradiation (37), a glow at the point the user picks.
#pragma once

#include "editor/CanvasTool.h"

class DecorationTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override { return effect >= 28 && effect <= 37; }
    void Press(float x, float y) override;
    void Drag(int shift, float x, float y) override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    [[nodiscard]] GdipBitmap RenderStep() override;

private:
    // The irradiation's glow at the light point.
    void DrawLightPreview(GpGraphics* g);

    PointF lightPoint_{}; // where the irradiation's preview last put the light (control pixels)
};
