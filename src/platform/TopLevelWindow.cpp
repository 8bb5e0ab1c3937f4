#include "platform/TopLevelWindow.h"

#include "platform/ModalLoop.h"
#include "platform/WindowBinding.h"

#include <utility>

TopLevelWindow::~TopLevelWindow() {
    if (!hwnd_) return;
    // The derived part is gone: the last messages go to the system's default alone.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    EnableModalOwner();
    ::DestroyWindow(std::exchange(hwnd_, nullptr));
}

bool TopLevelWindow::RegisterWindowClass(WNDCLASSEXW wc) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TopLevelWindow::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool TopLevelWindow::RegisterPlainClass(const wchar_t* className) {
    WNDCLASSEXW wc{};
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return RegisterWindowClass(wc);
}

HWND TopLevelWindow::CreateEditBox(DWORD style, int id, int x, int y, int width, int height) {
    const HWND box =
        ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL | style, x, y, width, height, hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (!box) return nullptr;
    ::SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ::SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return box;
}

HWND TopLevelWindow::CreateBound(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x,
                                 int y, int width, int height, HWND parent) {
    if (hwnd_) return nullptr;
    const HWND made = ::CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, nullptr,
                                        ::GetModuleHandleW(nullptr), this);
    // A handler may already have closed it during creation.
    return made && hwnd_ == made ? made : nullptr;
}

bool TopLevelWindow::HandleMessage(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

void TopLevelWindow::EnableModalOwner() {
    if (const HWND owner = std::exchange(modalOwner_, nullptr)) ::EnableWindow(owner, TRUE);
}

void TopLevelWindow::DestroyTopLevel() {
    if (!hwnd_) return;
    EnableModalOwner();
    // WM_NCDESTROY clears hwnd_; nothing of this object is touched after the call.
    ::DestroyWindow(hwnd_);
}

void TopLevelWindow::RunModal(HWND owner, const std::function<bool(const MSG&)>& preDispatch) {
    if (!hwnd_) return;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        modalOwner_ = owner;
    }
    // When the program closes meanwhile the window goes, and the loop above this one sees the quit too.
    RunModalLoop([this] { return hwnd_ != nullptr; }, [this] { DestroyTopLevel(); }, preDispatch);
    DestroyTopLevel();
}

POINT TopLevelWindow::CentreOver(HWND owner, int width, int height) {
    RECT over{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner) ::GetWindowRect(owner, &over);
    return {over.left + (over.right - over.left - width) / 2, over.top + (over.bottom - over.top - height) / 2};
}

LRESULT CALLBACK TopLevelWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TopLevelWindow* self = BoundWindow<TopLevelWindow>(hwnd, msg, lp);
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    // A window closed some other way than DestroyTopLevel still gives its owner back.
    if (msg == WM_NCDESTROY) self->EnableModalOwner();
    try {
        LRESULT result = 0;
        // The handler may close or delete this object: only locals are used after it returns.
        if (self->HandleMessage(msg, wp, lp, &result)) return result;
    } catch (...) {
        // A handler's failure must not unwind through the system's dispatcher.
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}
