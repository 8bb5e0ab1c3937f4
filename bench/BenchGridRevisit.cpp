// Coming back to a folder of 200 photographs whose cells are all cached: the folder shown again
// (listed, then every cell drawn while scrolling through) and a search over it (no listing). A
// cached picture serves only while its file is as the listing says, and a search reads the folder
// once to know; these figures show what that costs against the drawing itself.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "browser/ThumViewer.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kPhotos = 200;

const std::wstring& RevisitFolder() {
    static const std::wstring folder = BenchFolder() + L"revisit200\\";
    return folder;
}

BenchKept<ThumViewer> keptGrid;

ThumViewer& Grid() {
    if (!keptGrid.get().hWnd()) (void)CreateBenchGrid(keptGrid.get());
    return keptGrid.get();
}

void AllShown() {
    BenchCheck(Grid().ListCount() == kPhotos, "the grid does not show every photograph");
}

// The photographs made once and kept; the grid shows them all once, so every cell is cached.
void ShowEveryCell() {
    ::CreateDirectoryW(RevisitFolder().c_str(), nullptr);
    for (int i = 0; i < kPhotos; ++i)
        WriteNoisyPhoto(RevisitFolder() + L"IMG_" + std::to_wstring(1000 + i) + L".jpg", 1600, 1200,
                        500u + static_cast<uint32_t>(i), {i % 100, 120, 60});
    Grid().Path(RevisitFolder());
    Grid().CreateThumbnail();
    ScrollGridThrough(Grid());
    AllShown();
}

int32_t& MadeBefore() {
    static int32_t made = 0;
    return made;
}

void ReportDecodes() {
    std::printf("  pictures decoded during the runs: %d\n", Grid().PicturesMade() - MadeBefore());
}

const bool registered = [] {
    RegisterBench({"grid revisit: 200 cached photos shown again, all cells", 0,
                   [] {
                       ShowEveryCell();
                       MadeBefore() = Grid().PicturesMade();
                   },
                   [] {
                       Grid().Path(RevisitFolder());
                       Grid().CreateThumbnail();
                       ScrollGridThrough(Grid());
                       AllShown();
                   },
                   9, ReportDecodes});
    RegisterBench({"grid revisit: search over 200 cached photos, all cells", 0,
                   [] {
                       ShowEveryCell();
                       Grid().SearchThumbnaillGO(L"", false);
                       MadeBefore() = Grid().PicturesMade();
                   },
                   [] {
                       Grid().SearchThumbnaillGO(L"IMG", true);
                       ScrollGridThrough(Grid());
                       AllShown();
                   },
                   9, ReportDecodes});
    return RegisterBenchCleanup([] { keptGrid.Release(); });
}();

} // namespace
