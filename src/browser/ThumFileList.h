// The grid's file list: the files of one folder whose names match a list of wildcards, with the
// sizes and times the file system reports while listing, in name order.
#pragma once

#include "platform/FileList.h"

#include <cstdint>
#include <string>
#include <vector>

using ThumFileEntry = FileListEntry;

class ThumFileList {
public:
    static constexpr const wchar_t* kDefaultPattern = L"*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg";

    // Wildcards separated by ";" ("*" any run of characters, "?" one), matched without regard to case.
    const std::wstring& Pattern() const { return pattern_.Text(); }
    void SetPattern(const std::wstring& pattern) { pattern_ = FilePattern(pattern); }

    // Lists folder; an empty or unreadable folder gives no files (never the process's current folder).
    [[nodiscard]] bool SetPath(const std::wstring& folder);
    [[nodiscard]] bool Refresh();

    // The full folder path ending in "\", or empty when no folder is set.
    const std::wstring& Path() const { return path_; }
    const std::vector<ThumFileEntry>& Files() const { return files_; }
    // The folder's matching files as they are now, in the file system's order, without changing
    // the list; false when no folder is set or it cannot be read.
    [[nodiscard]] bool ReadFiles(std::vector<ThumFileEntry>& files) const;
    int32_t ListCount() const { return static_cast<int32_t>(files_.size()); }

    bool Matches(const std::wstring& name) const { return pattern_.Matches(name); }

private:
    FilePattern pattern_{kDefaultPattern};
    std::wstring path_;
    std::vector<ThumFileEntry> files_;
};
