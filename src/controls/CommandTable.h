// The program's command vocabulary: every row of the drop-down menus, as typed rows. The fixed
// menus 0 to 11 are constant data; the recent-folder rows of menu 12 are appended at run time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A menu number, which selects the rows a drop-down shows: 0 File, 1 Edit, 2 View, 3 Filter,
// 4 Effect, 5 Create, 6 Help, 7 thumbnail size, 8 line width, 9 star, 10 stamp and eraser, 11 fill,
// 12 recent folders.
using MenuIndex = int32_t;
inline constexpr MenuIndex kFixedMenuCount = 12;
inline constexpr MenuIndex kHistoryMenu = 12;
inline constexpr const wchar_t* kSeparatorId = L"-";

struct MenuRow {
    MenuIndex MainName = 0; // the menu number
    std::wstring KeyName;   // the command id; "-" on a separator
    std::wstring Caption;   // "-" on a separator; the folder path on a history row
    std::wstring Shortcut;  // shown at the right of the row; the menu binds no key
    bool Checked = false;   // shows the check mark
    // True greys the row out: it cannot be hovered or picked. The name is the stored table's,
    // whose sense is the reverse of what it says.
    bool Visible = false;

    [[nodiscard]] bool IsSeparator() const { return KeyName == kSeparatorId; }
};

// The whole command vocabulary: every row of the drop-down menus, each menu's rows together and in
// display order.
using MenuTable = std::vector<MenuRow>;

// The rows of fixed menu 0 to 11, separators included; -1 for any other number.
[[nodiscard]] int32_t FixedMenuRowCount(MenuIndex menu);

// The fixed rows, menu by menu in number order and within a menu top row first, every one enabled
// and unchecked.
[[nodiscard]] MenuTable BuildCommandTable();
