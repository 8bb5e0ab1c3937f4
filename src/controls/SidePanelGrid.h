// What the side panel's keyword tab uses of the thumbnail grid: the formats to show, and the
// redraw that applies them.
#pragma once

#include <string>

class SidePanelGrid {
public:
    virtual ~SidePanelGrid() = default;

    // A ";"-separated list of wildcard patterns that the grid then shows.
    virtual void ImageFormats(const std::wstring& formats) = 0;
    // Rebuilds the grid, listing the folder again only when relist is true.
    virtual void RefreshThumbnail(bool relist) = 0;
};
