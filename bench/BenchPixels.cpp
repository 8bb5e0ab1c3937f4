// Pixel work: copying a whole photograph between GDI+ and the pixel bitmap, and one pass over its
// pixels through the pixel view, the inner loop of every brush and filter.
#include "bench/Bench.h"

#include "imaging/CDIB.h"
#include "imaging/EffectBuffers.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

struct PixelBench {
    GdipBitmap picture;
    CDIB dib;
};

PixelBench& State() {
    // Never destroyed: its teardown would come after GDI+ has been shut down.
    static PixelBench* state = new PixelBench;
    return *state;
}

void Prepare() {
    PixelBench& s = State();
    if (s.picture) return;
    GdipGraphics g;
    if (!BenchCheck(GdipCreateBitmapFromScan0(kWidth, kHeight, 0, PixelFormat32bppARGB, nullptr, s.picture.put()) ==
                            Ok &&
                        GdipGetImageGraphicsContext(s.picture.get(), g.put()) == Ok,
                    "the picture could not be made"))
        return;
    GdipLineGradient gradient;
    GpPointF a{0, 0}, b{static_cast<REAL>(kWidth), static_cast<REAL>(kHeight)};
    GdipCreateLineBrush(&a, &b, ColorARGB(255, 30, 90, 160), ColorARGB(200, 240, 200, 80), WrapModeTile,
                        gradient.put());
    GdipFillRectangleI(g.get(), gradient.get(), 0, 0, kWidth, kHeight);
    BenchCheck(s.dib.Create(kWidth, kHeight, 32) && GdipImageToDIB(s.dib, s.picture.get()),
               "the pixel bitmap could not be made");
}

void IntoDib() {
    BenchCheck(GdipImageToDIB(State().dib, State().picture.get()), "the copy into the pixel bitmap failed");
}

void BackToGdip() {
    GdipBitmap back(DIBToGdipBitmap(State().dib));
    BenchCheck(static_cast<bool>(back), "the copy back to GDI+ failed");
}

const bool registered = [] {
    RegisterBench({"12 MP image into a CDIB and back to GDI+", 12.0, Prepare, [] {
                       IntoDib();
                       BackToGdip();
                   }});
    RegisterBench({"12 MP image into a CDIB", 12.0, Prepare, IntoDib});
    RegisterBench({"12 MP CDIB to a new GDI+ bitmap", 12.0, Prepare, BackToGdip});
    RegisterBench({"12 MP pass through the pixel view (checked access)", 12.0, Prepare, [] {
                       DIBArray view;
                       ScopedDIBArray attach(State().dib, view);
                       if (!BenchCheck(view.Attached(), "no pixels to pass through")) return;
                       for (int32_t y = 0; y < view.Height(); ++y)
                           for (int32_t x = 0; x < view.Width(); ++x) {
                               Pixel32* p = view.At(x, y);
                               if (!p) continue;
                               // A brush-like blend: darken by a quarter, keep alpha.
                               p->b = static_cast<uint8_t>(p->b - (p->b >> 2));
                               p->g = static_cast<uint8_t>(p->g - (p->g >> 2));
                               p->r = static_cast<uint8_t>(p->r - (p->r >> 2));
                           }
                   }});
    return RegisterBenchCleanup([] {
        State().picture.reset();
        State().dib.Destroy();
    });
}();

} // namespace
