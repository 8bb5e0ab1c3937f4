#include "imaging/SceneEffects.h"

#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/PathHelpers.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <array>
#include <chrono>

namespace {

constexpr uint32_t kWhite = ColorARGB(255, 255, 255, 255);

constexpr std::array<uint32_t, 4> kFireflyColours = {ColorARGB(255, 136, 135, 250), ColorARGB(255, 255, 0, 255),
                                                     ColorARGB(255, 255, 150, 0), ColorARGB(255, 255, 60, 0)};
constexpr std::array<uint32_t, 4> kFlowerColours = {ColorARGB(255, 255, 0, 255), ColorARGB(255, 255, 150, 0),
                                                    ColorARGB(255, 255, 60, 0), ColorARGB(255, 255, 255, 255)};

// A rounded value that does not fit leaves the variable as the previous iteration set it.
void Whole(int32_t& variable, float value) {
    if (auto rounded = TryRoundHalfEven(value)) variable = *rounded;
}

std::optional<uint8_t> AsByte(int32_t value) {
    if (value < 0 || value > 255) return std::nullopt;
    return static_cast<uint8_t>(value);
}

float F(int32_t value) {
    return static_cast<float>(value);
}

} // namespace

void RunParticleEffect(const DrawTarget& target, int32_t DurationMs, float MaxSize, float MinSize, int32_t EffectId,
                       int32_t MaxAlpha, float AreaX, float AreaY, float AreaW, float AreaH,
                       const ParticleRunOptions& options) {
    RandomSource& random = options.random ? *options.random : ProcessRandom();
    auto r = [&random] { return random.Next(); };

    GdipImage texture;
    int32_t srcW = 0, srcH = 0;
    if (EffectId == kEffectClouds || EffectId == kEffectMist) {
        const wchar_t* name = EffectId == kEffectClouds ? kCloudsTexture : kMistTexture;
        texture.reset(LoadImageFromFileCopy(AddBackslash(App().DataPath) + name));
        if (texture) {
            UINT w = 0, h = 0;
            GdipGetImageWidth(texture.get(), &w);
            GdipGetImageHeight(texture.get(), &h);
            srcW = static_cast<int32_t>(w);
            srcH = static_cast<int32_t>(h);
        }
    }

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto another = [&, done = int64_t{0}]() mutable {
        if (options.iterations) return done++ < *options.iterations;
        const double elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        return static_cast<double>(DurationMs) > elapsedMs;
    };

    // Kept across iterations: a value that does not fit keeps the previous one.
    int32_t s = 0, X = 0, Y = 0, s2 = 0, i = 0, A = 0, dx = 0, dy = 0, X2 = 0, Y2 = 0, s3 = 0;
    while (another()) {
        Whole(s, r() * MaxSize + 10);
        Whole(X, r() * AreaW + AreaX);
        Whole(Y, r() * AreaH + AreaY);
        X -= s;
        switch (EffectId) {
        case kEffectBubbles:
            DrawBubble(target, F(X), F(Y), F(s), F(s), 0.7f);
            break;
        case kEffectFireflies:
            Whole(i, 3 * r());
            DrawFirefly(target, F(X), F(Y), F(s), F(s), 0.3f, kFireflyColours[static_cast<size_t>(i) & 3]);
            break;
        case kEffectRain:
            Whole(dx, 3 * r());
            Whole(dy, r() * MaxSize + 10);
            DrawRainStreak(target, F(X), F(Y), F(X + dx), F(Y - dy), MaxAlpha);
            break;
        case kEffectSnow: {
            Whole(s2, r() * MaxSize + 1);
            Whole(A, r() * F(MaxAlpha) + 20);
            if (auto alpha = AsByte(A))
                DrawSnowFlake(target, F(X), F(Y), F(s2), F(s2), 0.5f, ColorARGB(*alpha, 255, 255, 255));
            break;
        }
        case kEffectFlowers: {
            Whole(s2, r() * MaxSize + 2);
            Whole(i, 3 * r());
            Whole(A, r() * F(MaxAlpha) + 20);
            if (auto alpha = AsByte(A))
                DrawFlower(target, F(X), F(Y), F(s2), F(s2),
                           SetColorAlpha(kFlowerColours[static_cast<size_t>(i) & 3], *alpha));
            break;
        }
        case kEffectClouds:
        case kEffectMist:
            Whole(X2, r() * AreaW);
            Whole(Y2, r() * AreaH);
            Whole(s3, r() * MaxSize + MinSize);
            X2 -= s3;
            Whole(A, r() * F(MaxAlpha) + 20);
            if (texture)
                DrawImageFaded(target, F(X2), F(Y2), F(2 * s3), EffectId == kEffectClouds ? F(s3) : MinSize, srcW, srcH,
                               texture.get(), A);
            break;
        default: // the moon and unknown ids draw nothing, yet take their time
            break;
        }
    }
}

void DrawBubble(const DrawTarget& target, float X, float Y, float W, float H, float Focus) {
    FillGlowEllipse(target, X, Y, W, H, X, Y, Focus, ColorARGB(0, 255, 255, 255), ColorARGB(50, 255, 255, 255), false);
    FillGlowEllipse(target, X, Y, W - 2, H - 2, X, Y - H, 0.1f, ColorARGB(100, 255, 255, 255),
                    ColorARGB(0, 255, 255, 255), true);
}

