#include "editor/YDSTextControl.h"

#include "editor/ModDialogCOlor.h"
#include "imaging/ModGDI.h"
#include "platform/PathHelpers.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <shellapi.h>

#include <cwchar>
#include <cwctype>

namespace {

// Sizes of the children in pixels.
constexpr int kText1Width = 105, kText1Height = 20;
constexpr int kFontWidth = 140, kStyleWidth = 103, kSizeWidth = 55, kRenderWidth = 87;
constexpr int kPickWidth = 28, kPickHeight = 20;
constexpr int kDroppedHeight = 300; // a combo box's height includes its dropped-down list
constexpr int kTop = 2;
constexpr COLORREF kText1Back = RGB(224, 224, 224);
constexpr int kFirstSize = 5, kLastSize = 300;
constexpr const wchar_t* kStyles[] = {L"Regular", L"Italic", L"Bold", L"Bold Italic", L"Under Line"};
constexpr const wchar_t* kRenders[] = {L"None", L"Sharp", L"Smooth"};

HWND MakeChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int width, int height,
               HFONT font) {
    HWND child = ::CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, kTop, width,
                                   height, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (child && font) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

HWND MakeList(HWND parent, int width, bool sorted, HFONT font) {
    return MakeChild(parent, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | (sorted ? CBS_SORT : 0), 0,
                     width, kDroppedHeight, font);
}

void AddEntry(HWND list, const std::wstring& text) {
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring EntryText(HWND list, LRESULT index) {
    const LRESULT length = ::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR || got < 0 ? 0 : static_cast<size_t>(got));
    return text;
}

// The whole number a size text stands for; nothing for a text that is no number.
std::optional<int32_t> SizeFromText(const std::wstring& text) {
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    const double value = std::wcstod(begin, &end);
    if (end == begin) return std::nullopt;
    while (*end && std::iswspace(*end)) ++end;
    if (*end) return std::nullopt;
    return TryRoundHalfEven(value);
}

void MoveChild(HWND child, int left) {
    if (child) ::SetWindowPos(child, nullptr, left, kTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

YDSTextControl::YDSTextControl(FontListHost& fonts, TextBarMainWindow& mainWindow)
    : fonts_(fonts), mainWindow_(mainWindow) {}

YDSTextControl::~YDSTextControl() {
    // The children go before the font and brush they were drawing with.
    pickColor_.Destroy();
    Destroy();
}

bool YDSTextControl::Create(const PictureBoxArgs& args) {
    if (!PictureBox::Create(args)) return false;
    LoadIcons();
    WindowDc screen(nullptr);
    const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    // Tahoma 8.25 points.
    listFont_.reset(::CreateFontW(-::MulDiv(825, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    textBackBrush_.reset(::CreateSolidBrush(kText1Back));
    const auto font = static_cast<HFONT>(listFont_.get());
    children_.text1 = MakeChild(hWnd(), L"STATIC", L"Import Text", SS_NOTIFY | SS_CENTER | SS_CENTERIMAGE,
                                WS_EX_CLIENTEDGE, kText1Width, kText1Height, font);
    children_.cbFont = MakeList(hWnd(), kFontWidth, true, font);
    children_.cbTextStyle = MakeList(hWnd(), kStyleWidth, false, font);
    children_.cbFontSize = MakeList(hWnd(), kSizeWidth, false, font);
    children_.cbTextRender = MakeList(hWnd(), kRenderWidth, false, font);
    PictureBoxArgs pick;
    pick.parent = hWnd();
    pick.y = kTop;
    pick.width = kPickWidth;
    pick.height = kPickHeight;
    pick.backColor = static_cast<COLORREF>(textFontColor_);
    if (!children_.text1 || !children_.cbFont || !children_.cbTextStyle || !children_.cbFontSize ||
        !children_.cbTextRender || !pickColor_.Create(pick))
        return false;
    pickColor_.onClick = [this] { OnPickColorClick(); };
    pickColor_.shortcutKeys = &childKeys_;
    Layout(Width());
    return true;
}

void YDSTextControl::LoadIcons() {
    const std::wstring library = AddBackslash(App().AppFolder) + L"Toolbar.dll";
    for (UINT i = 0; i < 3; ++i) {
        HICON icon = ::ExtractIconW(::GetModuleHandleW(nullptr), library.c_str(), i);
        // ExtractIcon answers 1 for a file that holds no icons at all.
        if (reinterpret_cast<UINT_PTR>(icon) > 1) icons_[i].reset(icon);
    }
}

void YDSTextControl::Layout(int width) {
    // Right-aligned from the colour box; the two 50-pixel gaps hold icons 1 and 0.
    pickLeft_ = width - kPickWidth - 10;
    renderLeft_ = pickLeft_ - (kRenderWidth + 10);
    sizeLeft_ = renderLeft_ - kSizeWidth - 50;
    styleLeft_ = sizeLeft_ - kStyleWidth - 50;
    fontLeft_ = styleLeft_ - kFontWidth - 10;
    text1Left_ = fontLeft_ - kText1Width - 10;
    if (pickColor_.hWnd()) pickColor_.Move(pickLeft_, kTop, kPickWidth, kPickHeight);
    MoveChild(children_.cbTextRender, renderLeft_);
    MoveChild(children_.cbFontSize, sizeLeft_);
    MoveChild(children_.cbTextStyle, styleLeft_);
    MoveChild(children_.cbFont, fontLeft_);
    MoveChild(children_.text1, text1Left_);
}

// The text properties are set alike: store, then tell the host by name so the canvas takes them.
void YDSTextControl::textFont(const std::wstring& face) {
    textFont_ = face;
    Notify(L"textFont");
}

void YDSTextControl::HideText(bool hide) {
    textHidden_ = hide;
    if (children_.text1) ::ShowWindow(children_.text1, hide ? SW_HIDE : SW_SHOWNA);
}

void YDSTextControl::textFontSize(const std::wstring& text) {
    if (const auto size = SizeFromText(text)) textFontSize_ = *size;
    Notify(L"textFontSize");
}

void YDSTextControl::textFontStyle(int32_t style) {
    textFontStyle_ = style;
    Notify(L"textFontStyle");
}

void YDSTextControl::textFontRender(int32_t render) {
    textFontRender_ = render;
    Notify(L"textFontRender");
}

void YDSTextControl::textFontColor(int32_t rgb) {
    textFontColor_ = rgb;
    PaintColorBox(rgb);
}

void YDSTextControl::Notify(const wchar_t* property) {
    if (onPropertyChanged) onPropertyChanged(property);
}

void YDSTextControl::AddFontMode() {
    const Children c = children_;
    for (int32_t i = 0; i < fonts_.FontCount(); ++i) AddEntry(c.cbFont, fonts_.FontAt(i));
    const LRESULT count = ::SendMessageW(c.cbFont, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (EntryText(c.cbFont, i) == L"Tahoma") {
            ::SendMessageW(c.cbFont, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            OnListChanged(c.cbFont);
            break;
        }
    }
    for (int size = kFirstSize; size <= kLastSize; ++size) AddEntry(c.cbFontSize, std::to_wstring(size));
    ::SendMessageW(c.cbFontSize, CB_SETCURSEL, 3, 0); // the size 8
    OnListChanged(c.cbFontSize);
    for (const wchar_t* style : kStyles) AddEntry(c.cbTextStyle, style);
    ::SendMessageW(c.cbTextStyle, CB_SETCURSEL, 0, 0);
    OnListChanged(c.cbTextStyle);
    for (const wchar_t* render : kRenders) AddEntry(c.cbTextRender, render);
    ::SendMessageW(c.cbTextRender, CB_SETCURSEL, 2, 0);
    OnListChanged(c.cbTextRender);
}

void YDSTextControl::OnListChanged(HWND list) {
    const LRESULT index = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    if (list == children_.cbFont) {
        textFont_ = EntryText(list, index);
        if (onFontClick) onFontClick();
    } else if (list == children_.cbFontSize) {
        if (const auto size = SizeFromText(EntryText(list, index))) textFontSize_ = *size;
        if (onFontSizeClick) onFontSizeClick();
    } else if (list == children_.cbTextStyle) {
        textFontStyle_ = static_cast<int32_t>(index);
        if (onFontStyleClick) onFontStyleClick();
    } else if (list == children_.cbTextRender) {
        textFontRender_ = static_cast<int32_t>(index);
        if (onFontRenderClick) onFontRenderClick();
    }
}

void YDSTextControl::OnPickColorClick() {
    const int32_t chosen = ShowColorDialog(hWnd(), static_cast<int32_t>(pickColor_.BackColor()), true);
    // A cancel changes no colour; the event comes either way.
    if (chosen != -1) {
        mainWindow_.SetCanvasTextColor(chosen);
        PaintColorBox(chosen);
    }
    if (onColorClick) onColorClick();
}

void YDSTextControl::PaintColorBox(int32_t rgb) {
    pickColor_.SetBackColor(static_cast<COLORREF>(rgb) & 0xFFFFFF);
    pickColor_.Cls();
    pickColor_.Refresh();
}

void YDSTextControl::StartPaint() {
    if (App().GdiplusToken == 0 || !hWnd()) return;
    Cls();
    const int width = Width(), height = Height();
    {
        GdipGraphics surface = CreateGraphics();
        GdipLineGradient brush;
        const PointF top{0, 0}, bottom{0, static_cast<float>(height)};
        GdipCreateLineBrush(&top, &bottom, ColorARGB(255, 251, 250, 247), ColorARGB(255, 244, 242, 233),
                            WrapModeTileFlipY, brush.put());
        if (surface && brush) GdipFillRectangleI(surface.get(), brush.get(), 0, 0, width, height);
    }
    // The icons are GDI's to draw; the GDI+ surface is gone by now.
    if (!textHidden_ && icons_[2]) ::DrawIcon(hDC(), text1Left_ - 40, 0, icons_[2].get());
    if (icons_[1]) ::DrawIcon(hDC(), styleLeft_ + kStyleWidth + 15, 0, icons_[1].get());
    if (icons_[0]) ::DrawIcon(hDC(), sizeLeft_ + kSizeWidth + 15, 0, icons_[0].get());
    Refresh();
}

bool YDSTextControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    switch (msg) {
    case WM_SIZE:
        // Only the places change: the painted background stays until the next StartPaint.
        Layout(LOWORD(lp));
        return false;
    case WM_COMMAND: {
        const auto child = reinterpret_cast<HWND>(lp);
        if (HIWORD(wp) == CBN_SELCHANGE) {
            OnListChanged(child);
            *result = 0;
            return true;
        }
        if (child == children_.text1 && HIWORD(wp) == STN_CLICKED) {
            if (onTextClick) onTextClick();
            *result = 0;
            return true;
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) == children_.text1 && textBackBrush_) {
            ::SetBkColor(reinterpret_cast<HDC>(wp), kText1Back);
            *result = reinterpret_cast<LRESULT>(textBackBrush_.get());
            return true;
        }
        return false;
    default:
        return false;
    }
}
