#include "output/FrmSlideshow.h"

#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "output/SlideshowRules.h"
#include "platform/AppState.h"
#include "platform/HitRect.h"
#include "platform/DoEvents.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr wchar_t kClassName[] = L"VellumoSlideshow";
constexpr const wchar_t* kLabels[] = {L"Exit", L"Back", L"Next", L"[-", L"+]"};

} // namespace

void DrawSlideBackground(PictureBox& box) {
    box.SetBackColor(RGB(0, 0, 0));
    box.Cls();
    DrawStripes(DrawTarget::Dc(box.hDC()), ColorARGB(130, 100, 142, 200), ColorARGB(150, 100, 142, 200), 0,
                static_cast<float>(box.Width()), static_cast<float>(box.Height()));
    ::GdiFlush();
}

void ShowSlideWindow(HWND window, PictureBox& view, bool takeFocus) {
    ::ShowWindow(window, SW_SHOW);
    if (takeFocus) {
        ::SetForegroundWindow(window);
        view.SetFocus();
    }
    view.Refresh();
}

bool FadeInPicture(PictureBox& box, GpImage* image, float x, float y, float w, float h, int32_t step,
                   const std::function<bool()>& keepGoing) {
    // The picture is scaled once, with the good filter; each step is then an unscaled blend.
    const int32_t bw = RoundHalfEven(w), bh = RoundHalfEven(h);
    GdipBitmap buffer;
    if (image && bw > 0 && bh > 0 &&
        GdipCreateBitmapFromScan0(bw, bh, 0, PixelFormat32bppARGB, nullptr, buffer.put()) == Ok) {
        GdipGraphics scaler;
        if (GdipGetImageGraphicsContext(buffer.get(), scaler.put()) == Ok) {
            GdipSetInterpolationMode(scaler.get(), InterpolationModeHighQuality);
            GdipDrawImageRectI(scaler.get(), image, 0, 0, bw, bh);
        }
    }
    GdipImageAttributes attributes;
    GdipCreateImageAttributes(attributes.put());
    for (const int32_t alpha : FadeAlphas(step)) {
        DoEvents();
        if (!keepGoing()) return false;
        if (buffer && attributes && box.hDC()) {
            ColorMatrix matrix{};
            for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
            matrix.m[3][3] = static_cast<float>(alpha) / 255.0f;
            GdipSetImageAttributesColorMatrix(attributes.get(), ColorAdjustTypeDefault, TRUE, &matrix, nullptr,
                                              ColorMatrixFlagsDefault);
            // A surface per step: a bar drawn meanwhile may have rewritten the buffer's pixels.
            GdipGraphics surface;
            if (GdipCreateFromHDC(box.hDC(), surface.put()) == Ok) {
                GdipSetInterpolationMode(surface.get(), InterpolationModeLowQuality);
                GdipDrawImageRectRect(surface.get(), buffer.get(), x, y - 3, static_cast<float>(bw),
                                      static_cast<float>(bh), 0, 0, static_cast<float>(bw), static_cast<float>(bh),
                                      UnitPixel, attributes.get(), nullptr, nullptr);
                GdipFlush(surface.get(), FlushIntentionSync);
            }
        }
        box.Refresh();
    }
    return true;
}

FrmSlideshow::Busy::~Busy() {
    if (--form_.busy_ == 0 && form_.destroyPending_) form_.DestroyNow();
}

FrmSlideshow::~FrmSlideshow() {
    onUnload = nullptr;
    Timer1.SetEnabled(false);
    view_.reset();
    DestroyTopLevel();
}

