// The canvas's framed edits, selections, floating stamp and clipboard: the commits of the frame
// tools into the undo buffer; the lasso's points and outline, the cut of a selection into the
// working stamp file, the stamp's paint, brush strokes, quick effects and history, and its commit;
// copying to and pasting from the clipboard; deleting a selection.
#include "editor/Imageyzviewer.h"

#include "editor/EditPanelActions.h"

#include "imaging/ClipboardStamp.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/Rounding.h"

namespace {

RectF RoundedRect(const RectF& r) {
    return RectF(static_cast<float>(RoundHalfEven(r.X)), static_cast<float>(RoundHalfEven(r.Y)),
                 static_cast<float>(RoundHalfEven(r.Width)), static_cast<float>(RoundHalfEven(r.Height)));
}

} // namespace

// ---- The framed edits ----

FrameCommitInputs Imageyzviewer::FrameInputs() const {
    FrameCommitInputs in;
    in.effect = effect_;
    in.image = ImgDIB.DIB();
    in.width = ImgDIB.Width();
    in.height = ImgDIB.Height();
    in.fitRect = fitRect_;
    in.frame = frameRects_[0];
    in.pickPoint = pickPoint_;
    in.sliderValue = sliderValue_;
    in.textColor = textColor_;
    in.pickedColor = pickedColor_;
    in.combineMode = App().SelectCombineMode;
    return in;
}

void Imageyzviewer::CommitFrameEdit() {
    switch (effect_) {
    case 5:
    case 6:
        // Over the picture the buffer holds; a card without a frame leaves no step.
        if (!DrawFillCommit(undoBuffer_.Surface(), FrameInputs())) undoBuffer_.Reset();
        break;
    case 38:
        undoBuffer_.Hold(RenderStampCommit());
        break;
    case 17:
    case 41:
    case 42:
        (void)CommitSelection();
        break;
    default:
        if (MakesWholeFrameStep(effect_)) undoBuffer_.Hold(RenderFrameCommit(FrameInputs()));
        break;
    }
}

GdipBitmap Imageyzviewer::RenderFramedStep() {
    // The step is rendered unfitted: the picture at its own size.
    const bool fitted = fitMode_;
    fitMode_ = false;
    if (effect_ == 5 || effect_ == 6) {
        if (undoBuffer_.Create(RoundHalfEven(ImgDIB.Width()), RoundHalfEven(ImgDIB.Height())))
            Painting(false, false, false, true);
    } else {
        CommitFrameEdit();
    }
    fitMode_ = fitted;
    return undoBuffer_.Take();
}

ClsSelect& Imageyzviewer::Selection() {
    if (!select_) select_ = std::make_unique<ClsSelect>();
    return *select_;
}

// ---- The stamp ----

RectF Imageyzviewer::StampFrameOnScreen() const {
    // One rule both ways: the fitted rectangle's origin and its scale to the image's width.
    if (ImgDIB.Width() <= 0) return {};
    const float s = fitRect_.Width / ImgDIB.Width();
    const RectF& r = stamp_.StampRect;
    return RectF(fitRect_.X + r.X * s, fitRect_.Y + r.Y * s, r.Width * s, r.Height * s);
}

void Imageyzviewer::SyncStampFrame() {
    if (!stamp_.DefaultStampsize) return;
    frameRects_[0] = StampFrameOnScreen();
    stamp_.DefaultStampsize = false;
}

bool Imageyzviewer::CreateStampImg(const std::wstring& fileName, bool newStamp, bool resetPosition) {
    const bool loaded = stamp_.Load(fileName, newStamp);
    if (!newStamp || !loaded) return loaded;
    const float w = static_cast<float>(stamp_.Width()), h = static_cast<float>(stamp_.Height());
    if (resetPosition) {
        downPoint_ = PointF(fitRect_.X, fitRect_.Y);
        currentPoint_ = PointF(downPoint_.X + w, downPoint_.Y + h);
        stamp_.StampRect.X = 0;
        stamp_.StampRect.Y = 0;
    }
    stamp_.StampRect.Width = w;
    stamp_.StampRect.Height = h;
    stamp_.DefaultStampsize = true;
    App().ToolMenu = L"Stamp_Drag";
    return true;
}

