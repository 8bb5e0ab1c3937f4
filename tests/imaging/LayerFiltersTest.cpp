#include "imaging/LayerFilters.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

// A layer whose pixel (x, y), y counted from the top, is fill(x, y) (ARGB).
void MakeLayer(DIBsave& layer, int w, int h, const std::function<uint32_t(int, int)>& fill) {
    ASSERT_TRUE(layer.CreateBlankMemory(h, w));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) GdipBitmapSetPixel(layer.new_Img, x, y, fill(x, y));
}

uint32_t Grey(int v) {
    return 0xFF000000u | static_cast<uint32_t>(v) * 0x010101u;
}

// Pixels in storage order as the filters see them.
struct Pixels {
    int w = 0, h = 0;
    std::vector<Pixel32> p;
    Pixel32& at(int x, int y) { return p[static_cast<size_t>(y * w + x)]; }
};

Pixels RandomPixels(int w, int h, unsigned seed) {
    std::mt19937 random(seed);
    Pixels out{w, h, std::vector<Pixel32>(static_cast<size_t>(w * h))};
    for (Pixel32& px : out.p)
        px = {static_cast<uint8_t>(random()), static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
              static_cast<uint8_t>(random() % 4 == 0 ? 0 : random())};
    return out;
}

// The kernels as the plain formula gives them: in place, storage rows from y = 1 up, each left to
// right. The filter itself sums packed channels through a division table; this is its yardstick.
Pixels ReferenceKernel(Pixels img, int amount, int id) {
    const int c = id == kFilterSharpen ? 109 - amount : 101 - amount;
    const int d = id == kFilterBlur ? c + 8 : id == kFilterSharpen ? c - 8 : c + 4;
    if (d <= 0) return img;
    for (int y = 1; y <= img.h - 2; ++y)
        for (int x = 1; x <= img.w - 2; ++x) {
            if (img.at(x, y).a == 0) continue;
            uint8_t* out[3] = {&img.at(x, y).b, &img.at(x, y).g, &img.at(x, y).r};
            for (int ch = 0; ch < 3; ++ch) {
                auto value = [&](int dx, int dy) {
                    const Pixel32& q = img.at(x + dx, y + dy);
                    return ch == 0 ? q.b : ch == 1 ? q.g : q.r;
                };
                const int four = value(-1, 0) + value(1, 0) + value(0, -1) + value(0, 1);
                const int eight = four + value(-1, -1) + value(1, -1) + value(-1, 1) + value(1, 1);
                const int p = value(0, 0);
                const int sum = id == kFilterBlur ? c * p + eight : id == kFilterSharpen ? c * p - eight : c * p + four;
                *out[ch] = static_cast<uint8_t>(std::clamp(sum / d, 0, 255));
            }
        }
    return img;
}

} // namespace

TEST(KernelFilter, EveryKernelAndAmountFollowsThePlainFormulaAndKeepsBordersAndAlpha) {
    const Pixels in = RandomPixels(37, 23, 7);
    const struct {
        int amount, id;
    } cases[] = {{100, kFilterBlur},   {60, kFilterBlur},      {-300, kFilterBlur},  {90, kFilterSharpen},
                 {50, kFilterSharpen}, {-500, kFilterSharpen}, {100, kFilterSoften}, {37, kFilterSoften}};
    for (const auto& k : cases) {
        CDIB dib;
        ASSERT_TRUE(dib.Create(in.w, in.h, 32));
        std::copy(in.p.begin(), in.p.end(), reinterpret_cast<Pixel32*>(dib.lpBits()));
        {
            DIBArray view;
            ScopedDIBArray attach(dib, view);
            ApplyKernel(view, k.amount, k.id);
        }
        const Pixels want = ReferenceKernel(in, k.amount, k.id);
        const auto* got = reinterpret_cast<const Pixel32*>(dib.lpBits());
        for (size_t i = 0; i < in.p.size(); ++i) {
            const Pixel32 a = got[i], b = want.p[i];
            ASSERT_TRUE(a.b == b.b && a.g == b.g && a.r == b.r && a.a == in.p[i].a)
                << "kernel " << k.id << " amount " << k.amount << " at " << i % in.w << "," << i / in.w;
        }
    }
}

