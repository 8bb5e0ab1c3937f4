// The one binding of a window object to its window, shared by the picture box and the top-level
// base: the object arrives as CreateWindowExW's creation parameter and is kept in GWLP_USERDATA
// from WM_NCCREATE; at WM_NCDESTROY the window lets go of it and its hwnd_ becomes null.
#pragma once

#include <windows.h>

// The object bound to hwnd while msg is handled; null before WM_NCCREATE and after WM_NCDESTROY.
// At WM_NCDESTROY the binding is already cleared and the object is returned one last time.
template <typename Window> Window* BoundWindow(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (created) {
            created->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return self;
}
