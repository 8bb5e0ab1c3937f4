// The pending-message pump, and the guard that keeps a pumping handler from running nested.
#pragma once

// Runs the messages waiting for this thread (paints, input, timers), then returns. Inside a
// message that an outer DoEvents is running it pumps nothing and returns false, so pumps never
// nest; true when it ran.
bool DoEvents();

// True while a DoEvents is dispatching messages.
[[nodiscard]] bool InsideDoEvents();

// Marks a handler as running. A handler that lets messages run (DoEvents) takes the guard first;
// when a message handled meanwhile brings it back, TryEnter refuses and the nested run is skipped.
class ReentryGuard {
public:
    class Scope {
    public:
        explicit Scope(ReentryGuard* guard) : guard_(guard) {}
        ~Scope() {
            if (guard_) guard_->busy_ = false;
        }
        Scope(Scope&& other) noexcept : guard_(other.guard_) { other.guard_ = nullptr; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        Scope& operator=(Scope&&) = delete;
        // False when the guard was already taken: the caller must not run.
        explicit operator bool() const { return guard_ != nullptr; }

    private:
        ReentryGuard* guard_;
    };

    [[nodiscard]] Scope TryEnter() {
        if (busy_) return Scope(nullptr);
        busy_ = true;
        return Scope(this);
    }
    [[nodiscard]] bool Busy() const { return busy_; }

private:
    bool busy_ = false;
};
