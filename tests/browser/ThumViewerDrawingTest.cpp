// The grid drawn in a real window over folders of pictures of one colour each: where the cells
// and their captions go, the star and the pressed frame, scrolling, redrawing one cell, a narrow
// control, a broken file and a folder chosen while a pass fills.
#include "browser/FavoritesList.h"
#include "browser/ThumViewer.h"
#include "tests/browser/GridTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRedPicture = ColorARGB(255, 220, 0, 0), kBluePicture = ColorARGB(255, 0, 0, 220),
                   kGreen = ColorARGB(255, 0, 180, 0), kStar = ColorARGB(255, 255, 220, 0);
constexpr COLORREF kBack = RGB(200, 220, 255);

struct GridFixture : ::testing::Test {
    TestWindow window{800, 400};
    ThumViewer grid;
    std::wstring folder;

    static void SetUpTestSuite() { WriteSkin(L"Favorties.png", 16, 16, kStar); }

    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = MakeTestFolder(L"grid-" + std::wstring(test.begin(), test.end()));
        WriteSolidImage(folder + L"a.png", 800, 600, kRedPicture);
        WriteSolidImage(folder + L"b.png", 600, 800, kBluePicture);
        WriteSolidImage(folder + L"c.bmp", 50, 40, kGreen, kFormatBmp);
        ASSERT_TRUE(WriteTestFile(folder + L"d.jpg", "not a picture at all"));
        ASSERT_TRUE(WriteTestFile(folder + kFavoritesFileName, "b.png\r\n"));
        MakeGrid(grid, 800);
    }
    void MakeGrid(ThumViewer& control, int width) {
        ASSERT_TRUE(control.Create({.parent = window.hwnd(), .width = width, .height = 400}));
        control.BackColor(kBack);
    }
    void Show(const std::wstring& path) {
        grid.Path(path);
        grid.CreateThumbnail();
    }
    [[nodiscard]] COLORREF At(int x, int y) const { return grid.ThumOLE.Point(x, y); }
    [[nodiscard]] bool Is(int x, int y, uint32_t argb) const { return RgbDistance(At(x, y), Rgb(argb)) <= 3; }
    // The caption line's pixels as drawn: 100 x 13 at (x, y) of the surface.
    [[nodiscard]] std::vector<COLORREF> Line(int x, int y) const { return CaptionLine(grid.ThumOLE, x, y); }
};

} // namespace

