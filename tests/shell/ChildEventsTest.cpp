#include "shell/ChildEvents.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(DateFilterText, DayMonthYearWithoutLeadingZerosAndATrailingDash) {
    EXPECT_EQ(DateFilterText(5, 9, 2005), L"5-9-2005-");
    EXPECT_EQ(DateFilterText(31, 12, 1999), L"31-12-1999-");
    EXPECT_EQ(DateFilterText(1, 10, 2010), L"1-10-2010-");
}
