// The canvas control: shows the one opened image fitted, or zoomed and panned with a navigator,
// and draws the edit panel of the current tool over it. Its state lives in CanvasModel; this class
// adds the window, the mouse, the apply step and the neighbours it reports to. What each editor
// mode does with the pointer, draws and applies is its tool's (CanvasTool and the classes that
// derive from it, one for each family of modes); the members of the tools' own names forward to
// them.
#pragma once

#include "editor/AdjustTool.h"
#include "editor/BrowseTool.h"
#include "editor/CanvasMainWindow.h"
#include "editor/CanvasModel.h"
#include "editor/CanvasPointer.h"
#include "editor/CanvasSizeDialog.h"
#include "editor/CanvasTextBox.h"
#include "editor/DecorationTool.h"
#include "editor/DrawingTool.h"
#include "editor/EditPanel.h"
#include "editor/FrameDrag.h"
#include "editor/FrameEditTool.h"
#include "editor/ImageFileShell.h"
#include "editor/ImageToolbarView.h"
#include "editor/PictureView.h"
#include "editor/ResizeTool.h"
#include "editor/SelectionTool.h"
#include "editor/SkinMenuView.h"
#include "editor/StampTool.h"
#include "editor/ViewPixels.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"
#include "platform/PictureBox.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The canvas's neighbours; each may be null (not told) and must outlive the canvas.
struct CanvasNeighbours {
    CanvasMainWindow* mainWindow = nullptr;
    ImageToolbarView* imageToolbar = nullptr;
    ShortcutKeyHandler* shortcutKeys = nullptr;
    ImageFileShell* fileShell = nullptr;
    CanvasSizeDialog* sizeDialog = nullptr;
    SkinMenuView* skinMenu = nullptr; // the drop-down menu the Option button opens
};

class Imageyzviewer : public PictureBox, public CanvasModel {
public:
    // The control's background.
    static constexpr COLORREF kBackColor = RGB(224, 224, 224);

    Imageyzviewer();
    ~Imageyzviewer() override;

    // Makes the window (its back colour is the canvas's own) and the paint resources.
    [[nodiscard]] bool Create(const PictureBoxArgs& args, const CanvasNeighbours& neighbours);
    // Makes the paint resources: brushes, the panel font, the slider thumb, arrows and colour picker.
    void CreateBrush();

    // Loads and lays out. With noReload the shown image is laid out again (fileName unused); with
    // keepUndo the image is replaced without touching the undo files. False when no image is shown.
    // A picture too large for the memory left, or a file that is not a picture, is said to be so,
    // and the picture shown stays.
    [[nodiscard]] bool Import(const std::wstring& fileName, bool noReload = false, bool highQuality = false,
                              bool keepUndo = false);
    // Lays the shown image out and repaints; takes the first undo snapshot when FirstL is set.
    void PublicModle(bool noReload, bool highQuality);
    // A blank image of that size in an RGB colour, opened as a new picture.
    [[nodiscard]] bool NewImage(float width, float height, COLORREF colour);
    // Resets the frame records; wholeImage makes frame 0 the whole image and shows it.
    void CleanCroprect(bool wholeImage);
    // The one render routine (the second flag has no effect). renderToUndo draws into the current
    // undo buffer instead of the control.
    void Painting(bool rebuildThumbnail, bool unused, bool highQuality, bool renderToUndo);
    // The colour-picker panel at the top right.
    void ColorControl();

    // The apply step: the current Effect's result becomes the next undo step and is shown at once
    // (its file is written in the background). False when the mode made no step: then the shown
    // image, the step index and the flags are as they were.
    bool SaveUndo();
    // The grey style and the flips: the host sets Effect 8, 23 or 24 first.
    bool GreyEffect() { return SaveUndo(); }
    // A whole-image effect (12 blur, 13 sharpen, 14 soften, 15 antialias, 16 ripple) applied as a
    // step; Effect takes the id without a change notification and keeps it afterwards.
    bool ThirdEffect(int32_t effectId);
    // One step back (undo) or forward; false when there is no such step or its file cannot be read
    // (then nothing changes). The picture counts as saved exactly when the step reached is the one
    // the shown file holds.
    bool UndoAndRedo(bool undo = false);
    // Draws the shown image again where it was when the last step was applied.
    void UnRedoPaint();

