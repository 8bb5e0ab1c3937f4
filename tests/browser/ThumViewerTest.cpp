// The grid's item store over folders the tests make: rows and texts, sorting, favourites marks,
// filters, calendar marks and search.
#include "browser/ModFileinfo.h"
#include "browser/ThumViewer.h"
#include "platform/FileList.h"
#include "tests/browser/BrowserTestFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kJapanBmp = L"\u65e5\u672c.bmp"; // outside the system code page
const std::wstring kOmegaGif = L"\u03a9mega.GIF";   // outside the system code page
const std::wstring kJapanHoliday = L"\u65e5\u672c\u306e\u4f11\u65e5.jpg";

struct Picture {
    std::wstring name;
    uint64_t size = 100;
    SYSTEMTIME created = LocalTime(2005, 6, 1);
    SYSTEMTIME modified = LocalTime(2005, 6, 1);
};

void MakePictures(const std::wstring& folder, const std::vector<Picture>& pictures) {
    for (const Picture& p : pictures) {
        ASSERT_TRUE(MakeSizedFile(folder + p.name, p.size)) << Narrow(p.name);
        ASSERT_TRUE(SetLocalFileTimes(folder + p.name, p.created, p.modified)) << Narrow(p.name);
    }
}

// One time for both: Wine reports the modified time as the creation time (Linux keeps no
// settable birth time).
Picture Dated(const std::wstring& name, const SYSTEMTIME& when = LocalTime(2005, 1, 1), uint64_t size = 100) {
    return {name, size, when, when};
}

std::vector<std::wstring> Names(const ThumViewer& grid) {
    std::vector<std::wstring> names;
    for (const ThumRow& row : grid.ThumListview().Rows) names.push_back(row.String);
    return names;
}

std::vector<std::wstring> ShownNames(const ThumViewer& grid) {
    std::vector<std::wstring> names;
    for (int32_t i : grid.ShownRows()) names.push_back(grid.ThumListview().Rows[static_cast<size_t>(i)].String);
    return names;
}

std::vector<std::wstring> Reversed(std::vector<std::wstring> names) {
    return {names.rbegin(), names.rend()};
}

const ThumRow* FindRow(const ThumViewer& grid, const std::wstring& name) {
    for (const ThumRow& row : grid.ThumListview().Rows)
        if (row.String == name) return &row;
    return nullptr;
}

// Windows keeps the creation time SetFileTime gives; Wine does not (see Dated).
bool CreationTimeIsKept(const std::wstring& folder) {
    const std::wstring probe = folder + L"probe.dat";
    if (!MakeSizedFile(probe, 1) || !SetLocalFileTimes(probe, LocalTime(2001, 1, 1), LocalTime(2002, 2, 2)))
        return false;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const bool read = ::GetFileAttributesExW(probe.c_str(), GetFileExInfoStandard, &data);
    ::DeleteFileW(probe.c_str());
    return read && ::CompareFileTime(&data.ftCreationTime, &data.ftLastWriteTime) != 0;
}

} // namespace

