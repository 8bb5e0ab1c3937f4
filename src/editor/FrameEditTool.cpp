#include "editor/FrameEditTool.h"

#include "editor/CanvasPointer.h"
#include "editor/EditPanel.h"
#include "editor/FrameDrag.h"
#include "editor/Imageyzviewer.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

void FrameEditTool::Press(float x, float y) {
    const int32_t e = Canvas().Effect();
    const CanvasPointer& p = Pointer();
    Frame().Grab(PointF(x, y), HasDraggedFrame(e) && !p.screenButtonEnabled);
    if (e == 19 || e == 20) {
        if (!p.screenButtonEnabled) {
            pickPoint_ = PointF(x, y);
            Repaint();
        } else if (p.panelIndex == kPanelPicker) {
            Canvas().ColorControl();
            Repaint();
        }
    } else if (e == 6) {
        Repaint();
    }
}

void FrameEditTool::Drag(int, float x, float y) {
    const int32_t e = Canvas().Effect();
    CanvasPointer& p = Pointer();
    p.currentPoint = PointF(x, y);
    if ((e == 19 || e == 20) && !p.screenButtonEnabled) pickPoint_ = p.currentPoint;
    if (Frame().Dragging() && !p.OnPanel(kPanelSlider)) FollowFrame(x, y);
    Repaint();
}

void FrameEditTool::Release() {
    if (Canvas().Effect() != 19) return;
    pickPoint_ = Pointer().currentPoint;
    Paint(true, false);
}

void FrameEditTool::Hover(float x, float y) {
    HoverFramed(x, y, HasDraggedFrame(Canvas().Effect()));
}

bool FrameEditTool::DrawOverlay(GpGraphics* g) {
    const int32_t e = Canvas().Effect();
    if (e == 6) Frame().Frame() = RectF(); // colorize works on the whole image
    HoldRedEyeFrame();
    DrawEditOverlay(g);
    if (e == 5 || e == 6 || e == 19 || e == 20) Canvas().ColorControl();
    DrawEditPanel(true);
    return true;
}

void FrameEditTool::CommitFrameEdit() {
    // Card and colorize, over the picture the buffer holds; a card that tints nothing (inverted,
    // without a frame) leaves no step.
    const int32_t e = Canvas().Effect();
    if ((e == 5 || e == 6) && !DrawFillCommit(StepBuffer().Surface(), FrameInputs())) StepBuffer().Reset();
}

GdipBitmap FrameEditTool::RenderStep() {
    Imageyzviewer& c = Canvas();
    const int32_t e = c.Effect();
    if (!IsFrameCommit(e)) return {};
    // A frame set without a drag (Select All) is held too, even when no paint has shown it.
    HoldRedEyeFrame();
    // Frame 0 maps through the picture as the screen drew it, not as the render below unfits it.
    stepFraming_ = c.FramingRect();
    if (e != 5 && e != 6) return RenderFrameCommit(FrameInputs());
    // Card and colorize draw over the picture that the paint renders into the undo buffer,
    // unfitted: the picture at its own size.
    if (!StepBuffer().Create(RoundHalfEven(c.ImgDIB.Width()), RoundHalfEven(c.ImgDIB.Height()))) return {};
    const bool fitted = c.FitMode();
    SetFitModeQuietly(false);
    c.Painting(false, false, false, true);
    SetFitModeQuietly(fitted);
    return StepBuffer().Take();
}

void FrameEditTool::AfterStep(int32_t mode) {
    // The picture is shown unfitted after the step, and the frame, in control pixels of the
    // picture before it, goes: Copy would take what lay under it, and the tool picked again
    // would show it and apply it once more.
    SetFitModeQuietly(false);
    if (mode != 6) Canvas().CleanCroprect(false);
}

void FrameEditTool::BeforeLayOut() {
    CanvasTool::BeforeLayOut();
    // The frame is in control pixels of the old layout.
    const int32_t e = Canvas().Effect();
    if (e == 1 || e == 5 || e == 9) Canvas().CleanCroprect(false);
}

void FrameEditTool::HoldRedEyeFrame() {
    if (Canvas().Effect() == 9) Frame().Frame() = LimitRedEyeFrame(Frame().Frame());
}

FrameCommitInputs FrameEditTool::FrameInputs() const {
    const Imageyzviewer& c = Canvas();
    FrameCommitInputs in;
    in.effect = c.Effect();
    in.image = c.ImgDIB.DIB();
    in.width = c.ImgDIB.Width();
    in.height = c.ImgDIB.Height();
    in.fitRect = stepFraming_;
    in.frame = Frame().Frame();
    in.pickPoint = pickPoint_;
    in.sliderValue = Panel().SliderValue;
    in.textColor = c.TextColor();
    in.pickedColor = c.PickedColor();
    in.combineMode = App().SelectCombineMode;
    in.fillMode = App().VectorMenu;
    return in;
}
