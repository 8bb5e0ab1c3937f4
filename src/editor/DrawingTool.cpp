#include "editor/DrawingTool.h"

#include "editor/CanvasMainWindow.h"
#include "editor/CanvasPointer.h"
#include "editor/EditPanel.h"
#include "editor/FrameDrag.h"
#include "editor/Imageyzviewer.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/HitRect.h"

#include <cmath>

void DrawingTool::Press(float x, float y) {
    const int32_t e = Canvas().Effect();
    if (OutlineKind(e) != 0) {
        if (!Pointer().screenButtonEnabled && !Frame().OverHandle) shapeStart_ = PointF(x, y);
        return;
    }
    canvasPressed_ = true;
    if (e != 4) return;
    if (!textAnchorSet_) {
        textAnchor_ = PointF(x, y);
        textAnchorSet_ = true;
    }
    Repaint();
}

void DrawingTool::Drag(int shift, float x, float y) {
    CanvasPointer& p = Pointer();
    if (OutlineKind(Canvas().Effect()) != 0) {
        p.currentPoint = PointF(x, y);
        if (!p.screenButtonEnabled && !Frame().OverHandle) {
            // With Shift the line is level or upright, whichever way it leans less.
            const float dx = x - shapeStart_.X, dy = y - shapeStart_.Y;
            if (Canvas().Effect() == 25 && shift == ShiftKey::Shift)
                shapeEnd_ = std::fabs(dy) <= std::fabs(dx) ? PointF(x, shapeStart_.Y) : PointF(shapeStart_.X, y);
            else
                shapeEnd_ = PointF(x, y);
        }
    } else if (overText_ && canvasPressed_) {
        // The text follows the pointer's step, so it keeps where it was taken hold of.
        textAnchor_ = PointF(textAnchor_.X - (p.lastPoint.X - x), textAnchor_.Y - (p.lastPoint.Y - y));
    } else if (p.OnPanel(kPanelSlider)) {
        p.currentPoint = PointF(x, y);
    } else {
        Pan(x, y);
    }
    Repaint();
}

void DrawingTool::Hover(float x, float y) {
    if (OutlineKind(Canvas().Effect()) != 0) {
        HoverFramed(x, y, false);
        return;
    }
    HoverBrowse(x, y);
    overText_ = HitRect(textBounds_, x, y);
    (void)HoverPanel(x, y, kPanelOption, false);
}

bool DrawingTool::DrawOverlay(GpGraphics*) {
    const int32_t e = Canvas().Effect();
    if (const int32_t kind = OutlineKind(e)) {
        LineDrawing(kind, false, nullptr);
        Canvas().ColorControl();
        DrawEditPanel(false);
        return false;
    }
    if (e == 4)
        TextPainting(false);
    else
        CalenderPaint();
    DrawEditPanel(true);
    return true;
}

GdipBitmap DrawingTool::RenderStep() {
    return RenderDrawingStep(DrawingInputs());
}

void DrawingTool::AfterStep(int32_t mode) {
    SetFitModeQuietly(false);
    if (OutlineKind(mode) != 0) {
        Canvas().CleanCroprect(false);
        return;
    }
    // The text or calendar is in the picture: the text bar goes.
    canvasPressed_ = false;
    if (CanvasMainWindow* main = MainWindow()) {
        main->SetTextBarVisible(false);
        main->ArrangeMainWindow(false);
    }
}

void DrawingTool::BeforeLayOut() {
    CanvasTool::BeforeLayOut();
    // The rubber band is in control pixels of the old layout.
    if (OutlineKind(Canvas().Effect()) != 0) Canvas().CleanCroprect(false);
}

ClsCalendar& DrawingTool::Calendar() {
    if (!calendar_) calendar_ = std::make_unique<ClsCalendar>();
    return *calendar_;
}

