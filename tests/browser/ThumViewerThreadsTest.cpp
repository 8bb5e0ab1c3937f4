// The grid's pictures decoded on worker threads: the cells come out as one thread draws them, in
// view and after a scroll, a window that closes while the workers decode is left alone, neither a
// click nor a folder left mid-pass waits for a decode, and a cell short of memory is made once the
// memory is let go.
#include "browser/ThumViewer.h"
#include "imaging/GdiDIB.h"
#include "tests/browser/GridTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <thread>

namespace {

// Pictures of different sizes, shapes and colours, one with transparency, one broken: more than
// the 800 x 300 grid shows at once, so that a scroll brings new ones into view.
std::wstring MakeMixedFolder() {
    const std::wstring folder = MakeTestFolder(L"grid-threads");
    for (int i = 0; i < 20; ++i) {
        const int w = 120 + 37 * i, h = i % 3 == 0 ? 90 + 41 * i : 70 + 13 * i;
        const auto red = static_cast<uint8_t>(12 * i), green = static_cast<uint8_t>(250 - 11 * i);
        GdipBitmap picture = BitmapOf(w, h, [&](int x, int y) {
            return ColorARGB(i == 7 && x < w / 2 ? 90 : 255, red, static_cast<uint8_t>(green ^ (x * 5)),
                             static_cast<uint8_t>(y * 255 / h));
        });
        EXPECT_TRUE(SaveImageSafely(picture.get(), folder + L"p" + std::to_wstring(100 + i) + L".png", kFormatPng, 0));
    }
    EXPECT_TRUE(WriteTestFile(folder + L"p105x.jpg", "not a picture"));
    return folder;
}

struct ShownGrid {
    TestWindow window{800, 300};
    ThumViewer grid;
    explicit ShownGrid(int32_t threads) {
        EXPECT_TRUE(grid.Create({.parent = window.hwnd(), .width = 800, .height = 300}));
        grid.DecodeThreads(threads);
    }
    [[nodiscard]] std::vector<uint32_t> Surface() const {
        const size_t n = static_cast<size_t>(grid.ThumOLE.Width()) * static_cast<size_t>(grid.ThumOLE.Height());
        ::GdiFlush();
        return {grid.ThumOLE.Bits(), grid.ThumOLE.Bits() + n};
    }
};

} // namespace

TEST(ThumViewerThreads, CellsMatchWhatOneThreadDraws) {
    const std::wstring folder = MakeMixedFolder();
    ShownGrid one(1), eight(8);
    for (ShownGrid* shown : {&one, &eight}) {
        shown->grid.Path(folder);
        shown->grid.CreateThumbnail();
        ASSERT_TRUE(shown->grid.DrawingComplete());
    }
    ASSERT_GT(one.grid.PicturesMade(), 8); // several pictures were in view at once
    EXPECT_EQ(eight.grid.PicturesMade(), one.grid.PicturesMade());
    EXPECT_EQ(eight.Surface(), one.Surface());
    for (size_t i = 0; i < one.grid.ImageRects().size(); ++i) {
        EXPECT_EQ(eight.grid.ImageRects()[i].Y, one.grid.ImageRects()[i].Y) << i;
        EXPECT_EQ(eight.grid.FitRects()[i].Width, one.grid.FitRects()[i].Width) << i;
    }
    // The cells a scroll brings into view are made side by side too.
    for (ShownGrid* shown : {&one, &eight}) {
        ASSERT_TRUE(shown->grid.ThumScroll.Enabled());
        shown->grid.ThumScroll.Value(shown->grid.ThumScroll.Max());
    }
    EXPECT_GT(eight.grid.PicturesMade(), 18);
    EXPECT_EQ(eight.grid.PicturesMade(), one.grid.PicturesMade());
    EXPECT_EQ(eight.Surface(), one.Surface());
}

TEST(ThumViewerThreads, AWindowClosedWhileTheWorkersDecodeIsLeftAlone) {
    const std::wstring folder = MakeMixedFolder();
    auto shown = std::make_unique<ShownGrid>(8);
    HWND host = shown->window.hwnd();
    shown->window.onMessage = [host](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_APP) return false;
        ::DestroyWindow(host);
        return true;
    };
    shown->grid.Path(folder);
    ::PostMessageW(host, WM_APP, 0, 0);
    shown->grid.CreateThumbnail(); // the close runs before the first cell is drawn
    EXPECT_EQ(shown->grid.hWnd(), nullptr);
    EXPECT_EQ(shown->grid.ThumOLE.hWnd(), nullptr);
    EXPECT_EQ(shown->grid.PicturesMade(), 0); // nothing was drawn for the gone window
    shown.reset();                            // the workers are stopped and waited for with the grid
    // The same folder shows in a new window.
    ShownGrid again(8);
    again.grid.Path(folder);
    again.grid.CreateThumbnail();
    EXPECT_TRUE(again.grid.DrawingComplete());
    EXPECT_GT(again.grid.PicturesMade(), 8);
}

