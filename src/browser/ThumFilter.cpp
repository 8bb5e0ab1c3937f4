#include "browser/ThumFilter.h"

#include "platform/TextCase.h"

#include <algorithm>

namespace {

// The leading whole number of a text, blanks before it skipped; 0 when there is none.
int32_t LeadingNumber(const std::wstring& text) {
    size_t i = text.find_first_not_of(L' ');
    if (i == std::wstring::npos) return 0;
    bool negative = false;
    if (text[i] == L'-' || text[i] == L'+') negative = text[i++] == L'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9' && value < 100000000; ++i)
        value = value * 10 + (text[i] - L'0');
    return static_cast<int32_t>(negative ? -value : value);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

} // namespace

void ThumFilter::Formats(const std::wstring& value) {
    std::wstring list = FoldCase(value);
    for (size_t at = list.find(L"*."); at != std::wstring::npos; at = list.find(L"*.", at)) list.erase(at, 2);
    extensions_ = Split(list, L';');
    for (std::wstring& extension : extensions_) {
        extension.erase(0, extension.find_first_not_of(L' '));
        extension.erase(extension.find_last_not_of(L' ') + 1);
    }
    mode_ = kFormatFilter;
}

void ThumFilter::Date(const std::wstring& value) {
    const std::vector<std::wstring> parts = Split(value, L'-');
    day_ = parts.size() > 0 ? LeadingNumber(parts[0]) : 0;
    month_ = parts.size() > 1 ? LeadingNumber(parts[1]) : 0;
    year_ = parts.size() > 2 ? LeadingNumber(parts[2]) : 0;
    mode_ = kDateFilter;
}

bool ThumFilter::IsInFormatList(const std::wstring& extension) const {
    return std::find(extensions_.begin(), extensions_.end(), FoldCase(extension)) != extensions_.end();
}

bool ThumFilter::MatchDateFilter(const SYSTEMTIME& created) const {
    return created.wDay == day_ && created.wMonth == month_ && created.wYear == year_;
}

bool ThumFilter::Passes(const ThumRow& row) const {
    switch (mode_) {
    case kFormatFilter:
        return IsInFormatList(row.Extname);
    case kDateFilter:
        return MatchDateFilter(row.CreatedLocal);
    default:
        return true;
    }
}
