#include "editor/BrowseTool.h"

#include "editor/Imageyzviewer.h"
#include "editor/OutsideEffect.h"

void BrowseTool::Release() {
    // A pan ends in a sharp picture.
    if (Canvas().Effect() == 0) Paint(false, true);
}

GdipBitmap BrowseTool::RenderStep() {
    const Imageyzviewer& c = Canvas();
    if (IsOutsideEffect(c.Effect()))
        return RunOutsideEffect(c.Effect(), c.ImgDIB.DIB(), c.ImgDIB.Width(), c.ImgDIB.Height());
    return CanvasTool::RenderStep();
}

void BrowseTool::AfterStep(int32_t mode) {
    // The grey picture and the turned one are shown unfitted; a flip and the effects keep the fit.
    if (mode == 8 || mode == 39 || mode == 40) SetFitModeQuietly(false);
}
