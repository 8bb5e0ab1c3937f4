// The floating stamp of the canvas apart from its window: its bitmap and the brushes' working copy
// of it, the brush kind, its placement in image pixels, its quick effects and its own history of
// step files "Datas\StampUndo<n>.sudo" (step 0 a copy of the file it came from, later steps PNG).
#pragma once

#include "imaging/CDIB.h"
#include "imaging/DIBsave.h"

#include <cstdint>
#include <string>

// The brush kinds of the stamp.
inline constexpr int32_t kStampMove = 0; // no brush: the stamp is only moved and sized
inline constexpr int32_t kStampEraser = 1;
inline constexpr int32_t kStampSmudge = 7;
inline constexpr int32_t kStampAirbrush = 8;

// One dab of the current brush.
struct StampDab {
    RectF frame{};    // the stamp's frame on screen (control pixels)
    PointF pointer{}; // the pointer (control pixels)
    int32_t brushSize = 30;
    bool firstDab = false;  // the pointer has not moved since the button went down
    COLORREF textColor = 0; // RGB, the airbrush's colour
};

class CanvasStamp {
public:
    // The stamp's bitmap (32 bpp ARGB of the stamp's pixel size); empty when there is no stamp.
    DIBsave StampLayer;
    int32_t StampBrushKind = kStampMove;
    int32_t EraserShape = 0; // 0 brush, 1 pencil, 2 block
    // While set, the next paint takes the stamp's frame from StampRect.
    bool DefaultStampsize = true;
    // Where the stamp lies on the image (image pixels); Width and Height its size there.
    RectF StampRect{};
    int32_t StampEffectId = 0;

    CanvasStamp() = default;
    CanvasStamp(const CanvasStamp&) = delete;
    CanvasStamp& operator=(const CanvasStamp&) = delete;

    [[nodiscard]] bool Exists() const { return StampLayer.new_Img != nullptr; }
    [[nodiscard]] int32_t Width() const { return StampLayer.NewWidth; }
    [[nodiscard]] int32_t Height() const { return StampLayer.NewHeight; }
    [[nodiscard]] int32_t StampUndoIndex() const { return undoIndex_; }

    // Makes the stamp's bitmap from an image file. With newStamp the stamp's history starts again:
    // every step file goes and the file becomes step 0. False, with the stamp and its history as
    // they were, when the file cannot be read.
    [[nodiscard]] bool Load(const std::wstring& fileName, bool newStamp);
    // Chooses the brush; a brush other than none takes the bitmap of the current step again.
    void Options(int32_t kind);
    // Writes the bitmap as the next step, dropping the steps after the current one (a redo branch
    // given up). False, with the index as it was, when the file could not be written.
    [[nodiscard]] bool WriteStep();
    // Back or forward one step, from its file; false (nothing changed) past either end or when the
    // file cannot be read. Undo at step 0 reloads step 0.
    [[nodiscard]] bool UndoRedo(bool undo);
    // Quick effect id (1 blur, 2 sharpen, 3 soften, 4 contour, 5 ripple, 6 top-bottom mirror,
    // 7 left-right mirror), then a new step. The filters leave the stamp at the size it is shown at
    // (shownW x shownH control pixels), in image pixels (scaleX, scaleY per control pixel).
    [[nodiscard]] bool ApplyEffect(int32_t id, float shownW, float shownH, float scaleX, float scaleY);
    // One dab of the current brush kind under the pointer; false when it touched nothing.
    bool Dab(const StampDab& dab);
    // Draws the stamp into frame at the slider's opacity (1 - sliderValue / 100 to one decimal).
    void Draw(GpGraphics* g, const RectF& frame, float sliderValue) const;
    // The same on the screen, from a copy reduced to the frame's size that a dab updates only where
    // it painted (a large stamp is not scaled again at every pointer move).
    void DrawOnScreen(GpGraphics* g, const RectF& frame, float sliderValue);
    // Lets go of the bitmap and the working copy; the history files stay until the next stamp.
    void Release();

private:
    // Counts the stamp step files on disk again: a redo goes no further than the newest of them.
    void RefreshStampUndoState();
    // The working copy the brushes change, made from the bitmap at the first dab of a stroke.
    [[nodiscard]] bool PrepareLayer();

    // The bitmap changed all over: the screen copy is made again at the next paint.
    void Changed() {
        prepared_ = false;
        previewValid_ = false;
    }

    CDIB pixelCopy_;
    bool prepared_ = false;
    GdipBitmap preview_; // the stamp reduced to its frame on the screen, premultiplied
    bool previewValid_ = false;
    int32_t undoIndex_ = 0;
    int32_t stepsOnDisk_ = 0; // the newest stamp step on disk plus one, as last counted
};

// The opacity the stamp is drawn and committed at: 1 - sliderValue / 100, to one decimal.
[[nodiscard]] float StampOpacity(float sliderValue);