TEST(ThumViewerListing, RowsHoldTheFilesOfThePatternWithTheirTexts) {
    const std::wstring folder = MakeTestFolder(L"listing");
    MakePictures(folder, {Dated(L"b.JPG", LocalTime(2005, 9, 5, 6, 0, 36), 2500),
                          Dated(L"A.png", LocalTime(2005, 1, 1, 0, 0, 0), 1000),
                          Dated(L"c.tif", LocalTime(2004, 2, 29), 0), Dated(L"d.tiff", LocalTime(2004, 2, 29), 12345),
                          Dated(L"f.jpeg", LocalTime(2004, 2, 29)), Dated(kJapanBmp, LocalTime(2004, 2, 29)),
                          Dated(kOmegaGif, LocalTime(2004, 2, 29)), Dated(L"e.txt", LocalTime(2004, 2, 29)),
                          Dated(L"noext", LocalTime(2004, 2, 29)), Dated(L"Vellumolib.vlb", LocalTime(2004, 2, 29)),
                          Dated(L"a_b.gif", LocalTime(2004, 2, 29)), Dated(L"ab.gif", LocalTime(2004, 2, 29))});
    ASSERT_TRUE(::CreateDirectoryW((folder + L"sub.jpg").c_str(), nullptr));

    ThumViewer grid;
    grid.Path(folder.substr(0, folder.size() - 1)); // without its final backslash
    EXPECT_EQ(grid.CurrentFolder(), folder);
    EXPECT_TRUE(grid.NoOpen());
    ASSERT_EQ(grid.ListCount(), 9);
    // One order for every list the user sees: the runtime's file list agrees.
    const std::vector<std::wstring> listed{L"A.png",  L"ab.gif", L"a_b.gif", L"b.JPG", L"c.tif",
                                           L"d.tiff", L"f.jpeg", kOmegaGif,  kJapanBmp};
    EXPECT_EQ(Names(grid), listed);
    FileList files;
    files.SetPattern(grid.ImageFormats());
    files.SetPath(folder);
    EXPECT_EQ(files.Names(), listed);

    // Each row carries the texts GetFileInfoText gives for its file (ModFileinfoTest pins those).
    for (const ThumRow& row : grid.ThumListview().Rows) {
        EXPECT_EQ(row.Path, folder + row.String);
        EXPECT_EQ(row.Number, GetFileInfoText(row.Path, 0)) << Narrow(row.String);
        EXPECT_EQ(row.MDate, GetFileInfoText(row.Path, 1)) << Narrow(row.String);
        EXPECT_EQ(row.CDate, GetFileInfoText(row.Path, 2)) << Narrow(row.String);
        EXPECT_EQ(row.Review, L"");
    }
    EXPECT_EQ(FindRow(grid, L"b.JPG")->CDate, L"5-9-2005 6:0:36");
    EXPECT_EQ(FindRow(grid, L"b.JPG")->Number, L"2" + DecimalSeparator() + L"5 KB");
    EXPECT_EQ(FindRow(grid, L"b.JPG")->Extname, L"JPG");
    EXPECT_EQ(FindRow(grid, L"d.tiff")->Extname, L"tiff");
    EXPECT_EQ(FindRow(grid, kJapanBmp)->Extname, L"bmp");

    EXPECT_EQ(grid.SlideFilename(0), folder + L"A.png");
    EXPECT_EQ(grid.SlideFilename(8), folder + kJapanBmp);
    EXPECT_EQ(grid.SlideFilename(9), L"");
    EXPECT_EQ(grid.SlideFilename(-1), L"");
    // Sorting by name keeps the listing's order.
    grid.ThumbnaillSort(kSortName);
    EXPECT_EQ(Names(grid), listed);
}

TEST(ThumViewerListing, EmptyMissingOrBlankFoldersGiveAnEmptyTable) {
    const std::wstring pictures = MakeTestFolder(L"listing-cwd");
    MakePictures(pictures, {Dated(L"here.jpg")});
    const std::wstring empty = MakeTestFolder(L"listing-empty");

    ThumViewer grid;
    grid.Path(pictures);
    ASSERT_EQ(grid.ListCount(), 1);
    grid.Path(empty);
    EXPECT_EQ(grid.ListCount(), 0);
    EXPECT_FALSE(grid.NoOpen());

    grid.Path(pictures);
    grid.Path(empty + L"no such folder");
    EXPECT_EQ(grid.ListCount(), 0);
    EXPECT_FALSE(grid.NoOpen());

    // A blank folder must not list the process's current folder.
    wchar_t old[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH, old);
    ASSERT_TRUE(::SetCurrentDirectoryW(pictures.c_str()));
    grid.Path(L"");
    ::SetCurrentDirectoryW(old);
    EXPECT_EQ(grid.ListCount(), 0);
    EXPECT_FALSE(grid.NoOpen());
    EXPECT_EQ(grid.CurrentFolder(), L"");
}

