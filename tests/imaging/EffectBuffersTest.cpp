#include "imaging/EffectBuffers.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(PixelView, ElementsAreStoragePixelsWithYZeroAtTheBottom) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 32));
    for (int i = 0; i < dib.Size(); ++i) dib.lpBits()[i] = static_cast<uint8_t>(i);
    DIBArray view;
    {
        ScopedDIBArray scoped(dib, view);
        ASSERT_TRUE(view.Attached());
        EXPECT_EQ(view.Width(), 3);
        EXPECT_EQ(view.Height(), 2);
        // (2, 1): the last pixel in memory; (0, 0): the first.
        ASSERT_NE(view.At(2, 1), nullptr);
        EXPECT_EQ(view.At(2, 1)->b, 20);
        EXPECT_EQ(view.At(2, 1)->a, 23);
        EXPECT_EQ(view.At(0, 0)->b, 0);
        EXPECT_EQ(view.At(1, 1)->g, 17);
        EXPECT_EQ(view.At(3, 0), nullptr);
        EXPECT_EQ(view.At(0, 2), nullptr);
        EXPECT_EQ(view.At(-1, 0), nullptr);
    }
    EXPECT_FALSE(view.Attached());
    EXPECT_EQ(view.Width(), 0);
    EXPECT_EQ(view.At(0, 0), nullptr);
    EXPECT_NE(dib.lpBits(), nullptr); // detaching leaves the bitmap alone
}

TEST(PixelView, WritesThroughTheViewAreWhatTheBitmapDraws) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(4, 3, 32));
    dib.Cls(RGB(0, 0, 255));
    DIBArray view;
    MapDIBArray(dib, view);
    ASSERT_TRUE(view.Attached());
    EXPECT_EQ(view.At(1, 1)->b, 255);
    EXPECT_EQ(view.At(1, 1)->r, 0);
    *view.At(0, 0) = Pixel32{0, 255, 0, 255}; // bottom-left of the image
    UnmapDIBArray(view);
    EXPECT_EQ(::GetPixel(dib.hDC(), 0, 2), RGB(0, 255, 0));
    EXPECT_EQ(::GetPixel(dib.hDC(), 0, 0), RGB(0, 0, 255));
    GdipBitmap bitmap(DIBToGdipBitmap(dib));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(PixelAt(bitmap.get(), 0, 2), 0xFF00FF00u);
}

TEST(PixelView, ABitmapWithoutA32BitSectionGivesAnEmptyView) {
    CDIB empty;
    DIBArray view;
    MapDIBArray(empty, view);
    EXPECT_FALSE(view.Attached());
    EXPECT_EQ(view.At(0, 0), nullptr);
    CDIB rgb;
    ASSERT_TRUE(rgb.Create(4, 4, 24));
    MapDIBArray(rgb, view);
    EXPECT_FALSE(view.Attached());
    EXPECT_EQ(view.Width(), 0);
}

TEST(PointDistanceTest, RoundsTheSquareAndTheRootHalvesToEven) {
    EXPECT_EQ(PointDistance({0, 0}, {3, 4}), 5);
    EXPECT_EQ(PointDistance({0, 0}, {1, 1}), 1);
    EXPECT_EQ(PointDistance({0, 0}, {0.5f, 0.5f}), 0);
    EXPECT_EQ(PointDistance({0, 0}, {1.5f, 0}), 1);
    EXPECT_EQ(PointDistance({10, 10}, {10, 10}), 0);
    EXPECT_EQ(PointDistance({-3, 0}, {3, 8}), 10);
}

TEST(EffectBuffersTest, FreeingTwiceIsHarmlessAndTheBuffersCanBeMadeAgain) {
    FreeEffectBuffers();
    ASSERT_TRUE(FilterDib().Create(8, 8, 32));
    MapDIBArray(FilterDib(), PixelView());
    GpBitmap* image = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(5, 5, 0, PixelFormat32bppARGB, nullptr, &image), Ok);
    ClipboardImage().SetDIB(image);
    ClipboardImage().SetWidth(5);
    FreeEffectBuffers();
    EXPECT_EQ(FilterDib().hDIB(), nullptr);
    EXPECT_EQ(ClipboardImage().DIB(), nullptr);
    EXPECT_FALSE(PixelView().Attached());
    FreeEffectBuffers();
    EXPECT_EQ(FilterDib().hDIB(), nullptr);
    ASSERT_TRUE(FilterDib().Create(2, 2, 32));
    FreeEffectBuffers();
}
