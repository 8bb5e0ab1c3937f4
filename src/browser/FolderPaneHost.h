// What the folder pane uses of the main window: the picture box that receives the folder tree,
// the path label, the left panel's frame, the drop-down menu's recent-folder history, and the
// thumbnail grid.
#pragma once

#include <windows.h>

#include <string>

class FolderPaneHost {
public:
    virtual ~FolderPaneHost() = default;
    // The FolderView picture box and its size in pixels.
    [[nodiscard]] virtual HWND FolderViewWindow() const = 0;
    [[nodiscard]] virtual SIZE FolderViewSize() const = 0;
    // The path label Label1; the caption ends before the first NUL of the text written.
    [[nodiscard]] virtual std::wstring PathCaption() const = 0;
    virtual void SetPathCaption(const std::wstring& caption) = 0;
    // Repaints the left panel's frame and caption.
    virtual void LeftSkinstyle() = 0;
    // The drop-down menu's Visible; false closes it if it is open.
    virtual void SetMenuVisible(bool visible) = 0;
    // Adds the folder to the recent-folder history.
    virtual void HistoryCreate(const std::wstring& path) = 0;
    // The thumbnail grid ThumyzViewer: Path shows a folder (an empty text gives an empty grid),
    // CreateThumbnail then lays the grid out and draws it.
    virtual void GridPath(const std::wstring& folder) = 0;
    virtual void GridCreateThumbnail() = 0;
};
