// The canvas's live previews over a fitted 24-megapixel image: one held move of the edit panel's
// slider in gamma, contrast, rotate and straighten, and one held move of the irradiation's light,
// each a whole step (the picture, the panel, the window updated). Beside them the platform's own
// work on the view buffer in the same window: drawn plainly, through the gamma adjustment and
// turned, as the tools' routines would draw it.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"
#include "editor/CanvasGeometry.h"
#include "editor/Imageyzviewer.h"
#include "imaging/DIBsave.h"
#include "imaging/DrawTarget.h"
#include "imaging/GdipMakers.h"
#include "imaging/ImageTransforms.h"
#include "imaging/ModGDI.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kPhotoW = 6000, kPhotoH = 4000, kViewW = 1280, kViewH = 1024;
constexpr int kFitH = kViewW * kPhotoH / kPhotoW;

const std::wstring& Photo() {
    static const std::wstring path = BenchFolder() + L"preview24mp.png";
    return path;
}

void WritePhoto() {
    if (::GetFileAttributesW(Photo().c_str()) != INVALID_FILE_ATTRIBUTES) return;
    DIBsave photo;
    if (!BenchCheck(photo.CreateBlankMemory(kPhotoH, kPhotoW) && photo.MemGraphics, "the photograph could not be made"))
        return;
    GdipLineGradient ramp;
    const GpPointF from{0, 0}, to{kPhotoW, kPhotoH};
    GdipCreateLineBrush(&from, &to, ColorARGB(255, 20, 40, 90), ColorARGB(255, 240, 200, 120), WrapModeTile,
                        ramp.put());
    GdipFillRectangle(photo.MemGraphics, ramp.get(), 0, 0, kPhotoW, kPhotoH);
    GdipSolidFill spot = MakeSolidFill(ColorARGB(255, 220, 60, 40));
    GdipFillEllipse(photo.MemGraphics, spot.get(), 1000, 800, 3000, 2000);
    BenchCheck(photo.Save(Photo(), kFormatPng, 0), "the photograph could not be written");
}

// Shown, so that every step's update reaches the screen as it does for a person.
struct Host : BenchCanvasHost {
    Host() : BenchCanvasHost(kViewW, kViewH, true) {}
    bool opened = false;
    int step = 0;
    // The tool of mode with its parameter range, laid out; the slider taken hold of.
    void StartTool(int32_t mode, int32_t max, int32_t min, int32_t value) {
        if (!opened) {
            WritePhoto();
            opened = BenchCheck(canvas->Import(Photo()), "the photograph did not open");
        }
        canvas->SetEffect(mode);
        canvas->SetMax(max);
        canvas->SetMin(min);
        canvas->SetValue(value);
        canvas->SetFitMode(true);
        BenchCheck(canvas->Import(L"", true) && canvas->Effect() == mode, "the tool did not start");
        const RectF thumb = canvas->PanelRects()[kPanelSlider];
        const int x = static_cast<int>(thumb.X) + 5, y = static_cast<int>(thumb.Y) + 10;
        Send(WM_MOUSEMOVE, 0, x, y);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    }
    // One held move along the slider's track, a different value each time.
    void SliderStep() {
        const EditPanelLayout panel =
            LayOutEditPanel(canvas->Effect(), static_cast<float>(kViewW), static_cast<float>(kViewH));
        ++step;
        const float before = canvas->SliderValue();
        Send(WM_MOUSEMOVE, MK_LBUTTON, static_cast<int>(panel.PX) + 20 + (step * 37) % 150,
             static_cast<int>(panel.Y) + 10);
        BenchCheck(canvas->SliderValue() != before, "the slider did not follow the move");
    }
    void Release() { Send(WM_LBUTTONUP, 0, 10, 10); }
};

BenchKept<Host> keptHost;

Host& TheHost() {
    return keptHost.get();
}

// The view buffer's stand-in: the fitted picture's size, opaque.
GdipBitmap& ViewBitmap() {
    static GdipBitmap view;
    if (!view) {
        GdipCreateBitmapFromScan0(kViewW, kFitH, 0, PixelFormat32bppARGB, nullptr, view.put());
        GdipGraphics g;
        if (view && GdipGetImageGraphicsContext(view.get(), g.put()) == Ok)
            GdipGraphicsClear(g.get(), ColorARGB(255, 90, 140, 200));
    }
    BenchCheck(static_cast<bool>(view), "the view buffer could not be made");
    return view;
}

const char* const kPlainName = "previews: platform draws the view buffer into the window";
const char* const kGammaPlatformName = "previews: platform draws the view buffer through gamma (AdjustColorMatrix)";
const char* const kTurnPlatformName = "previews: platform draws the view buffer turned (DrawImageRotated)";
const char* const kGammaName = "previews: one gamma slider step over a fitted 24 MP image";
const char* const kContrastName = "previews: one contrast slider step over a fitted 24 MP image";
const char* const kRotateName = "previews: one rotate slider step over a fitted 24 MP image";
const char* const kStraightenName = "previews: one straighten slider step over a fitted 24 MP image";
const char* const kLightName = "previews: one irradiation move over a fitted 24 MP image";
const char* const kFlowersName = "previews: one held move in the flowers tool at 50 ms of flowers";
const char* const kPlainMoveName = "previews: one held move of a tool without a preview (repaint alone)";

