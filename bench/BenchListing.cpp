// Listing and sorting a folder of 10,000 pictures, beside the file system's own enumeration of it.
#include "bench/Bench.h"

#include "browser/ModFileinfo.h"
#include "browser/ThumViewer.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int kFiles = 10000;

const std::wstring& ListingFolder() {
    static const std::wstring folder = BenchFolder() + L"listing10k\\";
    return folder;
}

int CountEntries(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}

// Empty files with spread sizes, extensions and dates; made once and kept between runs.
void MakeListingFolder() {
    const std::wstring& folder = ListingFolder();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (CountEntries(folder) == kFiles) return;
    const wchar_t* extensions[] = {L"JPG", L"jpg", L"png", L"tif", L"tiff", L"gif", L"bmp", L"jpeg"};
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[64];
        std::swprintf(name, 64, L"IMG_%05d.%ls", (i * 7919) % kFiles, extensions[i % 8]);
        HANDLE file = ::CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        LARGE_INTEGER end{};
        end.QuadPart = (i * 104729) % 5000000;
        ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
        SYSTEMTIME when{};
        when.wYear = static_cast<WORD>(2000 + i % 20);
        when.wMonth = static_cast<WORD>(1 + i % 12);
        when.wDay = static_cast<WORD>(1 + i % 28);
        when.wHour = static_cast<WORD>(i % 24);
        FILETIME time{};
        ::SystemTimeToFileTime(&when, &time);
        ::SetFileTime(file, &time, nullptr, &time);
        ::CloseHandle(file);
    }
}

// The runner keeps its medians to itself; each body records its own time so the ratio can be printed.
std::map<std::string, std::vector<double>>& Times() {
    static std::map<std::string, std::vector<double>> times;
    return times;
}

template <typename F> void Timed(const std::string& key, F&& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    Times()[key].push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

ThumViewer& Grid() {
    static ThumViewer grid;
    return grid;
}

int32_t& RowsListed() {
    static int32_t rows = 0;
    return rows;
}

const bool registered = [] {
    RegisterBench({"listing: enumerate 10,000 files (FindFirstFileExW)", 0,
                   [] {
                       MakeListingFolder();
                       (void)CountEntries(ListingFolder()); // warm the file system's cache
                   },
                   [] { Timed("enumerate", [] { (void)CountEntries(ListingFolder()); }); }, 7});
    RegisterBench({"listing: list 10,000 files into the grid table (Path)", 0, MakeListingFolder,
                   [] {
                       Timed("list", [] { Grid().Path(ListingFolder()); });
                       RowsListed() = Grid().ListCount();
                   },
                   7});
    RegisterBench({"listing: sort 10,000 rows by size, created, type, name", 0,
                   [] {
                       MakeListingFolder();
                       Grid().Path(ListingFolder());
                   },
                   [] {
                       ThumTable table = Grid().ThumListview();
                       Timed("sort", [&] {
                           for (int32_t mode : {kSortSize, kSortCreated, kSortType, kSortName}) SortListViewColumn(table, mode);
                       });
                   }});
    RegisterBench({"listing: ThumbnaillSort by size (sort and relist 10,000)", 0, MakeListingFolder,
                   [] { Grid().ThumbnaillSort(kSortSize); }});
    RegisterBench({"listing: search 10,000 names", 0,
                   [] {
                       MakeListingFolder();
                       Grid().Path(ListingFolder());
                   },
                   [] {
                       Grid().SearchThumbnaillGO(L"", false);
                       Grid().SearchThumbnaillGO(L"img_01");
                   }});
    RegisterBench({"listing: ratio of table listing to enumeration (above)", 0, nullptr,
                   [] {
                       const double enumerate = Median(Times()["enumerate"]), list = Median(Times()["list"]);
                       if (enumerate > 0 && list > 0)
                           std::printf("  listing %.1f ms / enumeration %.1f ms = %.2f (rows listed: %d)\n", list,
                                       enumerate, list / enumerate, RowsListed());
                   },
                   1});
    return true;
}();

} // namespace
