// The box reduction of a decoded photograph (24 bpp, as the platform decodes a JPEG) to a grid cell:
// once, and on four threads at once as the grid's decoding threads run it.
#include "bench/Bench.h"

#include "browser/ThumbnailMaker.h"
#if __has_include("imaging/BoxReduce.h")
#include "imaging/BoxReduce.h"
#else
#include "editor/BoxReduce.h"
#endif
#include "platform/GdipHandles.h"

#include <cstdint>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 4000, kHeight = 3000, kThreads = 4;

GdipBitmap Photo(int width = kWidth, int height = kHeight) {
    GdipBitmap bitmap;
    GdipCreateBitmapFromScan0(width, height, 0, PixelFormat24bppRGB, nullptr, bitmap.put());
    GpRect all{0, 0, width, height};
    BitmapData data{};
    if (GdipBitmapLockBits(bitmap.get(), &all, ImageLockModeWrite, PixelFormat24bppRGB, &data) != Ok) return bitmap;
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

void ReduceToCanvas(GpBitmap* photo) {
    GdipBitmap view;
    GdipCreateBitmapFromScan0(1280, 853, 0, PixelFormat32bppARGB, nullptr, view.put());
    (void)ReduceInto(photo, view.get());
}

std::vector<GdipBitmap>& Photos() {
    static std::vector<GdipBitmap> photos;
    return photos;
}

const bool registered = [] {
    const auto setup = [] {
        while (Photos().size() < kThreads) Photos().push_back(Photo());
    };
    RegisterBench({"box reduce: a 24 bpp 4000 x 3000 photograph to 150 x 112", 12.0, setup,
                   [] { (void)ReduceImage(Photos()[0].get(), 150, 112); }});
    RegisterBench({"box reduce: four of them at once, one a thread", 48.0, setup, [] {
                       std::vector<std::thread> threads;
                       for (int i = 0; i < kThreads; ++i)
                           threads.emplace_back([i] { (void)ReduceImage(Photos()[i].get(), 150, 112); });
                       for (std::thread& t : threads) t.join();
                   }});
    RegisterBench({"box reduce: a 24 bpp 6000 x 4000 photograph to the canvas's 1280 x 853", 24.0,
                   [] {
                       if (!Large()) Large() = Photo(6000, 4000);
                   },
                   [] { ReduceToCanvas(Large().get()); }});
    RegisterBench({"box reduce: the same with alpha (32 bpp ARGB)", 24.0,
                   [] {
                       if (!Large()) Large() = Photo(6000, 4000);
                       if (!LargeWithAlpha())
                           GdipCloneBitmapAreaI(0, 0, 6000, 4000, PixelFormat32bppARGB, Large().get(),
                                                LargeWithAlpha().put());
                   },
                   [] { ReduceToCanvas(LargeWithAlpha().get()); }});
    return true;
}();

} // namespace