    // Writes the shown image to fileName with the encoder of format (0 bmp, 1 jpeg with quality,
    // 2 gif, 5 tiff, 6 png); a failed save leaves an existing file as it was. A JPEG keeps the EXIF
    // block of the JPEG opened. SaveState is the caller's: a copy written elsewhere (the stamp
    // library, Save a Copy) leaves the edit unsaved.
    [[nodiscard]] bool SaveImage(const std::wstring& fileName, int32_t format, int32_t quality = 0);
    // The shown image has just been written to fileName by SaveImage as the picture's new file
    // (Save As): it is the shown file from now on, holding the step shown.
    void SavedAs(const std::wstring& fileName);
    // Writes the shown image over its own file, the encoder chosen by the extension. Refused for an
    // extension without an encoder and for a scratch copy (a new image, the copy shown after a
    // delete): those are saved with SaveImage under a name the user picks. When the file still
    // holds the picture shown nothing is written, and that counts as saved.
    [[nodiscard]] bool SaveOnly();
    // Whether SaveOnly would write the shown picture over its file now (not when it cannot, nor
    // when the file already holds the picture shown): the host asks about what would be lost first.
    [[nodiscard]] bool SaveOnlyWrites();
    // True while the shown file is one of the canvas's scratch copies.
    [[nodiscard]] bool ShowsScratchFile() const;
    // Moves the opened file to the recycle bin and shows a scratch copy of it (the picture shown, when
    // there is no memory for a second one). False (and the file is kept and shown) when the copy or
    // the recycling failed.
    [[nodiscard]] bool DeleteImage();
    void DisposeImgDIB() { ImgDIB.Destroy(); }
    // Asks for a canvas size and colour and makes a step with the image centred on that canvas.
    // False when the dialog was not confirmed with a size or the step could not be made.
    bool ResizeCanvas();

    // The edit panel's Apply: the edit becomes the next undo step at 100 % (the selections go to
    // the stamp instead). False when no step was made.
    bool ApplyEdit();
    // Abandons the edit: browse mode at 100 %, unfitted. The image's saved state stays as it was.
    void CancelEdit();

    // The canvas holds no value of its own to reset: a host that resets its controls' values may
    // call it on the canvas too, and nothing changes.
    void ResetValue() {}

    // Properties. A setter that notifies calls onPropertyChanged with the property's name.
    void SetEffect(int32_t mode);
    // Takes a zoom-slider position (55 = 100 %), repaints and notifies "Zoom". "Zoom" is also
    // notified by the paint that first shows the picture at another zoom (ShownZoom), whatever
    // changed it: fitting, a new picture, a layout while fitted, an edit's end.
    void SetZoom(float sliderPosition);
    void SetFitMode(bool value);
    // The tool parameter as a whole number (halves to even).
    [[nodiscard]] int32_t Value() const;
    // The tool parameter as the slider holds it.
    [[nodiscard]] float SliderValue() const { return panel_.SliderValue; }
    // Sets the tool parameter, ends a slider drag and remakes the fill brush.
    void SetValue(int32_t value);
    // The solid fill of ARGB (Value, 0, 0, 0) the card and colorize commits use; null until the
    // first SetValue.
    [[nodiscard]] GpSolidFill* FillBrush() const { return fillBrush_.get(); }
    [[nodiscard]] COLORREF TextColor() const { return textColor_; }
    void SetTextColor(COLORREF colour);
    // The text and calendar tools' colour: the bytes of TextColor at full alpha.
    [[nodiscard]] uint32_t TextArgb() const { return ColorARGB(255, TextR, TextG, TextB); }
    [[nodiscard]] const std::wstring& FontA() const { return fontA_; }
    void SetFontA(const std::wstring& name);
    [[nodiscard]] int32_t FontSizeA() const { return fontSizeA_; }
    void SetFontSizeA(int32_t size);
    [[nodiscard]] int32_t FontStyleA() const { return fontStyleA_; }
    void SetFontStyleA(int32_t style);
    [[nodiscard]] int32_t FontRenderA() const { return fontRenderA_; }
    void SetFontRenderA(int32_t render);
    void SetBrushSize(int32_t size) { stampTool_.SetBrushSize(size); }
    [[nodiscard]] std::wstring ShowImgWidth() const;
    [[nodiscard]] std::wstring ShowImgHeight() const;
    [[nodiscard]] bool ScreenButtonEnabled() const { return pointer_.screenButtonEnabled; }

