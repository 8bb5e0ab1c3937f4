// The canvas's reduction to the shown size: block means at odd sizes, in each source layout.
#include "editor/BoxReduce.h"
#include "tests/editor/CanvasTestSupport.h"

#include <gtest/gtest.h>

namespace {

GdipBitmap Target(int w, int h) {
    GdipBitmap bitmap;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppPARGB, nullptr, bitmap.put());
    return bitmap;
}

GdipBitmap InFormat(GpBitmap* source, PixelFormat format) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(source, &w);
    GdipGetImageHeight(source, &h);
    GdipBitmap copy;
    GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), format, source, copy.put());
    return copy;
}

} // namespace

TEST(BoxReduce, EachTargetPixelIsTheMeanOfTheBlockItCovers) {
    // One-pixel black and white stripes: a sampling reduction would give solid black or white.
    GdipBitmap stripes = BitmapOf(8, 6, [](int x, int) { return x % 2 ? kWhite : kBlack; });
    for (PixelFormat format : {PixelFormat24bppRGB, PixelFormat32bppRGB, PixelFormat32bppARGB, PixelFormat32bppPARGB}) {
        SCOPED_TRACE(format);
        GdipBitmap source = InFormat(stripes.get(), format);
        GdipBitmap half = Target(4, 3);
        ASSERT_TRUE(ReduceInto(source.get(), half.get()));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_LE(ChannelDistance(PixelAt(half.get(), x, y), ColorARGB(255, 128, 128, 128)), 1);
    }

    // 7 x 5 into 3 x 2: columns {0,1,2} {3,4} {5,6}, rows {0,1,2} {3,4}; a red column 2 lands
    // whole in the first block, a third of its width.
    GdipBitmap odd = BitmapOf(7, 5, [](int x, int) { return x == 2 ? kRed : kBlack; });
    GdipBitmap small = Target(3, 2);
    ASSERT_TRUE(ReduceInto(odd.get(), small.get()));
    EXPECT_LE(ChannelDistance(PixelAt(small.get(), 0, 0), ColorARGB(255, 85, 0, 0)), 1);
    EXPECT_LE(ChannelDistance(PixelAt(small.get(), 0, 1), ColorARGB(255, 85, 0, 0)), 1);
    EXPECT_EQ(PixelAt(small.get(), 1, 0), kBlack);
    EXPECT_EQ(PixelAt(small.get(), 2, 1), kBlack);

    // Half transparent: an opaque blue pixel beside a clear one gives half-opaque blue, not a
    // darkened blue.
    GdipBitmap edge = BitmapOf(2, 1, [](int x, int) { return x == 0 ? kBlue : ColorARGB(0, 0, 0, 0); });
    GdipBitmap one = Target(1, 1);
    ASSERT_TRUE(ReduceInto(edge.get(), one.get()));
    const uint32_t mixed = PixelAt(one.get(), 0, 0);
    EXPECT_NEAR(AlphaOf(mixed), 128, 1);
    EXPECT_NEAR(BlueOf(mixed), 255, 2);

    // The same size copies; without a source nothing is written.
    GdipBitmap same = Target(7, 5);
    ASSERT_TRUE(ReduceInto(odd.get(), same.get()));
    EXPECT_EQ(PixelAt(same.get(), 2, 4), kRed);
    EXPECT_EQ(PixelAt(same.get(), 3, 0), kBlack);
    EXPECT_FALSE(ReduceInto(nullptr, same.get()));
}

TEST(BoxReduce, AnAreaRedoneMatchesTheWholeReductionAndLeavesTheRest) {
    // 37 x 29 into 10 x 7: blocks of 3 or 4 columns and 4 or 5 rows that do not divide evenly.
    const auto before = [](int x, int y) {
        return ColorARGB(255, static_cast<uint8_t>(x * 6), static_cast<uint8_t>(y * 8), 9);
    };
    const auto after = [&](int x, int y) {
        return x >= 11 && x < 15 && y >= 4 && y < 13 ? ColorARGB(60, 250, 10, 10) : before(x, y);
    };
    GdipBitmap source = BitmapOf(37, 29, before), changed = BitmapOf(37, 29, after);
    GdipBitmap kept = Target(10, 7), fresh = Target(10, 7);
    ASSERT_TRUE(ReduceInto(source.get(), kept.get()));
    const uint32_t untouched = PixelAt(kept.get(), 8, 6);
    // The area reaches one column and one row into the blocks on its right and below.
    ASSERT_TRUE(ReduceAreaInto(changed.get(), kept.get(), GpRect{11, 4, 4, 9}));
    ASSERT_TRUE(ReduceInto(changed.get(), fresh.get()));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(kept.get(), x, y), PixelAt(fresh.get(), x, y)) << x << ", " << y;
    EXPECT_EQ(PixelAt(kept.get(), 8, 6), untouched);
    // An area off the source changes nothing; a larger target is refused.
    EXPECT_TRUE(ReduceAreaInto(changed.get(), kept.get(), GpRect{40, 30, 5, 5}));
    EXPECT_FALSE(ReduceAreaInto(kept.get(), changed.get(), GpRect{0, 0, 5, 5}));
}