TEST(KernelFilter, FlatAreasKeepTheirValueAndAZeroDivisorOrUnknownIdChangesNothing) {
    DIBsave flat, varied;
    MakeLayer(flat, 12, 10, [](int, int) { return 0xFF506070u; });
    for (int id : {kFilterBlur, kFilterSharpen, kFilterSoften}) {
        GdipBitmap out = KernelFilter(flat, 12, 10, id == kFilterSharpen ? 90 : 100, id);
        ASSERT_TRUE(out);
        for (uint32_t p : AllPixels(out.get())) ASSERT_EQ(p, 0xFF506070u) << id;
    }
    MakeLayer(varied, 8, 8, [](int x, int y) { return Grey((x * 31 + y * 17) % 256); });
    const std::vector<uint32_t> before = AllPixels(varied.new_Img);
    const struct {
        int amount, id;
    } cases[] = {{109, kFilterBlur}, {101, kFilterSharpen}, {300, kFilterSharpen}, {105, kFilterSoften}, {90, 15}};
    for (const auto& k : cases) {
        GdipBitmap out = KernelFilter(varied, 8, 8, k.amount, k.id);
        ASSERT_TRUE(out) << k.id;
        EXPECT_EQ(AllPixels(out.get()), before) << k.amount << " " << k.id;
    }
}

TEST(LayerFilters, TinyOrMissingLayers) {
    DIBsave narrow;
    MakeLayer(narrow, 2, 6, [](int x, int y) { return Grey(x * 100 + y * 10); });
    const std::vector<uint32_t> before = AllPixels(narrow.new_Img);
    GdipBitmap outs[] = {KernelFilter(narrow, 2, 6, 100, kFilterBlur), MaxNeighbourFilter(narrow, 2, 6),
                         ContourFilter(narrow, 2, 6)};
    for (const GdipBitmap& out : outs) {
        ASSERT_TRUE(out);
        EXPECT_EQ(AllPixels(out.get()), before);
    }
    DIBsave none;
    EXPECT_FALSE(KernelFilter(none, 5, 5, 100, kFilterBlur));
    EXPECT_FALSE(ContourFilter(narrow, 0, 6));
    EXPECT_FALSE(MaxNeighbourFilter(narrow, 2, -3));
    // The result takes the size asked for, the layer scaled into it (6.5 rounds to 6).
    GdipBitmap scaled = MaxNeighbourFilter(narrow, 4, 6.5f);
    ASSERT_TRUE(scaled);
    UINT w = 0, h = 0;
    GdipGetImageWidth(scaled.get(), &w);
    GdipGetImageHeight(scaled.get(), &h);
    EXPECT_EQ(w, 4u);
    EXPECT_EQ(h, 6u);
}

TEST(MaxNeighbourFilter, ABrightDotBecomesAPlus) {
    // Read from the untouched layer: a filter working in place would spread the dot further.
    DIBsave layer;
    MakeLayer(layer, 7, 7, [](int x, int y) { return x == 3 && y == 3 ? 0xFFF0E0D0u : 0xFF102030u; });
    GdipBitmap out = MaxNeighbourFilter(layer, 7, 7);
    ASSERT_TRUE(out);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool plus = std::abs(x - 3) + std::abs(y - 3) <= 1;
            EXPECT_EQ(PixelAt(out.get(), x, y), plus ? 0xFFF0E0D0u : 0xFF102030u) << x << "," << y;
        }
}

TEST(ContourFilter, FlatIsWhiteAndEdgesTowardBrighterNeighboursDarken) {
    DIBsave layer;
    // Left half dark grey, right half light grey; a transparent pixel keeps its colour.
    MakeLayer(layer, 10, 6, [](int x, int y) { return x == 4 && y == 1 ? 0x00123456u : Grey(x < 5 ? 60 : 200); });
    GdipBitmap out = ContourFilter(layer, 10, 6);
    ASSERT_TRUE(out);
    EXPECT_EQ(PixelAt(out.get(), 2, 3), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(out.get(), 7, 3), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(out.get(), 5, 3), 0xFFFFFFFFu);     // the brightest of its block
    EXPECT_EQ(PixelAt(out.get(), 4, 3), Grey(255 - 140)); // below its bright neighbour by 140
    EXPECT_EQ(PixelAt(out.get(), 0, 3), Grey(60));        // border kept
    EXPECT_EQ(PixelAt(out.get(), 9, 3), Grey(200));
    EXPECT_EQ(PixelAt(out.get(), 4, 1), 0x00123456u);
}
