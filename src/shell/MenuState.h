// The main window's side of the drop-down menu: opening the menu of a title under it, greying and
// checking its rows from the program's state, the sort and side-panel check marks, and the pick
// that hands a row to the dispatcher.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What these routines use of the drop-down menu. The menu control is adapted to it; tests record.
class DropDownMenu {
public:
    virtual ~DropDownMenu() = default;
    // Makes that menu number current (from its first row) and lays it out.
    virtual void SelectMenu(int32_t menu) = 0;
    virtual void MenuVisible(const std::wstring& id, bool enabled) = 0;
    virtual void MenuChecked(const std::wstring& id, bool checked) = 0;
    [[nodiscard]] virtual float New_Height() const = 0;
    // Placement, as SkinMenuView has it for the canvas.
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetTop(int top) = 0;
    [[nodiscard]] virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void MenuPainting() = 0;
};

// The tool and effect rows follow the tool selection, which owns them.
class ToolMenuRows {
public:
    virtual ~ToolMenuRows() = default;
    virtual void EnabledVMenu(bool imageOpen) = 0;
    virtual void CancelMenuChecked(bool checkBrowse) = 0;
};

// The program state the rows follow, read once when a menu opens.
struct MenuStateInputs {
    bool imageOpen = false; // the canvas shows an image
    int32_t effect = 0;     // the canvas mode
    bool undoE = false;     // an earlier undo step exists
    bool redoE = false;     // a later one exists
    bool folderHasImages = false;
    bool fitPressed = false; // the tool bar's fit button is held down
    int32_t toolselect = 0;  // the side panel's tab
    bool clipboardBitmap = false;
    std::wstring toolMenu; // the active tool's id
};

namespace MenuTitle {
constexpr int32_t File = 0, Edit = 1, View = 2, Filter = 3, Effect = 4, Create = 5, Help = 6, None = 7;
constexpr int32_t History = 12;
} // namespace MenuTitle

constexpr int kDropDownWidth = 217;

// Enables and checks the rows of the current title's menu. Rows it does not name keep their state.
void Menu_Setting(int32_t title, const MenuStateInputs& state, DropDownMenu& menu, ToolMenuRows* tools);
// Opens, switches or closes the menu of a title at (x, y). With keepOpen (a glide over the titles)
// the menu is laid out again but neither shown nor hidden; a press off every title hides it.
void ShowMenuBarMenu(int32_t title, float x, float y, bool keepOpen, const MenuStateInputs& state, DropDownMenu& menu,
                     ToolMenuRows* tools);
// Checks the side-panel row of that tab (none for a tab past the fourth).
void ProperPanelSel(int32_t toolselect, DropDownMenu& menu);
// The grid's sort number of a sort id; none for any other id.
[[nodiscard]] std::optional<int32_t> SortModeOf(const std::wstring& id);
// Moves the sort check mark to id; returns the sort the grid must take, none for a foreign id.
std::optional<int32_t> SettingArrange_Menu(const std::wstring& id, DropDownMenu& menu);

// The steps of a pick, in the main window (a few canvas members are in ToolHost too: each caller's
// interface lists what it uses).
class MenuPickHost {
public:
    virtual ~MenuPickHost() = default;
    [[nodiscard]] virtual bool PressMenuEnabled() const = 0;
    [[nodiscard]] virtual int32_t CurrentMenu() const = 0;
    virtual void SetBusy(bool busy) = 0;
    virtual void HideMenu() = 0;
    virtual void Wait(int32_t ms) = 0;
    // The first editing step after a new image: the canvas lays out again and takes its first undo
    // snapshot.
    [[nodiscard]] virtual bool EditLoaded() const = 0;
    virtual void SetEditLoaded(bool loaded) = 0;
    virtual void SetFirstL(bool first) = 0;
    virtual void ImportForEdit() = 0;
    virtual void OpenHistoryFolder() = 0;
    virtual void DoMenuCommand() = 0;
};

// The pick of a row: nothing off the enabled rows; otherwise the menu closes, 200 ms pass with
// messages running, and the command or the recent folder runs.
void MenuPick(MenuPickHost& host);
// The first editing step after a newly shown image: the canvas lays the image out again and takes
// its first undo snapshot; later steps only clear FirstL.
void FirstEditStep(MenuPickHost& host);
