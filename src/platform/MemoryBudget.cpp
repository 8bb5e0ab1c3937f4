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
    const uint64_t wanted = std::min(bytes, total_);
    std::unique_lock lock(mutex_);
    const uint64_t ticket = nextTicket_++;
    freed_.wait(lock, [&] { return ticket == serving_ && taken_ + wanted <= total_; });
    taken_ += wanted;
    ++serving_;
    lock.unlock();
    freed_.notify_all(); // the next in line may fit beside this one
    return Lease(this, wanted);
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