TEST_F(GridFixture, DrawsCellsCaptionsStarAndFrameWhereTheLayoutPutsThem) {
    grid.ThumWidth(0); // a first start: no size stored, 100 is used
    grid.ThumHeight(0);
    Show(folder);
    ASSERT_TRUE(grid.DrawingComplete());
    ASSERT_EQ(grid.ShownRows().size(), 4u);
    // Landscape 100 x 75 at (0, 12) of the first box (5, 20); portrait 75 x 100 raised by 5.
    EXPECT_TRUE(Is(5, 32, kRedPicture) && Is(104, 106, kRedPicture));
    EXPECT_FALSE(Is(5, 31, kRedPicture) || Is(5, 107, kRedPicture));
    EXPECT_TRUE(Is(137, 15, kBluePicture) && Is(211, 60, kBluePicture));
    EXPECT_FALSE(Is(137, 14, kBluePicture) || Is(136, 60, kBluePicture));
    // Smaller than its box: not enlarged, in the middle.
    EXPECT_TRUE(Is(270, 50, kGreen) && Is(319, 89, kGreen));
    EXPECT_FALSE(Is(269, 50, kGreen) || Is(320, 89, kGreen));
    // The favourite's star in the corner of its picture; the pressed frame around the first.
    EXPECT_TRUE(Is(196, 99, kStar) && Is(209, 112, kStar));
    EXPECT_FALSE(Is(105 - 18 + 8, 107 - 18 + 8, kStar));
    EXPECT_LE(RgbDistance(At(3, 60), RGB(235, 235, 235)), 3);
    // The broken file has its captions, no picture, and the pass went on past it.
    EXPECT_EQ(grid.ImageRects()[3].Width, 0);
    EXPECT_LE(Differing(Line(365, 121), ReferenceLine(L"d.jpg", kBack)), 6);
    EXPECT_LE(Differing(Line(365, 134), ReferenceLine(L"Not a picture", kBack)), 6);
    EXPECT_LE(Differing(Line(5, 134), ReferenceLine(L"800 x 600 pixels", kBack)), 6);
    EXPECT_GT(Differing(Line(5, 134), ReferenceLine(L"600 x 800 pixels", kBack)), 6);
    EXPECT_EQ(grid.ImageRects()[1].X, 137);
    EXPECT_EQ(grid.ImageRects()[1].Y, 15);

    TestWindow::Pump(50);
    EXPECT_LE(RgbDistance(TestWindow::ScreenPixel(grid.ThumOLE.hWnd(), 50, 60), Rgb(kRedPicture)), 3);

    // The second line follows the sort mode (the first file's cell moves with the sort).
    const std::pair<int32_t, std::wstring> modes[] = {
        {1, L"PNG"}, {5, L"PNG"}, {2, grid.ThumListview().Rows[0].Number}};
    for (const auto& [mode, text] : modes) {
        grid.ThumbnaillSort(mode);
        int32_t n = 0;
        while (grid.ThumListview().Rows[static_cast<size_t>(grid.ShownRows()[static_cast<size_t>(n)])].String !=
               L"a.png")
            ++n;
        const POINT cell = grid.Geometry().CellOrigin(n);
        EXPECT_LE(Differing(Line(cell.x, cell.y + 114), ReferenceLine(text, kBack)), 6) << mode;
        EXPECT_GT(Differing(Line(cell.x, cell.y + 114), ReferenceLine(L"800 x 600 pixels", kBack)), 6) << mode;
    }
}

TEST_F(GridFixture, ScrollsOverThirteenFilesAndRedrawsOneCell) {
    const std::wstring many = MakeTestFolder(L"grid-thirteen");
    for (int i = 0; i < 13; ++i)
        WriteSolidImage(many + L"p" + std::to_wstring(10 + i) + L".png", 80, 60, i == 12 ? kGreen : kRedPicture);
    Show(many);
    // Six cells a row: three rows of 160 in a 400-high view.
    EXPECT_EQ(grid.ContentHeight(), 480);
    EXPECT_TRUE(grid.ThumScroll.Enabled());
    EXPECT_FALSE(Is(50, 290, kGreen)); // the last cell's picture reaches past the view
    const HWND bar = grid.ThumScroll.hWnd();
    SendMouse(bar, WM_LBUTTONDOWN, MK_LBUTTON, 8, 30);
    SendMouse(bar, WM_MOUSEMOVE, MK_LBUTTON, 8, 30 + 400 - 70);
    SendMouse(bar, WM_LBUTTONUP, 0, 8, 30 + 400 - 70);
    EXPECT_EQ(grid.ScrollOffset(), 80);
    EXPECT_TRUE(Is(50, 290, kGreen)); // the content moved up by the whole range
    EXPECT_TRUE(Is(50, 10, kRedPicture));

    // The pressed file saved over: only its cell is made again.
    WriteSolidImage(many + L"p10.png", 80, 60, kBluePicture);
    const int32_t made = grid.PicturesMade();
    grid.ThumScroll.Value(0);
    EXPECT_EQ(grid.PicturesMade(), made); // scrolling draws from the cells already made
    grid.RefreshThumSave();
    EXPECT_EQ(grid.PicturesMade(), made + 1);
    EXPECT_TRUE(Is(50, 70, kBluePicture));
    EXPECT_TRUE(Is(175, 70, kRedPicture));
}

TEST_F(GridFixture, ANarrowControlShowsOneCellARow) {
    ThumViewer narrow;
    MakeGrid(narrow, 130);
    narrow.Path(folder);
    narrow.CreateThumbnail();
    EXPECT_EQ(narrow.Geometry().cellsPerRow, 1);
    EXPECT_LE(RgbDistance(narrow.ThumOLE.Point(47, 215), Rgb(kBluePicture)), 3); // the second file under the first
    EXPECT_EQ(narrow.ImageRects()[2].Y, 320 + 30);
}

