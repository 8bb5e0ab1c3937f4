// A brush stroke on the floating stamp: a 2,000 x 2,000 stamp over a fitted 24-megapixel image,
// one held mouse move per run (one eraser dab on the stamp and the repaint of the canvas), 200
// moves, beside the platform's own copy of a bitmap of the fitted view's size to the window.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"
#include "editor/Imageyzviewer.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/DIBsave.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kPhotoW = 6000, kPhotoH = 4000, kViewW = 1280, kViewH = 1024, kStampSide = 2000;

// The picture of one colour with an ellipse: written once, read by every run of the program.
const std::wstring& Photo() {
    static const std::wstring path = BenchFolder() + L"stamp24mp.png";
    return path;
}

bool WritePicture(const std::wstring& path, int w, int h, uint32_t back, uint32_t spot) {
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    DIBsave picture;
    if (!picture.CreateBlankMemory(h, w) || !picture.MemGraphics) return false;
    GdipSolidFill fill = MakeSolidFill(back);
    GdipFillRectangle(picture.MemGraphics, fill.get(), 0, 0, static_cast<float>(w), static_cast<float>(h));
    GdipSolidFill dot = MakeSolidFill(spot);
    GdipFillEllipse(picture.MemGraphics, dot.get(), w / 6.0f, h / 6.0f, w / 1.5f, h / 1.5f);
    return picture.Save(path, kFormatPng, 0);
}

struct Host : BenchCanvasHost {
    Host() : BenchCanvasHost(kViewW, kViewH, false) {}
    int step = 0;
};

BenchKept<Host> keptHost;

Host& TheHost() {
    return keptHost.get();
}

const char* const kPlatformName = "stamp brush: platform copies a fitted-view bitmap to the window";
const char* const kDabName = "stamp brush: one eraser dab and repaint, 2000 x 2000 stamp over a fitted 24 MP image";

const bool registered = [] {
    static GdipBitmap view;
    RegisterBench({kPlatformName, 0,
                   [] {
                       (void)TheHost();
                       BenchCheck(GdipCreateBitmapFromScan0(kViewW, kViewW * kPhotoH / kPhotoW, 0,
                                                            PixelFormat32bppPARGB, nullptr, view.put()) == Ok,
                                  "the view bitmap could not be made");
                   },
                   [] {
                       GdipGraphics g = TheHost().canvas->CreateGraphics();
                       BenchCheck(g && GdipDrawImageI(g.get(), view.get(), 0, 0) == Ok, "the view was not drawn");
                   },
                   9});
    RegisterBench({kDabName, 0,
                   [] {
                       Host& host = TheHost();
                       ::CreateDirectoryW((App().AppFolder + L"Librarians").c_str(), nullptr);
                       ::CreateDirectoryW(App().DataPath.c_str(), nullptr);
                       ::DeleteFileW(StampTempPath().c_str());
                       if (!BenchCheck(WritePicture(Photo(), kPhotoW, kPhotoH, ColorARGB(255, 90, 140, 200),
                                                    ColorARGB(255, 220, 60, 40)) &&
                                           WritePicture(StampTempPath(), kStampSide, kStampSide,
                                                        ColorARGB(255, 240, 200, 40), ColorARGB(255, 30, 120, 60)),
                                       "the pictures could not be written") ||
                           !BenchCheck(host.canvas->Import(Photo()), "the photograph did not open") ||
                           !BenchCheck(host.canvas->StartStampTool(true), "the stamp did not start"))
                           return;
                       host.canvas->StampOptions(1);
                       // The stamp is shown at about 427 x 427 from the fitted image's corner.
                       host.Send(WM_MOUSEMOVE, 0, 100, 200);
                       host.Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 200);
                   },
                   [] {
                       Host& host = TheHost();
                       ++host.step;
                       host.Send(WM_MOUSEMOVE, MK_LBUTTON, 100 + host.step % 150 * 2, 200 + host.step % 7 * 10);
                   },
                   200,
                   [] {
                       TheHost().Send(WM_LBUTTONUP, 0, 300, 200);
                       std::printf("  aim: under 16 ms per move (the platform's copy alone: %.1f ms)\n",
                                   MedianOf(kPlatformName));
                   }});
    return RegisterBenchCleanup([] { keptHost.Release(); });
}();

} // namespace
