// Loading, fitting and saving whole photographs.
#include "bench/Bench.h"

#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// A photograph-like picture (smooth gradients with detail) so that encoders do real work.
void DrawTestPicture(DIBsave& target, int width, int height) {
    target.Destroy();
    if (!BenchCheck(target.CreateBlankMemory(height, width) && target.MemGraphics, "the picture could not be made"))
        return;
    GdipLineGradient gradient;
    GpPointF a{0, 0}, b{static_cast<REAL>(width), static_cast<REAL>(height)};
    GdipCreateLineBrush(&a, &b, ColorARGB(255, 30, 90, 160), ColorARGB(255, 240, 200, 80), WrapModeTile,
                        gradient.put());
    GdipFillRectangleI(target.MemGraphics, gradient.get(), 0, 0, width, height);
    GdipPen pen;
    GdipCreatePen1(ColorARGB(255, 20, 120, 40), 3, UnitPixel, pen.put());
    for (int i = 0; i < 400; ++i) {
        const float t = static_cast<float>(i) / 400.f;
        GdipDrawEllipse(target.MemGraphics, pen.get(), width * t, height * (0.5f + 0.4f * std::sin(t * 31.f)),
                        60 + 400 * t, 40 + 200 * t);
    }
    // Sensor-like noise, so that lossless encoders work as hard as on a photograph.
    GpRect all{0, 0, width, height};
    BitmapData data{};
    if (!BenchCheck(GdipBitmapLockBits(target.new_Img, &all, ImageLockModeRead | ImageLockModeWrite,
                                       PixelFormat32bppARGB, &data) == Ok,
                    "the picture's noise could not be drawn"))
        return;
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < width * 4; ++x) {
            if (x % 4 == 3) continue;
            seed = seed * 1664525u + 1013904223u;
            const int v = row[x] + static_cast<int>((seed >> 24) & 15) - 8;
            row[x] = static_cast<uint8_t>(std::clamp(v, 0, 255));
        }
    }
    GdipBitmapUnlockBits(target.new_Img, &data);
}

const std::wstring& Jpeg24() {
    static const std::wstring path = BenchFolder() + L"photo24mp.jpg";
    return path;
}

DIBsave& Picture12() {
    static DIBsave picture;
    return picture;
}

const bool registered = [] {
    RegisterBench(
        {"load 24 MP JPEG and draw it fitted into 200 x 150", 24.0,
         [] {
             DIBsave photo;
             DrawTestPicture(photo, 6000, 4000);
             BenchCheck(photo.Save(Jpeg24(), kFormatJpeg, 90), "the photograph could not be written");
         },
         [] {
             GdiDIB image;
             DIBsave thumb;
             if (!BenchCheck(image.Import(Jpeg24()) && thumb.CreateBlankMemory(150, 200, nullptr, false, true),
                             "the photograph could not be loaded"))
                 return;
             float x, y, w, h;
             GdiDIB::GetBestFitInfo(image.Width(), image.Height(), 200, 150, x, y, w, h);
             BenchCheck(GdipDrawImageRect(thumb.MemGraphics, image.DIB(), x, y, w, h) == Ok,
                        "the photograph could not be drawn");
         }});
    RegisterBench({"save 12 MP bitmap as PNG", 12.0, [] { DrawTestPicture(Picture12(), 4000, 3000); },
                   [] {
                       BenchCheck(Picture12().Save(BenchFolder() + L"save12.png", kFormatPng, 0),
                                  "the PNG could not be written");
                   },
                   3});
    RegisterBench({"save 12 MP bitmap as JPEG", 12.0, [] { DrawTestPicture(Picture12(), 4000, 3000); },
                   [] {
                       BenchCheck(Picture12().Save(BenchFolder() + L"save12.jpg", kFormatJpeg, 90),
                                  "the JPEG could not be written");
                   }});
    return RegisterBenchCleanup([] { Picture12().Destroy(); });
}();

} // namespace
