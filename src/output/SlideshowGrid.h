// What the slideshow reads of the thumbnail grid: the files it lists, in its order.
#pragma once

#include <cstdint>
#include <string>

class SlideshowGrid {
public:
    virtual ~SlideshowGrid() = default;
    // The full path of the grid's entry index (0-based, below ListCount).
    [[nodiscard]] virtual std::wstring SlideFilename(int32_t index) const = 0;
    [[nodiscard]] virtual int32_t ListCount() const = 0;
};
