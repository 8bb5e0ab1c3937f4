#include "editor/EditPanelActions.h"

#include "platform/AppState.h"
#include "platform/Rounding.h"

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
    int width = 0;
    if (effect == 19 || effect == 20) {
        width = 120;
        menu.SetWidth(width);
        menu.Initializemenu(11);
        menu.MenuChecked(App().VectorMenu, true);
        menu.SetHeight(RoundHalfEven(menu.New_Height() + 10));
        menu.SetTop(canvas.top + canvas.height - 100);
    } else if (effect >= 25 && effect <= 27) {
        width = 80;
        menu.SetWidth(width);
        menu.Initializemenu(8);
        menu.MenuChecked(App().LineMenu, true);
        menu.SetHeight(RoundHalfEven(menu.New_Height() + 10));
        menu.SetTop(canvas.top + canvas.height - 300);
    } else if (effect == 38) {
        width = 120;
        menu.SetWidth(width);
        menu.Initializemenu(10);
        menu.MenuChecked(App().EraserMenu, true);
        menu.MenuChecked(App().StampBrushMenu, true);
        menu.SetHeight(RoundHalfEven(menu.New_Height() + 10));
        menu.SetTop(canvas.top + canvas.height - 350);
    }
    menu.SetLeft(canvas.left + RoundHalfEven(optionX) - width + 55);
    menu.MenuPainting();
    menu.SetVisible(visible);
}
