#include "controls/ToolButtonPanel.h"

#include "controls/PanelShape.h"
#include "imaging/ModGDI.h"
#include "platform/HitRect.h"

namespace {

constexpr COLORREF kBackColor = RGB(238, 238, 238);
constexpr int kPictureHeight = 4 * 70 + 20;
constexpr uint32_t kHighlight = ColorARGB(255, 179, 179, 179);

} // namespace

ToolButtonPanel::ToolButtonPanel()
    : grid_({L"Browse...", L"Crop Image", L"Straightion", L"Irradiation", L"Add Text...", L"Card Style", L"Colorize",
             L"Gamma", L"Grey Style", L"Red Eye", L"Stamp Fill", L"Contrast"}) {}

bool ToolButtonPanel::Create(const PictureBoxArgs& args) {
    PictureBoxArgs own = args;
    own.backColor = kBackColor;
    if (!PictureBox::Create(own)) return false;
    if (!toolOLE_.Create({.parent = hWnd(), .width = Width(), .height = Height(), .backColor = kBackColor}))
        return false;
    onResize = [this] { toolOLE_.Move(0, 0, Width(), Height()); };
    toolOLE_.onMouseDown = [this](int button, int shift, float x, float y) {
        for (int32_t tool = 0; cellsReady_ && tool < ToolGrid::kToolCount; ++tool) {
            if (!HitRect(cells_[static_cast<size_t>(tool)], x, y)) continue;
            picked_ = tool;
            Painting();
            break;
        }
        if (onMouseDown) onMouseDown(button, shift, x, y);
    };
    return true;
}

void ToolButtonPanel::StartPaint() {
    for (int32_t tool = 0; tool < ToolGrid::kToolCount; ++tool)
        cells_[static_cast<size_t>(tool)] = ToolGrid::ToolRects[static_cast<size_t>(tool)];
    cellsReady_ = true;
}

void ToolButtonPanel::GetIconHandle() {
    grid_.LoadIcons();
}

void ToolButtonPanel::Painting() {
    toolOLE_.Move(0, 0, Width(), kPictureHeight);
    toolOLE_.Cls();
    if (cellsReady_) {
        const RectF& cell = cells_[static_cast<size_t>(picked_)];
        PaintBG(toolOLE_.hDC(), 5, 5, 50, 60, cell.X - 8, cell.Y - 8, true, kHighlight, false, picked_);
    }
    {
        GdipGraphics g = toolOLE_.CreateGraphics();
        grid_.PaintTools(g.get());
    }
    toolOLE_.Refresh();
}

void ToolButtonPanel::PaintBG(HDC target, float arcW, float arcH, float w, float h, float x, float y, bool noContent,
                              uint32_t fill, bool tabShape, int32_t tabIndex) {
    GdipGraphics g;
    if (GdipCreateFromHDC(target, g.put()) != Ok) return;
    PaintPanelShape(g.get(), arcW, arcH, w, h, x, y, noContent, fill, tabShape, tabIndex == picked_,
                    {ColorARGB(100, 255, 255, 255), ColorARGB(50, 0, 0, 0), ColorARGB(50, 255, 255, 255)});
}
