// Shell file operations: deleting to the recycle bin, and whether a path exists.
#pragma once

#include <string>

// What became of a file sent to the recycle bin.
enum class RecycleResult {
    Recycled, // it is in the recycle bin
    Missing,  // no such file: the shell was not asked, and the caller tells the user
    Kept,     // the shell refused or failed: it is where it was
    Declined, // the user answered the shell's question No or Cancel: it is where it was
};

// Moves one file to the recycle bin with the shell (undo allowed). The shell asks the user to
// confirm unless confirmations are off.
[[nodiscard]] RecycleResult RecycleFile(const std::wstring& path);

// Copies one file into folder with the shell (undo allowed, a missing folder made without a
// question). A file of the same name there is replaced only when replace is true: the caller has
// asked the user. True when the copy is in place.
[[nodiscard]] bool ShellCopyFile(const std::wstring& path, const std::wstring& folder, bool replace = false);

// Moves one file into folder the same way. The file is afterwards at its old or at its new place,
// never lost; true when it is at the new one.
[[nodiscard]] bool ShellMoveFile(const std::wstring& path, const std::wstring& folder, bool replace = false);

// Renames a file to to, never over another file. A change of letter case only goes through a
// temporary name, as some file systems ignore it otherwise. True when the file has its new name;
// otherwise it keeps its old one.
[[nodiscard]] bool RenameFileNoReplace(const std::wstring& from, const std::wstring& to);

// True when a file-system search for path finds something: files, folders, and wildcard
// patterns that match.
[[nodiscard]] bool FileExists(const std::wstring& path);

// Headless runs cannot answer the shell's confirmation and error windows: tests turn them off
// for their lifetime.
class ScopedShellConfirmationsOff {
public:
    ScopedShellConfirmationsOff();
    ~ScopedShellConfirmationsOff();
    ScopedShellConfirmationsOff(const ScopedShellConfirmationsOff&) = delete; // the setting goes back once
    ScopedShellConfirmationsOff& operator=(const ScopedShellConfirmationsOff&) = delete;

private:
    bool previous_;
};
