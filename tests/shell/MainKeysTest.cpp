// The shortcut keys wherever the focus is: every pane of the real main window that takes the focus
// on a click hands its keys on, checked over the whole window tree, and clicked with the real
// pointer before a real Tab hides the grid.
#include "tests/shell/MainWindowFixture.h"
#include "platform/MessageBoxService.h"
#include "tests/support/RealInput.h"

#include <functional>

namespace {

constexpr int kTextTool = 4;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Every window inside the main window, at any depth.
std::vector<HWND> Descendants(HWND top) {
    std::vector<HWND> all;
    ::EnumChildWindows(top, &CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

// Our own boxes take the focus on a press; the system's own controls (the search box, the text
// bar's lists, the canvas's text box) keep their keys, which type there.
bool OwnBox(HWND window) {
    wchar_t cls[64] = L"";
    ::GetClassNameW(window, cls, 64);
    return std::wstring(cls) == L"VellumoPictureBox" && ::IsWindowEnabled(window);
}

// The window's name and its parents' up to the main window, for a failure's message.
std::string PathOf(HWND window, HWND top) {
    std::string path;
    for (HWND w = window; w && w != top; w = ::GetParent(w)) {
        wchar_t text[64] = L"", cls[64] = L"";
        ::GetWindowTextW(w, text, 64);
        ::GetClassNameW(w, cls, 64);
        path = Narrow(text[0] ? text : cls) + (path.empty() ? "" : "/" + path);
    }
    return path;
}

// A pane of the main window that hands its keys on, and whether it still does while the text tool
// types: the grid and its bar, the menus, the tool bar and the side panel pass every key; the
// window's own strips, grip, splitters, folder box and text bar, like the canvas, none then.
struct KeyPane {
    const char* name;
    HWND window;
    bool whileTyping;
};

std::vector<KeyPane> KeyPanes(FrmMain& m) {
    return {{"title strip", m.TitleSkin.hWnd(), false},
            {"menu titles", m.yzToolbarUser.hWnd(), true},
            {"tool bar", m.ImageToolbar.hWnd(), true},
            {"size grip", m.ResizeBorder.hWnd(), false},
            {"column splitter", m.UseryzSplitH.hWnd(), false},
            {"side panel's splitter", m.UseryzSplitLV.hWnd(), false},
            {"folder box", m.FolderView.hWnd(), false},
            {"side panel", m.UseryzProcess1.hWnd(), true},
            {"text bar", m.YDSTextControl1.hWnd(), false},
            {"canvas", m.SingleyzPreview.hWnd(), false},
            {"bar under the views", m.UseryzSplitV.hWnd(), true},
            {"grid", m.ThumyzViewer.hWnd(), true},
            {"menu", m.SkinMenu.hWnd(), true}};
}

// The pane that window is or lies on; null for none.
const KeyPane* PaneOf(const std::vector<KeyPane>& panes, HWND window) {
    for (const KeyPane& pane : panes)
        if (window == pane.window || ::IsChild(pane.window, window)) return &pane;
    return nullptr;
}

} // namespace

using MainKeysTest = MainWindowTest;

// Tab sent to each window as the system sends it to the one with the focus: each of our boxes
// toggles the thumbnail pane; while the text tool types only those of the panes that pass every
// key do. The system's boxes never do.
TEST_F(MainKeysTest, EveryBoxThatTakesTheFocusHandsItsKeysOnFromTheStart) {
    FrmMain main(Options());
    ASSERT_TRUE(main.Create());
    const std::vector<HWND> windows = Descendants(main.hWnd());
    const std::vector<KeyPane> panes = KeyPanes(main);
    const size_t own = static_cast<size_t>(std::count_if(windows.begin(), windows.end(), OwnBox));
    // The panes and their children: title bar, menu titles, tool bar, grip, three bars, folder
    // box, side panel with eleven children, text bar, canvas, grid, menu and more.
    EXPECT_GE(own, 25u);
    for (const int32_t mode : {0, kTextTool}) {
        main.SingleyzPreview.SetEffect(mode);
        for (const HWND window : windows) {
            const KeyPane* pane = PaneOf(panes, window);
            if (OwnBox(window)) {
                ASSERT_NE(pane, nullptr) << PathOf(window, main.hWnd()) << " lies on no pane of the table";
            }
            const bool expected = OwnBox(window) && (mode != kTextTool || pane->whileTyping);
            const int before = main.UseryzSplitV.Top();
            ::SendMessageW(window, WM_KEYDOWN, VK_TAB, 0);
            const bool toggled = main.UseryzSplitV.Top() != before;
            EXPECT_EQ(toggled, expected) << PathOf(window, main.hWnd()) << " on the "
                                         << (pane ? pane->name : "main window") << " in mode " << mode;
            if (toggled) ::SendMessageW(main.ThumyzViewer.hWnd(), WM_KEYDOWN, VK_TAB, 0);
            ASSERT_EQ(main.UseryzSplitV.Top(), before) << "the pane did not come back";
        }
    }
    main.SingleyzPreview.SetEffect(0);
    main.Unload();
}

// A person's click on each control, then Tab on the keyboard: the grid goes, and a second Tab
// brings it back.
TEST_F(MainKeysTest, ATabAfterAClickOnAnyControlHidesAndShowsTheGrid) {
    PickedFolderPane pane;
    folderPane = &pane;
    Start({L"a.png", L"b.png"});
    ShowPanes();
    FrmMain& m = *main;
    UseryzProcess& panel = m.UseryzProcess1;
    // A click on a side-panel tab, as a person opens it (hit rectangles reach 20 left of a tab).
    auto openTab = [&](int32_t tab) {
        const RectF& r = panel.TabRects()[static_cast<size_t>(tab)];
        real_input::LeftClickAt(real_input::OnScreen(panel.hWnd(), static_cast<int>(r.X + r.Width / 2),
                                                     static_cast<int>(r.Y + r.Height / 2)));
        ASSERT_EQ(panel.Toolselect(), tab);
    };
    struct Row {
        const char* name;
        std::function<void()> prepare;
        std::function<HWND()> control;
        std::function<POINT()> at; // where the control is clicked, in its client coordinates
    };
    const Row rows[] = {
        {"grid", [] {}, [&] { return m.ThumyzViewer.ThumOLE.hWnd(); },
         [&] {
             return POINT{m.ThumyzViewer.Width() - 40, m.ThumyzViewer.Height() - 10};
         }},
        {"canvas", [] {}, [&] { return m.SingleyzPreview.hWnd(); },
         [&] { return real_input::Centre(m.SingleyzPreview.hWnd()); }},
        {"title bar", [] {}, [&] { return m.TitleSkin.hWnd(); },
         [] {
             return POINT{120, 12};
         }},
        {"column splitter", [] {}, [&] { return m.UseryzSplitH.hWnd(); },
         [&] { return real_input::Centre(m.UseryzSplitH.hWnd()); }},
        {"side panel's splitter", [] {}, [&] { return m.UseryzSplitLV.hWnd(); },
         [&] { return real_input::Centre(m.UseryzSplitLV.hWnd()); }},
        {"resize grip", [] {}, [&] { return m.ResizeBorder.hWnd(); },
         [&] { return real_input::Centre(m.ResizeBorder.hWnd()); }},
        {"folder pane", [] {}, [&] { return m.FolderView.hWnd(); },
         [&] { return real_input::Centre(m.FolderView.hWnd()); }},
        {"tool list", [&] { openTab(0); }, [&] { return panel.ToolOLE().hWnd(); },
         [] {
             return POINT{70, 5};
         }},
        {"Tools scroll bar", [&] { openTab(0); }, [&] { return panel.ToolVscroll().hWnd(); },
         [&] {
             const RectF grip = panel.ToolVscroll().GripRect();
             return POINT{static_cast<int>(grip.X + grip.Width / 2), static_cast<int>(grip.Y + grip.Height / 2)};
         }},
        {"stamp list", [&] { openTab(1); }, [&] { return panel.StampMenu().hWnd(); },
         [&] {
             return POINT{40, panel.StampMenu().Height() / 2};
         }},
        {"stamp browser's scroll bar", [&] { openTab(1); }, [&] { return panel.StampMenu().ThumScroll().hWnd(); },
         [&] { return real_input::Centre(panel.StampMenu().ThumScroll().hWnd()); }},
        {"date picker's \"<\"", [&] { openTab(3); }, [&] { return panel.CalenderSee().hWnd(); },
         [&] {
             const RectF back = panel.CalenderSee().ButtonRects()[2];
             return POINT{static_cast<int>(back.X + 8), static_cast<int>(back.Y + 8)};
         }},
        {"text bar", [&] { ASSERT_TRUE(Pick(L"Filter_Cal")); }, [&] { return m.YDSTextControl1.hWnd(); },
         [&] {
             return POINT{m.YDSTextControl1.Width() - 6, m.YDSTextControl1.Height() / 2};
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.prepare();
        const HWND control = row.control();
        ASSERT_TRUE(control && ::IsWindowVisible(control));
        const POINT at = real_input::OnScreen(control, row.at().x, row.at().y);
        // The control itself or one of its children is under the pointer and takes the focus.
        const HWND under = ::WindowFromPoint(at);
        ASSERT_TRUE(under == control || ::IsChild(control, under));
        real_input::LeftClickAt(at);
        ASSERT_EQ(::GetFocus(), under) << "the click did not give the control the focus";
        ASSERT_TRUE(m.ThumyzViewer.Visible());
        real_input::PressKey(VK_TAB);
        EXPECT_FALSE(m.ThumyzViewer.Visible()) << "Tab did not hide the grid";
        if (m.ThumyzViewer.Visible()) continue;
        real_input::PressKey(VK_TAB);
        EXPECT_TRUE(m.ThumyzViewer.Visible()) << "the second Tab did not bring the grid back";
    }
    Close(); // while the folder pane lives
}

// The text tool types on the canvas; a click on one of the window's strips, its grip, a splitter,
// the folder box or the text bar moves the focus there, and the keys typed next (Delete, Shift+E)
// still run no shortcut: the two selected files stay, nothing is asked, the picture stays.
TEST_F(MainKeysTest, KeysTypedForTheTextToolRunNoShortcutAfterAClickOnAnotherPane) {
    PickedFolderPane pane;
    folderPane = &pane;
    Start({L"a.png", L"b.png"});
    ShowPanes();
    FrmMain& m = *main;
    App().SelectedFiles = {folder + L"a.png", folder + L"b.png"};
    int asked = 0;
    ScopedMessageBoxAnswerer answers([&](const MessageBoxRequest&) { return ++asked, IDCANCEL; });
    DialogWatch dialogs;
    ASSERT_TRUE(Pick(L"Filter_Text"));
    ASSERT_EQ(m.SingleyzPreview.Effect(), kTextTool);
    real_input::LeftClickAt(
        real_input::OnScreen(m.SingleyzPreview.hWnd(), m.SingleyzPreview.Width() / 2, m.SingleyzPreview.Height() / 2));
    real_input::PressKey('A');
    struct Row {
        const char* name;
        HWND control;
        POINT at;
    };
    const Row rows[] = {
        {"title strip", m.TitleSkin.hWnd(), {120, 12}},
        {"size grip", m.ResizeBorder.hWnd(), real_input::Centre(m.ResizeBorder.hWnd())},
        {"column splitter", m.UseryzSplitH.hWnd(), real_input::Centre(m.UseryzSplitH.hWnd())},
        {"side panel's splitter", m.UseryzSplitLV.hWnd(), real_input::Centre(m.UseryzSplitLV.hWnd())},
        {"folder box", m.FolderView.hWnd(), real_input::Centre(m.FolderView.hWnd())},
        {"text bar", m.YDSTextControl1.hWnd(), {m.YDSTextControl1.Width() - 6, m.YDSTextControl1.Height() / 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(::IsWindowVisible(row.control));
        const POINT at = real_input::OnScreen(row.control, row.at.x, row.at.y);
        const HWND under = ::WindowFromPoint(at);
        ASSERT_TRUE(under == row.control || ::IsChild(row.control, under));
        real_input::LeftClickAt(at);
        ASSERT_EQ(::GetFocus(), under) << "the click did not give the pane the focus";
        real_input::PressKey(VK_DELETE);
        real_input::PressKey('E', true);
        real_input::PressKey(VK_TAB);
        TestWindow::Pump(100);
        EXPECT_TRUE(FileExistsForTest(folder + L"a.png") && FileExistsForTest(folder + L"b.png"));
        EXPECT_EQ(asked + dialogs.Seen(), 0) << "a question came";
        EXPECT_TRUE(Shows(L"a.png"));
        EXPECT_TRUE(m.ThumyzViewer.Visible()) << "Tab hid the grid";
        EXPECT_EQ(m.SingleyzPreview.Effect(), kTextTool);
    }
    Close(); // while the folder pane lives
}

// Escape closes the open drop-down wherever the focus is, so that the next press on a title opens
// that title's menu instead of closing the one left open.
TEST_F(MainKeysTest, EscapeClosesTheOpenDropDownAndTheNextTitleOpensItsMenu) {
    PickedFolderPane pane;
    folderPane = &pane;
    MakeWindow();
    ShowPanes();
    FrmMain& m = *main;
    const auto pressTitle = [&](int x) { // 7 is on "File", 45 on "Edit"
        ::SendMessageW(m.yzToolbarUser.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
        ::SendMessageW(m.yzToolbarUser.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    };
    for (const HWND focus : {m.yzToolbarUser.hWnd(), m.SkinMenu.hWnd(), m.ThumyzViewer.hWnd(), m.hWnd()}) {
        pressTitle(7);
        ASSERT_TRUE(m.SkinMenu.Visible());
        ::SendMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_FALSE(m.SkinMenu.Visible()) << "Escape left the menu open";
        pressTitle(45);
        EXPECT_TRUE(m.SkinMenu.Visible());
        EXPECT_EQ(m.SkinMenu.Initializemenu(), 1);
        m.SkinMenu.SetVisible(false);
    }
    Close(); // while the folder pane lives
}
