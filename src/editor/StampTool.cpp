#include "editor/StampTool.h"

#include "editor/CanvasPointer.h"
#include "editor/EditPanel.h"
#include "editor/FrameDrag.h"
#include "editor/FrameTool.h"
#include "editor/Imageyzviewer.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/MessageBoxService.h"

void StampTool::Press(float x, float y) {
    if (Canvas().Effect() != 38) return;
    stampPoint_ = PointF(x, y);
    dabs_ = 0;
    Frame().Release();
    if (Pointer().screenButtonEnabled) {
        // The slider is the opacity: taking it puts the brush down, so the stamp moves again.
        if (Pointer().panelIndex == kPanelSlider) {
            stamp_.StampBrushKind = kStampMove;
            App().ToolMenu.clear();
        }
    } else if (stamp_.StampBrushKind == kStampMove) {
        SyncStampFrame();
        Frame().GrabStamp(PointF(x, y));
    } else {
        SyncStampFrame();
        DabAt(x, y, true);
    }
    Repaint();
}

void StampTool::Drag(int, float x, float y) {
    CanvasPointer& p = Pointer();
    p.currentPoint = PointF(x, y);
    stampPoint_ = p.currentPoint;
    if (Canvas().Effect() == 38) {
        if (Frame().Dragging() && !p.OnPanel(kPanelSlider)) Frame().FollowFree(PointF(x, y));
        if (!p.screenButtonEnabled && stamp_.StampBrushKind != kStampMove) DabAt(x, y, false);
    }
    Repaint();
}

void StampTool::Release() {
    if (Canvas().Effect() != 38) return;
    // Each stroke is one stamp step, written as the button comes up.
    if (stamp_.StampBrushKind != kStampMove && dabs_ > 0) (void)stamp_.WriteStep();
    dabs_ = 0;
    Paint(true, true);
}

void StampTool::Hover(float x, float y) {
    if (Canvas().Effect() == 38)
        HoverFramed(x, y, stamp_.StampBrushKind == kStampMove);
    else
        HoverBrowse(x, y);
}

bool StampTool::DrawOverlay(GpGraphics* g) {
    if (Canvas().Effect() != 38) return false;
    SyncStampFrame();
    const RectF& f = Frame().Frame();
    stamp_.DrawOnScreen(g, f, Panel().SliderValue);
    if (!LeftHeld() && stamp_.StampBrushKind == kStampMove) {
        GdipPen pen = MakePen(ColorARGB(150, 255, 255, 255), 1);
        const REAL dashes[2] = {3, 3};
        GdipSetPenDashArray(pen.get(), dashes, 2);
        GdipDrawRectangle(g, pen.get(), f.X, f.Y, f.Width, f.Height);
    }
    GdipFlush(g, FlushIntentionSync);
    if (stamp_.StampBrushKind == kStampAirbrush) Canvas().ColorControl();
    DrawEditPanel(true);
    return true;
}

GdipBitmap StampTool::RenderStep() {
    return Canvas().Effect() == 38 ? RenderCommit() : GdipBitmap();
}

void StampTool::AfterStep(int32_t) {
    SetFitModeQuietly(false);
    Canvas().CleanCroprect(false);
}

void StampTool::BeforeLayOut() {
    CanvasTool::BeforeLayOut();
    // The stamp's frame is in control pixels of the old layout: the stamp takes its own size
    // again where it lay on the image.
    if (Canvas().Effect() == 38) ResetStampsize();
}

void StampTool::Cancel() {
    if (Canvas().Effect() == 38) stamp_.Release();
}

RectF StampTool::StampFrameOnScreen() const {
    // One rule both ways (FrameOnImage): the picture's origin as drawn and its scale to the
    // image's width.
    const GdiDIB& image = Canvas().ImgDIB;
    if (image.Width() <= 0) return {};
    const RectF fit = Canvas().FramingRect();
    const float s = fit.Width / image.Width();
    const RectF& r = stamp_.StampRect;
    return RectF(fit.X + r.X * s, fit.Y + r.Y * s, r.Width * s, r.Height * s);
}

