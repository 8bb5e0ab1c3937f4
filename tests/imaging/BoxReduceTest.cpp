// The one reduction to a smaller size: block means at odd sizes, factor 1, a single row or column,
// ratios that are not whole, stripes that must not alias, each source layout, partial updates.
#include "imaging/BoxReduce.h"
#include "tests/imaging/ImagingTestSupport.h"

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

// The first source pixel of target cell t, as the header gives it: t * s / tLength rounded up.
int FirstOf(int t, int s, int tLength) {
    return (t * s + tLength - 1) / tLength;
}

// The mean of the opaque pattern over the block of target pixel (tx, ty), worked out pixel by
// pixel from the pattern rather than from the reduction.
uint32_t BlockMean(const std::function<uint32_t(int, int)>& fill, int sw, int sh, int tw, int th, int tx, int ty) {
    int sums[3] = {}, n = 0;
    for (int y = FirstOf(ty, sh, th); y < FirstOf(ty + 1, sh, th); ++y)
        for (int x = FirstOf(tx, sw, tw); x < FirstOf(tx + 1, sw, tw); ++x, ++n) {
            const uint32_t c = fill(x, y);
            sums[0] += RedOf(c);
            sums[1] += GreenOf(c);
            sums[2] += BlueOf(c);
        }
    const auto mean = [n](int total) { return static_cast<uint8_t>((total + n / 2) / n); };
    return ColorARGB(255, mean(sums[0]), mean(sums[1]), mean(sums[2]));
}

// A 24 bpp bitmap of the opaque pattern, written in one lock (a photograph's size is too many for
// one call a pixel).
GdipBitmap Opaque24(int w, int h, const std::function<uint32_t(int, int)>& fill) {
    GdipBitmap bitmap;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat24bppRGB, nullptr, bitmap.put());
    GpRect all{0, 0, w, h};
    BitmapData data{};
    if (GdipBitmapLockBits(bitmap.get(), &all, ImageLockModeWrite, PixelFormat24bppRGB, &data) != Ok) return {};
    for (int y = 0; y < h; ++y) {
        uint8_t* p = static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < w; ++x, p += 3) {
            const uint32_t c = fill(x, y);
            p[0] = static_cast<uint8_t>(BlueOf(c));
            p[1] = static_cast<uint8_t>(GreenOf(c));
            p[2] = static_cast<uint8_t>(RedOf(c));
        }
    }
    GdipBitmapUnlockBits(bitmap.get(), &data);
    return bitmap;
}

} // namespace

TEST(BoxReduce, EveryTargetPixelIsTheMeanOfItsBlockAtEveryShape) {
    const auto columns = [](int x, int) { return x % 2 ? kWhite : kBlack; };
    const auto rows = [](int, int y) { return y % 2 ? kWhite : kBlack; };
    const auto checks = [](int x, int y) { return (x + y) % 2 ? kWhite : kBlack; };
    const auto ramp = [](int x, int y) {
        return ColorARGB(255, static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 11), static_cast<uint8_t>(x + y));
    };
    struct Case {
        const char* what;
        int sw, sh, tw, th;
        std::function<uint32_t(int, int)> fill;
    };
    const Case cases[] = {
        // One-pixel stripes and checks: a sampling reduction would give solid black or white.
        {"columns halved", 8, 6, 4, 3, columns},
        {"rows halved", 6, 8, 3, 4, rows},
        {"checks by 3 and 5", 9, 10, 3, 2, checks},
        {"columns 7 into 3: blocks of 3, 2, 2", 7, 4, 3, 4, columns},
        {"rows 7 into 3", 4, 7, 4, 3, rows},
        // Odd sizes and ratios that are not whole, on both axes at once.
        {"ramp 37 x 29 into 10 x 7", 37, 29, 10, 7, ramp},
        {"ramp 5 x 3 into 2 x 2", 5, 3, 2, 2, ramp},
        {"ramp 13 x 11 into 12 x 10", 13, 11, 12, 10, ramp},
        // Factor 1: a copy; a single row, column and pixel.
        {"same size", 7, 5, 7, 5, ramp},
        {"into one column", 9, 4, 1, 4, ramp},
        {"into one row", 9, 4, 9, 1, ramp},
        {"into one pixel", 9, 4, 1, 1, ramp},
        {"one column into fewer rows", 1, 9, 1, 4, rows},
        {"one row into fewer columns", 9, 1, 4, 1, columns},
    };
    for (const Case& c : cases) {
        GdipBitmap argb = BitmapOf(c.sw, c.sh, c.fill);
        for (PixelFormat format :
             {PixelFormat24bppRGB, PixelFormat32bppRGB, PixelFormat32bppARGB, PixelFormat32bppPARGB}) {
            SCOPED_TRACE(::testing::Message() << c.what << ", format " << std::hex << format);
            GdipBitmap source = InFormat(argb.get(), format);
            GdipBitmap target = Target(c.tw, c.th);
            ASSERT_TRUE(AverageInto(source.get(), target.get()));
            for (int y = 0; y < c.th; ++y)
                for (int x = 0; x < c.tw; ++x)
                    EXPECT_EQ(PixelAt(target.get(), x, y), BlockMean(c.fill, c.sw, c.sh, c.tw, c.th, x, y))
                        << x << ", " << y;
        }
    }
}

