#include "editor/EditPanelActions.h"

#include "platform/AppState.h"
#include "platform/Rounding.h"

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
