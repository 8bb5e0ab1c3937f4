#include "output/ModMisc.h"

#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

bool g_quiet = false;

// path made absolute, for the shell's NUL-ended lists; empty when it cannot be.
std::wstring FullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return {};
        if (n < full.size()) {
            full.resize(n);
            return full;
        }
        full.resize(n + 1);
    }
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// One file into one folder, one call per file: several files in one call fail on some systems.
bool ShellTransfer(UINT operation, const std::wstring& path, const std::wstring& folder, bool replace) {
    if (path.empty() || folder.empty() || !IsFile(path)) return false;
    std::wstring from = FullPath(path), to = FullPath(folder);
    if (from.empty() || to.empty()) return false;
    const std::wstring target = AddBackslash(to) + GetFileName(from);
    if (FoldCase(target) == FoldCase(from)) return false; // onto itself
    if (!replace && ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    // A missing folder is made first: the shell would take its name for the copy's own.
    const DWORD folderAttributes = ::GetFileAttributesW(to.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES) {
        if (::SHCreateDirectoryExW(nullptr, to.c_str(), nullptr) != ERROR_SUCCESS) return false;
    } else if (!(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    from.push_back(L'\0');
    to.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = operation;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    // The batch dialog lists what failed itself, so the shell shows no error windows; it has also
    // asked before a replacement.
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    if (g_quiet) op.fFlags |= FOF_SILENT;
    const int result = ::SHFileOperationW(&op);
    if (result != 0 || op.fAnyOperationsAborted || !IsFile(target)) return false;
    return operation != FO_MOVE || !IsFile(path);
}

} // namespace

bool ShellCopyFile(const std::wstring& path, const std::wstring& folder, bool replace) {
    return ShellTransfer(FO_COPY, path, folder, replace);
}

bool ShellMoveFile(const std::wstring& path, const std::wstring& folder, bool replace) {
    return ShellTransfer(FO_MOVE, path, folder, replace);
}

bool RenameFileNoReplace(const std::wstring& from, const std::wstring& to) {
    if (from.empty() || to.empty() || !IsFile(from)) return false;
    if (FoldCase(from) != FoldCase(to))
        return ::MoveFileExW(LongPathForm(from).c_str(), LongPathForm(to).c_str(), 0) != 0;
    if (from == to) return true;
    const std::wstring step = TemporaryNameBeside(to, L"ren");
    if (step.empty()) return false;
    // The empty placeholder only reserved the name.
    ::DeleteFileW(LongPathForm(step).c_str());
    if (!::MoveFileExW(LongPathForm(from).c_str(), LongPathForm(step).c_str(), 0)) return false;
    if (::MoveFileExW(LongPathForm(step).c_str(), LongPathForm(to).c_str(), 0)) return true;
    // Back to the old name rather than leave the file under the temporary one.
    ::MoveFileExW(LongPathForm(step).c_str(), LongPathForm(from).c_str(), 0);
    return false;
}

RecycleResult RecycleFile(const std::wstring& path) {
    // A missing file gets a clear answer here rather than a shell error window.
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return RecycleResult::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return RecycleResult::Kept;
    // The shell takes a list of paths ended by an empty one, and wants it absolute: a relative
    // path would be resolved against whatever the current folder happens to be.
    std::wstring full = FullPath(path);
    if (full.empty()) return RecycleResult::Kept;
    full.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = full.c_str();
    op.fFlags = FOF_ALLOWUNDO;
    if (g_quiet) op.fFlags |= FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    const int result = ::SHFileOperationW(&op);
    const bool gone = ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (result == 0 && !op.fAnyOperationsAborted && gone) return RecycleResult::Recycled;
    // The shell marks a question answered No or Cancel as an operation aborted by the user.
    return op.fAnyOperationsAborted && !gone ? RecycleResult::Declined : RecycleResult::Kept;
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    // A search refuses a folder written with its closing backslash (as "C:\Photos\" or "C:\").
    if (path.back() == L'\\') return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAW found;
    const UniqueFind search(::FindFirstFileW(path.c_str(), &found));
    return static_cast<bool>(search);
}

ScopedShellConfirmationsOff::ScopedShellConfirmationsOff() : previous_(g_quiet) {
    g_quiet = true;
}

ScopedShellConfirmationsOff::~ScopedShellConfirmationsOff() {
    g_quiet = previous_;
}
