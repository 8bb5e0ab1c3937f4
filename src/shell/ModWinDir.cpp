#include "shell/ModWinDir.h"

namespace {

// The hook object travels with the window as a property: the window's own user data belongs to
// the window's class.
constexpr const wchar_t* kHookProp = L"VellumoWheelHook";

} // namespace

WheelHook::~WheelHook() {
    if (hwnd_ && ::IsWindow(hwnd_)) UnhookWheel(hwnd_);
}

bool WheelHook::HookWheel(HWND hWnd) {
    if (hwnd_ || !::IsWindow(hWnd) || !::SetPropW(hWnd, kHookProp, this)) return false;
    WheelOldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WheelHook::WheelWindowProc)));
    if (!WheelOldProc) {
        ::RemovePropW(hWnd, kHookProp);
        return false;
    }
    hwnd_ = hWnd;
    return true;
}

void WheelHook::UnhookWheel(HWND hWnd) {
    if (!hwnd_ || hWnd != hwnd_) return;
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WheelOldProc));
    ::RemovePropW(hWnd, kHookProp);
    hwnd_ = nullptr;
}

LRESULT CALLBACK WheelHook::WheelWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<WheelHook*>(::GetPropW(hWnd, kHookProp));
    if (!self) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    const WNDPROC old = self->WheelOldProc;
    if (uMsg == WM_NCDESTROY) {
        // The window goes: let it go with its own procedure in place.
        self->UnhookWheel(hWnd);
        return ::CallWindowProcW(old, hWnd, uMsg, wParam, lParam);
    }
    if (uMsg != WM_MOUSEWHEEL) return ::CallWindowProcW(old, hWnd, uMsg, wParam, lParam);
    // The wheel message is consumed even when nothing handles it; no exception leaves a window
    // procedure.
    try {
        if (self->onWheel) {
            const std::function<void(int)> handler = self->onWheel;
            handler(GET_WHEEL_DELTA_WPARAM(wParam));
        }
    } catch (...) {
    }
    return 0;
}