TEST(ThumViewerListing, SizesOfTwoGigabytesAndMoreAreTrueAndSortByBytes) {
    const std::wstring folder = MakeTestFolder(L"listing-large");
    const uint64_t twoGiB = 2147483648ull + 500, fourAndAHalf = 4831838208ull + 1;
    if (!MakeSizedFile(folder + L"two.TIF", twoGiB) || !MakeSizedFile(folder + L"huge.tif", fourAndAHalf)) {
        ::DeleteFileW((folder + L"two.TIF").c_str());
        GTEST_SKIP() << "the file system does not take files of several gigabytes";
    }
    ASSERT_TRUE(MakeSizedFile(folder + L"small.tif", 10000));
    ThumViewer grid;
    grid.Path(folder);
    const std::wstring sep = DecimalSeparator();
    ASSERT_NE(FindRow(grid, L"two.TIF"), nullptr);
    EXPECT_EQ(FindRow(grid, L"two.TIF")->Number, L"2147484" + sep + L"148 KB");
    EXPECT_EQ(FindRow(grid, L"huge.tif")->Number, L"4831838" + sep + L"209 KB");
    grid.ThumbnaillSort(kSortSize);
    EXPECT_EQ(Names(grid), (std::vector<std::wstring>{L"small.tif", L"two.TIF", L"huge.tif"}));
    ::DeleteFileW((folder + L"two.TIF").c_str());
    ::DeleteFileW((folder + L"huge.tif").c_str());
}

TEST(ThumViewerSort, EveryModeSortsBothWaysAndKeepsTheTexts) {
    const std::wstring folder = MakeTestFolder(L"sort");
    // Modified dates; created dates in another order where the file system keeps them.
    MakePictures(folder, {{L"alpha.PNG", 10000, LocalTime(2001, 5, 5), LocalTime(2005, 3, 10)},
                          {L"Beta.jpg", 9000, LocalTime(2003, 5, 5), LocalTime(2004, 12, 30)},
                          {L"gamma.bmp", 500000, LocalTime(2002, 5, 5), LocalTime(2006, 1, 1)},
                          {L"delta.GIF", 1500, LocalTime(2000, 5, 5), LocalTime(2005, 2, 28)}});
    ASSERT_TRUE(WriteTestFile(folder + L"Vellumolib.vlb", "alpha.png\r\nGAMMA.BMP\r\n"));
    const bool createdKept = CreationTimeIsKept(folder);

    ThumViewer grid;
    grid.Path(folder);

    using Names_ = std::vector<std::wstring>;
    const Names_ byModified{L"Beta.jpg", L"delta.GIF", L"alpha.PNG", L"gamma.bmp"};
    const struct {
        int32_t mode;
        Names_ ascending;
    } cases[] = {
        {kSortName, {L"alpha.PNG", L"Beta.jpg", L"delta.GIF", L"gamma.bmp"}},
        {kSortType, {L"gamma.bmp", L"delta.GIF", L"Beta.jpg", L"alpha.PNG"}},
        {kSortSize, {L"delta.GIF", L"Beta.jpg", L"alpha.PNG", L"gamma.bmp"}}, // 9 KB before 10 KB
        {kSortCreated, createdKept ? Names_{L"delta.GIF", L"alpha.PNG", L"gamma.bmp", L"Beta.jpg"} : byModified},
        {kSortModified, byModified},
    };
    for (const auto& c : cases) {
        grid.SetSortOrder(ThumSortOrder::Ascending);
        grid.ThumbnaillSort(c.mode);
        EXPECT_EQ(grid.ThumbnaillSort(), c.mode);
        EXPECT_EQ(Names(grid), c.ascending) << "mode " << c.mode;
        grid.SetSortOrder(ThumSortOrder::Descending);
        grid.ThumbnaillSort(c.mode);
        EXPECT_EQ(Names(grid), Reversed(c.ascending)) << "mode " << c.mode << " descending";
        EXPECT_EQ(grid.SlideFilename(0), folder + Reversed(c.ascending)[0]);
    }
    // The favourite flag sorts as text: unmarked rows first; rows that tie stay in name order.
    grid.SetSortOrder(ThumSortOrder::Ascending);
    grid.ThumbnaillSort(kSortFavorite);
    EXPECT_EQ(Names(grid), (Names_{L"Beta.jpg", L"delta.GIF", L"alpha.PNG", L"gamma.bmp"}));
    grid.SetSortOrder(ThumSortOrder::Descending);
    grid.ThumbnaillSort(kSortFavorite);
    EXPECT_EQ(Names(grid), (Names_{L"alpha.PNG", L"gamma.bmp", L"Beta.jpg", L"delta.GIF"}));

    // The table stays sorted through relists and new folders; a mode outside the six changes nothing.
    grid.SetSortOrder(ThumSortOrder::Ascending);
    grid.ThumbnaillSort(kSortSize);
    MakePictures(folder, {Dated(L"eps.jpg", LocalTime(2005, 1, 1), 9500)});
    grid.RefreshThumbnail(true);
    const Names_ bySize{L"delta.GIF", L"Beta.jpg", L"eps.jpg", L"alpha.PNG", L"gamma.bmp"};
    EXPECT_EQ(Names(grid), bySize);
    grid.Path(folder);
    EXPECT_EQ(Names(grid), bySize);
    grid.ThumbnaillSort(9);
    EXPECT_EQ(Names(grid), bySize);
}

