#include "imaging/ModGDI.h"

#include <gtest/gtest.h>

TEST(ColourValues, ConversionsBetweenArgbAndRgb) {
    EXPECT_EQ(ARGBToRGB(0xFFFF0000u), 0x000000FFu);
    EXPECT_EQ(RGBToARGB(0x00FF8040u, 200), 0xC84080FFu);
    // The top byte of a toolkit system colour is ignored.
    EXPECT_EQ(RGBToARGB(0x80000005u, 255), 0xFF050000u);
    for (uint32_t c : {0x00000000u, 0x12345678u, 0xFFFFFFFFu, 0x80FF00FFu})
        EXPECT_EQ(ARGBToRGB(RGBToARGB(c, 7)), c & 0x00FFFFFFu);
    // ColorToBytes: the three low bytes highest first; a middle byte of 128 or more keeps the third.
    EXPECT_EQ(ColorToBytes(0xFF204060u), (ColorBytes{0x60, 0x40, 0x20}));
    EXPECT_EQ(ColorToBytes(0xFF209060u), (ColorBytes{0x60, 0x90, 0x20}));
    EXPECT_EQ(ColorToBytes(0x00FFFFFFu), (ColorBytes{0xFF, 0xFF, 0xFF}));
}

TEST(EncoderLookup, FindsInstalledEncodersByMimeTypeIgnoringCase) {
    CLSID png{}, upper{};
    const int position = GetEncoderClsid(L"image/png", png);
    ASSERT_GT(position, 0);
    EXPECT_EQ(GetEncoderClsid(L"IMAGE/PNG", upper), position);
    EXPECT_TRUE(IsEqualGUID(png, upper));
    for (int format : {kFormatBmp, kFormatJpeg, kFormatGif, kFormatTiff, kFormatPng}) {
        CLSID id{};
        EXPECT_GT(GetEncoderClsid(EncoderMimeType(format), id), 0) << "format " << format;
    }
    CLSID untouched{};
    untouched.Data1 = 42;
    EXPECT_EQ(GetEncoderClsid(L"image/none", untouched), -1);
    EXPECT_EQ(untouched.Data1, 42u);
    EXPECT_EQ(EncoderMimeType(-1), L"");
    EXPECT_EQ(EncoderMimeType(7), L"");
}
