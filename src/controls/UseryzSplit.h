// The thin bar between two panes of the main window: an embossed grip of small dots along its
// long side and a sizing pointer. The host does the dragging from the box's mouse events.
#pragma once

#include "platform/PictureBox.h"

#include <cstdint>

class UseryzSplit : public PictureBox {
public:
    // The mouse-pointer code shown over the bar (MousePointer::SizeNS, SizeWE...).
    [[nodiscard]] int32_t MousePoin() const { return GetMousePointer(); }
    void MousePoin(int32_t code) { SetMousePointer(code); }

    // Clears the bar and draws the grip: a 3-pixel bump every 6 pixels along the long side (along
    // x for a square bar), centred across the short side. Not redrawn on resize: the host calls
    // it after laying out.
    void PaintStyle();
};
