// The canvas's framed edits: the commits of the frame tools into the undo buffer, and the
// edit-panel elements the current tool shows.
#include "editor/Imageyzviewer.h"

#include "editor/EditPanelActions.h"

#include "imaging/ClipboardStamp.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/Rounding.h"

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
    in.fillMode = App().VectorMenu;
    return in;
}

void Imageyzviewer::CommitFrameEdit() {
    switch (effect_) {
    case 5:
    case 6:
        // Over the picture the buffer holds; a card without a frame leaves no step.
        if (!DrawFillCommit(undoBuffer_.Surface(), FrameInputs())) undoBuffer_.Reset();
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

uint32_t Imageyzviewer::ShownPanels() const {
    return ShownPanelElements(effect_, stampTool_.Stamp().StampBrushKind == kStampAirbrush);
}

void Imageyzviewer::ReleaseEditLayers() {
    stampTool_.Stamp().Release();
    selection_.ReleaseCut();
}
