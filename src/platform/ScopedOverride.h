// Puts a value in a slot for the override's lifetime and the slot's previous value back afterwards:
// how tests answer the program's dialogs (message boxes, the colour and folder dialogs) unseen.
#pragma once

#include <utility>

template <typename T> class ScopedOverride {
public:
    ScopedOverride(T& slot, T value) : slot_(slot), previous_(std::exchange(slot, std::move(value))) {}
    ~ScopedOverride() { slot_ = std::move(previous_); }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;

private:
    T& slot_;
    T previous_;
};
