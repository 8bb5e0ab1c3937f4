#include "imaging/CDIB.h"
#include "imaging/DIBsave.h"
#include "imaging/SceneEffects.h"
#include "platform/AppState.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

// Gives the listed values in turn, from the start again after the last.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}
    float Next() override { return values_[next_++ % values_.size()]; }

private:
    std::vector<float> values_;
    size_t next_ = 0;
};

struct EffectArgs {
    int32_t effect;
    float maxSize = 10, minSize = 10;
    int32_t maxAlpha = 200;
    float areaX = 150, areaY = 100, areaW = 100, areaH = 80;
};

// The effect drawn for a fixed number of iterations onto a fresh clear canvas.
std::unique_ptr<TestCanvas> Draw(const EffectArgs& a, RandomSource& random, int64_t iterations, int w = 400,
                                 int h = 300) {
    auto canvas = std::make_unique<TestCanvas>(w, h);
    ParticleRunOptions options;
    options.random = &random;
    options.iterations = iterations;
    RunParticleEffect(canvas->target(), 1000000, a.maxSize, a.minSize, a.effect, a.maxAlpha, a.areaX, a.areaY, a.areaW,
                      a.areaH, options);
    return canvas;
}

// How long the timed effect took on a clear canvas, and whether it drew anything.
double TimedRun(int32_t durationMs, int32_t id, bool& drew) {
    TestCanvas canvas(200, 200);
    const auto start = std::chrono::steady_clock::now();
    RunParticleEffect(canvas.target(), durationMs, 10, 10, id, 200, 20, 20, 160, 160);
    const double took = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    drew = canvas.Drawn().count > 0;
    return took;
}

class TexturesInDatas : public ::testing::Test {
protected:
    void SetUp() override {
        WriteSkin(kCloudsTexture, 20, 10, kRed);
        WriteSkin(kMistTexture, 20, 10, kBlue);
    }
    void TearDown() override {
        ::DeleteFileW((App().DataPath + kCloudsTexture).c_str());
        ::DeleteFileW((App().DataPath + kMistTexture).c_str());
    }
};

} // namespace

TEST(RunParticleEffect, SameStartSameParticlesAndTheSequenceContinues) {
    for (int32_t id : {kEffectBubbles, kEffectFireflies, kEffectRain, kEffectSnow, kEffectFlowers}) {
        SeededRandom a, b;
        auto first = Draw({id}, a, 60);
        auto second = Draw({id}, b, 60);
        EXPECT_GT(first->Drawn().count, 50) << "effect " << id;
        EXPECT_EQ(first->Pixels(), second->Pixels()) << "effect " << id;
        // The next effect goes on from where the last one left the sequence.
        auto third = Draw({id}, a, 60);
        EXPECT_NE(first->Pixels(), third->Pixels()) << "effect " << id;
    }
}

TEST(RunParticleEffect, TheClockEndsTheEffectAfterItsDurationAlsoWhenNothingIsDrawn) {
    bool drew = true;
    for (int32_t duration : {0, -500}) {
        EXPECT_LT(TimedRun(duration, kEffectBubbles, drew), 50);
        EXPECT_FALSE(drew);
    }
    // The moon, unknown ids, and clouds without their texture draw nothing but take their time.
    ::DeleteFileW((App().DataPath + kCloudsTexture).c_str());
    for (int32_t id : {kEffectMoon, 27, 99, kEffectClouds}) {
        const double took = TimedRun(120, id, drew);
        EXPECT_GE(took, 119) << "effect " << id;
        EXPECT_LT(took, 2000) << "effect " << id;
        EXPECT_FALSE(drew) << "effect " << id;
    }
    EXPECT_GE(TimedRun(150, kEffectSnow, drew), 149);
    EXPECT_TRUE(drew);
}

TEST(RunParticleEffect, ParticlesStayInTheirAreaShiftedLeftByTheirSize) {
    // Area (150, 100, 100, 80); sizes s up to MaxSize + 10 = 20, the particle placed at X - s.
    struct Reach {
        int32_t effect;
        int left, top, right, bottom; // how far past each side of the area the kind may reach
    };
    const Reach reaches[] = {
        {kEffectBubbles, 40, 20, 0, 20},   // centre X - s, radius s
        {kEffectFireflies, 40, 20, 0, 20}, // likewise
        {kEffectRain, 20, 20, 3, 0},       // from (X - s, Y) up by up to 20 and right by up to 3
        {kEffectSnow, 31, 11, 11, 11},     // centre X - s, radius up to MaxSize + 1
        {kEffectFlowers, 20, 0, 24, 24},   // from (X - s, Y) two boxes of up to MaxSize + 2 each way
    };
    for (const Reach& reach : reaches) {
        SeededRandom random;
        EffectArgs args{reach.effect};
        args.maxAlpha = 230;
        const DrawnBox box = Draw(args, random, 300)->Drawn();
        SCOPED_TRACE(reach.effect);
        EXPECT_GT(box.count, 100);
        EXPECT_GE(box.left, 150 - reach.left - 2);
        EXPECT_GE(box.top, 100 - reach.top - 2);
        EXPECT_LE(box.right, 250 + reach.right + 2);
        EXPECT_LE(box.bottom, 180 + reach.bottom + 2);
        // And they do fill the area rather than one corner of it.
        EXPECT_LT(box.left, 170);
        EXPECT_GT(box.right, 230);
    }
}

