// The selection tools: the rectangle (17) and ellipse (42) selections drawn as a frame, the free
// selection's lasso (41), and the deletion of the selected pixels (53); the cut of a selection into
// the working stamp file that the floating stamp starts from, and the clipboard.
#pragma once

#include "editor/CanvasTool.h"
#include "editor/ClsSelect.h"

#include <memory>

class SelectionTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override;
    void Press(float x, float y) override;
    void Drag(int shift, float x, float y) override;
    void Release() override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    [[nodiscard]] GdipBitmap RenderStep() override;
    void AfterStep(int32_t mode) override;
    void BeforeLayOut() override;
    bool Apply() override;

    // The selection object, made on first use.
    [[nodiscard]] ClsSelect& Selection();
    // A press of another button than the left ends the lasso: it no longer follows the pointer.
    void EndLasso() { lassoEnded_ = true; }
    // The lasso starts again with no points.
    void ResetLasso();
    // Lets go of the last cut.
    void ReleaseCut();

    // The canvas's members of the same names.
    bool DrawtoClipboard();
    bool CreateStampfromClipboard();
    bool EditingStampLib();
    bool CallDrawDeleteSelect();

private:
    void AddLassoPoint(float x, float y);
    void DrawLassoOutline();
    // The selection of the current mode (imageRect in image pixels for the rectangle and the
    // ellipse) cut out of the shown image into the working stamp file.
    [[nodiscard]] CutResult CutSelection(const RectF& imageRect);
    // The selection becomes the floating stamp; false when nothing is selected.
    bool CommitSelection();
    // The shown image less the selected pixels (the outside of an inverted selection).
    [[nodiscard]] GdipBitmap DeleteSelection();

    std::unique_ptr<ClsSelect> select_;
    bool lassoClosing_ = false;  // the lasso is being committed
    bool lassoEnded_ = false;    // another button ended the lasso
    int32_t previousEffect_ = 0; // the selection mode a deletion cuts by
};