bool Imageyzviewer::StartStampTool(bool resetPosition) {
    if (!NoOpen() || !CreateStampImg(StampTempPath(), true, resetPosition)) return false;
    SetEffect(38);
    SetMax(100);
    SetMin(0);
    SetValue(0);
    StampOptions(kStampMove);
    SetFitMode(true);
    (void)Import(L"", true);
    return true;
}

void Imageyzviewer::StampOptions(int32_t kind) {
    stamp_.Options(kind);
}

void Imageyzviewer::StampToolSelect(int32_t kind) {
    stamp_.StampBrushKind = kind;
    Repaint();
}

bool Imageyzviewer::Stampeffect(int32_t id) {
    if (!stamp_.Exists() || fitRect_.Width <= 0 || fitRect_.Height <= 0) return false;
    SyncStampFrame();
    const float sx = ImgDIB.Width() / fitRect_.Width, sy = ImgDIB.Height() / fitRect_.Height;
    const bool made = stamp_.ApplyEffect(id, frameRects_[0].Width, frameRects_[0].Height, sx, sy);
    Repaint();
    return made;
}

void Imageyzviewer::ResetStampsize() {
    stamp_.StampBrushKind = kStampMove;
    App().ToolMenu.clear();
    // The stamp stays where it is and takes its own pixel size again. Until the next paint has
    // framed it, its place is StampRect's, not frame 0's.
    if (!stamp_.DefaultStampsize) {
        const RectF at = FrameInImage(frameRects_[0], fitRect_, ImgDIB.Width(), ImgDIB.Height());
        stamp_.StampRect.X = at.X;
        stamp_.StampRect.Y = at.Y;
    }
    stamp_.StampRect.Width = static_cast<float>(stamp_.Width());
    stamp_.StampRect.Height = static_cast<float>(stamp_.Height());
    stamp_.DefaultStampsize = true;
}

bool Imageyzviewer::UndoStampRedo(bool undo) {
    Hourglass wait;
    if (!stamp_.UndoRedo(undo)) return false;
    Repaint();
    return true;
}

uint32_t Imageyzviewer::ShownPanels() const {
    return ShownPanelElements(effect_, stamp_.StampBrushKind == kStampAirbrush);
}

void Imageyzviewer::DrawStampOverlay(GpGraphics* g) {
    SyncStampFrame();
    const RectF& f = frameRects_[0];
    stamp_.DrawOnScreen(g, f, sliderValue_);
    if (!LeftDown && stamp_.StampBrushKind == kStampMove) {
        GdipPen pen = MakePen(ColorARGB(150, 255, 255, 255), 1);
        const REAL dashes[2] = {3, 3};
        GdipSetPenDashArray(pen.get(), dashes, 2);
        GdipDrawRectangle(g, pen.get(), f.X, f.Y, f.Width, f.Height);
    }
    GdipFlush(g, FlushIntentionSync);
    if (stamp_.StampBrushKind == kStampAirbrush) ColorControl();
}

void Imageyzviewer::StampDabAt(float x, float y, bool first) {
    StampDab dab;
    dab.frame = frameRects_[0];
    dab.pointer = PointF(x, y);
    dab.brushSize = brushSize_;
    dab.firstDab = first;
    dab.textColor = textColor_;
    if (stamp_.Dab(dab)) ++stampDabs_;
}

