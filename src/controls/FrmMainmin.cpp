#include "controls/FrmMainmin.h"

#include "platform/PictureBox.h"

#include <utility>

namespace {

constexpr wchar_t kClassName[] = L"VellumoCompanion";

} // namespace

bool CloseAskingToSave(CompanionMainWindow& main) {
    if (main.UnsavedEdit() && main.AskSaveChanges() == IDCANCEL) return false;
    main.Unload();
    return true;
}

bool FrmMainmin::Create(int x, int y, int width, int height) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        // The program's icon, from the executable's resources (none in tests: the system's then).
        wc.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), L"VELLUMO");
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterWindowClass(wc);
    }();
    if (hwnd_ || !registered) return false;
    // No maximise box: there is nothing for a maximised companion to show.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    return CreateBound(WS_EX_APPWINDOW, kClassName, kCaption, style, x, y, width, height, nullptr) != nullptr;
}

void FrmMainmin::ShowOffScreen() {
    if (!hwnd_) return;
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    ::SetWindowPos(hwnd_, nullptr, ::GetSystemMetrics(SM_CXSCREEN) + w, ::GetSystemMetrics(SM_CYSCREEN) + h, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hwnd_, SW_SHOWNA);
}

void FrmMainmin::Destroy() {
    DestroyTopLevel();
}

int32_t FrmMainmin::WindowState() const {
    if (!hwnd_) return kNormal;
    if (::IsIconic(hwnd_)) return kMinimized;
    if (::IsZoomed(hwnd_)) return kMaximized;
    return kNormal;
}

void FrmMainmin::WindowState(int32_t state) {
    if (!hwnd_) return;
    switch (state) {
    case kMinimized:
        ::ShowWindow(hwnd_, SW_MINIMIZE);
        break;
    case kMaximized:
        ::ShowWindow(hwnd_, SW_MAXIMIZE);
        break;
    default:
        ::ShowWindow(hwnd_, SW_RESTORE);
        break;
    }
}

void FrmMainmin::SetPrinterNames(const std::vector<std::wstring>& names) {
    if (!hwnd_) return;
    if (menu_printer_) ::DestroyMenu(menu_printer_);
    menu_printer_ = ::CreatePopupMenu();
    m_PrinterName.clear();
    if (!menu_printer_) return;
    for (const std::wstring& name : names) {
        const UINT id = kFirstPrinterCommand + static_cast<UINT>(m_PrinterName.size());
        if (!::AppendMenuW(menu_printer_, MF_STRING, id, name.c_str())) break;
        m_PrinterName.push_back(name);
    }
}

void FrmMainmin::ShowPrinterMenu(int x, int y) {
    if (!hwnd_ || !menu_printer_) return;
    // The pick arrives as WM_COMMAND once the popup has closed.
    ::TrackPopupMenu(menu_printer_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, x, y, 0, hwnd_, nullptr);
}

void FrmMainmin::OnKeyDown(WPARAM key) {
    // In the text tool the typing belongs to the canvas.
    if (keys_ && main_.CanvasEffect() != 4) keys_->HandleShortcutKey(static_cast<int>(key), CurrentShiftCode());
}

bool FrmMainmin::HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
    *result = 0;
    switch (msg) {
    case WM_NCDESTROY:
        if (menu_printer_) ::DestroyMenu(std::exchange(menu_printer_, nullptr));
        m_PrinterName.clear();
        return false;
    case WM_SIZE:
        if (wp == SIZE_MINIMIZED)
            main_.SetVisible(false);
        else if (wp == SIZE_RESTORED)
            main_.SetVisible(true);
        return true;
    case WM_KEYDOWN:
        OnKeyDown(wp);
        return true;
    case WM_SYSKEYDOWN:
        OnKeyDown(wp);
        return false; // the system still sees Alt combinations
    case WM_CLOSE:
        // The main window's unload destroys this window: nothing of ours is touched afterwards.
        (void)CloseAskingToSave(main_);
        return true;
    case WM_COMMAND: {
        const UINT id = LOWORD(wp);
        if (HIWORD(wp) == 0 && id >= kFirstPrinterCommand && id - kFirstPrinterCommand < m_PrinterName.size()) {
            const std::wstring name = m_PrinterName[id - kFirstPrinterCommand];
            if (onPrinterPicked) onPrinterPicked(name);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}