    // Read by the tools and by tests.
    [[nodiscard]] const RectF& NavigatorRect() const { return picture_.NavigatorRect(); }
    [[nodiscard]] bool OverNavigator() const { return pointer_.overNavigator; }
    [[nodiscard]] const PanelRectArray& PanelRects() const { return panel_.Rects; }
    [[nodiscard]] int PanelIndex() const { return pointer_.panelIndex; }
    [[nodiscard]] const std::array<RectF, 10>& FrameRects() const { return frame_.Rects; }
    [[nodiscard]] PointF LastPoint() const { return pointer_.lastPoint; }
    [[nodiscard]] PointF PickPoint() const { return frameEdit_.PickPoint(); }
    [[nodiscard]] PointF ShapeEnd() const { return drawing_.ShapeEnd(); }
    [[nodiscard]] bool OverHandle() const { return frame_.OverHandle; }
    [[nodiscard]] int HandleIndex() const { return frame_.HandleIndex; }
    // Where frames lie over the picture as it is drawn now, fitted or zoomed and panned.
    [[nodiscard]] RectF FramingRect() const { return ::FramingRect(fitMode_, fitRect_, view_); }
    // Sets frame 0 (control pixels) over the picture as it is drawn now, as a drag would.
    void SetFrame(const RectF& frame) { frame_.Lay(frame, FramingRect()); }
    [[nodiscard]] COLORREF PickedColor() const { return pickedColor_; }
    // 1: the colour picker sets TextColor; otherwise the second picked colour.
    void SetPickTarget(int32_t target) { pickTarget_ = target; }

