#include "editor/Imageyzviewer.h"

#include "editor/CanvasTool.h"
#include "editor/EditPanelActions.h"
#include "editor/ModDialogCOlor.h"
#include "editor/OutsideEffect.h"
#include "editor/StepRender.h"

#include "imaging/EffectBuffers.h"
#include "imaging/GdipMakers.h"
#include "imaging/JpegExif.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace {

// Posted by the undo history's writer when a step file is done.
constexpr UINT kStepWritten = WM_APP + 0x39;

} // namespace

Imageyzviewer::Imageyzviewer() {
    App().EraserMenu = L"Stamp_Brusheraser";
    App().VectorMenu = L"Vector_Single";
}

Imageyzviewer::~Imageyzviewer() {
    // The window goes first so that no message reaches a half-destroyed canvas.
    Destroy();
    picture_.Release();
    panel_.Release();
}

bool Imageyzviewer::Create(const PictureBoxArgs& args, const CanvasNeighbours& neighbours) {
    PictureBoxArgs own = args;
    own.backColor = kBackColor;
    if (!PictureBox::Create(own)) return false;
    neighbours_ = neighbours;
    shortcutKeys = neighbours.shortcutKeys;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    VScroll = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_HORZ, -48, 112, 65, 17, hWnd(), nullptr, instance,
                                nullptr);
    HScroll = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, 0, 136, 17, 65, hWnd(), nullptr, instance,
                                nullptr);
    ChangeMode(effect_);
    onMouseDown = [this](int b, int s, float x, float y) { OnMouseDown(b, s, x, y); };
    onMouseMove = [this](int b, int s, float x, float y) { OnMouseMove(b, s, x, y); };
    onMouseUp = [this](int b, int s, float x, float y) { OnMouseUp(b, s, x, y); };
    onDblClick = [this] {
        if (DblClick) DblClick();
    };
    onResize = [this] { OnResize(); };
    history_.NotifyWhenWritten(hWnd(), kStepWritten);
    CreateBrush();
    if (textBox_.Create(hWnd(), kBackColor)) {
        textBox_.onChange = [this] { Repaint(); };
        // Back on the canvas the pointer is the arrow until the canvas's own hover picks another.
        textBox_.onText1MouseMove = [this] { SetMousePointer(MousePointer::Default); };
    }
    // A click on the text box's frame leaves the keys where the canvas's own go (nowhere while
    // the text tool types).
    textBox_.shortcutKeys = &childKeys_;
    DrawFrameRect(hDC(), 1, 1, static_cast<float>(Width()), static_cast<float>(Height()));
    Refresh();
    return true;
}

bool Imageyzviewer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    if ((msg == WM_HSCROLL || msg == WM_VSCROLL) && lp != 0) {
        OnScroll(reinterpret_cast<HWND>(lp), wp);
        *result = 0;
        return true;
    }
    if (msg != kStepWritten) return false;
    // A failed write is told as soon as it is known, not at the next edit.
    if (history_.WriteEnded()) SettleHistory();
    *result = 0;
    return true;
}

void Imageyzviewer::CreateBrush() {
    picture_.CreateResources(effect_);
    panel_.LoadImages();
}

void Imageyzviewer::Notify(const wchar_t* name) {
    if (onPropertyChanged) onPropertyChanged(name);
}

// ---- Properties ----

void Imageyzviewer::ChangeMode(int32_t mode) {
    effect_ = mode;
    ForwardKeys = mode != 4; // the text tool's keys belong to the text being typed
}

void Imageyzviewer::SetEffect(int32_t mode) {
    ChangeMode(mode);
    Notify(L"Effect");
}

void Imageyzviewer::SetZoom(float sliderPosition) {
    zoom_ = ZoomFromSlider(sliderPosition);
    reportedZoom_ = ShownZoom(); // told below, once
    Painting(false, true, false, false);
    Notify(L"Zoom");
}

// The properties below are set alike: store, repaint where the picture shows it, tell the host by name.
void Imageyzviewer::SetFitMode(bool value) {
    fitMode_ = value;
    Notify(L"FitMode");
}

void Imageyzviewer::StoreTextColor(COLORREF colour) {
    textColor_ = colour;
    SplitRGB(colour, TextR, TextG, TextB);
}

void Imageyzviewer::SetTextColor(COLORREF colour) {
    StoreTextColor(colour);
    Repaint();
    Notify(L"TextColor");
}