void Report() {
    std::printf("  aim: under 33 ms a step; the platform draws the view buffer in %.1f ms (through gamma %.1f ms, "
                "turned %.1f ms)\n",
                MedianOf(kPlainName), MedianOf(kGammaPlatformName), MedianOf(kTurnPlatformName));
}

const bool registered = [] {
    RegisterBench({kPlainName, 0, [] { (void)TheHost(); },
                   [] {
                       GdipGraphics g = TheHost().canvas->CreateGraphics();
                       BenchCheck(g &&
                                      GdipDrawImageRectRectI(g.get(), ViewBitmap().get(), 0, 85, kViewW, kFitH, 0, 0,
                                                             kViewW, kFitH, UnitPixel, nullptr, nullptr, nullptr) == Ok,
                                  "the view buffer was not drawn");
                       TheHost().canvas->Refresh();
                   },
                   9});
    RegisterBench({kGammaPlatformName, 0, [] { (void)TheHost(); },
                   [] {
                       AdjustColorMatrix(DrawTarget::Dc(TheHost().canvas->hDC()), ViewBitmap().get(), kAdjustGamma,
                                         1.7f, 0, 85, kViewW, kFitH, 0);
                       TheHost().canvas->Refresh();
                   },
                   5});
    RegisterBench({kTurnPlatformName, 0, [] { (void)TheHost(); },
                   [] {
                       DrawImageRotated(DrawTarget::Dc(TheHost().canvas->hDC()), ViewBitmap().get(), kViewW, kFitH,
                                        kViewW, kViewH, 5, false, 0);
                       TheHost().canvas->Refresh();
                   },
                   5});
    RegisterBench({kGammaName, 0, [] { TheHost().StartTool(7, 3, 0, 1); }, [] { TheHost().SliderStep(); }, 15,
                   [] { TheHost().Release(); }});
    RegisterBench({kContrastName, 0, [] { TheHost().StartTool(11, 5, 0, 0); }, [] { TheHost().SliderStep(); }, 15,
                   [] { TheHost().Release(); }});
    RegisterBench({kRotateName, 0, [] { TheHost().StartTool(3, 90, -90, 0); }, [] { TheHost().SliderStep(); }, 15,
                   [] { TheHost().Release(); }});
    RegisterBench({kStraightenName, 0, [] { TheHost().StartTool(2, 10, -10, 0); }, [] { TheHost().SliderStep(); }, 15,
                   [] {
                       TheHost().Release();
                       Report();
                   }});
    // The flowers' preview lasts the slider's value in milliseconds (50 here) by design: what is
    // measured beyond that is the paint around it.
    RegisterBench({kFlowersName, 0,
                   [] {
                       Host& host = TheHost();
                       host.StartTool(32, 300, 50, 50);
                       host.Release();
                       host.Send(WM_MOUSEMOVE, 0, 400, 400);
                       host.Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 400);
                   },
                   [] {
                       Host& host = TheHost();
                       ++host.step;
                       host.Send(WM_MOUSEMOVE, MK_LBUTTON, 300 + host.step % 5 * 120, 300 + host.step % 3 * 100);
                   },
                   9,
                   [] {
                       TheHost().Release();
                       std::printf("  of which 50 ms are the particles' own duration\n");
                   }});
    // The same held move in a tool without a preview: the repaint's own share.
    RegisterBench({kPlainMoveName, 0,
                   [] {
                       Host& host = TheHost();
                       host.StartTool(33, 10, 0, 0);
                       host.Release();
                       host.Send(WM_MOUSEMOVE, 0, 400, 400);
                       host.Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 400);
                   },
                   [] {
                       Host& host = TheHost();
                       ++host.step;
                       host.Send(WM_MOUSEMOVE, MK_LBUTTON, 300 + host.step % 5 * 120, 300 + host.step % 3 * 100);
                   },
                   9, [] { TheHost().Release(); }});
    RegisterBench({kLightName, 0,
                   [] {
                       Host& host = TheHost();
                       host.StartTool(37, 255, 10, 10);
                       host.Release();
                       host.Send(WM_MOUSEMOVE, 0, 400, 400);
                       host.Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 400);
                   },
                   [] {
                       Host& host = TheHost();
                       ++host.step;
                       host.Send(WM_MOUSEMOVE, MK_LBUTTON, 300 + host.step % 5 * 120, 300 + host.step % 3 * 100);
                   },
                   9,
                   [] {
                       TheHost().Release();
                       std::printf("  aim: under 33 ms a move (the repaint alone: %.1f ms)\n",
                                   MedianOf(kPlainMoveName));
                   }});
    return RegisterBenchCleanup([] { keptHost.Release(); });
}();

} // namespace
