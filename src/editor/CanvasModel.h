// The canvas's state apart from its window: the shown image, the editor mode and its parameter
// bounds, fit and zoom with the view geometry, the undo step index and the flags the host reads,
// and the canvas's files under "Datas\" (undo steps, stamp steps, scratch copies).
#pragma once

#include "editor/CanvasGeometry.h"
#include "editor/UndoHistory.h"
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The undo buffer: the step an apply is making, a bitmap with a drawing surface on it. It lives
// from the start of the step until the step is handed to the history; the paint's render into
// the undo buffer draws here.
class UndoBuffer {
public:
    // A transparent 32 bpp ARGB step of w x h; false, and no buffer, when it cannot be made.
    [[nodiscard]] bool Create(int32_t w, int32_t h);
    // Draws image at (0, 0) at w x h. A blank buffer of the image's own size takes its pixels as
    // they are instead of a resampled drawing of them.
    void DrawImage(GpImage* image, float w, float h);
    // Null while there is no buffer (or its format takes no surface).
    [[nodiscard]] GpGraphics* Surface() const { return surface_.get(); }
    [[nodiscard]] GpBitmap* Bitmap() const { return bitmap_.get(); }
    void Reset();
    // The step, its surface ended; no buffer is left.
    [[nodiscard]] GdipBitmap Take();

private:
    // A step made whole elsewhere becomes the buffer; an empty one leaves no buffer.
    void Hold(GdipBitmap step);
    void MakeSurface();

    GdipBitmap bitmap_;
    GdipGraphics surface_;
    bool blank_ = false; // nothing drawn since Create
};

class CanvasModel {
public:
    CanvasModel() = default;
    // Deletes the canvas's scratch files: they mean nothing once the canvas is gone.
    virtual ~CanvasModel();
    CanvasModel(const CanvasModel&) = delete;
    CanvasModel& operator=(const CanvasModel&) = delete;

    // State the other subsystems read (and the host may write).
    bool UndoE = false;         // an earlier undo step exists
    bool RedoE = false;         // a later undo step exists
    bool SaveState = true;      // the shown image is saved
    bool AppliedEffect = false; // an edit was applied since the image was opened or saved
    std::wstring CurFilename;   // the shown file
    GdiDIB ImgDIB;              // the shown image

    // True while an image is loaded.
    [[nodiscard]] bool NoOpen() const { return ImgDIB.DIB() != nullptr; }

    [[nodiscard]] int32_t Effect() const { return effect_; }
    [[nodiscard]] int32_t Max() const { return max_; }
    [[nodiscard]] int32_t Min() const { return min_; }
    // Max - Min as the setters left it; may be negative (nothing clamps it).
    [[nodiscard]] int64_t Range() const { return static_cast<int64_t>(max_) - min_; }
    void SetMax(int32_t value) { max_ = value; }
    void SetMin(int32_t value) { min_ = value; }
    [[nodiscard]] float Zoom() const { return zoom_; }
    [[nodiscard]] bool FitMode() const { return fitMode_; }
    // The zoom the picture is shown at: while fitted the fitted width's share of the picture's.
    [[nodiscard]] float ShownZoom() const {
        return fitMode_ && ImgDIB.Width() > 0 ? fitRect_.Width / ImgDIB.Width() : zoom_;
    }
    [[nodiscard]] int32_t UndoIndex() const { return history_.Index(); }
    [[nodiscard]] bool FirstL() const { return firstL_; }
    void SetFirstL(bool value) { firstL_ = value; }

    [[nodiscard]] const RectF& FitRect() const { return fitRect_; }
    [[nodiscard]] const ZoomView& View() const { return view_; }

    // The files of the canvas under the data folder.
    [[nodiscard]] static std::wstring UndoFile(int32_t step) { return UndoHistory::StepFile(step); }
    [[nodiscard]] static std::wstring StampUndoFile(int32_t step);
    // A stamp step file on disk.
    struct StampStepFile {
        int32_t step = 0;
        std::wstring path;
    };
    // The stamp undo files in the data folder now: the numbered stamp step files (other files that
    // match "*.sudo" are not the canvas's).
    [[nodiscard]] static std::vector<StampStepFile> StampUndolists();
    // Deletes the stamp step files from step from on.
    static void DeleteStampSteps(int32_t from);
    // Waits until the newest step file is complete; false when its write failed (the step is then
    // dropped from the history).
    [[nodiscard]] bool SettleSteps() { return history_.Settle(); }

