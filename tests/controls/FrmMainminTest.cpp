// The taskbar companion with a fake main window that is a real window: the taskbar's minimise,
// restore and close, keys while it has the focus, and the printer popup.
#include "controls/FrmMainmin.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

class Companion : public ::testing::Test {
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
    // What the taskbar button's menu sends.
    void SysCommand(WPARAM command) { ::SendMessageW(companion.hWnd(), WM_SYSCOMMAND, command, 0); }
};

} // namespace

TEST_F(Companion, LiesOffScreenWithTheProgramsCaptionAndNoMaximiseBox) {
    const HWND hwnd = companion.hWnd();
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    const RECT r = WindowRect(hwnd);
    EXPECT_GE(r.left, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GE(r.top, ::GetSystemMetrics(SM_CYSCREEN));
    wchar_t caption[64] = {};
    ::GetWindowTextW(hwnd, caption, 64);
    EXPECT_STREQ(caption, L"Morv Vellumo");
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(Companion, MinimisingHidesTheMainWindowAndRestoringShowsItWhereItWas) {
    const RECT before = WindowRect(mainWindow.hwnd());
    SysCommand(SC_MINIMIZE);
    TestWindow::Pump(30);
    EXPECT_EQ(companion.WindowState(), FrmMainmin::kMinimized);
    EXPECT_FALSE(::IsWindowVisible(mainWindow.hwnd()));

    SysCommand(SC_RESTORE);
    TestWindow::Pump(30);
    EXPECT_EQ(companion.WindowState(), FrmMainmin::kNormal);
    EXPECT_TRUE(::IsWindowVisible(mainWindow.hwnd()));
    const RECT after = WindowRect(mainWindow.hwnd());
    EXPECT_TRUE(::EqualRect(&before, &after));

    // The title bar's minimise goes through WindowState, with the same effect.
    companion.WindowState(FrmMainmin::kMinimized);
    TestWindow::Pump(30);
    EXPECT_FALSE(::IsWindowVisible(mainWindow.hwnd()));
    companion.WindowState(FrmMainmin::kNormal);
    TestWindow::Pump(30);
    EXPECT_TRUE(::IsWindowVisible(mainWindow.hwnd()));
    EXPECT_EQ(main.log.calls,
              (std::vector<std::wstring>{L"Visible=false", L"Visible=true", L"Visible=false", L"Visible=true"}));
}

TEST_F(Companion, KeysReachTheShortcutsExceptWhileTheTextToolTypes) {
    struct Case {
        int32_t effect;
        bool ctrl;
        const wchar_t* expected; // empty: dropped
    };
    const Case cases[] = {{0, false, L"HandleShortcutKey(39, 0)"},
                          {0, true, L"HandleShortcutKey(39, 2)"},
                          {4, false, L""},
                          {3, false, L"HandleShortcutKey(39, 0)"},
                          {5, true, L"HandleShortcutKey(39, 2)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.effect << (c.ctrl ? " with ctrl" : ""));
        keys.log.calls.clear();
        main.effect = c.effect;
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        ::SetKeyboardState(state);
        ::SendMessageW(companion.hWnd(), WM_KEYDOWN, VK_RIGHT, 0);
        state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
        if (*c.expected)
            EXPECT_EQ(keys.log.calls, std::vector<std::wstring>{c.expected});
        else
            EXPECT_TRUE(keys.log.calls.empty());
    }
}

TEST_F(Companion, ClosingAsksAboutAnUnsavedEditAndCancelKeepsBoth) {
    const HWND hwnd = companion.hWnd();
    main.unsaved = true;
    main.answer = IDCANCEL;
    SysCommand(SC_CLOSE);
    TestWindow::Pump(20);
    EXPECT_EQ(main.log.calls, std::vector<std::wstring>{L"AskSaveChanges()"});
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(companion.hWnd(), hwnd);
    EXPECT_TRUE(::IsWindowVisible(mainWindow.hwnd()));

    // No: the main window's shut-down runs, and it closes the companion.
    main.log.calls.clear();
    main.answer = IDNO;
    SysCommand(SC_CLOSE);
    EXPECT_EQ(main.log.calls, (std::vector<std::wstring>{L"AskSaveChanges()", L"Unload()"}));
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(companion.hWnd(), nullptr);
}

TEST_F(Companion, ClosingWithNothingToSaveDoesNotAsk) {
    const HWND hwnd = companion.hWnd();
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    TestWindow::Pump(20);
    EXPECT_EQ(main.log.calls, std::vector<std::wstring>{L"Unload()"});
    EXPECT_FALSE(::IsWindow(hwnd));
    // The same question and answers drive the title bar's close.
    FakeCompanionMainWindow other;
    other.unsaved = true;
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
        other.answer = answer;
        EXPECT_EQ(CloseAskingToSave(other), answer != IDCANCEL);
    }
    EXPECT_EQ(other.log.Count(L"Unload()"), 2u);
}

TEST_F(Companion, ThePrinterPopupListsEveryNameAndHandsAPickOn) {
    std::vector<std::wstring> names;
    for (int i = 0; i < 11; ++i)
        names.push_back(L"Printer " + std::to_wstring(i));
    std::vector<std::wstring> picked;
    companion.onPrinterPicked = [&](const std::wstring& name) { picked.push_back(name); };
    companion.SetPrinterNames(names);
    HMENU menu = companion.PrinterMenu();
    ASSERT_EQ(::GetMenuItemCount(menu), 11);
    wchar_t text[64];
    ::GetMenuStringW(menu, 10, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Printer 10");

    // A pick with the keyboard: down twice and Enter picks the second row.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        ::PostMessageW(companion.hWnd(), WM_KEYDOWN, key, 0);
    companion.ShowPrinterMenu(200, 200);
    TestWindow::Pump(30);
    EXPECT_EQ(picked, std::vector<std::wstring>{L"Printer 1"});

    // A new list replaces the old one; an id past its end picks nothing.
    companion.SetPrinterNames({L"Only"});
    EXPECT_EQ(::GetMenuItemCount(companion.PrinterMenu()), 1);
    ::SendMessageW(companion.hWnd(), WM_COMMAND, FrmMainmin::kFirstPrinterCommand + 1, 0);
    ::SendMessageW(companion.hWnd(), WM_COMMAND, FrmMainmin::kFirstPrinterCommand, 0);
    EXPECT_EQ(picked, (std::vector<std::wstring>{L"Printer 1", L"Only"}));
}