void Imageyzviewer::SetFontA(const std::wstring& name) {
    fontA_ = name;
    textBox_.SetFontName(name);
    Repaint();
    Notify(L"FontA");
}

void Imageyzviewer::SetFontSizeA(int32_t size) {
    fontSizeA_ = size;
    Repaint();
    Notify(L"FontSizeA");
}

void Imageyzviewer::SetFontStyleA(int32_t style) {
    fontStyleA_ = style;
    Repaint();
    Notify(L"FontStyleA");
}

void Imageyzviewer::SetFontRenderA(int32_t render) {
    fontRenderA_ = render;
    Repaint();
    Notify(L"FontRenderA");
}

std::wstring Imageyzviewer::ShowImgWidth() const {
    return NumberText(ImgDIB.Width());
}
std::wstring Imageyzviewer::ShowImgHeight() const {
    return NumberText(ImgDIB.Height());
}

// ---- Import and layout ----

bool Imageyzviewer::Import(const std::wstring& fileName, bool noReload, bool highQuality, bool keepUndo) {
    if (!noReload) {
        bool lackedMemory = false;
        const bool loaded = LoadImageFile(fileName, &lackedMemory);
        if (!loaded) {
            // Nothing has changed: the picture shown before, if any, stays with its file and steps.
            // The message is modal over the main window, as an open's are.
            const std::wstring name = GetFileName(fileName);
            const std::wstring why = lackedMemory ? L"There is not enough memory left to open " + name + L"."
                                                  : name + L" cannot be opened: it is not a picture, or it is damaged.";
            (void)ShowMessageBox(::GetAncestor(hWnd(), GA_ROOT), why + (NoOpen() ? L" The picture shown stays." : L""),
                                 L"Open", MB_OK | MB_ICONEXCLAMATION);
            return NoOpen();
        }
        if (!keepUndo) StartHistory();
    }
    PublicModle(noReload, highQuality);
    // On its side, the picture is not to be taken for the way the photograph was meant to be seen.
    if (!noReload && OpenedUnturned() != 0)
        (void)ShowMessageBox(
            ::GetAncestor(hWnd(), GA_ROOT),
            GetFileName(fileName) +
                L" could not be turned upright: there is not enough memory left. It is shown as stored.",
            L"Open", MB_OK | MB_ICONEXCLAMATION);
    return NoOpen();
}

void Imageyzviewer::StartHistory() {
    ClearHistory();
    if (!neighbours_.imageToolbar) return;
    neighbours_.imageToolbar->EnabledID(8, false);
    neighbours_.imageToolbar->EnabledID(9, false);
    neighbours_.imageToolbar->StartPaint();
}

void Imageyzviewer::PublicModle(bool noReload, bool highQuality) {
    if (!NoOpen()) return;
    const float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    // A tool's frames, rubber bands and stamp are in control pixels of the old layout.
    if (effect_ != 0) Tool().BeforeLayOut();
    LayOut(w, h, !noReload && !fitMode_);
    if (!noReload && !fitMode_) SetScrollMaxima();
    if (effect_ != 0) picture_.RebuildViewBuffer(*this, BackColor());
    Painting(true, false, highQuality, false);
    // A failed step-0 write leaves FirstL cleared as after a good one: the undo history then has
    // no step 0 and undo stops at the first edit.
    if (FirstL()) (void)TakeFirstSnapshot();
}

bool Imageyzviewer::NewImage(float width, float height, COLORREF colour) {
    SetFirstL(true);
    DIBsave blank;
    if (!blank.CreateBlankMemory(RoundHalfEven(height), RoundHalfEven(width)) || !blank.MemGraphics) return false;
    GdipSolidFill fill = MakeSolidFill(RGBToARGB(colour, 255));
    GdipFillRectangle(blank.MemGraphics, fill.get(), 0, 0, width, height);
    const std::wstring path = NewImageFile();
    if (!blank.Save(path, kFormatPng, 90)) return false;
    return Import(path, false, false, false);
}

