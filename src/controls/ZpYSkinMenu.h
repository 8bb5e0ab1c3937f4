// The main window's one owner-drawn drop-down menu. It holds the whole command table and the
// recent-folder history (menu 12), shows one menu at a time, highlights the row under the pointer
// and reports a pick by raising MouseUp; the host reads PressMenuID, hides the menu and runs the
// command. The host places, sizes, shows and hides it.
#pragma once

#include "controls/CommandTable.h"
#include "editor/SkinMenuView.h"
#include "platform/PictureBox.h"

#include <cstdint>
#include <string>
#include <vector>

class ZpYSkinMenu : public PictureBox, public SkinMenuView {
public:
    // Builds the command table and reads the history from App().DataPath + "History.tmp". The window
    // is made by Create (it starts hidden unless the arguments say otherwise).
    ZpYSkinMenu();
    // Writes the history file back when this run added a folder.
    ~ZpYSkinMenu() override;

    // Public state, as hosts read and write it.
    MenuIndex CurrentlyMenu = 0; // the current menu; Initializemenu writes it with a layout
    int32_t SubMenuHeight = 20;  // height of a command row
    int32_t MenuCounts = 0;      // rows of the current menu, separators included
    int32_t lngVisible = 0;      // non-zero while the pointer is over an enabled row
    bool MemFirst = false;       // the next Initializemenu searches for the menu's first row again

    // SkinMenuView: placement in the parent's pixels, and the menu itself.
    void SetLeft(int left) override;
    void SetTop(int top) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // Showing the menu also lifts it above the host's other children.
    void SetVisible(bool visible) override;
    [[nodiscard]] bool Visible() const override { return PictureBox::Visible(); }
    void SetMemFirst(bool value) override { MemFirst = value; }
    // Makes menu m current and lays out its rows. A number outside 0 to 12 keeps the previous row
    // count.
    void Initializemenu(MenuIndex menu) override;
    [[nodiscard]] MenuIndex Initializemenu() const { return CurrentlyMenu; }
    // The total height of the laid-out rows: 20 per command row, 15 per separator.
    [[nodiscard]] float New_Height() const override { return menuHeight_; }
    // Enables (true) or greys out every row of the current menu with that id (letter case ignored).
    // Neither repaints.
    void MenuVisible(const std::wstring& commandId, bool enabled);
    void MenuChecked(const std::wstring& commandId, bool checked) override;
    // Paints the current menu whole, with no row highlighted.
    void MenuPainting() override { MenuPainting(false); }
    // incremental: only moves the highlight from the row that carries it to the row last found
    // under the pointer (nothing when that row is the same, a separator or disabled).
    void MenuPainting(bool incremental);

    // The id of the picked row from a mouse-up until the next mouse-move, otherwise "".
    [[nodiscard]] std::wstring PressMenuID() const;
    // Names the current id without a pick (hosts use it for the current tool).
    void SetPressMenuID(const std::wstring& commandId) override { hoverId_ = commandId; }
    [[nodiscard]] int32_t PressMenuEnabled() const { return lngVisible; }
    // The caption of the row last found under the pointer; for a history row, the folder.
    [[nodiscard]] const std::wstring& Caption() const { return hoverCaption_; }

    // Records a folder as the most recent one (the bottom row of menu 12). A folder already there,
    // in any letter case, changes nothing; the sixteenth drops the oldest.
    void HistoryCreate(const std::wstring& path);
    // Appends the rows of the history file as menu 12.
    void UpdateHistory();
    [[nodiscard]] int32_t HistoryCount() const { return historyCount_; }

    // The store and the current layout, for hosts and tests that need to look.
    [[nodiscard]] const MenuTable& MenuListView() const { return menuListView_; }
    [[nodiscard]] const std::vector<RectF>& RowRects() const { return rowRects_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    static constexpr float TextIndent = 18; // where a caption starts, less MarkLeft
    static constexpr float MarkLeft = 3;    // where the check mark starts
    static constexpr int32_t kNoRow = -1;

    struct Painter;
    // The highlight behind a row: a rounded box w + 2 rx wide and h + ry high from (x, y), filled
    // with a blue gradient that deepens over 50 pixels down and outlined in dark blue.
    static void DrawRoundRect(GpGraphics* g, float x, float y, float w, float h, float rx, float ry);
    void Hover(float x, float y);
    void PaintHighlightChange();
    // The store row shown as row i of the current layout, or null.
    [[nodiscard]] const MenuRow* LaidOutRow(int32_t i) const;
    template <typename Change> void ChangeCurrentMenuRows(const std::wstring& commandId, Change change);
    void WriteHistoryBack() const;
    // Appends one row at the end of the store, as it comes: no id or separator is checked.
    void AddMenuItem(MenuIndex menu, const std::wstring& caption, const std::wstring& commandId,
                     const std::wstring& shortcut, bool checked, bool visible);

    MenuTable menuListView_;
    std::vector<RectF> rowRects_;
    size_t firstRow_ = 0; // store index of the current menu's first row
    float menuHeight_ = 0;
    int32_t hoverIndex_ = kNoRow;
    int32_t paintedIndex_ = kNoRow;
    std::wstring hoverId_;
    std::wstring hoverCaption_;
    bool pressed_ = false;
    int32_t historyCount_ = 0;
    bool historyChanged_ = false;
    std::wstring historyPath_;
    GdipImage checkMark_;
};
