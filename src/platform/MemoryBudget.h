// Bytes of memory that work on several threads takes from one budget before it starts, so that a
// few large pieces of work at once cannot run the process out of address space. A piece larger
// than the whole budget runs alone. Takers are served in the order they asked, so a piece waiting
// for the whole budget is not kept waiting by smaller ones that come after it; one whose work is no
// longer wanted leaves the line, and those behind it move up. Work a person waits for goes ahead of
// the line (TakeFirst).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <stop_token>

class MemoryBudget {
public:
    explicit MemoryBudget(uint64_t bytes) : total_(bytes < 1 ? 1 : bytes) {}
    MemoryBudget(const MemoryBudget&) = delete;
    MemoryBudget& operator=(const MemoryBudget&) = delete;

    // Gives its bytes back when it ends.
    class Lease {
    public:
        ~Lease() { Return(); }
        Lease(Lease&& other) noexcept;
        Lease& operator=(Lease&& other) noexcept;
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

    private:
        friend class MemoryBudget;
        void Return();
        Lease(MemoryBudget* budget, uint64_t bytes, bool first = false)
            : budget_(budget), bytes_(bytes), first_(first) {}
        MemoryBudget* budget_ = nullptr;
        uint64_t bytes_ = 0;
        bool first_ = false;
    };

    // Waits until bytes are free and takes them; more than the whole budget waits until nothing
    // else is taken and takes it all.
    [[nodiscard]] Lease Take(uint64_t bytes);
    // Waits until nothing else is taken and takes the whole budget: work that ran short of memory
    // beside others tries again alone.
    [[nodiscard]] Lease TakeAll() { return Take(total_); }
    // As above, but gives up (nothing) once stop is requested while it waits.
    [[nodiscard]] std::optional<Lease> Take(uint64_t bytes, std::stop_token stop);
    [[nodiscard]] std::optional<Lease> TakeAll(std::stop_token stop) { return Take(total_, std::move(stop)); }
    // Ahead of every taker in line, for work a person waits for that takes memory outside the
    // budget: while leases are held and no block of bytes is free (BlockFree), waits until none is
    // held. No lease is given from then until the one returned ends; it holds none of the budget's
    // bytes.
    [[nodiscard]] Lease TakeFirst(uint64_t bytes);
    // Whether any of the budget's bytes are held now.
    [[nodiscard]] bool Held() const;

private:
    void Give(uint64_t bytes, bool first);
    // The next in line, past those that left it.
    void Serve();

    const uint64_t total_;
    uint64_t taken_ = 0;
    uint64_t nextTicket_ = 0, serving_ = 0;
    std::set<uint64_t> withdrawn_; // tickets given up before their turn
    int32_t first_ = 0;            // takers ahead of the line, waiting or served
    mutable std::mutex mutex_;
    std::condition_variable_any freed_;
};

// The budget for the pictures a process decodes at once: a third of its address space, at most
// 1.25 GiB (five photographs of 24 megapixels at 16 bits a channel), so that the shown picture,
// its edits and the interface keep the rest.
[[nodiscard]] uint64_t DecodeBudgetForProcess();
// That budget, one for the whole process: every decode on a worker thread takes from it, and an open
// goes ahead of them (TakeFirst). A thread that holds a lease of it takes no other.
[[nodiscard]] MemoryBudget& ProcessDecodeBudget();

// The most memory one decode can have now: the largest free block of the process's address space,
// and no more than the system can still commit. A decode holds its pixels in one block, and a
// 32-bit process's address space is cut into pieces long before it is used up, so the sum of what
// is free would promise memory no picture can get.
[[nodiscard]] uint64_t LargestFreeMemory();

// Whether a block of bytes can be had now: reserved for a moment and given back. Unlike the walk
// of LargestFreeMemory it also finds what this platform hands out from regions reported as taken.
[[nodiscard]] bool BlockFree(uint64_t bytes);

// The memory the process holds now: what it has committed (on this platform, what it has written
// to). Unlike the memory free, it falls whenever a large piece of memory is let go, wherever that
// lay: this platform's address space holds regions its queries report as taken that are not.
[[nodiscard]] uint64_t MemoryInUse();
