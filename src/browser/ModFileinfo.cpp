#include "browser/ModFileinfo.h"

#include "platform/GdipHandles.h"
#include "platform/TextCase.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace {

uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}
uint64_t Join(const FILETIME& time) {
    return Join(time.dwHighDateTime, time.dwLowDateTime);
}

template <typename T> int Compare(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A row with its folded name and extension, made once per sort instead of at every comparison.
struct SortEntry {
    std::wstring name;
    std::wstring extension;
    ThumRow* row;
};

int CompareColumn(const SortEntry& a, const SortEntry& b, int32_t mode) {
    switch (mode) {
    case kSortName:
        return a.name.compare(b.name);
    case kSortType:
        return a.extension.compare(b.extension);
    case kSortSize:
        return Compare(a.row->Size, b.row->Size);
    case kSortCreated:
        return Compare(a.row->Created, b.row->Created);
    case kSortModified:
        return Compare(a.row->Modified, b.row->Modified);
    case kSortFavorite:
        return a.row->Review.compare(b.row->Review);
    default:
        return 0;
    }
}

// Rows that tie on the sort column stay in name order, whatever the direction.
int CompareNames(const SortEntry& a, const SortEntry& b) {
    if (int c = a.name.compare(b.name)) return c;
    if (int c = a.row->String.compare(b.row->String)) return c;
    return a.row->Path.compare(b.row->Path);
}

bool IsSortMode(int32_t mode) {
    return mode >= kSortName && mode <= kSortFavorite;
}

} // namespace

FileInfoFormat FileInfoFormat::Current() {
    FileInfoFormat format;
    wchar_t separator[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1)
        format.DecimalSeparator = separator;
    format.HasTimeZone = ::GetTimeZoneInformation(&format.TimeZone) != TIME_ZONE_ID_INVALID;
    return format;
}

WIN32_FIND_DATAW GetFileFindData(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    const UniqueFind find(::FindFirstFileW(path.c_str(), &data));
    return find ? data : WIN32_FIND_DATAW{};
}

std::wstring GetFileInfoText(const std::wstring& path, int32_t kind) {
    if (kind < 0 || kind > 2) return {};
    const WIN32_FIND_DATAW data = GetFileFindData(path);
    const FileInfoFormat format = FileInfoFormat::Current();
    switch (kind) {
    case 0:
        return FileSizeText(Join(data.nFileSizeHigh, data.nFileSizeLow), format);
    case 1:
        return FileDateText(FileTimeToLocal(Join(data.ftLastWriteTime), format));
    default:
        return FileDateText(FileTimeToLocal(Join(data.ftCreationTime), format));
    }
}

void SetFileFacts(ThumRow& row, const FileListEntry& file, const FileInfoFormat& format) {
    row.Size = file.Size;
    row.Created = file.Created;
    row.Modified = file.Modified;
    row.CreatedLocal = FileTimeToLocal(file.Created, format);
    row.Number = FileSizeText(file.Size, format);
    row.CDate = FileDateText(row.CreatedLocal);
    row.MDate = FileDateText(FileTimeToLocal(file.Modified, format));
}

void UpdateFileFacts(ThumTable& table, const std::vector<FileListEntry>& files) {
    std::unordered_map<std::wstring_view, const FileListEntry*> byName;
    for (const FileListEntry& file : files) byName.emplace(file.Name, &file);
    std::optional<FileInfoFormat> format; // read only when a file has changed
    for (ThumRow& row : table.Rows) {
        const auto found = byName.find(row.String);
        if (found == byName.end()) continue;
        const FileListEntry& file = *found->second;
        if (file.Size == row.Size && file.Modified == row.Modified && file.Created == row.Created) continue;
        if (!format) format = FileInfoFormat::Current();
        SetFileFacts(row, file, *format);
    }
}

