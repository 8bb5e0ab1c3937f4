#include "output/ModMisc.h"

#include "platform/GdipHandles.h"

#include <windows.h>
#include <shellapi.h>

namespace {
bool g_quiet = false;
}

bool RecycleFile(const std::wstring& path) {
    // A missing file gets a clear answer here rather than a shell error window.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // The shell takes a list of paths ended by an empty one, and wants it absolute: a relative
    // path would be resolved against whatever the current folder happens to be.
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return false;
        if (n < full.size()) {
            full.resize(n);
            break;
        }
        full.resize(n + 1);
    }
    full.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = full.c_str();
    op.fFlags = FOF_ALLOWUNDO;
    if (g_quiet) op.fFlags |= FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    const int result = ::SHFileOperationW(&op);
    return result == 0 && !op.fAnyOperationsAborted && ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    // A search refuses a folder written with its closing backslash (as "C:\Photos\" or "C:\").
    if (path.back() == L'\\') return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAW found;
    const UniqueFind search(::FindFirstFileW(path.c_str(), &found));
    return static_cast<bool>(search);
}

ScopedShellConfirmationsOff::ScopedShellConfirmationsOff() : previous_(g_quiet) { g_quiet = true; }

ScopedShellConfirmationsOff::~ScopedShellConfirmationsOff() { g_quiet = previous_; }
