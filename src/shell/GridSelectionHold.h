// The grid's side of a picture saved under a new name: the grid lists the new file and selects it
// as a click would. A command, or a press in the grid, that asks the save question before it acts
// on the selected files holds the grid meanwhile: a save made by the question's Yes then leaves
// the listing and the selection as the command took them, and the grid catches up once the command
// has acted.
#pragma once

#include <string>
#include <vector>

class ThumViewer;

class GridSelectionHold {
public:
    explicit GridSelectionHold(ThumViewer& grid) : grid_(grid) {}
    GridSelectionHold(const GridSelectionHold&) = delete;
    GridSelectionHold& operator=(const GridSelectionHold&) = delete;

    // Holds may nest (a command run while another waits); the last release catches up: the
    // folder listed again, and the selection the command or press left put back on the new rows.
    void Hold() { ++holds_; }
    void Release();
    [[nodiscard]] bool Held() const { return holds_ > 0; }

    // The folder listed again, and those of selection it still lists selected again: one framed
    // as a click frames it, several framed as they were. Gives how many are selected.
    size_t Relist(const std::vector<std::wstring>& selection);

    // The canvas now shows path, just saved there: a file of the folder shown is listed and
    // selected in the grid, at once or after the hold; a file elsewhere is the selection alone
    // unless the grid is held.
    void ShowSavedFile(const std::wstring& path);

private:
    [[nodiscard]] bool ListsFolderOf(const std::wstring& path) const;

    ThumViewer& grid_;
    int holds_ = 0;
    bool relist_ = false;
};
