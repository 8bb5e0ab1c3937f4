// The taskbar companion window: an ordinary top-level window kept off-screen whose taskbar button
// stands for the borderless main window. Minimising or restoring it hides or shows the main
// window, closing it closes the program through the close button's path, and keys it receives go
// to the shortcut handler. It also carries the print dialog's printer popup.
#pragma once

#include "controls/CompanionMainWindow.h"
#include "platform/ShortcutKeyHandler.h"
#include "platform/TopLevelWindow.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FrmMainmin : public TopLevelWindow {
public:
    // The text of the taskbar button.
    static constexpr const wchar_t* kCaption = L"Morv Vellumo";
    // The runtime's WindowState values.
    static constexpr int32_t kNormal = 0;
    static constexpr int32_t kMinimized = 1;
    static constexpr int32_t kMaximized = 2;

    // main and keys must outlive the window; keys may be null.
    FrmMainmin(CompanionMainWindow& main, ShortcutKeyHandler* keys) : main_(main), keys_(keys) {}
    ~FrmMainmin() override { Destroy(); }
    FrmMainmin(const FrmMainmin&) = delete;
    FrmMainmin& operator=(const FrmMainmin&) = delete;

    // Makes the window, hidden, at (x, y) with the given outer size.
    [[nodiscard]] bool Create(int x = 0, int y = 0, int width = 240, int height = 120);
    // Moves it wholly beyond the screen's bottom-right corner and shows it without activating it.
    void ShowOffScreen();
    // Closes it without asking (the main window's shut-down).
    void Destroy();

    [[nodiscard]] int32_t WindowState() const;
    void WindowState(int32_t state);

    // The printer popup: one row per name, in order. A pick calls onPrinterPicked with its name.
    void SetPrinterNames(const std::vector<std::wstring>& names);
    [[nodiscard]] HMENU Menu_printer() const { return menu_printer_; }
    // Opens the popup at screen point (x, y) and returns when it closes.
    void ShowPrinterMenu(int x, int y);
    std::function<void(const std::wstring& printerName)> onPrinterPicked;

    // The command id of printer row index in the popup.
    static constexpr UINT kFirstPrinterCommand = 100;

private:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void OnKeyDown(WPARAM key);

    CompanionMainWindow& main_;
    ShortcutKeyHandler* keys_;
    HMENU menu_printer_ = nullptr;           // destroyed with the window
    std::vector<std::wstring> m_PrinterName; // the popup's rows, by command id less kFirstPrinterCommand
};
