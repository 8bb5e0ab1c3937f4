// The main window's layout as a model: every pane's rectangle and visibility from the client size,
// the three splitters and the fixed heights. The window reads its panes in, arranges, and applies.
#pragma once

#include "platform/Gdip.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

struct PaneRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
};

struct MainLayoutPanes {
    int clientWidth = 0;
    int clientHeight = 0;
    int32_t effect = 0; // the canvas's mode: 4 (text) and 10 (calendar) show the text bar

    PaneRect TitleSkin, yzToolbarUser, ImageToolbar, ResizeBorder;
    PaneRect UseryzSplitH, FolderView, UseryzSplitLV, UseryzProcess1;
    PaneRect YDSTextControl1, SingleyzPreview, UseryzSplitV, ThumyzViewer;

    // Set by the layout: the bar shows its open-pane icon (the grid is collapsed), and the left
    // column is shown (its folder tree is then fitted to FolderView).
    bool thumPaneClosed = false;
    bool leftColumnShown = false;
};

// The design sizes in pixels, and the splitter positions of a first start.
namespace DesignSize {
constexpr int TitleSkinHeight = 25;
constexpr int ToolbarUserHeight = 20;
constexpr int ImageToolbarHeight = 40;
constexpr int ResizeBorder = 17;
constexpr int SplitHTop = 93;
constexpr int SplitHWidth = 9;
constexpr int SplitLVHeight = 10;
constexpr int TextBarHeight = 25;
constexpr int SplitVHeight = 25;
} // namespace DesignSize

// Lays every pane out. Never writes the splitters' own inputs (SplitH left/top/width, SplitLV top
// and height, SplitV top and height) or the fixed heights. A step that would give a negative width
// or height is skipped and the pane keeps that size.
void ArrangeMainWindow(MainLayoutPanes& p);

// Only the strips across the top (title, menu titles, image tool bar) and the size grip in the
// bottom-right corner, for the client size; the first steps of ArrangeMainWindow.
void ArrangeChrome(MainLayoutPanes& p);

// Only the text bar and the canvas, for the tool in use (the grid's height follows).
void ArrangeEditArea(MainLayoutPanes& p);

// The history strip's white field, where the path shows and a click opens the recent folders:
// from x 65 to 5 short of the column splitter, 5 below its top, 18 high.
[[nodiscard]] RectF HistoryStripRect(const PaneRect& splitH);

// Puts stored splitter positions back into a client area of width x height: the column split
// between 0 and the client width less the splitter, the two bars between the top of the working
// area and the client height less their own height.
void ClampSplitters(MainLayoutPanes& p);

// The taskbar's rectangle on the screen as the shell gives it; nothing when the shell does not say.
[[nodiscard]] std::optional<RECT> ShellTaskbarRect();
// The taskbar's thickness in pixels and its edge ("40*B", "*T", "*L", "*R"), from its rectangle
// and the screen size; the last of the four tests that holds wins; empty when none holds.
[[nodiscard]] std::wstring GetTaskbarEdge(const RECT& taskbar, int screenWidth, int screenHeight);
// The window rectangle beside the taskbar for a GetTaskbarEdge answer; false (rect untouched) for
// an empty or unreadable answer.
[[nodiscard]] bool WindowBesideTaskbar(const std::wstring& edge, int screenWidth, int screenHeight, RECT& rect);
