// The effect engine on crafted pictures (expectations worked out by hand from the pictures), and
// the whole-image effects on a canvas in a real window: one step each, the picture the engine is
// fed, the same pixels as a round trip through files, and the tool parameter.
#include "editor/OutsideEffect.h"
#include "editor/ThirdOCX.h"
#include "imaging/EffectBuffers.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

uint32_t Grey(int v) {
    return ColorARGB(255, static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v));
}

// The engine loaded with w x h of fill, and the red channel of its picture at (x, y from the top).
struct Engine {
    wpdlx ocx;
    DIBArray view;
    Engine(int w, int h, const std::function<uint32_t(int, int)>& fill) {
        GdipBitmap picture = BitmapOf(w, h, fill);
        EXPECT_TRUE(ocx.LoadPicture(picture.get()));
    }
    int Red(int x, int y) {
        ScopedDIBArray attach(ocx.Picture(), view);
        return view.At(x, view.Height() - 1 - y)->r;
    }
};

const auto kChecker = [](int x, int y) { return Grey((x + y) % 2 * 255); };

} // namespace

TEST(ThirdOCXTest, KernelsAveragePatternsAndSteepenOrEaseSteps) {
    // The 3 x 3 mean of a one-pixel checkerboard is 4 or 5 ninths white: 113 or 142.
    Engine blur(21, 15, kChecker);
    blur.ocx.Blur();
    for (int y = 2; y < 13; ++y)
        for (int x = 2; x < 19; ++x) EXPECT_NEAR(blur.Red(x, y), 127.5, 17) << x << ", " << y;

    // A step from 64 to 192 between columns 9 and 10: sharpen pushes each side away from the other
    // (without the in-place kernel's feedback: 16 and 240), soften brings them together.
    const auto step = [](int x, int) { return Grey(x < 10 ? 64 : 192); };
    Engine sharp(20, 12, step), soft(20, 12, step);
    sharp.ocx.Sharpen();
    soft.ocx.Soften();
    for (int y = 1; y < 11; ++y) {
        EXPECT_LE(sharp.Red(9, y), 24);
        EXPECT_GE(sharp.Red(10, y), 232);
        EXPECT_EQ(sharp.Red(5, y), 64);
        EXPECT_EQ(sharp.Red(15, y), 192);
        EXPECT_GT(soft.Red(9, y), 64 + 10);
        EXPECT_LT(soft.Red(10, y), 192 - 10);
        EXPECT_EQ(soft.Red(5, y), 64);
    }
}

TEST(ThirdOCXTest, AntialiasSmoothsAHardDiagonalAndLeavesFlatAreasAlone) {
    // White right of the diagonal: a black pixel on it sees 5 of 16 tent weights white (80), the
    // white one beside it 11 (175).
    Engine e(30, 30, [](int x, int y) { return x > y ? kWhite : kBlack; });
    e.ocx.Antialias();
    for (int k = 2; k < 27; ++k) {
        EXPECT_NEAR(e.Red(k, k), 80, 2) << k;
        EXPECT_NEAR(e.Red(k + 1, k), 175, 2) << k;
        EXPECT_EQ(e.Red(k + 3, k), 255);
        EXPECT_EQ(e.Red(k - 2, k), 0);
    }
    // Gentle steps (31 apart) are not edges; 33 apart they are.
    for (auto [apart, changed] : {std::pair{31, false}, {33, true}}) {
        Engine ramp(12, 8, [apart](int x, int) { return Grey(x < 6 ? 100 : 100 + apart); });
        ramp.ocx.Antialias();
        EXPECT_EQ(ramp.Red(5, 4) != 100, changed) << apart;
    }
}

TEST(ThirdOCXTest, RippleBendsAStraightLineByTheAmount) {
    Engine e(120, 120, [](int x, int) { return x == 60 ? kBlack : kWhite; });
    e.ocx.Ripple(kRippleAmount);
    int least = 120, most = -1;
    for (int y = 0; y < 120; ++y) {
        int dark = 0, at = -1;
        for (int x = 0; x < 120; ++x)
            if (e.Red(x, y) < 128) ++dark, at = x;
        ASSERT_EQ(dark, 1) << y; // still one line, moved sideways
        least = std::min(least, at), most = std::max(most, at);
    }
    EXPECT_EQ(least, 60 - kRippleAmount);
    EXPECT_EQ(most, 60 + kRippleAmount);
}

TEST(ThirdOCXTest, TheWrittenFileKeepsTransparencyAndReadsBack) {
    const std::wstring path = MakeTestFolder(L"third-ocx") + L"hand.png";
    for (uint8_t alpha : {uint8_t{255}, uint8_t{128}, uint8_t{0}}) {
        Engine e(9, 7, [alpha](int x, int y) { return ColorARGB(x == 4 && y == 3 ? alpha : 255, 10, 20, 30); });
        ASSERT_TRUE(e.ocx.SaveImage(path));
        GdiDIB back;
        ASSERT_TRUE(back.Import(path)) << alpha;
        EXPECT_EQ(AlphaOf(PixelAt(static_cast<GpBitmap*>(back.DIB()), 4, 3)), alpha);
        EXPECT_EQ(PixelAt(static_cast<GpBitmap*>(back.DIB()), 0, 0), ColorARGB(255, 10, 20, 30));
    }
}

