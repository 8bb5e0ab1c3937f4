// The slideshow's arithmetic, apart from its window: the fade's steps, the list in use and its
// index rules, the delay's limits and text, and the move that brings up the control bar.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The alpha step of a fade for a loaded picture of width x height pixels (0 x 0 for a ready
// image): 20, + 10 past 1300 on either side, + 20 more past 2000, + 1 under 300.
[[nodiscard]] int32_t FadeStep(float width, float height);

// The alphas of one fade: 100, 100 + step, ... while at most 255 (empty for a step below 1).
[[nodiscard]] std::vector<int32_t> FadeAlphas(int32_t step);

// The selection's paths that the show and the screen-saver maker use: every non-empty entry, in
// order.
[[nodiscard]] std::vector<std::wstring> NonEmptyPaths(const std::vector<std::wstring>& paths);

// True when the show runs over the selection (two entries or more) rather than the grid.
[[nodiscard]] bool ShowsSelection(const std::vector<std::wstring>& selection);

// The timer's advance: the next index, back to 0 past the last of count entries.
[[nodiscard]] int32_t WrapNext(int32_t index, int32_t count);
// "Back": one less, never below 0. "Next": one more, never past the last of count entries.
[[nodiscard]] int32_t BackIndex(int32_t index);
[[nodiscard]] int32_t NextIndex(int32_t index, int32_t count);

// The delay in milliseconds that a stored value starts as: 0 becomes 1000, others are kept within
// 1000 to 8000, the delays the commands can set.
[[nodiscard]] int32_t StartSpeed(int32_t stored);
// "[-": 1000 less, except that exactly 1000 stays. "+]": 1000 more, at most 8000.
[[nodiscard]] int32_t SlowerSpeed(int32_t speed); // the shorter delay
[[nodiscard]] int32_t LongerSpeed(int32_t speed);
// The bar's delay text: the seconds in the shortest decimal form, then " Seconds" ("2.5 Seconds").
[[nodiscard]] std::wstring SpeedText(int32_t speed);

// True when the pointer has gone more than 3 pixels right of or below the anchor (signed: moves
// to the left or upwards never count).
[[nodiscard]] bool MoveBringsBar(float anchorX, float anchorY, float cursorX, float cursorY);
