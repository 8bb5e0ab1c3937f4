// The grid's file list: the files of one folder whose names match a list of wildcards, with the
// sizes and times the file system reports while listing, in name order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ThumFileEntry {
    std::wstring Name;
    uint64_t Size = 0;
    uint64_t Created = 0;  // UTC file time
    uint64_t Modified = 0; // UTC file time
};

class ThumFileList {
public:
    static constexpr const wchar_t* kDefaultPattern = L"*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg";

    // Wildcards separated by ";" ("*" any run of characters, "?" one), matched without regard to case.
    const std::wstring& Pattern() const { return pattern_; }
    void SetPattern(const std::wstring& pattern);

    // Lists folder; an empty or unreadable folder gives no files (never the process's current folder).
    [[nodiscard]] bool SetPath(const std::wstring& folder);
    [[nodiscard]] bool Refresh();

    // The full folder path ending in "\", or empty when no folder is set.
    const std::wstring& Path() const { return path_; }
    const std::vector<ThumFileEntry>& Files() const { return files_; }
    int32_t ListCount() const { return static_cast<int32_t>(files_.size()); }

    bool Matches(const std::wstring& name) const;

private:
    std::wstring pattern_ = kDefaultPattern;
    std::vector<std::wstring> wildcards_ = SplitPattern(kDefaultPattern);
    std::wstring path_;
    std::vector<ThumFileEntry> files_;

    static std::vector<std::wstring> SplitPattern(const std::wstring& pattern);
};
