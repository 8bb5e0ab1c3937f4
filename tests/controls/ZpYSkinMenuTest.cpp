// The drop-down menu in a real window: its layout, hover and pick driven by the mouse messages a
// person's pointer sends, what it paints read back from its back buffer, and the recent-folder
// history through its file.
#include "controls/RecentFolderHistory.h"
#include "controls/ZpYSkinMenu.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::wstring HistoryFile() {
    return App().DataPath + kHistoryFileName;
}

class SkinMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::DeleteFileW(HistoryFile().c_str());
        WriteSkin(L"MenuSeled.png", 16, 16, kRed); // a check mark of a colour found nowhere else in the menu
    }
    void TearDown() override {
        menu.reset();
        ::DeleteFileW(HistoryFile().c_str());
    }

    // The control as the main window makes it: hidden until a menu is opened.
    ZpYSkinMenu& Make() {
        menu = std::make_unique<ZpYSkinMenu>();
        EXPECT_TRUE(
            menu->Create({.parent = window.hwnd(), .x = 10, .y = 10, .width = 217, .height = 100, .visible = false}));
        return *menu;
    }
    // Opens menu m the way the hosts do.
    void Open(int32_t m, int width = 217) {
        menu->SetMemFirst(true);
        menu->SetWidth(width);
        menu->Initializemenu(m);
        menu->SetHeight(static_cast<int>(menu->New_Height()) + 10);
        menu->MenuPainting();
        menu->SetVisible(true);
        TestWindow::Pump(20);
    }
    // The row number of id in the current menu.
    [[nodiscard]] int RowOf(const std::wstring& id) const {
        int row = 0;
        for (const MenuRow& r : menu->MenuListView()) {
            if (r.MainName != menu->Initializemenu()) continue;
            if (r.KeyName == id) return row;
            ++row;
        }
        ADD_FAILURE() << Narrow(id) << " is not in the menu";
        return 0;
    }
    [[nodiscard]] const RectF& Rect(int row) const { return menu->RowRects().at(static_cast<size_t>(row)); }
    void Move(int x, int y) { ::SendMessageW(menu->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    // A click at (x, y): what the host's MouseUp handler reads.
    std::pair<std::wstring, int32_t> Click(int x, int y) {
        std::pair<std::wstring, int32_t> seen{L"(no MouseUp)", -1};
        menu->onMouseUp = [&](int, int, float, float) { seen = {menu->PressMenuID(), menu->PressMenuEnabled()}; };
        Move(x, y);
        ::SendMessageW(menu->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageW(menu->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        return seen;
    }
    std::pair<std::wstring, int32_t> ClickRow(const std::wstring& id) {
        const RectF& r = Rect(RowOf(id));
        return Click(static_cast<int>(r.X + r.Width / 2), static_cast<int>(r.Y + r.Height / 2));
    }
    [[nodiscard]] std::vector<uint32_t> Buffer() const {
        ::GdiFlush();
        return {menu->Bits(), menu->Bits() + menu->Width() * menu->Height()};
    }
    // The darkest pixel of the caption of a row.
    [[nodiscard]] int CaptionInk(const std::wstring& id) const {
        const RectF& r = Rect(RowOf(id));
        int darkest = 255;
        for (int y = static_cast<int>(r.Y); y < static_cast<int>(r.Y) + 14; ++y)
            for (int x = 21; x < 80; ++x) darkest = std::min(darkest, Brightness(menu->Point(x, y)));
        return darkest;
    }

    TestWindow window{640, 700};
    std::unique_ptr<ZpYSkinMenu> menu;
};

} // namespace

TEST_F(SkinMenuTest, LaysOutEachMenuFromItsRowsAndSeparators) {
    Make();
    for (const auto& [m, height] : {std::pair{0, 295.0f}, {3, 580.0f}, {7, 100.0f}, {12, 0.0f}}) {
        Open(m);
        EXPECT_EQ(menu->New_Height(), height) << "menu " << m;
    }
    // A number outside the menus keeps the row count of the last one.
    menu->Initializemenu(40);
    EXPECT_EQ(menu->RowRects().size(), 0u);
    Open(0);
    const RectF open = Rect(RowOf(L"File_Open")), separator = Rect(2);
    EXPECT_EQ(separator.Y, open.Y + open.Height - 5);
    EXPECT_EQ(Rect(RowOf(L"File_Save")).Y, separator.Y + 15);
}

TEST_F(SkinMenuTest, APickNamesTheRowUnderTheReleaseUntilThePointerMoves) {
    Make();
    Open(0);
    EXPECT_EQ(ClickRow(L"File_Save"), (std::pair<std::wstring, int32_t>{L"File_Save", 1}));
    EXPECT_EQ(menu->PressMenuID(), L"File_Save");
    Move(5, 5);
    EXPECT_EQ(menu->PressMenuID(), L"");
    EXPECT_EQ(ClickRow(L"-"), (std::pair<std::wstring, int32_t>{L"-", 1}));

    // Where the separator overlaps File_Open, File_Open wins while it is enabled.
    const RectF separator = Rect(2);
    const int x = 100, overlap = static_cast<int>(separator.Y) + 2;
    EXPECT_EQ(Click(x, overlap).first, L"File_Open");
    menu->MenuVisible(L"file_open", false);
    EXPECT_EQ(Click(x, overlap).first, L"-");

    // A greyed row is drawn grey and cannot be picked; an id of another menu changes nothing here.
    menu->MenuVisible(L"File_Save", false);
    menu->MenuVisible(L"Edit_Undo", false);
    menu->MenuPainting();
    EXPECT_NEAR(CaptionInk(L"File_Save"), 170, 25);
    EXPECT_LT(CaptionInk(L"File_New"), 60);
    EXPECT_EQ(ClickRow(L"File_Save").second, 0);
    Open(1);
    EXPECT_EQ(ClickRow(L"Edit_Undo").first, L"Edit_Undo");
}

TEST_F(SkinMenuTest, TheHighlightFollowsThePointerRepaintingTwoRowsOnly) {
    Make();
    Open(0);
    // Right after opening, even the bottom row takes the highlight.
    const RectF exit = Rect(RowOf(L"File_Exit"));
    const COLORREF before = menu->Point(120, static_cast<int>(exit.Y) + 10);
    Move(120, static_cast<int>(exit.Y) + 10);
    EXPECT_NE(menu->Point(120, static_cast<int>(exit.Y) + 10), before);

    const RectF save = Rect(RowOf(L"File_Save")), saveAs = Rect(RowOf(L"File_SaveAs"));
    Move(120, static_cast<int>(save.Y) + 10);
    const COLORREF top = menu->Point(120, static_cast<int>(save.Y)),
                   bottom = menu->Point(120, static_cast<int>(save.Y) + 14);
    EXPECT_GT(GetBValue(bottom), GetRValue(bottom) + 20) << "a blue highlight";
    EXPECT_LT(GetRValue(bottom), GetRValue(top)) << "deepening downwards";

    const std::vector<uint32_t> first = Buffer();
    Move(120, static_cast<int>(saveAs.Y) + 10);
    const std::vector<uint32_t> second = Buffer();
    int changedInSave = 0, changedInSaveAs = 0;
    for (int y = 0; y < menu->Height(); ++y)
        for (int x = 0; x < menu->Width(); ++x) {
            if (first[static_cast<size_t>(y * menu->Width() + x)] == second[static_cast<size_t>(y * menu->Width() + x)])
                continue;
            ASSERT_GE(y, save.Y - 2) << "pixel " << x << "," << y;
            ASSERT_LT(y, saveAs.Y + saveAs.Height) << "pixel " << x << "," << y;
            (y < saveAs.Y - 2 ? changedInSave : changedInSaveAs)++;
        }
    EXPECT_GT(changedInSave, 100);
    EXPECT_GT(changedInSaveAs, 100);
    EXPECT_EQ(menu->Point(120, static_cast<int>(save.Y) + 14), RGB(255, 255, 255));
}

TEST_F(SkinMenuTest, AnIncrementalPaintPutsBackTheHighlightAFullPaintWiped) {
    Make();
    Open(0);
    const RectF save = Rect(RowOf(L"File_Save"));
    const int x = 120, y = static_cast<int>(save.Y) + 14;
    Move(x, static_cast<int>(save.Y) + 10);
    const COLORREF lit = menu->Point(x, y);
    ASSERT_GT(GetBValue(lit), GetRValue(lit) + 20);

    menu->MenuPainting();
    const std::vector<uint32_t> plain = Buffer();
    EXPECT_EQ(menu->Point(x, y), RGB(255, 255, 255));
    menu->MenuPainting(true);
    EXPECT_EQ(menu->Point(x, y), lit);
    const std::vector<uint32_t> relit = Buffer();
    menu->MenuPainting(true); // the hovered row carries the highlight already
    EXPECT_EQ(Buffer(), relit);

    // A hovered row greyed out since, or a hovered separator: nothing to light.
    menu->MenuVisible(L"File_Save", false);
    menu->MenuVisible(L"File_Open", false);
    menu->MenuPainting();
    const std::vector<uint32_t> greyed = Buffer();
    EXPECT_NE(greyed, plain);
    menu->MenuPainting(true);
    EXPECT_EQ(Buffer(), greyed);
    const RectF separator = Rect(2);
    Move(x, static_cast<int>(separator.Y) + 2);
    ASSERT_EQ(menu->PressMenuEnabled(), 1);
    menu->MenuPainting(true);
    EXPECT_EQ(Buffer(), greyed);
}

TEST_F(SkinMenuTest, TheCanvasChecksALineWidthThroughItsView) {
    Make();
    SkinMenuView& view = *menu;
    view.SetMemFirst(true);
    view.Initializemenu(8);
    view.MenuChecked(L"LINE_5", true);
    view.MenuPainting();
    const int markX = 3 + 8;
    EXPECT_EQ(menu->Point(markX, static_cast<int>(Rect(RowOf(L"Line_5")).Y) + 8), RGB(255, 0, 0));
    EXPECT_EQ(menu->Point(markX, static_cast<int>(Rect(RowOf(L"Line_3")).Y) + 8), RGB(255, 255, 255));
    view.SetPressMenuID(L"Filter_Browse");
    EXPECT_EQ(menu->PressMenuID(), L"") << "naming the tool is no pick";
}

TEST_F(SkinMenuTest, AnEmptyHistoryShowsItsBorderAndNoRow) {
    Make();
    Open(12, 600);
    const std::vector<uint32_t> pixels = Buffer();
    const int w = menu->Width(), h = menu->Height();
    ASSERT_EQ(h, 10);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            EXPECT_EQ((pixels[static_cast<size_t>(y * w + x)] & 0xFFFFFF) == 0xFFFFFF, !border) << x << "," << y;
        }
    EXPECT_EQ(Click(300, 5).second, 0);
}

TEST_F(SkinMenuTest, AShownMenuLiesOverThePanes) {
    // Siblings made earlier lie above later ones, as the panes lie above the menu.
    PictureBox pane;
    ASSERT_TRUE(pane.Create({.parent = window.hwnd(), .width = 400, .height = 400, .backColor = RGB(0, 128, 0)}));
    pane.Refresh();
    Make();
    Open(0);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 150, 290), RGB(255, 255, 255));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 300, 290), RGB(0, 128, 0));
}