void Imageyzviewer::CleanCroprect(bool wholeImage) {
    pointer_.downPoint = pointer_.currentPoint = PointF();
    drawing_.ClearShape();
    frame_.Clear();
    if (!wholeImage) return;
    // Frames are in control pixels: the whole image is the picture as shown. The red-eye tool's
    // frame, at most 100 x 100, goes where the screen shows the picture.
    const RectF picture = FramingRect();
    const RectF view(0, 0, static_cast<float>(Width()), static_cast<float>(Height()));
    frame_.Lay(effect_ == 9 ? RedEyeFrameForAll(picture, view) : picture, picture);
    // Shown at once by a tool that draws it, as the tool holds it, so that Apply works on the
    // frame the screen shows.
    if (HasDraggedFrame(effect_) || effect_ == 38) Painting(false, false, false, false);
}

void Imageyzviewer::SetScrollMaxima() {
    const auto setMax = [](HWND bar, int32_t shown, int control) {
        const int64_t travel = static_cast<int64_t>(shown) - control;
        // A maximum a 16-bit scroll bar cannot hold is not set.
        if (!bar || travel < INT16_MIN || travel > INT16_MAX) return;
        ::SetScrollRange(bar, SB_CTL, std::min<int>(0, static_cast<int>(travel)),
                         std::max<int>(0, static_cast<int>(travel)), FALSE);
    };
    setMax(VScroll, view_.ShownWidth, Width());
    setMax(HScroll, view_.ShownHeight, Height());
}

void Imageyzviewer::OnScroll(HWND bar, WPARAM request) {
    if (bar != VScroll && bar != HScroll) return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(bar, SB_CTL, &info)) return;
    // One unit a line and a page, the scroll bar's smallest steps.
    int value = info.nPos;
    switch (LOWORD(request)) {
    case SB_LINEUP:
    case SB_PAGEUP:
        --value;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        ++value;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        value = static_cast<int16_t>(HIWORD(request)); // the ranges are 16-bit
        break;
    case SB_TOP:
        value = info.nMin;
        break;
    case SB_BOTTOM:
        value = info.nMax;
        break;
    default:
        return; // the end of a scroll changes nothing
    }
    value = std::clamp(value, info.nMin, info.nMax);
    ::SetScrollPos(bar, SB_CTL, value, FALSE);
    if (bar == VScroll)
        view_.OffsetX = -value;
    else
        view_.OffsetY = -value;
    Repaint();
}

void Imageyzviewer::OnResize() {
    Cls();
    DrawFrameRect(hDC(), 1, 1, static_cast<float>(Width()), static_cast<float>(Height()));
    if (!Import(L"", true, true, false)) Refresh();
    textBox_.MoveText1(0, 0);
}

// ---- Painting ----

void Imageyzviewer::Painting(bool rebuildThumbnail, bool, bool highQuality, bool renderToUndo) {
    if (!ImgDIB.DIB() || !hWnd()) return;
    if (renderToUndo) {
        PaintIntoUndoBuffer(rebuildThumbnail);
        return;
    }
    const float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    Cls();
    GdipGraphics own = CreateGraphics();
    if (!own) return;
    GpGraphics* g = own.get();
    GdipSetPixelOffsetMode(g, PixelOffsetModeHighSpeed);
    GdipSetInterpolationMode(g, highQuality ? InterpolationModeHighQualityBicubic : InterpolationModeLowQuality);

    LayOutForPaint(w, h);
    // The navigator moves the view before the image is drawn, so that the frame shows the place
    // the pointer is on rather than the one of the previous paint.
    if (!fitMode_ && pointer_.overNavigator && !rebuildThumbnail && NavigatorShown(view_, w, h)) {
        const NavigatorFollow follow =
            FollowNavigator(NavigatorThumbRect(ImgDIB.Width(), ImgDIB.Height(), w, h), view_, w, h, pointer_.lastPoint);
        pointer_.lastPoint = follow.pointer;
        view_.OffsetX = follow.OffsetX;
        view_.OffsetY = follow.OffsetY;
        LayOutZoomed(view_, ImgDIB.Width(), ImgDIB.Height(), zoom_, w, h, false);
    }
    // A frame keeps covering the same pixels wherever the picture is drawn now (zoomed, fitted, panned).
    frame_.FollowPicture(FramingRect());
    picture_.UpdateThumbnail(*this, rebuildThumbnail);

    picture_.Draw(g, *this, *this, false);
    if (!fitMode_ && NavigatorShown(view_, w, h)) picture_.DrawNavigator(g, *this, *this, pointer_, rebuildThumbnail);
    GdipFlush(g, FlushIntentionSync);
    if (!DrawModeOverlay(g)) Refresh();
    EndPaint(view_);
    if (ShownZoom() != reportedZoom_) {
        reportedZoom_ = ShownZoom();
        Notify(L"Zoom");
    }
}