// A picture whose decode finds too little memory has an empty cell, not a cell kept empty: once
// the memory is free again the next pass makes its picture.
TEST(ThumViewerThreads, APictureShortOfMemoryIsMadeOnceMemoryIsFree) {
    if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit process has more address space than can be taken";
    const std::wstring folder = MakeTestFolder(L"grid-memory");
    WriteDeepBlackPng(folder + L"deep.png", 6000, 4000);       // some 240 MB to decode
    WriteRunLengthBmp(folder + L"wide.bmp", 8000, 6000, kRed); // its decoder short of memory does not say so
    ShownGrid shown(8);
    GdiDIB warm; // the decoder's first use loads what it needs while memory is plenty, as a thread's end does
    ASSERT_TRUE(warm.Import(MakeMixedFolder() + L"p100.png"));
    std::thread([] {}).join();
    std::optional<AddressSpaceTaken> shortage(std::in_place); // no 32 MB to be had at once
    ASSERT_GE(shortage->blocks.size(), 9u);
    shown.grid.Path(folder);
    shown.grid.CreateThumbnail();
    const std::vector<RectF> shortOfMemory = shown.grid.FitRects();
    shortage.reset();
    EXPECT_EQ(shortOfMemory[0].Width, 0);
    EXPECT_EQ(shortOfMemory[1].Width, 0);
    shown.grid.CreateThumbnail();
    EXPECT_EQ(shown.grid.FitRects()[0].Width, 100);
    EXPECT_EQ(shown.grid.FitRects()[1].Width, 100) << "kept as a file that cannot be read";
}

namespace {

// One decode of some 240 MB under way while the grid answers.
std::wstring MakeDeepFolder(const wchar_t* name) {
    const std::wstring folder = MakeTestFolder(name);
    WriteDeepBlackPng(folder + L"deep.png", 6000, 4000);
    return folder;
}

} // namespace

TEST(ThumViewerThreads, AFolderLeftMidPassShowsTheNextWithoutWaitingForItsDecodes) {
    const std::wstring left = MakeDeepFolder(L"grid-left"), next = MakeTestFolder(L"grid-next");
    WriteSolidImage(next + L"small.png", 80, 60, ColorARGB(255, 0, 160, 0));
    ShownGrid shown(1);
    shown.window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_APP) return false;
        // Left once the large picture's decode has begun.
        if (shown.grid.DecodesUnderWay() == 0) {
            ::PostMessageW(shown.window.hwnd(), WM_APP, 0, 0);
        } else {
            shown.grid.Path(next);
            shown.grid.CreateThumbnail();
        }
        return true;
    };
    shown.grid.Path(left);
    ::PostMessageW(shown.window.hwnd(), WM_APP, 0, 0);
    shown.grid.CreateThumbnail();
    EXPECT_TRUE(shown.grid.DrawingComplete());
    EXPECT_EQ(shown.grid.FitRects()[0].Width, 80);
    EXPECT_EQ(shown.grid.DecodesUnderWay(), 1); // the left folder's, not waited for
}

