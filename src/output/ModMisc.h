// Shell file operations: deleting to the recycle bin, and whether a path exists.
#pragma once

#include <string>

// Moves one file to the recycle bin with the shell (undo allowed). The shell asks the user to
// confirm unless confirmations are off. False when the file is missing or the shell refused or
// the user cancelled; the file is then where it was.
[[nodiscard]] bool RecycleFile(const std::wstring& path);

// True when a file-system search for path finds something: files, folders, and wildcard
// patterns that match.
[[nodiscard]] bool FileExists(const std::wstring& path);

// Headless runs cannot answer the shell's confirmation and error windows: tests turn them off
// for their lifetime.
class ScopedShellConfirmationsOff {
public:
    ScopedShellConfirmationsOff();
    ~ScopedShellConfirmationsOff();
    ScopedShellConfirmationsOff(const ScopedShellConfirmationsOff&) = delete;
    ScopedShellConfirmationsOff& operator=(const ScopedShellConfirmationsOff&) = delete;

private:
    bool previous_;
};
