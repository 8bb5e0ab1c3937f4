// The grid's selection and favourites: what a click, a step or a rubber band leaves selected, and
// the stars of the selected files. The public members stay on ThumViewer; this pair holds the
// state a press leaves behind and the steps that need no window, and ThumSelection.cpp the grid's
// selection and favourites members themselves.
#pragma once

#include "platform/Gdip.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ThumSelectionState {
    // The row of the last plain click or step: its path, its extension, its picture's size.
    std::wstring selectFile, fileExtname;
    float thumW = 0, thumH = 0;
    // The index of the last pressed row; the row count after a rubber band.
    int32_t oldPress = 0;
    // The row steps go on from instead of the pressed one: that of a file that could not be opened
    // while the pressed row went back to the picture shown; -1 when steps go from the pressed row.
    int32_t stepFrom = -1;
    bool showSelection = false; // selection frames: from a press until the next pass or write
    bool bandMode = false, dragging = false;
    float bandX0 = 0, bandY0 = 0, bandX1 = 0, bandY1 = 0; // where the drag started, where the pointer is
    RECT band{};                                          // left, top, right, bottom on the surface; empty when none
};

// The band between the drag's start (x0, y0) and the pointer (x1, y1), in whole pixels; last while
// the two share a column or a row.
[[nodiscard]] RECT BandBetween(float x0, float y0, float x1, float y1, const RECT& last);

// Whether a picture's rectangle on the content overlaps the band drawn on a view scrolled by offset;
// a picture not laid out (no size) overlaps nothing.
[[nodiscard]] bool BandOverlaps(const RectF& picture, const RECT& band, int32_t offset);

// The row a step from oldPress goes to among the shown rows (in grid order): the next or the
// previous one, without wrapping. At the last shown row a step forward stays on it; after a band
// (oldPress past every row) it finds none (-1); back from before the first goes to the first.
[[nodiscard]] int32_t StepTarget(const std::vector<int32_t>& shownRows, int32_t oldPress, bool next);
