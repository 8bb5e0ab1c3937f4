// The grid's thumbnails of photographs: the first screen and every cell of 1,000 12-megapixel
// JPEGs that carry a camera thumbnail and of 200 that do not, beside the platform decoder's own
// time for the same files; the area-average reduction's rate; memory after a folder of 10,000.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "browser/ThumViewer.h"
#include "browser/ThumbnailMaker.h"
#include "imaging/BoxReduce.h"
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "platform/DoEvents.h"

#include <windows.h>

#include <psapi.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWithThumbnails = 1000, kWithout = 200, kDecoderSample = 20;
constexpr int kWidth = 4000, kHeight = 3000;

std::string Be16(uint32_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}
std::string Le16(uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Le32(uint32_t v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

// A photograph-like picture: smooth colour ramps with some detail, so that decoding costs what a
// real photograph's does.
GdipBitmap Scene(int w, int h) {
    GdipBitmap bitmap;
    if (!BenchCheck(GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put()) == Ok,
                    "the scene could not be made"))
        return {};
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                ColorARGB(255, static_cast<uint8_t>(x * 255 / w), static_cast<uint8_t>(y * 255 / h),
                          static_cast<uint8_t>(((x / 7) ^ (y / 5)) & 0xFF));
    BitmapData data{};
    data.Width = static_cast<UINT>(w);
    data.Height = static_cast<UINT>(h);
    data.Stride = w * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = pixels.data();
    GpRect all(0, 0, w, h);
    if (!BenchCheck(GdipBitmapLockBits(bitmap.get(), &all, ImageLockModeWrite | ImageLockModeUserInputBuf,
                                       PixelFormat32bppARGB, &data) == Ok,
                    "the scene could not be drawn"))
        return {};
    GdipBitmapUnlockBits(bitmap.get(), &data);
    return bitmap;
}

// The picture's bytes with an EXIF block holding thumb as its IFD1 thumbnail after the SOI marker.
std::string WithThumbnail(const std::string& picture, const std::string& thumb) {
    const uint32_t at = 14 + 2 + 2 * 12 + 4;
    std::string tiff = std::string("II") + Le16(42) + Le32(8) + Le16(0) + Le32(14) + Le16(2);
    tiff += Le16(0x201) + Le16(4) + Le32(1) + Le32(at);
    tiff += Le16(0x202) + Le16(4) + Le32(1) + Le32(static_cast<uint32_t>(thumb.size()));
    tiff += Le32(0) + thumb;
    const std::string app1 = std::string("Exif\0\0", 6) + tiff;
    return picture.substr(0, 2) + "\xFF\xE1" + Be16(static_cast<uint32_t>(app1.size() + 2)) + app1 + picture.substr(2);
}

int CountFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((folder + L"*.jpg").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do ++n;
    while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return n;
}

const std::wstring& Folder(bool thumbnails) {
    static const std::wstring with = BenchFolder() + L"photos-exif\\", without = BenchFolder() + L"photos-plain\\";
    return thumbnails ? with : without;
}

// Made once and kept between runs: every file holds the same picture.
void MakePhotoFolders() {
    const int wanted[2] = {kWithout, kWithThumbnails};
    if (CountFiles(Folder(true)) == kWithThumbnails && CountFiles(Folder(false)) == kWithout) return;
    std::printf("  (making the photograph folders once: %d and %d files)\n", kWithThumbnails, kWithout);
    const std::wstring scratch = BenchFolder() + L"scene.jpg", small = BenchFolder() + L"scene-thumb.jpg";
    GdipBitmap scene = Scene(kWidth, kHeight);
    GdipBitmap thumb = ReduceImage(scene.get(), 160, 120);
    if (!BenchCheck(thumb && SaveImageSafely(scene.get(), scratch, kFormatJpeg, 90) &&
                        SaveImageSafely(thumb.get(), small, kFormatJpeg, 90),
                    "the photograph could not be written"))
        return;
    const std::string picture = ReadAll(scratch), withThumb = WithThumbnail(picture, ReadAll(small));
    for (bool thumbnails : {false, true}) {
        ::CreateDirectoryW(Folder(thumbnails).c_str(), nullptr);
        for (int i = 0; i < wanted[thumbnails ? 1 : 0]; ++i) {
            wchar_t name[32];
            std::swprintf(name, 32, L"DSC%05d.jpg", i);
            if (!BenchCheck(WriteAll(Folder(thumbnails) + name, thumbnails ? withThumb : picture),
                            "a photograph could not be written"))
                return;
        }
    }
}

BenchKept<ThumViewer> keptGrid;

ThumViewer& Grid() {
    if (!keptGrid.get().hWnd()) (void)CreateBenchGrid(keptGrid.get());
    return keptGrid.get();
}

// The scene of the area-average case, made once.
GdipBitmap& SceneBitmap() {
    static GdipBitmap scene;
    if (!scene) scene = Scene(kWidth, kHeight);
    return scene;
}

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

struct FirstScreen {
    int32_t cells = 0;
    double ms = 0;
};
FirstScreen& LastFirstScreen() {
    static FirstScreen last;
    return last;
}

// Shows the folder in a fresh grid: the first screen, then every cell.
void TimeFolder(bool thumbnails, int files) {
    ThumViewer grid;
    if (!CreateBenchGrid(grid)) return;
    const auto start = std::chrono::steady_clock::now();
    grid.Path(Folder(thumbnails));
    grid.CreateThumbnail();
    const double first = Milliseconds(start);
    const int32_t firstCells = grid.PicturesMade();
    LastFirstScreen() = {firstCells, first};
    ScrollGridThrough(grid);
    const double all = Milliseconds(start);
    BenchCheck(grid.ListCount() == files, "the grid does not show every photograph");
    std::printf("  %s: first screen (%d cells) %.0f ms, all %d cells %.0f ms\n",
                thumbnails ? "with camera thumbnails" : "without thumbnails", firstCells, first, grid.PicturesMade(),
                all);
}

// The platform decoder alone on the same files: load each and read its size; with threads, that
// many threads take the files in turn.
double DecoderTime(bool thumbnails, int files, int threads = 1) {
    const auto start = std::chrono::steady_clock::now();
    std::atomic<int> next{0}, failed{0};
    const auto work = [&] {
        for (int i = next++; i < files; i = next++) {
            wchar_t name[32];
            std::swprintf(name, 32, L"DSC%05d.jpg", i);
            GdiDIB image;
            // GDI+ decodes lazily: drawing one pixel makes it decode the picture.
            GdipBitmap one;
            GdipGraphics g;
            const bool decoded = image.Import(Folder(thumbnails) + name) &&
                                 GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, one.put()) == Ok &&
                                 GdipGetImageGraphicsContext(one.get(), g.put()) == Ok &&
                                 GdipDrawImageRectI(g.get(), image.DIB(), 0, 0, 1, 1) == Ok;
            failed += !decoded;
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
    const double ms = Milliseconds(start);
    BenchCheck(failed == 0, "the platform could not decode a photograph");
    return ms;
}

size_t WorkingSetMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize / (1024 * 1024);
}

const bool registered = [] {
    RegisterBench({"thumbnails: 1,000 photos with camera thumbnails, grid", 0, MakePhotoFolders,
                   [] { TimeFolder(true, kWithThumbnails); }, 1,
                   [] {
                       const double sample = DecoderTime(true, kDecoderSample);
                       std::printf("  decoder alone: %.0f ms for %d of them, so about %.0f ms for all %d\n", sample,
                                   kDecoderSample, sample * kWithThumbnails / kDecoderSample, kWithThumbnails);
                   }});
    RegisterBench(
        {"thumbnails: 200 photos without thumbnails, grid", 0, MakePhotoFolders, [] { TimeFolder(false, kWithout); }, 1,
         [] {
             const FirstScreen first = LastFirstScreen();
             const int cores = DecodeThreadsForMachine();
             const double one = DecoderTime(false, first.cells), side = DecoderTime(false, first.cells, cores);
             std::printf("  first screen: decoder alone on its %d files %.0f ms on one thread, %.0f ms on %d "
                         "threads; aim (one thread / %d + 10 %%) %.0f ms; the grid took %.0f ms\n",
                         first.cells, one, side, cores, cores, one / cores * 1.1, first.ms);
             std::printf("  decoder alone on the same 200: %.0f ms on one thread, %.0f ms on %d threads\n",
                         DecoderTime(false, kWithout), DecoderTime(false, kWithout, cores), cores);
         }});
    RegisterBench({"thumbnails: area-average 4000 x 3000 to 150 x 112", 12.0, [] {},
                   [] {
                       GdipBitmap cell;
                       BenchCheck(GdipCreateBitmapFromScan0(150, 112, 0, PixelFormat32bppPARGB, nullptr, cell.put()) ==
                                          Ok &&
                                      AverageInto(SceneBitmap().get(), cell.get()),
                                  "the area average failed");
                   }});
    RegisterBench({"thumbnails: memory after showing 10,000 files", 0, MakeListingFolder,
                   [] {
                       Grid().Path(ListingFolder());
                       if (!BenchCheck(Grid().ListCount() == kListingFiles, "the grid does not list every file"))
                           return;
                       Grid().CreateThumbnail();
                       ScrollGridThrough(Grid());
                   },
                   1, [] { std::printf("  working set: %zu MB\n", WorkingSetMegabytes()); }});
    return RegisterBenchCleanup([] {
        SceneBitmap().reset();
        keptGrid.Release();
    });
}();

} // namespace
