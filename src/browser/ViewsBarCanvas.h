// What the bar under the views uses of the canvas: its editor mode, since the zoom slider shows
// only in browse mode. The canvas implements it.
#pragma once

#include <cstdint>

class ViewsBarCanvas {
public:
    virtual ~ViewsBarCanvas() = default;
    // The canvas's editor mode `Effect`; 0 is browse.
    [[nodiscard]] virtual int32_t Effect() const = 0;
};
