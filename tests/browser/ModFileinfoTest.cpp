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
    const std::wstring path = folder + L"later.TIFF";
    ASSERT_TRUE(MakeSizedFile(path, 10));
    // One time for both: Wine reports the modified time as the creation time.
    ASSERT_TRUE(SetLocalFileTimes(path, LocalTime(2005, 9, 5, 0, 0, 36), LocalTime(2005, 9, 5, 0, 0, 36)));
    const struct {
        std::wstring path;
        int32_t kind;
        std::wstring text;
    } cases[] = {{path, 1, L"5-9-2005 0:0:36"},
                 {path, 2, L"5-9-2005 0:0:36"},
                 {path, 3, L""},
                 {path, -1, L""},
                 // A missing file gives the texts of the zero record.
                 {folder + L"gone.jpg", 0, L"0 KB"},
                 {folder + L"gone.jpg", 1, L"1-1-1601 0:0:0"},
                 {folder + L"gone.jpg", 2, L"1-1-1601 0:0:0"}};
    for (const auto& c : cases) EXPECT_EQ(GetFileInfoText(c.path, c.kind), c.text) << Narrow(c.path) << c.kind;
}
