// The grid in real windows as a user meets it at the edges of its view and its selection: every
// cell of a wide grid stands whole on the surface, a scroll step on a large view makes only the
// row it brings in, a saved picture's cell follows its file after a rubber band, the stars and the
// selection list act on the same rows when a filter hides some, and the calendar's marks follow
// the month it shows.
#include "browser/FavoritesList.h"
#include "browser/ThumViewer.h"
#include "platform/AppState.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/browser/BrowserTestFiles.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct GridView : ::testing::Test {
    TestWindow window{800, 400};
    ThumViewer grid;
    std::wstring folder;

    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = MakeTestFolder(L"gridview-" + std::wstring(test.begin(), test.end()));
    }
    void TearDown() override { App().SelectedFiles.clear(); }
    void Make(int width, int height) {
        ASSERT_TRUE(grid.Create({.parent = window.hwnd(), .width = width, .height = height}));
    }
    void Show() {
        grid.Path(folder);
        grid.CreateThumbnail();
        ASSERT_TRUE(grid.DrawingComplete());
    }
    [[nodiscard]] bool Is(int x, int y, uint32_t argb) const {
        return RgbDistance(grid.ThumOLE.Point(x, y), Rgb(argb)) <= 3;
    }
    // The middle of the cell of the shown file name, on the surface as it is scrolled now.
    [[nodiscard]] POINT Middle(const std::wstring& name) const {
        for (int32_t row : grid.ShownRows()) {
            const RectF& r = grid.ImageRects()[static_cast<size_t>(row)];
            if (grid.ThumListview().Rows[static_cast<size_t>(row)].String == name)
                return {static_cast<LONG>(r.X + r.Width / 2),
                        static_cast<LONG>(r.Y + r.Height / 2) - grid.ScrollOffset()};
        }
        return {-1, -1};
    }
};

std::wstring Name(int i) {
    wchar_t name[16];
    std::swprintf(name, 16, L"p%04d.png", i);
    return name;
}

} // namespace

TEST_F(GridView, EveryCellOfAWideGridStandsWholeOnTheSurface) {
    // 1,263 pixels: the grid of a 1,280-pixel screen with the left column closed.
    for (int i = 0; i < 23; ++i) WriteSolidImage(folder + Name(i), 100, 100, i == 10 ? kBlue : kRed);
    Make(1263, 400);
    Show();
    EXPECT_EQ(grid.Geometry().cellsPerRow, 10);
    const float surface = static_cast<float>(grid.ThumOLE.Width());
    for (int32_t row : grid.ShownRows()) {
        const RectF& r = grid.ImageRects()[static_cast<size_t>(row)];
        if (r.Width <= 0) continue;                   // not in view
        EXPECT_LE(r.X + r.Width + 3, surface) << row; // the picture and its selection frame
    }
    // The eleventh file opens the second row, at the left, where it shows whole.
    EXPECT_EQ(grid.ImageRects()[10].X, 5);
    EXPECT_TRUE(Is(6, 170 + 50, kBlue));
    // Stepping from the tenth goes to a cell the user sees.
    LeftClick(grid.ThumOLE.hWnd(), Middle(Name(9)).x, Middle(Name(9)).y);
    grid.PreviewNext();
    EXPECT_EQ(grid.SelectFile(), folder + Name(10));
    EXPECT_LE(grid.ImageRects()[10].X + grid.ImageRects()[10].Width, surface);
}

TEST_F(GridView, AScrollStepOnALargeViewMakesOnlyTheRowItBringsIn) {
    // The smallest cells on a 2,560 x 1,440 view: more cells show at once than the usual cache.
    for (int i = 0; i < 700; ++i) WriteSolidImage(folder + Name(i), 8, 6, kRed);
    Make(2560, 1440);
    grid.ThumWidth(60);
    grid.ThumHeight(60);
    Show();
    const int32_t perRow = grid.Geometry().cellsPerRow;
    const int32_t first = grid.PicturesMade();
    ASSERT_GT(first, 400);
    ASSERT_TRUE(grid.ThumScroll.Enabled());
    for (int step = 1; step <= 3; ++step) {
        const int32_t before = grid.PicturesMade();
        grid.ThumScroll.Value(step * grid.Geometry().rowStep);
        EXPECT_LE(grid.PicturesMade() - before, perRow) << "step " << step;
    }
    // And one step back: every cell of that view is still kept.
    const int32_t before = grid.PicturesMade();
    grid.ThumScroll.Value(2 * grid.Geometry().rowStep);
    EXPECT_EQ(grid.PicturesMade(), before);
}