std::wstring FileSizeText(uint64_t bytes, const FileInfoFormat& format) {
    // Fifteen significant digits and no fixed decimals, as the number would be written in a text box.
    // Below 10^15 bytes that is the exact quotient, written without the printf machinery.
    std::wstring text;
    if (bytes < 1000000000000000ull) {
        text = std::to_wstring(bytes / 1000);
        unsigned fraction = static_cast<unsigned>(bytes % 1000);
        if (fraction != 0) {
            wchar_t digits[4] = {static_cast<wchar_t>(L'0' + fraction / 100),
                                 static_cast<wchar_t>(L'0' + fraction / 10 % 10),
                                 static_cast<wchar_t>(L'0' + fraction % 10), L'\0'};
            for (int last = 2; last >= 0 && digits[last] == L'0'; --last) digits[last] = L'\0';
            text += format.DecimalSeparator;
            text += digits;
        }
        return text + L" KB";
    }
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.15g", static_cast<double>(bytes) / 1000.0);
    for (const char* p = digits; *p; ++p) {
        if (*p == '.')
            text += format.DecimalSeparator;
        else
            text += static_cast<wchar_t>(*p);
    }
    return text + L" KB";
}

namespace {
wchar_t* AppendNumber(wchar_t* out, unsigned value) {
    wchar_t digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) *out++ = digits[--n];
    return out;
}
} // namespace

std::wstring FileDateText(const SYSTEMTIME& local) {
    wchar_t text[64];
    wchar_t* out = AppendNumber(text, local.wDay);
    *out++ = L'-';
    out = AppendNumber(out, local.wMonth);
    *out++ = L'-';
    out = AppendNumber(out, local.wYear);
    *out++ = L' ';
    out = AppendNumber(out, local.wHour);
    *out++ = L':';
    out = AppendNumber(out, local.wMinute);
    *out++ = L':';
    out = AppendNumber(out, local.wSecond);
    return std::wstring(text, out);
}

SYSTEMTIME FileTimeToLocal(uint64_t utc, const FileInfoFormat& format) {
    SYSTEMTIME universal{};
    FILETIME time{static_cast<DWORD>(utc & 0xFFFFFFFFu), static_cast<DWORD>(utc >> 32)};
    if (utc == 0 || !::FileTimeToSystemTime(&time, &universal)) {
        universal = SYSTEMTIME{};
        universal.wYear = 1601;
        universal.wMonth = 1;
        universal.wDay = 1;
        return universal;
    }
    SYSTEMTIME local{};
    if (::SystemTimeToTzSpecificLocalTime(format.HasTimeZone ? &format.TimeZone : nullptr, &universal, &local))
        return local;
    return universal;
}

void SortListViewColumn(ThumTable& list, int32_t mode) {
    if (!IsSortMode(mode)) return;
    list.SortKey = mode;
    list.Sorted = true;
    ApplyTableSort(list);
}

void ApplyTableSort(ThumTable& list) {
    if (!list.Sorted || !IsSortMode(list.SortKey)) return;
    const int32_t mode = list.SortKey;
    const bool descending = list.SortOrder == ThumSortOrder::Descending;
    std::vector<SortEntry> entries;
    entries.reserve(list.Rows.size());
    for (ThumRow& row : list.Rows)
        entries.push_back({FoldCase(row.String), mode == kSortType ? FoldCase(row.Extname) : std::wstring(), &row});
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (int c = CompareColumn(a, b, mode)) return descending ? c > 0 : c < 0;
        const int names = CompareNames(a, b);
        return mode == kSortName && descending ? names > 0 : names < 0;
    });
    std::vector<ThumRow> sorted;
    sorted.reserve(entries.size());
    for (SortEntry& entry : entries) sorted.push_back(std::move(*entry.row));
    list.Rows = std::move(sorted);
}

void SearchListViewByName(const ThumTable& source, const std::wstring& text, ThumTable& destination) {
    const std::wstring wanted = FoldCase(text);
    destination.Rows.clear();
    for (const ThumRow& row : source.Rows) {
        if (row.String.empty() || FoldCase(row.String).find(wanted) == std::wstring::npos) continue;
        destination.Rows.push_back(row);
        destination.Rows.back().Selected = false;
    }
}
