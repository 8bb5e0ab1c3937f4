// The brush dabs and layer filters: the loops that run on every dab and every stamp effect.
#include "bench/Bench.h"

#include "imaging/BrushTools.h"
#include "imaging/LayerFilters.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kFilterW = 4000, kFilterH = 3000; // 12 megapixels
constexpr int kStampW = 1200, kStampH = 900;
constexpr int kDabs = 200, kBrushSize = 61; // radius 30

// A busy, opaque picture: gradients with a fine pattern, so no filter meets only flat areas.
uint32_t PictureAt(int x, int y) {
    const uint32_t r = static_cast<uint32_t>((x * 255) / kFilterW);
    const uint32_t g = static_cast<uint32_t>((y * 255) / kFilterH);
    const uint32_t b = static_cast<uint32_t>((x * 7 + y * 13) & 0xFF);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

void FillCdib(CDIB& dib, int w, int h) {
    if (!BenchCheck(dib.Create(w, h, 32), "the picture could not be made")) return;
    DIBArray view;
    ScopedDIBArray attach(dib, view);
    for (int y = 0; y < h; ++y) {
        Pixel32* row = view.Row(y);
        for (int x = 0; x < w; ++x) {
            const uint32_t c = PictureAt(x * kFilterW / w, y * kFilterH / h);
            row[x] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16), 255};
        }
    }
}

// The layer as a GDI+ bitmap, for the whole filter calls.
DIBsave& FilterLayer() {
    static DIBsave layer;
    return layer;
}

void MakeFilterLayer() {
    if (FilterLayer().new_Img) return;
    CDIB dib;
    FillCdib(dib, kFilterW, kFilterH);
    GdipBitmap bitmap(DIBToGdipBitmap(dib));
    if (!BenchCheck(bitmap && FilterLayer().CreateBlankMemory(kFilterH, kFilterW) && FilterLayer().MemGraphics,
                    "the layer could not be made"))
        return;
    GdipSetCompositingMode(FilterLayer().MemGraphics, CompositingModeSourceCopy);
    BenchCheck(GdipDrawImageRectI(FilterLayer().MemGraphics, bitmap.get(), 0, 0, kFilterW, kFilterH) == Ok,
               "the layer could not be drawn");
}

// The pixel loops alone, over a 12 MP source and target. The kernel filters the target in place
// run after run, which costs the same each time (no branch but the alpha test depends on values).
CDIB& LoopSource() {
    static CDIB dib;
    return dib;
}
CDIB& LoopTarget() {
    static CDIB dib;
    return dib;
}

void MakeLoopBitmaps() {
    if (LoopSource().lpBits()) return;
    FillCdib(LoopSource(), kFilterW, kFilterH);
    BenchCheck(LoopSource().CloneTo(LoopTarget()), "the target could not be made");
}

template <typename Apply> void RunLoops(Apply apply) {
    DIBArray src, dst;
    ScopedDIBArray a(LoopSource(), src), b(LoopTarget(), dst);
    if (BenchCheck(src.Attached() && dst.Attached(), "no pixels to filter")) apply(src, dst);
}

// The stamp of the brush strokes, made once: later strokes over the changed layer cost the same.
struct StrokeStamp {
    CDIB layer;
    DIBsave display;
};

StrokeStamp& Stamp() {
    static StrokeStamp stamp;
    return stamp;
}

void ResetStamp() {
    FillCdib(Stamp().layer, kStampW, kStampH);
    Stamp().display.Destroy();
    BenchCheck(Stamp().display.CreateBlankMemory(kStampH, kStampW), "the display bitmap could not be made");
}

// Pixels inside one dab's circle times the dabs: the rate counts brush pixels.
double StrokeMegapixels() {
    const int r = kBrushSize / 2;
    int inside = 0;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) inside += dx * dx + dy * dy < r * r + 1;
    return static_cast<double>(inside) * kDabs / 1e6;
}

// A diagonal stroke of dabs 4 pixels apart, as a drag across the stamp gives.
template <typename Dab> void Stroke(Dab dab) {
    for (int i = 0; i < kDabs; ++i) dab(100 + i * 4, 100 + i * 3);
}

void Filtered(const GdipBitmap& result) {
    BenchCheck(static_cast<bool>(result), "the filter gave no bitmap");
}

