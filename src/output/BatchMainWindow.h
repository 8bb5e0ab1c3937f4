// What the batch dialog uses of the main window while it copies, moves or renames the selected
// files: the canvas lets go of its picture and opens it again from where it went, and the folder
// pane and the thumbnails show the result. The main window implements it.
#pragma once

#include <string>

class BatchMainWindow {
public:
    virtual ~BatchMainWindow() = default;
    // The canvas releases the picture it shows, so that its file can be moved or renamed.
    virtual void DisposeImgDIB() = 0;
    // The canvas opens the file.
    virtual void ImportCanvas(const std::wstring& path) = 0;
    // The folder pane selects the folder; the thumbnails show it.
    virtual void FolderViewSelect(const std::wstring& folder) = 0;
    virtual void ThumPath(const std::wstring& folder) = 0;
    // The thumbnails are built again from the folder shown.
    virtual void RefreshThumbnail() = 0;
};
