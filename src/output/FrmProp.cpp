#include "output/FrmProp.h"

#include "imaging/GdiDIB.h"

namespace {
constexpr wchar_t kClassName[] = L"VellumoProperties";
} // namespace

bool FrmProp::Load(HWND owner) {
    if (hwnd_) return true;
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kClassName;
        return RegisterWindowClass(wc);
    }();
    if (!registered) return false;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    const POINT at = CentreOver(owner, w, h);
    if (!CreateBound(WS_EX_DLGMODALFRAME, kClassName, L"Properties", style, at.x, at.y, w, h, owner)) return false;
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
    // Enter and Escape reach the close button as in a dialog.
    RunModal(owner, [this](const MSG& message) {
        if (message.message != WM_KEYDOWN || (message.wParam != VK_ESCAPE && message.wParam != VK_RETURN) ||
            (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd)))
            return false;
        Unload();
        return true;
    });
}

void FrmProp::Unload() {
    DestroyTopLevel();
}

bool FrmProp::HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == kCloseId) Unload();
        *result = 0;
        return true;
    case WM_CLOSE:
        Unload();
        *result = 0;
        return true;
    case WM_NCDESTROY:
        frame1_ = command1_ = nullptr;
        return false;
    default:
        return false;
    }
}
