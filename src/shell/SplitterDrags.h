// The main window's three splitter drags, the zoom slider's hold and the resize grip, as a model:
// the ghost bar follows the pointer (in client pixels), and the drop gives the bar's new place
// from the pointer, with the limits and snaps of each bar. The window draws the ghost and lays the
// panes out from what the model returns.
#pragma once

#include "shell/MainLayout.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace SplitRules {
constexpr int kColumnCutOff = 260;  // a left column narrower than this is collapsed
constexpr int kColumnSnap = 270;    // where a drop near the cut-off lands
constexpr int kSnapReach = 30;      // how near the cut-off a drop snaps
constexpr int kColumnCollapsed = 3; // the column bar's place with the left column collapsed
constexpr int kSideBarMargin = 200; // the side-panel bar stays this far from the folder top and the bottom
constexpr int kGridCollapseReach = 160;
constexpr int kGridFillReach = 100;
constexpr int kGhostThickness = 5;
// The resize grip never makes the window smaller than this, so the layout keeps whole panes.
constexpr int kLeastWindowWidth = 400;
constexpr int kLeastWindowHeight = 300;
} // namespace SplitRules

enum class SplitBar {
    SidePanel, // UseryzSplitLV, between the folder pane and the side panel; moves up and down
    Column,    // UseryzSplitH, between the left and the right column; moves sideways
    ThumbPane, // UseryzSplitV, above the thumbnail grid; moves up and down
};

// Where the limits of a drag come from, in the main window's client pixels.
struct SplitLimits {
    int clientHeight = 0;
    int folderLeft = 0; // FolderView
    int folderTop = 0;
    int columnTop = 0; // the column bar's top, where the right column starts
};

struct GhostBar {
    bool visible = false;
    int left = 0, top = 0, width = 0, height = 0;
};

// The bar's place after a drop.
struct SplitDrop {
    int left = 0;
    int top = 0;
    bool leftColumnCollapsed = false; // Column: the left column is hidden
    bool gridCollapsed = false;       // ThumbPane: the grid is hidden
};

// The ghost's left for the column bar at a pointer x: the snap place near the cut-off.
[[nodiscard]] int ColumnGhostLeft(int pointerX);
// The side-panel bar's top within its limits.
[[nodiscard]] int ClampSidePanelBar(int top, const SplitLimits& limits);

class SplitterDrags {
public:
    // One flag serves every drag, as only one can be held at a time.
    bool IsDragging = false;
    bool ZoomDragging = false;
    float SplitGrabX = 0, SplitGrabY = 0;

    [[nodiscard]] const GhostBar& DragingImg() const { return ghost_; }

    // A press on a bar (x, y inside the bar). On the thumbnail bar with its slider's grip held
    // (sliderHeld) the zoom drag starts instead.
    void BarDown(SplitBar bar, const PaneRect& barRect, float x, float y, bool sliderHeld = false);
    // The pointer's move to dragCursor, in client pixels: the ghost follows it.
    void BarMove(SplitBar bar, const PaneRect& barRect, POINT dragCursor, const SplitLimits& limits);
    // The release (x, y inside the bar): the bar's new place, or nothing when the pointer never
    // left the bar (a click changes nothing).
    [[nodiscard]] std::optional<SplitDrop> BarUp(SplitBar bar, const PaneRect& barRect, float x, float y,
                                                 const SplitLimits& limits);

    // The resize grip: it works only while isMax is 0. The press keeps the pointer's place on the
    // screen and the window's size; a move returns the window's new size, the size at the press
    // grown by the pointer's travel since (never below the least size), so the window follows the
    // pointer however often it moves and wherever the grip stands meanwhile.
    void GripDown(int32_t isMax, POINT pointerOnScreen, SIZE windowSize);
    [[nodiscard]] std::optional<SIZE> GripMove(POINT pointerOnScreen) const;
    // True when a grip drag ended (the panes are laid out again then).
    bool GripUp();

private:
    GhostBar ghost_;
    POINT gripPress_{};
    SIZE gripSize_{};
};
