// The slideshow's fade of a 24-megapixel photograph at the screen's size: the time to the first
// frame on screen (load, fit, one blended step) beside the platform's own load and one fitted
// draw, and the blended steps per second beside plain unblended draws of the same buffer.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "output/FrmSlideshow.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kPhotoW = 6000, kPhotoH = 4000, kViewW = 1280, kViewH = 1024;
constexpr int kSteps = 156; // alphas 100 to 255 one by one

const std::wstring& Photo() {
    static const std::wstring path = BenchFolder() + L"slideshow24mp.jpg";
    return path;
}

// A smooth picture with fine noise, written as a JPEG once.
void WritePhoto() {
    WriteNoisyPhoto(Photo(), kPhotoW, kPhotoH, 11, {60, 150, 90});
}

// A hidden window with a picture box of the screen's size, and the photograph's fitted box.
struct SlideHost {
    HWND window = nullptr;
    std::unique_ptr<PictureBox> view;
    GdiDIB photo;
    float x = 0, y = 0, w = 0, h = 0;
    GdipBitmap fitted; // the scaled buffer a fade blends, for the plain-draw reference
    SlideHost() {
        window = MakeBenchWindow(kViewW, kViewH, false);
        view = std::make_unique<PictureBox>();
        PictureBoxArgs args;
        args.parent = window;
        args.width = kViewW;
        args.height = kViewH;
        BenchCheck(view->Create(args), "the slideshow window could not be made");
        DrawSlideBackground(*view);
    }
    ~SlideHost() {
        view.reset();
        if (window) ::DestroyWindow(window);
    }
    SlideHost(const SlideHost&) = delete;
    SlideHost& operator=(const SlideHost&) = delete;
    void Load() {
        WritePhoto();
        if (!BenchCheck(photo.Import(Photo()), "the photograph did not open")) return;
        GdiDIB::GetBestFitInfo(photo.Width(), photo.Height(), kViewW, kViewH, x, y, w, h);
        GdipGraphics g;
        BenchCheck(GdipCreateBitmapFromScan0(static_cast<INT>(w), static_cast<INT>(h), 0, PixelFormat32bppARGB, nullptr,
                                             fitted.put()) == Ok &&
                       GdipGetImageGraphicsContext(fitted.get(), g.put()) == Ok &&
                       GdipDrawImageRectI(g.get(), photo.DIB(), 0, 0, static_cast<INT>(w), static_cast<INT>(h)) == Ok,
                   "the fitted buffer could not be made");
    }
};

BenchKept<SlideHost> keptHost;

SlideHost& Host() {
    return keptHost.get();
}

const char* const kPlatformFirst = "slideshow: platform load + one fitted draw, 24 MP JPEG at 1280 x 1024";
const char* const kFirstFrame = "slideshow: first frame (load, fit, one fade step), 24 MP JPEG at 1280 x 1024";
const char* const kOneStep = "slideshow: fit + 1 fade step from the loaded photo";
const char* const kAllSteps = "slideshow: fit + 156 fade steps from the loaded photo";
const char* const kPlainDraws = "slideshow: platform 156 plain draws of the fitted buffer";

const bool registered = [] {
    RegisterBench({kPlatformFirst, 24.0, WritePhoto, [] {
                       GdipImage image;
                       GdipGraphics g;
                       BenchCheck(GdipLoadImageFromFile(Photo().c_str(), image.put()) == Ok &&
                                      GdipCreateFromHDC(Host().view->hDC(), g.put()) == Ok &&
                                      GdipDrawImageRect(g.get(), image.get(), 0, 0, 1280, 853) == Ok,
                                  "the platform could not load and draw the photograph");
                       g.reset();
                       Host().view->Refresh();
                   }});
    RegisterBench({kFirstFrame, 24.0, WritePhoto,
                   [] {
                       GdiDIB photo;
                       if (!BenchCheck(photo.Import(Photo()), "the photograph did not open")) return;
                       float x = 0, y = 0, w = 0, h = 0;
                       GdiDIB::GetBestFitInfo(photo.Width(), photo.Height(), kViewW, kViewH, x, y, w, h);
                       BenchCheck(FadeInPicture(*Host().view, photo.DIB(), x, y, w, h, 1000, [] { return true; }),
                                  "the fade stopped");
                   },
                   5,
                   [] {
                       const double platform = MedianOf(kPlatformFirst), ours = MedianOf(kFirstFrame);
                       if (platform > 0 && ours > 0)
                           std::printf("  first frame / platform load and draw = %.2f\n", ours / platform);
                   }});
    auto fade = [](int32_t step) {
        SlideHost& host = Host();
        BenchCheck(
            FadeInPicture(*host.view, host.photo.DIB(), host.x, host.y, host.w, host.h, step, [] { return true; }),
            "the fade stopped");
    };
    RegisterBench({kOneStep, 0, [] { Host().Load(); }, [fade] { fade(1000); }, 5});
    RegisterBench({kAllSteps, 0, [] { Host().Load(); }, [fade] { fade(1); }, 5,
                   [] {
                       const double one = MedianOf(kOneStep), all = MedianOf(kAllSteps);
                       if (all > one)
                           std::printf("  fade: %.1f ms per step, %.0f steps per second\n", (all - one) / (kSteps - 1),
                                       (kSteps - 1) * 1000.0 / (all - one));
                   }});
    RegisterBench({kPlainDraws, 0, [] { Host().Load(); },
                   [] {
                       SlideHost& host = Host();
                       for (int i = 0; i < kSteps; ++i) {
                           GdipGraphics g;
                           BenchCheck(GdipCreateFromHDC(host.view->hDC(), g.put()) == Ok &&
                                          GdipDrawImageRectI(g.get(), host.fitted.get(), static_cast<INT>(host.x),
                                                             static_cast<INT>(host.y), static_cast<INT>(host.w),
                                                             static_cast<INT>(host.h)) == Ok,
                                      "the fitted buffer was not drawn");
                           g.reset();
                           host.view->Refresh();
                       }
                   },
                   5,
                   [] {
                       const double plain = MedianOf(kPlainDraws);
                       if (plain > 0) std::printf("  platform plain draws: %.0f per second\n", kSteps * 1000.0 / plain);
                   }});
    return RegisterBenchCleanup([] { keptHost.Release(); });
}();

} // namespace
