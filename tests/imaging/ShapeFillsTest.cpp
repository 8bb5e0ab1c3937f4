#include "imaging/ModGDI.h"
#include "imaging/ShapeFills.h"
#include "platform/AppState.h"
#include "tests/imaging/TestCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRed = ColorARGB(255, 255, 0, 0);
constexpr uint32_t kBlue = ColorARGB(255, 0, 0, 255);

bool Inked(const TestCanvas& c, int x, int y) {
    return AlphaOf(c.At(x, y)) > 150;
}
bool Clear(const TestCanvas& c, int x, int y) {
    return AlphaOf(c.At(x, y)) < 10;
}

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

TEST(DrawShapeStroke, LineEllipseAndPointsOnOneAxis) {
    TestCanvas ellipse(80, 60), line(80, 60), flat(80, 60);
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
    EXPECT_EQ(FindDrawn(flat).count, 0);
}

TEST(DrawShapeStroke, AlphaIsAppliedAndOutOfRangeAlphaDrawsNothing) {
    TestCanvas half(80, 60), refused(80, 60);
    ASSERT_TRUE(DrawShapeStroke(half.target(), 10, 10, 50, 40, kRed, 128, 3, 2, 0));
    EXPECT_NEAR(AlphaOf(half.At(10, 25)), 128, 12);
    EXPECT_FALSE(DrawShapeStroke(refused.target(), 10, 10, 50, 40, kRed, 256, 3, 2, 0));
    EXPECT_FALSE(DrawShapeStroke(refused.target(), 10, 10, 50, 40, kRed, -1, 3, 1, 0));
    EXPECT_EQ(FindDrawn(refused).count, 0);
}

TEST(DrawShapeStroke, DrawsOnADeviceContextAndLeavesAGivenSurfaceAsItWas) {
    // A device context over a white 32 bpp section: a surface is made on it for the call.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 80, -60, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueHBitmap section(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(section && dc);
    ScopedSelectObject select(dc.get(), section.get());
    RECT all{0, 0, 80, 60};
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(DrawShapeStroke(DrawTarget::Dc(dc.get()), 10, 10, 50, 40, kRed, 255, 3, 2, 0));
    ::GdiFlush();
    EXPECT_EQ(::GetPixel(dc.get(), 10, 25), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dc.get(), 30, 25), RGB(255, 255, 255));

    TestCanvas canvas(80, 60);
    GdipSetSmoothingMode(canvas.g(), SmoothingModeHighSpeed);
    ASSERT_TRUE(DrawShapeStroke(canvas.target(), 10, 10, 50, 40, kRed, 255, 3, 3, 0));
    SmoothingMode mode = SmoothingModeInvalid;
    GdipGetSmoothingMode(canvas.g(), &mode);
    EXPECT_EQ(mode, SmoothingModeHighSpeed);
    EXPECT_GT(FindDrawn(canvas).count, 0);
}

TEST(DrawVectorShape, EachFillModeDrawsItsOwnFill) {
    // Rectangle (10, 10, 60, 40), gradient centre in its middle.
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

    // The rectangle in the linear mode fills as in the radial mode.
    auto linear = draw(L"Vector_Linear", 1);
    EXPECT_EQ(FindDrawn(*radial).count, 61 * 41);
    EXPECT_EQ(linear->Pixels(), radial->Pixels());

    // The ellipse: centre (40, 30), radii (28, 18).
    auto ellipseSingle = draw(L"Vector_Single", 0);
    EXPECT_EQ(ellipseSingle->At(40, 30), kRed);
    EXPECT_EQ(ellipseSingle->At(20, 30), kRed);
    EXPECT_TRUE(Clear(*ellipseSingle, 14, 14) && Clear(*ellipseSingle, 8, 30));
    auto ellipseRadial = draw(L"Vector_Radial", 0);
    EXPECT_GT(RedOf(ellipseRadial->At(40, 30)), 200);
    EXPECT_GT(BlueOf(ellipseRadial->At(14, 30)), RedOf(ellipseRadial->At(14, 30)));
    EXPECT_TRUE(Clear(*ellipseRadial, 14, 14));
    auto ellipseLinear = draw(L"Vector_Linear", 0);
    EXPECT_EQ(ellipseLinear->Pixels(), ellipseRadial->Pixels());

    // No fill mode chosen yet: nothing.
    EXPECT_EQ(FindDrawn(*draw(L"", 1)).count, 0);
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
    EXPECT_EQ(FindDrawn(refused).count, 0);
}

