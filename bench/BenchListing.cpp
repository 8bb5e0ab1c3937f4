// Listing and sorting a folder of 10,000 pictures, beside the file system's own enumeration of it.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "browser/ModFileinfo.h"
#include "browser/ThumViewer.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr int kFiles = kListingFiles;

BenchKept<ThumViewer> keptGrid;

ThumViewer& Grid() {
    return keptGrid.get();
}

int32_t& RowsListed() {
    static int32_t rows = 0;
    return rows;
}

void AllListed() {
    BenchCheck(Grid().ListCount() == kFiles, "the grid does not list every file");
}

const char* const kEnumerateName = "listing: enumerate 10,000 files (FindFirstFileExW)";
const char* const kListName = "listing: list 10,000 files into the grid table (Path)";

const bool registered = [] {
    RegisterBench({kEnumerateName, 0,
                   MakeListingFolder, // which reads the folder once: the file system's cache is warm
                   [] { BenchCheck(CountEntries(ListingFolder()) == kFiles, "the files were not all found"); }, 7});
    RegisterBench({kListName, 0, MakeListingFolder,
                   [] {
                       Grid().Path(ListingFolder());
                       RowsListed() = Grid().ListCount();
                       AllListed();
                   },
                   7,
                   [] {
                       const double enumerate = MedianOf(kEnumerateName), list = MedianOf(kListName);
                       if (enumerate > 0 && list > 0)
                           std::printf("  listing / enumeration = %.2f (rows listed: %d)\n", list / enumerate,
                                       RowsListed());
                   }});
    RegisterBench({"listing: sort 10,000 rows by size, created, type, name", 0,
                   [] {
                       MakeListingFolder();
                       Grid().Path(ListingFolder());
                   },
                   [] {
                       ThumTable table = Grid().ThumListview();
                       BenchCheck(static_cast<int>(table.Rows.size()) == kFiles, "the table does not hold every file");
                       for (int32_t mode : {kSortSize, kSortCreated, kSortType, kSortName})
                           SortListViewColumn(table, mode);
                   }});
    RegisterBench({"listing: ThumbnaillSort by size (sort and relist 10,000)", 0, MakeListingFolder, [] {
                       Grid().ThumbnaillSort(kSortSize);
                       AllListed();
                   }});
    RegisterBench({"listing: search 10,000 names", 0,
                   [] {
                       MakeListingFolder();
                       Grid().Path(ListingFolder());
                   },
                   [] {
                       Grid().SearchThumbnaillGO(L"", false);
                       Grid().SearchThumbnaillGO(L"img_01");
                       // IMG_01000 to IMG_01999
                       BenchCheck(Grid().ListCount() == 1000, "the search did not find its names");
                   }});
    return RegisterBenchCleanup([] { keptGrid.Release(); });
}();

} // namespace
