// The selection object without a window: what each shape cuts in each combine mode (read back from
// the working stamp file), the lasso left in control pixels by a cut, empty selections, the
// lasso's bounds and the outline pen that inverts the pixel under the pointer.
#include "editor/ClsSelect.h"
#include "imaging/CDIB.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/GdiDIB.h"
#include "tests/editor/CanvasTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kImgW = 120, kImgH = 90;

// Each pixel tells where it came from: red x, green y.
uint32_t Tagged(int x, int y) {
    return ColorARGB(255, static_cast<uint8_t>(x), static_cast<uint8_t>(y), 77);
}

struct ClsSelectTest : ::testing::Test {
    GdipBitmap picture = BitmapOf(kImgW, kImgH, Tagged);
    SelectImage image{picture.get(), kImgW, kImgH};
    ClsSelect select;
    GdiDIB stamp;

    void SetUp() override {
        ::DeleteFileW(StampTempPath().c_str());
        App().LassoPoints.clear();
        App().LassoPointCount = 0;
    }
    void SetLasso(std::initializer_list<PointF> points) {
        App().LassoPoints.assign(points);
        App().LassoPointCount = static_cast<int32_t>(points.size());
    }
    // The working stamp file as written; false when there is none.
    bool ReadStamp() { return stamp.Import(StampTempPath()); }
    [[nodiscard]] uint32_t At(int x, int y) const { return PixelAt(static_cast<GpBitmap*>(stamp.DIB()), x, y); }
};

} // namespace

