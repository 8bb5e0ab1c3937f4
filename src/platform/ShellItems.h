// Owners and helpers for the shell's item identifier lists, the strings it allocates, and the COM
// apartment its folder dialogs need: shared by the folder pane and the folder-browser control.
#pragma once

#include "platform/GdipHandles.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

void FreeCoTaskMemory(void* memory);
// An item identifier list the shell made, freed with the task allocator.
using UniqueIdList = UniqueHandle<PIDLIST_ABSOLUTE, FreeCoTaskMemory>;
// A string the shell allocated, freed with the task allocator.
using UniqueCoTaskString = UniqueHandle<PWSTR, FreeCoTaskMemory>;

// The browse dialogs want COM on their thread; a thread that already has it keeps it as it was.
class ComScope {
public:
    ComScope() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialized_) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized_;
};

// The file-system path of a shell item; empty for none or an item that is no file-system folder
// (a computer, a printer, a virtual folder).
[[nodiscard]] std::wstring FileSystemPath(PCIDLIST_ABSOLUTE item);
