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
    in.frame = frame_.Frame();
    in.pickPoint = pickPoint_;
    in.sliderValue = panel_.SliderValue;
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
        stampTool_.CommitIntoStep();
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

uint32_t Imageyzviewer::ShownPanels() const {
    return ShownPanelElements(effect_, stampTool_.Stamp().StampBrushKind == kStampAirbrush);
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
    const CutResult cut = CutSelection(FrameInImage(frame_.Frame(), fitRect_, ImgDIB.Width(), ImgDIB.Height()));
    lassoClosing_ = false;
    // Nothing selected: no stamp, and the selection tool stays.
    if (!cut.written) return false;
    if (app.SelectCombineMode != 1)
        stampTool_.Stamp().StampRect = RectF(0, 0, ImgDIB.Width(), ImgDIB.Height()); // the image less the selection
    else
        stampTool_.Stamp().StampRect = RoundedRect(cut.bounds);
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
    const CutResult cut = CutSelection(FrameInImage(frame_.Frame(), fitRect_, ImgDIB.Width(), ImgDIB.Height()));
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

void Imageyzviewer::AfterLayerStep(int32_t) {
    CleanCroprect(false);
}

void Imageyzviewer::ReleaseEditLayers() {
    stampTool_.Stamp().Release();
    if (select_) select_->Destory();
}

// ---- The clipboard ----

bool Imageyzviewer::DrawtoClipboard() {
    if (!NoOpen() || (effect_ == 41 && App().LassoPointCount == 0)) return false;
    RectF rect = FrameInImage(frame_.Frame(), fitRect_, ImgDIB.Width(), ImgDIB.Height());
    if (rect.Width <= 0 || rect.Height <= 0) rect = RectF(0, 0, ImgDIB.Width(), ImgDIB.Height());
    if (effect_ == 38 && stampTool_.Stamp().Exists())
        return CopyImageToClipboard(stampTool_.Stamp().StampLayer.new_Img, 0, 0, stampTool_.Stamp().Width(),
                                    stampTool_.Stamp().Height());
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
    frame_.Frame() = fitRect_;
    return CommitSelection();
}

bool Imageyzviewer::CallDrawDeleteSelect() {
    previousEffect_ = effect_;
    effect_ = 53;
    if (SaveUndo()) return true;
    effect_ = previousEffect_;
    return false;
}
