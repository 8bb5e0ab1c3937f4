// A folder of 16 PNGs of 6000 x 4000 at 16 bits a channel, each about 140 MB once decoded: the time
// until the grid has made the last cell and the process's peak memory meanwhile, beside the
// platform decoding the same files one after another on one thread. bench/run.sh makes the folder
// (with ImageMagick) before the program starts.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "browser/ThumViewer.h"
#include "platform/GdipHandles.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kFiles = 16;

// The largest working set seen while it runs, sampled every few milliseconds.
class PeakMemory {
public:
    PeakMemory()
        : sampler_([this] {
              while (!done_) {
                  Sample();
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          }) {}
    ~PeakMemory() { Stop(); }
    PeakMemory(const PeakMemory&) = delete;
    PeakMemory& operator=(const PeakMemory&) = delete;
    size_t StopMegabytes() {
        Stop();
        return peak_ / (1024 * 1024);
    }

private:
    void Sample() {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
            peak_ = std::max(peak_.load(), static_cast<size_t>(counters.WorkingSetSize));
    }
    void Stop() {
        if (done_.exchange(true)) return;
        sampler_.join();
        Sample();
    }
    std::atomic<bool> done_{false};
    std::atomic<size_t> peak_{0};
    std::thread sampler_;
};

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct GridRun {
    int cells = 0;
    size_t peakMb = 0;
};
GridRun lastGrid;

void Setup() {
    const int found = CountEntries(LargePngFolder());
    BenchCheck(found == kFiles, "the folder of large PNGs is missing: run the benchmark through bench/run.sh");
}

// A fresh grid shows the folder; every cell is in the first screen.
void TimeGrid() {
    PeakMemory peak;
    ThumViewer grid;
    if (!CreateBenchGrid(grid)) return;
    grid.Path(LargePngFolder());
    grid.CreateThumbnail();
    lastGrid.peakMb = peak.StopMegabytes();
    lastGrid.cells = 0;
    for (int32_t row : grid.ShownRows())
        if (grid.FitRects()[static_cast<size_t>(row)].Width > 0) ++lastGrid.cells;
    BenchCheck(grid.ListCount() == kFiles, "the grid does not list every file");
}

void Report() {
    // The platform alone: each file loaded and decoded (a one-pixel draw makes it decode), in turn.
    PeakMemory peak;
    const auto start = std::chrono::steady_clock::now();
    int decoded = 0;
    for (int i = 0; i < kFiles; ++i) {
        GdipImage image;
        GdipBitmap one;
        GdipGraphics g;
        decoded += GdipLoadImageFromFile(LargePngFile(i).c_str(), image.put()) == Ok &&
                   GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, one.put()) == Ok &&
                   GdipGetImageGraphicsContext(one.get(), g.put()) == Ok &&
                   GdipDrawImageRectI(g.get(), image.get(), 0, 0, 1, 1) == Ok;
    }
    const double alone = Since(start);
    const size_t alonePeak = peak.StopMegabytes();
    const double grid = MedianOf("large pictures: 16 PNGs of 6000 x 4000, grid to the last cell");
    std::printf("  cells made %d of %d (aim: all); peak working set %zu MB (aim: under 1,536)\n", lastGrid.cells,
                kFiles, lastGrid.peakMb);
    std::printf("  platform decoding them in turn on one thread: %.0f ms (%d decoded, peak %zu MB); the grid "
                "took %.2f of that (aim: at most 0.33)\n",
                alone, decoded, alonePeak, alone > 0 ? grid / alone : 0.0);
    BenchCheck(lastGrid.cells == kFiles, "a cell was left without its picture");
}

const bool registered =
    RegisterBench({"large pictures: 16 PNGs of 6000 x 4000, grid to the last cell", 0, Setup, TimeGrid, 3, Report});

} // namespace
