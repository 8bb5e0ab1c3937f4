#include "editor/AdjustTool.h"

#include "editor/CanvasPointer.h"
#include "editor/CanvasPreviews.h"
#include "editor/EditPanel.h"
#include "editor/Imageyzviewer.h"

void AdjustTool::Drag(int, float x, float y) {
    // Only a drag that starts on the slider changes anything.
    if (!Pointer().OnPanel(kPanelSlider)) return;
    Pointer().currentPoint = PointF(x, y);
    DrawSliderStep();
}

void AdjustTool::Hover(float x, float y) {
    HoverSlider(x, y, MousePointer::Default);
}

bool AdjustTool::DrawOverlay(GpGraphics*) {
    DrawEditPanel(true);
    return true;
}

GdipBitmap AdjustTool::RenderStep() {
    StepInputs in = BaseStepInputs();
    in.rotateWidth = turned_.Width;
    in.rotateHeight = turned_.Height;
    return ::RenderStep(in);
}

void AdjustTool::AfterStep(int32_t) {
    SetFitModeQuietly(false);
}

void AdjustTool::DrawSliderStep() {
    Imageyzviewer& c = Canvas();
    GpImage* view = ViewImage();
    if (!view || !c.NoOpen()) {
        Repaint();
        return;
    }
    // The value the thumb is about to show, so that the picture and the thumb agree.
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    Panel().FollowSlider(c.Effect(), w, h, Pointer().currentPoint.X, c.Max(), c.Min());
    c.Cls();
    SliderPreviewInputs in;
    in.effect = c.Effect();
    in.sliderValue = Panel().SliderValue;
    in.fitRect = c.FitRect();
    in.outW = w;
    in.outH = h;
    in.view = view;
    in.opaque = OpaqueViewOf(view);
    in.pixels = BackBuffer{c.Bits(), c.Width(), c.Height()};
    in.dc = c.hDC();
    in.back = c.BackColor();
    if (const std::optional<SizeF> turned = DrawSliderPreview(in)) turned_ = *turned;
    DrawEditPanel(true);
}