TEST(FillGlowEllipse, FadesFromItsCentreAndDrawsAFaintOutlineOnRequest) {
    TestCanvas glow(100, 100);
    FillGlowEllipse(glow.target(), 50, 50, 40, 30, 50, 50, 0, ColorARGB(255, 255, 255, 255),
                    ColorARGB(0, 255, 255, 255), true);
    EXPECT_GT(AlphaOf(glow.At(50, 50)), 230);
    EXPECT_LT(AlphaOf(glow.At(85, 50)), AlphaOf(glow.At(65, 50)));
    EXPECT_GT(AlphaOf(glow.At(65, 50)), 40);
    const DrawnBox box = FindDrawn(glow);
    EXPECT_GT(box.count, 2000);
    EXPECT_GE(box.left, 9);
    EXPECT_LE(box.right, 91);
    EXPECT_GE(box.top, 19);
    EXPECT_LE(box.bottom, 81);

    // A clear fill shows only the outline: the surround colour at alpha 60.
    TestCanvas outlined(100, 100), bare(100, 100);
    FillGlowEllipse(outlined.target(), 50, 50, 40, 30, 50, 50, 0, ColorARGB(0, 255, 0, 0), ColorARGB(0, 255, 0, 0),
                    false);
    const uint32_t rim = outlined.At(10, 50);
    EXPECT_GT(AlphaOf(rim), 15);
    EXPECT_LE(AlphaOf(rim), 62);
    EXPECT_EQ(rim & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_EQ(AlphaOf(outlined.At(50, 50)), 0);
    FillGlowEllipse(bare.target(), 50, 50, 40, 30, 50, 50, 0, ColorARGB(0, 255, 0, 0), ColorARGB(0, 255, 0, 0), true);
    EXPECT_EQ(FindDrawn(bare).count, 0);

    // A radius of zero or less draws nothing.
    TestCanvas none(100, 100);
    FillGlowEllipse(none.target(), 50, 50, 0, 30, 50, 50, 0, kRed, kRed, false);
    FillGlowEllipse(none.target(), 50, 50, 20, -10, 50, 50, 0, kRed, kRed, false);
    EXPECT_EQ(FindDrawn(none).count, 0);
}

TEST(FillGradientShape, FillsTheRectangleOrTheEllipseWithTheSurroundAsOutline) {
    TestCanvas rect(100, 100), ellipse(100, 100);
    FillGradientShape(rect.target(), 20, 30, 50, 40, 45, 50, 0, kRed, kRed, false, false);
    EXPECT_EQ(rect.At(22, 32), kRed);
    EXPECT_EQ(rect.At(68, 68), kRed);
    EXPECT_TRUE(Clear(rect, 15, 50) && Clear(rect, 75, 50) && Clear(rect, 45, 25) && Clear(rect, 45, 75));

    // Centre (50, 50), radii (30, 20): the corner of its box is outside.
    FillGradientShape(ellipse.target(), 50, 50, 30, 20, 50, 50, 0, kBlue, kBlue, false, true);
    EXPECT_EQ(ellipse.At(50, 50), kBlue);
    EXPECT_EQ(ellipse.At(22, 50), kBlue);
    EXPECT_TRUE(Clear(ellipse, 23, 32) && Clear(ellipse, 15, 50) && Clear(ellipse, 50, 25));
}
