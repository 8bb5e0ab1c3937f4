// The runtime's timer: while enabled with a non-zero interval, onTimer runs on the UI thread
// every Interval milliseconds, from whichever message loop is running.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

class Timer {
public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete; // the running timer's id leads back to this object
    Timer& operator=(const Timer&) = delete;

    [[nodiscard]] int32_t Interval() const { return interval_; }
    // A new interval restarts the count; 0 stops the ticks but keeps Enabled.
    void SetInterval(int32_t milliseconds);
    [[nodiscard]] bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> onTimer;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void Restart();
    void Stop();

    int32_t interval_ = 0;
    bool enabled_ = false;
    UINT_PTR id_ = 0;
};
