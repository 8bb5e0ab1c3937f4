#include "platform/PictureBox.h"

#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/MouseMessages.h"
#include "platform/WindowBinding.h"

#include <windowsx.h>

#include <cstring>
#include <utility>

namespace {

constexpr wchar_t kClassName[] = L"VellumoPictureBox";

PictureBox::CursorLoader& Loader() {
    static PictureBox::CursorLoader loader;
    return loader;
}

HCURSOR g_screenPointer = nullptr;

// Has the window under the pointer choose its cursor again, as a move over it would.
void ShowPointerNow() {
    POINT p;
    if (!::GetCursorPos(&p)) return;
    HWND under = ::WindowFromPoint(p);
    DWORD process = 0;
    if (under && ::GetWindowThreadProcessId(under, &process) && process == ::GetCurrentProcessId())
        ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

HCURSOR LoadNamedCursor(const std::wstring& name) {
    if (Loader()) return Loader()(name);
    return static_cast<HCURSOR>(
        ::LoadImageW(::GetModuleHandleW(nullptr), name.c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HCURSOR StandardCursor(int code) {
    const wchar_t* id = IDC_ARROW;
    switch (code) {
    case MousePointer::Cross:
        id = IDC_CROSS;
        break;
    case MousePointer::IBeam:
        id = IDC_IBEAM;
        break;
    case MousePointer::SizeAll:
        id = IDC_SIZEALL;
        break;
    case MousePointer::SizeNESW:
        id = IDC_SIZENESW;
        break;
    case MousePointer::SizeNS:
        id = IDC_SIZENS;
        break;
    case MousePointer::SizeNWSE:
        id = IDC_SIZENWSE;
        break;
    case MousePointer::SizeWE:
        id = IDC_SIZEWE;
        break;
    case MousePointer::UpArrow:
        id = IDC_UPARROW;
        break;
    case MousePointer::Hourglass:
        id = IDC_WAIT;
        break;
    case MousePointer::NoDrop:
        id = IDC_NO;
        break;
    case MousePointer::ArrowHourglass:
        id = IDC_APPSTARTING;
        break;
    case MousePointer::ArrowQuestion:
        id = IDC_HELP;
        break;
    default:
        break;
    }
    return ::LoadCursorW(nullptr, id);
}

} // namespace

bool PictureBox::RegisterOnce() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &PictureBox::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    registered = ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

namespace {

float PixelX(LPARAM lp) {
    return static_cast<float>(GET_X_LPARAM(lp));
}
float PixelY(LPARAM lp) {
    return static_cast<float>(GET_Y_LPARAM(lp));
}

} // namespace

int CurrentShiftCode() {
    int shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= ShiftKey::Shift;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= ShiftKey::Ctrl;
    if (::GetKeyState(VK_MENU) < 0) shift |= ShiftKey::Alt;
    return shift;
}

PictureBox::~PictureBox() {
    // A handler still running on this box's stack sees that the box is gone.
    *alive_ = false;
    Destroy();
}

bool PictureBox::Create(const PictureBoxArgs& args) {
    if (hwnd_ || !args.parent || !RegisterOnce()) return false;
    backColor_ = args.backColor;
    if (!MakeBuffer(args.width, args.height)) return false;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (args.visible) style |= WS_VISIBLE;
    if (!args.enabled) style |= WS_DISABLED;
    // Proc binds the window to this object at WM_NCCREATE, so WM_CREATE reaches HandleMessage.
    const HWND made = ::CreateWindowExW(0, kClassName, L"", style, args.x, args.y, args.width, args.height, args.parent,
                                        nullptr, ::GetModuleHandleW(nullptr), this);
    return made && hwnd_ == made;
}

void PictureBox::Destroy() {
    // WM_NCDESTROY lets go of the window; a parent destroying its children does the same.
    if (hwnd_) ::DestroyWindow(hwnd_);
    buffer_.Reset();
    bits_ = nullptr;
}

bool PictureBox::MakeBuffer(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first, like the window
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    DibSection section;
    if (!section.Create(info)) return false;
    auto* newBits = reinterpret_cast<uint32_t*>(section.bits());
    const uint32_t fill = (GetRValue(backColor_) << 16) | (GetGValue(backColor_) << 8) | GetBValue(backColor_);
    std::fill(newBits, newBits + static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    if (bits_) {
        ::GdiFlush(); // drawing still queued for the old buffer lands before it is copied
        const int keepW = std::min(width, width_), keepH = std::min(height, height_);
        for (int y = 0; y < keepH; ++y)
            std::memcpy(newBits + static_cast<size_t>(y) * static_cast<size_t>(width),
                        bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_),
                        static_cast<size_t>(keepW) * sizeof(uint32_t));
    }
    buffer_ = std::move(section);
    bits_ = newBits;
    width_ = width;
    height_ = height;
    return true;
}

GdipGraphics PictureBox::CreateGraphics() const {
    GdipGraphics graphics;
    if (buffer_) GdipCreateFromHDC(buffer_.dc(), graphics.put());
    return graphics;
}

void PictureBox::Cls() {
    if (!bits_) return;
    ::GdiFlush(); // GDI may still hold drawing for the section
    const uint32_t fill = (GetRValue(backColor_) << 16) | (GetGValue(backColor_) << 8) | GetBValue(backColor_);
    std::fill(bits_, bits_ + static_cast<size_t>(width_) * static_cast<size_t>(height_), fill);
}

void PictureBox::Refresh() {
    if (!hwnd_) return;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    ::UpdateWindow(hwnd_);
}

void PictureBox::PaintWhole(const std::function<void(GpGraphics* g)>& draw) {
    if (App().GdiplusToken == 0 || !buffer_.dc()) return;
    Cls();
    {
        GdipGraphics graphics = CreateGraphics();
        if (!graphics) return;
        GdipSetSmoothingMode(graphics.get(), SmoothingModeAntiAlias);
        draw(graphics.get());
    }
    Refresh();
}

COLORREF PictureBox::Point(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    ::GdiFlush();
    const uint32_t p = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void PictureBox::SetBackColor(COLORREF colour) {
    // As the runtime does: a new back colour clears the picture.
    backColor_ = colour;
    Cls();
}

RECT PictureBox::PlaceInParent() const {
    RECT r{};
    if (!hwnd_) return r;
    ::GetWindowRect(hwnd_, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int PictureBox::Left() const {
    return PlaceInParent().left;
}

int PictureBox::Top() const {
    return PlaceInParent().top;
}

void PictureBox::Move(int x, int y, int width, int height) {
    if (!hwnd_) return;
    const bool resized = width != width_ || height != height_;
    if (resized && !MakeBuffer(width, height)) return;
    ::SetWindowPos(hwnd_, nullptr, x, y, std::max(width, 0), std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    if (resized) (void)Raise(onResize);
}

bool PictureBox::Visible() const {
    return hwnd_ && ::IsWindowVisible(hwnd_);
}

void PictureBox::SetVisible(bool visible) {
    if (hwnd_) ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool PictureBox::Enabled() const {
    return hwnd_ && ::IsWindowEnabled(hwnd_);
}

void PictureBox::SetEnabled(bool enabled) {
    if (!hwnd_) return;
    if (!enabled && ::GetCapture() == hwnd_) ::ReleaseCapture();
    ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void PictureBox::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

bool PictureBox::HasFocus() const {
    return hwnd_ && ::GetFocus() == hwnd_;
}

void PictureBox::SetMousePointer(int code) {
    mousePointer_ = code;
    POINT p;
    // Show the change at once when the pointer is over us, as the runtime does.
    if (hwnd_ && ::GetCursorPos(&p) && ::WindowFromPoint(p) == hwnd_) ::SetCursor(CurrentCursor());
}

bool PictureBox::SetMouseIcon(const std::wstring& resourceName) {
    HCURSOR cursor = LoadNamedCursor(resourceName);
    if (!cursor) return false;
    customCursor_ = cursor;
    SetMousePointer(MousePointer::Custom);
    return true;
}

void PictureBox::SetCursorLoader(CursorLoader loader) {
    Loader() = std::move(loader);
}

bool PictureBox::SetScreenPointer(const std::wstring& resourceName) {
    HCURSOR cursor = LoadNamedCursor(resourceName);
    if (!cursor) return false;
    g_screenPointer = cursor;
    ShowPointerNow();
    return true;
}

void PictureBox::ResetScreenPointer() {
    if (!g_screenPointer) return;
    g_screenPointer = nullptr;
    ShowPointerNow();
}

HCURSOR PictureBox::ScreenPointer() {
    return g_screenPointer;
}

HCURSOR PictureBox::CurrentCursor() const {
    if (Hourglass::Active()) return Hourglass::Cursor();
    if (g_screenPointer) return g_screenPointer;
    if (mousePointer_ == MousePointer::Custom && customCursor_) return customCursor_;
    return StandardCursor(mousePointer_);
}

bool PictureBox::HandleMessage(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

LRESULT CALLBACK PictureBox::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    PictureBox* self = BoundWindow<PictureBox>(hwnd, msg, lp);
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        if (::GetCapture() == hwnd) ::ReleaseCapture();
        LRESULT result = 0;
        try {
            if (self->HandleMessage(msg, wp, lp, &result)) return result;
        } catch (...) {
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
    try {
        LRESULT result = 0;
        if (self->HandleMessage(msg, wp, lp, &result)) return result;
        return self->OnMessage(hwnd, msg, wp, lp);
    } catch (...) {
        // An event handler's failure must not unwind through the system's dispatcher.
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
}

template <typename... Args, typename... Given>
bool PictureBox::Raise(const std::function<void(Args...)>& event, Given... args) {
    if (!event) return true;
    // The handler runs from a copy with the box's liveness in hand: it may close or delete its own
    // box, and then neither the box's members nor the event itself may be touched again.
    const std::shared_ptr<bool> alive = alive_;
    const std::function<void(Args...)> handler = event;
    handler(args...);
    return *alive && hwnd_;
}

void PictureBox::OnButtonDown(int button, LPARAM lp) {
    if (::GetFocus() != hwnd_) ::SetFocus(hwnd_);
    ::SetCapture(hwnd_);
    if (button == MouseButton::Left) leftPressedInside_ = true;
    (void)Raise(onMouseDown, button, CurrentShiftCode(), PixelX(lp), PixelY(lp));
}

void PictureBox::OnButtonUp(int button, WPARAM wp, LPARAM lp) {
    // Keep the mouse until the last held button is let go.
    if (HeldButtons(wp) == 0 && ::GetCapture() == hwnd_) ::ReleaseCapture();
    if (!Raise(onMouseUp, button, CurrentShiftCode(), PixelX(lp), PixelY(lp))) return;
    if (button == MouseButton::Left && std::exchange(leftPressedInside_, false)) {
        const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
        if (x >= 0 && y >= 0 && x < width_ && y < height_) (void)Raise(onClick);
    }
}

void PictureBox::OnKeyDown(WPARAM wp) {
    const int key = static_cast<int>(wp), shift = CurrentShiftCode();
    if (!Raise(onKeyDown, key, shift)) return;
    if (ForwardKeys && shortcutKeys) shortcutKeys->HandleShortcutKey(key, shift);
}

LRESULT PictureBox::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the buffer covers everything: no flash of the class background
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd_, &ps);
        ::GdiFlush();
        ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                 ps.rcPaint.bottom - ps.rcPaint.top, buffer_.dc(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        ::EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            ::SetCursor(CurrentCursor());
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        OnButtonDown(MouseButton::Left, lp);
        return 0;
    // A right or middle double click is a second press (the left one's is below).
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        OnButtonDown(MouseButton::Right, lp);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        OnButtonDown(MouseButton::Middle, lp);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(MouseButton::Left, wp, lp);
        return 0;
    case WM_RBUTTONUP:
        OnButtonUp(MouseButton::Right, wp, lp);
        return 0;
    case WM_MBUTTONUP:
        OnButtonUp(MouseButton::Middle, wp, lp);
        return 0;
    case WM_LBUTTONDBLCLK:
        // The runtime reports a double click as MouseDown, MouseUp, Click, DblClick, MouseUp:
        // the second press brings DblClick instead of MouseDown, and still holds the mouse.
        ::SetCapture(hwnd_);
        leftPressedInside_ = false;
        (void)Raise(onDblClick);
        return 0;
    case WM_MOUSEMOVE:
        (void)Raise(onMouseMove, HeldButtons(wp), CurrentShiftCode(), PixelX(lp), PixelY(lp));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wp);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt combinations reach the handlers too; the system still sees them afterwards.
        OnKeyDown(wp);
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        break;
    }
    // The box may have been closed or deleted by a handler above: only the window is used here.
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}