TEST_F(GridView, ASavedPictureIsDrawnAgainAfterARubberBand) {
    for (int i = 0; i < 4; ++i) WriteSolidImage(folder + Name(i), 80, 60, kRed);
    Make(800, 400);
    Show();
    const POINT a = Middle(Name(0));
    LeftClick(grid.ThumOLE.hWnd(), a.x, a.y); // opens the first
    ASSERT_EQ(grid.SelectFile(), folder + Name(0));
    // A band from below the cells over the others: the last press is the band's.
    LeftDrag(grid.ThumOLE.hWnd(), {760, 300}, {Middle(Name(1)).x, Middle(Name(1)).y});
    ASSERT_EQ(grid.OldPress(), grid.ListCount());
    // The shown picture, turned and saved over its file.
    WriteSolidImage(folder + Name(0), 60, 80, kBlue);
    grid.RefreshThumSave();
    EXPECT_TRUE(Is(a.x, a.y, kBlue));
    EXPECT_TRUE(Is(Middle(Name(1)).x, Middle(Name(1)).y, kRed));
}

TEST_F(GridView, StarsAndTheSelectionListTakeOnlyTheSelectedFilesTheFilterShows) {
    for (const wchar_t* name : {L"a.png", L"b.bmp", L"c.png"}) WriteSolidImage(folder + name, 80, 60, kRed);
    Make(800, 400);
    Show();
    // All three selected with a band, then the bitmaps hidden.
    LeftDrag(grid.ThumOLE.hWnd(), {2, 2}, {700, 140});
    ASSERT_EQ(App().SelectedFiles.size(), 3u);
    grid.ImageFormats(L"*.png");
    grid.RefreshThumbnail(false);
    ASSERT_EQ(grid.ShownRows().size(), 2u);
    // What Delete takes and what the stars take are the same two files.
    EXPECT_EQ(App().SelectedFiles, (std::vector<std::wstring>{folder + L"a.png", folder + L"c.png"}));
    ASSERT_TRUE(grid.VrFileCreate());
    EXPECT_EQ(ReadTestFile(folder + kFavoritesFileName), "a.png\r\nc.png\r\n");
    // Unstarring the last stars keeps the list, empty.
    ASSERT_TRUE(grid.VrFileCreate(true));
    ASSERT_TRUE(FileExistsForTest(folder + kFavoritesFileName));
    EXPECT_EQ(FileSizeForTest(folder + kFavoritesFileName), 0);
    grid.RefreshThumbnail(true);
    for (const ThumRow& row : grid.ThumListview().Rows) EXPECT_EQ(row.Review, L"") << Narrow(row.String);
}

TEST_F(GridView, TheCalendarMarksFollowTheMonthItShows) {
    const std::pair<const wchar_t*, SYSTEMTIME> files[] = {{L"nov.png", LocalTime(2005, 11, 3)},
                                                           {L"dec.png", LocalTime(2005, 12, 20)}};
    for (const auto& [name, when] : files) {
        WriteSolidImage(folder + name, 8, 8, kRed);
        ASSERT_TRUE(SetLocalFileTimes(folder + name, when, when));
    }
    FakeGridSidePanel panel;
    panel.year = 2005;
    panel.month = 12;
    grid.SetSidePanel(&panel);
    Make(800, 400);
    Show();
    EXPECT_EQ(panel.MarkedDays(), (std::vector<int32_t>{20}));
    // The picker goes back a month: its host has the marks counted again.
    panel.month = 11;
    grid.MarkCalendarMonth();
    EXPECT_EQ(panel.MarkedDays(), (std::vector<int32_t>{3}));
    // A later pass (a new thumbnail size) counts the same month, without December's marks.
    grid.ThumWidth(60);
    grid.ThumHeight(60);
    grid.CreateThumbnail();
    EXPECT_EQ(panel.MarkedDays(), (std::vector<int32_t>{3}));
    // A search counts the days of its hits.
    grid.SearchThumbnaillGO(L"dec");
    EXPECT_TRUE(panel.MarkedDays().empty());
    grid.SetSidePanel(nullptr);
}
