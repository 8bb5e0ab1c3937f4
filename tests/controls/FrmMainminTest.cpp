// The taskbar companion with a fake main window that is a real window: what the taskbar sends
// (minimise, restore, close), keys while it has the focus, and the printer popup.
#include "controls/FrmMainmin.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

class TaskbarCompanion : public ::testing::Test {
protected:
    TestWindow mainWindow{320, 200, 120, 90};
    FakeCompanionMainWindow main;
    FakeShortcutKeyHandler keys;
    FrmMainmin companion{main, &keys};

    void SetUp() override {
        main.window = mainWindow.hwnd();
        main.onUnload = [this] { companion.Destroy(); };
        ASSERT_TRUE(companion.Create());
        companion.ShowOffScreen();
        TestWindow::Pump(30);
        main.log.calls.clear();
    }
    void SysCommand(WPARAM command) {
        ::SendMessageW(companion.hWnd(), WM_SYSCOMMAND, command, 0);
        TestWindow::Pump(30);
    }
};

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

} // namespace

TEST_F(TaskbarCompanion, MinimisingHidesTheMainWindowAndRestoringShowsItWhereItWas) {
    EXPECT_GE(WindowRect(companion.hWnd()).left, ::GetSystemMetrics(SM_CXSCREEN)); // off-screen
    EXPECT_FALSE(::GetWindowLongPtrW(companion.hWnd(), GWL_STYLE) & WS_MAXIMIZEBOX);
    const RECT before = WindowRect(mainWindow.hwnd());
    SysCommand(SC_MINIMIZE);
    EXPECT_EQ(companion.WindowState(), FrmMainmin::kMinimized);
    EXPECT_FALSE(::IsWindowVisible(mainWindow.hwnd()));
    SysCommand(SC_RESTORE);
    EXPECT_EQ(companion.WindowState(), FrmMainmin::kNormal);
    EXPECT_TRUE(::IsWindowVisible(mainWindow.hwnd()));
    const RECT after = WindowRect(mainWindow.hwnd());
    EXPECT_TRUE(::EqualRect(&before, &after));
    // The title bar's minimise sets WindowState, to the same effect.
    companion.WindowState(FrmMainmin::kMinimized);
    TestWindow::Pump(30);
    EXPECT_FALSE(::IsWindowVisible(mainWindow.hwnd()));
    EXPECT_EQ(main.log.calls, (std::vector<std::wstring>{L"Visible=false", L"Visible=true", L"Visible=false"}));
}

TEST_F(TaskbarCompanion, KeysReachTheShortcutsExceptWhileTheTextToolTypes) {
    // Canvas modes around the text tool's 4, with and without ctrl held.
    const struct {
        int32_t effect;
        bool ctrl;
        std::vector<std::wstring> expected;
    } cases[] = {{0, false, {L"HandleShortcutKey(39, 0)"}},
                 {3, true, {L"HandleShortcutKey(39, 2)"}},
                 {4, false, {}},
                 {4, true, {}},
                 {5, false, {L"HandleShortcutKey(39, 0)"}}};
    for (const auto& c : cases) {
        keys.log.calls.clear();
        main.effect = c.effect;
        TestWindow::HoldKeys({VK_CONTROL}, c.ctrl);
        ::SendMessageW(companion.hWnd(), WM_KEYDOWN, VK_RIGHT, 0);
        TestWindow::HoldKeys({VK_CONTROL}, false);
        EXPECT_EQ(keys.log.calls, c.expected) << "mode " << c.effect;
    }
}

TEST_F(TaskbarCompanion, ClosingAsksAboutAnUnsavedEditAndCancelKeepsBoth) {
    const HWND hwnd = companion.hWnd();
    main.unsaved = true;
    SysCommand(SC_CLOSE); // Cancel
    EXPECT_EQ(main.log.calls, std::vector<std::wstring>{L"AskSaveChanges()"});
    EXPECT_EQ(companion.hWnd(), hwnd);
    EXPECT_TRUE(::IsWindowVisible(hwnd) && ::IsWindowVisible(mainWindow.hwnd()));
    // No: the main window's shut-down runs, and it closes the companion without a second question.
    main.answer = IDNO;
    SysCommand(SC_CLOSE);
    EXPECT_EQ(main.log.calls, (std::vector<std::wstring>{L"AskSaveChanges()", L"AskSaveChanges()", L"Unload()"}));
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(companion.hWnd(), nullptr);
    // With nothing unsaved the title bar's close (the same routine) does not ask.
    main.unsaved = false;
    main.log.calls.clear();
    EXPECT_TRUE(CloseAskingToSave(main));
    EXPECT_EQ(main.log.calls, std::vector<std::wstring>{L"Unload()"});
}

TEST_F(TaskbarCompanion, ThePrinterPopupListsEveryNameAndHandsAPickOn) {
    std::vector<std::wstring> names, picked;
    for (int i = 0; i < 11; ++i) names.push_back(L"Printer " + std::to_wstring(i));
    companion.onPrinterPicked = [&](const std::wstring& name) { picked.push_back(name); };
    companion.SetPrinterNames(names);
    ASSERT_EQ(::GetMenuItemCount(companion.Menu_printer()), 11);
    // Down twice and Enter pick the second row.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) ::PostMessageW(companion.hWnd(), WM_KEYDOWN, key, 0);
    companion.ShowPrinterMenu(200, 200);
    TestWindow::Pump(30);
    EXPECT_EQ(picked, std::vector<std::wstring>{L"Printer 1"});
    // A new list replaces the old one; an id past its end picks nothing.
    companion.SetPrinterNames({L"Only"});
    ::SendMessageW(companion.hWnd(), WM_COMMAND, FrmMainmin::kFirstPrinterCommand + 1, 0);
    ::SendMessageW(companion.hWnd(), WM_COMMAND, FrmMainmin::kFirstPrinterCommand, 0);
    EXPECT_EQ(picked, (std::vector<std::wstring>{L"Printer 1", L"Only"}));
}