TEST_F(ClsSelectTest, EachShapeAndCombineModeKeepsThePixelsItSelects) {
    struct Case {
        const char* name;
        int shape; // 1 ellipse, 2 rectangle, 0 the lasso
        int32_t patten;
        bool clone;
        int w, h;                        // the stamp's size
        PointF kept, dropped, elsewhere; // stamp pixels: taken from the image, transparent, the third either
        bool elsewhereKept;
    };
    // The figure's box is (20, 10, 60, 40) in image pixels; the lasso is the triangle of its
    // top-left, top-right and bottom-right corners.
    const Case cases[] = {
        {"rectangle inside", 2, kPattenInside, false, 60, 40, {2, 2}, {-1, -1}, {57, 37}, true},
        {"rectangle outside", 2, kPattenOutside, false, kImgW, kImgH, {18, 8}, {22, 12}, {100, 70}, true},
        {"rectangle inside, kept in place", 2, kPattenInside, true, kImgW, kImgH, {30, 20}, {10, 10}, {100, 70}, false},
        {"ellipse inside", 1, kPattenInside, false, 60, 40, {30, 20}, {1, 1}, {58, 38}, false},
        {"ellipse outside", 1, kPattenOutside, false, kImgW, kImgH, {21, 11}, {50, 30}, {5, 5}, true},
        {"lasso inside", 0, kPattenInside, false, 60, 40, {55, 5}, {5, 35}, {40, 10}, true},
        {"lasso outside", 0, kPattenOutside, false, kImgW, kImgH, {25, 45}, {75, 15}, {100, 80}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(::DeleteFileW(StampTempPath().c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND);
        select.SetPattenMode(c.patten);
        select.SetClone(c.clone);
        CutResult cut;
        if (c.shape == 0) {
            // Control pixels twice the image's, offset by (10, 6).
            SetLasso({{50, 26}, {170, 26}, {170, 106}});
            cut = select.CutFree(image, ToImagePixels{10, 6, 0.5f, 0.5f});
        } else {
            cut = select.OtherSelect(nullptr, c.shape, RectF(20, 10, 60, 40), image, false, true);
        }
        ASSERT_TRUE(cut.written);
        EXPECT_FLOAT_EQ(cut.bounds.X, 20);
        EXPECT_FLOAT_EQ(cut.bounds.Width, 60);
        ASSERT_TRUE(ReadStamp());
        EXPECT_EQ(stamp.Width(), c.w);
        EXPECT_EQ(stamp.Height(), c.h);
        // A cropped piece starts at the box's corner of the image.
        const int dx = c.w == kImgW ? 0 : 20, dy = c.w == kImgW ? 0 : 10;
        const auto kx = static_cast<int>(c.kept.X), ky = static_cast<int>(c.kept.Y);
        EXPECT_EQ(At(kx, ky), Tagged(kx + dx, ky + dy));
        if (c.dropped.X >= 0) {
            EXPECT_EQ(AlphaOf(At(static_cast<int>(c.dropped.X), static_cast<int>(c.dropped.Y))), 0);
        }
        const auto ex = static_cast<int>(c.elsewhere.X), ey = static_cast<int>(c.elsewhere.Y);
        if (c.elsewhereKept) {
            EXPECT_EQ(At(ex, ey), Tagged(ex + dx, ey + dy));
        } else {
            EXPECT_EQ(AlphaOf(At(ex, ey)), 0);
        }
    }
}

TEST_F(ClsSelectTest, OnlyShapeOneIsAnEllipse) {
    for (int shape : {0, 2, 3}) {
        (void)select.OtherSelect(nullptr, shape, RectF(20, 10, 60, 40), image, false, true);
        ASSERT_TRUE(ReadStamp());
        EXPECT_EQ(AlphaOf(At(1, 1)), 255) << shape; // an ellipse leaves its box's corner out
    }
}

TEST_F(ClsSelectTest, CuttingLeavesTheLassoInControlPixels) {
    SetLasso({{50, 26}, {170, 26}, {170, 106}});
    const std::vector<PointF> before = App().LassoPoints;
    const CutResult first = select.CutFree(image, ToImagePixels{10, 6, 0.5f, 0.5f});
    ASSERT_TRUE(first.written);
    ASSERT_EQ(App().LassoPoints.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(App().LassoPoints[i].X, before[i].X);
        EXPECT_EQ(App().LassoPoints[i].Y, before[i].Y);
    }
    const CutResult second = select.CutFree(image, ToImagePixels{10, 6, 0.5f, 0.5f});
    ASSERT_TRUE(second.written);
    EXPECT_EQ(second.bounds.X, first.bounds.X);
    EXPECT_EQ(second.bounds.Height, first.bounds.Height);
    ASSERT_TRUE(ReadStamp());
    EXPECT_EQ(stamp.Width(), 60);
}

TEST_F(ClsSelectTest, AnEmptySelectionKeepsNothingInsideAndTheWholePictureOutside) {
    const struct {
        const char* what;
        std::function<CutResult()> cut;
    } selections[] = {
        {"two lasso points",
         [&] {
             return SetLasso({{50, 26}, {170, 26}}), select.CutFree(image, ToImagePixels{});
         }},
        {"no lasso point", [&] { return SetLasso({}), select.CutFree(image, ToImagePixels{}); }},
        {"a rectangle of no width",
         [&] { return select.OtherSelect(nullptr, 2, RectF(20, 10, 0, 40), image, false, true); }},
        {"an ellipse of less than a pixel",
         [&] { return select.OtherSelect(nullptr, 1, RectF(20, 10, 60, 0.4f), image, false, true); }},
        {"a rectangle wholly off the image",
         [&] { return select.OtherSelect(nullptr, 2, RectF(200, 10, 60, 40), image, false, true); }},
    };
    for (const auto& s : selections) {
        SCOPED_TRACE(s.what);
        ::DeleteFileW(StampTempPath().c_str());
        select.SetPattenMode(kPattenInside);
        CutResult cut = s.cut();
        EXPECT_TRUE(cut.nothingSelected);
        EXPECT_FALSE(cut.written);
        EXPECT_FALSE(FileExistsForTest(StampTempPath()));
        EXPECT_EQ(select.Mimg.new_Img, nullptr);

        // The outside of nothing is the whole picture, every pixel as it is.
        select.SetPattenMode(kPattenOutside);
        cut = s.cut();
        EXPECT_TRUE(cut.nothingSelected);
        ASSERT_TRUE(cut.written);
        ASSERT_TRUE(ReadStamp());
        EXPECT_EQ(stamp.Width(), kImgW);
        EXPECT_EQ(stamp.Height(), kImgH);
        for (auto [x, y] : {std::pair{0, 0}, {20, 10}, {21, 30}, {50, 26}, {kImgW - 1, kImgH - 1}})
            EXPECT_EQ(At(x, y), Tagged(x, y)) << x << "," << y;
    }
}

TEST_F(ClsSelectTest, LassoPastTheImageEdgeKeepsItsBoxSize) {
    SetLasso({{100, 60}, {140, 60}, {140, 110}, {100, 110}}); // image (100, 60) to (140, 110): 20 rows below
    ASSERT_TRUE(select.CutFree(image, ToImagePixels{}).written);
    ASSERT_TRUE(ReadStamp());
    EXPECT_EQ(stamp.Width(), 40);
    EXPECT_EQ(stamp.Height(), 50);
    EXPECT_EQ(At(5, 5), Tagged(105, 65));
    EXPECT_EQ(AlphaOf(At(5, 45)), 0); // past the bottom of the image
    EXPECT_EQ(AlphaOf(At(25, 5)), 0); // past its right side
}

TEST_F(ClsSelectTest, OutlineGrowsTheBoundsAndInvertsThePixelUnderThePointer) {
    CDIB screen;
    ASSERT_TRUE(screen.Create(60, 40, 32));
    screen.Cls(RGB(10, 20, 30));
    App().LassoBounds = {PointF(), PointF(30, 20), PointF()};
    SetLasso({{30, 20}, {50, 20}});
    struct Step {
        PointF last;
        float minX, minY, maxX, maxY;
    };
    const Step steps[] = {{{30, 20}, 30, 20, 30, 20}, {{50, 5}, 30, 5, 50, 20}, {{10, 20}, 10, 5, 50, 20}};
    for (const Step& s : steps) {
        select.FreeSelect(screen.hDC(), s.last, PointF(5, 35), false, false);
        EXPECT_EQ(select.MinX(), s.minX);
        EXPECT_EQ(select.MinY(), s.minY);
        EXPECT_EQ(select.MaxX(), s.maxX);
        EXPECT_EQ(select.MaxY(), s.maxY);
    }
    ::GdiFlush();
    // The polyline in the inverse of the pixel under the pointer: red and blue change places.
    EXPECT_EQ(::GetPixel(screen.hDC(), 40, 20), RGB(225, 235, 245));
    EXPECT_EQ(::GetPixel(screen.hDC(), 40, 10), RGB(10, 20, 30));
}