TEST(ThumViewerFavourites, AMixedCaseListMarksItsFilesAndABlankLineDoesNotEndIt) {
    const std::wstring folder = MakeTestFolder(L"favourites");
    MakePictures(folder, {Dated(L"Photo.JPG"), Dated(L"other.png"), Dated(L"third.jpg"), Dated(kJapanBmp)});
    ThumViewer grid;
    grid.Path(folder);
    EXPECT_TRUE(grid.FavoriteNames().empty());
    for (const ThumRow& row : grid.ThumListview().Rows) EXPECT_EQ(row.Review, L"");

    ASSERT_TRUE(WriteTestFile(folder + L"Vellumolib.vlb", "PHOTO.jpg\r\n\r\nOTHER.PNG\r\ngone.jpg\n"));
    grid.RefreshThumbnail(true);
    EXPECT_EQ(grid.FavoriteNames(), (std::vector<std::wstring>{L"PHOTO.jpg", L"OTHER.PNG", L"gone.jpg"}));
    EXPECT_EQ(FindRow(grid, L"Photo.JPG")->Review, L"T");
    EXPECT_EQ(FindRow(grid, L"other.png")->Review, L"T");
    EXPECT_EQ(FindRow(grid, L"third.jpg")->Review, L"");
    EXPECT_EQ(FindRow(grid, kJapanBmp)->Review, L"");
}

TEST(ThumViewerFavourites, NamesAreReadInTheSystemCodePage) {
    const std::wstring name = L"Caf\u00e9.JPG";
    char bytes[32] = {};
    BOOL lossy = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, 0, L"caf\u00e9.jpg", -1, bytes, sizeof bytes, nullptr, &lossy);
    if (n <= 0 || lossy) GTEST_SKIP() << "the system code page has no e with acute accent";
    const std::wstring folder = MakeTestFolder(L"favourites-codepage");
    MakePictures(folder, {Dated(name), Dated(L"cafe.jpg")});
    ASSERT_TRUE(WriteTestFile(folder + L"Vellumolib.vlb", std::string(bytes) + "\r\n"));
    ThumViewer grid;
    grid.Path(folder);
    EXPECT_EQ(FindRow(grid, name)->Review, L"T");
    EXPECT_EQ(FindRow(grid, L"cafe.jpg")->Review, L"");
}

