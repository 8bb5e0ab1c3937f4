#include "imaging/LayerFilters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace {

// A layer whose pixel (x, y), y counted from the top, is fill(x, y) (ARGB).
void MakeLayer(DIBsave& layer, int w, int h, const std::function<uint32_t(int, int)>& fill) {
    ASSERT_TRUE(layer.CreateBlankMemory(h, w));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) GdipBitmapSetPixel(layer.new_Img, x, y, fill(x, y));
}

uint32_t Grey(int v) { return 0xFF000000u | static_cast<uint32_t>(v) * 0x010101u; }

int Green(uint32_t argb) { return static_cast<int>((argb >> 8) & 0xFF); }

// Pixels in storage order as the filters see them.
struct Pixels {
    int w = 0, h = 0;
    std::vector<Pixel32> p;
    Pixel32& at(int x, int y) { return p[static_cast<size_t>(y * w + x)]; }
};

Pixels RandomPixels(int w, int h, unsigned seed) {
    std::mt19937 random(seed);
    Pixels out{w, h, std::vector<Pixel32>(static_cast<size_t>(w * h))};
    for (Pixel32& px : out.p) {
        px = {static_cast<uint8_t>(random()), static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
              static_cast<uint8_t>(random() % 4 == 0 ? 0 : random())};
    }
    return out;
}

// Runs apply over a CDIB holding in (and over a second, untouched copy for the neighbour filters).
Pixels RunFilter(const Pixels& in, const std::function<void(const DIBArray&, const DIBArray&)>& apply) {
    CDIB source, target;
    EXPECT_TRUE(source.Create(in.w, in.h, 32));
    std::copy(in.p.begin(), in.p.end(), reinterpret_cast<Pixel32*>(source.lpBits()));
    source.CloneTo(target);
    {
        DIBArray src, dst;
        ScopedDIBArray a(source, src), b(target, dst);
        apply(src, dst);
    }
    Pixels out = in;
    std::copy_n(reinterpret_cast<const Pixel32*>(target.lpBits()), out.p.size(), out.p.begin());
    return out;
}

// The kernels written out plainly: in place, storage rows from y = 1 up, each left to right.
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

void ExpectSame(const Pixels& got, const Pixels& want, const char* what) {
    for (int y = 0; y < got.h; ++y)
        for (int x = 0; x < got.w; ++x) {
            const Pixel32 a = got.p[static_cast<size_t>(y * got.w + x)], b = want.p[static_cast<size_t>(y * got.w + x)];
            ASSERT_TRUE(a.b == b.b && a.g == b.g && a.r == b.r && a.a == b.a) << what << " at " << x << "," << y;
        }
}

} // namespace

TEST(KernelFilter, EveryKernelAndAmountFollowsThePlainFormula) {
    const Pixels in = RandomPixels(37, 23, 7);
    const struct {
        int amount, id;
    } cases[] = {{100, kFilterBlur},   {60, kFilterBlur},    {-300, kFilterBlur},  {90, kFilterSharpen},
                 {50, kFilterSharpen}, {-500, kFilterSharpen}, {100, kFilterSoften}, {37, kFilterSoften}};
    for (const auto& k : cases) {
        const Pixels got = RunFilter(in, [&](const DIBArray&, const DIBArray& dst) { ApplyKernel(dst, k.amount, k.id); });
        const Pixels want = ReferenceKernel(in, k.amount, k.id);
        ExpectSame(got, want, ("kernel " + std::to_string(k.id) + " amount " + std::to_string(k.amount)).c_str());
        // Borders, alpha and transparent pixels are kept.
        for (int x = 0; x < in.w; ++x) {
            EXPECT_EQ(got.p[static_cast<size_t>(x)].g, in.p[static_cast<size_t>(x)].g);
            EXPECT_EQ(got.p[got.p.size() - 1 - static_cast<size_t>(x)].r, in.p[in.p.size() - 1 - static_cast<size_t>(x)].r);
        }
        for (size_t i = 0; i < in.p.size(); ++i) {
            EXPECT_EQ(got.p[i].a, in.p[i].a);
            if (in.p[i].a == 0) {
                EXPECT_EQ(got.p[i].b, in.p[i].b);
            }
        }
    }
}

TEST(KernelFilter, BlurSpreadsFurtherUpAndRightThanDownAndLeft) {
    DIBsave layer;
    MakeLayer(layer, 9, 9, [](int x, int y) { return Grey(x == 4 && y == 4 ? 255 : 0); });
    GdipBitmap out = KernelFilter(layer, 9, 9, 100, kFilterBlur);
    ASSERT_TRUE(out);
    auto at = [&](int x, int y) { return Green(PixelAt(out.get(), x, y)); };
    EXPECT_GT(at(4, 2), 0);  // two rows above the spot
    EXPECT_EQ(at(4, 6), 0);  // two rows below
    EXPECT_GT(at(6, 4), at(2, 4));
    EXPECT_GT(at(6, 2), at(2, 6));
    // Not the plain 3 x 3 average (28 all round).
    EXPECT_NE(at(3, 3), at(5, 5));
    EXPECT_NE(at(4, 4), 28);
    EXPECT_EQ(PixelAt(out.get(), 4, 4) >> 24, 0xFFu);
}