void Imageyzviewer::PaintIntoUndoBuffer(bool rebuildThumbnail) {
    // The buffer exists only while an apply step makes its step. The view stays the screen's.
    if (!undoBuffers_.Surface()) return;
    if (rebuildThumbnail) picture_.UpdateThumbnail(*this, true);
    if (fitMode_)
        picture_.Draw(undoBuffers_.Surface(), *this, *this, true);
    else
        undoBuffers_.DrawImage(ImgDIB.DIB(), ImgDIB.Width(), ImgDIB.Height());
    Tool().CommitFrameEdit();
}

bool Imageyzviewer::DrawModeOverlay(GpGraphics* g) {
    return Tool().DrawOverlay(g);
}

void Imageyzviewer::ColorControl() {
    panel_.DrawColourPicker(*this);
    if (pointer_.OnPanel(kPanelPicker) && LeftDown) {
        const COLORREF picked = Point(RoundHalfEven(pointer_.lastPoint.X), RoundHalfEven(pointer_.lastPoint.Y));
        if (picked == CLR_INVALID) return;
        if (pickTarget_ == 1)
            StoreTextColor(picked); // the text tool draws in the picked colour too
        else
            pickedColor_ = picked;
    }
}

void Imageyzviewer::DrawEditPanel(bool refresh) {
    const bool sliderDrag = LeftDown && pointer_.OnPanel(kPanelSlider);
    panel_.Draw(*this, effect_, max_, min_, sliderDrag ? std::optional<float>(pointer_.currentPoint.X) : std::nullopt,
                refresh);
}

// ---- Mouse ----

uint32_t Imageyzviewer::ShownPanels() const {
    return ShownPanelElements(effect_, stampTool_.Stamp().StampBrushKind == kStampAirbrush);
}

CanvasTool& Imageyzviewer::Tool() {
    for (CanvasTool* tool : std::initializer_list<CanvasTool*>{&frameEdit_, &adjust_, &drawing_, &selection_, &resize_,
                                                               &decoration_, &stampTool_})
        if (tool->Handles(effect_)) return *tool;
    return browse_;
}

void Imageyzviewer::OnMouseDown(int button, int shift, float x, float y) {
    pointer_.lastPoint = pointer_.downPoint = pointer_.currentPoint = PointF(x, y);
    pointer_.moved = false;
    pointer_.dragShift = 0;
    LeftDown = button == MouseButton::Left;
    pointer_.downButton = button;
    if (button != MouseButton::Left) {
        // Another button ends the lasso, whatever the mode.
        selection_.EndLasso();
        Repaint();
    } else {
        Tool().Press(x, y);
    }
    if (MouseDown) MouseDown(button, shift, x, y);
}

void Imageyzviewer::OnMouseMove(int button, int shift, float x, float y) {
    if (LeftDown) {
        pointer_.dragShift = shift;
        pointer_.moved = true;
        if (!fitMode_) SetMousePointer(MousePointer::Custom);
        Tool().Drag(shift, x, y);
    } else {
        // What lies under the pointer is found only while no button is held.
        pointer_.screenButtonEnabled = false;
        Tool().Hover(x, y);
    }
    pointer_.lastPoint = PointF(x, y);
    if (MouseMove) MouseMove(button, shift, x, y);
}

void Imageyzviewer::OnMouseUp(int button, int shift, float x, float y) {
    LeftDown = false;
    frame_.Release();
    drawing_.EndPress();
    if (pointer_.screenButtonEnabled) {
        // Only a release on the element the press was on runs it.
        if (button == MouseButton::Left &&
            ShownPanelElementAt(panel_.Rects, ShownPanels(), kPanelStampRedo, x, y) == pointer_.panelIndex)
            RunPanelElement(pointer_.panelIndex);
        Tool().ReleaseOnPanel();
        if (neighbours_.imageToolbar) neighbours_.imageToolbar->PressDownID(5, false);
    } else {
        Tool().Release();
    }
    if (MouseUp) MouseUp(button, shift, x, y);
}

