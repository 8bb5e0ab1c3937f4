// Pictures (or any results) made on worker threads: item i of a batch is made by make(i) on one of
// a few threads, taken in index order, and handed out by index, so the caller can show them in its
// own order. make must touch nothing the UI thread owns (no window, no control): a batch may
// outlive the window that started it. The destructor stops the workers (an item under way is
// finished first) and waits for them.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// How many pictures are decoded at once: the machine's cores, at most 8, at least 1.
[[nodiscard]] inline int32_t DecodeThreadsForMachine() {
    return static_cast<int32_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

template <typename Result> class WorkerBatch {
public:
    WorkerBatch(size_t count, int32_t threads, std::function<Result(size_t)> make)
        : make_(std::move(make)), results_(count), states_(count, kPending) {
        const size_t wanted = std::min(static_cast<size_t>(std::max(threads, 1)), count);
        for (size_t k = 0; k < wanted; ++k) {
            try {
                workers_.emplace_back([this] { Work(); });
            } catch (...) {
                break; // no more threads to be had: those started do all the work
            }
        }
        // Not even one thread: the items are made here and now.
        if (workers_.empty()) Work();
    }
    ~WorkerBatch() {
        cancelled_ = true;
        for (std::thread& worker : workers_) worker.join();
    }
    WorkerBatch(const WorkerBatch&) = delete;
    WorkerBatch& operator=(const WorkerBatch&) = delete;

    [[nodiscard]] size_t Count() const { return results_.size(); }
    // True once item index is made and not yet taken.
    [[nodiscard]] bool Ready(size_t index) const {
        const std::lock_guard lock(mutex_);
        return index < states_.size() && states_[index] == kMade;
    }
    // Waits up to milliseconds for item index; true when it is made (or was taken).
    [[nodiscard]] bool WaitFor(size_t index, uint32_t milliseconds) const {
        if (index >= states_.size()) return false;
        std::unique_lock lock(mutex_);
        return made_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [&] { return states_[index] != kPending; });
    }
    // Item index, moved out; call after Ready. Later calls give an empty result.
    [[nodiscard]] Result Take(size_t index) {
        const std::lock_guard lock(mutex_);
        if (index >= states_.size() || states_[index] != kMade) return {};
        states_[index] = kTaken;
        return std::move(results_[index]);
    }
    // Items not yet started are left undone.
    void Cancel() { cancelled_ = true; }

private:
    enum State : char { kPending, kMade, kTaken };

    void Work() {
        for (;;) {
            const size_t index = next_.fetch_add(1);
            if (index >= results_.size() || cancelled_) return;
            Result result{};
            try {
                result = make_(index);
            } catch (...) {
                result = Result{}; // out of memory: the item comes out empty
            }
            {
                const std::lock_guard lock(mutex_);
                results_[index] = std::move(result);
                states_[index] = kMade;
            }
            made_.notify_all();
        }
    }

    const std::function<Result(size_t)> make_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable made_;
    std::vector<Result> results_;
    std::vector<State> states_;
    std::vector<std::thread> workers_;
};
