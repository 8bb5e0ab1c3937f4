#include "platform/Timer.h"

#include <map>

namespace {
// Thread timers carry no user data: their ids lead back to the objects.
std::map<UINT_PTR, Timer*>& Timers() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}
} // namespace

Timer::~Timer() {
    Stop();
}

void Timer::SetInterval(int32_t milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Restart();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

void Timer::Restart() {
    Stop();
    if (!enabled_ || interval_ == 0) return;
    id_ = ::SetTimer(nullptr, 0, static_cast<UINT>(interval_), &Timer::Tick);
    if (id_) Timers()[id_] = this;
}

void Timer::Stop() {
    if (!id_) return;
    ::KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
}

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it == Timers().end() || !it->second->onTimer) return;
    try {
        // The handler may disable or destroy this timer: call a copy.
        auto handler = it->second->onTimer;
        handler();
    } catch (...) {
        // No exception may cross the system's timer dispatch.
    }
}
