// The edit panel's elements a tool shows, and its Option menu: which drop-down menu a tool opens,
// its rows checked, and where it stands beside the canvas.
#pragma once

#include "editor/CanvasGeometry.h"
#include "editor/CanvasMainWindow.h"
#include "editor/SkinMenuView.h"

#include <cstdint>

// The edit-panel elements (bit 1 << element) that the tool of effect shows: the stamp's picker
// only with the airbrush. Whatever an earlier tool left of its rectangles takes no clicks.
[[nodiscard]] uint32_t ShownPanelElements(int32_t effect, bool airbrush);
// The first element from 0 to last among those shown whose rectangle holds (x, y); -1 when none.
[[nodiscard]] int ShownPanelElementAt(const PanelRectArray& rects, uint32_t shown, int last, float x, float y);

// Lays out the option menu of effect (fill 19 and 20, line width 25 to 27, stamp and eraser 38;
// other modes keep the menu's last layout) next to the Option button whose left edge is optionX,
// and shows it (visible) or closes it.
void ShowOptionMenu(SkinMenuView& menu, int32_t effect, const CanvasMainWindow::Placement& canvas, float optionX,
                    bool visible);
