// Listing and sorting a folder of 10,000 pictures, beside the file system's own enumeration of it.
#include "bench/Bench.h"

#include "browser/ModFileinfo.h"
#include "browser/ThumViewer.h"

#include <windows.h>

#include <cstdio>

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

ThumViewer& Grid() {
    static ThumViewer grid;
    return grid;
}

int32_t& RowsListed() {
    static int32_t rows = 0;
    return rows;
}

const char* const kEnumerateName = "listing: enumerate 10,000 files (FindFirstFileExW)";
const char* const kListName = "listing: list 10,000 files into the grid table (Path)";

const bool registered = [] {
    RegisterBench({kEnumerateName, 0,
                   [] {
                       MakeListingFolder();
                       (void)CountEntries(ListingFolder()); // warm the file system's cache
                   },
                   [] { (void)CountEntries(ListingFolder()); }, 7});
    RegisterBench({kListName, 0, MakeListingFolder,
                   [] {
                       Grid().Path(ListingFolder());
                       RowsListed() = Grid().ListCount();
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
                       for (int32_t mode : {kSortSize, kSortCreated, kSortType, kSortName})
                           SortListViewColumn(table, mode);
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
    return true;
}();

} // namespace
