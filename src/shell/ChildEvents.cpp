#include "shell/ChildEvents.h"

#include "shell/MenuState.h"

#include <array>

namespace {

constexpr int32_t kHistoryMenu = 12;
constexpr int32_t kThumbSizeMenu = 7;

// Ids 6 and 7 step through the grid as the View menu's rows do, asking about an unsaved edit.
constexpr std::array<const wchar_t*, 10> kToolbarCommands{
    L"File_New",     L"File_Open",    L"File_SaveAs", L"File_Import", L"View_Slideshow",
    L"View_Fitmode", L"View_Zoomout", L"View_Zoomin", L"Edit_Undo",   L"Edit_Redo"};

} // namespace

std::wstring ImageToolbarCommandId(int32_t pressId) {
    if (pressId < 0 || pressId >= static_cast<int32_t>(kToolbarCommands.size())) return {};
    return kToolbarCommands[static_cast<size_t>(pressId)];
}

bool ImageToolbarCommand(MenuCommandHost& host, int32_t pressId) {
    const std::wstring id = ImageToolbarCommandId(pressId);
    return !id.empty() && RunMenuCommand(host, id);
}

std::wstring DateFilterText(int32_t day, int32_t month, int32_t year) {
    return std::to_wstring(day) + L"-" + std::to_wstring(month) + L"-" + std::to_wstring(year) + L"-";
}

void OpenHistoryMenu(DropDownMenu& menu, const RectF& hit) {
    menu.SetWidth(600);
    menu.SelectMenu(kHistoryMenu);
    menu.SetHeight(static_cast<int>(menu.New_Height()) + 10);
    menu.MenuPainting();
    menu.SetLeft(static_cast<int>(hit.X));
    menu.SetTop(static_cast<int>(hit.Y + hit.Height + 2));
    menu.SetVisible(!menu.Visible());
}

void OpenThumbSizeMenu(DropDownMenu& menu, const PaneRect& bar, bool gridHasFiles, std::wstring& thumSizeMenu) {
    constexpr int kWidth = 150;
    menu.SetWidth(kWidth);
    menu.SelectMenu(kThumbSizeMenu);
    menu.SetHeight(static_cast<int>(menu.New_Height()) + 10);
    menu.SetLeft(bar.left + bar.width - kWidth);
    menu.SetTop(bar.top + bar.height);
    for (const wchar_t* id : {L"Zoom_Small", L"Zoom_Normal", L"Zoom_Middle", L"Zoom_Large", L"Zoom_Maximal"})
        menu.MenuVisible(id, gridHasFiles);
    if (thumSizeMenu.empty()) thumSizeMenu = L"Zoom_Normal";
    menu.MenuChecked(thumSizeMenu, true);
    menu.MenuPainting();
    menu.SetVisible(!menu.Visible());
}
