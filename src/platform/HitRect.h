// The one rectangle hit test of every skinned control: buttons, titles, cells, grips and rows.
#pragma once

#include "platform/Gdip.h"

// Whether (x, y) lies in r as a GDI+ region made from r answers: the left and top edges belong
// to it, the right and bottom edges do not.
[[nodiscard]] inline bool HitRect(const RectF& r, float x, float y) {
    return x >= r.X && x < r.X + r.Width && y >= r.Y && y < r.Y + r.Height;
}
