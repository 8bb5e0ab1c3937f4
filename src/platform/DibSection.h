// A DIB section selected into a memory DC of its own: the one builder of the bitmaps whose pixels
// the program reads and writes by pointer (the picture box's back buffer, the pixel bitmap).
#pragma once

#include "platform/GdipHandles.h"

#include <cstdint>

class DibSection {
public:
    DibSection() = default;
    ~DibSection() { Reset(); }
    DibSection(const DibSection&) = delete; // the DC and section have one owner; a move hands them on
    DibSection& operator=(const DibSection&) = delete;
    DibSection(DibSection&& other) noexcept { Swap(other); }
    DibSection& operator=(DibSection&& other) noexcept {
        if (this != &other) {
            Reset();
            Swap(other);
        }
        return *this;
    }

    // Makes the section described by info (its colour table included) and selects it into a new
    // memory DC. False, with nothing held, when either cannot be made.
    [[nodiscard]] bool Create(const BITMAPINFO& info);
    // Puts the DC's first bitmap back, then deletes the section and the DC.
    void Reset();

    [[nodiscard]] HDC dc() const { return dc_.get(); }
    [[nodiscard]] HBITMAP bitmap() const { return bitmap_.get(); }
    [[nodiscard]] uint8_t* bits() const { return bits_; }
    explicit operator bool() const { return bits_ != nullptr; }

private:
    void Swap(DibSection& other) noexcept;

    UniqueDc dc_;
    UniqueHBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    uint8_t* bits_ = nullptr;
};
