#include "shell/ShortcutKeys.h"
#include "tests/shell/CommandHostLog.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::wstring>;
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

struct KeyHost final : ShortcutHost {
    CommandHostLog log;
    MenuCommandHost& Commands() override { return log; }
    void ToggleThumbnailPane() override { log.Log(L"TogglePane"); }
    void FirstEditStep() override { log.Log(L"FirstEdit"); }
};

struct KeyCase {
    const char* name;
    int key, shift;
    Calls calls;
};

} // namespace

TEST(HandleShortcutKey, EachGroupRunsItsCommandsWithItsModifiers) {
    const KeyCase cases[] = {
        {"Ctrl+Shift+S saves", 'S', kCtrl | kShift, {L"SaveOnly", L"RefreshThumSave"}},
        {"Ctrl+Shift+F only toggles the fit", 'F', kCtrl | kShift, {L"SetFit 1"}},
        {"Ctrl+Tab toggles the pane", VK_TAB, kCtrl, {L"TogglePane"}},
        {"Tab toggles the pane", VK_TAB, 0, {L"TogglePane"}},
        {"Alt is ignored", 'Z', kCtrl | kAlt, {L"Undo"}},
        {"S alone does nothing", 'S', 0, {}},
        {"Shift+S does nothing", 'S', kShift, {}},
        {"Ctrl+E does nothing", 'E', kCtrl, {}},
        {"F5 with Ctrl starts the slideshow", VK_F5, kCtrl, {L"ShowSlideshow"}},
        {"F1 opens the help", VK_F1, 0, {L"ShowHelp"}},
        {"Ctrl+O opens", 'O', kCtrl, {L"FileDialog 0"}},
        {"Ctrl+P prints without the save question", 'P', kCtrl, {L"ShowPrintDialog"}},
        {"Ctrl+Y redoes", 'Y', kCtrl, {L"Redo"}},
        {"Ctrl+A selects all", 'A', kCtrl, {L"SelectAll"}},
        {"Ctrl+D deselects and repaints", 'D', kCtrl, {L"Deselect", L"Painting 1"}},
        {"Ctrl+C copies and repaints", 'C', kCtrl, {L"Copy", L"Painting 0"}},
        {"Ctrl+V takes the first edit step, then pastes", 'V', kCtrl, {L"FirstEdit", L"Paste"}},
        {"Shift+R steps back", 'R', kShift, {L"PreviewBack", L"ImportSelected"}},
        {"Delete skips empty entries", VK_DELETE, kShift, {L"DeleteImage", L"Recycle C:\\b.png", L"RefreshThumbnail"}},
    };
    for (const KeyCase& c : cases) {
        KeyHost host;
        host.log.unsaved = true; // only stepping asks; Ctrl+P does not
        host.log.files = {L"C:\\a.png", L"", L"C:\\b.png"};
        EXPECT_EQ(HandleShortcutKey(host, c.key, c.shift), !c.calls.empty()) << c.name;
        Calls expected = c.calls;
        if (c.key == 'R') expected.insert(expected.begin(), L"AskSaveChanges");
        EXPECT_EQ(host.log.calls, expected) << c.name;
    }
}

TEST(HandleShortcutKey, ShiftEAsksBeforeLeavingAnUnsavedEditAndCancelKeepsIt) {
    struct Case {
        bool unsaved;
        int answer;
        Calls calls;
    };
    for (const Case& c : {Case{true, IDCANCEL, {L"AskSaveChanges"}},
                          Case{true, IDNO, {L"AskSaveChanges", L"PreviewNext", L"ImportSelected"}},
                          Case{false, IDCANCEL, {L"PreviewNext", L"ImportSelected"}}}) {
        KeyHost host;
        host.log.unsaved = c.unsaved;
        host.log.askAnswer = c.answer;
        (void)HandleShortcutKey(host, 'E', kShift);
        EXPECT_EQ(host.log.calls, c.calls) << c.unsaved << c.answer;
    }
}

TEST(ToggleThumbPane, TabTwiceRestoresAndTheFirstOpenWithoutAStoredPlaceIsTwoHundredAboveTheBottom) {
    constexpr int H = 900, barHeight = 25;
    int32_t old = 0;
    // Open at 400: the first Tab collapses to the bottom and keeps 400; the second puts it back.
    ThumbPaneToggle t = ToggleThumbPane(H, 400, barHeight, old);
    EXPECT_FALSE(t.opened);
    EXPECT_EQ(t.barTop, H - barHeight - 3);
    EXPECT_EQ(old, 400);
    t = ToggleThumbPane(H, t.barTop, barHeight, old);
    EXPECT_TRUE(t.opened);
    EXPECT_EQ(t.barTop, 400);

    // Collapsed at start with nothing kept: opens at H - 200.
    old = 0;
    t = ToggleThumbPane(H, H - barHeight - 3, barHeight, old);
    EXPECT_TRUE(t.opened);
    EXPECT_EQ(t.barTop, H - 200);
    EXPECT_EQ(old, H - 200);

    // The collapsed test's edge: 5 pixels above the bottom band still counts as open, 4 as shut.
    old = 123;
    EXPECT_FALSE(ToggleThumbPane(H, H - barHeight - 5, barHeight, old).opened);
    old = 123;
    EXPECT_TRUE(ToggleThumbPane(H, H - barHeight - 4, barHeight, old).opened);
}
