#include "imaging/BrushTools.h"
#include "imaging/EffectBuffers.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

constexpr uint32_t kUntouched = 0xFF0A0B0Cu; // display colour no brush writes by itself

// A layer and its display bitmap (rows flipped) as the canvas sets them up for a stroke.
struct Stamp {
    CDIB layer;
    DIBsave display;
    int32_t w, h;

    Stamp(int32_t width, int32_t height, const std::function<Pixel32(int32_t, int32_t)>& fill) : w(width), h(height) {
        EXPECT_TRUE(layer.Create(w, h, 32));
        DIBArray view;
        ScopedDIBArray attach(layer, view);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) *view.At(x, y) = fill(x, y);
        EXPECT_TRUE(display.CreateBlankMemory(h, w));
        display.ClearScreen(kUntouched);
    }
    Pixel32 Layer(int32_t x, int32_t y) {
        DIBArray view;
        ScopedDIBArray attach(layer, view);
        return *view.At(x, y);
    }
    // The display pixel of layer pixel (x, y).
    uint32_t Shown(int32_t x, int32_t y) { return PixelAt(display.new_Img, x, h - 1 - y); }
    std::vector<uint8_t> LayerBytes() const {
        return std::vector<uint8_t>(layer.lpBits(), layer.lpBits() + layer.Size());
    }
};

Pixel32 Flat(int32_t, int32_t) {
    return {40, 80, 120, 255};
}

uint32_t Argb(const Pixel32& p, uint8_t alpha) {
    return (uint32_t{alpha} << 24) | (uint32_t{p.r} << 16) | (uint32_t{p.g} << 8) | p.b;
}

bool InCircle(int dx, int dy, int r) {
    return dx * dx + dy * dy < r * r + 1;
}

} // namespace

TEST(EraserBrush, BrushTakesTheWeightedStrengthFromAlphaAndShowsIt) {
    Stamp s(20, 20, Flat);
    // Size 6: radius 3, r^2 + 1 = 10; (1, 2) from the centre is half way out (weight 0.5).
    EraserBrush(s.display, s.layer, s.h, 10, 10, 6, 50, kEraserBrush);
    EXPECT_EQ(s.Layer(10, 10).a, 205);
    EXPECT_EQ(s.Layer(11, 12).a, 230);
    EXPECT_EQ(s.Layer(10, 10).r, 120); // colour kept
    EXPECT_EQ(s.Shown(10, 10), Argb(s.Layer(10, 10), 205));
    EXPECT_EQ(s.Shown(11, 12), Argb(s.Layer(11, 12), 230));
    // (3, 1) lies on the rim (10 is not below 10): neither layer nor display is touched.
    EXPECT_EQ(s.Layer(13, 11).a, 255);
    EXPECT_EQ(s.Shown(13, 11), kUntouched);
    // Repeated dabs keep lowering.
    EraserBrush(s.display, s.layer, s.h, 10, 10, 6, 50, kEraserBrush);
    EXPECT_EQ(s.Layer(10, 10).a, 155);
    EXPECT_EQ(s.Layer(11, 12).a, 205);
    // Every pixel inside the circle was written, nothing outside it.
    for (int y = 5; y <= 15; ++y)
        for (int x = 5; x <= 15; ++x)
            EXPECT_EQ(s.Shown(x, y) != kUntouched, InCircle(x - 10, y - 10, 3)) << x << "," << y;
}

TEST(EraserBrush, PencilAndBlockShowTheWholeCircleTransparentAtOnce) {
    Stamp pencil(20, 20, Flat);
    EraserBrush(pencil.display, pencil.layer, pencil.h, 8, 9, 8, 50, kEraserPencil);
    Stamp block(20, 20, Flat);
    EraserBrush(block.display, block.layer, block.h, 8, 9, 8, 50, kEraserBlock);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = InCircle(x - 8, y - 9, 4);
            EXPECT_EQ(pencil.Shown(x, y), inside ? Argb(Flat(x, y), 0) : kUntouched) << x << "," << y;
            EXPECT_EQ(block.Shown(x, y), inside ? Argb(Flat(x, y), 0) : kUntouched) << x << "," << y;
            EXPECT_EQ(block.Layer(x, y).a, 255); // the block leaves the layer alone
        }
    // The pencil lowers the layer by the weighted step k = round(10 - 50 / 10) = 5.
    EXPECT_EQ(pencil.Layer(8, 9).a, 250);
    EXPECT_EQ(pencil.Layer(0, 0).a, 255);
}

TEST(BrushClipping, SizeZeroOrOneProcessesExactlyTheCentre) {
    for (int32_t size : {0, 1}) {
        Stamp s(9, 9, Flat);
        EraserBrush(s.display, s.layer, s.h, 4, 4, size, 50, kEraserBrush);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x) {
                const bool centre = x == 4 && y == 4;
                EXPECT_EQ(s.Layer(x, y).a, centre ? 205 : 255) << size;
                EXPECT_EQ(s.Shown(x, y) != kUntouched, centre) << size;
            }
    }
}

