#include "editor/SelectionTool.h"

#include "editor/CanvasMainWindow.h"
#include "editor/CanvasPointer.h"
#include "editor/FrameDrag.h"
#include "editor/FrameTool.h"
#include "editor/Imageyzviewer.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/Loupe.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace {

RectF RoundedRect(const RectF& r) {
    return RectF(static_cast<float>(RoundHalfEven(r.X)), static_cast<float>(RoundHalfEven(r.Y)),
                 static_cast<float>(RoundHalfEven(r.Width)), static_cast<float>(RoundHalfEven(r.Height)));
}

} // namespace

bool SelectionTool::Handles(int32_t effect) const {
    return effect == 17 || effect == 41 || effect == 42 || effect == 53;
}

void SelectionTool::Press(float x, float y) {
    const int32_t e = Canvas().Effect();
    if (e == 41) {
        // A press on a panel element (Apply, Cancel) is no point of the outline, whatever the
        // element then does: a Cancel answered Cancel leaves the lasso as it was.
        if (!Pointer().screenButtonEnabled) AddLassoPoint(x, y);
    } else if (e == 17 || e == 42) {
        Frame().Grab(PointF(x, y), !Pointer().screenButtonEnabled);
    }
}

void SelectionTool::Drag(int shift, float x, float y) {
    const int32_t e = Canvas().Effect();
    if (e != 17 && e != 42) {
        CanvasTool::Drag(shift, x, y);
        return;
    }
    Pointer().currentPoint = PointF(x, y);
    if (Frame().Dragging() && !Pointer().OnPanel(kPanelSlider)) FollowFrame(x, y);
    Repaint();
}

void SelectionTool::Release() {
    if (Canvas().Effect() == 41 && !lassoEnded_) Paint(true, true);
}

void SelectionTool::Hover(float x, float y) {
    const int32_t e = Canvas().Effect();
    if (e == 53) {
        HoverBrowse(x, y);
        return;
    }
    HoverFramed(x, y, e != 41);
    if (e == 41 && !lassoEnded_) {
        // The rubber band follows the pointer.
        App().LassoCursor = PointF(x, y);
        Pointer().lastPoint = PointF(x, y);
        Paint(false, true);
    }
}

bool SelectionTool::DrawOverlay(GpGraphics* g) {
    const int32_t e = Canvas().Effect();
    if (e == 53) return false;
    if (e == 41) {
        Imageyzviewer& c = Canvas();
        const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
        DrawLassoOutline();
        ::GdiFlush();
        auto* back = static_cast<HBITMAP>(::GetCurrentObject(c.hDC(), OBJ_BITMAP));
        DrawLoupe(c.hDC(), back, nullptr, w - 130, h - 130, 100, 110, 10, 10, PanelBrush(), Pointer().lastPoint.X,
                  Pointer().lastPoint.Y, 40);
        if (MainWindow()) MainWindow()->DrawToolHint(c.hDC(), 41, w - 4);
    } else {
        DrawEditOverlay(g);
    }
    DrawEditPanel(true);
    return true;
}

GdipBitmap SelectionTool::RenderStep() {
    return Canvas().Effect() == 53 ? DeleteSelection() : GdipBitmap();
}

void SelectionTool::AfterStep(int32_t) {
    Canvas().CleanCroprect(false);
}

void SelectionTool::BeforeLayOut() {
    const int32_t e = Canvas().Effect();
    // The rectangle selection keeps no panel of the old layout.
    if (e != 17) DrawEditPanel(true);
    if (e == 41) ResetLasso();
}

bool SelectionTool::Apply() {
    return Canvas().Effect() == 53 ? CanvasTool::Apply() : CommitSelection();
}

ClsSelect& SelectionTool::Selection() {
    if (!select_) select_ = std::make_unique<ClsSelect>();
    return *select_;
}

void SelectionTool::ResetLasso() {
    lassoEnded_ = false;
    AppState& app = App();
    app.LassoPoints.assign(1, PointF());
    app.LassoPointCount = 0;
    app.LassoBounds[0] = app.LassoBounds[1] = PointF();
}

void SelectionTool::ReleaseCut() {
    if (select_) select_->Destory();
}

// ---- The lasso ----

void SelectionTool::AddLassoPoint(float x, float y) {
    AppState& app = App();
    const auto count = static_cast<size_t>(std::max(app.LassoPointCount, 0));
    const PointF p = lassoClosing_ ? app.LassoCursor : PointF(x, y);
    app.LassoPoints.resize(count + 1);
    app.LassoPoints[count] = p;
    if (count == 0) {
        app.LassoCursor = p;
        app.LassoBounds[1] = p;
    }
    app.LassoPointCount = static_cast<int32_t>(count + 1);
}

void SelectionTool::DrawLassoOutline() {
    const AppState& app = App();
    if (app.LassoPointCount < 1 || lassoClosing_ || app.LassoPoints.size() < static_cast<size_t>(app.LassoPointCount))
        return;
    ::GdiFlush();
    const PointF last = app.LassoPoints[static_cast<size_t>(app.LassoPointCount - 1)];
    // Drawing: the points so far and a rubber band to the pointer; ended: the closed outline.
    Selection().FreeSelect(Canvas().hDC(), last, lassoEnded_ ? last : app.LassoCursor, !lassoEnded_, lassoEnded_);
}

// ---- Cutting a selection ----

