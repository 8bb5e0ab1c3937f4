#include "output/FrmProp.h"

#include "imaging/GdiDIB.h"
#include "platform/ModalLoop.h"

#include <utility>

namespace {
constexpr wchar_t kClassName[] = L"VellumoProperties";
} // namespace

bool FrmProp::Load(HWND owner) {
    if (hwnd_) return true;
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &FrmProp::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return false;
    owner_ = owner;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    RECT over{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner) ::GetWindowRect(owner, &over);
    hwnd_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, L"Properties", style,
                              over.left + (over.right - over.left - w) / 2, over.top + (over.bottom - over.top - h) / 2,
                              w, h, owner, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    frame1_ = ::CreateWindowExW(WS_EX_TRANSPARENT, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 8, 4, 369, 188,
                                hwnd_, nullptr, instance, nullptr);
    command1_ =
        ::CreateWindowExW(0, L"BUTTON", L"&Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 304, 200, 73,
                          25, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);
    ::SendMessageW(command1_, WM_SETFONT, font, FALSE);
    PictureBoxArgs preview;
    preview.parent = hwnd_;
    preview.x = 32;
    preview.y = 24;
    preview.width = 113;
    preview.height = 97;
    preview.backColor = ::GetSysColor(COLOR_BTNFACE);
    PictureBoxArgs panel = preview;
    panel.x = 160;
    panel.y = 20;
    panel.width = 208;
    panel.height = 164;
    panel.backColor = RGB(255, 255, 255);
    if (!p_.Create(preview) || !zzVProperties_.Create(panel)) {
        Unload();
        return false;
    }
    // The frame lies behind the boxes it surrounds.
    ::SetWindowPos(frame1_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    zzVProperties_.Style(1);
    zzVProperties_.IniaData();
    zzVProperties_.StartPaint();
    DrawPreview();
    return true;
}

void FrmProp::DrawPreview() {
    p_.Cls();
    GpImage* image = source_.CanvasImage();
    UINT w = 0, h = 0;
    if (image && GdipGetImageWidth(image, &w) == Ok && GdipGetImageHeight(image, &h) == Ok && w > 0 && h > 0) {
        GdipGraphics graphics = p_.CreateGraphics();
        if (graphics) {
            GdipSetInterpolationMode(graphics.get(), InterpolationModeHighQualityBicubic);
            float x = 0, y = 0, fw = 0, fh = 0;
            GdiDIB::GetBestFitInfo(static_cast<float>(w), static_cast<float>(h), static_cast<float>(p_.Width()),
                                   static_cast<float>(p_.Height()), x, y, fw, fh);
            GdipDrawImageRect(graphics.get(), image, x, y, fw, fh);
        }
    }
    p_.Refresh();
}

void FrmProp::ShowModal(HWND owner) {
    if (!Load(owner)) return;
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetFocus(command1_);
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        ownerDisabled_ = true;
    }
    // Enter and Escape reach the close button as in a dialog.
    RunModalLoop([this] { return hwnd_ != nullptr; }, [this] { Unload(); },
                 [this](const MSG& message) {
                     if (message.message != WM_KEYDOWN ||
                         (message.wParam != VK_ESCAPE && message.wParam != VK_RETURN) ||
                         (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd)))
                         return false;
                     Unload();
                     return true;
                 });
    Unload();
}

void FrmProp::Unload() {
    if (!hwnd_) return;
    if (ownerDisabled_ && owner_) ::EnableWindow(owner_, TRUE);
    ownerDisabled_ = false;
    HWND window = std::exchange(hwnd_, nullptr);
    ::DestroyWindow(window);
}

LRESULT CALLBACK FrmProp::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<FrmProp*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_COMMAND:
        if (self && LOWORD(wp) == kCloseId) self->Unload();
        return 0;
    case WM_CLOSE:
        if (self) self->Unload();
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self && self->hwnd_ == hwnd) self->hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}
