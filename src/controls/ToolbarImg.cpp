#include "controls/ToolbarImg.h"

#include "platform/HitRect.h"
#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"
#include "platform/WindowText.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

namespace {

constexpr COLORREF kBackColor = RGB(236, 233, 216);
constexpr int kIconSize = 27;         // the part of an icon image that is drawn, unscaled
constexpr int kSearchTextHeight = 14; // one line of the 8-point font inside the 20-pixel box

struct ButtonInfo {
    const wchar_t* icon;
    const wchar_t* caption; // empty: the button is the icon alone, 24 wide
    bool separatorAfter;
    bool enabledAtStart;
};

constexpr ButtonInfo kButtons[ToolbarImg::kButtonCount] = {
    {L"New.png", L"", true, true},
    {L"Open.png", L"Open", false, true},
    {L"Convert.png", L"Save As...", false, false},
    {L"Import.png", L"Import...", true, true},
    {L"Slideshow.png", L"Slideshow", true, false},
    {L"Fitmode.png", L"Fit Image", false, false},
    {L"Zoomout.png", L"Previous", false, false},
    {L"Zoomin.png", L"Next", true, false},
    {L"Undo.png", L"", false, false},
    {L"Redo.png", L"", false, false},
};

bool ValidId(int id) {
    return id >= 0 && id < ToolbarImg::kIdCount;
}

// Fills the strip with a vertical gradient from its top to toY, mirrored beyond.
void FillVertical(GpGraphics* g, int32_t toY, uint32_t from, uint32_t to, int width, int height) {
    const Point a{0, 0}, b{0, toY};
    GdipLineGradient brush;
    // A strip too low for the gradient to have a length gets none.
    if (GdipCreateLineBrushI(&a, &b, from, to, WrapModeTileFlipXY, brush.put()) == Ok)
        GdipFillRectangleI(g, brush.get(), 0, 0, width, height);
}

// The rounded background behind a hot or held button whose layout box starts at x.
void DrawRoundButton(GpGraphics* g, float x, float width, bool latched, bool pressed) {
    const uint32_t white = ColorARGB(255, 255, 255, 255);
    const uint32_t top = latched ? white : ColorARGB(255, 251, 250, 247);
    const uint32_t bottom = latched ? white : ColorARGB(255, 244, 242, 233);
    DrawRoundGradientRect(DrawTarget::Surface(g), 0, 0, 0, 30, x - 5, 4, width - 8, 20, 10, 10, top, bottom, pressed, 1,
                          ColorARGB(255, 235, 232, 214));
}

void DrawSplit(GpGraphics* g, float x, int height) {
    const float bottom = static_cast<float>(height - 5);
    GdipPen dark = MakePen(ColorARGB(50, 0, 0, 0), 1);
    GdipPen light = MakePen(ColorARGB(255, 255, 255, 255), 1);
    if (dark) GdipDrawLine(g, dark.get(), x, 5, x, bottom);
    if (light) GdipDrawLine(g, light.get(), x + 1, 5, x + 1, bottom);
}

} // namespace

ToolbarImg::ToolbarImg(ToolbarSearchGrid& grid) : grid_(grid) {
    for (int32_t i = 0; i < kButtonCount; ++i) buttonEnabled_[static_cast<size_t>(i)] = kButtons[i].enabledAtStart;
    PictureBox::onMouseMove = [this](int, int, float x, float y) { OnPointerMove(x, y); };
    PictureBox::onMouseDown = [this](int button, int shift, float x, float y) {
        pressID_ = kNoButton;
        if (goHot_)
            Search(SearchText(), true);
        else
            ImagePaint(true, x, y);
        if (onMouseDown) onMouseDown(button, shift, hotButtonLeft_, y);
    };
    PictureBox::onMouseUp = [this](int button, int shift, float, float y) {
        if (onMouseUp) onMouseUp(button, shift, hotButtonLeft_, y);
    };
}

ToolbarImg::~ToolbarImg() {
    // The box's subclass reaches back into this object: it goes before the members do.
    if (searchText_) ::DestroyWindow(searchText_);
}

bool ToolbarImg::Create(const PictureBoxArgs& args) {
    PictureBoxArgs own = args;
    own.backColor = kBackColor;
    if (!PictureBox::Create(own)) return false;
    searchText_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                    hWnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!searchText_ ||
        !::SetWindowSubclass(searchText_, &ToolbarImg::SearchTextProc, 1, reinterpret_cast<DWORD_PTR>(this))) {
        Destroy();
        return false;
    }
    LOGFONTW lf{};
    {
        WindowDc screen(nullptr);
        lf.lfHeight = -::MulDiv(8, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    }
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    searchFont_.reset(::CreateFontIndirectW(&lf));
    if (searchFont_) ::SendMessageW(searchText_, WM_SETFONT, reinterpret_cast<WPARAM>(searchFont_.get()), FALSE);
    Layout();
    return true;
}

