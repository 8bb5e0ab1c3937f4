#include "browser/ScrollControl.h"

#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/GdipHandles.h"
#include "platform/MouseMessages.h"
#include "platform/Rounding.h"
#include "platform/HitRect.h"

#include <windowsx.h>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// The buttons are as wide as the icon cell the bar leaves for each at its right end; the icons
// are drawn 16 x 16, centred in the bar's height.
constexpr int kButtonWidth = 32;
constexpr int kIconSize = 16;
// The pointer holds the grip 6 pixels from its left edge.
constexpr float kGripHold = 6;
// The slider's middle: the grip snaps to it from within four pixels either side.
constexpr int32_t kMiddle = 55;

ScrollControl::IconLoader& Loader() {
    static ScrollControl::IconLoader loader;
    return loader;
}

HICON LoadNamedIcon(const std::wstring& name) {
    if (Loader()) return Loader()(name);
    return static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON, kIconSize, kIconSize, LR_SHARED));
}

bool SnapsToMiddle(int32_t offset) {
    return (offset >= 51 && offset <= 54) || (offset >= 56 && offset <= 59);
}

// A vertical gradient over the bar's height.
GdipLineGradient DownGradient(float height, uint32_t from, uint32_t to) {
    GdipLineGradient brush;
    const PointF start(0, 0), end(0, height);
    GdipCreateLineBrush(&start, &end, from, to, WrapModeTileFlipXY, brush.put());
    return brush;
}

} // namespace

void ScrollControl::SetIconLoader(IconLoader loader) {
    Loader() = std::move(loader);
}

bool ScrollControl::Create(const PictureBoxArgs& args) {
    if (!PictureBox::Create(args)) return false;
    PictureBoxArgs button;
    button.parent = hWnd();
    button.width = kButtonWidth;
    button.height = Height();
    button.backColor = args.backColor;
    if (!CpThumbnaill.Create(button) || !CpThumsize.Create(button)) return false;
    for (PictureBox* b : {&CpThumbnaill, &CpThumsize}) {
        // Without the cursor resource the arrow stays: the button still works.
        static_cast<void>(b->SetMouseIcon(L"MOUSED"));
        b->ForwardKeys = false;
        b->onKeyDown = [this](int key, int shift) {
            if (shortcutKeys) shortcutKeys->HandleShortcutKey(key, shift);
        };
    }
    CpThumbnaill.onMouseUp = [this](int b, int shift, float x, float y) {
        if (isOpenthum)
            ThumClose();
        else
            ThumOpen();
        if (onOcMouseup) onOcMouseup(b, shift, x, y);
    };
    CpThumsize.onMouseUp = [this](int b, int shift, float, float) {
        if (onTsMouseup)
            onTsMouseup(b, shift, static_cast<float>(CpThumsize.Left()), static_cast<float>(CpThumsize.Height()));
    };
    sizeIcon_ = LoadNamedIcon(L"THUMSIZE");
    Place();
    return true;
}

void ScrollControl::Place() {
    CpThumbnaill.Move(Width() - kButtonWidth, 0, kButtonWidth, Height());
    CpThumsize.Move(CpThumbnaill.Left() - kButtonWidth, 0, kButtonWidth, Height());
}

void ScrollControl::HandleHDC(bool keepImages) {
    if (!keepImages) {
        static_cast<void>(trackImage_.Import(App().DataPath + L"Scroll.png"));
        static_cast<void>(gripImage_.Import(App().DataPath + L"ScrollTop.png"));
    }
    trackLeft_ = RoundHalfEven((Width() - trackImage_.Width()) / 2.0);
    gripHome_ = RoundHalfEven(trackImage_.Width() / 2.0 - gripImage_.Width() / 2.0 + trackLeft_);
    ThumSizeBarX = gripHome_;
}

void ScrollControl::ResetPaint() {
    HandleHDC(true);
    StartPaint(static_cast<float>(trackLeft_ + kMiddle), static_cast<float>(gripHome_), false);
}

void ScrollControl::StartPaint(float x, float y, bool pressed) {
    const float height = static_cast<float>(RoundHalfEven(Height())), width = static_cast<float>(Width());
    Cls();
    {
        GdipGraphics graphics = CreateGraphics();
        if (GpGraphics* g = graphics.get()) {
            if (GdipLineGradient back =
                    DownGradient(height, ColorARGB(50, 208, 208, 208), ColorARGB(255, 235, 235, 235)))
                GdipFillRectangle(g, back.get(), 0, 0, width, height);
            if (GdipLineGradient sheen =
                    DownGradient(height, ColorARGB(50, 255, 255, 255), ColorARGB(0, 255, 255, 255)))
                GdipFillRectangle(g, sheen.get(), 1, 0, width, height - 2);
            // Where no grip is drawn, none can be taken.
            gripRect_ = RectF();
            if (!canvas_ || canvas_->Effect() == 0) {
                if (GpImage* track = trackImage_.DIB())
                    GdipDrawImageRect(g, track, static_cast<float>(trackLeft_), 5, trackImage_.Width(),
                                      trackImage_.Height());
                const float gripX = x == 0 ? static_cast<float>(gripHome_) : x;
                gripRect_ = RectF(gripX, 0, gripImage_.Width(), gripImage_.Height());
                if (!pressed) gripHover_ = HitRect(gripRect_, gripX, y);
                if (GpImage* grip = gripImage_.DIB())
                    GdipDrawImageRect(g, grip, gripX, 0, gripImage_.Width(), gripImage_.Height());
                ThumSizeBarX = RoundHalfEven(gripX);
            }
        }
    }
    Refresh();
    ShowButtons();
}

