// The stamp tool (mode 38): the floating stamp moved and sized by its frame, painted on with the
// brushes, its own step history and quick effects, its overlay and its commit onto the picture;
// and the stamp-point mode (47), which only follows the pointer.
#pragma once

#include "editor/CanvasStamp.h"
#include "editor/CanvasTool.h"

#include <string>

class StampTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override { return effect == 38 || effect == 47; }
    void Press(float x, float y) override;
    void Drag(int shift, float x, float y) override;
    void Release() override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    [[nodiscard]] GdipBitmap RenderStep() override;
    void AfterStep(int32_t mode) override;
    void BeforeLayOut() override;
    void Cancel() override;

    [[nodiscard]] CanvasStamp& Stamp() { return stamp_; }
    [[nodiscard]] const CanvasStamp& Stamp() const { return stamp_; }
    void SetBrushSize(int32_t size) { brushSize_ = size; }

    // The canvas's members of the same names.
    bool CreateStampImg(const std::wstring& fileName, bool newStamp, bool resetPosition);
    bool StartStampTool(bool resetPosition);
    void StampToolSelect(int32_t kind);
    bool Stampeffect(int32_t id);
    void ResetStampsize();
    bool UndoStampRedo(bool undo);

private:
    // Frame 0 from StampRect when the stamp's own size is due.
    void SyncStampFrame();
    [[nodiscard]] RectF StampFrameOnScreen() const;
    void DabAt(float x, float y, bool first);
    // The picture with the stamp drawn into its frame at the slider's opacity.
    [[nodiscard]] GdipBitmap RenderCommit();

    CanvasStamp stamp_;
    int32_t brushSize_ = 30;
    int32_t dabs_ = 0;    // dabs of the stroke in progress
    PointF stampPoint_{}; // where the pointer holds the stamp
};
