// The mouse wheel over the main window: the window is subclassed for its whole life and every
// wheel notch that reaches it steps the grid to the next (towards the user) or the previous image.
#pragma once

#include <windows.h>

#include <functional>

class WheelHook {
public:
    WheelHook() = default;
    ~WheelHook();
    WheelHook(const WheelHook&) = delete; // the hooked window keeps this object's address
    WheelHook& operator=(const WheelHook&) = delete;

    // One call per wheel message, with its signed delta; one message is one step, whatever its size.
    std::function<void(int delta)> onWheel;

    // Installs WheelWindowProc on hWnd, keeping the window's procedure in WheelOldProc. False when
    // the window is gone or already hooked.
    [[nodiscard]] bool HookWheel(HWND hWnd);
    // Puts the window's own procedure back.
    void UnhookWheel(HWND hWnd);
    [[nodiscard]] bool Hooked() const { return hwnd_ != nullptr; }

private:
    static LRESULT CALLBACK WheelWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC WheelOldProc = nullptr;
};
