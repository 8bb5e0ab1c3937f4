// Clear Selection in the real main window when nothing is selected: the canvas, the menu's tool and
// the side panel's tool end in one mode, and no step is made.
#include "tests/shell/MainWindowFixture.h"

#include <functional>

namespace {

struct MainClearSelectionTest : MainWindowTest {
    void ClickCanvas(int x, int y) {
        const HWND canvas = main->SingleyzPreview.hWnd();
        const LPARAM at = MAKELPARAM(x, y);
        ::SendMessageW(canvas, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(canvas, WM_LBUTTONUP, 0, at);
    }
};

} // namespace

TEST_F(MainClearSelectionTest, NothingSelectedLeavesCanvasMenuAndPanelBrowsingAlike) {
    DialogWatch dialogs;
    const struct {
        const char* what;
        const wchar_t* tool;
        std::function<void()> select;
    } cases[] = {
        {"a rectangle selection without a frame", L"Filter_Select", [] {}},
        {"an ellipse selection without a frame", L"Filter_EllipSelect", [] {}},
        {"a lasso of two points", L"Filter_FreeSelect",
         [this] {
             ClickCanvas(100, 100);
             ClickCanvas(200, 150);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start({L"a.png"});
        ASSERT_TRUE(Pick(c.tool));
        ASSERT_TRUE(main->SingleyzPreview.FitMode());
        c.select();
        ASSERT_TRUE(Pick(L"Edit_Clearselect"));
        Imageyzviewer& canvas = main->SingleyzPreview;
        EXPECT_EQ(canvas.Effect(), 0);
        EXPECT_EQ(App().ToolMenu, L"Filter_Browse");
        EXPECT_EQ(main->UseryzProcess1.SelEffect, 0);
        EXPECT_FALSE(canvas.FitMode());
        EXPECT_EQ(canvas.UndoIndex(), 0);
        EXPECT_FALSE(canvas.AppliedEffect);
        EXPECT_TRUE(Checked(L"Filter_Browse"));
        EXPECT_FALSE(Checked(c.tool));
    }
    EXPECT_EQ(dialogs.Seen(), 0);
}
