// Whether this platform's picture decoder runs side by side on several threads: N threads, each
// decoding its own 12-megapixel JPEG with its own GDI+ objects, against one thread decoding the
// same number of pictures. If the decoder were serialised, N threads would take N times as long.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "imaging/GdiDIB.h"
#include "platform/GdipHandles.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 4000, kHeight = 3000, kFiles = 8, kPerThread = 2;

std::wstring PhotoPath(int i) {
    return BenchFolder() + L"decode" + std::to_wstring(i) + L".jpg";
}

void MakePhotos() {
    for (int i = 0; i < kFiles; ++i)
        WriteNoisyPhoto(PhotoPath(i), kWidth, kHeight, 77u + static_cast<uint32_t>(i),
                        PhotoTint{20 * i, 180, 60 + 10 * i});
}

std::atomic<int> failures{0};

// Loads the file and reads every pixel once (GDI+ decodes on first use), as the grid does.
void Decode(const std::wstring& path) {
    GdiDIB image;
    if (!image.Import(path)) {
        ++failures;
        return;
    }
    auto* bitmap = static_cast<GpBitmap*>(image.DIB());
    BitmapData data{};
    GpRect all(0, 0, image.Width(), image.Height());
    if (GdipBitmapLockBits(bitmap, &all, ImageLockModeRead, PixelFormat24bppRGB, &data) == Ok)
        GdipBitmapUnlockBits(bitmap, &data);
    else
        ++failures;
}

double DecodeOn(int threads) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([t] {
            for (int k = 0; k < kPerThread; ++k) Decode(PhotoPath(t % kFiles));
        });
    for (std::thread& w : workers) w.join();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

const bool registered = [] {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (int n : {1, 2, 4, 8}) {
        if (n > 1 && static_cast<unsigned>(n) > cores) continue;
        const std::string name =
            "decoder: " + std::to_string(n) + " thread(s) x " + std::to_string(kPerThread) + " decodes of a 12 MP JPEG";
        RegisterBench({name, 12.0 * n * kPerThread, MakePhotos,
                       [n] {
                           (void)DecodeOn(n);
                           BenchCheck(failures.exchange(0) == 0, "a decode failed");
                       },
                       3,
                       [n, name] {
                           const double one = MedianOf("decoder: 1 thread(s) x " + std::to_string(kPerThread) +
                                                       " decodes of a 12 MP JPEG");
                           const double mine = MedianOf(name);
                           if (one > 0 && mine > 0)
                               std::printf("  %d threads: %.2fx the throughput of one (serialised would be 1.00x)\n", n,
                                           one * n / mine);
                       }});
    }
    return true;
}();

} // namespace
