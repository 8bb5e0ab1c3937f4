// What the main window reaches in panes and routines that are built apart from it: the folder
// pane, and the start-up and shut-down steps of later commands, which those commands connect.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
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
    // True from the pane's first folder selection on.
    [[nodiscard]] virtual bool FolderSelected() const = 0;
};

// Start-up and shut-down steps of later commands; an empty one is skipped.
struct ShellSteps {
    std::function<void(const std::wstring& arrangeString)> SettingArrange_Menu; // the thumbnail sort
    std::function<void(HWND)> HookWheel;
    std::function<void(HWND)> UnhookWheel;
    std::function<void()> UnloadForms;     // the print, slideshow, batch and file-dialog forms
    std::function<void()> ClearPreviewDIB; // the file dialog's preview image
    // Saving for the save question: over the shown file, and through the save-as dialog; each
    // true only when the image was written.
    std::function<bool()> SaveOnly;
    std::function<bool()> SaveAs;
};
