// The grid's scroll bar through the real main window: however the grid scrolls to the picture it
// steps to (the View menu's Next, Shift+E, the wheel, the select after Save As), the grip stands
// for the rows shown, and a drag of it starts from there instead of from the first rows.
#include "tests/browser/BarTestSupport.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/shell/MainWindowFixture.h"

#include <cstdio>

namespace {

constexpr int kShift = 1;

class MainGridScroll : public MainWindowTest {
protected:
    static std::wstring Name(int i) {
        wchar_t name[16];
        std::swprintf(name, 16, L"p%02d.png", i);
        return name;
    }
    // A folder of pictures, many more rows than the grid shows.
    void MakeMany(int count) {
        folder = MakeTestFolder(L"maingridscroll");
        for (int i = 0; i < count; ++i) WriteSolidImage(folder + Name(i), 40, 30, 0xFF2060A0u);
    }
    ThumViewer& Grid() { return main->ThumyzViewer; }
    // The grip's top that stands for the grid's scroll offset: the travel (the bar's height less 70)
    // stands for the whole range.
    int GripTopForOffset() {
        const scrollVControl& bar = Grid().ThumScroll;
        const int travel = bar.Height() - 70;
        return static_cast<int>(std::lround(static_cast<double>(Grid().ScrollOffset()) * travel / bar.Max()));
    }
};

} // namespace

TEST_F(MainGridScroll, EveryScrollOfTheGridMovesTheGripAndADragStartsFromIt) {
    const std::string ways[] = {"menu Next", "Shift+E", "wheel", "Save As"};
    MakeMany(60);
    for (const std::string& way : ways) {
        SCOPED_TRACE(way);
        Open(Name(0));
        ThumViewer& grid = Grid();
        ASSERT_TRUE(grid.ThumScroll.Enabled());
        // Steps until the grid has scrolled a row down, each to the picture after the shown one.
        for (int step = 0; way != "Save As" && step < 60 && grid.ScrollOffset() < grid.Geometry().rowStep; ++step) {
            if (way == "menu Next")
                ASSERT_TRUE(Pick(L"View_Zoomin"));
            else if (way == "Shift+E")
                main->HandleShortcutKey('E', kShift);
            else
                ::SendMessageW(main->hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)),
                               MAKELPARAM(400, 400));
        }
        if (way == "Save As") {
            // The picture saved under a name sorted last: the grid lists the folder again and
            // scrolls down to select it.
            ASSERT_TRUE(Pick(L"Edit_Clockwise"));
            SaveAs(folder + L"zz.png");
            ASSERT_EQ(grid.SelectFile(), folder + L"zz.png");
        }
        const int offset = grid.ScrollOffset();
        ASSERT_GE(offset, grid.Geometry().rowStep);
        const int top = GripTopForOffset();
        EXPECT_NEAR(grid.ThumScroll.GripRect().Y, top, 1);
        EXPECT_LE(RgbDistance(grid.ThumScroll.Point(8, top + 33), RGB(121, 160, 225)), 2) << "the grip is drawn there";
        // A one-pixel drag of the grip where it stands: the view moves by about a pixel's worth of
        // the range, not back to the first rows.
        const HWND bar = grid.ThumScroll.hWnd();
        const int y = static_cast<int>(grid.ThumScroll.GripRect().Y) + 30;
        SendMouse(bar, WM_LBUTTONDOWN, MK_LBUTTON, 8, y);
        SendMouse(bar, WM_MOUSEMOVE, MK_LBUTTON, 8, y + 1);
        SendMouse(bar, WM_LBUTTONUP, 0, 8, y + 1);
        const int pixelWorth = grid.ThumScroll.Max() / (grid.ThumScroll.Height() - 70) + 2;
        EXPECT_GE(grid.ScrollOffset(), offset - pixelWorth);
        EXPECT_LE(grid.ScrollOffset(), offset + 2 * pixelWorth);
    }
}
