// The edit panel's Option menu: which drop-down menu a tool opens, its rows checked, and where it
// stands beside the canvas.
#pragma once

#include "editor/CanvasMainWindow.h"
#include "editor/SkinMenuView.h"

#include <cstdint>

// Lays out the option menu of effect (fill 19 and 20, line width 25 to 27, stamp and eraser 38;
// other modes keep the menu's last layout) next to the Option button whose left edge is optionX,
// and shows it (visible) or closes it.
void ShowOptionMenu(SkinMenuView& menu, int32_t effect, const CanvasMainWindow::Placement& canvas, float optionX,
                    bool visible);
