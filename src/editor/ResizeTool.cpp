#include "editor/ResizeTool.h"

#include "editor/CanvasPointer.h"
#include "editor/EditPanel.h"
#include "editor/Imageyzviewer.h"
#include "imaging/DrawTarget.h"
#include "imaging/ModGDI.h"
#include "imaging/TextRendering.h"
#include "platform/HitRect.h"
#include "platform/Rounding.h"

#include <string>

void ResizeTool::Press(float, float) {
    TouchResize();
}

void ResizeTool::Drag(int, float x, float y) {
    Pointer().currentPoint = PointF(x, y);
    if (Pointer().screenButtonEnabled) {
        Canvas().SetZoom(Panel().SliderValue);
    } else {
        Pan(x, y);
        Repaint();
    }
}

void ResizeTool::ReleaseOnPanel() {
    // The zoom the slider left, drawn sharp.
    Paint(false, true);
}

void ResizeTool::Hover(float x, float y) {
    HoverFramed(x, y, false);
    Pointer().overNavigator = HitRect(Canvas().NavigatorRect(), x, y);
}

bool ResizeTool::DrawOverlay(GpGraphics* g) {
    const Imageyzviewer& c = Canvas();
    const std::wstring text = L"Image Dimension: " + std::to_wstring(c.View().ShownWidth) + L" x " +
                              std::to_wstring(c.View().ShownHeight) + L" Pixels" + L"     Zoom to " +
                              NumberText(c.Zoom() * 100.0f) + L"%";
    DrawShadowText(DrawTarget::Surface(g), text, 10, 10, L"Tahoma", 8, ColorARGB(255, 255, 255, 255), 0, true, 400);
    GdipFlush(g, FlushIntentionSync);
    DrawEditPanel(true);
    return true;
}

void ResizeTool::AfterStep(int32_t) {
    SetZoomQuietly(1.0f);
}

void ResizeTool::Cancel() {
    // The picture is shown at its own size again.
    View().ShownWidth = RoundHalfEven(Canvas().ImgDIB.Width());
    View().ShownHeight = RoundHalfEven(Canvas().ImgDIB.Height());
}