TEST(KernelFilter, FlatAreasAndBordersKeepTheirValues) {
    DIBsave flat, framed;
    MakeLayer(flat, 12, 10, [](int, int) { return 0xFF506070u; });
    MakeLayer(framed, 12, 10, [](int x, int y) { return x == 0 || y == 9 ? 0xFF20A0F0u : 0xFF506070u; });
    for (int id : {kFilterBlur, kFilterSharpen, kFilterSoften}) {
        const int amount = id == kFilterSharpen ? 90 : 100;
        GdipBitmap out = KernelFilter(flat, 12, 10, amount, id);
        ASSERT_TRUE(out);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) EXPECT_EQ(PixelAt(out.get(), x, y), 0xFF506070u) << id;
        // The frame's colour seeps inward (filtered values feed later ones) but the frame stays.
        out = KernelFilter(framed, 12, 10, amount, id);
        ASSERT_TRUE(out);
        EXPECT_EQ(PixelAt(out.get(), 0, 5), 0xFF20A0F0u) << id;
        EXPECT_EQ(PixelAt(out.get(), 5, 9), 0xFF20A0F0u) << id;
        EXPECT_EQ(PixelAt(out.get(), 11, 0), 0xFF506070u) << id;
        EXPECT_EQ(PixelAt(out.get(), 11, 5), 0xFF506070u) << id;
    }
}

TEST(KernelFilter, ADivisorOfZeroOrBelowOrAnUnknownIdLeavesTheLayerAsItWas) {
    DIBsave layer;
    MakeLayer(layer, 8, 8, [](int x, int y) { return Grey((x * 31 + y * 17) % 256); });
    const struct {
        int amount, id;
    } cases[] = {{109, kFilterBlur}, {101, kFilterSharpen}, {300, kFilterSharpen}, {105, kFilterSoften}, {90, 15}};
    for (const auto& k : cases) {
        GdipBitmap out = KernelFilter(layer, 8, 8, k.amount, k.id);
        ASSERT_TRUE(out) << k.id;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(PixelAt(out.get(), x, y), PixelAt(layer.new_Img, x, y)) << k.amount << " " << k.id;
    }
}

TEST(LayerFilters, TinyOrMissingLayers) {
    DIBsave narrow;
    MakeLayer(narrow, 2, 6, [](int x, int y) { return Grey(x * 100 + y * 10); });
    GdipBitmap outs[] = {KernelFilter(narrow, 2, 6, 100, kFilterBlur), MaxNeighbourFilter(narrow, 2, 6),
                         ContourFilter(narrow, 2, 6)};
    for (const GdipBitmap& out : outs) {
        ASSERT_TRUE(out);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 2; ++x) EXPECT_EQ(PixelAt(out.get(), x, y), PixelAt(narrow.new_Img, x, y));
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

TEST(MaxNeighbourFilter, ChannelsTakeTheirOwnMaximumFromTheUntouchedLayer) {
    const Pixels in = RandomPixels(19, 13, 11);
    const Pixels got = RunFilter(in, ApplyMaxNeighbour);
    Pixels want = in, src = in;
    for (int y = 1; y < in.h - 1; ++y)
        for (int x = 1; x < in.w - 1; ++x) {
            if (src.at(x, y).a == 0) continue;
            Pixel32& o = want.at(x, y);
            o.b = std::max({src.at(x, y).b, src.at(x - 1, y).b, src.at(x + 1, y).b, src.at(x, y - 1).b, src.at(x, y + 1).b});
            o.g = std::max({src.at(x, y).g, src.at(x - 1, y).g, src.at(x + 1, y).g, src.at(x, y - 1).g, src.at(x, y + 1).g});
            o.r = std::max({src.at(x, y).r, src.at(x - 1, y).r, src.at(x + 1, y).r, src.at(x, y - 1).r, src.at(x, y + 1).r});
        }
    ExpectSame(got, want, "maximum");
}

TEST(ContourFilter, FlatIsWhiteAndEdgesTowardBrighterNeighboursDarken) {
    DIBsave layer;
    // Left half dark grey, right half light grey.
    MakeLayer(layer, 10, 6, [](int x, int) { return Grey(x < 5 ? 60 : 200); });
    GdipBitmap out = ContourFilter(layer, 10, 6);
    ASSERT_TRUE(out);
    EXPECT_EQ(PixelAt(out.get(), 2, 3), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(out.get(), 7, 3), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(out.get(), 5, 3), 0xFFFFFFFFu); // the brightest of its block
    EXPECT_EQ(PixelAt(out.get(), 4, 3), Grey(255 - 140)); // below its bright neighbour by 140
    EXPECT_EQ(PixelAt(out.get(), 0, 3), Grey(60));         // border kept
    EXPECT_EQ(PixelAt(out.get(), 9, 3), Grey(200));

    const Pixels in = RandomPixels(17, 11, 3);
    const Pixels got = RunFilter(in, ApplyContour);
    Pixels want = in, src = in;
    for (int y = 1; y < in.h - 1; ++y)
        for (int x = 1; x < in.w - 1; ++x) {
            if (src.at(x, y).a == 0) continue;
            uint8_t mb = 0, mg = 0, mr = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    mb = std::max(mb, src.at(x + dx, y + dy).b);
                    mg = std::max(mg, src.at(x + dx, y + dy).g);
                    mr = std::max(mr, src.at(x + dx, y + dy).r);
                }
            Pixel32& o = want.at(x, y);
            o = {static_cast<uint8_t>(255 - (mb - src.at(x, y).b)), static_cast<uint8_t>(255 - (mg - src.at(x, y).g)),
                 static_cast<uint8_t>(255 - (mr - src.at(x, y).r)), src.at(x, y).a};
        }
    ExpectSame(got, want, "contour");
}
