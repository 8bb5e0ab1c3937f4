// The editor's scene effects: the timed particle loop (bubbles, fireflies, rain, snow, flowers,
// clouds, mist) and the lights (lens flare, moon, irradiation), drawn straight onto the target.
#pragma once

#include "imaging/RandomSource.h"
#include "imaging/ShapeFills.h"

#include <cstdint>
#include <optional>

inline constexpr int32_t kEffectBubbles = 28;
inline constexpr int32_t kEffectFireflies = 29;
inline constexpr int32_t kEffectRain = 30;
inline constexpr int32_t kEffectSnow = 31;
inline constexpr int32_t kEffectFlowers = 32;
inline constexpr int32_t kEffectClouds = 33;
inline constexpr int32_t kEffectMoon = 34;
inline constexpr int32_t kEffectMist = 35;
inline constexpr int32_t kEffectLensFlare = 36;
inline constexpr int32_t kEffectIrradiation = 37;

// The textures of the clouds and the mist, in the program's "Datas\" folder.
inline constexpr wchar_t kCloudsTexture[] = L"clouds.png";
inline constexpr wchar_t kMistTexture[] = L"Mist.png";

// What tests may give in to the particle loop; the defaults are the program's behaviour.
struct ParticleRunOptions {
    RandomSource* random = nullptr;    // null: the process-wide source
    std::optional<int64_t> iterations; // set: exactly this many iterations and no clock
};

// Draws one random particle of the kind EffectId (28 to 35) per iteration, until DurationMs has
// passed on a clock that does not wrap. Particles fall in the area (AreaX, AreaY, AreaW, AreaH),
// shifted left by their size; clouds and mist fall in (0, 0, AreaW, AreaH). Messages are not
// processed meanwhile: the caller's thread is held for the whole duration, also for an id that
// draws nothing. A missing texture leaves the clouds or mist undrawn.
void RunParticleEffect(const DrawTarget& target, int32_t DurationMs, float MaxSize, float MinSize, int32_t EffectId,
                       int32_t MaxAlpha, float AreaX, float AreaY, float AreaW, float AreaH,
                       const ParticleRunOptions& options = {});

// The painters of the particles.
void DrawBubble(const DrawTarget& target, float X, float Y, float W, float H, float Focus);
void DrawFirefly(const DrawTarget& target, float X, float Y, float W, float H, float Focus, uint32_t Colour);
// Alpha outside 0 to 255 draws nothing.
void DrawRainStreak(const DrawTarget& target, float X1, float Y1, float X2, float Y2, int32_t Alpha);
void DrawSnowFlake(const DrawTarget& target, float X, float Y, float W, float H, float Focus, uint32_t Colour);
// Four petals on W x H boxes meeting at (X + W, Y + H).
void DrawFlower(const DrawTarget& target, float X, float Y, float W, float H, uint32_t Colour);
// The whole of Image (SrcW x SrcH) stretched into (X, Y, W, H) with its alpha scaled by Alpha / 255
// (above 255 makes it more opaque).
void DrawImageFaded(const DrawTarget& target, float X, float Y, float W, float H, int32_t SrcW, int32_t SrcH,
                    GpImage* Image, int32_t Alpha);

// The lights.
// A light with its halo at (X, Y) and two small coloured spots near (EndX, EndY).
void DrawLensFlare(const DrawTarget& target, float X, float Y, float RX, float RY, float EndX, float EndY, float Focus);
// A glow clear at (PX, PY) and Colour at alpha Alpha toward its rim; Alpha outside 0 to 255 draws nothing.
void DrawIrradiation(const DrawTarget& target, float CX, float CY, float RX, float RY, float PX, float PY, float Focus,
                     uint32_t Colour, int32_t Alpha);
// A dark veil over (0, 0, W, H) and the moon at (100, 80), whatever the image size.
void DrawMoon(const DrawTarget& target, float W, float H);