CutResult SelectionTool::CutSelection(const RectF& imageRect) {
    const Imageyzviewer& c = Canvas();
    // The lasso's points lie over the picture as drawn, fitted or zoomed and panned.
    const RectF fit = c.FramingRect();
    if (!c.NoOpen() || fit.Width <= 0 || fit.Height <= 0) return {};
    ClsSelect& select = Selection();
    select.SetPattenMode(App().SelectCombineMode == 1 ? kPattenInside : kPattenOutside);
    const SelectImage image{c.ImgDIB.DIB(), RoundHalfEven(c.ImgDIB.Width()), RoundHalfEven(c.ImgDIB.Height())};
    if (c.Effect() == 41) {
        const ToImagePixels map{fit.X, fit.Y, c.ImgDIB.Width() / fit.Width, c.ImgDIB.Height() / fit.Height};
        return select.CutFree(image, map);
    }
    return select.OtherSelect(nullptr, c.Effect() == 42 ? 1 : 2, imageRect, image, false, true);
}

bool SelectionTool::CommitSelection() {
    AppState& app = App();
    Imageyzviewer& c = Canvas();
    lassoClosing_ = true;
    const CutResult cut = CutSelection(FrameOnImage());
    lassoClosing_ = false;
    // Nothing selected: no stamp, and the selection tool stays.
    if (!cut.written) return false;
    if (app.SelectCombineMode != 1)
        c.SetStampRect(RectF(0, 0, c.ImgDIB.Width(), c.ImgDIB.Height())); // the image less the selection
    else
        c.SetStampRect(RoundedRect(cut.bounds));
    if (MainWindow()) MainWindow()->UseStamp(false, false);
    return true;
}

GdipBitmap SelectionTool::DeleteSelection() {
    AppState& app = App();
    const Imageyzviewer& c = Canvas();
    const int32_t kept = app.SelectCombineMode;
    ClsSelect& select = Selection();
    // The cut keeps what is to stay: the outside of a plain selection, the inside of an inverted one.
    select.SetClone(kept == 1);
    app.SelectCombineMode = kept == 1 ? 4 : 1;
    SetModeQuietly(previousEffect_);
    const CutResult cut = CutSelection(FrameOnImage());
    select.SetClone(false);
    // Nothing selected deletes nothing; the inverse of nothing is the whole picture, which goes.
    const bool deletesAll = cut.nothingSelected && kept != 1;
    const bool keepsCut = !cut.nothingSelected && cut.written && select.Mimg.new_Img;
    GdipBitmap step;
    GdipGraphics g;
    if ((deletesAll || keepsCut) &&
        GdipCreateBitmapFromScan0(RoundHalfEven(c.ImgDIB.Width()), RoundHalfEven(c.ImgDIB.Height()), 0,
                                  PixelFormat32bppARGB, nullptr, step.put()) == Ok &&
        GdipGetImageGraphicsContext(step.get(), g.put()) == Ok) {
        const RectF at = app.SelectCombineMode == 1 ? RoundedRect(cut.bounds) : RectF();
        if (keepsCut)
            GdipDrawImageRectI(g.get(), select.Mimg.new_Img, RoundHalfEven(at.X), RoundHalfEven(at.Y),
                               select.Mimg.NewWidth, select.Mimg.NewHeight);
    } else {
        step.reset();
    }
    g.reset();
    select.Destory();
    app.SelectCombineMode = kept;
    return step;
}

// ---- The clipboard and the stamp library ----

bool SelectionTool::DrawtoClipboard() {
    const Imageyzviewer& c = Canvas();
    if (!c.NoOpen() || (c.Effect() == 41 && App().LassoPointCount == 0)) return false;
    RectF rect = FrameOnImage();
    if (rect.Width <= 0 || rect.Height <= 0) rect = RectF(0, 0, c.ImgDIB.Width(), c.ImgDIB.Height());
    const CanvasStamp& stamp = c.Stamp();
    if (c.Effect() == 38 && stamp.Exists())
        return CopyImageToClipboard(stamp.StampLayer.new_Img, 0, 0, stamp.Width(), stamp.Height());
    if (!CutSelection(rect).written) return false;
    GdiDIB piece;
    if (!piece.Import(StampTempPath())) return false;
    return CopyImageToClipboard(piece.DIB(), 0, 0, RoundHalfEven(piece.Width()), RoundHalfEven(piece.Height()));
}

bool SelectionTool::CreateStampfromClipboard() {
    GdipImage pasted;
    int32_t w = 0, h = 0;
    if (!PasteClipboardImage(pasted, w, h) || !SaveStampTemp(true, nullptr, 0, 0)) return false;
    // The stamp tool sets the mode: without an image to hold the stamp the canvas stays as it was.
    if (MainWindow()) MainWindow()->UseStamp(false, false);
    return true;
}

bool SelectionTool::EditingStampLib() {
    if (!Canvas().NoOpen()) return false;
    App().SelectCombineMode = 1;
    App().ToolMenu = L"Filter_Select";
    SetModeQuietly(17);
    SetFitModeQuietly(true);
    Frame().Frame() = Canvas().FitRect();
    return CommitSelection();
}

bool SelectionTool::CallDrawDeleteSelect() {
    previousEffect_ = Canvas().Effect();
    SetModeQuietly(53);
    if (Canvas().SaveUndo()) return true;
    // Nothing deleted. The step's closing work has put the main window and the canvas back to
    // browsing together; only a step that never started leaves the selection mode to restore.
    if (Canvas().Effect() == 53) SetModeQuietly(previousEffect_);
    return false;
}
