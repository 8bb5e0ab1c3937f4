#include "platform/FileList.h"

#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"

#include <windows.h>

#include <algorithm>

namespace {

uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

// Both texts in one letter case; "*" matches any run, "?" one character.
bool WildcardMatch(const wchar_t* name, const wchar_t* wildcard) {
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (*wildcard == L'*') {
            star = ++wildcard;
            resume = name;
        } else if (*wildcard == L'?' || *wildcard == *name) {
            ++wildcard;
            ++name;
        } else if (star) {
            wildcard = star;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*wildcard == L'*') ++wildcard;
    return *wildcard == L'\0';
}

} // namespace

FilePattern::FilePattern(const std::wstring& pattern) : text_(pattern) {
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find(L';', start);
        if (end == std::wstring::npos) end = pattern.size();
        std::wstring part = pattern.substr(start, end - start);
        part.erase(0, part.find_first_not_of(L' '));
        part.erase(part.find_last_not_of(L' ') + 1);
        if (part == L"*.*") part = L"*";
        if (!part.empty()) wildcards_.push_back(FoldCase(part));
        start = end + 1;
    }
}

bool FilePattern::Matches(const std::wstring& name) const {
    return MatchesKey(FoldCase(name));
}

bool FilePattern::MatchesKey(const std::wstring& key) const {
    for (const std::wstring& wildcard : wildcards_)
        if (WildcardMatch(key.c_str(), wildcard.c_str())) return true;
    return false;
}

bool ListFolderFiles(const std::wstring& folder, const FilePattern& pattern, std::vector<FileListEntry>& files) {
    files.clear();
    if (folder.empty()) return false;
    WIN32_FIND_DATAW data{};
    const UniqueFind find(::FindFirstFileExW(LongPathForm(folder + L'*').c_str(), FindExInfoBasic, &data,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        std::wstring name = data.cFileName;
        std::wstring key = FoldCase(name);
        if (!pattern.MatchesKey(key)) continue;
        files.push_back({std::move(name), std::move(key), Join(data.nFileSizeHigh, data.nFileSizeLow),
                         Join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime),
                         Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)});
    } while (::FindNextFileW(find.get(), &data));
    return true;
}

void FileList::SetPath(const std::wstring& folder) {
    path_ = folder;
    Refresh();
}

void FileList::SetPattern(const std::wstring& pattern) {
    pattern_ = FilePattern(pattern);
    Refresh();
}

void FileList::Refresh() {
    names_.clear();
    if (path_.empty()) return;
    std::vector<FileListEntry> files;
    (void)ListFolderFiles(path_.back() == L'\\' ? path_ : path_ + L'\\', pattern_, files);
    names_.reserve(files.size());
    std::stable_sort(files.begin(), files.end(),
                     [](const FileListEntry& a, const FileListEntry& b) { return a.Key < b.Key; });
    for (FileListEntry& file : files) names_.push_back(std::move(file.Name));
}

std::wstring FileList::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return names_[static_cast<size_t>(index)];
}