TEST_F(SkinMenuTest, HistoryKeepsTheLatestFifteenFoldersAcrossRuns) {
    {
        ZpYSkinMenu first;
        for (int i = 0; i < 16; ++i) first.HistoryCreate(L"C:\\Photos\\F" + std::to_wstring(i));
        ASSERT_EQ(first.HistoryCount(), 15);
        EXPECT_EQ((first.MenuListView().end() - 15)->Caption, L"C:\\Photos\\F1") << "the oldest went";
        first.HistoryCreate(L"c:\\photos\\f7"); // already there: no change, also not of its place
        first.HistoryCreate(L"C:\\Trips\\Rome, Paris");
        first.HistoryCreate(L"C:\\\u4E2D"); // no counterpart in a narrow code page
        ASSERT_EQ(first.HistoryCount(), 15);
        EXPECT_EQ(first.MenuListView().back().Caption, L"C:\\\u4E2D") << "kept for this run";
        first.SetMemFirst(true);
        first.Initializemenu(12);
        EXPECT_EQ(first.RowRects().size(), 15u);
    }
    ZpYSkinMenu second;
    std::vector<std::wstring> rows;
    for (auto r = second.MenuListView().end() - second.HistoryCount(); r != second.MenuListView().end(); ++r) {
        EXPECT_EQ(r->MainName, kHistoryMenu);
        rows.push_back(r->Caption);
    }
    std::vector<std::wstring> expected;
    for (int i = 3; i < 16; ++i) expected.push_back(L"C:\\Photos\\F" + std::to_wstring(i));
    expected.push_back(L"C:\\Trips\\Rome, Paris");
    if (::GetACP() == CP_UTF8) expected.push_back(L"C:\\\u4E2D");
    EXPECT_EQ(rows, expected);
}