void Imageyzviewer::StampPress(float x, float y) {
    stampPoint_ = PointF(x, y);
    stampDabs_ = 0;
    frameDrag_ = false;
    if (screenButtonEnabled_) {
        // The slider is the opacity: taking it puts the brush down, so the stamp moves again.
        if (panelIndex_ == kPanelSlider) {
            stamp_.StampBrushKind = kStampMove;
            App().ToolMenu.clear();
        }
    } else if (stamp_.StampBrushKind == kStampMove) {
        SyncStampFrame();
        grabOffset_ = PointF(x - frameRects_[0].X, y - frameRects_[0].Y);
        frameDrag_ = overHandle_;
        newFrame_ = false;
        dragHandle_ = overHandle_ ? handleIndex_ : 0;
    } else {
        SyncStampFrame();
        StampDabAt(x, y, true);
    }
    Repaint();
}

void Imageyzviewer::StampRelease() {
    // Each stroke is one stamp step, written as the button comes up.
    if (stamp_.StampBrushKind != kStampMove && stampDabs_ > 0) (void)stamp_.WriteStep();
    stampDabs_ = 0;
    Painting(true, false, true, false);
}

GdipBitmap Imageyzviewer::RenderStampCommit() {
    if (!stamp_.Exists()) return {};
    SyncStampFrame();
    const RectF F = FrameInImage(frameRects_[0], fitRect_, ImgDIB.Width(), ImgDIB.Height());
    if (F.Width <= 0 || F.Height <= 0) return {};
    GdipBitmap step = FullCopy(ImgDIB.DIB());
    GdipGraphics g;
    if (!step || GdipGetImageGraphicsContext(step.get(), g.put()) != Ok) return {};
    stamp_.Draw(g.get(), F, sliderValue_);
    return step;
}

// ---- The lasso ----