namespace {

struct ThirdEffectTest : CanvasWindowTest {
    void Open(const std::function<uint32_t(int, int)>& fill, int w = 40, int h = 30) {
        GdipBitmap picture = BitmapOf(w, h, fill);
        ASSERT_TRUE(SaveImageSafely(picture.get(), folder + L"p.png", kFormatPng, 0));
        ASSERT_TRUE(canvas->Import(folder + L"p.png"));
        canvas->SetFirstL(true);
        ASSERT_TRUE(canvas->Import(L"", true));
    }
    [[nodiscard]] uint32_t Shown(int x, int y) const {
        return PixelAt(static_cast<GpBitmap*>(canvas->ImgDIB.DIB()), x, y);
    }
};

} // namespace

TEST_F(ThirdEffectTest, EachEffectAddsOneStep) {
    Open(kChecker);
    ASSERT_TRUE(canvas->ThirdEffect(12));
    EXPECT_EQ(canvas->Effect(), 12);
    EXPECT_TRUE(canvas->AppliedEffect);
    EXPECT_FALSE(canvas->SaveState);
    EXPECT_NEAR(RedOf(Shown(20, 15)), 127.5, 17);
    ASSERT_TRUE(canvas->SettleSteps());
    GdiDIB step;
    ASSERT_TRUE(step.Import(DataFile(L"Undo1.udo")));
    EXPECT_EQ(PixelAt(static_cast<GpBitmap*>(step.DIB()), 20, 15), Shown(20, 15));
    for (int32_t effect = 13; effect <= 16; ++effect) {
        ASSERT_TRUE(canvas->ThirdEffect(effect)) << effect;
        EXPECT_EQ(canvas->UndoIndex(), effect - 11);
    }
    // Contour has no whole-image form: no step, no pixel changed.
    const uint32_t before = Shown(20, 15);
    EXPECT_FALSE(canvas->ThirdEffect(45));
    EXPECT_EQ(canvas->UndoIndex(), 5);
    EXPECT_EQ(Shown(20, 15), before);
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    EXPECT_EQ(Shown(20, 15), kWhite); // the checkerboard again
    EXPECT_EQ(Shown(21, 15), kBlack);
}

TEST_F(ThirdEffectTest, PastTheStepCapTheEngineIsFedTheShownPicture) {
    Open([](int x, int) { return x < 20 ? kTopLeft : kBottomRight; });
    for (int n = 0; n < 49; ++n) ASSERT_TRUE((canvas->SetEffect(23), canvas->SaveUndo()));
    ASSERT_TRUE((canvas->SetEffect(8), canvas->SaveUndo()));  // step 50: grey
    ASSERT_TRUE((canvas->SetEffect(24), canvas->SaveUndo())); // step 51, over 50; step 49 is in colour
    ASSERT_TRUE(canvas->ThirdEffect(14));
    const uint32_t c = Shown(5, 5);
    EXPECT_LE(std::abs(RedOf(c) - BlueOf(c)), 1) << std::hex << c;
}

TEST_F(ThirdEffectTest, EachEffectGivesThePixelsOfARoundTripThroughFiles) {
    // Opaque, and translucent in one corner, so that alpha has to come through as well.
    for (const int cornerAlpha : {255, 120}) {
        Open([cornerAlpha](int x, int y) {
            return ColorARGB(x < 8 && y < 6 ? static_cast<uint8_t>(cornerAlpha) : 255, static_cast<uint8_t>(x * 6),
                             static_cast<uint8_t>(y * 8), static_cast<uint8_t>((x * y) & 0xFF));
        });
        for (int32_t effect = 12; effect <= 16; ++effect) {
            // The engine fed a file of the shown picture and read back from its own file.
            const std::wstring handOver = folder + L"handover.png";
            ASSERT_TRUE(SaveImageSafely(canvas->ImgDIB.DIB(), handOver, kFormatPng, 0));
            wpdlx engine;
            ASSERT_TRUE(engine.LoadImage(handOver));
            if (effect == 12) engine.Blur();
            if (effect == 13) engine.Sharpen();
            if (effect == 14) engine.Soften();
            if (effect == 15) engine.Antialias();
            if (effect == 16) engine.Ripple(kRippleAmount);
            ASSERT_TRUE(engine.SaveImage(handOver));
            GdiDIB expected;
            ASSERT_TRUE(expected.Import(handOver));

            ASSERT_TRUE(canvas->ThirdEffect(effect)) << effect;
            EXPECT_EQ(AllPixels(static_cast<GpBitmap*>(canvas->ImgDIB.DIB())),
                      AllPixels(static_cast<GpBitmap*>(expected.DIB())))
                << effect << " " << cornerAlpha;
        }
    }
}

TEST_F(ThirdEffectTest, ValueReadsBackAndColoursTheFillBrush) {
    canvas->SetValue(52);
    EXPECT_EQ(canvas->Value(), 52);
    ARGB colour = 0;
    ASSERT_EQ(GdipGetSolidFillColor(canvas->FillBrush(), &colour), Ok);
    EXPECT_EQ(colour, ColorARGB(52, 0, 0, 0));
}