TEST(ThumViewerFilter, TheFormatFilterIgnoresLetterCase) {
    const std::wstring folder = MakeTestFolder(L"format-filter");
    MakePictures(folder, {Dated(L"DSC0001.JPG"), Dated(L"b.jpg"), Dated(L"c.png"), Dated(L"d.PNG"), Dated(L"e.gif"),
                          Dated(L"f.tif"), Dated(L"g.TIFF")});
    ThumViewer grid;
    grid.Path(folder);
    grid.CreateThumbnail();
    EXPECT_EQ(grid.ShownRows().size(), 7u);

    grid.ImageFormats(L"*.jpg;*.PNG");
    EXPECT_EQ(grid.FilterMode(), ThumViewer::kFormatFilter);
    EXPECT_EQ(grid.ImageFormats(), L"*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg"); // the listing pattern
    grid.RefreshThumbnail(false);
    EXPECT_EQ(grid.ListCount(), 7); // the table keeps every file; the filter hides rows
    EXPECT_EQ(ShownNames(grid), (std::vector<std::wstring>{L"b.jpg", L"c.png", L"d.PNG", L"DSC0001.JPG"}));

    grid.ImageFormats(L"*.tif");
    grid.RefreshThumbnail(true); // the filter holds through a relist
    EXPECT_EQ(ShownNames(grid), (std::vector<std::wstring>{L"f.tif"}));
    grid.ImageFormats(L"*.TIFF");
    grid.RefreshThumbnail(false);
    EXPECT_EQ(ShownNames(grid), (std::vector<std::wstring>{L"g.TIFF"}));

    grid.Path(folder); // a new folder clears the filter
    EXPECT_EQ(grid.FilterMode(), ThumViewer::kNoFilter);
    grid.CreateThumbnail();
    EXPECT_EQ(grid.ShownRows().size(), 7u);
}

namespace {
std::vector<Picture> DatedFolderPictures() {
    return {Dated(L"a-morning.jpg", LocalTime(2005, 3, 10, 0, 0, 1)),
            Dated(L"b-night.jpg", LocalTime(2005, 3, 10, 23, 59, 59)),
            Dated(L"c-next-day.jpg", LocalTime(2005, 3, 11)),
            Dated(L"d-april.jpg", LocalTime(2005, 4, 1)),
            Dated(L"e-february.jpg", LocalTime(2005, 2, 28)),
            Dated(L"f-old-year.jpg", LocalTime(2004, 12, 30)),
            Dated(L"g-new-year.jpg", LocalTime(2006, 1, 1)),
            Dated(L"h-next-year.jpg", LocalTime(2006, 3, 10)),
            Dated(L"i-next-month.jpg", LocalTime(2005, 4, 10)),
            Dated(L"j-other-year.jpg", LocalTime(2006, 3, 12)),
            Dated(L"k-other-year.jpg", LocalTime(2004, 4, 15))};
}
} // namespace

TEST(ThumViewerFilter, TheDateFilterShowsExactlyThePickedDay) {
    const std::wstring folder = MakeTestFolder(L"date-filter");
    MakePictures(folder, DatedFolderPictures());
    FakeGridSidePanel panel;
    ThumViewer grid(&panel);
    grid.Path(folder);
    grid.DateWatch(L"10-3-2005");
    EXPECT_EQ(grid.FilterMode(), ThumViewer::kDateFilter);
    panel.calls.clear();
    grid.CreateThumbnail();
    EXPECT_EQ(ShownNames(grid), (std::vector<std::wstring>{L"a-morning.jpg", L"b-night.jpg"}));
    EXPECT_TRUE(panel.calls.empty()); // a filtered pass marks no days

    grid.DateWatch(L"1-1-2006");
    grid.RefreshThumbnail(true);
    EXPECT_EQ(ShownNames(grid), (std::vector<std::wstring>{L"g-new-year.jpg"}));
    grid.DateWatch(L"not a date");
    grid.RefreshThumbnail(false);
    EXPECT_TRUE(grid.ShownRows().empty());
}

TEST(ThumViewerCalendar, MarksAreTheDaysOfTheMonthThePanelShows) {
    const std::wstring folder = MakeTestFolder(L"calendar");
    MakePictures(folder, DatedFolderPictures());
    FakeGridSidePanel panel; // shows March 2005
    panel.marks.fill(true);
    ThumViewer grid(&panel);
    grid.Path(folder);
    ASSERT_EQ(panel.calls.size(), 31u);
    for (int32_t day = 0; day < 31; ++day) EXPECT_EQ(panel.calls[static_cast<size_t>(day)], std::make_pair(day, false));
    EXPECT_EQ(panel.refreshes, 1);

    grid.CreateThumbnail();
    EXPECT_EQ(panel.MarkedDays(), (std::vector<int32_t>{10, 11}));
    EXPECT_EQ(panel.refreshes, 2);
    EXPECT_EQ(panel.outOfRange, 0);

    panel.month = 4;
    grid.Path(folder);
    grid.CreateThumbnail();
    EXPECT_EQ(panel.MarkedDays(), (std::vector<int32_t>{1, 10}));
    EXPECT_EQ(panel.outOfRange, 0);

    const std::wstring empty = MakeTestFolder(L"calendar-empty");
    grid.Path(empty);
    grid.CreateThumbnail();
    EXPECT_TRUE(panel.MarkedDays().empty());
}