TEST(RunParticleEffect, SnowAndFlowersSkipAParticleWhoseAlphaPassesAByte) {
    // Snow with MaxAlpha 255: A = whole(r * 255 + 20) is 262 for r = 0.95 (skipped), 224 for r = 0.8.
    EffectArgs snow{kEffectSnow, 20, 10, 255, 0, 0, 100, 100};
    ScriptedRandom skipped({0, 0.5f, 0.5f, 0.5f, 0.95f});
    EXPECT_EQ(Draw(snow, skipped, 1, 100, 100)->Drawn().count, 0);
    ScriptedRandom drawn({0, 0.5f, 0.5f, 0.5f, 0.8f});
    auto flake = Draw(snow, drawn, 1, 100, 100);
    EXPECT_GT(AlphaOf(flake->At(40, 50)), 150);
    EXPECT_EQ(flake->At(40, 50) & 0x00FFFFFF, 0x00FFFFFFu);

    // Flowers: size whole(0.5 * 20 + 2) = 12, colour whole(3 * 0.9) = 3 (white), A = 224: four
    // petals on 12 x 12 boxes from (40, 50) to (64, 74).
    EffectArgs flowers{kEffectFlowers, 20, 10, 255, 0, 0, 100, 100};
    ScriptedRandom noFlower({0, 0.5f, 0.5f, 0.5f, 0.9f, 0.95f});
    EXPECT_EQ(Draw(flowers, noFlower, 1, 100, 100)->Drawn().count, 0);
    ScriptedRandom white({0, 0.5f, 0.5f, 0.5f, 0.9f, 0.8f});
    auto flower = Draw(flowers, white, 1, 100, 100);
    const DrawnBox box = flower->Drawn();
    EXPECT_GT(box.count, 200);
    EXPECT_NEAR(box.left, 40, 1);
    EXPECT_NEAR(box.top, 50, 1);
    EXPECT_NEAR(box.right, 63, 1);
    EXPECT_NEAR(box.bottom, 73, 1);
    for (uint32_t p : flower->Pixels())
        ASSERT_TRUE(AlphaOf(p) == 0 || (p & 0x00FFFFFF) == 0x00FFFFFFu) << std::hex << p;
}

