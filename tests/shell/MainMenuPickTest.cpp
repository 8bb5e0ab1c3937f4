// A pick in the real main window's drop-down menu: the row picked is the command that runs, and the
// pump the commands use keeps the program's quit.
#include "platform/DoEvents.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/MenuState.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

class MainMenuPickTest : public ScratchKeyTest {
protected:
    FrmMain::Options Options() const { return FrmMain::Options{HKEY_CURRENT_USER, key, false}; }
};

// The centre of the row with that id in the menu laid out last, in the menu's pixels.
POINT RowCentre(const ZpYSkinMenu& menu, const std::wstring& id) {
    int row = 0;
    for (const MenuRow& r : menu.MenuListView()) {
        if (r.MainName != menu.Initializemenu()) continue;
        if (r.KeyName == id) {
            const RectF& rect = menu.RowRects().at(static_cast<size_t>(row));
            return {static_cast<LONG>(rect.X + rect.Width / 2), static_cast<LONG>(rect.Y + rect.Height / 2)};
        }
        ++row;
    }
    ADD_FAILURE() << "no row " << std::string(id.begin(), id.end());
    return {};
}

} // namespace

TEST_F(MainMenuPickTest, ThePickedRowRunsWhateverThePointerDoesDuringTheWait) {
    FrmMain main(Options());
    ASSERT_TRUE(main.Create());
    ZpYSkinMenu& menu = main.SkinMenu;
    menu.SetMemFirst(true);
    menu.SetWidth(kDropDownWidth);
    menu.Initializemenu(MenuTitle::Edit);
    menu.SetHeight(static_cast<int>(menu.New_Height()) + 10);
    menu.MenuPainting();
    menu.SetVisible(true);
    const POINT fav = RowCentre(menu, L"Edit_Fav"), prop = RowCentre(menu, L"Edit_Prop");
    const HWND m = menu.hWnd();
    ::SendMessageW(m, WM_MOUSEMOVE, 0, MAKELPARAM(fav.x, fav.y));
    ::SendMessageW(m, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fav.x, fav.y));
    // Arrives while the pick waits with messages running.
    ::PostMessageW(m, WM_MOUSEMOVE, 0, MAKELPARAM(prop.x, prop.y));
    ::SendMessageW(m, WM_LBUTTONUP, 0, MAKELPARAM(fav.x, fav.y));
    EXPECT_FALSE(menu.Visible());
    EXPECT_EQ(main.UseryzProcess1.Toolselect(), 1); // the favourites tab, not the properties tab (3)
    main.Unload();
}

TEST_F(MainMenuPickTest, TheCommandsPumpKeepsTheQuitAndDoesNotNest) {
    FrmMain main(Options());
    ASSERT_TRUE(main.Create());
    MenuCommandHost& host = main.MenuHost();
    ::PostQuitMessage(3);
    host.PumpMessages();
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // left for the program's loop
    EXPECT_EQ(msg.wParam, 3u);

    // Called from a message that a pump is running, it runs nothing of its own.
    TestWindow window(40, 40);
    bool insideOuter = false, ranNested = false, ranLater = false;
    window.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_APP) {
            insideOuter = true;
            ::PostMessageW(window.hwnd(), WM_APP + 1, 0, 0);
            host.PumpMessages();
            insideOuter = false;
            return true;
        }
        if (m == WM_APP + 1) {
            (insideOuter ? ranNested : ranLater) = true;
            return true;
        }
        return false;
    };
    ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
    (void)DoEvents();
    EXPECT_FALSE(ranNested);
    EXPECT_TRUE(ranLater);
    main.Unload();
}
