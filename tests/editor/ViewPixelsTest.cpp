// The live paint's own pixel work against the platform drawing it stands in for: the control's
// border, the frame shade (fractional frames, frames across the fit's edges, both combine modes),
// the fitted picture composed over the back colour; and in a real window, a crop frame dragged on
// both axes and a new picture after Apply, shown as a person would see them.
#include "editor/FrameOverlay.h"
#include "editor/ViewPixels.h"
#include "imaging/GdipMakers.h"
#include "imaging/PaintPrimitives.h"
#include "platform/DibSection.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

// A 32 bpp back buffer of its own, filled with a pattern that runs through many channel values.
struct Surface {
    DibSection section;
    int width, height;
    Surface(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        EXPECT_TRUE(section.Create(info));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                At(x, y) =
                    static_cast<uint32_t>(((x * 7 + y) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | ((x + y * 3) & 0xFF));
    }
    [[nodiscard]] uint32_t* Bits() const { return reinterpret_cast<uint32_t*>(section.bits()); }
    uint32_t& At(int x, int y) const { return Bits()[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
    [[nodiscard]] BackBuffer Buffer() const { return {Bits(), width, height}; }
};

// The largest channel difference over the two surfaces, and where it is.
struct Difference {
    int largest = 0, x = -1, y = -1;
};
Difference Compare(const Surface& a, const Surface& b) {
    ::GdiFlush();
    Difference d;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const int dist = ChannelDistance(a.At(x, y) | 0xFF000000u, b.At(x, y) | 0xFF000000u);
            if (dist > d.largest) d = {dist, x, y};
        }
    return d;
}

// c with the crop shade (80, 80, 80 at 150 of 255) over it, worked out on its own.
COLORREF Shaded(uint32_t argb) {
    const double a = 150.0 / 255.0;
    auto mix = [a](int c) { return static_cast<int>(std::lround(c * (1 - a) + 80 * a)); };
    return RGB(mix(RedOf(argb)), mix(GreenOf(argb)), mix(BlueOf(argb)));
}

} // namespace

TEST(ViewPixelsTest, BorderIsTheOneDrawFrameRectDraws) {
    for (const auto& [w, h] : {std::pair{400, 300}, {37, 24}, {4, 5}}) {
        SCOPED_TRACE(w * 1000 + h);
        Surface platform(w, h), own(w, h);
        DrawFrameRect(platform.section.dc(), 1, 1, static_cast<float>(w), static_cast<float>(h));
        DrawControlBorder(own.Buffer());
        const Difference d = Compare(platform, own);
        EXPECT_EQ(d.largest, 0) << "at " << d.x << ", " << d.y;
    }
}

TEST(ViewPixelsTest, ShadeInPlaceCoversWhatTheRegionFillCovers) {
    struct Case {
        int32_t effect, combine;
        RectF fit, frame;
    };
    const Case cases[] = {
        {1, 1, {0, 50, 400, 200}, {60, 80, 100, 60}},
        {1, 1, {0.5f, 30.3f, 399, 240.4f}, {10.4f, 20.6f, 100.5f, 50.5f}}, // fractional, above the fit
        {1, 1, {20, 10, 301, 271}, {250.5f, 200.5f, 200, 200}},            // past the bottom-right
        {1, 1, {20, 10, 300, 270}, {-40, -30, 30, 20}},                    // wholly off the fit
        {1, 1, {20, 10, 300, 270}, {120, 90, 0, 50}},                      // no width
        {17, 1, {0, 0, 400, 300}, {0, 0, 400, 300}},                       // the whole fit
        {5, 1, {0, 50, 400, 200}, {60.5f, 80.5f, 99, 61}},
        {5, 4, {0, 50, 400, 200}, {-10, 100, 120.7f, 175.2f}}, // inside, cut by the fit
        {6, 1, {13.5f, 7.5f, 350, 250}, {}},                   // colorize: the whole fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect * 10 + c.combine);
        SCOPED_TRACE(c.frame.X);
        Surface platform(400, 300), own(400, 300);
        FrameOverlayInputs in;
        in.effect = c.effect;
        in.combineMode = c.combine;
        in.fitRect = c.fit;
        in.frame = c.frame;
        in.textColor = RGB(0, 90, 200);
        in.sliderValue = 77;
        {
            GdipGraphics g;
            ASSERT_EQ(GdipCreateFromHDC(platform.section.dc(), g.put()), Ok);
            DrawFrameOverlay(g.get(), platform.section.dc(), in);
        }
        in.pixels = own.Buffer();
        {
            GdipGraphics g;
            ASSERT_EQ(GdipCreateFromHDC(own.section.dc(), g.put()), Ok);
            DrawFrameOverlay(g.get(), own.section.dc(), in);
        }
        const Difference d = Compare(platform, own);
        EXPECT_LE(d.largest, 2) << "at " << d.x << ", " << d.y;
    }
}

TEST(ViewPixelsTest, OpaqueViewIsThePictureBlendedOverTheBackColour) {
    // Translucent and opaque pixels, an odd size; placed across each edge of the surface.
    GdipBitmap picture = BitmapOf(37, 23, [](int x, int y) {
        return ColorARGB(static_cast<uint8_t>(x * 7), static_cast<uint8_t>(200 - y * 3), 40,
                         static_cast<uint8_t>(x * 5 + y * 2));
    });
    const COLORREF back = Imageyzviewer::kBackColor;
    OpaqueView view;
    ASSERT_TRUE(view.Build(picture.get(), back));
    EXPECT_TRUE(view.Matches(picture.get(), back));
    EXPECT_FALSE(view.Matches(picture.get(), RGB(0, 0, 0)));
    for (const auto& [x, y] : {std::pair{5, 6}, {-10, 0}, {0, -7}, {70, 40}, {-40, 3}}) {
        SCOPED_TRACE(x * 1000 + y);
        Surface platform(80, 50), own(80, 50);
        for (Surface* s : {&platform, &own}) {
            GdipGraphics g;
            ASSERT_EQ(GdipCreateFromHDC(s->section.dc(), g.put()), Ok);
            GdipSolidFill fill = MakeSolidFill(RGBToARGB(back, 255));
            GdipFillRectangleI(g.get(), fill.get(), x, y, 37, 23);
        }
        {
            GdipGraphics g;
            ASSERT_EQ(GdipCreateFromHDC(platform.section.dc(), g.put()), Ok);
            GdipDrawImageRectRectI(g.get(), picture.get(), x, y, 37, 23, 0, 0, 37, 23, UnitPixel, nullptr, nullptr,
                                   nullptr);
        }
        ::GdiFlush();
        view.CopyTo(own.Buffer(), x, y);
        const Difference d = Compare(platform, own);
        EXPECT_LE(d.largest, 2) << "at " << d.x << ", " << d.y;
    }
    view.Reset();
    EXPECT_FALSE(view.Matches(picture.get(), back));
}

TEST_F(CanvasWindowTest, CropFrameMovedOnBothAxesAndANewPictureShowAsThePlatformDrawsThem) {
    // 800 x 400 in quarters, shown at half size: fit (0, 50, 400, 200).
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", 800, 400)));
    canvas->SetEffect(1);
    ASSERT_TRUE(canvas->Import(L"", true));
    Drag({50, 70}, {{100, 100}, {150, 130}});
    EXPECT_NEAR_COLOUR(Screen(100, 100), AsRgb(kTopLeft), 2);
    EXPECT_NEAR_COLOUR(Screen(300, 200), Shaded(kBottomRight), 3);
    // Taken by its inside, the frame moves right and down: its old place is shaded, the new one clear.
    Drag({100, 100}, {{200, 150}, {300, 200}});
    const RectF f = canvas->FrameRects()[0];
    EXPECT_FLOAT_EQ(f.X, 250);
    EXPECT_FLOAT_EQ(f.Y, 170);
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    const Probe probes[] = {
        {100, 100, Shaded(kTopLeft)},     {300, 200, AsRgb(kBottomRight)},  {270, 185, AsRgb(kBottomRight)},
        {247, 180, Shaded(kBottomRight)}, {353, 180, Shaded(kBottomRight)}, {270, 167, Shaded(kBottomRight)},
        {270, 233, Shaded(kBottomRight)}, {200, 20, kBackground},           {200, 252, kBackground},
    };
    for (const Probe& p : probes) EXPECT_NEAR_COLOUR(Screen(p.x, p.y), p.expected, 3) << p.x << ", " << p.y;
    // The border stays on the control's edge.
    EXPECT_EQ(Screen(0, 150), RGB(208, 208, 208));
    EXPECT_EQ(Screen(1, 150), RGB(255, 255, 255));
    EXPECT_EQ(Screen(399, 150), RGB(208, 208, 208));
    EXPECT_EQ(Screen(200, 298), RGB(255, 255, 255));

    // The crop is a new picture, all yellow; back in the crop tool, with no frame yet, it is what
    // the view shows, shaded whole.
    ASSERT_TRUE(canvas->ApplyEdit());
    canvas->SetEffect(1);
    ASSERT_TRUE(canvas->Import(L"", true));
    const RectF fit = canvas->FitRect();
    EXPECT_NEAR_COLOUR(Screen(static_cast<int>(fit.X + fit.Width / 4), static_cast<int>(fit.Y + fit.Height / 4)),
                       Shaded(kBottomRight), 3);
    EXPECT_NEAR_COLOUR(Screen(static_cast<int>(fit.X + 3), static_cast<int>(fit.Y + fit.Height - 3)),
                       Shaded(kBottomRight), 3);
}