TEST(BrushClipping, SquaresTouchingOnlyTheOuterColumnOrRowChangeNothing) {
    // Radius 2 (size 4); each square overlaps the layer in one outer column or row, or not at all.
    const struct {
        int32_t x, y;
    } misses[] = {{-2, 5}, {11, 5}, {5, -2}, {5, 11}, {-30, 5}, {5, 40}, {INT32_MAX, 5}, {5, INT32_MIN}};
    for (const auto& m : misses) {
        Stamp s(10, 10, Flat);
        const auto before = s.LayerBytes();
        EraserBrush(s.display, s.layer, s.h, m.x, m.y, 4, 50, kEraserPencil);
        ToneBrush(s.display, s.layer, s.h, m.x, m.y, 4, 10, kToneSharpen);
        SmudgeBrush(s.display, s.layer, s.h, static_cast<float>(m.x), static_cast<float>(m.y), 4);
        EXPECT_EQ(s.LayerBytes(), before) << m.x << "," << m.y;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) EXPECT_EQ(s.Shown(x, y), kUntouched) << m.x << "," << m.y;
    }
    // One column further in, the outer column is reached.
    Stamp s(10, 10, Flat);
    EraserBrush(s.display, s.layer, s.h, -1, 5, 4, 50, kEraserBrush);
    EXPECT_LT(s.Layer(0, 5).a, 255);
    // A single-pixel brush on the last column or row is clipped away entirely.
    Stamp edge(10, 10, Flat);
    EraserBrush(edge.display, edge.layer, edge.h, 9, 4, 1, 50, kEraserBrush);
    EraserBrush(edge.display, edge.layer, edge.h, 4, 9, 1, 50, kEraserBrush);
    EXPECT_EQ(edge.Layer(9, 4).a, 255);
    EXPECT_EQ(edge.Layer(4, 9).a, 255);
}

TEST(BrushClipping, AHugeSizeOrAnEmptyLayerIsHandled) {
    Stamp s(12, 8, Flat);
    ToneBrush(s.display, s.layer, s.h, 5, 4, INT32_MAX, 3, kToneBurn);
    // The square covers the whole layer: all of it is burnt.
    EXPECT_LT(s.Layer(0, 0).r, 120);
    EXPECT_LT(s.Layer(11, 7).r, 120);
    CDIB empty;
    EraserBrush(s.display, empty, s.h, 5, 4, 6, 50, kEraserBrush);
    SmudgeBrush(s.display, empty, s.h, 5, 4, 6);
    DIBsave noDisplay;
    ToneBrush(noDisplay, s.layer, s.h, 5, 4, 6, 3, kToneDodge); // layer still works without a display
    EXPECT_GT(s.Layer(5, 4).r, 100);
}

TEST(BrushRounding, WeightedStepsThatAreNotWholeRoundToTheNearestAndHalvesToEven) {
    struct Case {
        const char* what;
        int32_t size, strength, tool; // tool 0, 1: eraser brush, pencil; else a tone tool
        uint8_t before;
        int dx, dy;
        uint8_t after;
    };
    // Size 10: r^2 + 1 = 26, so one pixel out w = 25/26 and two out 22/26; size 6 at (1, 2): w = 1/2.
    for (const Case& c : std::vector<Case>{
             {"eraser 255 - 48.08", 10, 50, kEraserBrush, 255, 1, 0, 207},
             {"eraser 255 - 42.31", 10, 50, kEraserBrush, 255, 0, 2, 213},
             {"pencil 255 - 4.81 (k 5)", 10, 50, kEraserPencil, 255, 1, 0, 250},
             {"pencil 255 - 4.23", 10, 50, kEraserPencil, 255, 2, 0, 251},
             {"eraser tie 255 - 1.5", 6, 3, kEraserBrush, 255, 1, 2, 254},
             {"eraser tie 200 - 1.5", 6, 3, kEraserBrush, 200, 1, 2, 198},
             {"dodge 100 + 8.65 (k 9)", 10, 10, kToneDodge, 100, 1, 0, 109},
             {"burn 100 - 8.65", 10, 10, kToneBurn, 100, 0, 1, 91},
             {"saturation 100 + 9.62", 10, -10, kToneSaturation, 100, 1, 0, 110},
             {"saturation 100 + 8.46", 10, -10, kToneSaturation, 100, 2, 0, 108},
             // Size 6, strength 3: k = round(9.7) = 10; the canvas's saturation strengths give c = 0.
             {"burn clamps at 0", 6, 3, kToneBurn, 5, 0, 0, 0},
             {"dodge clamps at 255", 6, 3, kToneDodge, 250, 0, 0, 255},
             {"dodge half way out", 6, 3, kToneDodge, 100, 1, 2, 105},
             {"saturation -10 clamps at 255", 6, -10, kToneSaturation, 254, 0, 0, 255},
             {"saturation -3", 6, -3, kToneSaturation, 20, 0, 0, 23},
         }) {
        SCOPED_TRACE(c.what);
        const bool eraser = c.tool == kEraserBrush || c.tool == kEraserPencil;
        Stamp s(20, 20, [&](int32_t, int32_t) {
            return eraser ? Pixel32{40, 80, 120, c.before} : Pixel32{c.before, c.before, c.before, 255};
        });
        if (eraser)
            EraserBrush(s.display, s.layer, s.h, 10, 10, c.size, c.strength, c.tool);
        else
            ToneBrush(s.display, s.layer, s.h, 10, 10, c.size, c.strength, c.tool);
        const Pixel32 p = s.Layer(10 + c.dx, 10 + c.dy);
        EXPECT_EQ(eraser ? p.a : p.g, c.after);
        EXPECT_EQ(eraser ? p.g : p.a, eraser ? 80 : 255);                                     // the other bytes stay
        EXPECT_EQ(s.Shown(10 + c.dx, 10 + c.dy), Argb(p, c.tool == kEraserPencil ? 0 : p.a)); // and are shown
    }
}

