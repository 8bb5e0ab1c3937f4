// What the canvas uses of the drop-down menu to show its option menus (line width 8, stamp and
// eraser 10, fill 11) beside itself. The menu implements it; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

class SkinMenuView {
public:
    virtual ~SkinMenuView() = default;
    // Placement in main-window pixels (as DropDownMenu has it for the main window); Visible false
    // closes an open menu.
    virtual void SetLeft(int left) = 0;
    virtual void SetTop(int top) = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual void SetVisible(bool visible) = 0;
    // Whether the menu shows now, however it was last shown or closed.
    [[nodiscard]] virtual bool Visible() const = 0;
    // When set, the next Initializemenu starts the hover search at the first row again.
    virtual void SetMemFirst(bool value) = 0;
    // Makes that menu number current and lays out its rows.
    virtual void Initializemenu(int32_t menuNumber) = 0;
    // The total height of the current menu's rows.
    [[nodiscard]] virtual float New_Height() const = 0;
    virtual void MenuChecked(const std::wstring& commandId, bool checked) = 0;
    virtual void MenuPainting() = 0;
    // The command id of the picked row; the canvas sets "Filter_Browse" when it abandons an edit.
    virtual void SetPressMenuID(const std::wstring& commandId) = 0;
};
