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
    GdipCreateBitmapFromScan0(kW, kH, 0, PixelFormat32bppARGB, nullptr, Photo().put());
    GdipGraphics g;
    GdipGetImageGraphicsContext(Photo().get(), g.put());
    GdipLineGradient ramp;
    GpPointF a{0, 0}, b{kW, kH};
    GdipCreateLineBrush(&a, &b, ColorARGB(255, 200, 40, 30), ColorARGB(255, 20, 90, 220), WrapModeTile, ramp.put());
    GdipFillRectangleI(g.get(), ramp.get(), 0, 0, kW, kH);
}

const bool registered = [] {
    RegisterBench({"draw a 12 MP image unchanged (adjustment baseline)", 12.0, MakePhoto, [] {
                       DIBsave out;
                       (void)out.CreateBlankMemory(kH, kW);
                       AdjustColorMatrix(DrawTarget::Surface(out.MemGraphics), Photo().get(), kAdjustNone, 1, 0, 0, kW,
                                         kH, 0);
                   }});
    RegisterBench({"colour adjustment (brightness) of a 12 MP image", 12.0, MakePhoto, [] {
                       DIBsave out;
                       (void)out.CreateBlankMemory(kH, kW);
                       AdjustColorMatrix(DrawTarget::Surface(out.MemGraphics), Photo().get(), kAdjustBrightnessContrast,
                                         1, 0, 0, kW, kH, 0.1f);
                   }});
    RegisterBench({"5-degree rotation of a 12 MP image (high quality)", 12.0, MakePhoto, [] {
                       DIBsave out;
                       (void)out.CreateBlankMemory(kH, kW, nullptr, false, true);
                       DrawImageRotated(DrawTarget::Surface(out.MemGraphics), Photo().get(), kW, kH, kW, kH,
                                        5.0f / 2.0f, true, 0);
                   }});
    return true;
}();

} // namespace
