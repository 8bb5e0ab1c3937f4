// A stand-alone panel of the twelve tool cells, the grid of the side panel's tool list without
// tabs or scroll bar: a press on a cell picks that tool and moves the highlight to it.
#pragma once

#include "controls/ToolGrid.h"
#include "platform/PictureBox.h"

#include <cstdint>
#include <functional>

class ToolButtonPanel : private PictureBox {
public:
    ToolButtonPanel();

    // Makes the panel and its picture ToolOLE, which fills it.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // The cells are fixed (ToolGrid::Cell); kept for hosts that call it before painting.
    void StartPaint() {}
    // Loads the tool icons.
    void GetIconHandle();
    // Draws the highlight behind the picked tool, then every tool, on a picture 300 high.
    void Painting();

    [[nodiscard]] int32_t PickedTool() const { return picked_; }
    [[nodiscard]] PictureBox& ToolOLE() { return toolOLE_; }

    // Raised after every press on the tools, picked or not.
    std::function<void(int button, int shift, float x, float y)> onMouseDown;

    using PictureBox::Destroy;
    using PictureBox::Height;
    using PictureBox::hWnd;
    using PictureBox::Move;
    using PictureBox::SetVisible;
    using PictureBox::Width;

private:
    PictureBox toolOLE_;
    ToolGrid grid_;
    int32_t picked_ = 0;
};
