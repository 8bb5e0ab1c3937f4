#include "browser/ThumFileList.h"

#include "browser/ModFileinfo.h"
#include "imaging/PathHelpers.h"

#include <windows.h>

#include <algorithm>

namespace {

uint64_t Join(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

// Both texts lower case; "*" matches any run, "?" one character.
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

// FindFirstFileExW takes paths past MAX_PATH only in their "\\?\" form.
std::wstring SearchPath(const std::wstring& folder) {
    std::wstring search = folder + L'*';
    if (search.size() < MAX_PATH || search.rfind(L"\\\\?\\", 0) == 0) return search;
    if (search.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + search.substr(2);
    return L"\\\\?\\" + search;
}

} // namespace

std::vector<std::wstring> ThumFileList::SplitPattern(const std::wstring& pattern) {
    std::vector<std::wstring> wildcards;
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find(L';', start);
        if (end == std::wstring::npos) end = pattern.size();
        std::wstring part = pattern.substr(start, end - start);
        part.erase(0, part.find_first_not_of(L' '));
        part.erase(part.find_last_not_of(L' ') + 1);
        // As in a file dialog, "*.*" also takes names without a dot.
        if (part == L"*.*") part = L"*";
        if (!part.empty()) wildcards.push_back(LowerText(part));
        start = end + 1;
    }
    return wildcards;
}

void ThumFileList::SetPattern(const std::wstring& pattern) {
    pattern_ = pattern;
    wildcards_ = SplitPattern(pattern);
}

bool ThumFileList::Matches(const std::wstring& name) const {
    const std::wstring lower = LowerText(name);
    for (const std::wstring& wildcard : wildcards_)
        if (WildcardMatch(lower.c_str(), wildcard.c_str())) return true;
    return false;
}

bool ThumFileList::SetPath(const std::wstring& folder) {
    path_.clear();
    files_.clear();
    if (folder.empty()) return false;
    // A relative folder would be read against the process's current folder, which the user never chose.
    DWORD length = ::GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
    if (length == 0) return false;
    std::wstring full(length, L'\0');
    length = ::GetFullPathNameW(folder.c_str(), length, full.data(), nullptr);
    if (length == 0 || length >= full.size()) return false;
    full.resize(length);
    path_ = AddBackslash(full);
    return Refresh();
}

bool ThumFileList::Refresh() {
    files_.clear();
    if (path_.empty()) return false;
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileExW(SearchPath(path_).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    // Upper-case keys made once per name give the order CompareNoCase gives, without folding the
    // names again at every comparison.
    std::vector<std::pair<std::wstring, ThumFileEntry>> found;
    do {
        // Folders, and hidden and system files, are not pictures the user put there to browse.
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        std::wstring name = data.cFileName;
        if (!Matches(name)) continue;
        std::wstring key = UpperText(name);
        found.emplace_back(std::move(key),
                           ThumFileEntry{std::move(name),
                                         (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                                         Join(data.ftCreationTime), Join(data.ftLastWriteTime)});
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (int c = a.first.compare(b.first)) return c < 0;
        return a.second.Name < b.second.Name;
    });
    files_.reserve(found.size());
    for (auto& entry : found) files_.push_back(std::move(entry.second));
    return true;
}
