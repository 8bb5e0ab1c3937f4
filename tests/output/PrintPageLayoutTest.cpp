// The geometry of printed pages: page sizes for the paper, Fit to Page placement and the thumbnail
// layout's rows and pages.
#include "output/PrintPageLayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr PaperTwips kA4{11906, 16838, false};

TEST(PrintPageLayout, PageSizeFollowsPaperOrientationAndScreen) {
    struct Case {
        PaperTwips paper;
        float twipsPerPixel;
        int32_t sw, sh;
        float W, H;
    };
    const Case cases[] = {
        {kA4, 15, 794, 1123, 794 + 1123 / 15.0f / 2, 1123 + 794 / 15.0f},                  // A4 at 96 dpi
        {{16838, 11906, true}, 15, 1123, 794, 1123 + 794 / 15.0f, 794 + 1123 / 15.0f / 2}, // landscape
        {kA4, 12, 992, 1123, 992 + 1123 / 15.0f / 2, 1123 + 794 / 15.0f},                  // a 120-dpi screen
    };
    for (const Case& c : cases) {
        const PageSize page = ComputePageSize(c.paper, c.twipsPerPixel);
        EXPECT_EQ(page.sw, c.sw);
        EXPECT_EQ(page.sh, c.sh);
        EXPECT_NEAR(page.W, c.W, 0.01f);
        EXPECT_NEAR(page.H, c.H, 0.01f);
    }
    const PageSize a4 = ComputePageSize(kA4, 15);
    EXPECT_EQ(static_cast<int>(std::lround(a4.W)), 831);
    EXPECT_EQ(static_cast<int>(std::lround(a4.H)), 1176);
}

TEST(PrintPageLayout, FitToPageCentresTheFittedPicture) {
    const PageSize page = ComputePageSize(kA4, 15);
    const RectF tiny = FitToPagePlace(page, 10, 10); // never enlarged
    EXPECT_FLOAT_EQ(tiny.Width, 10);
    EXPECT_NEAR(tiny.X + 5, page.W / 2, 0.01f);
    EXPECT_NEAR(tiny.Y + 5, page.H / 2, 0.01f);
    const RectF wide = FitToPagePlace(page, 4000, 3000); // fitted into sw x sh
    EXPECT_FLOAT_EQ(wide.Width, 794);
    EXPECT_FLOAT_EQ(wide.Height, 595.5f);
    EXPECT_NEAR(wide.X + wide.Width / 2, page.W / 2, 0.01f);
    EXPECT_NEAR(wide.Y + wide.Height / 2, page.H / 2, 0.01f);
}

TEST(PrintPageLayout, ThumbnailRowEndsWhenTheNextPictureWouldPassTheWidth) {
    const std::vector<SizeF> three(3, SizeF(300, 300));
    // 330 used + 300 wide = 630: exactly W keeps the row, one pixel less ends it.
    const auto fits = LayoutThumbnails(three, 630, 2000);
    EXPECT_FLOAT_EQ(fits[0][1].place.X, 340);
    EXPECT_FLOAT_EQ(fits[0][1].place.Y, 50);
    const auto ends = LayoutThumbnails(three, 629, 2000);
    EXPECT_FLOAT_EQ(ends[0][1].place.X, 20);
    EXPECT_FLOAT_EQ(ends[0][1].place.Y, 360);
    // The row's height includes the picture that ended it.
    const auto mixed = LayoutThumbnails({SizeF(600, 200), SizeF(300, 300), SizeF(40, 40)}, 700, 2000);
    EXPECT_FLOAT_EQ(mixed[0][2].place.Y, 50 + 300 + 10);
}

TEST(PrintPageLayout, ThumbnailPagesOnA4AndOnTinyPaper) {
    const PageSize a4 = ComputePageSize(kA4, 15);
    const auto pages = LayoutThumbnails(std::vector<SizeF>(7, SizeF(900, 900)), a4.W, a4.H);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].size(), 6u);
    EXPECT_FLOAT_EQ(pages[0][5].place.X, 340);
    EXPECT_FLOAT_EQ(pages[0][5].place.Y, 670);
    EXPECT_EQ(pages[1][0].entry, 6u); // the overflowing picture starts the next page
    EXPECT_FLOAT_EQ(pages[1][0].place.X, 20);
    EXPECT_FLOAT_EQ(pages[1][0].place.Y, 50);
    // Paper too small for one picture still gives one page per picture; unreadable ones are 0 x 0.
    const auto tiny = LayoutThumbnails({SizeF(300, 300), SizeF(0, 0), SizeF(300, 300)}, 100, 100);
    ASSERT_EQ(tiny.size(), 3u);
    for (const ThumbnailPage& page : tiny) EXPECT_EQ(page.size(), 1u);
    EXPECT_FLOAT_EQ(tiny[1][0].place.Width, 0);
    EXPECT_TRUE(LayoutThumbnails({}, 831, 1176).empty());
}

} // namespace
