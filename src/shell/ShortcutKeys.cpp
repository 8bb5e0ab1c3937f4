#include "shell/ShortcutKeys.h"

#include <windows.h>

#include <map>

namespace {

constexpr int kShift = 1, kCtrl = 2;

// Group 1: with any modifier, ending the handling.
const std::map<int, const wchar_t*>& AnyModifierKeys() {
    static const std::map<int, const wchar_t*> keys{{VK_TAB, KeyAction::TogglePane},
                                                    {VK_DELETE, L"Edit_Delete"},
                                                    {VK_F5, L"View_Slideshow"},
                                                    {VK_F1, L"Help_Index"},
                                                    {VK_ESCAPE, KeyAction::CloseMenu}};
    return keys;
}

// Group 2: with Shift. Stepping to another image asks about an unsaved edit first, as the wheel does.
const std::map<int, const wchar_t*>& ShiftKeys() {
    static const std::map<int, const wchar_t*> keys{
        {'F', L"View_Fitmode"}, {'E', L"View_Zoomin"}, {'R', L"View_Zoomout"}};
    return keys;
}

// Group 3: with Ctrl.
const std::map<int, const wchar_t*>& CtrlKeys() {
    static const std::map<int, const wchar_t*> keys{
        {'O', L"File_Open"}, {'S', L"File_Save"},     {'P', L"File_Print"}, {'Z', L"Edit_Undo"},    {'Y', L"Edit_Redo"},
        {'A', L"Edit_All"},  {'D', L"Edit_Deselect"}, {'C', L"Edit_Copy"},  {'V', KeyAction::Paste}};
    return keys;
}

} // namespace

std::vector<std::wstring> ShortcutActions(int keyCode, int shift) {
    if (const auto any = AnyModifierKeys().find(keyCode); any != AnyModifierKeys().end()) return {any->second};
    std::vector<std::wstring> actions;
    if (shift & kShift)
        if (const auto k = ShiftKeys().find(keyCode); k != ShiftKeys().end()) actions.emplace_back(k->second);
    if (shift & kCtrl)
        if (const auto k = CtrlKeys().find(keyCode); k != CtrlKeys().end()) actions.emplace_back(k->second);
    return actions;
}

bool HandleShortcutKey(ShortcutHost& host, int keyCode, int shift) {
    const std::vector<std::wstring> actions = ShortcutActions(keyCode, shift);
    MenuCommandHost& commands = host.Commands();
    for (const std::wstring& action : actions) {
        if (action == KeyAction::TogglePane) {
            host.ToggleThumbnailPane();
        } else if (action == KeyAction::CloseMenu) {
            host.CloseMenu();
        } else if (action == KeyAction::Paste) {
            host.FirstEditStep();
            (void)RunMenuCommand(commands, L"Edit_Paste");
        } else if (action == L"Edit_Copy") {
            // The key repaints after copying; the menu row does not.
            (void)RunMenuCommand(commands, action);
            commands.Painting(false);
        } else {
            (void)RunMenuCommand(commands, action);
        }
    }
    return !actions.empty();
}

ThumbPaneToggle ToggleThumbPane(int clientHeight, int barTop, int barHeight, int32_t& oldThumTop) {
    const bool collapsed = clientHeight - barHeight < barTop + 5;
    if (collapsed) {
        if (oldThumTop == 0) oldThumTop = clientHeight - 200;
        return {oldThumTop, true};
    }
    oldThumTop = barTop;
    return {clientHeight - barHeight - 3, false};
}
