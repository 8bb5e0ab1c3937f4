#include "platform/MemoryBudget.h"

#include <windows.h>

#include <algorithm>
#include <utility>

MemoryBudget::Lease::Lease(Lease&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}

MemoryBudget::Lease& MemoryBudget::Lease::operator=(Lease&& other) noexcept {
    if (this != &other) {
        Return();
        budget_ = std::exchange(other.budget_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

void MemoryBudget::Lease::Return() {
    if (MemoryBudget* budget = std::exchange(budget_, nullptr)) budget->Give(std::exchange(bytes_, 0));
}

MemoryBudget::Lease MemoryBudget::Take(uint64_t bytes) {
    return *Take(bytes, std::stop_token());
}

std::optional<MemoryBudget::Lease> MemoryBudget::Take(uint64_t bytes, std::stop_token stop) {
    const uint64_t wanted = std::min(bytes, total_);
    std::unique_lock lock(mutex_);
    if (stop.stop_requested()) return std::nullopt;
    const uint64_t ticket = nextTicket_++;
    const bool served = freed_.wait(lock, stop, [&] { return ticket == serving_ && taken_ + wanted <= total_; });
    if (served) {
        taken_ += wanted;
        ++serving_;
    } else {
        withdrawn_.insert(ticket);
    }
    Serve();
    lock.unlock();
    freed_.notify_all(); // the next in line may fit beside this one
    if (!served) return std::nullopt;
    return Lease(this, wanted);
}

void MemoryBudget::Serve() {
    while (withdrawn_.erase(serving_) > 0) ++serving_;
}

void MemoryBudget::Give(uint64_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        taken_ -= std::min(bytes, taken_);
    }
    freed_.notify_all();
}

uint64_t DecodeBudgetForProcess() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    constexpr uint64_t kMost = uint64_t{5} << 28;
    if (!::GlobalMemoryStatusEx(&status)) return kMost / 2;
    return std::min(kMost, status.ullTotalVirtual / 3);
}
