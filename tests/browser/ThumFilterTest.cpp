#include "browser/ThumFilter.h"

#include <gtest/gtest.h>

namespace {

ThumRow Row(const std::wstring& extension, WORD day, WORD month, WORD year) {
    ThumRow row;
    row.Extname = extension;
    row.CreatedLocal.wDay = day;
    row.CreatedLocal.wMonth = month;
    row.CreatedLocal.wYear = year;
    return row;
}

struct FilterCase {
    const wchar_t* formats; // null: a date filter
    const wchar_t* date;
    ThumRow row;
    bool shown;
};

} // namespace

TEST(ThumFilter, ListsAndDatesAsTheFilterBoxesWriteThemAndAsPeopleTypeThem) {
    const FilterCase cases[] = {
        {L" *.JPG ; *.gif ", nullptr, Row(L"jpg", 1, 1, 2005), true},
        {L" *.JPG ; *.gif ", nullptr, Row(L"GIF", 1, 1, 2005), true},
        {L" *.JPG ; *.gif ", nullptr, Row(L"jpeg", 1, 1, 2005), false},
        {L"*.tif", nullptr, Row(L"tiff", 1, 1, 2005), false},
        {nullptr, L"31-12-2005", Row(L"jpg", 31, 12, 2005), true},
        {nullptr, L"31-12-2005", Row(L"jpg", 1, 1, 2006), false},
        {nullptr, L" 7 - 03 -2005", Row(L"jpg", 7, 3, 2005), true},
        {nullptr, L"7-3", Row(L"jpg", 7, 3, 2005), false}, // no year: year 0
        {nullptr, L"x-3-2005", Row(L"jpg", 1, 3, 2005), false},
    };
    for (const FilterCase& c : cases) {
        ThumFilter filter;
        EXPECT_TRUE(filter.Passes(c.row));
        if (c.formats)
            filter.Formats(c.formats);
        else
            filter.Date(c.date);
        EXPECT_EQ(filter.Passes(c.row), c.shown) << (c.formats ? c.formats : c.date) << " / " << c.row.Extname;
        filter.Clear();
        EXPECT_EQ(filter.Mode(), ThumFilter::kNoFilter);
        EXPECT_TRUE(filter.Passes(c.row));
    }
}
