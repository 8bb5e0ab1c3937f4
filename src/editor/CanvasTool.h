// A tool of the canvas: what one family of editor modes does with the pointer, draws over the
// picture and makes of it at the apply step. The canvas keeps what every tool shares (the picture
// and its layout, the pointer, frame 0, the edit panel) and hands each event to the tool of the
// current mode; a tool reaches that shared state through the accessors here, and the canvas's
// public members. Each tool overrides the events its modes handle, so their declarations read
// alike; what a mode does is in its tool's file alone.
#pragma once

#include "editor/StepRender.h"
#include "platform/GdipHandles.h"

#include <cstdint>

class Imageyzviewer;
class CanvasMainWindow;
class EditPanel;
class FrameDrag;
class OpaqueView;
class UndoBuffer;
struct CanvasPointer;
struct ZoomView;

class CanvasTool {
public:
    explicit CanvasTool(Imageyzviewer& canvas) : canvas_(canvas) {}
    virtual ~CanvasTool() = default;
    CanvasTool(const CanvasTool&) = delete;
    CanvasTool& operator=(const CanvasTool&) = delete;

    // Whether this is the tool of editor mode effect.
    [[nodiscard]] virtual bool Handles(int32_t effect) const = 0;

    // A press of the left button (the canvas has recorded the pointer's points).
    virtual void Press(float, float) {}
    // A move with the left button held; shift holds the keys. The browsing modes pan.
    virtual void Drag(int shift, float x, float y);
    // The release of the left button off the edit panel.
    virtual void Release() {}
    // The release after a press on the edit panel, once the element under it has run.
    virtual void ReleaseOnPanel() {}
    // A move without the left button: what lies under the pointer, and the cursor.
    virtual void Hover(float x, float y);

    // The mode's overlay and edit panel over the picture just drawn on g; true when the panel has
    // shown the control already.
    virtual bool DrawOverlay(GpGraphics*) { return false; }
    // The paint's render into the undo buffer (made by the tool's own apply step): the framed edit
    // baked into the picture there.
    virtual void CommitFrameEdit() {}
    // The apply step's new picture; empty when the mode makes none.
    [[nodiscard]] virtual GdipBitmap RenderStep();
    // After the apply step made mode's step, before the repaint.
    virtual void AfterStep(int32_t) {}
    // Before the shown image is laid out again (a new image, a new control size).
    virtual void BeforeLayOut();
    // The edit panel's Apply: the apply step.
    virtual bool Apply();
    // The edit abandoned, before the canvas returns to browsing.
    virtual void Cancel() {}

protected:
    [[nodiscard]] Imageyzviewer& Canvas() { return canvas_; }
    [[nodiscard]] const Imageyzviewer& Canvas() const { return canvas_; }
    [[nodiscard]] CanvasPointer& Pointer();
    [[nodiscard]] const CanvasPointer& Pointer() const;
    [[nodiscard]] FrameDrag& Frame();
    [[nodiscard]] const FrameDrag& Frame() const;
    [[nodiscard]] EditPanel& Panel();
    [[nodiscard]] const EditPanel& Panel() const;
    [[nodiscard]] UndoBuffer& StepBuffer();
    [[nodiscard]] CanvasMainWindow* MainWindow();
    // The left button is held since a press on the canvas.
    [[nodiscard]] bool LeftHeld() const;
    // The brush of the panels the tools draw (the loupes').
    [[nodiscard]] GpBrush* PanelBrush() const;
    // The view of the zoomed picture, which the tools move and size.
    [[nodiscard]] ZoomView& View();
    // Frame 0 in the picture's own pixels.
    [[nodiscard]] RectF FrameOnImage() const;
    // The fit-size copy of the picture the previews draw from; null while there is none.
    [[nodiscard]] GpImage* ViewImage() const;
    // The same composed over the back colour, when it is that of view; null otherwise.
    [[nodiscard]] const OpaqueView* OpaqueViewOf(GpImage* view) const;

    // The view follows a drag from the last pointer position.
    void Pan(float x, float y);
    // Changes of the mode and the fit that notify nobody: the steps' own bookkeeping.
    void SetModeQuietly(int32_t effect);
    void SetFitModeQuietly(bool fit);
    void SetZoomQuietly(float zoom);
    // The resize tool was pressed: from now on every paint keeps the view's centre.
    void TouchResize();
    // The repaints: all four flags false, or the thumbnail rebuilt and the interpolation chosen.
    void Repaint();
    void Paint(bool rebuildThumbnail, bool highQuality);
    void DrawEditPanel(bool refresh);

    // The hover of a framed mode: panel elements 0 to 6 (a cross off them), then, with
    // frameHandles, the elements of frame 0.
    void HoverFramed(float x, float y, bool frameHandles);
    // The hover of a slider mode: panel elements 0 to 4; idlePointer off them.
    void HoverSlider(float x, float y, int idlePointer);
    // The hover of the browsing modes: the navigator and the pan cursors.
    void HoverBrowse(float x, float y);
    // The first shown panel element from 0 to last under (x, y) becomes the hovered one, with the
    // "MOUSED" cursor ("PICKER" over the colour picker when picker); false when none is.
    bool HoverPanel(float x, float y, int last, bool picker);
    // A held move of a frame being dragged over the image as shown.
    void FollowFrame(float x, float y);
    // The sizing pointer of frame handle 1 to 8; the inside (0) and other values leave the pointer.
    void SetHandleCursor(int handle);
    // The live overlay of the frame and selection tools on g: frame 0 followed, its shade and
    // outline, the tool's preview (see FrameOverlay).
    void DrawEditOverlay(GpGraphics* g);
    // Shows the named cursor resource; without it the pointer stays as it was.
    void SetCursorByName(const wchar_t* name);

    // What the apply step of the modes drawn in StepRender reads of the canvas.
    [[nodiscard]] StepInputs BaseStepInputs() const;

private:
    Imageyzviewer& canvas_;
};
