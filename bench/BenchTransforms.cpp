// Whole-image transforms the canvas applies to a photograph.
#include "bench/Bench.h"

#include "imaging/DIBsave.h"
#include "imaging/ImageTransforms.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"

namespace {

constexpr int kW = 4000, kH = 3000;

GdipBitmap& Photo() {
    static GdipBitmap photo;
    return photo;
}

void MakePhoto() {
    if (Photo()) return;
    GdipGraphics g;
    GdipLineGradient ramp;
    GpPointF a{0, 0}, b{kW, kH};
    BenchCheck(GdipCreateBitmapFromScan0(kW, kH, 0, PixelFormat32bppARGB, nullptr, Photo().put()) == Ok &&
                   GdipGetImageGraphicsContext(Photo().get(), g.put()) == Ok &&
                   GdipCreateLineBrush(&a, &b, ColorARGB(255, 200, 40, 30), ColorARGB(255, 20, 90, 220), WrapModeTile,
                                       ramp.put()) == Ok &&
                   GdipFillRectangleI(g.get(), ramp.get(), 0, 0, kW, kH) == Ok,
               "the photograph could not be made");
}

// An output bitmap of the photograph's size; high quality as the apply step makes it.
bool MakeOutput(DIBsave& out, bool highQuality) {
    return BenchCheck(out.CreateBlankMemory(kH, kW, nullptr, false, highQuality) && out.MemGraphics,
                      "the output bitmap could not be made");
}

// The transforms draw over the whole output: a clear pixel in its middle means nothing was drawn.
void CheckDrawn(const DIBsave& out) {
    ARGB middle = 0;
    BenchCheck(GdipBitmapGetPixel(out.new_Img, kW / 2, kH / 2, &middle) == Ok && (middle >> 24) != 0,
               "the image was not drawn");
}

const bool registered = [] {
    RegisterBench({"draw a 12 MP image unchanged (adjustment baseline)", 12.0, MakePhoto, [] {
                       DIBsave out;
                       if (!MakeOutput(out, false)) return;
                       AdjustColorMatrix(DrawTarget::Surface(out.MemGraphics), Photo().get(), kAdjustNone, 1, 0, 0, kW,
                                         kH, 0);
                       CheckDrawn(out);
                   }});
    RegisterBench({"colour adjustment (brightness) of a 12 MP image", 12.0, MakePhoto, [] {
                       DIBsave out;
                       if (!MakeOutput(out, false)) return;
                       AdjustColorMatrix(DrawTarget::Surface(out.MemGraphics), Photo().get(), kAdjustBrightnessContrast,
                                         1, 0, 0, kW, kH, 0.1f);
                       CheckDrawn(out);
                   }});
    RegisterBench({"5-degree rotation of a 12 MP image (high quality)", 12.0, MakePhoto, [] {
                       DIBsave out;
                       if (!MakeOutput(out, true)) return;
                       DrawImageRotated(DrawTarget::Surface(out.MemGraphics), Photo().get(), kW, kH, kW, kH,
                                        5.0f / 2.0f, true, 0);
                       CheckDrawn(out);
                   }});
    return RegisterBenchCleanup([] { Photo().reset(); });
}();

} // namespace
