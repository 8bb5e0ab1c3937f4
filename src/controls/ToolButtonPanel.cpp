#include "controls/ToolButtonPanel.h"

namespace {

constexpr COLORREF kBackColor = RGB(238, 238, 238);
constexpr int kPictureHeight = 4 * 70 + 20;

} // namespace

ToolButtonPanel::ToolButtonPanel()
    : grid_({L"Browse...", L"Crop Image", L"Straightion", L"Irradiation", L"Add Text...", L"Card Style", L"Colorize",
             L"Gamma", L"Grey Style", L"Red Eye", L"Stamp Fill", L"Contrast"}) {}

bool ToolButtonPanel::Create(const PictureBoxArgs& args) {
    PictureBoxArgs own = args;
    own.backColor = kBackColor;
    if (!PictureBox::Create(own)) return false;
    PictureBoxArgs child;
    child.parent = hWnd();
    child.backColor = kBackColor;
    child.width = Width();
    child.height = Height();
    if (!toolOLE_.Create(child)) return false;
    onResize = [this] { toolOLE_.Move(0, 0, Width(), toolOLE_.Height()); };
    toolOLE_.onMouseDown = [this](int button, int shift, float x, float y) {
        if (const int32_t tool = ToolGrid::ToolAt(x, y); tool >= 0) {
            picked_ = tool;
            Painting();
        }
        if (onMouseDown) onMouseDown(button, shift, x, y);
    };
    return true;
}

void ToolButtonPanel::GetIconHandle() {
    grid_.LoadIcons();
}

void ToolButtonPanel::Painting() {
    toolOLE_.Move(0, 0, Width(), kPictureHeight);
    toolOLE_.Cls();
    {
        GdipGraphics g = toolOLE_.CreateGraphics();
        ToolGrid::PaintHighlight(g.get(), picked_);
        grid_.PaintTools(g.get());
    }
    toolOLE_.Refresh();
}
