#include "platform/MemoryBudget.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <utility>

MemoryBudget::Lease::Lease(Lease&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(std::exchange(other.bytes_, 0)),
      first_(std::exchange(other.first_, false)) {}

MemoryBudget::Lease& MemoryBudget::Lease::operator=(Lease&& other) noexcept {
    if (this != &other) {
        Return();
        budget_ = std::exchange(other.budget_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
        first_ = std::exchange(other.first_, false);
    }
    return *this;
}

void MemoryBudget::Lease::Return() {
    if (MemoryBudget* budget = std::exchange(budget_, nullptr))
        budget->Give(std::exchange(bytes_, 0), std::exchange(first_, false));
}

MemoryBudget::Lease MemoryBudget::Take(uint64_t bytes) {
    return *Take(bytes, std::stop_token());
}

std::optional<MemoryBudget::Lease> MemoryBudget::Take(uint64_t bytes, std::stop_token stop) {
    const uint64_t wanted = std::min(bytes, total_);
    std::unique_lock lock(mutex_);
    if (stop.stop_requested()) return std::nullopt;
    const uint64_t ticket = nextTicket_++;
    const bool served =
        freed_.wait(lock, stop, [&] { return ticket == serving_ && first_ == 0 && taken_ + wanted <= total_; });
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

MemoryBudget::Lease MemoryBudget::TakeFirst(uint64_t bytes) {
    std::unique_lock lock(mutex_);
    ++first_;
    freed_.wait(lock, [&] { return taken_ == 0 || BlockFree(bytes); });
    return Lease(this, 0, true);
}

bool MemoryBudget::Held() const {
    const std::lock_guard lock(mutex_);
    return taken_ > 0;
}

void MemoryBudget::Serve() {
    while (withdrawn_.erase(serving_) > 0) ++serving_;
}

void MemoryBudget::Give(uint64_t bytes, bool first) {
    {
        const std::lock_guard lock(mutex_);
        taken_ -= std::min(bytes, taken_);
        if (first) --first_;
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

MemoryBudget& ProcessDecodeBudget() {
    static MemoryBudget budget(DecodeBudgetForProcess());
    return budget;
}

uint64_t LargestFreeMemory() {
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    auto at = reinterpret_cast<uintptr_t>(system.lpMinimumApplicationAddress);
    const auto end = reinterpret_cast<uintptr_t>(system.lpMaximumApplicationAddress);
    uint64_t largest = 0;
    MEMORY_BASIC_INFORMATION region{};
    while (at < end && ::VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == sizeof region) {
        if (region.State == MEM_FREE) largest = std::max<uint64_t>(largest, region.RegionSize);
        const uintptr_t next = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (::GlobalMemoryStatusEx(&status)) largest = std::min<uint64_t>(largest, status.ullAvailPageFile);
    return largest;
}

bool BlockFree(uint64_t bytes) {
    if (bytes == 0) return true;
    if (bytes > SIZE_MAX) return false;
    void* block = ::VirtualAlloc(nullptr, static_cast<size_t>(bytes), MEM_RESERVE, PAGE_NOACCESS);
    if (!block) return false;
    ::VirtualFree(block, 0, MEM_RELEASE);
    return true;
}

uint64_t MemoryInUse() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PagefileUsage;
}
