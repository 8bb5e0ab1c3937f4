#include "editor/CanvasTool.h"

#include "editor/EditPanelActions.h"
#include "editor/FrameOverlay.h"
#include "editor/FrameTool.h"
#include "editor/Imageyzviewer.h"
#include "platform/AppState.h"
#include "platform/HitRect.h"

void CanvasTool::Drag(int, float x, float y) {
    Pan(x, y);
    Repaint();
}

void CanvasTool::Hover(float x, float y) {
    HoverBrowse(x, y);
}

GdipBitmap CanvasTool::RenderStep() {
    return ::RenderStep(BaseStepInputs());
}

void CanvasTool::BeforeLayOut() {
    DrawEditPanel(true);
}

bool CanvasTool::Apply() {
    return canvas_.SaveUndo();
}

CanvasPointer& CanvasTool::Pointer() {
    return canvas_.pointer_;
}
const CanvasPointer& CanvasTool::Pointer() const {
    return canvas_.pointer_;
}
FrameDrag& CanvasTool::Frame() {
    return canvas_.frame_;
}
const FrameDrag& CanvasTool::Frame() const {
    return canvas_.frame_;
}
EditPanel& CanvasTool::Panel() {
    return canvas_.panel_;
}
const EditPanel& CanvasTool::Panel() const {
    return canvas_.panel_;
}
UndoBuffer& CanvasTool::StepBuffer() {
    return canvas_.undoBuffers_;
}
CanvasMainWindow* CanvasTool::MainWindow() {
    return canvas_.neighbours_.mainWindow;
}
bool CanvasTool::LeftHeld() const {
    return canvas_.LeftDown;
}
GpBrush* CanvasTool::PanelBrush() const {
    return canvas_.picture_.PanelBrush();
}

ZoomView& CanvasTool::View() {
    return canvas_.view_;
}
RectF CanvasTool::FrameOnImage() const {
    return FrameInImage(canvas_.frame_.Frame(), canvas_.FramingRect(), canvas_.ImgDIB.Width(), canvas_.ImgDIB.Height());
}
GpImage* CanvasTool::ViewImage() const {
    return canvas_.picture_.ViewBuffer.new_Img;
}
const OpaqueView* CanvasTool::OpaqueViewOf(GpImage* view) const {
    return canvas_.picture_.OpaqueViewOf(view, canvas_.BackColor());
}

void CanvasTool::Pan(float x, float y) {
    PanView(canvas_.view_, canvas_.pointer_.lastPoint.X, canvas_.pointer_.lastPoint.Y, x, y);
}

void CanvasTool::SetModeQuietly(int32_t effect) {
    canvas_.ChangeMode(effect);
}

void CanvasTool::SetFitModeQuietly(bool fit) {
    canvas_.fitMode_ = fit;
}

void CanvasTool::SetZoomQuietly(float zoom) {
    canvas_.zoom_ = zoom;
}

void CanvasTool::TouchResize() {
    canvas_.ResizeTouched = true;
}

void CanvasTool::Repaint() {
    canvas_.Painting(false, false, false, false);
}

void CanvasTool::Paint(bool rebuildThumbnail, bool highQuality) {
    canvas_.Painting(rebuildThumbnail, false, highQuality, false);
}

void CanvasTool::DrawEditPanel(bool refresh) {
    canvas_.DrawEditPanel(refresh);
}

bool CanvasTool::HoverPanel(float x, float y, int last, bool picker) {
    const int i = ShownPanelElementAt(canvas_.panel_.Rects, canvas_.ShownPanels(), last, x, y);
    if (i < 0) return false;
    canvas_.pointer_.screenButtonEnabled = true;
    canvas_.pointer_.panelIndex = i;
    SetCursorByName(picker && i == kPanelPicker ? L"PICKER" : L"MOUSED");
    return true;
}

void CanvasTool::HoverFramed(float x, float y, bool frameHandles) {
    canvas_.frame_.OverHandle = false;
    if (!HoverPanel(x, y, kPanelStampRedo, true)) canvas_.SetMousePointer(MousePointer::Cross);
    if (!frameHandles) return;
    if (canvas_.frame_.HoverAt(x, y)) SetHandleCursor(canvas_.frame_.HandleIndex);
}

void CanvasTool::HoverSlider(float x, float y, int idlePointer) {
    if (!HoverPanel(x, y, kPanelOption, true)) canvas_.SetMousePointer(idlePointer);
}

void CanvasTool::HoverBrowse(float x, float y) {
    canvas_.SetMousePointer(MousePointer::Custom);
    canvas_.pointer_.overNavigator = HitRect(canvas_.picture_.NavigatorRect(), x, y);
    SetCursorByName(canvas_.pointer_.overNavigator ? L"PANVIEW" : L"SHOU");
}

void CanvasTool::FollowFrame(float x, float y) {
    const int flipped = canvas_.frame_.FollowOnImage(PointF(x, y), canvas_.pointer_.downPoint, canvas_.FramingRect());
    if (flipped >= 0) SetHandleCursor(flipped);
}

void CanvasTool::SetHandleCursor(int handle) {
    const int pointer = HandlePointer(handle);
    if (pointer >= 0) canvas_.SetMousePointer(pointer);
}

void CanvasTool::DrawEditOverlay(GpGraphics* g) {
    const Imageyzviewer& c = canvas_;
    FrameOverlayInputs in;
    in.effect = c.effect_;
    in.frame = c.frame_.Frame();
    in.fitRect = c.FramingRect();
    in.combineMode = App().SelectCombineMode;
    in.pickPoint = c.PickPoint();
    in.sliderValue = c.panel_.SliderValue;
    in.textColor = c.TextColor();
    in.pickedColor = c.PickedColor();
    in.fillMode = App().VectorMenu;
    in.pixels = BackBuffer{c.Bits(), c.Width(), c.Height()};
    in.pointer = c.pointer_.currentPoint;
    in.loupeBrush = c.picture_.PanelBrush();
    DrawFrameOverlay(g, c.hDC(), in);
    GdipFlush(g, FlushIntentionSync);
}

void CanvasTool::SetCursorByName(const wchar_t* name) {
    // Without the named cursor (no resources) the pointer stays as it was.
    (void)canvas_.SetMouseIcon(name);
}

StepInputs CanvasTool::BaseStepInputs() const {
    const Imageyzviewer& c = canvas_;
    StepInputs in;
    in.effect = c.effect_;
    in.image = c.ImgDIB.DIB();
    in.width = c.ImgDIB.Width();
    in.height = c.ImgDIB.Height();
    in.fitRect = c.fitRect_;
    in.shownWidth = c.view_.ShownWidth;
    in.shownHeight = c.view_.ShownHeight;
    in.sliderValue = c.panel_.SliderValue;
    in.max = c.max_;
    in.textColor = c.textColor_;
    return in;
}
