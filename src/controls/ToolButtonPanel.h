// A stand-alone panel of the twelve tool cells, the grid of the side panel's tool list without
// tabs or scroll bar: a press on a cell picks that tool and moves the highlight to it.
#pragma once

#include "controls/ToolGrid.h"
#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <functional>

class ToolButtonPanel : private PictureBox {
public:
    ToolButtonPanel();

    // Makes the panel and its picture ToolOLE, which fills it, and again at every resize (Painting
    // then makes it 300 high).
    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // Computes the tool cells; until then a press picks nothing and no highlight is drawn.
    void StartPaint();
    // Loads the tool icons.
    void GetIconHandle();
    // Draws the highlight behind the picked tool (PaintBG's closed shape round its cell), then every
    // tool, on a picture 300 high.
    void Painting();
    // The rounded-shape painter of the side panel, on a device context: a closed box filled with
    // fill, or with tabShape a tab drawn picked when tabIndex is the picked tool; a tab that is not
    // picked is shaded from translucent white to translucent black. Tabs carry no caption here.
    void PaintBG(HDC target, float arcW, float arcH, float w, float h, float x, float y, bool noContent, uint32_t fill,
                 bool tabShape, int32_t tabIndex);

    [[nodiscard]] int32_t PickedTool() const { return picked_; }
    [[nodiscard]] PictureBox& ToolOLE() { return toolOLE_; }

    // Raised after every press on the tools, picked or not.
    std::function<void(int button, int shift, float x, float y)> onMouseDown;

    // What the host may use of the picture box under it; the rest of the private base stays inside.
    using PictureBox::Destroy;
    using PictureBox::Height;
    using PictureBox::hWnd;
    using PictureBox::Move;
    using PictureBox::SetVisible;
    using PictureBox::Width;

private:
    PictureBox toolOLE_;
    ToolGrid grid_;
    std::array<RectF, ToolGrid::kToolCount + 1> cells_{}; // the last one stays empty
    bool cellsReady_ = false;
    int32_t picked_ = 0;
};
