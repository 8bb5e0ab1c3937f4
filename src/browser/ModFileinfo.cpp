#include "browser/ModFileinfo.h"

#include <algorithm>
#include <cstdio>

namespace {

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }
uint64_t Join(const FILETIME& time) { return Join(time.dwHighDateTime, time.dwLowDateTime); }

// Rows that tie on the sort column stay in name order, whatever the direction.
bool NameLess(const ThumRow& a, const ThumRow& b) {
    if (int c = CompareNoCase(a.String, b.String)) return c < 0;
    if (int c = a.String.compare(b.String)) return c < 0;
    return a.Path < b.Path;
}

template <typename T> int Compare(const T& a, const T& b) { return a < b ? -1 : (b < a ? 1 : 0); }

int CompareColumn(const ThumRow& a, const ThumRow& b, int32_t mode) {
    switch (mode) {
    case kSortName: return CompareNoCase(a.String, b.String);
    case kSortType: return CompareNoCase(a.Extname, b.Extname);
    case kSortSize: return Compare(a.Size, b.Size);
    case kSortCreated: return Compare(a.Created, b.Created);
    case kSortModified: return Compare(a.Modified, b.Modified);
    case kSortFavorite: return a.Review.compare(b.Review);
    default: return 0;
    }
}

bool IsSortMode(int32_t mode) { return mode >= kSortName && mode <= kSortFavorite; }

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
    HANDLE find = ::FindFirstFileW(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return WIN32_FIND_DATAW{};
    ::FindClose(find);
    return data;
}

std::wstring GetFileInfoText(const std::wstring& path, int32_t kind) {
    if (kind < 0 || kind > 2) return {};
    const WIN32_FIND_DATAW data = GetFileFindData(path);
    const FileInfoFormat format = FileInfoFormat::Current();
    switch (kind) {
    case 0: return FileSizeText(Join(data.nFileSizeHigh, data.nFileSizeLow), format);
    case 1: return FileDateText(FileTimeToLocal(Join(data.ftLastWriteTime), format));
    default: return FileDateText(FileTimeToLocal(Join(data.ftCreationTime), format));
    }
}

std::wstring FileSizeText(uint64_t bytes, const FileInfoFormat& format) {
    // Fifteen significant digits and no fixed decimals, as the number would be written in a text box.
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.15g", static_cast<double>(bytes) / 1000.0);
    std::wstring text;
    for (const char* p = digits; *p; ++p) {
        if (*p == '.')
            text += format.DecimalSeparator;
        else
            text += static_cast<wchar_t>(*p);
    }
    return text + L" KB";
}

std::wstring FileDateText(const SYSTEMTIME& local) {
    std::wstring text;
    text.reserve(20);
    text += std::to_wstring(local.wDay);
    text += L'-';
    text += std::to_wstring(local.wMonth);
    text += L'-';
    text += std::to_wstring(local.wYear);
    text += L' ';
    text += std::to_wstring(local.wHour);
    text += L':';
    text += std::to_wstring(local.wMinute);
    text += L':';
    text += std::to_wstring(local.wSecond);
    return text;
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
    std::stable_sort(list.Rows.begin(), list.Rows.end(), [&](const ThumRow& a, const ThumRow& b) {
        if (int c = CompareColumn(a, b, mode)) return descending ? c > 0 : c < 0;
        if (mode == kSortName && descending) return NameLess(b, a);
        return NameLess(a, b);
    });
}

void SearchListViewByName(const ThumTable& source, const std::wstring& text, ThumTable& destination) {
    const std::wstring wanted = LowerText(text);
    destination.Rows.clear();
    for (const ThumRow& row : source.Rows) {
        if (row.String.empty() || LowerText(row.String).find(wanted) == std::wstring::npos) continue;
        destination.Rows.push_back(row);
        destination.Rows.back().Selected = false;
    }
}

int CompareNoCase(const std::wstring& a, const std::wstring& b) {
    const int result = ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                              static_cast<int>(b.size()), TRUE);
    if (result == 0) return a < b ? -1 : (b < a ? 1 : 0);
    return result - CSTR_EQUAL;
}

std::wstring LowerText(const std::wstring& text) {
    if (text.empty()) return text;
    std::wstring lower(text.size(), L'\0');
    const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.c_str(), static_cast<int>(text.size()),
                                  lower.data(), static_cast<int>(lower.size()), nullptr, nullptr, 0);
    if (n <= 0) return text;
    lower.resize(static_cast<size_t>(n));
    return lower;
}