bool FrmSlideshow::Show(HWND owner, const SlideshowGrid* grid) {
    if (hwnd_) {
        ::SetForegroundWindow(hwnd_);
        return true;
    }
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.style = CS_DBLCLKS;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kClassName;
        return RegisterWindowClass(wc);
    }();
    if (!registered) return false;

    grid_ = grid;
    paused_ = closing_ = buttonHit_ = destroyPending_ = false;
    slideIndex_ = 0;
    hoverButton_ = 0;
    App().SlideSpeed = StartSpeed(App().SlideSpeed);

    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    if (!CreateBound(0, kClassName, L"Slideshow", WS_POPUP | WS_CLIPCHILDREN, 0, 0, sw, sh, owner)) return false;
    view_ = std::make_unique<PictureBox>();
    PictureBoxArgs args;
    args.parent = hwnd_;
    args.width = sw;
    args.height = sh;
    args.backColor = RGB(0, 0, 0);
    if (!view_->Create(args)) {
        DestroyNow();
        return false;
    }
    view_->onMouseMove = [this](int, int, float x, float y) { OnMouseMove(x, y); };
    view_->onMouseUp = [this](int, int, float, float) { OnMouseUp(); };
    view_->onDblClick = [this] { OnDblClick(); };
    view_->onKeyDown = [this](int key, int) {
        if (key == VK_ESCAPE) Unload();
    };
    // The show puts the application's pointer to "MOUSED", which wins over the window's own
    // pointer until Clean; the window's own starts as the default one. Full view changes neither.
    if (!isFullView) {
        (void)view_->SetMouseIcon(L"MOUSED");
        view_->SetMousePointer(MousePointer::Default);
        ownsScreenPointer_ = PictureBox::SetScreenPointer(L"MOUSED");
    }

    Timer1.SetInterval(25);
    Timer1.SetEnabled(false);
    Timer1.onTimer = [this] { OnTick(); };

    Layout();
    ShowSlideWindow(hwnd_, *view_, true);
    return true;
}

void FrmSlideshow::Layout() {
    ::GetCursorPos(&CursorPos);
    anchorX_ = static_cast<float>(CursorPos.x);
    anchorY_ = static_cast<float>(CursorPos.y);
    const float sw = static_cast<float>(view_->Width()), sh = static_cast<float>(view_->Height());
    buttonRects_[kExit] = {sw - 360, sh - 50, 50, 20};
    buttonRects_[kBack] = {sw - 280, sh - 50, 50, 20};
    buttonRects_[kNext] = {sw - 200, sh - 50, 50, 20};
    buttonRects_[kSlower] = {sw - 110, sh - 40, 20, 20};
    buttonRects_[kLonger] = {sw - 30, sh - 40, 20, 20};
    speedTextRect_ = {sw - 95, sh - 40, 100, 20};

    DrawSlideBackground(*view_);
    const size_t count = static_cast<size_t>(view_->Width()) * static_cast<size_t>(view_->Height());
    background_.assign(view_->Bits(), view_->Bits() + count);
    view_->Refresh();
}

void FrmSlideshow::ClearToBackground() {
    if (!view_ || !view_->Bits()) return;
    ::GdiFlush();
    const size_t count = static_cast<size_t>(view_->Width()) * static_cast<size_t>(view_->Height());
    if (background_.size() == count)
        std::memcpy(view_->Bits(), background_.data(), count * sizeof(uint32_t));
    else
        view_->Cls();
}

RectF FrmSlideshow::ButtonRect(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(buttonRects_.size())) return {};
    return buttonRects_[static_cast<size_t>(index)];
}

bool FrmSlideshow::StartSlideshow(const std::wstring& FileName, GpImage* Image, int32_t Width, int32_t Height) {
    if (!view_ || !view_->hWnd()) return false;
    Busy busy(*this);
    float srcW = 0, srcH = 0;
    GpImage* picture = Image;
    if (Image) {
        srcW = static_cast<float>(Width);
        srcH = static_cast<float>(Height);
    } else {
        // The bar redraws the picture at every move: the decoded file is kept until another is shown.
        if (FileName != loadedPath_ || !loaded_.DIB()) {
            loaded_.Destroy();
            loadedPath_ = FileName;
            if (!FileName.empty()) (void)loaded_.Import(FileName);
        }
        srcW = loaded_.Width();
        srcH = loaded_.Height();
        picture = loaded_.DIB();
    }
    float x = 0, y = 0, w = 0, h = 0;
    GdiDIB::GetBestFitInfo(srcW, srcH, static_cast<float>(view_->Width()), static_cast<float>(view_->Height()), x, y, w,
                           h);
    ClearToBackground();

    if (!paused_) {
        const int32_t step = Image ? FadeStep(0, 0) : FadeStep(srcW, srcH);
        const bool ran = FadeInPicture(*view_, picture, x, y, w, h, step, [this] { return !closing_ && !paused_; });
        return ran && !closing_ && !paused_;
    }

    if (picture && w > 0 && h > 0) {
        GdipGraphics g;
        if (GdipCreateFromHDC(view_->hDC(), g.put()) == Ok) {
            GdipSetInterpolationMode(g.get(), InterpolationModeLowQuality);
            GdipDrawImageRect(g.get(), picture, x, y - 3, w, h);
        }
    }
    DrawBar();
    view_->Refresh();
    return false;
}

