// The box reduction of a decoded photograph (24 bpp, as the platform decodes a JPEG) to a grid cell:
// once, and on four threads at once as the grid's decoding threads run it; and to the canvas's
// view, beside the platform's own scaling of the same photograph to the same size.
#include "bench/Bench.h"

#include "imaging/BoxReduce.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 4000, kHeight = 3000, kThreads = 4;
constexpr int kViewW = 1280, kViewH = 853;

GdipBitmap Photo(int width = kWidth, int height = kHeight) {
    GdipBitmap bitmap;
    if (!BenchCheck(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat24bppRGB, nullptr, bitmap.put()) == Ok,
                    "the photograph could not be made"))
        return {};
    GpRect all{0, 0, width, height};
    BitmapData data{};
    if (!BenchCheck(GdipBitmapLockBits(bitmap.get(), &all, ImageLockModeWrite, PixelFormat24bppRGB, &data) == Ok,
                    "the photograph could not be drawn"))
        return {};
    for (int y = 0; y < height; ++y) {
        uint8_t* row = static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < width * 3; ++x) row[x] = static_cast<uint8_t>((x * 7) ^ (y * 3));
    }
    GdipBitmapUnlockBits(bitmap.get(), &data);
    return bitmap;
}

GdipBitmap& Large() {
    static GdipBitmap large;
    return large;
}

// The same with an alpha channel (a PNG's), which is converted for reading.
GdipBitmap& LargeWithAlpha() {
    static GdipBitmap large;
    return large;
}

// The canvas's view buffer, made once: the runs time the reduction alone.
GdipBitmap& View() {
    static GdipBitmap view;
    return view;
}

void MakeLarge() {
    if (!Large()) Large() = Photo(6000, 4000);
    if (!View())
        BenchCheck(GdipCreateBitmapFromScan0(kViewW, kViewH, 0, PixelFormat32bppARGB, nullptr, View().put()) == Ok,
                   "the view bitmap could not be made");
}

void MakeLargeWithAlpha() {
    MakeLarge();
    if (!LargeWithAlpha() && Large())
        BenchCheck(
            GdipCloneBitmapAreaI(0, 0, 6000, 4000, PixelFormat32bppARGB, Large().get(), LargeWithAlpha().put()) == Ok,
            "the photograph with alpha could not be made");
}

// The box reduction itself: a fallback to the platform's drawing would time something else.
void ReduceToView(GpBitmap* photo) {
    BenchCheck(AverageInto(photo, View().get()), "the box reduction failed");
}

std::vector<GdipBitmap>& Photos() {
    static std::vector<GdipBitmap> photos;
    return photos;
}

void ReduceToCell(GpBitmap* photo) {
    GdipBitmap cell;
    BenchCheck(GdipCreateBitmapFromScan0(150, 112, 0, PixelFormat32bppPARGB, nullptr, cell.put()) == Ok &&
                   AverageInto(photo, cell.get()),
               "the box reduction failed");
}

const char* const kCanvasName = "box reduce: a 24 bpp 6000 x 4000 photograph to the canvas's 1280 x 853";
const char* const kAlphaName = "box reduce: the same with alpha (32 bpp ARGB)";
const char* const kPlatformName = "box reduce: platform draws the 24 bpp photograph at 1280 x 853";

const bool registered = [] {
    const auto setup = [] {
        while (Photos().size() < kThreads) {
            GdipBitmap photo = Photo();
            if (!photo) return; // said by Photo
            Photos().push_back(std::move(photo));
        }
    };
    RegisterBench({"box reduce: a 24 bpp 4000 x 3000 photograph to 150 x 112", 12.0, setup,
                   [] { ReduceToCell(Photos()[0].get()); }});
    RegisterBench({"box reduce: four of them at once, one a thread", 48.0, setup, [] {
                       // Checked here after the threads: BenchCheck is for the runner's own thread.
                       bool done[kThreads] = {};
                       std::vector<std::thread> threads;
                       for (int i = 0; i < kThreads; ++i)
                           threads.emplace_back([i, &done] {
                               GdipBitmap cell;
                               done[i] = GdipCreateBitmapFromScan0(150, 112, 0, PixelFormat32bppPARGB, nullptr,
                                                                   cell.put()) == Ok &&
                                         AverageInto(Photos()[static_cast<size_t>(i)].get(), cell.get());
                           });
                       for (std::thread& t : threads) t.join();
                       for (bool ok : done) BenchCheck(ok, "a box reduction on a thread failed");
                   }});
    RegisterBench({kCanvasName, 24.0, MakeLarge, [] { ReduceToView(Large().get()); }});
    RegisterBench({kAlphaName, 24.0, MakeLargeWithAlpha, [] { ReduceToView(LargeWithAlpha().get()); }});
    // What the canvas would cost without the box reduction: the platform's high-quality scaling,
    // which here samples instead of averaging.
    RegisterBench(
        {kPlatformName, 24.0, MakeLarge,
         [] {
             GdipGraphics g;
             if (!BenchCheck(GdipGetImageGraphicsContext(View().get(), g.put()) == Ok, "no surface on the view"))
                 return;
             GdipSetInterpolationMode(g.get(), InterpolationModeHighQualityBicubic);
             BenchCheck(GdipDrawImageRectI(g.get(), Large().get(), 0, 0, kViewW, kViewH) == Ok,
                        "the platform's scaling failed");
         },
         3,
         [] {
             const double platform = MedianOf(kPlatformName);
             for (const char* name : {kCanvasName, kAlphaName})
                 if (MedianOf(name) > 0)
                     std::printf("  the platform's scaling takes %.1f times \"%s\"\n", platform / MedianOf(name), name);
         }});
    return RegisterBenchCleanup([] {
        Photos().clear();
        Large().reset();
        LargeWithAlpha().reset();
        View().reset();
    });
}();

} // namespace
