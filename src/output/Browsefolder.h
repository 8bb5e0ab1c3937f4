// The system's folder-browse dialog behind a few options: the host sets a title, a start folder
// and flags, calls Browse and reads the chosen folder from FullName.
#pragma once

#include "platform/ScopedOverride.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// What the dialog is asked: its owner, title, root folder (empty: the desktop) and BIF_ flags.
struct FolderBrowseRequest {
    HWND owner = nullptr;
    std::wstring title;
    std::wstring root;
    UINT flags = 0;
};

class Browsefolder {
public:
    explicit Browsefolder(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    bool Enabled = true; // stored only
    std::wstring Caption = L"Folder Browser";
    std::wstring StartDirectory;
    bool OnlyFileSystemDirectories = false;
    bool DontGoBelowDomain = true;
    bool AllowEditBox = false;
    bool ValidateSelection = true;
    bool UseNewUI = false;
    bool BrowseForComputer = false;
    bool BrowseForPrinter = false;
    bool IncludeFiles = false;

    // The folder the last Browse chose; empty after a cancel or a choice that is no folder on disk.
    [[nodiscard]] const std::wstring& FullName() const { return fullName_; }
    // The BIF_ flags of the options set now.
    [[nodiscard]] UINT Flags() const;

    // Runs the dialog; true when a folder was chosen.
    bool Browse();

private:
    HWND owner_ = nullptr;
    std::wstring fullName_;
};

// Answers the folder dialog instead of the user while installed (tests, scripted runs): the
// chosen folder, or nothing for a cancel. Puts the previous answerer back when it goes.
using FolderBrowseAnswerer = std::function<std::optional<std::wstring>(const FolderBrowseRequest&)>;
class ScopedFolderBrowseAnswerer : public ScopedOverride<FolderBrowseAnswerer> {
public:
    explicit ScopedFolderBrowseAnswerer(FolderBrowseAnswerer answerer);
};