TEST(ToneBrush, SharpenAndSoftenMoveAPixelAgainstOrTowardItsNeighbours) {
    auto dot = [](int32_t x, int32_t y) {
        return x == 6 && y == 6 ? Pixel32{100, 100, 100, 255} : Pixel32{200, 200, 200, 255};
    };
    Stamp flat(13, 13, [](int32_t, int32_t) { return Pixel32{77, 150, 201, 255}; });
    const auto before = flat.LayerBytes();
    ToneBrush(flat.display, flat.layer, flat.h, 6, 6, 8, 10, kToneSharpen);
    ToneBrush(flat.display, flat.layer, flat.h, 6, 6, 8, 30, kToneSoften);
    EXPECT_EQ(flat.LayerBytes(), before); // a flat area keeps its value
    Stamp sharp(13, 13, dot);
    ToneBrush(sharp.display, sharp.layer, sharp.h, 6, 6, 2, 10, kToneSharpen);
    EXPECT_LT(sharp.Layer(6, 6).g, 100);
    EXPECT_EQ(sharp.Shown(6, 6), Argb(sharp.Layer(6, 6), 255));
    Stamp soft(13, 13, dot);
    ToneBrush(soft.display, soft.layer, soft.h, 6, 6, 2, 30, kToneSoften);
    EXPECT_GT(soft.Layer(6, 6).g, 100);
    EXPECT_LT(soft.Layer(6, 6).g, 200);
    // A divisor of 0 or below (sharpen with strength 101 at the centre) leaves pixels as they were.
    Stamp zero(13, 13, dot);
    ToneBrush(zero.display, zero.layer, zero.h, 6, 6, 0, 101, kToneSharpen);
    EXPECT_EQ(zero.Layer(6, 6).g, 100);
}

TEST(ToneBrush, AtTheLayerEdgeNothingOutsideIsReadAndEdgePixelsKeepTheirValue) {
    auto noise = [](int32_t x, int32_t y) {
        const auto v = static_cast<uint8_t>((x * 7 + y * 13) * (x + 3) % 200 + 20);
        return Pixel32{v, static_cast<uint8_t>(255 - v), v, 255};
    };
    Stamp s(6, 6, noise);
    ToneBrush(s.display, s.layer, s.h, 0, 0, 9, 10, kToneSharpen);
    ToneBrush(s.display, s.layer, s.h, 5, 5, 9, 30, kToneSoften);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s.Layer(i, 0).g, noise(i, 0).g);
        EXPECT_EQ(s.Layer(0, i).g, noise(0, i).g);
        EXPECT_EQ(s.Layer(5, i).g, noise(5, i).g);
    }
    int changed = 0;
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 5; ++x) changed += s.Layer(x, y).g != noise(x, y).g;
    EXPECT_GT(changed, 4); // the inside was worked on
}

TEST(SmudgeBrush, FlatAreasStayAndADarkLineMovesByAtMostTwoPerPass) {
    Stamp flat(15, 15, Flat);
    const auto before = flat.LayerBytes();
    SmudgeBrush(flat.display, flat.layer, flat.h, 7.3f, 6.8f, 9);
    EXPECT_EQ(flat.LayerBytes(), before);
    EXPECT_EQ(flat.Shown(7, 7), Argb(Flat(7, 7), 255));

    auto line = [](int32_t, int32_t y) { return y == 7 ? Pixel32{0, 0, 0, 255} : Pixel32{200, 200, 200, 255}; };
    Stamp s(15, 15, line);
    SmudgeBrush(s.display, s.layer, s.h, 7.0f, 7.0f, 9); // radius 4 (4.5 rounds to even)
    int lightened = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            const Pixel32 p = s.Layer(x, y), was = line(x, y);
            const int moved = std::abs(p.g - was.g);
            EXPECT_LE(moved, 8) << x << "," << y; // four passes of at most two steps
            EXPECT_EQ(p.a, 255);
            if (!InCircle(x - 7, y - 7, 4)) {
                EXPECT_EQ(moved, 0) << x << "," << y;
                EXPECT_EQ(s.Shown(x, y), kUntouched);
            } else {
                EXPECT_EQ(s.Shown(x, y), Argb(p, 255));
            }
            if (y == 7 && InCircle(x - 7, 0, 4)) {
                EXPECT_GT(p.g, 0) << x;
                lightened += p.g > 0;
            }
        }
    EXPECT_EQ(lightened, 9);
}
