#include "platform/MessageBoxService.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

// The Yes, Yes to All, No, Cancel question: a dialog from a template in memory whose children are
// laid out around the text once its font is known, modal over its owner as a message box is. The
// dialog manager gives Escape and the close box as IDCANCEL, Enter as the default Yes.
struct QuestionButton {
    int id;
    const wchar_t* caption;
};
constexpr QuestionButton kQuestionButtons[] = {
    {IDYES, L"&Yes"}, {kIdYesToAll, L"Yes to &All"}, {IDNO, L"&No"}, {IDCANCEL, L"Cancel"}};

// A rectangle in dialog units of the dialog's font, in pixels.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT r{x, y, x + width, y + height};
    ::MapDialogRect(dialog, &r);
    return r;
}

HWND AddChild(HWND dialog, const wchar_t* className, const wchar_t* text, DWORD style, int id, const RECT& r) {
    const HWND child = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                         r.right - r.left, r.bottom - r.top, dialog,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageW(child, WM_SETFONT, ::SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return child;
}

void LayOutQuestion(HWND dialog, const MessageBoxRequest& request) {
    const RECT unit = DialogUnits(dialog, 7, 4, 50, 14); // margin, button gap, button size
    const int margin = unit.left, gap = unit.top, buttonWidth = unit.right - unit.left;
    const int buttonHeight = unit.bottom - unit.top, icon = ::GetSystemMetrics(SM_CXICON);

    // The text wraps at a message box's usual width; a long path may make it taller.
    RECT text{0, 0, DialogUnits(dialog, 0, 0, 220, 0).right, 0};
    const HDC dc = ::GetDC(dialog);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(dialog, WM_GETFONT, 0, 0)));
    ::DrawTextW(dc, request.text.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, old);
    ::ReleaseDC(dialog, dc);

    const HWND picture =
        AddChild(dialog, L"STATIC", nullptr, SS_ICON, -1, {margin, margin, margin + icon, margin + icon});
    ::SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_QUESTION)), 0);
    const int textLeft = 2 * margin + icon;
    AddChild(dialog, L"STATIC", request.text.c_str(), SS_LEFT | SS_NOPREFIX, -1,
             {textLeft, margin, textLeft + text.right, margin + text.bottom});

    const int count = static_cast<int>(std::size(kQuestionButtons));
    const int rowWidth = count * buttonWidth + (count - 1) * gap;
    const int width = std::max(textLeft + static_cast<int>(text.right), margin + rowWidth) + margin;
    const int top = margin + std::max(icon, static_cast<int>(text.bottom)) + margin;
    int x = (width - rowWidth) / 2;
    for (const QuestionButton& button : kQuestionButtons) {
        const DWORD style = WS_TABSTOP | (button.id == IDYES ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
        AddChild(dialog, L"BUTTON", button.caption, style, button.id, {x, top, x + buttonWidth, top + buttonHeight});
        x += buttonWidth + gap;
    }

    // The frame around that client area, centred over the owner (the screen without one).
    RECT frame{0, 0, width, top + buttonHeight + margin};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT over{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (const HWND owner = ::GetWindow(dialog, GW_OWNER)) ::GetWindowRect(owner, &over);
    ::SetWindowPos(dialog, nullptr, over.left + (over.right - over.left - w) / 2,
                   over.top + (over.bottom - over.top - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetFocus(::GetDlgItem(dialog, IDYES));
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    try {
        if (msg == WM_INITDIALOG) {
            LayOutQuestion(dialog, *reinterpret_cast<const MessageBoxRequest*>(lp));
            return FALSE; // the focus is set
        }
        if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
            for (const QuestionButton& button : kQuestionButtons) {
                if (LOWORD(wp) != button.id) continue;
                ::EndDialog(dialog, button.id);
                return TRUE;
            }
        }
    } catch (...) {
        // Nothing may unwind through the dialog manager.
    }
    return FALSE;
}

int AskYesToAll(const MessageBoxRequest& request) {
    std::vector<WORD> t;
    const auto words = [&t](std::initializer_list<WORD> values) {
        for (const WORD value : values) t.push_back(value);
    };
    const auto text = [&t](const std::wstring& s) {
        for (const wchar_t c : s) t.push_back(c);
        t.push_back(0);
    };
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    words({LOWORD(style), HIWORD(style), 0, 0}); // style, no extended style
    words({0, 0, 0, 200, 80});                   // no items (made in WM_INITDIALOG); a size the layout replaces
    words({0, 0});                               // no menu, the dialog class
    text(request.caption);
    words({8});
    text(L"MS Shell Dlg");
    const INT_PTR answer =
        ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                  request.owner, &QuestionProc, reinterpret_cast<LPARAM>(&request));
    // A dialog that could not be shown replaces nothing and stops the batch.
    return answer == IDYES || answer == kIdYesToAll || answer == IDNO ? static_cast<int>(answer) : IDCANCEL;
}

// A modal box disables its owner alone. The windows that owner belongs to (the main window under
// the batch window) take no input either while the box waits, as when the box is their own; each
// one this disabled is enabled again when the box has closed.
class OwnersDisabled {
public:
    explicit OwnersDisabled(HWND owner) {
        const HWND top = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
        for (HWND w = top ? ::GetWindow(top, GW_OWNER) : nullptr; w; w = ::GetWindow(w, GW_OWNER))
            if (!::EnableWindow(w, FALSE)) disabled_.push_back(w);
    }
    ~OwnersDisabled() {
        for (auto w = disabled_.rbegin(); w != disabled_.rend(); ++w)
            if (::IsWindow(*w)) ::EnableWindow(*w, TRUE);
    }
    OwnersDisabled(const OwnersDisabled&) = delete;
    OwnersDisabled& operator=(const OwnersDisabled&) = delete;

private:
    std::vector<HWND> disabled_;
};

} // namespace

int ShowMessageBox(const MessageBoxRequest& request) {
    if (Answerer()) return Answerer()(request);
    const OwnersDisabled owners(request.owner);
    if ((request.type & MB_TYPEMASK) == kMbYesYesToAllNoCancel) return AskYesToAll(request);
    return ::MessageBoxW(request.owner, request.text.c_str(), request.caption.c_str(), request.type);
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    return ShowMessageBox(MessageBoxRequest{owner, text, caption, type});
}

ScopedMessageBoxAnswerer::ScopedMessageBoxAnswerer(MessageBoxAnswerer answerer)
    : ScopedOverride(Answerer(), std::move(answerer)) {}
