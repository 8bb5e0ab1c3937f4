// What the main window reaches in panes and routines that are built apart from it: the folder
// pane, the side panel, and the start-up and shut-down steps of later commands. Each has a plain
// stand-in here until the part that owns it connects.
#pragma once

#include "platform/PictureBox.h"

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

// The side panel UseryzProcess1 as the main window uses it: the picked tool and its repaints.
class SidePanelPane {
public:
    virtual ~SidePanelPane() = default;
    // The window the layout places.
    virtual PictureBox& Pane() = 0;
    [[nodiscard]] virtual int32_t SelEffect() const = 0;
    virtual void SelEffect(int32_t tool) = 0;
    // Non-zero when the panel's last click hit a tool.
    [[nodiscard]] virtual int32_t lngVisible() const = 0;
    virtual void StartPaint() = 0;
    virtual void ResetPaint() = 0;
    virtual void ResizePaint() = 0;
};

// A side panel with no tools yet: an empty pane of the panel's colour.
class BlankSidePanel : public SidePanelPane {
public:
    PictureBox& Pane() override { return pane_; }
    [[nodiscard]] int32_t SelEffect() const override { return selEffect_; }
    void SelEffect(int32_t tool) override { selEffect_ = tool; }
    [[nodiscard]] int32_t lngVisible() const override { return 0; }
    void StartPaint() override { pane_.Refresh(); }
    void ResetPaint() override { pane_.Refresh(); }
    void ResizePaint() override {}

private:
    PictureBox pane_;
    int32_t selEffect_ = 0;
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
