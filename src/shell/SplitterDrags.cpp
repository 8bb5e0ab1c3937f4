#include "shell/SplitterDrags.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <utility>

using namespace SplitRules;

int ColumnGhostLeft(int pointerX) {
    return pointerX - kSnapReach < kColumnCutOff && pointerX + kSnapReach > kColumnCutOff ? kColumnSnap : pointerX;
}

int ClampSidePanelBar(int top, const SplitLimits& limits) {
    if (top < limits.folderTop + kSideBarMargin) return limits.folderTop + kSideBarMargin;
    if (top > limits.clientHeight - kSideBarMargin) return limits.clientHeight - kSideBarMargin;
    return top;
}

void SplitterDrags::BarDown(SplitBar bar, const PaneRect& r, float x, float y, bool sliderHeld) {
    if (bar == SplitBar::ThumbPane && sliderHeld) {
        ZoomDragging = true;
        return;
    }
    IsDragging = true;
    SplitGrabX = x;
    SplitGrabY = y;
    ghost_ = GhostBar{false, r.left, r.top, bar == SplitBar::Column ? kGhostThickness : r.width,
                      bar == SplitBar::Column ? r.height : kGhostThickness};
}

void SplitterDrags::BarMove(SplitBar bar, const PaneRect& r, POINT dragCursor, const SplitLimits& limits) {
    if (!IsDragging) return;
    const int px = static_cast<int>(dragCursor.x), py = static_cast<int>(dragCursor.y);
    switch (bar) {
    case SplitBar::SidePanel:
        ghost_.visible = py < r.top || py > r.top + r.height;
        ghost_.left = r.left;
        ghost_.top = ClampSidePanelBar(py, limits);
        break;
    case SplitBar::Column:
        ghost_.visible = px < r.left || px > r.left + r.width;
        ghost_.left = ColumnGhostLeft(px);
        ghost_.top = r.top;
        break;
    case SplitBar::ThumbPane:
        ghost_.visible = true;
        ghost_.left = r.left;
        ghost_.top = py;
        break;
    }
}

std::optional<SplitDrop> SplitterDrags::BarUp(SplitBar bar, const PaneRect& r, float x, float y,
                                              const SplitLimits& limits) {
    IsDragging = false;
    if (bar == SplitBar::ThumbPane) ZoomDragging = false;
    if (!ghost_.visible) return std::nullopt;
    ghost_.visible = false;
    const int movedX = r.left + RoundHalfEven(x - SplitGrabX);
    const int movedY = r.top + RoundHalfEven(y - SplitGrabY);
    SplitDrop drop{r.left, r.top};
    switch (bar) {
    case SplitBar::SidePanel:
        drop.left = limits.folderLeft;
        drop.top = ClampSidePanelBar(movedY, limits);
        break;
    case SplitBar::Column:
        drop.left = ghost_.left == kColumnSnap ? kColumnSnap : movedX;
        if (drop.left < kColumnCutOff) {
            drop.left = kColumnCollapsed;
            drop.leftColumnCollapsed = true;
        }
        break;
    case SplitBar::ThumbPane:
        drop.top = movedY;
        if (drop.top > limits.clientHeight - kGridCollapseReach) {
            drop.top = limits.clientHeight - r.height - 3;
            drop.gridCollapsed = true;
        } else if (drop.top < limits.columnTop + kGridFillReach) {
            drop.top = limits.columnTop;
        }
        break;
    }
    return drop;
}

void SplitterDrags::GripDown(int32_t isMax, POINT pointerOnScreen, SIZE windowSize) {
    if (isMax != 0) return;
    IsDragging = true;
    gripPress_ = pointerOnScreen;
    gripSize_ = windowSize;
}

std::optional<SIZE> SplitterDrags::GripMove(POINT pointerOnScreen) const {
    if (!IsDragging) return std::nullopt;
    return SIZE{std::max(gripSize_.cx + pointerOnScreen.x - gripPress_.x, static_cast<LONG>(kLeastWindowWidth)),
                std::max(gripSize_.cy + pointerOnScreen.y - gripPress_.y, static_cast<LONG>(kLeastWindowHeight))};
}

bool SplitterDrags::GripUp() {
    return std::exchange(IsDragging, false);
}
