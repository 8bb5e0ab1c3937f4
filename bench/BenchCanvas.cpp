// The canvas opening a 24-megapixel photograph and fitting it, beside the platform decoder's own
// load of the same file; the same for a phone's photograph and for a TIFF of it, each turned
// upright, beside the platform's load and turn; and a repaint of the fitted view at the screen's size.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "editor/Imageyzviewer.h"
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kPhotoW = 6000, kPhotoH = 4000, kViewW = 1280, kViewH = 1024;

const std::wstring& Photo() {
    static const std::wstring path = BenchFolder() + L"canvas24mp.jpg";
    return path;
}

// A smooth picture with fine noise, written as a JPEG once.
void WritePhoto() {
    WriteNoisyPhoto(Photo(), kPhotoW, kPhotoH, 7, {0, 200, 120});
}

// A hidden top-level window holding one canvas of the screen's size.
struct CanvasHost : BenchCanvasHost {
    CanvasHost() : BenchCanvasHost(kViewW, kViewH, false) {}
};

BenchKept<CanvasHost> keptHost;

CanvasHost& Host() {
    return keptHost.get();
}

// One apply step (a mirror) of the photograph: the time until it is shown, and until its undo
// file is complete, per run.
struct StepTimes {
    std::vector<double> shown, complete;
};
StepTimes& Steps() {
    static StepTimes times;
    return times;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void ApplyOneStep() {
    using Clock = std::chrono::steady_clock;
    Imageyzviewer& canvas = *Host().canvas;
    const auto t0 = Clock::now();
    canvas.SetEffect(23);
    const bool applied = canvas.SaveUndo();
    const auto t1 = Clock::now();
    const bool written = canvas.SettleSteps();
    const auto t2 = Clock::now();
    BenchCheck(applied, "no step was made");
    BenchCheck(written, "the step file could not be written");
    Steps().shown.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    Steps().complete.push_back(std::chrono::duration<double, std::milli>(t2 - t0).count());
}

// The platform decoder alone: GDI+ loads the file (it decodes the whole picture here).
void DecodeOnce() {
    GdipImage image;
    UINT w = 0;
    BenchCheck(GdipLoadImageFromFile(Photo().c_str(), image.put()) == Ok && GdipGetImageWidth(image.get(), &w) == Ok &&
                   w == kPhotoW,
               "the platform could not load the photograph");
}

void Open() {
    BenchCheck(Host().canvas->Import(Photo()), "the photograph did not open");
}

// The same photograph as a phone writes it: stored on its side, with orientation 6.
const std::wstring& PhonePhoto() {
    static const std::wstring path = BenchFolder() + L"canvas24mp-phone.jpg";
    return path;
}
void WritePhonePhoto() {
    WritePhoto();
    if (::GetFileAttributesW(PhonePhoto().c_str()) != INVALID_FILE_ATTRIBUTES) return;
    BenchCheck(WriteAll(PhonePhoto(), WithExifBlock(ReadAll(Photo()), 6, {})),
               "the phone's photograph was not written");
}
// The platform's own work for it: its decoder loads the file and its turn stands it upright.
void DecodeAndTurnOnce() {
    GdipImage image;
    UINT h = 0;
    BenchCheck(GdipLoadImageFromFile(PhonePhoto().c_str(), image.put()) == Ok &&
                   GdipImageRotateFlip(image.get(), Rotate90FlipNone) == Ok &&
                   GdipGetImageHeight(image.get(), &h) == Ok && h == kPhotoW,
               "the platform could not load and turn the photograph");
}
void OpenPhone() {
    BenchCheck(Host().canvas->Import(PhonePhoto()) && Host().canvas->ImgDIB.Height() == kPhotoW,
               "the phone's photograph did not open upright");
}

// The phone's photograph as an uncompressed TIFF scan of it would hold it: stored on its side, with
// orientation 6 in its first directory.
const std::wstring& PhoneTiff() {
    static const std::wstring path = BenchFolder() + L"canvas24mp-phone.tif";
    return path;
}
void WritePhoneTiff() {
    WritePhoto();
    if (::GetFileAttributesW(PhoneTiff().c_str()) != INVALID_FILE_ATTRIBUTES) return;
    GdipImage photo;
    GpRect all{0, 0, kPhotoW, kPhotoH};
    BitmapData data{};
    if (!BenchCheck(GdipLoadImageFromFile(Photo().c_str(), photo.put()) == Ok &&
                        GdipBitmapLockBits(static_cast<GpBitmap*>(photo.get()), &all, ImageLockModeRead,
                                           PixelFormat24bppRGB, &data) == Ok,
                    "the photograph could not be read"))
        return;
    const auto u16 = [](uint32_t v) { return std::string{static_cast<char>(v), static_cast<char>(v >> 8)}; };
    const auto u32 = [&](uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    const auto entry = [&](uint32_t tag, uint32_t type, uint32_t value) {
        return u16(tag) + u16(type) + u32(tag == 258 ? 3 : 1) +
               (type == 3 && tag != 258 ? u16(value) + u16(0) : u32(value));
    };
    constexpr uint32_t kBits = 8 + 2 + 10 * 12 + 4, kPixels = kPhotoW * kPhotoH * 3;
    std::string tiff = "II" + u16(42) + u32(8) + u16(10) + entry(256, 3, kPhotoW) + entry(257, 3, kPhotoH) +
                       entry(258, 3, kBits) + entry(259, 3, 1) + entry(262, 3, 2) + entry(273, 4, kBits + 6) +
                       entry(274, 3, 6) + entry(277, 3, 3) + entry(278, 3, kPhotoH) + entry(279, 4, kPixels) + u32(0) +
                       u16(8) + u16(8) + u16(8);
    tiff.reserve(tiff.size() + kPixels);
    for (int y = 0; y < kPhotoH; ++y) {
        const auto* row = static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < kPhotoW; ++x)
            tiff +=
                {static_cast<char>(row[3 * x + 2]), static_cast<char>(row[3 * x + 1]), static_cast<char>(row[3 * x])};
    }
    GdipBitmapUnlockBits(static_cast<GpBitmap*>(photo.get()), &data);
    BenchCheck(WriteAll(PhoneTiff(), tiff), "the TIFF was not written");
}
void DecodeAndTurnTiffOnce() {
    GdipImage image;
    UINT h = 0;
    BenchCheck(GdipLoadImageFromFile(PhoneTiff().c_str(), image.put()) == Ok &&
                   GdipImageRotateFlip(image.get(), Rotate90FlipNone) == Ok &&
                   GdipGetImageHeight(image.get(), &h) == Ok && h == kPhotoW,
               "the platform could not load and turn the TIFF");
}
void OpenPhoneTiff() {
    BenchCheck(Host().canvas->Import(PhoneTiff()) && Host().canvas->ImgDIB.Height() == kPhotoW,
               "the TIFF did not open upright");
}

// The open's time over the platform's for the same work, timed pair by pair right after each other:
// the machine's load changes from second to second.
double PairedRatio(void (*platform)(), void (*open)()) {
    std::vector<double> ratios;
    for (int i = 0; i < 9; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        platform();
        const auto t1 = std::chrono::steady_clock::now();
        open();
        const auto t2 = std::chrono::steady_clock::now();
        ratios.push_back(std::chrono::duration<double>(t2 - t1).count() /
                         std::chrono::duration<double>(t1 - t0).count());
    }
    return Median(ratios);
}

const char* const kDecodeName = "canvas: platform decoder loads a 24 MP JPEG";
const char* const kOpenName = "canvas: open and fit a 24 MP JPEG at 1280 x 1024";
const char* const kDecodeTurnName = "canvas: platform decoder loads and turns a phone's 24 MP JPEG";
const char* const kOpenPhoneName = "canvas: open upright and fit a phone's 24 MP JPEG";
const char* const kDecodeTurnTiffName = "canvas: platform decoder loads and turns a 24 MP TIFF of orientation 6";
const char* const kOpenTiffName = "canvas: open upright and fit a 24 MP TIFF of orientation 6";

const bool registered = [] {
    RegisterBench({kDecodeName, 24.0, WritePhoto, DecodeOnce});
    RegisterBench({kOpenName, 24.0, WritePhoto, Open, 5, [] {
                       const double decode = MedianOf(kDecodeName), open = MedianOf(kOpenName);
                       if (decode > 0 && open > 0)
                           std::printf(
                               "  open and fit / decoder = %.2f (the canvas adds %.0f %%; aim: at most 10 %%)\n",
                               open / decode, (open / decode - 1) * 100);
                       std::printf("  open and fit / decoder, pair by pair: median %.2f (aim: at most 1.10)\n",
                                   PairedRatio(DecodeOnce, Open));
                   }});
    RegisterBench({kDecodeTurnName, 24.0, WritePhonePhoto, DecodeAndTurnOnce});
    RegisterBench({kOpenPhoneName, 24.0, WritePhonePhoto, OpenPhone, 5, [] {
                       std::printf("  open upright and fit / decoder and turn, pair by pair: median %.2f (aim: at most "
                                   "1.10); / decoder alone: median %.2f\n",
                                   PairedRatio(DecodeAndTurnOnce, OpenPhone), PairedRatio(DecodeOnce, OpenPhone));
                   }});
    RegisterBench({kDecodeTurnTiffName, 24.0, WritePhoneTiff, DecodeAndTurnTiffOnce});
    RegisterBench({kOpenTiffName, 24.0, WritePhoneTiff, OpenPhoneTiff, 5, [] {
                       std::printf("  open upright and fit / decoder and turn, pair by pair: median %.2f (aim: at most "
                                   "1.10)\n",
                                   PairedRatio(DecodeAndTurnTiffOnce, OpenPhoneTiff));
                   }});
    RegisterBench({"canvas: repaint the fitted 24 MP view at 1280 x 1024", 0,
                   [] {
                       WritePhoto();
                       Open();
                   },
                   [] { Host().canvas->Painting(false, false, false, false); }, 9,
                   [] { std::printf("  aim: under 16 ms\n"); }});
    RegisterBench({"canvas: one apply step of a 24 MP image, shown and written", 24.0,
                   [] {
                       WritePhoto();
                       ::CreateDirectoryW(App().DataPath.c_str(), nullptr); // the undo files go there
                       Open();
                       Steps() = {};
                   },
                   ApplyOneStep, 5,
                   [] {
                       std::printf("  shown after %.0f ms (aim: under 500 ms); its undo file complete after %.0f ms\n",
                                   Median(Steps().shown), Median(Steps().complete));
                   }});
    return RegisterBenchCleanup([] { keptHost.Release(); });
}();

} // namespace
