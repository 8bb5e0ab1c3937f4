// The canvas's text, calendar and outline tools: their preview, the text anchor the pointer sets
// and drags, and what the apply step takes from them.
#include "editor/Imageyzviewer.h"

#include "imaging/ClipboardStamp.h"
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"

ClsCalendar& Imageyzviewer::Calendar() {
    if (!calendar_) calendar_ = std::make_unique<ClsCalendar>();
    return *calendar_;
}

ShownView Imageyzviewer::Shown() const {
    return ShownView{ImgDIB.Width(), ImgDIB.Height(), fitMode_, fitRect_, view_};
}

TextLook Imageyzviewer::CurrentTextLook() const {
    return TextLook{textBox_.Text(),
                    fontA_,
                    fontSizeA_,
                    fontStyleA_,
                    fontRenderA_,
                    textColor_,
                    static_cast<float>(max_) - panel_.SliderValue};
}

DrawingStepInputs Imageyzviewer::DrawingInputs() {
    DrawingStepInputs in;
    in.effect = effect_;
    in.image = ImgDIB.DIB();
    in.shown = Shown();
    in.anchor = textAnchor_;
    in.shapeStart = shapeStart_;
    in.shapeEnd = shapeEnd_;
    in.text = CurrentTextLook();
    in.pen = OutlinePen{textColor_, max_, panel_.SliderValue, lineWidth_, pointer_.dragShift};
    if (effect_ == 10) in.calendar = &Calendar();
    return in;
}

void Imageyzviewer::LineDrawing(int32_t kind, bool toImage, GpGraphics* target) {
    const OutlinePen pen{textColor_, max_, panel_.SliderValue, lineWidth_, pointer_.dragShift};
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
    (void)DrawOutline(DrawTarget::Dc(hDC()), shapeStart_, shapeEnd_, kind, pen);
}

void Imageyzviewer::TextPainting(bool apply) {
    if (apply) {
        (void)SaveUndo();
        return;
    }
    DrawTextLook(DrawTarget::Dc(hDC()), CurrentTextLook(), textAnchor_);
}

void Imageyzviewer::CalenderPaint() {
    ClsCalendar& calendar = Calendar();
    SetUpCalendar(calendar, CurrentTextLook(), panel_.SliderValue);
    DrawToolCalendar(calendar, DrawTarget::Dc(hDC()), textAnchor_);
    App().TextBounds = RectF(textAnchor_.X, textAnchor_.Y, calendar.Width(), calendar.Height());
}

void Imageyzviewer::CreatePattenImg(const std::wstring& fileName) {
    patternImage_ = GdipImage(LoadImageFromFileCopy(fileName));
}

void Imageyzviewer::PressText(int32_t effect, float x, float y) {
    canvasPressed_ = true;
    if (effect != 4) return;
    if (!textAnchorSet_) {
        textAnchor_ = PointF(x, y);
        textAnchorSet_ = true;
    }
    Repaint();
}

bool Imageyzviewer::DragText(float x, float y) {
    if (!overText_ || !canvasPressed_) return false;
    // The text follows the pointer's step, so it keeps where it was taken hold of.
    textAnchor_ = PointF(textAnchor_.X - (pointer_.lastPoint.X - x), textAnchor_.Y - (pointer_.lastPoint.Y - y));
    return true;
}

void Imageyzviewer::EndDrawingStep(int32_t mode) {
    if (mode == 4 || mode == 10) {
        canvasPressed_ = false;
        if (neighbours_.mainWindow) {
            neighbours_.mainWindow->SetTextBarVisible(false);
            neighbours_.mainWindow->ArrangeMainWindow(false);
        }
    } else {
        CleanCroprect(false);
    }
}

bool Imageyzviewer::Rasterize() {
    // The calendar as its preview last drew it; one never drawn has nothing to give.
    if (!NoOpen() || (effect_ == 10 && !calendar_)) return false;
    DrawingStepInputs in = DrawingInputs();
    in.frame = frame_.Frame();
    in.pickPoint = pickPoint_;
    in.secondColour = pickedColor_;
    const DrawingStamp stamp = RenderDrawingStamp(in);
    // Nothing pending, or the stamp file could not be written: no stamp is started.
    if (!stamp.bitmap || !SaveImageSafely(stamp.bitmap.get(), StampTempPath(), kFormatPng, 90)) return false;
    lastStampPlace_ = stamp.place;
    stampTool_.Stamp().StampRect = stamp.place; // the stamp starts where the drawing was
    if (neighbours_.mainWindow) neighbours_.mainWindow->UseStamp(false, false);
    return true;
}