    // ---- Selections, the floating stamp and the clipboard ----
    // Makes the stamp's bitmap from an image file. With newStamp its history starts again from the
    // file, its size on the image becomes its pixel size and its frame is taken from StampRect at
    // the next paint; resetPosition puts it at the image's top-left corner. False, with the stamp,
    // its place and its history as they were, when the file cannot be read.
    bool CreateStampImg(const std::wstring& fileName, bool newStamp, bool resetPosition) {
        return stampTool_.CreateStampImg(fileName, newStamp, resetPosition);
    }
    // The canvas's part of the main window's UseStamp: the working stamp file "Librarians\Stamptemp.tmp"
    // becomes a new stamp in mode 38 (opacity slider 100 / 0 / 0, no brush, fitted, laid out).
    // False, and nothing changes, without an image or a readable stamp file (the user is told).
    bool StartStampTool(bool resetPosition) { return stampTool_.StartStampTool(resetPosition); }
    // The stamp brush kind (0 none, 1 eraser, 2 dodge, 3 burn, 4 sharpen, 5 soften, 6 saturation,
    // 7 smudge, 8 airbrush); a brush takes the bitmap of the current stamp step again.
    void StampOptions(int32_t kind) { stampTool_.Stamp().Options(kind); }
    // The eraser's tip: 0 brush, 1 pencil, 2 block.
    void EraserOptions(int32_t shape) { stampTool_.Stamp().EraserShape = shape; }
    // Sets the brush kind and repaints.
    void StampToolSelect(int32_t kind) { stampTool_.StampToolSelect(kind); }
    // A quick effect on the stamp (1 blur, 2 sharpen, 3 soften, 4 contour, 5 ripple, 6 top-bottom
    // and 7 left-right mirror) as a new stamp step. False without a stamp or when no step was made.
    bool Stampeffect(int32_t id) { return stampTool_.Stampeffect(id); }
    // Drops the brush; the next paint shows the stamp at its own size again.
    void ResetStampsize() { stampTool_.ResetStampsize(); }
    // One stamp step back (undo) or forward; false when there is none or it cannot be read.
    bool UndoStampRedo(bool undo = false) { return stampTool_.UndoStampRedo(undo); }
    [[nodiscard]] int32_t StampUndoIndex() const { return Stamp().StampUndoIndex(); }
    // The stamp, read by the host and the tools that make stamps (StampRect is in image pixels).
    [[nodiscard]] const CanvasStamp& Stamp() const { return stampTool_.Stamp(); }
    void SetStampRect(const RectF& imagePixels) { stampTool_.Stamp().StampRect = imagePixels; }
    // Copies the selection (frame 0, the lasso; the whole image without either) or, in mode 38,
    // the stamp to the clipboard. False when nothing was copied.
    bool DrawtoClipboard() { return selection_.DrawtoClipboard(); }
    // The clipboard's bitmap becomes the floating stamp; false (no stamp) without one.
    bool CreateStampfromClipboard() { return selection_.CreateStampfromClipboard(); }
    // The whole image becomes a floating stamp (a stamp-library item opened to be edited).
    bool EditingStampLib() { return selection_.EditingStampLib(); }
    // Deletes the selected pixels (the outside of an inverted selection) as a step; the selection
    // combine mode is the same afterwards. False when nothing is selected: no step, and the apply
    // step's closing work returns the host and the canvas to browsing as after a delete.
    bool CallDrawDeleteSelect() { return selection_.CallDrawDeleteSelect(); }
    // The selection object, made on first use.
    [[nodiscard]] ClsSelect& Selection() { return selection_.Selection(); }
    // The text, calendar and outline tools.
    // The outline pen's width, 1 to 25: control pixels on the preview, image pixels when applied.
    void LineWidthValue(int32_t width) { drawing_.LineWidthValue(width); }
    [[nodiscard]] float LineWidth() const { return drawing_.LineWidth(); }
    // The outline of kind 1 line, 2 rectangle, 3 ellipse between ShapeStart and ShapeEnd: on the
    // control (the points first kept on the shown image), or with toImage on target, a surface in
    // image pixels.
    void LineDrawing(int32_t kind, bool toImage, GpGraphics* target) { drawing_.LineDrawing(kind, toImage, target); }
    // The typed text at the anchor on the control; with apply, the apply step instead.
    void TextPainting(bool apply) { drawing_.TextPainting(apply); }
    // The calendar at the anchor on the control, in the month the slider names; its box becomes
    // the text box that the pointer grabs.
    void CalenderPaint() { drawing_.CalenderPaint(); }
    // Keeps an image that nothing draws yet (an earlier one is released).
    void CreatePattenImg(const std::wstring& fileName) { drawing_.CreatePattenImg(fileName); }
    // The in-place text entry (the host's text button shows and hides it).
    void ShowHidetext(float x, float y, float width, float height) { textBox_.ShowHidetext(x, y, width, height); }
    void HideText1() { textBox_.HideText1(); }
    [[nodiscard]] CanvasTextBox& TextBackground() { return textBox_; }
    [[nodiscard]] const CanvasTextBox& TextBackground() const { return textBox_; }
    [[nodiscard]] PointF TextAnchor() const { return drawing_.TextAnchor(); }
    [[nodiscard]] bool TextAnchorSet() const { return drawing_.TextAnchorSet(); }
    // Where the text or calendar was last drawn on the control: the box the pointer grabs.
    [[nodiscard]] const RectF& TextBounds() const { return drawing_.TextBounds(); }
    [[nodiscard]] PointF ShapeStart() const { return drawing_.ShapeStart(); }
    // The pending text, calendar, filled shape or outline becomes the working stamp file, cut to
    // its bounds, and the main window starts the stamp tool with it (UseStamp). False, with no
    // file written and no stamp started, when nothing is pending or the file cannot be written.
    bool Rasterize() { return drawing_.Rasterize(); }
    // Where the last rasterized drawing lay on the image (image pixels, the stamp's size).
    [[nodiscard]] const RectF& LastStampPlace() const { return drawing_.LastStampPlace(); }
    // The canvas's calendar, made at its first use.
    [[nodiscard]] ClsCalendar& Calendar() { return drawing_.Calendar(); }

    std::function<void(const std::wstring& name)> onPropertyChanged;
    // Raised at the end of the canvas's own handling.
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    std::function<void(int button, int shift, float x, float y)> MouseMove;
    std::function<void(int button, int shift, float x, float y)> MouseUp;
    std::function<void()> DblClick;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    // The tools reach the state they share with the canvas through their base.
    friend class CanvasTool;