void StampTool::SyncStampFrame() {
    if (!stamp_.DefaultStampsize) return;
    Frame().Lay(StampFrameOnScreen(), Canvas().FramingRect());
    stamp_.DefaultStampsize = false;
}

bool StampTool::CreateStampImg(const std::wstring& fileName, bool newStamp, bool resetPosition) {
    const bool loaded = stamp_.Load(fileName, newStamp);
    if (!newStamp || !loaded) return loaded;
    const float w = static_cast<float>(stamp_.Width()), h = static_cast<float>(stamp_.Height());
    if (resetPosition) {
        const RectF& fit = Canvas().FitRect();
        Pointer().downPoint = PointF(fit.X, fit.Y);
        Pointer().currentPoint = PointF(fit.X + w, fit.Y + h);
        stamp_.StampRect.X = 0;
        stamp_.StampRect.Y = 0;
    }
    stamp_.StampRect.Width = w;
    stamp_.StampRect.Height = h;
    stamp_.DefaultStampsize = true;
    App().ToolMenu = L"Stamp_Drag";
    return true;
}

bool StampTool::StartStampTool(bool resetPosition) {
    Imageyzviewer& c = Canvas();
    if (!c.NoOpen()) return false;
    if (!CreateStampImg(StampTempPath(), true, resetPosition)) {
        (void)ShowMessageBox(c.hWnd(), L"The stamp's picture could not be read.", L"Stamp", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    c.SetEffect(38);
    c.SetMax(100);
    c.SetMin(0);
    c.SetValue(0);
    stamp_.Options(kStampMove);
    c.SetFitMode(true);
    (void)c.Import(L"", true);
    return true;
}

void StampTool::StampToolSelect(int32_t kind) {
    stamp_.StampBrushKind = kind;
    Repaint();
}

bool StampTool::Stampeffect(int32_t id) {
    const RectF fit = Canvas().FramingRect();
    if (!stamp_.Exists() || fit.Width <= 0 || fit.Height <= 0) return false;
    SyncStampFrame();
    const float sx = Canvas().ImgDIB.Width() / fit.Width, sy = Canvas().ImgDIB.Height() / fit.Height;
    const RectF& frame = Frame().Frame();
    const bool made = stamp_.ApplyEffect(id, frame.Width, frame.Height, sx, sy);
    Repaint();
    return made;
}

void StampTool::ResetStampsize() {
    stamp_.StampBrushKind = kStampMove;
    App().ToolMenu.clear();
    // The stamp stays where it is and takes its own pixel size again. Until the next paint has
    // framed it, its place is StampRect's, not frame 0's.
    if (!stamp_.DefaultStampsize) {
        const RectF at = FrameOnImage();
        stamp_.StampRect.X = at.X;
        stamp_.StampRect.Y = at.Y;
    }
    stamp_.StampRect.Width = static_cast<float>(stamp_.Width());
    stamp_.StampRect.Height = static_cast<float>(stamp_.Height());
    stamp_.DefaultStampsize = true;
}

bool StampTool::UndoStampRedo(bool undo) {
    Hourglass wait;
    if (!stamp_.UndoRedo(undo)) return false;
    Repaint();
    return true;
}

void StampTool::DabAt(float x, float y, bool first) {
    StampDab dab;
    dab.frame = Frame().Frame();
    dab.pointer = PointF(x, y);
    dab.brushSize = brushSize_;
    dab.firstDab = first;
    dab.textColor = Canvas().TextColor();
    if (stamp_.Dab(dab)) ++dabs_;
}

GdipBitmap StampTool::RenderCommit() {
    if (!stamp_.Exists()) return {};
    SyncStampFrame();
    const RectF F = FrameOnImage();
    if (F.Width <= 0 || F.Height <= 0) return {};
    GdipBitmap step = FullCopy(Canvas().ImgDIB.DIB());
    GdipGraphics g;
    if (!step || GdipGetImageGraphicsContext(step.get(), g.put()) != Ok) return {};
    stamp_.Draw(g.get(), F, Panel().SliderValue);
    return step;
}
