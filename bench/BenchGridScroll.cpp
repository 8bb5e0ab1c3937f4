// Scrolling a large grid of small thumbnails: 1,000 PNGs (no embedded thumbnails) at the smallest
// size in a 2,560 x 1,440 view. After the first screen each scroll step brings in one row of cells;
// the figures say how many pictures a step decodes and what a step costs, beside the platform
// decoder's own time for one row of the same files.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "browser/ThumViewer.h"
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 1000;
constexpr int kViewWidth = 2560, kViewHeight = 1440;
constexpr float kSmallest = 60; // the smallest thumbnail size the size menu offers
constexpr int kSteps = 15;      // of the 20 rows the grid scrolls through below its first screen

const std::wstring& Folder() {
    static const std::wstring folder = BenchFolder() + L"png1000\\";
    return folder;
}

std::wstring FileName(int i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"PIC%04d.png", i);
    return Folder() + name;
}

// One 800 x 600 photograph as PNG, copied under every name (made once and kept).
bool MakeFiles() {
    if (::GetFileAttributesW(FileName(kFiles - 1).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    ::CreateDirectoryW(Folder().c_str(), nullptr);
    const std::wstring jpeg = BenchFolder() + L"scroll-source.jpg", png = BenchFolder() + L"scroll-source.png";
    WriteNoisyPhoto(jpeg, 800, 600, 77u, {40, 150, 90});
    GdiDIB source;
    if (!BenchCheck(source.Import(jpeg), "the photograph did not load") ||
        !BenchCheck(SaveImageSafely(source.DIB(), png, kFormatPng, 0), "the PNG could not be written"))
        return false;
    const std::string bytes = ReadAll(png);
    if (!BenchCheck(!bytes.empty(), "the PNG could not be read back")) return false;
    for (int i = 0; i < kFiles; ++i)
        if (!BenchCheck(WriteAll(FileName(i), bytes), "a copy of the PNG could not be written")) return false;
    return true;
}

BenchKept<ThumViewer> keptGrid;

struct Step {
    double ms = 0;
    int32_t decodes = 0;
};
std::vector<Step>& Steps() {
    static std::vector<Step> steps;
    return steps;
}
int32_t firstScreenDecodes = 0;
double firstScreenMs = 0;

void Setup() {
    Steps().clear();
    if (!MakeFiles()) return;
    static const HWND host = MakeBenchWindow(kViewWidth, kViewHeight, true);
    if (!BenchCheck(host != nullptr, "no window for the grid")) return;
    PictureBoxArgs args;
    args.parent = host;
    args.width = kViewWidth;
    args.height = kViewHeight;
    ThumViewer& grid = keptGrid.get();
    if (!BenchCheck(grid.hWnd() || grid.Create(args), "no grid window")) return;
    grid.ThumWidth(kSmallest);
    grid.ThumHeight(kSmallest);
    const auto start = std::chrono::steady_clock::now();
    grid.Path(Folder());
    grid.CreateThumbnail();
    firstScreenMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    firstScreenDecodes = grid.PicturesMade();
    if (!BenchCheck(grid.ListCount() == kFiles, "the grid did not list the 1,000 files") ||
        !BenchCheck(grid.DrawingComplete() && firstScreenDecodes > 0, "the grid did not draw its first screen"))
        return;
    // Every timed step must bring in a row of its own: a step at the end of the grid moves nothing.
    BenchCheck(grid.ThumScroll.Enabled() &&
                   grid.ThumScroll.Max() - grid.ThumScroll.Value() >= kSteps * grid.Geometry().rowStep,
               "the grid cannot scroll as many rows as the steps");
}

// One step down by one row of cells, timed by the runner.
void ScrollOneRow() {
    ThumViewer& grid = keptGrid.get();
    const int32_t before = grid.PicturesMade(), from = grid.ScrollOffset();
    const auto start = std::chrono::steady_clock::now();
    grid.ThumScroll.Value(grid.ThumScroll.Value() + grid.Geometry().rowStep);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!BenchCheck(grid.ScrollOffset() - from == grid.Geometry().rowStep, "a step did not scroll by one row") ||
        !BenchCheck(grid.DrawingComplete(), "a step did not finish drawing"))
        return;
    Steps().push_back({ms, grid.PicturesMade() - before});
}

// The platform decoder alone on one row's worth of the same files, one thread; nothing when one
// of them did not decode.
std::optional<double> DecoderRowTime(int files) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < files; ++i) {
        GdiDIB image;
        if (!image.Import(FileName(i))) return std::nullopt;
        GdipBitmap one; // GDI+ decodes lazily: drawing one pixel makes it decode the picture.
        GdipGraphics g;
        if (GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, one.put()) != Ok ||
            GdipGetImageGraphicsContext(one.get(), g.put()) != Ok ||
            GdipDrawImageRectI(g.get(), image.DIB(), 0, 0, 1, 1) != Ok)
            return std::nullopt;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Report() {
    if (!BenchCheck(Steps().size() == static_cast<size_t>(kSteps), "not every scroll step ran")) return;
    const ThumViewer& grid = keptGrid.get();
    const int32_t perRow = grid.Geometry().cellsPerRow;
    std::vector<double> times;
    int32_t most = 0, least = INT32_MAX, total = 0;
    for (const Step& s : Steps()) {
        times.push_back(s.ms);
        most = std::max(most, s.decodes);
        least = std::min(least, s.decodes);
        total += s.decodes;
    }
    // Rows new to the grid came in: their pictures were decoded on the way.
    if (!BenchCheck(total > 0, "the steps decoded no picture")) return;
    const std::optional<double> decoderMs = DecoderRowTime(perRow);
    if (!BenchCheck(decoderMs.has_value(), "the platform decoder did not decode a file")) return;
    std::sort(times.begin(), times.end());
    const ThumGeometry& g = grid.Geometry();
    int32_t whole = 0; // the cells of a row that lie whole within the surface
    while (whole < perRow && g.margin + whole * g.step + g.boxWidth <= grid.ThumOLE.Width()) ++whole;
    std::printf("  view %d x %d, cells %d x %d, %d cells a row (%d of them whole in the view)\n", grid.Width(),
                grid.Height(), g.thumWidth, g.thumHeight, perRow, whole);
    std::printf("  first screen: %d pictures decoded, %.0f ms\n", firstScreenDecodes, firstScreenMs);
    std::printf("  %zu steps of one row (%d px): decodes a step %d to %d (mean %.1f); time a step median %.1f ms, "
                "slowest %.1f ms\n",
                Steps().size(), grid.Geometry().rowStep, least, most,
                static_cast<double>(total) / static_cast<double>(Steps().size()), times[times.size() / 2],
                times.back());
    std::printf("  decoder alone on one row's %d files: %.1f ms (one thread)\n", perRow, *decoderMs);
    std::printf("  a step decodes %s\n", most <= perRow ? "at most the row it brings in" : "more than one row");
    std::fflush(stdout);
}

const bool registered = [] {
    RegisterBench(
        {"grid scroll: 1,000 PNGs at 60 px, 2560 x 1440, one row a step", 0, Setup, ScrollOneRow, kSteps, Report});
    return RegisterBenchCleanup([] { keptGrid.Release(); });
}();

} // namespace
