// File information texts and the table search, on files the tests make.
#include "browser/ModFileinfo.h"
#include "tests/browser/BrowserTestFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

ThumRow Row(const std::wstring& name, bool selected = false) {
    ThumRow row;
    row.Path = L"C:\\pictures\\" + name;
    row.String = name;
    row.Selected = selected;
    return row;
}

std::vector<std::wstring> Names(const ThumTable& table) {
    std::vector<std::wstring> names;
    for (const ThumRow& row : table.Rows) names.push_back(row.String);
    return names;
}

} // namespace

TEST(ModFileinfo, SizeTextsAreKilobytesOfAThousandBytes) {
    const std::wstring folder = MakeTestFolder(L"fileinfo-sizes");
    const std::wstring sep = DecimalSeparator();
    const struct {
        uint64_t bytes;
        std::wstring text;
    } cases[] = {{2500, L"2" + sep + L"5 KB"}, {1000, L"1 KB"},          {1500, L"1" + sep + L"5 KB"},
                 {0, L"0 KB"},                 {12345, L"12" + sep + L"345 KB"}, {1, L"0" + sep + L"001 KB"}};
    for (const auto& c : cases) {
        const std::wstring path = folder + std::to_wstring(c.bytes) + L".JPG";
        ASSERT_TRUE(MakeSizedFile(path, c.bytes));
        EXPECT_EQ(GetFileInfoText(path, 0), c.text) << c.bytes;
    }
}

TEST(ModFileinfo, DateTextsHaveNoLeadingZerosAndShowLocalTime) {
    const std::wstring folder = MakeTestFolder(L"fileinfo-dates");
    const std::wstring first = folder + L"first.png", later = folder + L"later.TIFF";
    ASSERT_TRUE(MakeSizedFile(first, 10));
    ASSERT_TRUE(MakeSizedFile(later, 10));
    // Wine reports the modified time as the creation time (Linux keeps no settable birth time), so
    // each file gets one time for both.
    ASSERT_TRUE(SetLocalFileTimes(first, LocalTime(2005, 1, 1, 0, 0, 0), LocalTime(2005, 1, 1, 0, 0, 0)));
    ASSERT_TRUE(SetLocalFileTimes(later, LocalTime(2005, 9, 5, 6, 0, 36), LocalTime(2005, 9, 5, 6, 0, 36)));
    EXPECT_EQ(GetFileInfoText(first, 1), L"1-1-2005 0:0:0");
    EXPECT_EQ(GetFileInfoText(first, 2), L"1-1-2005 0:0:0");
    EXPECT_EQ(GetFileInfoText(later, 1), L"5-9-2005 6:0:36");
    EXPECT_EQ(GetFileInfoText(later, 2), L"5-9-2005 6:0:36");
    EXPECT_EQ(GetFileInfoText(later, 3), L"");
    EXPECT_EQ(GetFileInfoText(later, -1), L"");
}

TEST(ModFileinfo, AMissingFileGivesTheZeroRecordTexts) {
    const std::wstring missing = MakeTestFolder(L"fileinfo-missing") + L"gone.jpg";
    EXPECT_EQ(GetFileInfoText(missing, 0), L"0 KB");
    EXPECT_EQ(GetFileInfoText(missing, 1), L"1-1-1601 0:0:0");
    EXPECT_EQ(GetFileInfoText(missing, 2), L"1-1-1601 0:0:0");
    const WIN32_FIND_DATAW data = GetFileFindData(missing);
    EXPECT_EQ(data.nFileSizeLow, 0u);
    EXPECT_EQ(data.cFileName[0], L'\0');
}

TEST(ModFileinfo, SearchCopiesEachMatchingRowOnceInSourceOrder) {
    ThumTable source;
    for (const wchar_t* name : {L"HolidayHoliday.bmp", L"Work.JPG", L"holiday2.png", L"\u039f\u03bc\u03ad\u03b3\u03b1.gif"})
        source.Rows.push_back(Row(name, true));
    ThumTable destination;
    destination.Rows.push_back(Row(L"stale.jpg"));

    SearchListViewByName(source, L"HOLIDAY", destination);
    EXPECT_EQ(Names(destination), (std::vector<std::wstring>{L"HolidayHoliday.bmp", L"holiday2.png"}));
    EXPECT_FALSE(destination.Rows[0].Selected);
    EXPECT_EQ(destination.Rows[1].Path, L"C:\\pictures\\holiday2.png");

    // Letter case is ignored beyond ASCII too.
    SearchListViewByName(source, L"\u039c\u0388\u0393", destination);
    EXPECT_EQ(Names(destination), (std::vector<std::wstring>{L"\u039f\u03bc\u03ad\u03b3\u03b1.gif"}));

    SearchListViewByName(source, L"", destination);
    EXPECT_EQ(destination.Rows.size(), 4u);
    SearchListViewByName(source, L"zzz", destination);
    EXPECT_TRUE(destination.Rows.empty());
    EXPECT_EQ(source.Rows.size(), 4u); // the source is left as it was
}

TEST(ModFileinfo, SortOutsideTheModesChangesNothing) {
    ThumTable table;
    for (const wchar_t* name : {L"c.jpg", L"a.jpg", L"b.jpg"}) table.Rows.push_back(Row(name));
    SortListViewColumn(table, 6);
    SortListViewColumn(table, -1);
    EXPECT_FALSE(table.Sorted);
    EXPECT_EQ(Names(table), (std::vector<std::wstring>{L"c.jpg", L"a.jpg", L"b.jpg"}));
    SortListViewColumn(table, kSortName);
    EXPECT_TRUE(table.Sorted);
    EXPECT_EQ(Names(table), (std::vector<std::wstring>{L"a.jpg", L"b.jpg", L"c.jpg"}));
}
