// The main window's handlers of its children's events, its keys and its wheel: the shortcut keys,
// the thumbnail-pane toggle, the image tool bar, the grid, canvas, side-panel and text-bar events,
// the two drop-downs opened at a place, the three splitter drags with their ghost bar and the
// resize grip. Connected once the panes exist.
#pragma once

#include "browser/GridMainWindow.h"
#include "platform/PictureBox.h"
#include "shell/ShortcutKeys.h"
#include "shell/SplitterDrags.h"
#include "shell/ModWinDir.h"

class FrmMain;

class MainEvents final : public ShortcutHost {
public:
    explicit MainEvents(FrmMain& main);
    MainEvents(const MainEvents&) = delete;
    MainEvents& operator=(const MainEvents&) = delete;

    // Sets every child's handlers and key forwarding, makes the ghost bar and offers the wheel
    // hook to the window's start-up steps.
    void Connect();

    // The window's own key-down: no shortcut while the text tool types (canvas mode 4).
    void Form_KeyDown(int keyCode, int shift);
    // A release on the window itself: the "History:" strip opens the recent-folder list.
    void Form_MouseUp(float x, float y);
    void HandleShortcutKey(int keyCode, int shift) { (void)::HandleShortcutKey(*this, keyCode, shift); }

    // ShortcutHost
    [[nodiscard]] MenuCommandHost& Commands() override;
    void ToggleThumbnailPane() override;
    void FirstEditStep() override;
    void CloseMenu() override;

    // The keys of the panes a click may move the focus to while the text tool types (the title
    // strip, the size grip, both splitters, the folder box and the text bar): taken as the window's
    // own, so that typing that lands there runs no shortcut.
    class WindowKeys final : public ShortcutKeyHandler {
    public:
        explicit WindowKeys(MainEvents& events) : events_(events) {}
        void HandleShortcutKey(int keyCode, int shift) override { events_.Form_KeyDown(keyCode, shift); }

    private:
        MainEvents& events_;
    };

    // The grid's neighbour for a press: the canvas asks to save and opens the pressed file. A
    // save the question makes holds the grid until the press has opened its file, so that a
    // picture saved into the folder shown moves no thumbnail from under the pointer.
    class GridPress final : public GridMainWindow {
    public:
        explicit GridPress(FrmMain& main) : main_(main) {}
        [[nodiscard]] bool UnsavedEdit() const override;
        [[nodiscard]] int AskSaveChanges() override;
        void FileImport(const std::wstring& path) override;
        void SearchEnded() override;
        [[nodiscard]] std::wstring SearchText() const override;
        // The grid has handled the press (raised after it, also after a Cancel).
        void PressHandled();

    private:
        FrmMain& main_;
        bool held_ = false;
    };

    void ImageToolbarCommand();
    [[nodiscard]] const SplitterDrags& Drags() const { return drags_; }
    WheelHook Wheel;
    PictureBox DragingImg;

private:
    void ConnectSplitter(PictureBox& bar, SplitBar which);
    void BarDown(SplitBar which, float x, float y);
    void BarMove(SplitBar which);
    void BarUp(SplitBar which, float x, float y);
    [[nodiscard]] PaneRect BarRect(SplitBar which) const;
    [[nodiscard]] SplitLimits Limits() const;
    void ShowGhost();

    FrmMain& main_;
    SplitterDrags drags_;
    WindowKeys windowKeys_{*this};
    GridPress gridPress_{main_};
};
