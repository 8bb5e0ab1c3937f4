// The thumbnail grid's table: one typed row per listed file, in the order the grid shows them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The sort modes of the grid, which are also the columns a table sorts by.
enum ThumSortMode : int32_t {
    kSortName = 0,
    kSortType = 1,
    kSortSize = 2,
    kSortCreated = 3,
    kSortModified = 4,
    kSortFavorite = 5,
};

enum class ThumSortOrder { Ascending, Descending };

struct ThumRow {
    // The shown texts, one per column.
    std::wstring Path;    // folder with its final backslash, then the name
    std::wstring String;  // the file name as listed
    std::wstring Extname; // text after the last "." of the name, in the name's letter case
    std::wstring Number;  // size text
    std::wstring CDate;   // created date text (local time)
    std::wstring MDate;   // modified date text (local time)
    std::wstring Review;  // "T" for a favourite, otherwise empty

    // Typed keys: sorting and filtering never read the texts back.
    uint64_t Size = 0;
    uint64_t Created = 0;  // UTC file time
    uint64_t Modified = 0; // UTC file time
    SYSTEMTIME CreatedLocal{};

    bool Selected = false; // the grid's selection
};

struct ThumTable {
    std::vector<ThumRow> Rows;
    // Like a sorted list view, a sorted table stays sorted by its column when it is filled again.
    bool Sorted = false;
    int32_t SortKey = kSortName;
    ThumSortOrder SortOrder = ThumSortOrder::Ascending;
};