TEST(ThumViewerSearch, ShowsTheHitsOfTheCurrentListing) {
    const std::wstring folder = MakeTestFolder(L"search");
    MakePictures(folder, {Dated(L"Holiday.jpg"), Dated(L"holiday2.png"), Dated(L"HolidayHoliday.bmp"),
                          Dated(L"Work.JPG"), Dated(kJapanHoliday), Dated(kOmegaGif)});
    ThumViewer grid;
    grid.Path(folder);
    ASSERT_EQ(grid.ListCount(), 6);

    grid.SearchThumbnaillGO(L"", false); // the search box was clicked
    EXPECT_EQ(grid.ListCount(), 6);
    grid.SearchThumbnaillGO(L"HOLI");
    EXPECT_EQ(Names(grid), (std::vector<std::wstring>{L"Holiday.jpg", L"holiday2.png", L"HolidayHoliday.bmp"}));
    EXPECT_EQ(grid.ListCount(), 3);
    EXPECT_EQ(grid.SlideFilename(0), folder + L"Holiday.jpg");
    EXPECT_EQ(grid.SlideFilename(2), folder + L"HolidayHoliday.bmp");
    EXPECT_EQ(grid.SlideFilename(3), L"");
    EXPECT_EQ(grid.ShownRows().size(), 3u);

    grid.SearchThumbnaillGO(L"", false); // clicking the box again keeps the full copy
    grid.SearchThumbnaillGO(L"\u4f11\u65e5");
    EXPECT_EQ(Names(grid), (std::vector<std::wstring>{kJapanHoliday}));
    grid.SearchThumbnaillGO(L"\u03c9MEGA");
    EXPECT_EQ(Names(grid), (std::vector<std::wstring>{kOmegaGif}));
    grid.SearchThumbnaillGO(L"zzz");
    EXPECT_EQ(grid.ListCount(), 0);
    grid.SearchThumbnaillGO(L"work");
    EXPECT_EQ(Names(grid), (std::vector<std::wstring>{L"Work.JPG"}));
    grid.RefreshThumbnail(false); // a redraw keeps the hits
    EXPECT_EQ(grid.ListCount(), 1);
    grid.SearchThumbnaillGO(L"");
    EXPECT_EQ(grid.ListCount(), 6);

    // A relist brings the whole folder back, and the next search sees what it listed.
    MakePictures(folder, {Dated(L"holiday3.gif")});
    grid.RefreshThumbnail(true);
    EXPECT_EQ(grid.ListCount(), 7);
    grid.SearchThumbnaillGO(L"holiday3");
    EXPECT_EQ(Names(grid), (std::vector<std::wstring>{L"holiday3.gif"}));
}

TEST(ThumViewerSearch, ASearchInANewFolderSearchesThatFolder) {
    const std::wstring first = MakeTestFolder(L"search-first"), second = MakeTestFolder(L"search-second");
    MakePictures(first, {Dated(L"cat.jpg"), Dated(L"dog.jpg")});
    MakePictures(second, {Dated(L"catalogue.png"), Dated(L"bird.png")});
    ThumViewer grid;
    grid.Path(first);
    grid.SearchThumbnaillGO(L"", false);
    grid.Path(second);
    grid.SearchThumbnaillGO(L"cat"); // no click in the search box since the folder changed
    ASSERT_EQ(grid.ListCount(), 1);
    EXPECT_EQ(grid.SlideFilename(0), second + L"catalogue.png");
    EXPECT_EQ(grid.SearchListView().Rows.size(), 2u);
    EXPECT_EQ(grid.SearchListView().Rows[0].Path.substr(0, second.size()), second);
}
