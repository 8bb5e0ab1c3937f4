#include "controls/CommandTable.h"

#include <array>
#include <cstddef>

namespace {

struct FixedRow {
    MenuIndex menu;
    const wchar_t* id;
    const wchar_t* caption;
    const wchar_t* shortcut;
};

constexpr FixedRow Separator(MenuIndex menu) {
    return {menu, kSeparatorId, kSeparatorId, L""};
}

// Every fixed row of the menus, one a line in the order the menus show them: a table, so stretches of
// it read alike.
// clang-format off
constexpr FixedRow kFixedRows[] = {
    {0, L"File_New", L"New", L"Ctrl+N"},
    {0, L"File_Open", L"Open...", L"Ctrl+O"},
    Separator(0),
    {0, L"File_Save", L"Save", L"Ctrl+S"},
    {0, L"File_SaveAs", L"Save As...", L""},
    {0, L"File_Savecopy", L"Save a Copy...", L""},
    Separator(0),
    {0, L"File_Import", L"Import to screen...", L""},
    {0, L"File_ImportLib", L"Import to stamp libriary...", L""},
    {0, L"File_Fav", L"Send to Stamp Libriary", L""},
    Separator(0),
    {0, L"File_Favdec", L"Delete Stamp", L""},
    Separator(0),
    {0, L"File_Print", L"Print", L"Ctrl+P"},
    Separator(0),
    {0, L"File_Exit", L"Exit", L""},

    {1, L"Edit_Undo", L"Undo", L"Ctrl+Z"},
    {1, L"Edit_Redo", L"Redo", L"Ctrl+Y"},
    Separator(1),
    {1, L"Edit_Deselect", L"Cancel Selection", L"Ctrl+D"},
    {1, L"Edit_Clearselect", L"Clear Selection", L""},
    {1, L"Edit_Inverse", L"Invert Selection", L""},
    Separator(1),
    {1, L"Edit_Rasterize", L"Rasterize", L""},
    Separator(1),
    {1, L"Edit_Copy", L"Copy", L"Ctrl+C"},
    {1, L"Edit_Paste", L"Paste", L"Ctrl+V"},
    Separator(1),
    {1, L"Edit_Delete", L"Delete", L"Del"},
    {1, L"Edit_Rename", L"Rename", L""},
    {1, L"Edit_Copyto", L"Copy to...", L""},
    {1, L"Edit_Moveto", L"Move to...", L""},
    Separator(1),
    {1, L"Edit_Resize", L"Resize Image", L""},
    {1, L"Edit_Resizec", L"Resize Canvas", L""},
    Separator(1),
    {1, L"Edit_Hflip", L"Flip Horizintal", L""},
    {1, L"Edit_Vflip", L"Flip Vertical", L""},
    {1, L"Edit_Clockwise", L"Rotate Clockwise", L""},
    {1, L"Edit_Crcolockwise", L"Rotate Counterclockwise", L""},
    Separator(1),
    {1, L"Edit_Filter", L"Filter Tool", L""},
    {1, L"Edit_Fav", L"Stamp Tool", L""},
    {1, L"Edit_Keyword", L"KeyWord Tool", L""},
    {1, L"Edit_Prop", L"Calender Tool", L""},

    {2, L"View_Fullmode", L"Full Browse", L""},
    {2, L"View_Fitmode", L"Fit Image", L"Shift+F"},
    Separator(2),
    {2, L"View_Zoomout", L"Previous", L"Shift+R"},
    {2, L"View_Zoomin", L"Next", L"Shift+E"},
    Separator(2),
    {2, L"View_Sortname", L"Arrange Image By Name", L""},
    {2, L"View_Sortsize", L"Arrange Image By Size", L""},
    {2, L"View_Sorttype", L"Arrange Image By Type", L""},
    {2, L"View_Sortcreate", L"Arrange Image By Created", L""},
    {2, L"View_Sortmodify", L"Arrange Image By Modified", L""},
    Separator(2),
    {2, L"View_Sortstar", L"Arrange Image By Star", L""},
    Separator(2),
    {2, L"View_Addstar", L"Add Star", L""},
    {2, L"View_Removestar", L"Remove Star", L""},
    Separator(2),
    {2, L"View_Slideshow", L"Slideshow", L"F5"},
    Separator(2),
    {2, L"View_Properties", L"Properties", L""},

    {3, L"Filter_Browse", L"Browse Image", L""},
    Separator(3),
    {3, L"Filter_Select", L"Rectangular Marquee", L""},
    {3, L"Filter_EllipSelect", L"Elliptical Marquee", L""},
    {3, L"Filter_FreeSelect", L"Polygonal Lasso", L""},
    Separator(3),
    {3, L"Filter_EraserTool", L"Eraser", L""},
    {3, L"Filter_DodgeTool", L"Dodge", L""},
    {3, L"Filter_BurnTool", L"Burn", L""},
    {3, L"Filter_Airbrush", L"Airbrush", L""},
    Separator(3),
    {3, L"Filter_SmudgeTool", L"Smudge Remover", L""},
    {3, L"Filter_SoftenTool", L"Soften", L""},
    {3, L"Filter_SharpenTool", L"Sharpen", L""},
    Separator(3),
    {3, L"Filter_SaturationTool", L"Saturation", L""},
    Separator(3),
    {3, L"Filter_Redeye", L"Red Eye", L""},
    Separator(3),
    {3, L"Filter_Crop", L"Crop Image", L""},
    {3, L"Filter_Straight", L"Straighten...", L""},
    {3, L"Filter_Irradiation", L"Irradiation...", L""},
    Separator(3),
    {3, L"Filter_Text", L"Add Text...", L""},
    {3, L"Filter_Cal", L"Calendar", L""},
    Separator(3),
    {3, L"Filter_Line", L"Line", L""},
    {3, L"Filter_Rectblank", L"Rectangle", L""},
    {3, L"Filter_Ellipse", L"Ellipse", L""},
    {3, L"Filter_Rectangle", L"Fill Rectangle", L""},
    {3, L"Filter_Circular", L"Fill Circular", L""},

    {4, L"Effect_Color", L"Adjust Color", L""},
    {4, L"Effect_Gamma", L"Adjust Gamma", L""},
    {4, L"Effect_Contrast", L"Contrast...", L""},
    {4, L"Effect_Grey", L"Grey...", L""},
    Separator(4),
    {4, L"Effect_Blur", L"Blur", L""},
    {4, L"Effect_Sharpe", L"Sharpe", L""},
    Separator(4),
    {4, L"Effect_Soften", L"Soften", L""},
    Separator(4),
    {4, L"Effect_Ripple", L"Ripple", L""},
    Separator(4),
    {4, L"Effect_Card", L"Card Style", L""},
    Separator(4),
    {4, L"Effect_Bubble", L"Bubbles", L""},
    {4, L"Effect_Firefly", L"Fireflys", L""},
    Separator(4),
    {4, L"Effect_Rain", L"Rains", L""},
    {4, L"Effect_Snow", L"Snows", L""},
    {4, L"Effect_Cloud", L"Clouds", L""},
    {4, L"Effect_Moon", L"Moon", L""},
    {4, L"Effect_Lensflare", L"Lens Flare", L""},
    Separator(4),
    {4, L"Effect_Mist", L"Mists", L""},
    {4, L"Effect_Flower", L"Flowers", L""},

    {5, L"Create_Desktop", L"Wallpaper", L""},
    {5, L"Create_Desktopbg", L"Wallpaper Background", L""},
    Separator(5),
    {5, L"Create_Scr", L"Create Screensaver", L""},

    {6, L"Help_Index", L"Help Contents And Index", L"       F1"},
    Separator(6),
    {6, L"Help_Website", L"Morv Web Site", L""},
    {6, L"Help_User", L"User Community (Internet)", L""},
    {6, L"Help_Update", L"Free Online Update (Internet)", L""},

    {7, L"Zoom_Small", L"Small Dimension", L""},
    {7, L"Zoom_Normal", L"Normal Dimension", L""},
    {7, L"Zoom_Middle", L"Middle Dimension", L""},
    {7, L"Zoom_Large", L"Large Dimension", L""},
    {7, L"Zoom_Maximal", L"Maximal Dimension", L""},

    {8, L"Line_1", L"1 Pixel", L""},
    {8, L"Line_3", L"3 Pixels", L""},
    {8, L"Line_5", L"5 Pixels", L""},
    {8, L"Line_7", L"7 Pixels", L""},
    {8, L"Line_9", L"9 Pixels", L""},
    {8, L"Line_11", L"11 Pixel", L""},
    {8, L"Line_13", L"13 Pixels", L""},
    {8, L"Line_15", L"15 Pixels", L""},
    {8, L"Line_17", L"17 Pixels", L""},
    {8, L"Line_19", L"19 Pixels", L""},
    {8, L"Line_21", L"21 Pixels", L""},
    {8, L"Line_23", L"23 Pixels", L""},
    {8, L"Line_25", L"25 Pixels", L""},

    {9, L"Star_Add", L"Add Star", L""},
    {9, L"Star_Remove", L"Remove Star", L""},

    {10, L"Stamp_Brusheraser", L"Brush", L""},
    {10, L"Stamp_Pencileraser", L"Pencil", L""},
    {10, L"Stamp_Blockeraser", L"Block", L""},
    Separator(10),
    {10, L"Stamp_Size", L"Default Size", L""},
    {10, L"Stamp_Send", L"Send to Stamp", L""},
    Separator(10),
    {10, L"Stamp_Brush1", L"Brush: 10 Pixel", L""},
    {10, L"Stamp_Brush2", L"Brush: 20 Pixel", L""},
    {10, L"Stamp_Brush3", L"Brush: 30 Pixel", L""},
    {10, L"Stamp_Brush4", L"Brush: 40 Pixel", L""},
    {10, L"Stamp_Brush5", L"Brush: 50 Pixel", L""},
    {10, L"Stamp_Brush6", L"Brush: 60 Pixel", L""},
    {10, L"Stamp_Brush7", L"Brush: 70 Pixel", L""},
    {10, L"Stamp_Brush8", L"Brush: 80 Pixel", L""},
    {10, L"Stamp_Brush9", L"Brush: 100 Pixel", L""},
    {10, L"Stamp_Brush10", L"Brush: 120 Pixel", L""},
    {10, L"Stamp_Brush11", L"Brush: 150 Pixel", L""},

    {11, L"Vector_Single", L"Single Color", L""},
    {11, L"Vector_Radial", L"Radial Gradient", L""},
};
// clang-format on

// The rows each fixed menu shows; the layout takes them from here, so they must match the table.
constexpr std::array<int32_t, kFixedMenuCount> kMenuRowCounts{16, 29, 20, 31, 25, 4, 5, 5, 13, 2, 18, 2};

constexpr bool IsSeparator(const FixedRow& row) {
    return row.id[0] == L'-' && row.id[1] == 0;
}

constexpr wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Ids are matched without regard to letter case, so two ids that differ only in case collide.
constexpr bool SameId(const wchar_t* a, const wchar_t* b) {
    while (*a && AsciiLower(*a) == AsciiLower(*b)) {
        ++a;
        ++b;
    }
    return AsciiLower(*a) == AsciiLower(*b);
}

constexpr bool HasUnderscore(const wchar_t* id) {
    for (; *id; ++id)
        if (*id == L'_') return true;
    return false;
}

constexpr size_t CountCommands() {
    size_t n = 0;
    for (const FixedRow& row : kFixedRows) n += IsSeparator(row) ? 0 : 1;
    return n;
}

constexpr bool CountsMatchTable() {
    for (MenuIndex m = 0; m < kFixedMenuCount; ++m) {
        int32_t n = 0;
        for (const FixedRow& row : kFixedRows) n += row.menu == m ? 1 : 0;
        if (n != kMenuRowCounts[static_cast<size_t>(m)]) return false;
    }
    return true;
}

constexpr bool MenusContiguousInOrder() {
    for (size_t i = 1; i < std::size(kFixedRows); ++i)
        if (kFixedRows[i].menu < kFixedRows[i - 1].menu || kFixedRows[i].menu > kFixedRows[i - 1].menu + 1)
            return false;
    return kFixedRows[0].menu == 0;
}

constexpr bool RowsWellFormed() {
    for (const FixedRow& row : kFixedRows) {
        if (IsSeparator(row) ? !SameId(row.caption, kSeparatorId) || row.shortcut[0] != 0 : !HasUnderscore(row.id))
            return false;
    }
    return true;
}

constexpr bool NoRepeatedId() {
    for (size_t i = 0; i < std::size(kFixedRows); ++i) {
        if (IsSeparator(kFixedRows[i])) continue;
        for (size_t j = i + 1; j < std::size(kFixedRows); ++j)
            if (SameId(kFixedRows[i].id, kFixedRows[j].id)) return false;
    }
    return true;
}

static_assert(std::size(kFixedRows) == 170, "the fixed menus hold 170 rows");
static_assert(CountCommands() == 133, "133 of the fixed rows are commands");
static_assert(CountsMatchTable(), "each menu's row count must match its rows");
static_assert(MenusContiguousInOrder(), "each menu's rows stand together, menus in number order");
static_assert(RowsWellFormed(), "separators carry \"-\" and no shortcut; command ids are prefix_name");
static_assert(NoRepeatedId(), "a command id names one row");

} // namespace

int32_t FixedMenuRowCount(MenuIndex menu) {
    return menu >= 0 && menu < kFixedMenuCount ? kMenuRowCounts[static_cast<size_t>(menu)] : -1;
}

MenuTable BuildCommandTable() {
    MenuTable rows;
    rows.reserve(std::size(kFixedRows));
    for (const FixedRow& row : kFixedRows) rows.push_back({row.menu, row.id, row.caption, row.shortcut, false, false});
    return rows;
}
