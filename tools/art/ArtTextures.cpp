// The textures of the scene effects: soft white cloud puffs and a horizontal haze, both white on
// transparency with clear edges, so that faded, overlapping copies blend without seams.
#include "tools/art/Art.h"

#include "imaging/ModGDI.h"
#include "imaging/SceneEffects.h"

#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

// One soft white blob: densest at its centre, clear at and beyond its rim.
struct Puff {
    float cx, cy, rx, ry;
    float density; // 0 to 1 at the centre
};

// Each pixel is white at the opacity of the puffs over it, combined as layers of mist are (each
// lets through what the others let through). Computed per pixel rather than with gradient
// brushes, whose seams leave stray unfilled pixels under some renderers.
GdipBitmap DrawPuffs(int width, int height, const Puff* puffs, size_t count) {
    ArtCanvas canvas = MakeArtCanvas(width, height);
    canvas.graphics.reset(); // the pixels are written directly
    GpRect all{0, 0, width, height};
    BitmapData data{};
    if (GdipBitmapLockBits(canvas.bitmap.get(), &all, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok) return {};
    for (int y = 0; y < height; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < width; ++x) {
            float clear = 1;
            for (size_t k = 0; k < count; ++k) {
                const Puff& p = puffs[k];
                const float dx = (static_cast<float>(x) + 0.5f - p.cx) / p.rx,
                            dy = (static_cast<float>(y) + 0.5f - p.cy) / p.ry;
                const float d2 = dx * dx + dy * dy;
                if (d2 < 1) clear *= 1 - p.density * (1 - d2) * (1 - d2);
            }
            row[x] = ColorARGB(static_cast<uint8_t>(std::lround((1 - clear) * 255)), 255, 255, 255);
        }
    }
    GdipBitmapUnlockBits(canvas.bitmap.get(), &data);
    return std::move(canvas.bitmap);
}

// Clouds are drawn twice as wide as high (2 x size by size, size from MinSize up to
// MaxSize + MinSize), so the texture is 2:1; 256 x 128 keeps the puffs soft at the larger sizes.
constexpr int kCloudsWidth = 256, kCloudsHeight = 128;
// A cumulus: a flat base of wide puffs and three taller heads, all inside the frame.
constexpr Puff kCloudPuffs[] = {
    {45, 92, 32, 20, 0.55f},  {100, 94, 62, 24, 0.6f}, {160, 94, 70, 24, 0.6f},  {212, 88, 36, 24, 0.5f},
    {72, 76, 44, 34, 0.6f},   {122, 60, 52, 44, 0.7f}, {174, 70, 48, 36, 0.65f}, {100, 52, 26, 22, 0.4f},
    {148, 44, 30, 24, 0.45f}, {200, 66, 26, 22, 0.4f}, {58, 64, 24, 20, 0.35f},
};

GdipBitmap DrawClouds() {
    return DrawPuffs(kCloudsWidth, kCloudsHeight, kCloudPuffs, std::size(kCloudPuffs));
}

// Mist is drawn 2 x size wide and MinSize high: a long low strip, up to about ten times wider than
// high at the usual sizes; 512 x 96 stretches either way without showing its pixels.
constexpr int kMistWidth = 512, kMistHeight = 96;
// Overlapping flat glows: densest along the middle, thinning toward the ends and the top and bottom.
constexpr Puff kMistBands[] = {
    {256, 48, 244, 36, 0.45f}, {150, 44, 120, 22, 0.4f}, {360, 52, 130, 24, 0.4f}, {256, 50, 190, 14, 0.35f},
    {90, 52, 70, 16, 0.3f},    {430, 44, 66, 16, 0.3f},  {300, 40, 90, 12, 0.3f},
};

GdipBitmap DrawMist() {
    return DrawPuffs(kMistWidth, kMistHeight, kMistBands, std::size(kMistBands));
}

const bool registered = RegisterArt({kCloudsTexture, ArtDestination::Datas, DrawClouds, {}}) &&
                        RegisterArt({kMistTexture, ArtDestination::Datas, DrawMist, {}});

} // namespace