ShownView DrawingTool::Shown() const {
    const Imageyzviewer& c = Canvas();
    return ShownView{c.ImgDIB.Width(), c.ImgDIB.Height(), c.FitMode(), c.FitRect(), c.View()};
}

TextLook DrawingTool::CurrentTextLook() const {
    const Imageyzviewer& c = Canvas();
    return TextLook{c.TextBackground().Text(),
                    c.FontA(),
                    c.FontSizeA(),
                    c.FontStyleA(),
                    c.FontRenderA(),
                    c.TextArgb(),
                    static_cast<float>(c.Max()) - c.SliderValue()};
}

OutlinePen DrawingTool::Pen() const {
    const Imageyzviewer& c = Canvas();
    return OutlinePen{c.TextColor(), c.Max(), c.SliderValue(), lineWidth_, Pointer().dragShift};
}

DrawingStepInputs DrawingTool::DrawingInputs() {
    DrawingStepInputs in;
    in.effect = Canvas().Effect();
    in.image = Canvas().ImgDIB.DIB();
    in.shown = Shown();
    in.anchor = textAnchor_;
    in.shapeStart = shapeStart_;
    in.shapeEnd = shapeEnd_;
    in.text = CurrentTextLook();
    in.pen = Pen();
    if (in.effect == 10) in.calendar = &Calendar();
    return in;
}

void DrawingTool::LineDrawing(int32_t kind, bool toImage, GpGraphics* target) {
    const OutlinePen pen = Pen();
    const ShownView shown = Shown();
    if (toImage) {
        if (target)
            (void)DrawOutline(DrawTarget::Surface(target), ShownToImage(shown, shapeStart_),
                              ShownToImage(shown, shapeEnd_), kind, pen);
        return;
    }
    const RectF on = ShownImageRect(shown);
    shapeEnd_ = ClampOntoShown(shapeEnd_, on);
    shapeStart_ = ClampOntoShown(shapeStart_, on);
    (void)DrawOutline(DrawTarget::Dc(Canvas().hDC()), shapeStart_, shapeEnd_, kind, pen);
}

void DrawingTool::TextPainting(bool apply) {
    if (apply) {
        (void)Canvas().SaveUndo();
        return;
    }
    if (const std::optional<RectF> box = DrawTextLook(DrawTarget::Dc(Canvas().hDC()), CurrentTextLook(), textAnchor_))
        textBounds_ = *box;
}

void DrawingTool::CalenderPaint() {
    ClsCalendar& calendar = Calendar();
    SetUpCalendar(calendar, CurrentTextLook(), Canvas().SliderValue());
    DrawToolCalendar(calendar, DrawTarget::Dc(Canvas().hDC()), textAnchor_);
    // The pointer grabs and drags the calendar by its box as it does the text.
    textBounds_ = RectF(textAnchor_.X, textAnchor_.Y, calendar.Width(), calendar.Height());
}

void DrawingTool::CreatePattenImg(const std::wstring& fileName) {
    patternImage_ = GdipImage(LoadImageFromFileCopy(fileName));
}

bool DrawingTool::Rasterize() {
    // The calendar as its preview last drew it; one never drawn has nothing to give.
    Imageyzviewer& c = Canvas();
    if (!c.NoOpen() || (c.Effect() == 10 && !calendar_)) return false;
    DrawingStepInputs in = DrawingInputs();
    in.frame = Frame().Frame();
    in.pickPoint = c.PickPoint();
    in.secondColour = c.PickedColor();
    in.fillMode = App().VectorMenu;
    const DrawingStamp stamp = RenderDrawingStamp(in);
    // Nothing pending, or the stamp file could not be written: no stamp is started.
    if (!stamp.bitmap || !SaveImageSafely(stamp.bitmap.get(), StampTempPath(), kFormatPng, 90)) return false;
    lastStampPlace_ = stamp.place;
    c.SetStampRect(stamp.place); // the stamp starts where the drawing was
    if (MainWindow()) MainWindow()->UseStamp(false, false);
    return true;
}