TEST_F(SkinMenuTest, AHistoryLeftUnchangedKeepsItsFile) {
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += "D:\\f" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(WriteTestFile(HistoryFile(), twenty));
    {
        ZpYSkinMenu menu;
        EXPECT_EQ(menu.HistoryCount(), 15);
        EXPECT_EQ(menu.MenuListView().back().Caption, L"D:\\f19");
    }
    EXPECT_EQ(ReadTestFile(HistoryFile()), twenty);
}

TEST(RecentFolderHistory, ReadsUpToTheFirstEmptyLineAndTheLastFifteen) {
    std::string twenty, lastFifteen;
    for (int i = 0; i < 20; ++i) twenty += "D:\\f" + std::to_string(i) + "\r\n";
    const std::vector<std::wstring> expectedLast = [] {
        std::vector<std::wstring> v;
        for (int i = 5; i < 20; ++i) v.push_back(L"D:\\f" + std::to_wstring(i));
        return v;
    }();
    const struct {
        std::string bytes;
        std::vector<std::wstring> folders;
    } cases[] = {
        {twenty, expectedLast},
        {"C:\\a\r\nC:\\b\r\n\r\nC:\\c\r\n", {L"C:\\a", L"C:\\b"}},
        {"\r\nC:\\a\r\n", {}},
        {"C:\\a,b\nC:\\c", {L"C:\\a,b", L"C:\\c"}},
        {"", {}},
    };
    const std::wstring path = MakeTestFolder(L"history") + kHistoryFileName;
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteTestFile(path, c.bytes));
        EXPECT_EQ(ReadHistory(path), c.folders) << c.bytes;
    }
    ::DeleteFileW(path.c_str());
    EXPECT_TRUE(ReadHistory(path).empty());
}

TEST(RecentFolderHistory, AFailedWriteLeavesTheOldFile) {
    const std::wstring folder = MakeTestFolder(L"history-locked");
    const std::wstring path = folder + kHistoryFileName;
    ASSERT_TRUE(WriteTestFile(path, "C:\\old\r\n"));
    {
        // Another program holds the file open and shares nothing.
        UniqueFile holder(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(WriteHistory(path, {L"C:\\new"}));
    }
    EXPECT_EQ(ReadTestFile(path), "C:\\old\r\n");
    EXPECT_EQ(FileNamesIn(folder).size(), 1u) << "no temporary file is left behind";
    EXPECT_TRUE(WriteHistory(path, {L"C:\\new"}));
    EXPECT_EQ(ReadTestFile(path), "C:\\new\r\n");
    EXPECT_TRUE(WriteHistory(path, {L""}));
    EXPECT_FALSE(FileExistsForTest(path)) << "no line left: no file, never an empty one swapped in";
}