TEST(ThumViewerThreads, AClickWhileAPictureDecodesOpensItWithoutWaitingForIt) {
    const std::wstring folder = MakeDeepFolder(L"grid-click");
    struct Opener : FakeGridMainWindow {
        const ThumViewer* grid = nullptr;
        float cellWidth = -1; // the clicked cell's picture as the file opens
        void FileImport(const std::wstring& path) override {
            cellWidth = grid->FitRects()[0].Width;
            FakeGridMainWindow::FileImport(path);
        }
    } opener;
    ShownGrid shown(1);
    opener.grid = &shown.grid;
    shown.grid.SetMainWindow(&opener);
    shown.grid.Path(folder);
    // The press comes as the pass lets messages run, its decode just begun.
    const HWND surface = shown.grid.ThumOLE.hWnd();
    ::PostMessageW(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    ::PostMessageW(surface, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    shown.grid.CreateThumbnail();
    EXPECT_EQ(opener.cellWidth, 0);
    EXPECT_EQ(App().SelectedFiles, std::vector<std::wstring>{folder + L"deep.png"});
    EXPECT_EQ(shown.grid.FitRects()[0].Width, 100); // made once the file had opened
}

TEST(ThumViewerThreads, ACellClickedDuringThePassIsFramedUntilTheNextClick) {
    const std::wstring folder = MakeMixedFolder();
    ShownGrid shown(1);
    const HWND surface = shown.grid.ThumOLE.hWnd();
    bool clickedMidPass = false;
    // The first cell is clicked as soon as it shows, the others still decoding.
    shown.window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_TIMER || shown.grid.ImageRects()[0].Width <= 0) return false;
        ::KillTimer(shown.window.hwnd(), 1);
        clickedMidPass = !shown.grid.DrawingComplete();
        LeftClick(surface, 50, 50);
        return true;
    };
    ::SetTimer(shown.window.hwnd(), 1, 1, nullptr);
    shown.grid.Path(folder);
    shown.grid.CreateThumbnail();
    ASSERT_TRUE(clickedMidPass);
    const RectF first = shown.grid.FrameRects()[0];
    const auto framed = [&] {
        const COLORREF edge =
            shown.grid.ThumOLE.Point(static_cast<int>(first.X) - 2, static_cast<int>(first.Y + first.Height / 2));
        return RgbDistance(edge, RGB(47, 99, 255)) < 40;
    };
    ASSERT_TRUE(framed());
    LeftClick(surface, 170, 50);
    EXPECT_EQ(App().SelectedFiles, std::vector<std::wstring>{folder + L"p101.png"});
    EXPECT_FALSE(framed());
}

// A cell short of memory beside a large picture the canvas holds: captioned with its picture's
// size, and made once the canvas lets go, without another pass. One that cannot be made even then
// is tried once more, not again and again.
TEST(ThumViewerThreads, ACellShortOfMemoryTellsItsSizeAndIsMadeOnceTheMemoryIsFree) {
    if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit process has more address space than can be taken";
    const std::wstring folder = MakeTestFolder(L"grid-later");
    WriteDeepBlackPng(folder + L"a.png", 6000, 4000);       // some 240 MB to decode
    WriteRunLengthBmp(folder + L"b.bmp", 9000, 8000, kRed); // some 550 MB
    ShownGrid shown(1);
    const std::wstring warm = MakeTestFolder(L"grid-warm") + L"warm.png";
    WriteDeepBlackPng(warm, 8, 8); // the decoder loads what it needs while memory is plenty
    ASSERT_TRUE(GdiDIB().Import(warm));
    std::thread([] {}).join();                    // as does a thread's end
    const AddressSpaceTaken shortage(350u << 20); // one such decode at a time
    ASSERT_TRUE(shortage.kept);
    std::optional<GdiDIB> canvas(std::in_place);
    ASSERT_TRUE(canvas->Import(folder + L"a.png"));
    shown.grid.Path(folder);
    shown.grid.CreateThumbnail();
    EXPECT_EQ(shown.grid.FitRects()[0].Width, 0);
    // A cell's second caption line against the text, centred alike to within a pixel.
    const auto captionDiffers = [&](size_t row, const wchar_t* text) {
        const RectF box = shown.grid.HitRects()[row];
        int least = INT_MAX;
        for (int dx = -1; dx <= 1; ++dx)
            least = std::min(least, Differing(CaptionLine(shown.grid.ThumOLE, static_cast<int>(box.X) + dx,
                                                          static_cast<int>(box.Y + box.Height) + 14),
                                              ReferenceLine(text, RGB(255, 255, 255))));
        return least;
    };
    EXPECT_LE(captionDiffers(0, L"6000 x 4000 pixels"), 6);
    EXPECT_LE(captionDiffers(1, L"9000 x 8000 pixels"), 6);
    canvas.reset();
    for (int i = 0; i < 200 && shown.grid.FitRects()[0].Width == 0; ++i) TestWindow::Pump(50);
    EXPECT_EQ(shown.grid.FitRects()[0].Width, 100);
    for (int i = 0; i < 200 && shown.grid.DecodesUnderWay() > 0; ++i) TestWindow::Pump(50);
    const int32_t made = shown.grid.PicturesMade();
    TestWindow::Pump(2000);
    EXPECT_EQ(shown.grid.PicturesMade(), made) << "made again and again";
    EXPECT_EQ(shown.grid.FitRects()[1].Width, 0);
}
