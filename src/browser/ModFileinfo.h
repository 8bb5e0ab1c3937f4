// File information texts, sorting and name search on the thumbnail grid's tables.
#pragma once

#include "browser/ThumTable.h"
#include "platform/FileList.h"
#include "platform/TextCase.h"

#include <cstdint>
#include <string>
#include <vector>

// What the texts depend on beyond the file itself: the user's decimal separator and time zone.
// Reading them once serves a whole listing.
struct FileInfoFormat {
    std::wstring DecimalSeparator = L".";
    TIME_ZONE_INFORMATION TimeZone{};
    bool HasTimeZone = false;

    static FileInfoFormat Current();
};

// The find record of the first file matching path (wildcards allowed); all zero when none does.
WIN32_FIND_DATAW GetFileFindData(const std::wstring& path);

// Kind 0: size as kilobytes of 1000 bytes with the unit " KB" ("1.5 KB"); kind 1: modified date;
// kind 2: created date; any other kind: empty. A missing file gives "0 KB" and "1-1-1601 0:0:0".
std::wstring GetFileInfoText(const std::wstring& path, int32_t kind);

// The size text of a byte count, as GetFileInfoText kind 0 writes it.
std::wstring FileSizeText(uint64_t bytes, const FileInfoFormat& format);
// Day-month-year hour:minute:second without leading zeros, of a local time.
std::wstring FileDateText(const SYSTEMTIME& local);
// The local time of a UTC file time; the zero file time stays 1 January 1601 0:00.
SYSTEMTIME FileTimeToLocal(uint64_t utc, const FileInfoFormat& format);

// The row's size and times and their texts, as the listing's entry gives them.
void SetFileFacts(ThumRow& row, const FileListEntry& file, const FileInfoFormat& format);
// Takes the size and times of each row's file from files, a new listing of the rows' folder,
// matched by name. The rows keep their order and marks; a row whose file is not listed keeps what
// it had.
void UpdateFileFacts(ThumTable& table, const std::vector<FileListEntry>& files);

// Sorts the table by the column of the mode (0 name, 1 extension, 2 size, 3 created, 4 modified,
// 5 favourite flag) in the table's own sort order and keeps it sorted; any other mode changes
// nothing. Names and extensions compare without regard to case; rows that tie keep name order.
void SortListViewColumn(ThumTable& list, int32_t mode);
// Sorts a sorted table again (after it was filled).
void ApplyTableSort(ThumTable& list);

// Fills destination with the rows of source whose name contains text, letter case ignored, each
// once and in source order. An empty text copies every row with a name.
void SearchListViewByName(const ThumTable& source, const std::wstring& text, ThumTable& destination);
