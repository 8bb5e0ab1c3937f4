// Gives a window a non-rectangular shape: the pixels of a picture that are not the key colour.
// The skinned dialogs hand it the frame picture they show; the window then takes the picture's
// size, and the key-coloured corners and cut-outs become see-through and click-through.
#pragma once

#include "platform/GdipHandles.h"

#include <cstdint>

// The region of the pixels of picture whose colour is not key (red in the low byte), in the
// picture's coordinates; empty when the picture cannot be read.
[[nodiscard]] UniqueGdiObject MakeMaskRegion(GpBitmap* picture, COLORREF key);

class Transparent {
public:
    // container: the window to shape (the dialog the control sits on).
    explicit Transparent(HWND container = nullptr) : container_(container) {}
    Transparent(const Transparent&) = delete;
    Transparent& operator=(const Transparent&) = delete;

    void SetContainer(HWND container) { container_ = container; }

    // The shape picture (owned by this object), or null.
    [[nodiscard]] GpBitmap* MaskPicture() const { return picture_.get(); }
    // Keeps a copy of picture and reshapes the container. False when the window could not be
    // shaped; it then keeps its previous shape and size. A null picture clears the picture and
    // leaves the window as it is.
    bool MaskPicture(GpBitmap* picture);

    // Pixels of this colour are outside the shape. The default is magenta, the skin sheet's key:
    // a window's shape must not follow the user's colour scheme.
    [[nodiscard]] COLORREF MaskColor() const { return maskColor_; }
    // Sets the key (a system colour number, high bit set, is read as that colour now) and reshapes.
    bool MaskColor(COLORREF colour);

private:
    bool MakeWindowRegion();

    HWND container_ = nullptr;
    GdipBitmap picture_;
    COLORREF maskColor_ = RGB(255, 0, 255);
};
