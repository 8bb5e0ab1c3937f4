// The runtime's file list: the names of the files in one folder that match a pattern, sorted
// as its sorted list box sorts them (case-insensitive, in the user's locale). Folders, hidden
// and system files are left out, as the runtime's defaults do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FileList {
public:
    [[nodiscard]] const std::wstring& Path() const { return path_; }
    // A new folder or pattern lists again at once, as the runtime does.
    void SetPath(const std::wstring& folder);
    [[nodiscard]] const std::wstring& Pattern() const { return pattern_; }
    // One or more wildcard patterns separated by ";", e.g. "*.jpg;*.png".
    void SetPattern(const std::wstring& pattern);

    // Lists the folder again.
    void Refresh();
    [[nodiscard]] int32_t ListCount() const { return static_cast<int32_t>(names_.size()); }
    // The file name (without folder) at index 0 to ListCount() - 1; empty outside.
    [[nodiscard]] std::wstring List(int32_t index) const;
    [[nodiscard]] const std::vector<std::wstring>& Names() const { return names_; }

private:
    std::wstring path_;
    std::wstring pattern_ = L"*.*";
    std::vector<std::wstring> names_;
};