void Imageyzviewer::RunPanelElement(int index) {
    if (index == kPanelApply) {
        (void)ApplyEdit();
        textBox_.HideText1();
        drawing_.DropAnchor();
    } else if (index == kPanelCancel) {
        const int answer = ShowMessageBox(hWnd(), L"Do you want to save the changes you've made to this image?", L"",
                                          MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDYES)
            (void)ApplyEdit();
        else if (answer == IDNO)
            CancelEdit();
        // A stamp the answer made (a selection applied) stays; the last cut goes.
        if (answer == IDYES || answer == IDNO) selection_.ReleaseCut();
    } else if (index == kPanelOption && neighbours_.skinMenu) {
        // A second press closes it; the menu's own state counts, as a pick or the host may have closed it.
        const bool show = !neighbours_.skinMenu->Visible();
        const CanvasMainWindow::Placement at =
            neighbours_.mainWindow ? neighbours_.mainWindow->CanvasPlacement() : CanvasMainWindow::Placement{};
        ShowOptionMenu(*neighbours_.skinMenu, effect_, at, panel_.Rects[kPanelOption].X, show);
    } else if (index == kPanelStampUndo || index == kPanelStampRedo) {
        (void)UndoStampRedo(index == kPanelStampUndo);
    }
}

bool Imageyzviewer::ApplyEdit() {
    zoom_ = 1.0f;
    return Tool().Apply();
}

void Imageyzviewer::CancelEdit() {
    Tool().Cancel();
    ChangeMode(0);
    zoom_ = 1.0f;
    fitMode_ = false;
    if (neighbours_.mainWindow) neighbours_.mainWindow->SetTextBarVisible(false);
    Painting(true, false, false, false);
    if (neighbours_.mainWindow) neighbours_.mainWindow->SetSelEffect(0);
    if (neighbours_.skinMenu) neighbours_.skinMenu->SetPressMenuID(L"Filter_Browse");
    selection_.ResetLasso();
    FreeEffectBuffers();
    textBox_.HideText1();
    drawing_.DropAnchor();
    // AppliedEffect and SaveState stay: edits applied before this one still want saving.
    if (neighbours_.mainWindow) neighbours_.mainWindow->FormOption(true, true);
}

// ---- The apply step, the undo history and saving ----

bool Imageyzviewer::WriteUndoFile(GdipBitmap step, uint32_t turn) {
    if (!step) return false;
    GdipImage shown;
    if (GdipCloneImage(step.get(), shown.put()) != Ok) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(shown.get(), &w);
    GdipGetImageHeight(shown.get(), &h);
    PushStep(std::move(step), turn);
    ImgDIB.SetDIB(shown.release());
    ImgDIB.SetWidth(static_cast<float>(w));
    ImgDIB.SetHeight(static_cast<float>(h));
    LayOut(static_cast<float>(Width()), static_cast<float>(Height()), false);
    return true;
}

void Imageyzviewer::SettleHistory() {
    if (history_.Settle()) return;
    const int32_t failed = history_.FailedStep();
    if (failed > 0) {
        // The newest step could not be written: the step before it is shown again.
        GdiDIB before;
        if (before.Import(UndoFile(history_.Index()))) {
            ImgDIB = std::move(before);
            LayOut(static_cast<float>(Width()), static_cast<float>(Height()), false);
            Painting(true, false, false, false);
        }
    }
    RefreshUndoState();
    const std::wstring said = failed > 0 ? L" The last edit has been undone."
                                         : L" The edits that follow cannot be undone back to the picture as opened.";
    (void)ShowMessageBox(hWnd(), L"The undo file " + UndoFile(failed) + L" could not be written." + said, L"Undo",
                         MB_OK | MB_ICONEXCLAMATION);
}

void Imageyzviewer::RefreshUndoState() {
    const int32_t index = history_.Index();
    UndoE = index != 0 && history_.HasStep(index - 1);
    RedoE = history_.HasStep(index + 1);
    if (neighbours_.imageToolbar) {
        neighbours_.imageToolbar->EnabledID(8, UndoE);
        neighbours_.imageToolbar->EnabledID(9, RedoE);
        neighbours_.imageToolbar->StartPaint();
    }
}

void Imageyzviewer::ClosingWork(bool stepMade) {
    ReleaseEditLayers();
    if (neighbours_.mainWindow) {
        neighbours_.mainWindow->SetSelEffect(0);
        neighbours_.mainWindow->FormOption(true, true);
    }
    RefreshUndoState();
    // A mode that changed nothing leaves nothing to save.
    if (stepMade) {
        AppliedEffect = true;
        SaveState = false;
    }
}