void DrawFirefly(const DrawTarget& target, float X, float Y, float W, float H, float Focus, uint32_t Colour) {
    FillGlowEllipse(target, X, Y, W, H, X, Y, Focus, Colour, SetColorAlpha(Colour, 0), true);
    const int32_t coreW = RoundHalfEven(W) / 2, coreH = RoundHalfEven(H) / 2;
    FillGlowEllipse(target, X, Y, F(coreW), F(coreH), X, Y, Focus, kWhite, SetColorAlpha(kWhite, 0), true);
}

void DrawRainStreak(const DrawTarget& target, float X1, float Y1, float X2, float Y2, int32_t Alpha) {
    auto alpha = AsByte(Alpha);
    if (!alpha) return;
    SmoothSurface surface(target);
    if (!surface.get()) return;
    GdipDrawLine(surface.get(), MakePen(ColorARGB(*alpha, 228, 228, 228), 1).get(), X1, Y1, X2, Y2);
}

void DrawSnowFlake(const DrawTarget& target, float X, float Y, float W, float H, float Focus, uint32_t Colour) {
    FillGlowEllipse(target, X, Y, W, H, X, Y, Focus, Colour, SetColorAlpha(Colour, 0), true);
}

void DrawFlower(const DrawTarget& target, float X, float Y, float W, float H, uint32_t Colour) {
    SmoothSurface surface(target);
    if (!surface.get()) return;
    GdipPath path;
    if (GdipCreatePath(FillModeAlternate, path.put()) != Ok) return;
    // Each arc leaves out the quarter facing the shared corner (X + W, Y + H).
    GdipAddPathArc(path.get(), X, Y, W, H, 90, 270);
    GdipAddPathArc(path.get(), X, Y + H, W, H, 360, 270);
    GdipAddPathArc(path.get(), X + W, Y + H, W, H, 270, 270);
    GdipAddPathArc(path.get(), X + W, Y, W, H, 180, 270);
    GdipClosePathFigure(path.get());
    GdipFillPath(surface.get(), MakeSolidFill(Colour).get(), path.get());
}

void DrawImageFaded(const DrawTarget& target, float X, float Y, float W, float H, int32_t SrcW, int32_t SrcH,
                    GpImage* Image, int32_t Alpha) {
    if (!Image) return;
    SmoothSurface surface(target);
    if (!surface.get()) return;
    const GdipImageAttributes attributes = AlphaAttributes(static_cast<float>(Alpha) / 255.0f);
    if (!attributes) return;
    GdipDrawImageRectRectI(surface.get(), Image, RoundHalfEven(X), RoundHalfEven(Y), RoundHalfEven(W), RoundHalfEven(H),
                           0, 0, SrcW, SrcH, UnitPixel, attributes.get(), nullptr, nullptr);
}

void DrawLensFlare(const DrawTarget& target, float X, float Y, float RX, float RY, float EndX, float EndY,
                   float Focus) {
    struct Glow {
        float cx, cy, rx, ry, focus;
        uint32_t centre, surround;
    };
    const Glow glows[] = {
        {X, Y, 3 * RX, 3 * RY, 0, kWhite, ColorARGB(0, 255, 255, 255)},
        {X, Y, RX, RY, Focus, ColorARGB(255, 255, 140, 160), ColorARGB(0, 255, 140, 160)},
        {X, Y, RX - 50, RY - 50, 0.3f, ColorARGB(255, 255, 250, 150), ColorARGB(0, 255, 250, 150)},
        {X, Y, RX - 90, RY - 90, 0.5f, kWhite, ColorARGB(0, 255, 255, 255)},
        {X + 70, Y + 60, 30, 30, 0.5f, ColorARGB(100, 255, 255, 255), ColorARGB(10, 255, 255, 255)},
        {X + 100, Y + 80, 50, 50, 0.5f, ColorARGB(100, 255, 255, 255), ColorARGB(10, 255, 255, 255)},
        {EndX - 150, EndY - 125, 5, 5, 0, ColorARGB(200, 255, 155, 90), ColorARGB(10, 255, 155, 90)},
        {EndX - 120, EndY - 100, 10, 10, 0, ColorARGB(200, 200, 255, 80), ColorARGB(10, 200, 255, 80)},
    };
    for (const Glow& g : glows)
        FillGlowEllipse(target, g.cx, g.cy, g.rx, g.ry, g.cx, g.cy, g.focus, g.centre, g.surround, true);
}

void DrawIrradiation(const DrawTarget& target, float CX, float CY, float RX, float RY, float PX, float PY, float Focus,
                     uint32_t Colour, int32_t Alpha) {
    auto alpha = AsByte(Alpha);
    if (!alpha) return;
    FillGlowEllipse(target, CX, CY, RX, RY, PX, PY, Focus, SetColorAlpha(Colour, 0), SetColorAlpha(Colour, *alpha),
                    true);
}

void DrawMoon(const DrawTarget& target, float W, float H) {
    {
        SmoothSurface surface(target);
        if (!surface.get()) return;
        GdipFillRectangle(surface.get(), MakeSolidFill(ColorARGB(100, 0, 0, 0)).get(), 0, 0, W, H);
    }
    FillGlowEllipse(target, 100, 80, 80, 80, 100, 80, 0, kWhite, SetColorAlpha(kWhite, 0), true);
    FillGlowEllipse(target, 100, 80, 60, 60, 100, 80, 0.9f, kWhite, ColorARGB(0, 255, 255, 255), true);
}
