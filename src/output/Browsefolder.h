// The system's folder-browse dialog behind a few options: the host sets a title, a start folder
// and flags, calls Browse and reads the chosen folder from FullName.
#pragma once

#include "output/ModShellFolder.h"

#include <windows.h>

#include <string>

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
    // Read-only and never filled by Browse: a host that reads them finds them empty (or False).
    [[nodiscard]] const std::wstring& FolderName() const { return folderName_; }
    [[nodiscard]] const std::wstring& Filename() const { return filename_; }
    [[nodiscard]] const std::wstring& DisplayName() const { return displayName_; }
    [[nodiscard]] bool FileReadOnly() const { return fileReadOnly_; }
    [[nodiscard]] bool FileHidden() const { return fileHidden_; }
    [[nodiscard]] bool FileSystem() const { return fileSystem_; }
    [[nodiscard]] bool FileCompressed() const { return fileCompressed_; }
    [[nodiscard]] bool FileArchived() const { return fileArchived_; }
    // The BIF_ flags of the options set now.
    [[nodiscard]] UINT Flags() const;

    // Runs the dialog, rooted at StartDirectory (the desktop when it is empty or names no folder);
    // true when a folder was chosen. A cancel empties FullName.
    bool Browse();

    // The characters of the display-name buffer the dialog writes the chosen item's name into.
    static constexpr size_t kDisplayNameChars = 5000;

private:
    HWND owner_ = nullptr;
    std::wstring fullName_;
    const std::wstring folderName_, filename_, displayName_;
    const bool fileReadOnly_ = false, fileHidden_ = false, fileSystem_ = false, fileCompressed_ = false,
               fileArchived_ = false;
};