TEST_F(TexturesInDatas, CloudsAndMistDrawTheirTexturesFromTheUnshiftedArea) {
    // s3 = whole(0.5 * 20 + 10) = 20; X2 = whole(0.5 * 100) - 20 = 30; Y2 = 0.5 * 60 = 30;
    // A = whole(0.9 * 235 + 20) = 232 (halves to even). Clouds: (30, 30, 40, 20); mist: (30, 30, 40, 10).
    EffectArgs clouds{kEffectClouds, 20, 10, 235, 200, 150, 100, 60};
    ScriptedRandom cloudValues({0, 0, 0, 0.5f, 0.5f, 0.5f, 0.9f});
    auto cloud = Draw(clouds, cloudValues, 1);
    EXPECT_EQ(cloud->At(50, 40) & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_NEAR(AlphaOf(cloud->At(50, 40)), 232, 2);
    DrawnBox box = cloud->Drawn();
    EXPECT_EQ(box.left, 30);
    EXPECT_EQ(box.top, 30);
    EXPECT_EQ(box.right, 69);
    EXPECT_EQ(box.bottom, 49);

    EffectArgs mist = clouds;
    mist.effect = kEffectMist;
    ScriptedRandom mistValues({0, 0, 0, 0.5f, 0.5f, 0.5f, 0.9f});
    auto haze = Draw(mist, mistValues, 1);
    EXPECT_EQ(haze->At(50, 35) & 0x00FFFFFF, 0x000000FFu);
    box = haze->Drawn();
    EXPECT_EQ(box.top, 30);
    EXPECT_EQ(box.bottom, 39);
    EXPECT_EQ(box.right, 69);

    // Many clouds: all within 0 to AreaW and 0 to AreaH plus their size, never at the area's offset.
    SeededRandom random;
    box = Draw(clouds, random, 200)->Drawn();
    EXPECT_GT(box.count, 1000);
    EXPECT_LE(box.right, 100 + 30);
    EXPECT_LE(box.bottom, 60 + 30);
}

TEST(Lights, MoonVeilsTheImageAndStandsAtItsFixedPlace) {
    TestCanvas canvas(400, 300, kWhite);
    DrawMoon(canvas.target(), 300, 250);
    const uint32_t moon = canvas.At(100, 80);
    EXPECT_GT(RedOf(moon), 245);
    EXPECT_GT(BlueOf(moon), 245);
    // The veil: black at alpha 100 over white leaves 155.
    for (auto [x, y] : {std::pair{290, 240}, {299, 100}, {5, 249}, {250, 5}})
        EXPECT_NEAR(RedOf(canvas.At(x, y)), 155, 3) << x << "," << y;
    EXPECT_EQ(canvas.At(301, 100), kWhite);
    EXPECT_EQ(canvas.At(150, 251), kWhite);
    // The halo between the disc (radius 60) and its rim (80) is lighter than the veil.
    EXPECT_GT(RedOf(canvas.At(100, 80 + 68)), 160);
    EXPECT_NEAR(RedOf(canvas.At(100, 80 + 85)), 155, 3);
}

TEST(Lights, LensFlareLightAtItsPointAndSpotsNearTheFarCorner) {
    TestCanvas canvas(500, 400, kBlack);
    DrawLensFlare(canvas.target(), 100, 100, 20, 20, 500, 400, 0.5f);
    // Radii below 50 leave out the yellow and white inner glows: the pink one lies on top.
    const uint32_t light = canvas.At(100, 100);
    EXPECT_GT(RedOf(light), 230);
    EXPECT_GT(BlueOf(light), GreenOf(light));
    EXPECT_LT(GreenOf(light), 200);
    // Spots on the way to the far corner: the halo at (200, 180), the orange one at (350, 275).
    EXPECT_GT(GreenOf(canvas.At(200, 180)), 60);
    const uint32_t orange = canvas.At(350, 275);
    EXPECT_GT(RedOf(orange), 120);
    EXPECT_GT(GreenOf(orange), BlueOf(orange));
    for (auto [x, y] : {std::pair{450, 350}, {250, 350}, {350, 120}, {300, 275}})
        EXPECT_EQ(canvas.At(x, y), kBlack) << x << "," << y;

    // With larger radii the white inner glow crowns the light.
    TestCanvas large(500, 400, kBlack);
    DrawLensFlare(large.target(), 100, 100, 100, 100, 500, 400, 0.5f);
    EXPECT_GT(GreenOf(large.At(100, 100)), 230);
    EXPECT_GT(BlueOf(large.At(100, 100)), 230);
}

TEST(Lights, IrradiationIsClearInTheMiddleAndColouredTowardTheRim) {
    TestCanvas canvas(200, 200), refused(200, 200);
    DrawIrradiation(canvas.target(), 100, 100, 60, 60, 100, 100, 0, kRed, 200);
    EXPECT_LT(AlphaOf(canvas.At(100, 100)), 20);
    const uint32_t rim = canvas.At(155, 100);
    EXPECT_GT(AlphaOf(rim), 120);
    EXPECT_LE(AlphaOf(rim), 201);
    EXPECT_EQ(rim & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_EQ(AlphaOf(canvas.At(170, 100)), 0);
    DrawIrradiation(refused.target(), 100, 100, 60, 60, 100, 100, 0, kRed, 256);
    EXPECT_EQ(refused.Drawn().count, 0);
}

TEST(RunParticleEffect, DrawsOnADeviceContextAndLetsNoMessageRunMeanwhile) {
    // A message waiting in the queue is handled only after the effect: it never pumps.
    constexpr UINT kProbe = WM_APP + 7;
    TestWindow window(40, 30, kWindowX, kWindowY);
    bool handled = false;
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) { return msg == kProbe && (handled = true); };
    CDIB dib;
    ASSERT_TRUE(dib.Create(240, 160, 32));
    dib.Cls(RGB(255, 255, 255));
    ASSERT_TRUE(::PostMessageW(window.hwnd(), kProbe, 0, 0));
    // A surface is made on the device context for every particle.
    RunParticleEffect(DrawTarget::Dc(dib.hDC()), 300, 10, 10, kEffectFireflies, 255, 30, 20, 180, 120);
    EXPECT_FALSE(handled) << "the effect let messages run";
    ::GdiFlush();
    const auto* pixels = reinterpret_cast<const uint32_t*>(dib.lpBits());
    EXPECT_GT(std::count_if(pixels, pixels + 240 * 160, [](uint32_t p) { return (p & 0x00FFFFFF) != 0x00FFFFFF; }),
              200);
    TestWindow::Pump(50);
    EXPECT_TRUE(handled);
}
