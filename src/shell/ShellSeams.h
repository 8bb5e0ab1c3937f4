// What the main window reaches of the folder pane, which is built apart from it.
#pragma once

#include <windows.h>

#include <string>

// The folder pane as the main window drives it (the tree of the system folder dialog in
// FolderView, whose loop is the program's loop).
class FolderPaneView {
public:
    virtual ~FolderPaneView() = default;
    // Runs the pane's loop; returns when FolderViewDestroy ends it.
    virtual bool FolderViewOpen() = 0;
    virtual void FolderViewResize() = 0;
    virtual void FolderViewDestroy() = 0;
    // Selects the folder in the pane; its selection change then shows the folder in the grid.
    virtual void FolderViewSelect(const std::wstring& path) = 0;
    // True from the pane's first folder selection on.
    [[nodiscard]] virtual bool FolderSelected() const = 0;
};
