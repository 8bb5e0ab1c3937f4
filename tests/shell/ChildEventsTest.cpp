#include "shell/ChildEvents.h"
#include "tests/shell/MenuFakes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(DateFilterText, DayMonthYearWithoutLeadingZerosAndATrailingDash) {
    EXPECT_EQ(DateFilterText(5, 9, 2005), L"5-9-2005-");
    EXPECT_EQ(DateFilterText(31, 12, 1999), L"31-12-1999-");
    EXPECT_EQ(DateFilterText(1, 10, 2010), L"1-10-2010-");
}

TEST(OpenHistoryMenu, OpensTheRecentFoldersUnderTheStripAndASecondClickClosesIt) {
    FakeDropDown menu;
    menu.height = 123.6f;
    const RectF strip{65, 98, 205, 18};
    OpenHistoryMenu(menu, strip);
    EXPECT_EQ(menu.current, 12);
    EXPECT_EQ(menu.width, 600);
    EXPECT_EQ(menu.h, 133);
    EXPECT_EQ(menu.left, 65);
    EXPECT_EQ(menu.top, 98 + 18 + 2);
    EXPECT_TRUE(menu.visible);
    OpenHistoryMenu(menu, strip);
    EXPECT_FALSE(menu.visible);
}

TEST(OpenThumbSizeMenu, AlignsRightEdgesEnablesSizesOnlyWithFilesAndChecksTheSize) {
    const PaneRect bar{279, 600, 990, 25};
    for (const bool files : {false, true}) {
        FakeDropDown menu;
        std::wstring size;
        OpenThumbSizeMenu(menu, bar, files, size);
        EXPECT_EQ(menu.current, 7);
        EXPECT_EQ(menu.width, 150);
        EXPECT_EQ(menu.left + menu.width, bar.left + bar.width);
        EXPECT_EQ(menu.top, bar.top + bar.height);
        for (const wchar_t* id : {L"Zoom_Small", L"Zoom_Normal", L"Zoom_Middle", L"Zoom_Large", L"Zoom_Maximal"})
            EXPECT_EQ(menu.Enabled(7, id), files) << Narrow(id);
        EXPECT_EQ(size, L"Zoom_Normal");
        EXPECT_TRUE(menu.Checked(7, L"Zoom_Normal"));
        EXPECT_TRUE(menu.visible);
    }
    FakeDropDown menu;
    std::wstring size = L"Zoom_Large";
    OpenThumbSizeMenu(menu, bar, true, size);
    EXPECT_TRUE(menu.Checked(7, L"Zoom_Large"));
    EXPECT_FALSE(menu.Checked(7, L"Zoom_Normal"));
}