void ToolbarImg::Layout() {
    const int height = Height();
    searchX_ = static_cast<float>(Width() - 150);
    searchY_ = static_cast<float>((height - 25) / 2);
    searchW_ = 120;
    searchH_ = 10;
    if (searchText_)
        ::MoveWindow(searchText_, static_cast<int>(searchX_) + 5, static_cast<int>(searchY_) + 6,
                     static_cast<int>(searchW_) - 10, kSearchTextHeight, TRUE);
}

bool ToolbarImg::HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
    // The picture box has already made its buffer of the new size when the size message comes.
    // The strip is painted again at once, so the search box stands at the new right edge.
    if (msg == WM_SIZE) {
        Layout();
        ImagePaint(false, 0, 0);
    }
    // The search box asks us first for its pointer (DefWindowProc does): it keeps its own.
    if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wp) != hWnd()) {
        *result = FALSE;
        return true;
    }
    return false;
}

void ToolbarImg::StartPaint() {
    GetIconHandle();
}

void ToolbarImg::EnabledID(int id, bool enabled) {
    if (ValidId(id)) buttonEnabled_[static_cast<size_t>(id)] = enabled;
}

void ToolbarImg::PressDownID(int id, bool pressed) {
    if (!ValidId(id)) return;
    buttonLatched_[static_cast<size_t>(id)] = pressed;
    ImagePaint(false, 0, 0);
}

bool ToolbarImg::Rpressdown(int id) const {
    return ValidId(id) && buttonLatched_[static_cast<size_t>(id)];
}

void ToolbarImg::GetIconHandle() {
    font_ = CreateFontWithFallback(L"Tahoma", 8, FontStyleRegular, UnitPoint);
    format_.reset();
    GdipCreateStringFormat(0, LANG_NEUTRAL, format_.put());
    textBrush_ = MakeSolidFill(ColorARGB(255, 0, 0, 0));
    const std::wstring folder = AddBackslash(App().DataPath);
    for (int32_t i = 0; i < kButtonCount; ++i)
        buttonIcons_[static_cast<size_t>(i)].reset(LoadImageFromFileCopy(folder + kButtons[i].icon));
    ImagePaint(false, 0, 0);
}

void ToolbarImg::PaintSplit(float x) {
    GdipGraphics g = CreateGraphics();
    if (g) DrawSplit(g.get(), x, Height());
}

void ToolbarImg::ImagePaint(bool pressed, float px, float py) {
    // Nothing is drawn before the first StartPaint has made the caption font.
    if (!App().GdiplusToken || !hWnd() || !font_ || !textBrush_) return;
    Cls();
    {
        GdipGraphics graphics = CreateGraphics();
        if (!graphics) return;
        GpGraphics* g = graphics.get();
        const int width = Width(), height = Height();
        GdipSetTextRenderingHint(g, TextRenderingHintClearTypeGridFit);
        FillVertical(g, height, ColorARGB(255, 255, 255, 255), ColorARGB(50, 255, 255, 255), width, height);
        FillVertical(g, height - 10, ColorARGB(100, 255, 255, 255), ColorARGB(0, 255, 255, 255), width, height);

        const GdipImageAttributes bright = AlphaAttributes(0.8f), faint = AlphaAttributes(0.2f);
        const int32_t top = (height - 24) / 2;
        const float y = static_cast<float>(top);
        float x = 8;
        for (int32_t i = 0; i < kButtonCount; ++i) {
            const auto id = static_cast<size_t>(i);
            const ButtonInfo& info = kButtons[i];
            RectF caption(x + 27, y + 6, 90, 24);
            float captionWidth = 0;
            if (*info.caption) {
                const RectF layout = caption;
                GdipMeasureString(g, info.caption, -1, font_.get(), &layout, format_.get(), &caption, nullptr, nullptr);
                captionWidth = caption.Width;
            }
            const float buttonWidth = 24 + captionWidth;
            const bool enabled = buttonEnabled_[id];
            const bool hot = enabled && HitRect(RectF(x, y, buttonWidth, 20), px, py);
            float iconX = x, iconY = y;
            // Rounded shapes are smoothed; the straight lines stay on whole pixels.
            GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
            if (hot) {
                hotButtonLeft_ = x;
                DrawRoundButton(g, x, buttonWidth, buttonLatched_[id], pressed);
                if (pressed) {
                    ++iconX;
                    ++iconY;
                    pressID_ = i;
                }
            } else if (buttonLatched_[id] && enabled) {
                DrawRoundButton(g, x, buttonWidth, true, false);
            }
            if (GpImage* icon = buttonIcons_[id].get())
                GdipDrawImageRectRect(g, icon, iconX, iconY, kIconSize, kIconSize, 0, 0, kIconSize, kIconSize,
                                      UnitPixel, (enabled ? bright : faint).get(), nullptr, nullptr);
            if (*info.caption)
                GdipDrawString(g, info.caption, -1, font_.get(), &caption, format_.get(), textBrush_.get());
            GdipSetSmoothingMode(g, SmoothingModeNone);
            if (info.separatorAfter) {
                DrawSplit(g, x + buttonWidth + 15, height);
                x = static_cast<float>(RoundHalfEven(x + buttonWidth + 30));
            } else {
                x = static_cast<float>(RoundHalfEven(x + buttonWidth + 15));
            }
        }

        DrawSearchBox(g, searchX_, searchY_ + 2, static_cast<float>(top + 6));

        const float right = static_cast<float>(width);
        if (GdipPen shadow = MakePen(ColorARGB(50, 0, 0, 0), 1))
            GdipDrawLine(g, shadow.get(), 0, static_cast<float>(height - 2), right, static_cast<float>(height - 2));
        if (GdipPen light = MakePen(ColorARGB(255, 255, 255, 255), 1))
            GdipDrawLine(g, light.get(), 0, static_cast<float>(height - 1), right, static_cast<float>(height - 1));
    }
    Refresh();
}