void Imageyzviewer::ReleaseEditLayers() {
    stampTool_.Stamp().Release();
    selection_.ReleaseCut();
}

bool Imageyzviewer::SaveUndo() {
    if (!NoOpen()) return false;
    SettleHistory();
    if (TakeMissingFirstStep()) SettleHistory();
    Hourglass wait;
    applyOffsetX_ = view_.OffsetX;
    applyOffsetY_ = view_.OffsetY;
    // The tool of the mode as the step starts: deleting a selection cuts in the mode before it.
    CanvasTool& tool = Tool();
    const int32_t mode = effect_;
    const bool made = WriteUndoFile(tool.RenderStep(), StepTurn(mode));
    if (made) {
        tool.AfterStep(mode);
        // The engine's effects stay chosen, so the next one can follow at once.
        if (!IsOutsideEffect(mode)) {
            ChangeMode(0);
        }
        Painting(true, false, false, false);
    }
    ClosingWork(made);
    return made;
}

bool Imageyzviewer::ThirdEffect(int32_t effectId) {
    ChangeMode(effectId);
    return SaveUndo();
}

int32_t Imageyzviewer::Value() const {
    return RoundHalfEven(panel_.SliderValue);
}

void Imageyzviewer::SetValue(int32_t value) {
    pointer_.screenButtonEnabled = false;
    panel_.SliderValue = static_cast<float>(value);
    // The value is the brush's alpha byte; the host keeps it within 0 to 255.
    const auto alpha = static_cast<uint32_t>(std::clamp(value, 0, 255));
    fillBrush_.reset();
    GdipCreateSolidFill(alpha << 24, fillBrush_.put());
}

bool Imageyzviewer::UndoAndRedo(bool undo) {
    SettleHistory();
    int32_t step = history_.Index() + (undo ? -1 : 1);
    if (!undo && !UndoHistory::StepExists(step)) return false; // past the newest step
    if (step < 0) step = 0;
    Hourglass wait;
    // Read into a new image first: a step that cannot be read changes nothing.
    GdiDIB loaded;
    if (!loaded.Import(UndoFile(step))) return false;
    ImgDIB = std::move(loaded);
    history_.SetIndex(step);
    (void)Import(L"", true, false, false);
    RefreshUndoState();
    // Away from the picture the file holds there is something to save; back at it there is not.
    SaveState = ShowsSavedStep();
    AppliedEffect = !SaveState;
    return true;
}

void Imageyzviewer::UnRedoPaint() {
    if (!NoOpen()) return;
    GdipGraphics g = CreateGraphics();
    if (!g) return;
    GdipSetInterpolationMode(g.get(), InterpolationModeHighQualityBicubic);
    if (fitMode_) {
        GdipDrawImageRect(g.get(), ImgDIB.DIB(), fitRect_.X, fitRect_.Y, fitRect_.Width, fitRect_.Height);
    } else {
        view_.OffsetX = applyOffsetX_;
        view_.OffsetY = applyOffsetY_;
        GdipDrawImageRectI(g.get(), ImgDIB.DIB(), view_.OffsetX, view_.OffsetY, view_.ShownWidth, view_.ShownHeight);
    }
    g.reset();
    Refresh();
}

namespace {

// The shown image written through the encoder of format by way of a temporary file. A JPEG carries
// the EXIF block of the JPEG the picture was opened from, made fit for the pixels as saved; a JPEG
// or a TIFF names the turn the pixels still need to show upright (orientation).
bool WriteImage(GpImage* image, const std::wstring& fileName, int32_t format, int32_t quality, const std::string& exif,
                uint32_t orientation) {
    ImageType type = ImageTypeUnknown;
    GdipGetImageType(image, &type);
    GdipBitmap copy;
    if (type != ImageTypeBitmap) {
        // A metafile goes to the bitmap encoders as its picture.
        copy = FullCopy(image);
        if (!copy) return false;
        image = copy.get();
    }
    if (format == kFormatTiff) return SaveTiffWithOrientation(image, fileName, orientation);
    if (format != kFormatJpeg) return SaveImageSafely(image, fileName, format, quality);
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    return SaveJpegWithExif(image, fileName, quality, ExifForSavedPicture(exif, w, h, orientation));
}

} // namespace

