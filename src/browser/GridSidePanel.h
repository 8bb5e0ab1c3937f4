// What the thumbnail grid uses of the side panel: the date picker's marks for the days that have
// pictures, and the month it shows.
#pragma once

#include <cstdint>

class GridSidePanel {
public:
    virtual ~GridSidePanel() = default;

    // Marks day dayIndex + 1 (0 to 30) of the shown month as having pictures, or clears the mark.
    virtual void EnabledDays(int32_t dayIndex, bool enabled) = 0;
    // Paints the date picker again with its marks.
    virtual void RefreshCalender() = 0;
    // The month (1 to 12) and year the date picker shows.
    virtual int32_t ShownMonth() const = 0;
    virtual int32_t ShownYear() const = 0;
};