    // The tool of the current mode.
    [[nodiscard]] CanvasTool& Tool();
    // The mode changed without a notification; the keys follow it.
    void ChangeMode(int32_t mode);
    void Notify(const wchar_t* name);
    // TextColor and its bytes, without a repaint or a notification.
    void StoreTextColor(COLORREF colour);
    void OnResize();
    void OnMouseDown(int button, int shift, float x, float y);
    void OnMouseMove(int button, int shift, float x, float y);
    void OnMouseUp(int button, int shift, float x, float y);
    // The scroll bars' ranges: the picture's travel at its own size, as a fresh unfitted load shows it.
    void SetScrollMaxima();
    // A scroll bar moved: the view pans to its value.
    void OnScroll(HWND bar, WPARAM request);
    // The edit-panel elements the current tool shows.
    [[nodiscard]] uint32_t ShownPanels() const;
    // Shows the edit panel of the current mode; refresh shows the control.
    void DrawEditPanel(bool refresh);
    // The release over panel element index.
    void RunPanelElement(int index);
    void Repaint(bool highQuality = false) { Painting(false, false, highQuality, false); }

    // The tool's overlay and panel on the control; true when the panel refreshed the control.
    bool DrawModeOverlay(GpGraphics* g);
    // Painting's render into the current undo buffer: the picture, then a framed mode's commit.
    void PaintIntoUndoBuffer(bool rebuildThumbnail);
    // Writes step (owned from here) as the next undo file, in the background, and shows it as the
    // image at once, laid out again. False, with nothing changed, for an empty step. turn says how
    // the step turned or mirrored the whole picture (an orientation; 1 not at all).
    [[nodiscard]] bool WriteUndoFile(GdipBitmap step, uint32_t turn = 1);
    // Waits for the newest step file; when its write failed, shows the step before again and says so.
    void SettleHistory();
    // A picture newly opened has no steps: the undo files go, and Undo and Redo are off.
    void StartHistory();
    // The encoder SaveOnly writes the shown file's type with; nothing for a type without one and
    // for a scratch copy.
    struct InPlaceEncoder {
        int32_t format;
        int32_t quality;
    };
    [[nodiscard]] std::optional<InPlaceEncoder> InPlaceEncoderOf() const;
    void RefreshUndoState();
    void ClosingWork(bool stepMade);
    // After every step: the stamp and the last cut go.
    void ReleaseEditLayers();

    CanvasNeighbours neighbours_;
    // The canvas's two scroll bars: VScroll runs across and pans the view in X, HScroll runs down
    // and pans it in Y. The canvas never places or shows them: they stay hidden where they were
    // made, and the user pans by dragging and with the navigator.
    HWND VScroll = nullptr;
    HWND HScroll = nullptr;
    PictureView picture_;
    CanvasPointer pointer_;
    FrameDrag frame_;
    EditPanel panel_;
    // The tools, one for each family of modes.
    BrowseTool browse_{*this};
    FrameEditTool frameEdit_{*this};
    StampTool stampTool_{*this};
    SelectionTool selection_{*this};
    DrawingTool drawing_{*this};
    AdjustTool adjust_{*this};
    DecorationTool decoration_{*this};
    ResizeTool resize_{*this};

    GdipSolidFill fillBrush_; // remade by SetValue
    int32_t applyOffsetX_ = 0, applyOffsetY_ = 0;

    // Tool and pointer state.
    std::wstring fontA_;
    int32_t fontSizeA_ = 0, fontStyleA_ = 0, fontRenderA_ = 0;
    COLORREF textColor_ = 0;
    uint8_t TextR = 0, TextG = 0, TextB = 0; // textColor_'s bytes, kept with it by StoreTextColor
    COLORREF pickedColor_ = 0;               // the second picked colour
    int32_t pickTarget_ = 1;
    float reportedZoom_ = 1.0f; // the shown zoom the host last heard of

    // The text box's keys go the canvas's way; made before the box, gone after it.
    ChildKeys childKeys_{shortcutKeys, ForwardKeys};
    CanvasTextBox textBox_;
};
