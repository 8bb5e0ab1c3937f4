// The file information texts, on files the tests make. (Sorting and search are shown through the
// grid in ThumViewerTest.)
#include "browser/ModFileinfo.h"
#include "tests/browser/BrowserTestFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(ModFileinfo, SizeTextsAreKilobytesOfAThousandBytes) {
    const std::wstring folder = MakeTestFolder(L"fileinfo-sizes");
    const std::wstring sep = DecimalSeparator();
    const struct {
        uint64_t bytes;
        std::wstring text;
    } cases[] = {{2500, L"2" + sep + L"5 KB"},     {1000, L"1 KB"},
                 {1500, L"1" + sep + L"5 KB"},     {0, L"0 KB"},
                 {12345, L"12" + sep + L"345 KB"}, {1, L"0" + sep + L"001 KB"}};
    for (const auto& c : cases) {
        const std::wstring path = folder + std::to_wstring(c.bytes) + L".JPG";
        ASSERT_TRUE(MakeSizedFile(path, c.bytes));
        EXPECT_EQ(GetFileInfoText(path, 0), c.text) << c.bytes;
    }
}

TEST(ModFileinfo, DateTextsShowLocalTimeWithoutLeadingZeros) {
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

    // A missing file gives the texts of the zero record.
    EXPECT_EQ(GetFileInfoText(folder + L"gone.jpg", 0), L"0 KB");
    EXPECT_EQ(GetFileInfoText(folder + L"gone.jpg", 1), L"1-1-1601 0:0:0");
    EXPECT_EQ(GetFileInfoText(folder + L"gone.jpg", 2), L"1-1-1601 0:0:0");
}
