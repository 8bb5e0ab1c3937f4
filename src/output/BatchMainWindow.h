// What the batch dialog uses of the main window while it copies, moves or renames the selected
// files: the save question first, the canvas lets go of its picture when that is one of the files
// and opens it again from where it went, and the folder pane and the thumbnails show the result.
// The main window implements it.
#pragma once

#include <string>

class BatchMainWindow {
public:
    virtual ~BatchMainWindow() = default;
    // Before a move or rename, which may open the shown file afresh in the canvas: the save question
    // for an edit of the shown picture that is not saved (it may have been made while the dialog
    // was open). False when the user cancels: then nothing is to be moved.
    [[nodiscard]] virtual bool SaveShownImageFirst() = 0;
    // The file the canvas shows; empty when it shows none of its own (a new picture, a scratch copy).
    [[nodiscard]] virtual std::wstring ShownFile() const = 0;
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
