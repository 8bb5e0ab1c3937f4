#include "imaging/CDIB.h"
#include "imaging/ShapeFills.h"
#include "platform/AppState.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

bool Inked(const TestCanvas& c, int x, int y) { return AlphaOf(c.At(x, y)) > 150; }
bool Clear(const TestCanvas& c, int x, int y) { return AlphaOf(c.At(x, y)) < 10; }

// The fill mode is program-wide; each test sets the one it needs and puts it back.
class VectorMode {
public:
    explicit VectorMode(const wchar_t* mode) : saved_(App().VectorMenu) { App().VectorMenu = mode; }
    ~VectorMode() { App().VectorMenu = saved_; }

private:
    std::wstring saved_;
};

} // namespace

TEST(DrawShapeStroke, RectangleSpansTheDragPointsInEitherOrderAndSquareKeepsTheTopLeft) {
    TestCanvas plain(80, 60), square(80, 60);
    ASSERT_TRUE(DrawShapeStroke(plain.target(), 50, 40, 10, 10, kRed, 255, 2, 2, 0));
    ASSERT_TRUE(DrawShapeStroke(square.target(), 50, 40, 10, 10, kRed, 255, 2, 2, 1));

    // (10, 10, 40, 30): sides at x 10 and 50, y 10 and 40.
    EXPECT_TRUE(Inked(plain, 10, 25) && Inked(plain, 50, 25) && Inked(plain, 30, 10) && Inked(plain, 30, 40));
    EXPECT_TRUE(Clear(plain, 30, 25) && Clear(plain, 55, 25) && Clear(plain, 5, 25) && Clear(plain, 30, 45));
    EXPECT_EQ(plain.At(10, 25) & 0x00FFFFFF, 0x00FF0000u);

    // (10, 10, 30, 30): right side at 40, bottom at 40.
    EXPECT_TRUE(Inked(square, 10, 25) && Inked(square, 40, 25) && Inked(square, 25, 40) && Inked(square, 25, 10));
    EXPECT_TRUE(Clear(square, 50, 25) && Clear(square, 45, 25) && Clear(square, 25, 25));
}

TEST(DrawShapeStroke, LineEllipseAlphaAndPointsOnOneAxis) {
    TestCanvas ellipse(80, 60), line(80, 60), flat(80, 60), half(80, 60);
    ASSERT_TRUE(DrawShapeStroke(ellipse.target(), 10, 10, 50, 40, kBlue, 255, 2, 3, 0));
    EXPECT_TRUE(Inked(ellipse, 30, 10) && Inked(ellipse, 10, 25) && Inked(ellipse, 50, 25) && Inked(ellipse, 30, 40));
    EXPECT_TRUE(Clear(ellipse, 12, 12) && Clear(ellipse, 30, 25) && Clear(ellipse, 48, 38));

    // Points sharing an x: the line is drawn with round caps; the rectangle and ellipse draw nothing.
    ASSERT_TRUE(DrawShapeStroke(line.target(), 20, 10, 20, 40, kBlue, 255, 4, 1, 0));
    EXPECT_TRUE(Inked(line, 20, 25) && Inked(line, 20, 9));
    EXPECT_TRUE(Clear(line, 26, 25) && Clear(line, 20, 45));
    for (int kind : {2, 3}) {
        ASSERT_TRUE(DrawShapeStroke(flat.target(), 20, 10, 20, 40, kBlue, 255, 2, kind, 0));
        ASSERT_TRUE(DrawShapeStroke(flat.target(), 10, 30, 60, 30, kBlue, 255, 2, kind, 1));
    }
    ASSERT_TRUE(DrawShapeStroke(flat.target(), 10, 10, 50, 40, kBlue, 255, 2, 4, 0)); // unknown kind
    // Alpha is applied; outside 0 to 255 nothing is drawn.
    ASSERT_TRUE(DrawShapeStroke(half.target(), 10, 10, 50, 40, kRed, 128, 3, 2, 0));
    EXPECT_NEAR(AlphaOf(half.At(10, 25)), 128, 12);
    EXPECT_FALSE(DrawShapeStroke(flat.target(), 10, 10, 50, 40, kRed, 256, 3, 2, 0));
    EXPECT_FALSE(DrawShapeStroke(flat.target(), 10, 10, 50, 40, kRed, -1, 3, 1, 0));
    EXPECT_EQ(flat.Drawn().count, 0);
}

TEST(DrawShapeStroke, DrawsOnADeviceContextAndLeavesAGivenSurfaceAsItWas) {
    // A device context over a white 32 bpp section: a surface is made on it for the call.
    CDIB dib;
    ASSERT_TRUE(dib.Create(80, 60, 32));
    dib.Cls(RGB(255, 255, 255));
    ASSERT_TRUE(DrawShapeStroke(DrawTarget::Dc(dib.hDC()), 10, 10, 50, 40, kRed, 255, 3, 2, 0));
    ::GdiFlush();
    EXPECT_EQ(::GetPixel(dib.hDC(), 10, 25), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dib.hDC(), 30, 25), RGB(255, 255, 255));

    TestCanvas canvas(80, 60);
    GdipSetSmoothingMode(canvas.g(), SmoothingModeHighSpeed);
    ASSERT_TRUE(DrawShapeStroke(canvas.target(), 10, 10, 50, 40, kRed, 255, 3, 3, 0));
    SmoothingMode mode = SmoothingModeInvalid;
    GdipGetSmoothingMode(canvas.g(), &mode);
    EXPECT_EQ(mode, SmoothingModeHighSpeed);
    EXPECT_GT(canvas.Drawn().count, 0);
}

TEST(DrawVectorShape, EachFillModeDrawsItsOwnFill) {
    // Rectangle (10, 10, 60, 40); the ellipse of centre (40, 30) and radii (28, 18); gradient
    // centre in the middle of both.
    auto draw = [](const wchar_t* mode, int32_t kind) {
        VectorMode m(mode);
        auto canvas = std::make_unique<TestCanvas>(80, 60);
        const float x = kind == 0 ? 40.f : 10.f, y = kind == 0 ? 30.f : 10.f;
        const float w = kind == 0 ? 28.f : 60.f, h = kind == 0 ? 18.f : 40.f;
        EXPECT_TRUE(DrawVectorShape(canvas->target(), kind, x, y, w, h, 40, 30, 0, kRed, kBlue, 255, 0));
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
    VectorMode m(L"Vector_Single");
    TestCanvas half(80, 60), square(80, 60), refused(80, 60);
    ASSERT_TRUE(DrawVectorShape(half.target(), 1, 10, 10, 60, 40, 40, 30, 0, kRed, kBlue, 100, 0));
    EXPECT_NEAR(AlphaOf(half.At(40, 30)), 100, 2);

    ASSERT_TRUE(DrawVectorShape(square.target(), 1, 10, 10, 60, 40, 30, 30, 0, kRed, kBlue, 255, 1));
    EXPECT_EQ(square.At(45, 30), kRed);
    EXPECT_TRUE(Clear(square, 55, 30) && Clear(square, 65, 30));

    EXPECT_FALSE(DrawVectorShape(refused.target(), 1, 10, 10, 60, 40, 40, 30, 0, kRed, kBlue, 300, 0));
    EXPECT_FALSE(DrawVectorShape(refused.target(), 0, 40, 30, 20, 20, 40, 30, 0, kRed, kBlue, -5, 0));
    ASSERT_TRUE(DrawVectorShape(refused.target(), 2, 10, 10, 60, 40, 40, 30, 0, kRed, kBlue, 255, 0)); // unknown kind
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
