// The decode budget's bound: what does not fit waits until a lease is returned.
#include "platform/MemoryBudget.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

// Whether a Take of `wanted` returned only after another thread gave back a lease of `held`. That
// thread gives it back once this one is about to take, so a Take that does not wait returns first.
bool TakesOnlyAfterAReturn(MemoryBudget& budget, uint64_t held, uint64_t wanted) {
    std::promise<void> go;
    std::atomic<bool> returned{false};
    std::thread giver([&returned, lease = budget.Take(held), started = go.get_future()]() mutable {
        started.wait();
        returned = true;
        const MemoryBudget::Lease back = std::move(lease);
    });
    go.set_value();
    const MemoryBudget::Lease taken = budget.Take(wanted);
    const bool after = returned;
    giver.join();
    return after;
}

} // namespace

TEST(MemoryBudget, LeasesThatFillItKeepTheNextTakeWaitingAndMoreThanTheWholeRunsAlone) {
    MemoryBudget budget(100);
    {
        const MemoryBudget::Lease kept = budget.Take(40);
        EXPECT_TRUE(TakesOnlyAfterAReturn(budget, 60, 30)) << "a Take beside leases that fill the budget";
        EXPECT_TRUE(TakesOnlyAfterAReturn(budget, 60, 60)) << "the whole room that the return frees";
    }
    EXPECT_TRUE(TakesOnlyAfterAReturn(budget, 1, 100)) << "the whole beside a lease of one byte";
    EXPECT_TRUE(TakesOnlyAfterAReturn(budget, 1, 1000)) << "more than the whole beside a lease of one byte";
}
