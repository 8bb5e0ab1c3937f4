// The grid's thumbnails of photographs: the first screen and every cell of 1,000 12-megapixel
// JPEGs that carry a camera thumbnail and of 200 that do not, each also turned as a phone writes
// them, beside the platform decoder's own time for the same files (and its turn of them); the
// area-average reduction's rate; memory after a folder of 10,000.
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

// The photograph folders: as a camera writes them (with its thumbnail) or without a thumbnail, each
// also as a phone writes them, turned a quarter (orientation 6).
enum class Photos { Camera, Plain, Phone, PhonePlain };
constexpr Photos kAllPhotos[] = {Photos::Camera, Photos::Plain, Photos::Phone, Photos::PhonePlain};

bool HasThumbnail(Photos kind) {
    return kind == Photos::Camera || kind == Photos::Phone;
}
bool Turned(Photos kind) {
    return kind == Photos::Phone || kind == Photos::PhonePlain;
}
int FilesOf(Photos kind) {
    return HasThumbnail(kind) ? kWithThumbnails : kWithout;
}
const std::wstring& Folder(Photos kind) {
    static const std::wstring folders[] = {BenchFolder() + L"photos-exif\\", BenchFolder() + L"photos-plain\\",
                                           BenchFolder() + L"photos-phone\\", BenchFolder() + L"photos-phone-plain\\"};
    return folders[static_cast<int>(kind)];
}
const char* NameOf(Photos kind) {
    const char* names[] = {"with camera thumbnails", "without thumbnails", "phone, with camera thumbnails",
                           "phone, without thumbnails"};
    return names[static_cast<int>(kind)];
}

// Made once and kept between runs: every file of a folder holds the same picture.
void MakePhotoFolders() {
    bool made = true;
    for (const Photos kind : kAllPhotos) made = made && CountFiles(Folder(kind)) == FilesOf(kind);
    if (made) return;
    std::printf("  (making the photograph folders once: %d and %d files, each also turned)\n", kWithThumbnails,
                kWithout);
    const std::wstring scratch = BenchFolder() + L"scene.jpg", small = BenchFolder() + L"scene-thumb.jpg";
    GdipBitmap scene = Scene(kWidth, kHeight);
    GdipBitmap thumb = ReduceImage(scene.get(), 160, 120);
    if (!BenchCheck(thumb && SaveImageSafely(scene.get(), scratch, kFormatJpeg, 90) &&
                        SaveImageSafely(thumb.get(), small, kFormatJpeg, 90),
                    "the photograph could not be written"))
        return;
    const std::string picture = ReadAll(scratch), thumbnail = ReadAll(small);
    for (const Photos kind : kAllPhotos) {
        const std::string bytes =
            WithExifBlock(picture, Turned(kind) ? 6 : 0, HasThumbnail(kind) ? thumbnail : std::string());
        ::CreateDirectoryW(Folder(kind).c_str(), nullptr);
        for (int i = 0; i < FilesOf(kind); ++i) {
            wchar_t name[32];
            std::swprintf(name, 32, L"DSC%05d.jpg", i);
            if (!BenchCheck(WriteAll(Folder(kind) + name, bytes), "a photograph could not be written")) return;
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
void TimeFolder(Photos kind) {
    const int files = FilesOf(kind);
    ThumViewer grid;
    if (!CreateBenchGrid(grid)) return;
    const auto start = std::chrono::steady_clock::now();
    grid.Path(Folder(kind));
    grid.CreateThumbnail();
    const double first = Milliseconds(start);
    const int32_t firstCells = grid.PicturesMade();
    LastFirstScreen() = {firstCells, first};
    ScrollGridThrough(grid);
    const double all = Milliseconds(start);
    BenchCheck(grid.ListCount() == files, "the grid does not show every photograph");
    BenchCheck(!grid.ImageRects().empty() && (grid.ImageRects()[0].Height > grid.ImageRects()[0].Width) == Turned(kind),
               "a photograph is not shown upright");
    std::printf("  %s: first screen (%d cells) %.0f ms, all %d cells %.0f ms\n", NameOf(kind), firstCells, first,
                grid.PicturesMade(), all);
}

// The platform decoder alone on the same files: load each and read its size; with threads, that
// many threads take the files in turn.
// A turned folder's files are turned by the platform too (GdipImageRotateFlip), after the decode.
double DecoderTime(Photos kind, int files, int threads = 1) {
    const bool turned = Turned(kind);
    const auto start = std::chrono::steady_clock::now();
    std::atomic<int> next{0}, failed{0};
    const auto work = [&] {
        for (int i = next++; i < files; i = next++) {
            wchar_t name[32];
            std::swprintf(name, 32, L"DSC%05d.jpg", i);
            GdipImage image;
            // GDI+ decodes lazily: drawing one pixel makes it decode the picture.
            GdipBitmap one;
            GdipGraphics g;
            const bool decoded = GdipLoadImageFromFile((Folder(kind) + name).c_str(), image.put()) == Ok &&
                                 (!turned || GdipImageRotateFlip(image.get(), Rotate90FlipNone) == Ok) &&
                                 GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, one.put()) == Ok &&
                                 GdipGetImageGraphicsContext(one.get(), g.put()) == Ok &&
                                 GdipDrawImageRectI(g.get(), image.get(), 0, 0, 1, 1) == Ok;
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

// The first screen of a folder with camera thumbnails beside the platform decoder on a sample of
// its files; of one without, beside the decoder on the first screen's files.
void ReportWithThumbnails(Photos kind) {
    const double sample = DecoderTime(kind, kDecoderSample);
    std::printf("  decoder alone: %.0f ms for %d of them, so about %.0f ms for all %d; aim for the first screen: "
                "under 300 ms\n",
                sample, kDecoderSample, sample * kWithThumbnails / kDecoderSample, kWithThumbnails);
}
void ReportWithout(Photos kind) {
    const FirstScreen first = LastFirstScreen();
    const int cores = DecodeThreadsForMachine();
    const double one = DecoderTime(kind, first.cells), side = DecoderTime(kind, first.cells, cores);
    std::printf("  first screen: decoder alone on its %d files %.0f ms on one thread, %.0f ms on %d "
                "threads; aim (one thread / %d + 10 %%) %.0f ms; the grid took %.0f ms\n",
                first.cells, one, side, cores, cores, one / cores * 1.1, first.ms);
    std::printf("  decoder alone on the same %d: %.0f ms on one thread, %.0f ms on %d threads\n", kWithout,
                DecoderTime(kind, kWithout), DecoderTime(kind, kWithout, cores), cores);
}

const bool registered = [] {
    RegisterBench({"thumbnails: 1,000 photos with camera thumbnails, grid", 0, MakePhotoFolders,
                   [] { TimeFolder(Photos::Camera); }, 1, [] { ReportWithThumbnails(Photos::Camera); }});
    RegisterBench({"thumbnails: 200 photos without thumbnails, grid", 0, MakePhotoFolders,
                   [] { TimeFolder(Photos::Plain); }, 1, [] { ReportWithout(Photos::Plain); }});
    RegisterBench({"thumbnails: 1,000 phone photos (turned) with thumbnails, grid", 0, MakePhotoFolders,
                   [] { TimeFolder(Photos::Phone); }, 1, [] { ReportWithThumbnails(Photos::Phone); }});
    RegisterBench({"thumbnails: 200 phone photos (turned) without thumbnails, grid", 0, MakePhotoFolders,
                   [] { TimeFolder(Photos::PhonePlain); }, 1, [] { ReportWithout(Photos::PhonePlain); }});
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