void RegisterFilters() {
    const double mp = kFilterW * kFilterH / 1e6;
    RegisterBench({"filter loop: blur 3 x 3 (12 MP)", mp, MakeLoopBitmaps,
                   [] { RunLoops([](const DIBArray&, const DIBArray& dst) { ApplyKernel(dst, 100, kFilterBlur); }); }});
    RegisterBench({"filter loop: sharpen 3 x 3 (12 MP)", mp, MakeLoopBitmaps, [] {
                       RunLoops([](const DIBArray&, const DIBArray& dst) { ApplyKernel(dst, 90, kFilterSharpen); });
                   }});
    RegisterBench({"filter loop: soften 4-neighbour (12 MP)", mp, MakeLoopBitmaps, [] {
                       RunLoops([](const DIBArray&, const DIBArray& dst) { ApplyKernel(dst, 100, kFilterSoften); });
                   }});
    RegisterBench({"filter loop: neighbour maximum (12 MP)", mp, MakeLoopBitmaps, [] { RunLoops(ApplyMaxNeighbour); }});
    RegisterBench({"filter loop: contour 3 x 3 (12 MP)", mp, MakeLoopBitmaps, [] { RunLoops(ApplyContour); }});
    RegisterBench({"filter call: KernelFilter blur (12 MP)", mp, MakeFilterLayer,
                   [] { Filtered(KernelFilter(FilterLayer(), kFilterW, kFilterH, 100, kFilterBlur)); }, 3});
    RegisterBench({"filter call: MaxNeighbourFilter (12 MP)", mp, MakeFilterLayer,
                   [] { Filtered(MaxNeighbourFilter(FilterLayer(), kFilterW, kFilterH)); }, 3});
    RegisterBench({"filter call: ContourFilter (12 MP)", mp, MakeFilterLayer,
                   [] { Filtered(ContourFilter(FilterLayer(), kFilterW, kFilterH)); }, 3});
}

void RegisterBrushes() {
    const double mp = StrokeMegapixels();
    auto stroke = [mp](const char* name, auto dab) { RegisterBench({name, mp, ResetStamp, [dab] { Stroke(dab); }}); };
    stroke("brush stroke: eraser, 200 dabs of size 61", [](int x, int y) {
        EraserBrush(Stamp().display, Stamp().layer, kStampH, x, y, kBrushSize, 50, kEraserBrush);
    });
    stroke("brush stroke: pencil eraser, 200 dabs", [](int x, int y) {
        EraserBrush(Stamp().display, Stamp().layer, kStampH, x, y, kBrushSize, 50, kEraserPencil);
    });
    stroke("brush stroke: dodge, 200 dabs",
           [](int x, int y) { ToneBrush(Stamp().display, Stamp().layer, kStampH, x, y, kBrushSize, 10, kToneDodge); });
    stroke("brush stroke: sharpen, 200 dabs", [](int x, int y) {
        ToneBrush(Stamp().display, Stamp().layer, kStampH, x, y, kBrushSize, 10, kToneSharpen);
    });
    stroke("brush stroke: soften, 200 dabs",
           [](int x, int y) { ToneBrush(Stamp().display, Stamp().layer, kStampH, x, y, kBrushSize, 30, kToneSoften); });
    stroke("brush stroke: saturation, 200 dabs", [](int x, int y) {
        ToneBrush(Stamp().display, Stamp().layer, kStampH, x, y, kBrushSize, -10, kToneSaturation);
    });
    stroke("brush stroke: smudge, 200 dabs", [](int x, int y) {
        SmudgeBrush(Stamp().display, Stamp().layer, kStampH, static_cast<float>(x) + 0.3f, static_cast<float>(y) + 0.6f,
                    kBrushSize);
    });
    // The share of the display: the same stroke with no display bitmap to copy into.
    RegisterBench({"brush stroke: eraser, layer only (no display bitmap)", mp,
                   [] {
                       ResetStamp();
                       Stamp().display.Destroy();
                   },
                   [] {
                       Stroke([](int x, int y) {
                           EraserBrush(Stamp().display, Stamp().layer, kStampH, x, y, kBrushSize, 50, kEraserBrush);
                       });
                   }});
}

const bool registered = [] {
    RegisterFilters();
    RegisterBrushes();
    return RegisterBenchCleanup([] {
        FilterLayer().Destroy();
        LoopSource().Destroy();
        LoopTarget().Destroy();
        Stamp().layer.Destroy();
        Stamp().display.Destroy();
        FreeEffectBuffers(); // the filters' work bitmap
    });
}();

} // namespace
