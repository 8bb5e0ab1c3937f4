// The frame tools: crop (1), card (5), colorize (6), red eye (9), the frame without a setter (18)
// and the filled ellipse and rectangle (19, 20). Frame 0 is spanned, moved and sized with the
// pointer, the overlay shows what the commit will make, and the commit bakes it into the picture.
#pragma once

#include "editor/CanvasTool.h"
#include "editor/FrameTool.h"

class FrameEditTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override {
        return effect == 1 || effect == 5 || effect == 6 || effect == 9 || effect == 18 || effect == 19 || effect == 20;
    }
    void Press(float x, float y) override;
    void Drag(int shift, float x, float y) override;
    void Release() override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    void CommitFrameEdit() override;
    [[nodiscard]] GdipBitmap RenderStep() override;
    void AfterStep(int32_t mode) override;
    void BeforeLayOut() override;

    // The fills' gradient point (control pixels).
    [[nodiscard]] PointF PickPoint() const { return pickPoint_; }

private:
    // The red-eye tool works on at most 100 x 100 control pixels of frame 0, however it was set.
    void HoldRedEyeFrame();
    [[nodiscard]] FrameCommitInputs FrameInputs() const;

    PointF pickPoint_{};
    // Where the picture lay on the control as the apply step began (control pixels).
    RectF stepFraming_{};
};
