// The program's one keyboard handler: a fixed table of keys in three groups, each key running a
// command of the menus (so a key and its menu row do the same thing) or one of the few actions
// only a key has. Also the thumbnail pane's collapse and restore, which Tab runs.
#pragma once

#include "shell/MenuCommands.h"

#include <cstdint>
#include <string>
#include <vector>

// Actions of keys that no menu row runs.
namespace KeyAction {
inline constexpr const wchar_t* TogglePane = L"Key_TogglePane"; // Tab
inline constexpr const wchar_t* Paste = L"Key_Paste";           // Ctrl+V: the first-edit step, then the paste
inline constexpr const wchar_t* CloseMenu = L"Key_CloseMenu";   // Escape: the open drop-down closes
} // namespace KeyAction

// What the keys reach in the main window beyond the menu commands.
class ShortcutHost {
public:
    virtual ~ShortcutHost() = default;
    [[nodiscard]] virtual MenuCommandHost& Commands() = 0;
    virtual void ToggleThumbnailPane() = 0;
    // The first editing step of a newly shown image (the canvas lays out again and takes its
    // first undo snapshot), as a menu pick makes it.
    virtual void FirstEditStep() = 0;
    // Hides the drop-down menu.
    virtual void CloseMenu() = 0;
};

// The actions a key runs, in order. shift: 1 Shift, 2 Ctrl (4, Alt, is ignored). Keys that work
// with any modifier end the handling; a Shift key goes on to the Ctrl keys, so Ctrl+Shift+S saves
// and Ctrl+Shift+F only toggles the fit.
[[nodiscard]] std::vector<std::wstring> ShortcutActions(int keyCode, int shift);

// Runs the actions of a key; false when the key has none.
bool HandleShortcutKey(ShortcutHost& host, int keyCode, int shift);

// The thumbnail pane's bar after Tab. The pane counts as collapsed when the bar sits at the
// window's bottom; then it opens where it was (oldThumTop), or 200 above the bottom when nothing
// was kept. Otherwise the bar's place is kept and it goes to the bottom.
struct ThumbPaneToggle {
    int barTop = 0;
    bool opened = false; // the grid is shown now
};
[[nodiscard]] ThumbPaneToggle ToggleThumbPane(int clientHeight, int barTop, int barHeight, int32_t& oldThumTop);
