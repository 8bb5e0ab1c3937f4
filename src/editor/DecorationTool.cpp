#include "editor/DecorationTool.h"

#include "editor/CanvasPointer.h"
#include "editor/CanvasPreviews.h"
#include "editor/EditPanel.h"
#include "editor/Imageyzviewer.h"
#include "imaging/DrawTarget.h"
#include "imaging/SceneEffects.h"
#include "platform/Rounding.h"

namespace {

constexpr int32_t kIrradiation = 37;

} // namespace

void DecorationTool::Drag(int, float x, float y) {
    // The light follows the drag through the preview, which shows it where it goes.
    Pointer().currentPoint = PointF(x, y);
    Repaint();
}

void DecorationTool::Hover(float x, float y) {
    HoverSlider(x, y, Canvas().Effect() == kIrradiation ? MousePointer::Cross : MousePointer::Default);
}

bool DecorationTool::DrawOverlay(GpGraphics* g) {
    Imageyzviewer& c = Canvas();
    const int32_t e = c.Effect();
    if (e == kIrradiation) {
        DrawLightPreview(g);
        c.ColorControl();
        DrawEditPanel(false);
        return false;
    }
    if (const std::optional<ParticleLook> look = ParticlePreviewLook(e)) {
        GdipFlush(g, FlushIntentionSync);
        ::GdiFlush();
        // As many particles as the slider's milliseconds give: the same measure as the apply.
        const RectF& f = c.FitRect();
        RunParticleEffect(DrawTarget::Dc(c.hDC()), RoundHalfEven(Panel().SliderValue), look->maxSize, 10, e,
                          look->maxAlpha, f.X, f.Y, f.Width, f.Height);
    }
    DrawEditPanel(true);
    return true;
}

GdipBitmap DecorationTool::RenderStep() {
    StepInputs in = BaseStepInputs();
    in.lightPoint = lightInImage_;
    return ::RenderStep(in);
}

void DecorationTool::DrawLightPreview(GpGraphics* g) {
    Imageyzviewer& c = Canvas();
    const std::optional<int32_t> alpha = TryRoundHalfEven(static_cast<double>(c.Max()) - Panel().SliderValue);
    if (!alpha) return;
    // The light stays where it was while the panel is used: the slider sets its strength, and a
    // press on Apply that moves a little must not carry the light onto the button.
    if (!Pointer().screenButtonEnabled) lightPoint_ = Pointer().currentPoint;
    const RectF shown = ShownPictureRect(c.FitMode(), c.FitRect(), c.View());
    if (shown.Width > 0 && shown.Height > 0)
        lightInImage_ = PointF((lightPoint_.X - shown.X) * c.ImgDIB.Width() / shown.Width,
                               (lightPoint_.Y - shown.Y) * c.ImgDIB.Height() / shown.Height);
    GdipFlush(g, FlushIntentionSync);
    ::GdiFlush();
    DrawIrradiationPreview(c.hDC(), BackBuffer{c.Bits(), c.Width(), c.Height()}, shown, lightPoint_, c.TextColor(),
                           *alpha);
}
