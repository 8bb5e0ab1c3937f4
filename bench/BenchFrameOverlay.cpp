// The live overlay while a crop frame is dragged over a fitted 24-megapixel image: one held mouse
// move (the frame follows, the view and the overlay are drawn), beside the platform's own copy of
// a bitmap of the fitted view's size into the same window (blended, and as a plain BitBlt).
#include "bench/Bench.h"
#include "bench/BenchSupport.h"
#include "editor/Imageyzviewer.h"
#include "imaging/DIBsave.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kPhotoW = 6000, kPhotoH = 4000, kViewW = 1280, kViewH = 1024;

const std::wstring& Photo() {
    static const std::wstring path = BenchFolder() + L"overlay24mp.png";
    return path;
}

void WritePhoto() {
    if (::GetFileAttributesW(Photo().c_str()) != INVALID_FILE_ATTRIBUTES) return;
    DIBsave photo;
    if (!BenchCheck(photo.CreateBlankMemory(kPhotoH, kPhotoW) && photo.MemGraphics, "the photograph could not be made"))
        return;
    GdipSolidFill fill = MakeSolidFill(ColorARGB(255, 90, 140, 200));
    GdipFillRectangle(photo.MemGraphics, fill.get(), 0, 0, kPhotoW, kPhotoH);
    GdipSolidFill spot = MakeSolidFill(ColorARGB(255, 220, 60, 40));
    GdipFillEllipse(photo.MemGraphics, spot.get(), 1000, 800, 3000, 2000);
    BenchCheck(photo.Save(Photo(), kFormatPng, 0), "the photograph could not be written");
}

struct Host : BenchCanvasHost {
    Host() : BenchCanvasHost(kViewW, kViewH, false) {}
    int step = 0;
};

BenchKept<Host> keptHost;

Host& TheHost() {
    return keptHost.get();
}

const char* const kPlatformName = "frame overlay: platform copies a fitted-view bitmap to the window";
const char* const kBlitName = "frame overlay: platform BitBlt of a fitted-view bitmap to the window";
const char* const kMoveName = "frame overlay: one held move of a crop frame over a fitted 24 MP image";

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
    // The plain copy, with no blend: the least a repaint of the view can cost.
    static UniqueDc viewDc;
    static UniqueHBitmap viewBitmap;
    RegisterBench({kBlitName, 0,
                   [] {
                       HDC canvasDc = TheHost().canvas->hDC();
                       viewDc.reset(::CreateCompatibleDC(canvasDc));
                       viewBitmap.reset(::CreateCompatibleBitmap(canvasDc, kViewW, kViewW * kPhotoH / kPhotoW));
                       if (BenchCheck(viewDc && viewBitmap, "the view bitmap could not be made"))
                           ::SelectObject(viewDc.get(), viewBitmap.get());
                   },
                   [] {
                       BenchCheck(::BitBlt(TheHost().canvas->hDC(), 0, 0, kViewW, kViewW * kPhotoH / kPhotoW,
                                           viewDc.get(), 0, 0, SRCCOPY),
                                  "the view was not copied");
                       ::GdiFlush();
                   },
                   9});
    RegisterBench({kMoveName, 0,
                   [] {
                       WritePhoto();
                       Host& host = TheHost();
                       BenchCheck(host.canvas->Import(Photo()), "the photograph did not open");
                       host.canvas->SetEffect(1);
                       (void)host.canvas->Import(L"", true);
                       host.Send(WM_MOUSEMOVE, 0, 200, 200);
                       host.Send(WM_LBUTTONDOWN, MK_LBUTTON, 200, 200);
                   },
                   [] {
                       Host& host = TheHost();
                       ++host.step;
                       const RectF before = host.canvas->FrameRects()[0];
                       host.Send(WM_MOUSEMOVE, MK_LBUTTON, 600 + host.step % 2 * 200, 500 + host.step % 3 * 100);
                       const RectF after = host.canvas->FrameRects()[0];
                       BenchCheck(after.Width != before.Width || after.Height != before.Height,
                                  "the frame did not follow the move");
                   },
                   15,
                   [] {
                       TheHost().Send(WM_LBUTTONUP, 0, 600, 500);
                       std::printf("  aim: under 16 ms per move (the platform's copy alone: %.1f ms, its plain "
                                   "BitBlt: %.1f ms)\n",
                                   MedianOf(kPlatformName), MedianOf(kBlitName));
                   }});
    return RegisterBenchCleanup([] { keptHost.Release(); });
}();

} // namespace
