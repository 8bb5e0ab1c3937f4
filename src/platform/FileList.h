// Listing the files of one folder whose names match a list of wildcards, in one pass that keeps
// the sizes and times the file system reports; and on it the runtime's file list, sorted as its
// sorted list box sorts. Folders, hidden and system files are left out, as the runtime's
// defaults do: they are not pictures the user put there to browse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FileListEntry {
    std::wstring Name;
    std::wstring Key; // FoldCase of the name (upper case): by it names match and sort without regard to case
    uint64_t Size = 0;
    uint64_t Created = 0;  // UTC file time
    uint64_t Modified = 0; // UTC file time
};

// Wildcards separated by ";" ("*" any run of characters, "?" one), matched without regard to case.
// As in a file dialog, "*.*" also takes names without a dot.
class FilePattern {
public:
    explicit FilePattern(const std::wstring& pattern);
    [[nodiscard]] const std::wstring& Text() const { return text_; }
    [[nodiscard]] bool Matches(const std::wstring& name) const;
    // key: the folded name, as FileListEntry::Key holds it.
    [[nodiscard]] bool MatchesKey(const std::wstring& key) const;

private:
    std::wstring text_;
    std::vector<std::wstring> wildcards_; // folded
};

// The matching files of folder (ending in "\") in the file system's order. False when the folder
// cannot be read; files is then empty.
[[nodiscard]] bool ListFolderFiles(const std::wstring& folder, const FilePattern& pattern,
                                   std::vector<FileListEntry>& files);

// The runtime's file list: the names of the matching files of one folder, in the one order of
// names (CompareNoCase), as the grid lists them.
class FileList {
public:
    [[nodiscard]] const std::wstring& Path() const { return path_; }
    // A new folder or pattern lists again at once, as the runtime does.
    void SetPath(const std::wstring& folder);
    [[nodiscard]] const std::wstring& Pattern() const { return pattern_.Text(); }
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
    FilePattern pattern_{L"*.*"};
    std::vector<std::wstring> names_;
};
