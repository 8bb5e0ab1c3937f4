#include "shell/MenuState.h"

#include <array>

namespace {

void Enable(DropDownMenu& menu, std::initializer_list<const wchar_t*> ids, bool enabled) {
    for (const wchar_t* id : ids) menu.MenuVisible(id, enabled);
}

bool IsSelectionMode(int32_t e) {
    return e == 5 || e == 17 || e == 41 || e == 42;
}

constexpr std::array<const wchar_t*, 6> kSortIds{L"View_Sortname",   L"View_Sorttype",   L"View_Sortsize",
                                                 L"View_Sortcreate", L"View_Sortmodify", L"View_Sortstar"};

} // namespace

void Menu_Setting(int32_t title, const MenuStateInputs& s, DropDownMenu& menu, ToolMenuRows* tools) {
    const bool open = s.imageOpen;
    const int32_t e = s.effect;
    switch (title) {
    case MenuTitle::File:
        Enable(menu, {L"File_Save", L"File_SaveAs", L"File_Savecopy", L"File_Print", L"File_Import"}, open);
        menu.MenuVisible(L"File_Fav", open && (e == 0 || e == 38));
        break;
    case MenuTitle::Edit:
        if (!open) Enable(menu, {L"Edit_Undo", L"Edit_Redo"}, false);
        Enable(menu,
               {L"Edit_Copy", L"Edit_Rename", L"Edit_Copyto", L"Edit_Moveto", L"Edit_Delete", L"Edit_Hflip",
                L"Edit_Vflip"},
               open);
        Enable(menu, {L"Edit_Deselect", L"Edit_Clearselect", L"Edit_Inverse"}, IsSelectionMode(e));
        menu.MenuVisible(L"Edit_Rasterize", open && (e == 4 || e == 10 || e == 19 || e == 20));
        Enable(menu, {L"Edit_Clockwise", L"Edit_Crcolockwise", L"Edit_Resize", L"Edit_Resizec"}, open && e != 38);
        menu.MenuVisible(L"Edit_Paste", s.clipboardBitmap);
        ProperPanelSel(s.toolselect, menu);
        break;
    case MenuTitle::View:
        Enable(menu, {L"View_Fullmode", L"View_Fitmode", L"View_Zoomout", L"View_Zoomin"}, open && e == 0);
        Enable(menu, {L"View_Addstar", L"View_Removestar"}, open);
        for (const wchar_t* id : kSortIds) menu.MenuVisible(id, s.folderHasImages);
        menu.MenuVisible(L"View_Slideshow", s.folderHasImages);
        menu.MenuChecked(L"View_Fitmode", s.fitPressed);
        break;
    case MenuTitle::Filter:
    case MenuTitle::Effect:
        if (tools) {
            tools->EnabledVMenu(open);
            tools->CancelMenuChecked(false);
        }
        menu.MenuChecked(s.toolMenu, true);
        break;
    case MenuTitle::Create:
        Enable(menu, {L"Create_Desktop", L"Create_Desktopbg", L"Create_Scr"}, open && e == 0);
        break;
    default:
        break;
    }
}

void ShowMenuBarMenu(int32_t title, float x, float y, bool keepOpen, const MenuStateInputs& s, DropDownMenu& menu,
                     ToolMenuRows* tools) {
    // Each menu's height is its rows' plus a margin that suits its last row.
    static constexpr std::array<int, 7> kHeightAdjust{-10, -20, -20, -25, -15, 10, 0};
    menu.SetWidth(kDropDownWidth);
    const bool hit = title >= MenuTitle::File && title <= MenuTitle::Help;
    if (hit) {
        menu.SelectMenu(title);
        if (title == MenuTitle::File) menu.MenuVisible(L"File_Favdec", s.toolselect == 1);
        if (title == MenuTitle::Edit) {
            menu.MenuVisible(L"Edit_Undo", s.undoE);
            menu.MenuVisible(L"Edit_Redo", s.redoE);
        }
        menu.SetHeight(static_cast<int>(menu.New_Height()) + kHeightAdjust[static_cast<size_t>(title)]);
    } else {
        menu.SetVisible(false);
    }
    menu.SetLeft(static_cast<int>(x));
    menu.SetTop(static_cast<int>(y));
    Menu_Setting(title, s, menu, tools);
    menu.MenuPainting();
    if (!keepOpen && hit) menu.SetVisible(!menu.Visible());
}

void ProperPanelSel(int32_t toolselect, DropDownMenu& menu) {
    static constexpr std::array<const wchar_t*, 4> kPanelIds{L"Edit_Filter", L"Edit_Fav", L"Edit_Keyword",
                                                             L"Edit_Prop"};
    menu.SelectMenu(MenuTitle::Edit);
    for (const wchar_t* id : kPanelIds) menu.MenuChecked(id, false);
    if (toolselect >= 0 && toolselect < static_cast<int32_t>(kPanelIds.size()))
        menu.MenuChecked(kPanelIds[static_cast<size_t>(toolselect)], true);
}

std::optional<int32_t> SortModeOf(const std::wstring& id) {
    for (size_t i = 0; i < kSortIds.size(); ++i)
        if (id == kSortIds[i]) return static_cast<int32_t>(i);
    return std::nullopt;
}

std::optional<int32_t> SettingArrange_Menu(const std::wstring& id, DropDownMenu& menu) {
    menu.SelectMenu(MenuTitle::View);
    for (const wchar_t* sortId : kSortIds) menu.MenuChecked(sortId, false);
    const auto mode = SortModeOf(id);
    if (mode) menu.MenuChecked(id, true);
    return mode;
}

void FirstEditStep(MenuPickHost& host) {
    if (!host.EditLoaded()) {
        host.SetFirstL(true);
        host.SetEditLoaded(true);
        host.ImportForEdit();
    } else {
        host.SetFirstL(false);
    }
}

void MenuPick(MenuPickHost& host) {
    if (!host.PressMenuEnabled()) return;
    host.SetBusy(true);
    host.HideMenu();
    host.Wait(200);
    FirstEditStep(host);
    if (host.CurrentMenu() == MenuTitle::History)
        host.OpenHistoryFolder();
    else
        host.DoMenuCommand();
    host.SetBusy(false);
}
