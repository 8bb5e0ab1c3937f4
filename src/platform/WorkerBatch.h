// Pictures (or any results) made on worker threads: item i of a batch is made by make(i) on one of
// a few threads, taken in index order, and handed out by index, so the caller can show them in its
// own order. make must touch nothing the UI thread owns (no window, no control): a batch may
// outlive the window that started it. An item no longer wanted can be dropped: it never starts, or,
// under way, its stop token asks make to give up where it waits. The destructor stops the workers
// (an item under way is finished first) and waits for them; Finished says when that costs no wait.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

// How many pictures are decoded at once: the machine's cores, at most 8, at least 1.
[[nodiscard]] inline int32_t DecodeThreadsForMachine() {
    return static_cast<int32_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

template <typename Result> class WorkerBatch {
public:
    WorkerBatch(size_t count, int32_t threads, std::function<Result(size_t, std::stop_token)> make)
        : make_(std::move(make)), results_(count), states_(count, kPending), stops_(count) {
        const size_t wanted = std::min(static_cast<size_t>(std::max(threads, 1)), count);
        for (size_t k = 0; k < wanted; ++k) {
            ++working_;
            try {
                workers_.emplace_back([this] { Work(); });
            } catch (...) {
                --working_;
                break; // no more threads to be had: those started do all the work
            }
        }
        // Not even one thread: the items are made here and now.
        if (workers_.empty()) {
            ++working_;
            Work();
        }
    }
    WorkerBatch(size_t count, int32_t threads, std::function<Result(size_t)> make)
        : WorkerBatch(count, threads,
                      std::function<Result(size_t, std::stop_token)>(
                          [make = std::move(make)](size_t index, std::stop_token) { return make(index); })) {}
    ~WorkerBatch() {
        Cancel();
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
    // Waits up to milliseconds for item index; true when it is made (or was taken, or dropped).
    [[nodiscard]] bool WaitFor(size_t index, uint32_t milliseconds) const {
        if (index >= states_.size()) return false;
        std::unique_lock lock(mutex_);
        return made_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [&] { return states_[index] != kPending && states_[index] != kRunning; });
    }
    // Item index, moved out; call after Ready. Later calls give an empty result.
    [[nodiscard]] Result Take(size_t index) {
        const std::lock_guard lock(mutex_);
        if (index >= states_.size() || states_[index] != kMade) return {};
        states_[index] = kTaken;
        return std::move(results_[index]);
    }
    // Item index is not wanted: left undone when not yet started, asked to stop when under way.
    void Drop(size_t index) {
        if (index >= states_.size()) return;
        {
            const std::lock_guard lock(mutex_);
            if (states_[index] == kPending) states_[index] = kDropped;
        }
        stops_[index].request_stop();
        made_.notify_all();
    }
    // Every item is dropped.
    void Cancel() {
        {
            const std::lock_guard lock(mutex_);
            cancelled_ = true;
            for (State& state : states_)
                if (state == kPending) state = kDropped;
        }
        for (std::stop_source& stop : stops_) stop.request_stop();
        made_.notify_all();
    }
    // Items being made now, also those dropped while under way.
    [[nodiscard]] size_t Running() const {
        const std::lock_guard lock(mutex_);
        return static_cast<size_t>(std::count(states_.begin(), states_.end(), kRunning));
    }
    // True once every worker has ended: the batch then goes without a wait.
    [[nodiscard]] bool Finished() const { return working_ == 0; }

private:
    enum State : char { kPending, kRunning, kMade, kTaken, kDropped };

    void Work() {
        for (;;) {
            size_t index = 0;
            {
                const std::lock_guard lock(mutex_);
                while (next_ < states_.size() && states_[next_] == kDropped) ++next_;
                if (cancelled_ || next_ >= states_.size()) break;
                index = next_++;
                states_[index] = kRunning;
            }
            Result result{};
            try {
                result = make_(index, stops_[index].get_token());
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
        --working_;
    }

    const std::function<Result(size_t, std::stop_token)> make_;
    size_t next_ = 0;
    bool cancelled_ = false;
    std::atomic<int32_t> working_{0};
    mutable std::mutex mutex_;
    mutable std::condition_variable made_;
    std::vector<Result> results_;
    std::vector<State> states_;
    std::vector<std::stop_source> stops_;
    std::vector<std::thread> workers_;
};