void ScrollControl::OutControlScroll(float zoom) {
    // The same rule as the drag: the grip's offset along the track is 55 per unit of zoom; it
    // stays on its track whatever the zoom.
    const float lowest = static_cast<float>(trackLeft_);
    const float highest = std::max(lowest, trackLeft_ + trackImage_.Width() - gripImage_.Width());
    const float x = std::clamp(static_cast<float>(trackLeft_ + RoundHalfEven(kMiddle * static_cast<double>(zoom))),
                               lowest, highest);
    // The value and the kept place are the grip's new ones, also while no grip is drawn: a drag
    // then starts from the zoom shown, and the next paint at ThumSizeBarX shows it.
    value_ = RoundHalfEven(x) - trackLeft_;
    ThumSizeBarX = RoundHalfEven(x);
    StartPaint(x, 0, false);
}

void ScrollControl::Max(const std::wstring& text) {
    // The leading number of the text, as the runtime reads one; no number gives 0.
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    max_ = RoundHalfEven(end == text.c_str() ? 0.0 : value);
}

void ScrollControl::ThumClose() {
    paneIcon_ = LoadNamedIcon(L"CLOSETHUM");
    isOpenthum = false;
    ShowButton(CpThumbnaill, paneIcon_);
}

void ScrollControl::ThumOpen() {
    paneIcon_ = LoadNamedIcon(L"OPENTHUM");
    isOpenthum = true;
    ShowButton(CpThumbnaill, paneIcon_);
}

void ScrollControl::ShowButton(PictureBox& button, HICON icon) {
    // The button shows the bar through it, as a windowless image would, then its icon.
    if (!button.hWnd()) return;
    ::GdiFlush();
    ::BitBlt(button.hDC(), 0, 0, button.Width(), button.Height(), hDC(), button.Left(), button.Top(), SRCCOPY);
    if (icon)
        ::DrawIconEx(button.hDC(), (button.Width() - kIconSize) / 2, (button.Height() - kIconSize) / 2, icon, kIconSize,
                     kIconSize, 0, nullptr, DI_NORMAL);
    button.Refresh();
}

void ScrollControl::ShowButtons() {
    ShowButton(CpThumbnaill, paneIcon_);
    ShowButton(CpThumsize, sizeIcon_);
}

void ScrollControl::OnPress(float x, float y) {
    if (!HitRect(gripRect_, x, y)) return;
    yzisDrag = true;
    lastPointerX_ = static_cast<float>(RoundHalfEven(x));
    StartPaint(x - kGripHold, y, false);
}

float ScrollControl::OnMove(float x, float y) {
    const float trackWidth = trackImage_.Width();
    if (!yzisDrag || !gripHover_ || !(x - kGripHold > trackLeft_) || !(x < trackLeft_ + trackWidth - kGripHold))
        return x;
    gripOffset_ = std::max(std::abs(RoundHalfEven(x - trackLeft_ - kGripHold)), 6);
    if (x != lastPointerX_) {
        if (SnapsToMiddle(gripOffset_)) {
            x = static_cast<float>(gripHome_) + kGripHold;
            value_ = kMiddle;
        } else {
            value_ = gripOffset_;
        }
        StartPaint(x - kGripHold, y, false);
        lastPointerX_ = static_cast<float>(RoundHalfEven(x));
    }
    return x;
}

bool ScrollControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    const float x = static_cast<float>(GET_X_LPARAM(lp)), y = static_cast<float>(GET_Y_LPARAM(lp));
    if (msg == WM_SIZE) {
        Place();
        return false;
    }
    // The pointer as the picture box reads it (MouseMessages.h), handled before the box raises its own
    // events: the skinned bars all take it so.
    switch (PointerEventOf(msg)) {
    case PointerEvent::Press:
        OnPress(x, y);
        break;
    case PointerEvent::Release:
        yzisDrag = false;
        gripHover_ = false;
        break;
    case PointerEvent::Move: {
        // The move is reported with the pointer x the slider settled on (the middle after a snap).
        const float reported = OnMove(x, y);
        if (onMouseMove) onMouseMove(HeldButtons(wp), CurrentShiftCode(), reported, y);
        *result = 0;
        return true;
    }
    default:
        break;
    }
    return false; // the picture box still holds the mouse and raises MouseDown and MouseUp
}
