#include "editor/EditPanelActions.h"

#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <optional>

namespace {

constexpr uint32_t Bit(int element) {
    return 1u << element;
}

// The modes that draw the edit panel.
bool DrawsEditPanel(int32_t e) {
    return (e >= 1 && e <= 7) || (e >= 9 && e <= 11) || (e >= 17 && e <= 21) || (e >= 25 && e <= 38) || e == 41 ||
           e == 42;
}

} // namespace

uint32_t ShownPanelElements(int32_t e, bool airbrush) {
    if (!DrawsEditPanel(e)) return 0;
    const EditPanelLayout panel = LayOutEditPanel(e, 0, 0);
    uint32_t shown = Bit(kPanelApply) | Bit(kPanelCancel);
    if (panel.slider) shown |= Bit(kPanelSlider);
    if (panel.option) shown |= Bit(kPanelOption);
    if (panel.stampUndo) shown |= Bit(kPanelStampUndo) | Bit(kPanelStampRedo);
    if (e == 5 || e == 6 || e == 19 || e == 20 || (e >= 25 && e <= 27) || e == 37 || (e == 38 && airbrush))
        shown |= Bit(kPanelPicker);
    return shown;
}

int ShownPanelElementAt(const PanelRectArray& rects, uint32_t shown, int last, float x, float y) {
    PanelRectArray only{}; // an empty rectangle holds no point
    for (size_t i = 0; i < rects.size(); ++i)
        if (shown & Bit(static_cast<int>(i))) only[i] = rects[i];
    return PanelElementAt(only, last, x, y);
}

void ShowOptionMenu(SkinMenuView& menu, int32_t effect, const CanvasMainWindow::Placement& canvas, float optionX,
                    bool visible) {
    menu.SetMemFirst(true);
    // Each tool family's menu: its width, number, the row(s) checked now and how far above the canvas's
    // bottom it stands. The stamp's menu checks its eraser row and its brush row.
    struct OptionMenu {
        int width;
        int32_t number;
        std::wstring checked, alsoChecked;
        int above;
    };
    std::optional<OptionMenu> shown;
    if (effect == 19 || effect == 20)
        shown = OptionMenu{120, 11, App().VectorMenu, L"", 100};
    else if (effect >= 25 && effect <= 27)
        shown = OptionMenu{80, 8, App().LineMenu, L"", 300};
    else if (effect == 38)
        shown = OptionMenu{120, 10, App().EraserMenu, App().StampBrushMenu, 350};
    int width = 0;
    if (shown) {
        width = shown->width;
        menu.SetWidth(width);
        menu.Initializemenu(shown->number);
        menu.MenuChecked(shown->checked, true);
        if (!shown->alsoChecked.empty()) menu.MenuChecked(shown->alsoChecked, true);
        menu.SetHeight(RoundHalfEven(menu.New_Height() + 10));
        menu.SetTop(canvas.top + canvas.height - shown->above);
    }
    menu.SetLeft(canvas.left + RoundHalfEven(optionX) - width + 55);
    menu.MenuPainting();
    menu.SetVisible(visible);
}
