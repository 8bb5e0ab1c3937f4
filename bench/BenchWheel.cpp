// The wheel through a folder of 12-megapixel JPEGs in the real main window: each notch steps the
// grid and opens the next picture in the canvas. Beside it the platform's own decode of the same
// files, which is most of a step's cost.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "platform/AppState.h"
#include "shell/FrmMain.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kPhotoW = 4000, kPhotoH = 3000, kPhotos = 6;
constexpr int kSteps = 2 * (kPhotos - 1); // to the last picture and back, every notch a new picture

std::wstring Folder() {
    return BenchFolder() + L"wheel12mp\\";
}

std::wstring PhotoPath(int index) {
    return Folder() + L"photo" + std::to_wstring(index) + L".jpg";
}

void WritePhotos() {
    ::CreateDirectoryW(Folder().c_str(), nullptr);
    for (int i = 0; i < kPhotos; ++i)
        WriteNoisyPhoto(PhotoPath(i), kPhotoW, kPhotoH, 40 + static_cast<uint32_t>(i), {40 * i, 120, 30 * i});
}

// The main window with its grid on the folder, the first picture shown.
struct WheelHost {
    std::unique_ptr<FrmMain> main;
    WheelHost() {
        WritePhotos();
        main = std::make_unique<FrmMain>(FrmMain::Options{HKEY_CURRENT_USER, L"Software\\VellumoBench\\Wheel", false});
        if (!BenchCheck(main->Create(), "the main window could not be made")) {
            main.reset();
            return;
        }
        main->ThumyzViewer.Path(Folder());
        main->ThumyzViewer.CreateThumbnail();
        BenchCheck(main->ThumyzViewer.ListCount() == kPhotos && main->SingleyzPreview.Import(PhotoPath(0)),
                   "the photographs did not open");
    }
    // Whether the canvas shows the photograph of that index.
    bool Shows(int index) const {
        return main && main->SingleyzPreview.CurFilename == PhotoPath(index) && main->SingleyzPreview.ImgDIB.DIB();
    }
    // Before GDI+ shuts down, so not from a static destructor.
    void Close() {
        if (!main) return;
        main->Unload();
        main.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VellumoBench");
    }
    void Notch(int delta) const {
        if (!main) return;
        ::SendMessageW(main->hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    }
};

WheelHost& Host() {
    static WheelHost host;
    return host;
}

const char* const kPlatform = "wheel: platform decode of 10 12-MP JPEGs (the pictures of 10 notches)";
const char* const kWheel = "wheel: 10 notches through 12-MP JPEGs in the main window";

const bool registered = [] {
    RegisterBench({kPlatform, 12.0 * kSteps, WritePhotos, [] {
                       for (int step = 1; step <= kSteps; ++step) {
                           const int index = step < kPhotos ? step : 2 * (kPhotos - 1) - step;
                           GdipImage image;
                           UINT w = 0;
                           BenchCheck(GdipLoadImageFromFile(PhotoPath(index).c_str(), image.put()) == Ok &&
                                          GdipGetImageWidth(image.get(), &w) == Ok && w == kPhotoW,
                                      "the platform could not load a photograph");
                       }
                   }});
    RegisterBench({kWheel, 12.0 * kSteps, [] { (void)Host(); },
                   [] {
                       WheelHost& host = Host();
                       for (int i = 0; i < kPhotos - 1; ++i) host.Notch(-120);
                       BenchCheck(host.Shows(kPhotos - 1), "the notches did not reach the last photograph");
                       for (int i = 0; i < kPhotos - 1; ++i) host.Notch(120);
                       BenchCheck(host.Shows(0), "the notches did not come back to the first photograph");
                   },
                   3,
                   [] {
                       Host().Close();
                       const double platform = MedianOf(kPlatform), ours = MedianOf(kWheel);
                       if (platform <= 0 || ours <= 0) return;
                       std::printf("  wheel: %.2f steps per second (%.0f ms a step); platform decode %.0f ms a "
                                   "picture; step / decode = %.2f\n",
                                   kSteps * 1000.0 / ours, ours / kSteps, platform / kSteps, ours / platform);
                   }});
    return true;
}();

} // namespace
