// The grid's selection over a folder of 10,000 small pictures: a rubber band dragged across the
// whole view (each move tests every row), and one step of PreviewNext (aim: under 16 ms, a frame).
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "browser/ThumViewer.h"
#include "imaging/DIBsave.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kFiles = 10000;

const std::wstring& SelectionFolder() {
    static const std::wstring folder = BenchFolder() + L"selection10k\\";
    return folder;
}

// One 80 x 60 picture copied 10,000 times; made once and kept between runs.
void MakeSelectionFolder() {
    const std::wstring& folder = SelectionFolder();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring first = folder + L"P00000.png";
    if (::GetFileAttributesW((folder + L"P09999.png").c_str()) != INVALID_FILE_ATTRIBUTES) return;
    GdipBitmap picture;
    GdipGraphics g;
    if (!BenchCheck(GdipCreateBitmapFromScan0(80, 60, 0, PixelFormat32bppARGB, nullptr, picture.put()) == Ok &&
                        GdipGetImageGraphicsContext(picture.get(), g.put()) == Ok,
                    "the picture could not be made"))
        return;
    GdipSolidFill fill = MakeSolidFill(ColorARGB(255, 200, 40, 40));
    GdipFillRectangleI(g.get(), fill.get(), 0, 0, 80, 60);
    g.reset();
    if (!BenchCheck(SaveImageSafely(picture.get(), first, kFormatPng, 90), "the picture could not be written")) return;
    for (int i = 1; i < kFiles; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"P%05d.png", i);
        if (!BenchCheck(::CopyFileW(first.c_str(), (folder + name).c_str(), FALSE), "a picture could not be copied"))
            return;
    }
}

BenchKept<ThumViewer> keptGrid;

ThumViewer& Grid() {
    ThumViewer& grid = keptGrid.get();
    if (!grid.hWnd()) {
        (void)CreateBenchGrid(grid);
        MakeSelectionFolder();
        grid.Path(SelectionFolder());
        grid.CreateThumbnail();
    }
    BenchCheck(grid.ListCount() == kFiles, "the grid does not list every picture");
    return grid;
}

void Send(UINT msg, WPARAM held, int x, int y) {
    ::SendMessageW(Grid().ThumOLE.hWnd(), msg, held, MAKELPARAM(x, y));
}

const bool registered = [] {
    RegisterBench({"grid selection: rubber band over the view of 10,000 cells (press, 10 moves, release)", 0,
                   [] { (void)Grid(); },
                   [] {
                       Send(WM_LBUTTONDOWN, MK_LBUTTON, 2, 2);
                       for (int i = 1; i <= 10; ++i) Send(WM_MOUSEMOVE, MK_LBUTTON, 2 + 77 * i, 2 + 58 * i);
                       Send(WM_LBUTTONUP, 0, 772, 582);
                       BenchCheck(!App().SelectedFiles.empty(), "the band selected nothing");
                   },
                   5, [] { std::printf("  selected: %zu\n", App().SelectedFiles.size()); }});
    RegisterBench({"grid selection: one PreviewNext step among 10,000 cells", 0,
                   [] {
                       // From the first cell on: each run steps one further, scrolling every sixth.
                       Send(WM_LBUTTONDOWN, MK_LBUTTON, 55, 70);
                       Send(WM_LBUTTONUP, 0, 55, 70);
                   },
                   [] {
                       const int32_t before = Grid().OldPress();
                       Grid().PreviewNext();
                       BenchCheck(Grid().OldPress() == before + 1, "the selection did not step");
                   },
                   50, [] { std::printf("  at row %d, scrolled %d\n", Grid().OldPress(), Grid().ScrollOffset()); }});
    return RegisterBenchCleanup([] { keptGrid.Release(); });
}();

} // namespace
