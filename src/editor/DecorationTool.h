// The decorations: bubbles, fireflies, rain, snow and flowers (28 to 32) previewed over the fitted
// picture for as many milliseconds as the slider gives; cloud, moon, mist and lens flare (33 to
// 36); and the irradiation (37), a glow at the point the user picks.
#pragma once

#include "editor/CanvasTool.h"

class DecorationTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override { return effect >= 28 && effect <= 37; }
    void Drag(int shift, float x, float y) override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    [[nodiscard]] GdipBitmap RenderStep() override;

private:
    // The irradiation's glow at the light point.
    void DrawLightPreview(GpGraphics* g);

    // Where the irradiation's preview last showed the light (control pixels): only the preview
    // moves it, so Apply lights the picture where the screen showed the glow.
    PointF lightPoint_{};
    // The picture's pixel under it as that preview drew the picture, fitted or zoomed and panned:
    // what Apply lights, whatever the view has become since.
    PointF lightInImage_{};
};
