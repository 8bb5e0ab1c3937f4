// What the main window does on its children's events, where it can be said without the window:
// the image tool bar's commands, the calendar's date filter, and the two drop-downs opened at a
// place (the recent-folder list under the "History:" strip, the thumbnail sizes under the bar).
#pragma once

#include "platform/Gdip.h"
#include "shell/MainLayout.h"
#include "shell/MenuCommands.h"

#include <cstdint>
#include <string>

// The command id of an image tool-bar button (0 to 9); empty for none (10) or another id.
[[nodiscard]] std::wstring ImageToolbarCommandId(int32_t pressId);
// Runs the pressed button's command: new, open, save as, import, slideshow, fit, previous and next
// (after the save question; Cancel keeps the image), undo, redo. False when the id runs nothing.
bool ImageToolbarCommand(MenuCommandHost& host, int32_t pressId);

// The grid's date filter for a calendar day: "day-month-year-", numbers without leading zeros.
[[nodiscard]] std::wstring DateFilterText(int32_t day, int32_t month, int32_t year);

// The recent-folder list just under the history strip, 600 wide; a second click closes it.
void OpenHistoryMenu(DropDownMenu& menu, const RectF& historyHitRect);
// The thumbnail-size menu with its right edge on the bar's and its top at the bar's bottom; the
// sizes are enabled when the grid has listed a file, and thumSizeMenu (made "Zoom_Normal" when
// empty) is checked. A second click closes it.
void OpenThumbSizeMenu(DropDownMenu& menu, const PaneRect& bar, bool gridHasFiles, std::wstring& thumSizeMenu);