    // Loads fileName as the shown image, and CurFilename takes its name. A JPEG's EXIF block is kept
    // with it. A file that cannot be read as a picture, or one too large for the memory left (which
    // lackedMemory tells), changes nothing at all: the picture shown before stays, with its file
    // and its history.
    [[nodiscard]] bool LoadImageFile(const std::wstring& fileName, bool* lackedMemory = nullptr);
    // The EXIF segment of the JPEG file last opened (empty for other files): it goes into every JPEG
    // the picture is saved as.
    [[nodiscard]] const std::string& OpenedExif() const { return openedExif_; }
    // The orientation the picture's pixels still needed to show upright, when the file last opened
    // could not be turned as it loaded (too little memory); 0 when they showed upright.
    [[nodiscard]] uint32_t OpenedUnturned() const { return openedUnturned_; }
    // The orientation the picture shown still needs to show upright: the turn that could not be
    // made at the open, less the quarter turns and mirrors made by hand since; 1 when it shows
    // upright. A JPEG or TIFF saved names it, so that it opens as upright as the photograph.
    [[nodiscard]] uint32_t PendingOrientation() const;
    // The canvas's scratch copies: a File > New picture's file, and the copy shown after a delete.
    [[nodiscard]] static std::wstring NewImageFile();
    [[nodiscard]] static std::wstring DeletedCopyFile();
    // Whether path is one of those scratch copies: not a file of the user's.
    [[nodiscard]] static bool IsScratchFile(const std::wstring& path);
    // Whether the shown file holds the picture shown: nothing has changed since it was opened or
    // last saved, or an undo or redo has come back to that step.
    [[nodiscard]] bool ShowsSavedStep() const { return history_.SavedStep() == history_.Index(); }
    // Hands step (the picture shown turned by turn, an orientation) to the history as the next one.
    void PushStep(GdipBitmap step, uint32_t turn);
    // Step 0 again with no steps on disk: the undo files are deleted.
    void ClearHistory();
    // Deletes every undo and stamp-undo file and the scratch copies.
    void DeleteScratchFiles();

    // The layout of the shown image in a control of that size: the fit rectangle and, for a fresh
    // load shown unfitted, 100 % centred.
    void LayOut(float controlW, float controlH, bool freshUnfitted);
    // The zoom geometry at the start of a paint (unfitted only).
    void LayOutForPaint(float controlW, float controlH);
    // When FirstL is set: starts writing the shown image as undo step 0 and clears FirstL. False
    // when there was nothing to write, or when a step has been made already (step 0 is then the
    // picture before it).
    [[nodiscard]] bool TakeFirstSnapshot();
    // An edit about to be made at step 0 without a step-0 file (no layout kept the picture, as
    // when the host did not mark the first edit): starts writing the shown image as step 0, so
    // that the edit can be undone. False when step 0 was there or could not be started.
    [[nodiscard]] bool TakeMissingFirstStep();

protected:
    // The mode and view fields, set by the window's property setters and tools.
    int32_t effect_ = 0;
    int32_t max_ = 10;
    int32_t min_ = 0;
    float zoom_ = 1.0f;
    bool fitMode_ = true;
    bool firstL_ = false;
    RectF fitRect_{};
    ZoomView view_;
    UndoHistory history_;
    // The undo buffers: only the one of the step an apply is making holds a bitmap, and only
    // until the step is handed to the history.
    UndoBuffer undoBuffers_;
    std::string openedExif_;
    uint32_t openedUnturned_ = 0;
    // The turn by hand each undo step's picture has since the open, as an orientation (0 as 1).
    std::array<uint32_t, UndoHistory::kLastStep + 1> stepTurns_{};

    // Held-button state that changes the zoom rule: while the left button is held the view's
    // centre is not kept, until the resize tool has been pressed once.
    bool LeftDown = false;
    bool ResizeTouched = false;
};