TEST(BoxReduce, APhotographSharedOutAmongThreadsGivesEveryBlockItsMean) {
    // Large enough to be read on several threads; blocks of 6 or 7 columns and 7 or 8 rows.
    const auto fine = [](int x, int y) {
        return ColorARGB(255, static_cast<uint8_t>(x * 13 + y), static_cast<uint8_t>(y * 5), (x ^ y) & 1 ? 255 : 0);
    };
    const int sw = 2003, sh = 1101, tw = 301, th = 149;
    GdipBitmap photo = Opaque24(sw, sh, fine);
    ASSERT_TRUE(photo);
    GdipBitmap target = Target(tw, th);
    ASSERT_TRUE(AverageInto(photo.get(), target.get()));
    const std::vector<uint32_t> pixels = AllPixels(target.get());
    int wrong = 0;
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x)
            wrong += pixels[static_cast<size_t>(y) * tw + x] != BlockMean(fine, sw, sh, tw, th, x, y);
    EXPECT_EQ(wrong, 0);
}

TEST(BoxReduce, AlphaIsAveragedPremultipliedAndEnlargingIsLeftToThePlatform) {
    // An opaque blue pixel beside a clear one gives half-opaque blue, not a darkened blue.
    GdipBitmap edge = BitmapOf(2, 1, [](int x, int) { return x == 0 ? kBlue : ColorARGB(0, 0, 0, 0); });
    GdipBitmap one = Target(1, 1);
    ASSERT_TRUE(ReduceInto(edge.get(), one.get()));
    const uint32_t mixed = PixelAt(one.get(), 0, 0);
    EXPECT_NEAR(AlphaOf(mixed), 128, 1);
    EXPECT_NEAR(BlueOf(mixed), 255, 2);

    // A target larger on either axis is not averaged; ReduceInto has the platform draw it instead.
    GdipBitmap red = SolidBitmap(4, 4, kRed);
    for (const auto& [w, h] : {std::pair{5, 4}, std::pair{4, 5}, std::pair{3, 6}}) {
        SCOPED_TRACE(::testing::Message() << w << " x " << h);
        GdipBitmap larger = Target(w, h);
        EXPECT_FALSE(AverageInto(red.get(), larger.get()));
        EXPECT_EQ(PixelAt(larger.get(), 0, 0), 0u);
        ASSERT_TRUE(ReduceInto(red.get(), larger.get()));
        EXPECT_LE(ChannelDistance(PixelAt(larger.get(), w / 2, h / 2), kRed), 1);
    }
    EXPECT_FALSE(ReduceInto(nullptr, one.get()));
    EXPECT_FALSE(AverageInto(red.get(), nullptr));
}

TEST(BoxReduce, APhotographIntoOnePixelDoesNotOverflowTheSums) {
    // 4,400 x 4,000 white pixels: a block whose sum of 255s passes 32 bits.
    GdipBitmap white;
    ASSERT_EQ(GdipCreateBitmapFromScan0(4400, 4000, 0, PixelFormat24bppRGB, nullptr, white.put()), Ok);
    {
        GdipGraphics g;
        ASSERT_EQ(GdipGetImageGraphicsContext(white.get(), g.put()), Ok);
        GdipGraphicsClear(g.get(), kWhite);
    }
    GdipBitmap one = Target(1, 1), column = Target(1, 2);
    ASSERT_TRUE(AverageInto(white.get(), one.get()));
    EXPECT_EQ(PixelAt(one.get(), 0, 0), kWhite);
    ASSERT_TRUE(AverageInto(white.get(), column.get()));
    EXPECT_EQ(PixelAt(column.get(), 0, 1), kWhite);
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
