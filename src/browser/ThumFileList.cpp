#include "browser/ThumFileList.h"

#include "platform/PathHelpers.h"

#include <windows.h>

#include <algorithm>

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
    if (path_.empty() || !ListFolderFiles(path_, pattern_, files_)) return false;
    // The upper-case keys made while listing give the case-free order without folding the names
    // again at every comparison.
    std::sort(files_.begin(), files_.end(), [](const ThumFileEntry& a, const ThumFileEntry& b) {
        if (int c = a.Key.compare(b.Key)) return c < 0;
        return a.Name < b.Name;
    });
    return true;
}

bool ThumFileList::ReadFiles(std::vector<ThumFileEntry>& files) const {
    files.clear();
    return !path_.empty() && ListFolderFiles(path_, pattern_, files);
}