void Imageyzviewer::AddLassoPoint(float x, float y) {
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

void Imageyzviewer::DrawLassoOutline() {
    const AppState& app = App();
    if (app.LassoPointCount < 1 || lassoClosing_ || app.LassoPoints.size() < static_cast<size_t>(app.LassoPointCount))
        return;
    ::GdiFlush();
    const PointF last = app.LassoPoints[static_cast<size_t>(app.LassoPointCount - 1)];
    // Drawing: the points so far and a rubber band to the pointer; ended: the closed outline.
    Selection().FreeSelect(hDC(), last, lassoEnded_ ? last : app.LassoCursor, !lassoEnded_, lassoEnded_);
}

// ---- Cutting a selection ----

CutResult Imageyzviewer::CutSelection(const RectF& imageRect) {
    if (!NoOpen() || fitRect_.Width <= 0 || fitRect_.Height <= 0) return {};
    ClsSelect& select = Selection();
    select.SetPattenMode(App().SelectCombineMode == 1 ? kPattenInside : kPattenOutside);
    const SelectImage image{ImgDIB.DIB(), RoundHalfEven(ImgDIB.Width()), RoundHalfEven(ImgDIB.Height())};
    if (effect_ == 41) {
        const ToImagePixels map{fitRect_.X, fitRect_.Y, ImgDIB.Width() / fitRect_.Width,
                                ImgDIB.Height() / fitRect_.Height};
        return select.CutFree(image, map);
    }
    return select.OtherSelect(nullptr, effect_ == 42 ? 1 : 2, imageRect, image, false, true);
}

bool Imageyzviewer::CommitSelection() {
    AppState& app = App();
    // The press on the panel added a lasso point that is not part of the selection.
    if (effect_ == 41 && app.LassoPointCount > 0) --app.LassoPointCount;
    lassoClosing_ = true;
    const CutResult cut = CutSelection(FrameInImage(frameRects_[0], fitRect_, ImgDIB.Width(), ImgDIB.Height()));
    lassoClosing_ = false;
    // Nothing selected: no stamp, and the selection tool stays.
    if (!cut.written) return false;
    if (app.SelectCombineMode != 1)
        stamp_.StampRect = RectF(0, 0, ImgDIB.Width(), ImgDIB.Height()); // the image less the selection
    else
        stamp_.StampRect = RoundedRect(cut.bounds);
    if (neighbours_.mainWindow) neighbours_.mainWindow->UseStamp(false, false);
    return true;
}

GdipBitmap Imageyzviewer::RenderDeleteSelection() {
    AppState& app = App();
    const int32_t kept = app.SelectCombineMode;
    ClsSelect& select = Selection();
    // The cut keeps what is to stay: the outside of a plain selection, the inside of an inverted one.
    select.SetClone(kept == 1);
    app.SelectCombineMode = kept == 1 ? 4 : 1;
    effect_ = previousEffect_;
    const CutResult cut = CutSelection(FrameInImage(frameRects_[0], fitRect_, ImgDIB.Width(), ImgDIB.Height()));
    select.SetClone(false);
    GdipBitmap step;
    GdipGraphics g;
    if (cut.written && select.Mimg.new_Img &&
        GdipCreateBitmapFromScan0(RoundHalfEven(ImgDIB.Width()), RoundHalfEven(ImgDIB.Height()), 0,
                                  PixelFormat32bppARGB, nullptr, step.put()) == Ok &&
        GdipGetImageGraphicsContext(step.get(), g.put()) == Ok) {
        const RectF at = app.SelectCombineMode == 1 ? RoundedRect(cut.bounds) : RectF();
        GdipDrawImageRectI(g.get(), select.Mimg.new_Img, RoundHalfEven(at.X), RoundHalfEven(at.Y), select.Mimg.NewWidth,
                           select.Mimg.NewHeight);
    } else {
        step.reset();
    }
    g.reset();
    select.Destory();
    app.SelectCombineMode = kept;
    return step;
}

void Imageyzviewer::AfterLayerStep(int32_t mode) {
    if (mode == 38) fitMode_ = false;
    CleanCroprect(false);
}

void Imageyzviewer::ReleaseEditLayers() {
    stamp_.Release();
    if (select_) select_->Destory();
}

// ---- The clipboard ----

bool Imageyzviewer::DrawtoClipboard() {
    if (!NoOpen() || (effect_ == 41 && App().LassoPointCount == 0)) return false;
    RectF rect = FrameInImage(frameRects_[0], fitRect_, ImgDIB.Width(), ImgDIB.Height());
    if (rect.Width <= 0 || rect.Height <= 0) rect = RectF(0, 0, ImgDIB.Width(), ImgDIB.Height());
    if (effect_ == 38 && stamp_.Exists())
        return CopyImageToClipboard(stamp_.StampLayer.new_Img, 0, 0, stamp_.Width(), stamp_.Height());
    if (!CutSelection(rect).written) return false;
    GdiDIB piece;
    if (!piece.Import(StampTempPath())) return false;
    return CopyImageToClipboard(piece.DIB(), 0, 0, RoundHalfEven(piece.Width()), RoundHalfEven(piece.Height()));
}

bool Imageyzviewer::CreateStampfromClipboard() {
    GdipImage pasted;
    int32_t w = 0, h = 0;
    if (!PasteClipboardImage(pasted, w, h) || !SaveStampTemp(true, nullptr, 0, 0)) return false;
    // The stamp tool sets the mode: without an image to hold the stamp the canvas stays as it was.
    if (neighbours_.mainWindow) neighbours_.mainWindow->UseStamp(false, false);
    return true;
}

bool Imageyzviewer::EditingStampLib() {
    if (!NoOpen()) return false;
    App().SelectCombineMode = 1;
    App().ToolMenu = L"Filter_Select";
    effect_ = 17;
    fitMode_ = true;
    frameRects_[0] = fitRect_;
    return CommitSelection();
}

bool Imageyzviewer::CallDrawDeleteSelect() {
    previousEffect_ = effect_;
    effect_ = 53;
    if (SaveUndo()) return true;
    effect_ = previousEffect_;
    return false;
}
