// The system's folder-browse dialog run on a prepared record, with the chosen item turned into a
// path, and the platform test that says which string form the shell's path calls take.
#pragma once

#include "platform/ScopedOverride.h"
#include "platform/ShellItems.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// Runs the dialog on Info and gives the file-system path chosen; "" for a cancel, a choice that
// is no folder on disk (a computer, a printer, a virtual folder) or one outside Info's root.
[[nodiscard]] std::wstring BrowseForFolderCall(const BROWSEINFOW& Info);

// True on a Windows NT platform.
[[nodiscard]] bool IsWinNT();

// What the dialog is asked, as an answerer sees it: its owner, title, root folder (empty: the
// desktop) and BIF_ flags.
struct FolderBrowseRequest {
    HWND owner = nullptr;
    std::wstring title;
    std::wstring root;
    UINT flags = 0;
};

// Answers the folder dialog instead of the user while installed (tests, scripted runs): the
// chosen folder, or nothing for a cancel. Puts the previous answerer back when it goes.
using FolderBrowseAnswerer = std::function<std::optional<std::wstring>(const FolderBrowseRequest&)>;
class ScopedFolderBrowseAnswerer : public ScopedOverride<FolderBrowseAnswerer> {
public:
    explicit ScopedFolderBrowseAnswerer(FolderBrowseAnswerer answerer);
};
