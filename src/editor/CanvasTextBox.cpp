#include "editor/CanvasTextBox.h"

#include "imaging/PaintPrimitives.h"
#include "platform/Rounding.h"
#include "platform/WindowText.h"

#include <commctrl.h>

CanvasTextBox::~CanvasTextBox() {
    // The edit box goes with the window, before the font it shows.
    Destroy();
}

bool CanvasTextBox::Create(HWND canvas, COLORREF backColor) {
    PictureBoxArgs args;
    args.parent = canvas;
    args.y = -100;
    args.width = 10;
    args.height = 10;
    args.backColor = backColor;
    if (!PictureBox::Create(args)) return false;
    text1_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10, hWnd(), nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    if (!text1_) return false;
    // The edit box's own messages tell of the pointer over it; its parent hears nothing of them.
    if (!::SetWindowSubclass(text1_, &CanvasTextBox::Text1Proc, 1, reinterpret_cast<DWORD_PTR>(this))) return false;
    SetFontName(L"Tahoma");
    return true;
}

LRESULT CALLBACK CanvasTextBox::Text1Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<CanvasTextBox*>(data);
    if (msg == WM_MOUSEMOVE && self->onText1MouseMove) {
        try {
            self->onText1MouseMove();
        } catch (...) {
            // A handler's failure must not unwind through the system's dispatcher.
        }
    } else if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &CanvasTextBox::Text1Proc, id);
        self->text1_ = nullptr;
    }
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

void CanvasTextBox::MoveText1(int x, int y) {
    if (!text1_) return;
    ::SetWindowPos(text1_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CanvasTextBox::ShowHidetext(float x, float y, float width, float height) {
    SetVisible(true);
    if (shown_) {
        Move(RoundHalfEven(x), -100, 10, 10);
        shown_ = false;
        return;
    }
    const int w = RoundHalfEven(width), h = RoundHalfEven(height);
    Move(RoundHalfEven(x), RoundHalfEven(y), w, h);
    if (text1_) ::MoveWindow(text1_, 3, 3, w - 6, h - 6, TRUE);
    DrawFrameRect(hDC(), 1, 1, width, height);
    Refresh();
    shown_ = true;
}

void CanvasTextBox::HideText1() {
    Move(0, -100, 10, 10);
    shown_ = false;
}

std::wstring CanvasTextBox::Text() const {
    return WindowText(text1_);
}

void CanvasTextBox::SetText(const std::wstring& text) {
    if (text1_) ::SetWindowTextW(text1_, text.c_str());
}

void CanvasTextBox::SetFontName(const std::wstring& face) {
    if (!text1_) return;
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lf.lfCharSet = DEFAULT_CHARSET;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    UniqueGdiObject font(::CreateFontIndirectW(&lf));
    if (!font) return;
    ::SendMessageW(text1_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

bool CanvasTextBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lp) == text1_ && text1_ && HIWORD(wp) == EN_CHANGE) {
        if (onChange) onChange();
        *result = 0;
        return true;
    }
    return false;
}