void FrmSlideshow::DrawRoundButton(GpGraphics* g, const RectF& box) {
    GdipPath path = CreateRoundRectPath(box.X, box.Y, box.Width, box.Height, 10, 10);
    if (!path) return;
    GdipSolidFill fill;
    GdipPen pen;
    GdipCreateSolidFill(ColorARGB(100, 0, 0, 0), fill.put());
    GdipCreatePen1(ColorARGB(200, 255, 255, 255), 2, UnitPixel, pen.put());
    GdipFillPath(g, fill.get(), path.get());
    GdipDrawPath(g, pen.get(), path.get());
}

void FrmSlideshow::DrawBar() {
    GdipGraphics g;
    if (GdipCreateFromHDC(view_->hDC(), g.put()) != Ok) return;
    GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
    GdipSetTextRenderingHint(g.get(), TextRenderingHintAntiAliasGridFit);
    GdipFont font = CreateFontWithFallback(L"Tahoma", 8, FontStyleBold, UnitPoint);
    GdipSolidFill brush;
    GdipCreateSolidFill(ColorARGB(200, 255, 255, 255), brush.put());
    for (int32_t i = kExit; i <= kLonger; ++i) {
        const RectF& r = buttonRects_[static_cast<size_t>(i)];
        RectF label = i <= kNext ? RectF{r.X + 20, r.Y + 10, 90, 17} : r;
        if (i <= kNext) DrawRoundButton(g.get(), r);
        if (font) GdipDrawString(g.get(), kLabels[i], -1, font.get(), &label, nullptr, brush.get());
    }
    const std::wstring speed = SpeedText(App().SlideSpeed);
    if (font) GdipDrawString(g.get(), speed.c_str(), -1, font.get(), &speedTextRect_, nullptr, brush.get());
    GdipFlush(g.get(), FlushIntentionSync);
}

void FrmSlideshow::Start() {
    if (hwnd_) Timer1.SetEnabled(true);
}

void FrmSlideshow::Clean() {
    RestoreScreenPointer();
    Timer1.SetEnabled(false);
    closing_ = true;
    std::fill(background_.begin(), background_.end(), 0u);
}

void FrmSlideshow::RestoreScreenPointer() {
    // Only the show that set the application's pointer puts it back: closing a full view while a
    // show runs leaves the show's pointer alone.
    if (ownsScreenPointer_) PictureBox::ResetScreenPointer();
    ownsScreenPointer_ = false;
}

void FrmSlideshow::DelayS(const int32_t& Milliseconds) {
    Busy busy(*this);
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (closing_) return;
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        if (elapsed >= Milliseconds) return;
        // Sleeps until a message arrives or a little time passes, then lets the messages run.
        const auto left = std::min<long long>(Milliseconds - elapsed, 50);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        DoEvents();
    }
}

int32_t FrmSlideshow::ListCount() const {
    const std::vector<std::wstring> selection = NonEmptyPaths(App().SelectedFiles);
    if (selection.size() >= 2) return static_cast<int32_t>(selection.size());
    return grid_ ? std::max(grid_->ListCount(), int32_t{0}) : 0;
}

std::wstring FrmSlideshow::CurrentFile() const {
    const std::vector<std::wstring> selection = NonEmptyPaths(App().SelectedFiles);
    if (selection.size() >= 2)
        return slideIndex_ >= 0 && static_cast<size_t>(slideIndex_) < selection.size()
                   ? selection[static_cast<size_t>(slideIndex_)]
                   : std::wstring();
    if (!grid_ || slideIndex_ < 0 || slideIndex_ >= grid_->ListCount()) return {};
    return grid_->SlideFilename(slideIndex_);
}

