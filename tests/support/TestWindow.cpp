#include "tests/support/TestWindow.h"

namespace {
constexpr wchar_t kClassName[] = L"VellumoTestWindow";

LRESULT CALLBACK DefaultProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return ::DefWindowProcW(h, m, w, l);
}

void RegisterOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefaultProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
    done = true;
}
} // namespace

TestWindow::TestWindow(int width, int height, int x, int y) {
    RegisterOnce();
    hwnd_ = ::CreateWindowExW(0, kClassName, L"Vellumo test", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWindow::Proc));
    ::SetForegroundWindow(hwnd_);
    ::UpdateWindow(hwnd_);
    Pump(100);
}

TestWindow::~TestWindow() {
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    Pump(10);
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->onMessage) {
        LRESULT result = 0;
        if (self->onMessage(msg, wp, lp, &result)) return result;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void TestWindow::Pump(int ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

COLORREF TestWindow::ScreenPixel(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(hwnd, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

void TestWindow::HoldKeys(std::initializer_list<int> keys, bool down) {
    BYTE state[256];
    ::GetKeyboardState(state);
    for (int key : keys) state[key] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}