void ToolbarImg::DrawSearchBox(GpGraphics* g, float x, float y, float captionTop) const {
    GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    if (GdipPath outline = CreateRoundRectPath(x, y, searchW_, searchH_, 10, 10)) {
        if (GdipSolidFill white = MakeSolidFill(ColorARGB(255, 255, 255, 255)))
            GdipFillPath(g, white.get(), outline.get());
        if (GdipPen rim = MakePen(ColorARGB(255, 208, 208, 208), 2)) GdipDrawPath(g, rim.get(), outline.get());
    }
    const RectF label(x - 50, captionTop, 50, 17);
    GdipDrawString(g, L"Search:", -1, font_.get(), &label, format_.get(), textBrush_.get());
    const RectF go(x + searchW_ - 3, y + 3, 30, 17);
    GdipDrawString(g, L"GO", -1, font_.get(), &go, format_.get(), textBrush_.get());
    GdipSetSmoothingMode(g, SmoothingModeNone);
}

void ToolbarImg::OnPointerMove(float x, float y) {
    goHot_ = HitRect(RectF(searchX_ + searchW_, 2, 20, 20), x, y);
    if (!goHot_ || !SetMouseIcon(L"MOUSED")) SetMousePointer(MousePointer::Default);
    ImagePaint(false, x, y);
}

std::wstring ToolbarImg::SearchText() const {
    return WindowText(searchText_);
}

void ToolbarImg::Search(const std::wstring& text, bool run) {
    grid_.SearchThumbnaillGO(text, run);
}

LRESULT CALLBACK ToolbarImg::SearchTextProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<ToolbarImg*>(data);
    if (msg == WM_LBUTTONUP) {
        // A click, pressed and released inside the box, ends a search; the box lets go of the
        // mouse first.
        const LRESULT result = ::DefSubclassProc(hwnd, msg, wp, lp);
        RECT client{};
        ::GetClientRect(hwnd, &client);
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (std::exchange(self->searchPressed_, false) && ::PtInRect(&client, p)) {
            try {
                self->Search(L"", false);
            } catch (...) {
                // A handler's failure must not unwind through the system's dispatcher.
            }
        }
        return result;
    }
    try {
        switch (msg) {
        case WM_KEYUP:
            if (wp == VK_RETURN) self->Search(self->SearchText(), true);
            break;
        case WM_CHAR:
            if (wp == L'\r') return 0; // the search runs at the key's release; the box would only beep
            break;
        case WM_LBUTTONDOWN:
            self->searchPressed_ = true;
            break;
        case WM_MOUSEMOVE:
            self->SetMousePointer(MousePointer::Default);
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, &ToolbarImg::SearchTextProc, id);
            self->searchText_ = nullptr;
            break;
        default:
            break;
        }
    } catch (...) {
        // As above.
    }
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}