bool Imageyzviewer::SaveImage(const std::wstring& fileName, int32_t format, int32_t quality) {
    if (!NoOpen() || fileName.empty()) return false;
    // A step whose file could not be written is taken back first: what is saved is what stays shown.
    SettleHistory();
    Hourglass wait;
    return WriteImage(ImgDIB.DIB(), fileName, format, quality, OpenedExif(), PendingOrientation());
}

void Imageyzviewer::SavedAs(const std::wstring& fileName) {
    if (!NoOpen() || fileName.empty()) return;
    CurFilename = fileName;
    history_.SavedHere();
}

bool Imageyzviewer::ShowsScratchFile() const {
    return IsScratchFile(CurFilename);
}

std::optional<Imageyzviewer::InPlaceEncoder> Imageyzviewer::InPlaceEncoderOf() const {
    if (!NoOpen() || CurFilename.empty() || ShowsScratchFile() || !neighbours_.fileShell) return std::nullopt;
    const std::wstring ext = neighbours_.fileShell->GetFileExt(CurFilename);
    if (ext == L"bmp") return InPlaceEncoder{kFormatBmp, 90};
    if (ext == L"gif") return InPlaceEncoder{kFormatGif, 90};
    if (ext == L"jpg" || ext == L"jpeg") return InPlaceEncoder{kFormatJpeg, 100};
    if (ext == L"png") return InPlaceEncoder{kFormatPng, 90};
    if (ext == L"tif" || ext == L"tiff") return InPlaceEncoder{kFormatTiff, 90};
    return std::nullopt; // no encoder for it: the file stays as it is
}

bool Imageyzviewer::SaveOnlyWrites() {
    if (!InPlaceEncoderOf()) return false;
    SettleHistory();
    // The file already holds the picture shown: writing it again would only lose quality.
    return !ShowsSavedStep() || ::GetFileAttributesW(CurFilename.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool Imageyzviewer::SaveOnly() {
    const std::optional<InPlaceEncoder> encoder = InPlaceEncoderOf();
    if (!encoder) return false;
    if (!SaveOnlyWrites()) return true;
    Hourglass wait;
    if (!WriteImage(ImgDIB.DIB(), CurFilename, encoder->format, encoder->quality, OpenedExif(), PendingOrientation()))
        return false;
    history_.SavedHere();
    return true;
}

bool Imageyzviewer::DeleteImage() {
    if (!NoOpen() || CurFilename.empty() || !neighbours_.fileShell || ShowsScratchFile()) return false;
    SettleHistory();
    Hourglass wait;
    const std::wstring original = CurFilename, scratch = DeletedCopyFile();
    // Nothing is recycled unless its copy is safe; the shown image holds no handle on its file.
    if (!::CopyFileW(original.c_str(), scratch.c_str(), FALSE)) return false;
    if (!neighbours_.fileShell->RecycleFile(original)) {
        ::DeleteFileW(scratch.c_str());
        return false;
    }
    // The copy holds the very bytes the picture shown was opened from. When it cannot be loaded
    // beside that picture (too little memory for a second one), the picture stays, as the copy's.
    if (!LoadImageFile(scratch)) {
        CurFilename = scratch;
        return true;
    }
    StartHistory();
    PublicModle(false, false);
    return true;
}

bool Imageyzviewer::ResizeCanvas() {
    if (!NoOpen() || !neighbours_.sizeDialog) return false;
    const std::optional<CanvasSizeChoice> choice =
        neighbours_.sizeDialog->Ask(::GetParent(hWnd()), RoundHalfEven(ImgDIB.Width()), RoundHalfEven(ImgDIB.Height()));
    if (!choice || choice->width <= 0 || choice->height <= 0) return false;
    SettleHistory();
    if (TakeMissingFirstStep()) SettleHistory();
    const bool made = WriteUndoFile(RenderCanvasResize(ImgDIB.DIB(), ImgDIB.Width(), ImgDIB.Height(), choice->width,
                                                       choice->height, choice->background));
    if (!made) return false;
    fitMode_ = false;
    ChangeMode(0);
    zoom_ = 1.0f;
    Painting(true, false, false, false);
    if (neighbours_.mainWindow) {
        neighbours_.mainWindow->SetSelEffect(0);
        neighbours_.mainWindow->FormOption(false, true);
    }
    RefreshUndoState();
    // A new canvas size is an edit like any other.
    AppliedEffect = true;
    SaveState = false;
    return true;
}