void FrmSlideshow::OnTick() {
    if (isFullView || !view_) {
        Timer1.SetEnabled(false);
        return;
    }
    // A tick that arrives while a fade or a wait still runs comes back later instead of nesting.
    if (busy_ > 0) return;
    Timer1.SetEnabled(false);
    if (closing_ || paused_) return;
    Busy busy(*this);
    const int32_t count = ListCount();
    if (count == 0) {
        // Nothing to show: the stripes alone, and the show stops.
        ClearToBackground();
        view_->Refresh();
        return;
    }
    if (slideIndex_ >= count) slideIndex_ = 0;
    if (!StartSlideshow(CurrentFile(), nullptr, 0, 0)) return;
    DelayS(App().SlideSpeed);
    if (closing_ || paused_) return;
    slideIndex_ = WrapNext(slideIndex_, ListCount());
    Timer1.SetEnabled(true);
}

void FrmSlideshow::OnMouseMove(float x, float y) {
    if (isFullView || closing_) return;
    ::GetCursorPos(&CursorPos);
    cursorX_ = static_cast<float>(CursorPos.x);
    cursorY_ = static_cast<float>(CursorPos.y);
    view_->SetMousePointer(MousePointer::Default);
    if (!MoveBringsBar(anchorX_, anchorY_, cursorX_, cursorY_)) return;
    paused_ = true;
    buttonHit_ = false;
    for (int32_t i = kExit; i <= kLonger; ++i) {
        const RectF& r = buttonRects_[static_cast<size_t>(i)];
        if (HitRect({r.X, r.Y, r.Width + 30, r.Height + 10}, x, y)) {
            if (view_->MouseIcon()) view_->SetMousePointer(MousePointer::Custom);
            hoverButton_ = i;
            buttonHit_ = true;
            break;
        }
    }
    StartSlideshow(CurrentFile(), nullptr, 0, 0);
}

void FrmSlideshow::OnMouseUp() {
    if (isFullView || closing_) return;
    if (buttonHit_) {
        switch (hoverButton_) {
        case kExit:
            Unload();
            return;
        case kBack:
            slideIndex_ = BackIndex(slideIndex_);
            break;
        case kNext:
            slideIndex_ = NextIndex(slideIndex_, ListCount());
            break;
        case kSlower:
            App().SlideSpeed = SlowerSpeed(App().SlideSpeed);
            break;
        case kLonger:
            App().SlideSpeed = LongerSpeed(App().SlideSpeed);
            break;
        default:
            break;
        }
        StartSlideshow(CurrentFile(), nullptr, 0, 0);
        return;
    }
    ::GetCursorPos(&CursorPos);
    anchorX_ = static_cast<float>(CursorPos.x);
    anchorY_ = static_cast<float>(CursorPos.y);
    paused_ = false;
    Timer1.SetEnabled(true);
}

void FrmSlideshow::OnDblClick() {
    if (paused_) return;
    closing_ = true;
    Unload();
}

void FrmSlideshow::Unload() {
    if (!hwnd_ && !view_) return;
    Clean();
    if (busy_ > 0) {
        destroyPending_ = true;
        return;
    }
    DestroyNow();
}

void FrmSlideshow::DestroyNow() {
    destroyPending_ = false;
    Timer1.SetEnabled(false);
    // Deleting the box from inside one of its own handlers is allowed: it checks that it lives on.
    view_.reset();
    DestroyTopLevel();
    background_.clear();
    loaded_.Destroy();
    loadedPath_.clear();
    if (onUnload) onUnload();
}

bool FrmSlideshow::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
    *result = 0;
    switch (msg) {
    case WM_NCDESTROY:
        RestoreScreenPointer();
        // Destroyed with its owner: the loops still running stop at their next check.
        closing_ = true;
        Timer1.SetEnabled(false);
        return false;
    case WM_CLOSE:
        Unload();
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_SETFOCUS:
        if (view_ && view_->hWnd()) view_->SetFocus();
        return true;
    default:
        return false;
    }
}
