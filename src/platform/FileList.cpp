#include "platform/FileList.h"

#include <windows.h>

#include <algorithm>

namespace {

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

bool SortsBefore(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
}

} // namespace

void FileList::SetPath(const std::wstring& folder) {
    path_ = folder;
    Refresh();
}

void FileList::SetPattern(const std::wstring& pattern) {
    pattern_ = pattern;
    Refresh();
}

void FileList::Refresh() {
    names_.clear();
    if (path_.empty()) return;
    std::wstring folder = path_;
    if (folder.back() != L'\\') folder += L'\\';
    size_t start = 0;
    while (start <= pattern_.size()) {
        size_t end = pattern_.find(L';', start);
        if (end == std::wstring::npos) end = pattern_.size();
        std::wstring one = pattern_.substr(start, end - start);
        one.erase(0, one.find_first_not_of(L' '));
        one.erase(one.find_last_not_of(L' ') + 1);
        start = end + 1;
        if (one.empty()) continue;
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((folder + one).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            constexpr DWORD kLeftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
            if (found.dwFileAttributes & kLeftOut) continue;
            std::wstring name = found.cFileName;
            // Two patterns may match one file: list it once.
            if (std::none_of(names_.begin(), names_.end(), [&](const std::wstring& n) { return SameName(n, name); }))
                names_.push_back(std::move(name));
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    std::stable_sort(names_.begin(), names_.end(), SortsBefore);
}

std::wstring FileList::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return names_[static_cast<size_t>(index)];
}
