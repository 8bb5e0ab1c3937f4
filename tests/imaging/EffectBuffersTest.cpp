#include "imaging/EffectBuffers.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

TEST(PixelView, ElementsAreTheBitmapsOwnPixelsWithYZeroAtTheBottom) {
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
        EXPECT_EQ(view.At(2, 1), reinterpret_cast<Pixel32*>(dib.lpBits()) + 5);
        EXPECT_EQ(view.At(2, 1)->a, 23);
        EXPECT_EQ(view.At(1, 1)->g, 17);
        for (auto [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}}) EXPECT_EQ(view.At(x, y), nullptr) << x << "," << y;
    }
    EXPECT_FALSE(view.Attached());
    EXPECT_EQ(view.At(0, 0), nullptr);

    // A write through the view is what the bitmap draws, upright through GDI and GDI+.
    dib.Cls(RGB(0, 0, 255));
    MapDIBArray(dib, view);
    ASSERT_TRUE(view.Attached());
    EXPECT_EQ(view.At(1, 1)->b, 255);         // the queued fill has landed
    *view.At(0, 0) = Pixel32{0, 255, 0, 255}; // bottom-left of the image
    UnmapDIBArray(view);
    EXPECT_EQ(::GetPixel(dib.hDC(), 0, 1), RGB(0, 255, 0));
    EXPECT_EQ(::GetPixel(dib.hDC(), 0, 0), RGB(0, 0, 255));
    GdipBitmap bitmap(DIBToGdipBitmap(dib));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(PixelAt(bitmap.get(), 0, 1), 0xFF00FF00u);

    // A bitmap without a 32 bpp section gives an empty view.
    CDIB empty, rgb;
    ASSERT_TRUE(rgb.Create(4, 4, 24));
    for (CDIB* other : {&empty, &rgb}) {
        MapDIBArray(*other, view);
        EXPECT_FALSE(view.Attached());
        EXPECT_EQ(view.Width(), 0);
    }
}

TEST(PointDistanceTest, RoundsTheSquareAndTheRootHalvesToEven) {
    EXPECT_EQ(PointDistance({0, 0}, {3, 4}), 5);
    EXPECT_EQ(PointDistance({0, 0}, {1, 1}), 1);
    EXPECT_EQ(PointDistance({0, 0}, {0.5f, 0.5f}), 0);
    EXPECT_EQ(PointDistance({0, 0}, {1.5f, 0}), 1);
    EXPECT_EQ(PointDistance({-3, 0}, {3, 8}), 10);
}
