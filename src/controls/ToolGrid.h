// The twelve editing tools as icon cells in three columns: the grid that the side panel's tool list
// and the tool-button panel both draw, with the highlight of the picked tool.
#pragma once

#include "platform/GdipHandles.h"

#include <array>
#include <cstdint>
#include <string>

class ToolGrid {
public:
    static constexpr int32_t kToolCount = 12;
    using Captions = std::array<std::wstring, kToolCount>;

    // The captions, in tool order, differ between the two panels.
    explicit ToolGrid(const Captions& captions);

    // The tools' cells: tool i's is 50 x 50 at (15 + 80 (i mod 3), 20 + 70 (i \ 3)).
    static const std::array<RectF, kToolCount> ToolRects;
    // The first tool whose cell holds (x, y); -1 between the cells.
    [[nodiscard]] static int32_t ToolAt(float x, float y);

    // Loads the icons "Icon000.png" to "Icon011.png" from the data folder; a missing one leaves its
    // cell without an icon.
    void LoadIcons();
    // Every tool: its icon stretched into (cell x, cell y, 44, 34) and its caption centred under it.
    void PaintTools(GpGraphics* g) const;
    void PaintTool(GpGraphics* g, int32_t tool) const;
    // The rounded grey shape behind a picked tool, from 8 above and left of its cell, 60 x 65.
    static void PaintHighlight(GpGraphics* g, int32_t tool);

private:
    Captions captions_;
    std::array<GdipImage, kToolCount> icons_;
};
