// The rounded-shape painter that the side panel and the tool-button panel share: a closed rounded
// box, or a tab with rounded top corners and a flat bottom drawn picked or not, and the content
// area under the tabs.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>

// The content area under the tabs of a frame painted from x, w x h: (x + 3, 30, w + 14, h - 30) in
// whole pixels.
[[nodiscard]] Rect ContentRect(float x, float w, float h);

// How a tab that is not picked looks: a vertical gradient from (0, 0) to (0, 50), tiled and
// flipped, and a 1-pixel outline.
struct TabLook {
    uint32_t gradientFrom;
    uint32_t gradientTo;
    uint32_t outline;
};

// On g, anti-aliased: without tabShape the closed outline from (x, y) over w + 2 arcW and
// h + arcH, filled with fill and outlined in white. With tabShape the outline ends at the flat
// bottom y + h; a picked tab is filled light grey (238) and outlined in white, any other one takes
// unpicked. Unless noContent, the ContentRect is outlined in white and filled light grey. The
// caller's smoothing mode is put back.
void PaintPanelShape(GpGraphics* g, float arcW, float arcH, float w, float h, float x, float y, bool noContent,
                     uint32_t fill, bool tabShape, bool picked, const TabLook& unpicked);
