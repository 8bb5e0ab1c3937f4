// A real top-level window for interface tests under Xvfb: shown at a known place, its messages
// pumped on demand, its screen pixels read back.
#pragma once

#include "platform/Gdip.h"

#include <functional>
#include <initializer_list>

class TestWindow {
public:
    // A visible popup window with a client area of width x height at (x, y) on the screen.
    TestWindow(int width, int height, int x = 40, int y = 40);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    [[nodiscard]] HWND hwnd() const { return hwnd_; }
    // Called for every message before the default handling; return true to mark it handled
    // (result then comes from *result).
    std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result)> onMessage;

    // Runs pending messages (including paints) of this thread for about ms milliseconds.
    static void Pump(int ms = 50);
    // The colour on screen at client point (x, y) of hwnd (RGB, red in the low byte).
    static COLORREF ScreenPixel(HWND hwnd, int x, int y);
    // Holds (or lets go of) the keys in this thread's key state, as GetKeyState reads it.
    static void HoldKeys(std::initializer_list<int> keys, bool down);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};
