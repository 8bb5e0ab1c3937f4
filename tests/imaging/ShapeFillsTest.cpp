#include "imaging/CDIB.h"
#include "imaging/ImageTransforms.h"
#include "imaging/ShapeFills.h"
#include "imaging/TextRendering.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

bool Inked(const TestCanvas& c, int x, int y) {
    return AlphaOf(c.At(x, y)) > 150;
}
bool Clear(const TestCanvas& c, int x, int y) {
    return AlphaOf(c.At(x, y)) < 10;
}

} // namespace

TEST(DrawShapeStroke, BoxesOfTheDragPointsInEitherOrderAndNothingReportedAsDrawnThatWasNot) {
    using Points = std::vector<std::pair<int, int>>;
    struct Case {
        const char* what;
        float x1, y1, x2, y2, pen;
        int32_t kind, square;
        bool drawn;
        Points inked, clear;
    };
    // clang-format off
    const std::vector<Case> cases{
        // (10, 10, 40, 30): sides at x 10 and 50, y 10 and 40.
        {"rectangle, points reversed", 50, 40, 10, 10, 2, 2, 0, true,
         {{10, 25}, {50, 25}, {30, 10}, {30, 40}}, {{30, 25}, {55, 25}, {5, 25}, {30, 45}}},
        // (10, 10, 30, 30): right side at 40, bottom at 40.
        {"square keeps the top-left", 50, 40, 10, 10, 2, 2, 1, true,
         {{10, 25}, {40, 25}, {25, 40}, {25, 10}}, {{50, 25}, {45, 25}, {25, 25}}},
        {"ellipse", 10, 10, 50, 40, 2, 3, 0, true,
         {{30, 10}, {10, 25}, {50, 25}, {30, 40}}, {{12, 12}, {30, 25}, {48, 38}}},
        {"line with round caps", 20, 10, 20, 40, 4, 1, 0, true, {{20, 25}, {20, 9}}, {{26, 25}, {20, 45}}},
        {"rectangle on one x", 20, 10, 20, 40, 2, 2, 0, false, {}, {}},
        {"square ellipse on one y", 10, 30, 60, 30, 2, 3, 1, false, {}, {}},
        {"unknown kind", 10, 10, 50, 40, 2, 4, 0, false, {}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestCanvas canvas(80, 60);
        EXPECT_EQ(DrawShapeStroke(canvas.target(), c.x1, c.y1, c.x2, c.y2, kRed, 255, c.pen, c.kind, c.square),
                  c.drawn);
        for (auto [x, y] : c.inked) EXPECT_TRUE(Inked(canvas, x, y)) << x << "," << y;
        for (auto [x, y] : c.clear) EXPECT_TRUE(Clear(canvas, x, y)) << x << "," << y;
        if (!c.drawn) {
            EXPECT_EQ(canvas.Drawn().count, 0);
        }
    }
    // Alpha is applied; outside 0 to 255 nothing is drawn.
    TestCanvas half(80, 60), refused(80, 60);
    ASSERT_TRUE(DrawShapeStroke(half.target(), 10, 10, 50, 40, kRed, 128, 3, 2, 0));
    EXPECT_NEAR(AlphaOf(half.At(10, 25)), 128, 12);
    EXPECT_EQ(half.At(10, 25) & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_FALSE(DrawShapeStroke(refused.target(), 10, 10, 50, 40, kRed, 256, 3, 2, 0));
    EXPECT_FALSE(DrawShapeStroke(refused.target(), 10, 10, 50, 40, kRed, -1, 3, 1, 0));
    EXPECT_EQ(refused.Drawn().count, 0);
}

TEST(DrawTarget, DrawsOnADeviceContextAndGivesABorrowedSurfaceItsModesBack) {
    // A device context over a white 32 bpp section: a surface is made on it for the call.
    CDIB dib;
    ASSERT_TRUE(dib.Create(80, 60, 32));
    dib.Cls(RGB(255, 255, 255));
    ASSERT_TRUE(DrawShapeStroke(DrawTarget::Dc(dib.hDC()), 10, 10, 50, 40, kRed, 255, 3, 2, 0));
    ::GdiFlush();
    EXPECT_EQ(::GetPixel(dib.hDC(), 10, 25), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dib.hDC(), 30, 25), RGB(255, 255, 255));

    // Routines that set smoothing, the text hint or the interpolation on a caller's surface.
    TestCanvas canvas(80, 60);
    GdipBitmap picture = SolidBitmap(8, 8, kBlue);
    const std::vector<std::function<void()>> routines{
        [&] { (void)DrawShapeStroke(canvas.target(), 10, 10, 50, 40, kRed, 255, 3, 3, 0); },
        [&] { DrawTextTool(canvas.target(), L"Ab", 5, 5, L"Arial", 12, 0, 4, kRed, 255); },
        [&] { DrawImageRotated(canvas.target(), picture.get(), 8, 8, 80, 60, 30, true, 0); },
    };
    for (size_t i = 0; i < routines.size(); ++i) {
        GdipSetSmoothingMode(canvas.g(), SmoothingModeHighSpeed);
        GdipSetTextRenderingHint(canvas.g(), TextRenderingHintSingleBitPerPixel);
        GdipSetInterpolationMode(canvas.g(), InterpolationModeNearestNeighbor);
        routines[i]();
        SmoothingMode smoothing = SmoothingModeInvalid;
        TextRenderingHint hint = TextRenderingHintSystemDefault;
        InterpolationMode interpolation = InterpolationModeInvalid;
        GdipGetSmoothingMode(canvas.g(), &smoothing);
        GdipGetTextRenderingHint(canvas.g(), &hint);
        GdipGetInterpolationMode(canvas.g(), &interpolation);
        EXPECT_EQ(smoothing, SmoothingModeHighSpeed) << i;
        EXPECT_EQ(hint, TextRenderingHintSingleBitPerPixel) << i;
        EXPECT_EQ(interpolation, InterpolationModeNearestNeighbor) << i;
    }
    EXPECT_GT(canvas.Drawn().count, 0);
}

TEST(DrawVectorShape, EachFillModeDrawsItsOwnFill) {
    // Rectangle (10, 10, 60, 40); the ellipse of centre (40, 30) and radii (28, 18); gradient
    // centre in the middle of both.
    auto draw = [](const wchar_t* mode, int32_t kind) {
        auto canvas = std::make_unique<TestCanvas>(80, 60);
        const float x = kind == 0 ? 40.f : 10.f, y = kind == 0 ? 30.f : 10.f;
        const float w = kind == 0 ? 28.f : 60.f, h = kind == 0 ? 18.f : 40.f;
        EXPECT_EQ(DrawVectorShape(canvas->target(), mode, kind, x, y, w, h, 40, 30, 0, kRed, kBlue, 255, 0),
                  *mode != 0);
        return canvas;
    };
    auto single = draw(L"Vector_Single", 1);
    for (auto [x, y] : {std::pair{40, 30}, {13, 13}, {66, 46}, {13, 30}})
        EXPECT_EQ(single->At(x, y), kRed) << x << "," << y;
    EXPECT_TRUE(Clear(*single, 5, 30) && Clear(*single, 75, 30));

    auto radial = draw(L"Vector_Radial", 1);
    EXPECT_GT(RedOf(radial->At(40, 30)), 200);
    EXPECT_LT(BlueOf(radial->At(40, 30)), 60);
    EXPECT_GT(BlueOf(radial->At(12, 30)), RedOf(radial->At(12, 30)));
    EXPECT_GT(BlueOf(radial->At(40, 11)), RedOf(radial->At(40, 11)));
    EXPECT_EQ(radial->Drawn().count, 61 * 41);
    // The linear mode fills as the radial one does, the ellipse included.
    EXPECT_EQ(draw(L"Vector_Linear", 1)->Pixels(), radial->Pixels());

    auto ellipseSingle = draw(L"Vector_Single", 0);
    EXPECT_EQ(ellipseSingle->At(40, 30), kRed);
    EXPECT_EQ(ellipseSingle->At(20, 30), kRed);
    EXPECT_TRUE(Clear(*ellipseSingle, 14, 14) && Clear(*ellipseSingle, 8, 30));
    auto ellipseRadial = draw(L"Vector_Radial", 0);
    EXPECT_GT(RedOf(ellipseRadial->At(40, 30)), 200);
    EXPECT_GT(BlueOf(ellipseRadial->At(14, 30)), RedOf(ellipseRadial->At(14, 30)));
    EXPECT_TRUE(Clear(*ellipseRadial, 14, 14));
    EXPECT_EQ(draw(L"Vector_Linear", 0)->Pixels(), ellipseRadial->Pixels());

    // No fill mode chosen yet: nothing.
    EXPECT_EQ(draw(L"", 1)->Drawn().count, 0);
}

TEST(DrawVectorShape, AlphaSquareAndRefusals) {
    const std::wstring m = L"Vector_Single";
    TestCanvas half(80, 60), square(80, 60), refused(80, 60);
    ASSERT_TRUE(DrawVectorShape(half.target(), m, 1, 10, 10, 60, 40, 40, 30, 0, kRed, kBlue, 100, 0));
    EXPECT_NEAR(AlphaOf(half.At(40, 30)), 100, 2);

    ASSERT_TRUE(DrawVectorShape(square.target(), m, 1, 10, 10, 60, 40, 30, 30, 0, kRed, kBlue, 255, 1));
    EXPECT_EQ(square.At(45, 30), kRed);
    EXPECT_TRUE(Clear(square, 55, 30) && Clear(square, 65, 30));

    EXPECT_FALSE(DrawVectorShape(refused.target(), m, 1, 10, 10, 60, 40, 40, 30, 0, kRed, kBlue, 300, 0));
    EXPECT_FALSE(DrawVectorShape(refused.target(), m, 0, 40, 30, 20, 20, 40, 30, 0, kRed, kBlue, -5, 0));
    EXPECT_FALSE(
        DrawVectorShape(refused.target(), m, 2, 10, 10, 60, 40, 40, 30, 0, kRed, kBlue, 255, 0)); // unknown kind
    EXPECT_EQ(refused.Drawn().count, 0);
}

TEST(FillGlowEllipse, FadesFromItsCentreAndDrawsAFaintOutlineOnRequest) {
    TestCanvas glow(100, 100);
    FillGlowEllipse(glow.target(), 50, 50, 40, 30, 50, 50, 0, kWhite, ColorARGB(0, 255, 255, 255), true);
    EXPECT_GT(AlphaOf(glow.At(50, 50)), 230);
    EXPECT_LT(AlphaOf(glow.At(85, 50)), AlphaOf(glow.At(65, 50)));
    EXPECT_GT(AlphaOf(glow.At(65, 50)), 40);
    const DrawnBox box = glow.Drawn();
    EXPECT_GT(box.count, 2000);
    EXPECT_GE(box.left, 9);
    EXPECT_LE(box.right, 91);
    EXPECT_GE(box.top, 19);
    EXPECT_LE(box.bottom, 81);

    // A clear fill shows only the outline: the surround colour at alpha 60.
    TestCanvas outlined(100, 100), bare(100, 100);
    const uint32_t clearRed = ColorARGB(0, 255, 0, 0);
    FillGlowEllipse(outlined.target(), 50, 50, 40, 30, 50, 50, 0, clearRed, clearRed, false);
    const uint32_t rim = outlined.At(10, 50);
    EXPECT_GT(AlphaOf(rim), 15);
    EXPECT_LE(AlphaOf(rim), 62);
    EXPECT_EQ(rim & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_EQ(AlphaOf(outlined.At(50, 50)), 0);
    FillGlowEllipse(bare.target(), 50, 50, 40, 30, 50, 50, 0, clearRed, clearRed, true);
    // A radius of zero or less draws nothing.
    FillGlowEllipse(bare.target(), 50, 50, 0, 30, 50, 50, 0, kRed, kRed, false);
    FillGlowEllipse(bare.target(), 50, 50, 20, -10, 50, 50, 0, kRed, kRed, false);
    EXPECT_EQ(bare.Drawn().count, 0);
}