TEST_F(GridFixture, AFolderChosenDuringAPassEndsIt) {
    const std::wstring other = MakeTestFolder(L"grid-other");
    WriteSolidImage(other + L"only.png", 100, 100, kGreen);
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_APP) return false;
        Show(other);
        return true;
    };
    grid.Path(folder);
    ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
    grid.CreateThumbnail(); // lets the message run before its first cell
    EXPECT_EQ(grid.CurrentFolder(), other);
    EXPECT_EQ(grid.ShownRows(), std::vector<int32_t>{0});
    EXPECT_TRUE(grid.DrawingComplete());
    EXPECT_TRUE(Is(50, 70, kGreen));
    EXPECT_FALSE(Is(174, 65, kBluePicture)); // nothing of the first folder was drawn after it
}

TEST_F(GridFixture, AGridWhoseWindowGoesDuringAPassStopsDrawingAndLeavesOtherWindowsAlone) {
    TestWindow bystander(200, 100, 900, 40);
    TestWindow::Pump(50);
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_APP) return false;
        ::DestroyWindow(grid.hWnd());
        return true;
    };
    grid.Path(folder);
    ::ValidateRect(bystander.hwnd(), nullptr);
    ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
    grid.CreateThumbnail(); // the message runs before the first cell
    EXPECT_EQ(grid.ThumOLE.hWnd(), nullptr);
    EXPECT_EQ(grid.PicturesMade(), 0); // no cell made for a window that is gone
    // A cell's area sent to the screen without a window would have been every window's.
    RECT pending{};
    EXPECT_FALSE(::GetUpdateRect(bystander.hwnd(), &pending, FALSE))
        << pending.left << "," << pending.top << " " << pending.right << "," << pending.bottom;
}

TEST_F(GridFixture, ALongNameEndsInAnEllipsisOnItsOwnLineAndLeavesTheSecondLineAlone) {
    const std::wstring longFolder = MakeTestFolder(L"grid-long-name");
    WriteSolidImage(longFolder + std::wstring(40, L'H') + L".png", 800, 600, kRedPicture);
    Show(longFolder);
    ASSERT_EQ(grid.ShownRows().size(), 1u);
    // The size line is exactly what it is alone; the name line ends in dots on the baseline inside
    // the box, where a letter cut at the box's edge would reach up to the top of the capitals.
    EXPECT_LE(Differing(Line(5, 134), ReferenceLine(L"800 x 600 pixels", kBack)), 6);
    const std::vector<COLORREF> name = Line(5, 121);
    const auto ink = [&](int i, int j) { return RgbDistance(name[static_cast<size_t>(j * 100 + i)], kBack) > 40; };
    int top = 13, bottom = -1, right = -1;
    for (int j = 0; j < 13; ++j)
        for (int i = 0; i < 100; ++i)
            if (ink(i, j)) top = std::min(top, j), bottom = std::max(bottom, j), right = std::max(right, i);
    ASSERT_GT(bottom, top);
    EXPECT_LT(right, 99);
    int high = 0, low = 0;
    for (int j = top; j <= bottom; ++j)
        for (int i = right - 2; i <= right; ++i)
            if (ink(i, j)) ++(j < bottom - (bottom - top) / 3 ? high : low);
    EXPECT_EQ(high, 0);
    EXPECT_GT(low, 0);
    TestWindow::Pump(50);
    int inkOnScreen = 0;
    const std::vector<COLORREF> sizeLine = ReferenceLine(L"800 x 600 pixels", kBack);
    for (int j = 0; j < 13; ++j)
        for (int i = 0; i < 100; ++i)
            inkOnScreen += RgbDistance(TestWindow::ScreenPixel(grid.ThumOLE.hWnd(), 5 + i, 134 + j),
                                       sizeLine[static_cast<size_t>(j * 100 + i)]) > 40;
    EXPECT_LE(inkOnScreen, 6);
}
