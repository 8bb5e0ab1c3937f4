#include "output/ModShellFolder.h"

#include "platform/TextCase.h"

#include <utility>

namespace {

FolderBrowseAnswerer& Answerer() {
    static FolderBrowseAnswerer answerer;
    return answerer;
}

// True when path is folder itself or lies below it (names compared without regard to case).
bool IsAtOrUnder(const std::wstring& path, const std::wstring& folder) {
    if (path.size() < folder.size() || CompareNoCase(path.substr(0, folder.size()), folder) != 0) return false;
    return path.size() == folder.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

} // namespace

std::wstring BrowseForFolderCall(const BROWSEINFOW& Info) {
    if (Answerer()) {
        const FolderBrowseRequest request{Info.hwndOwner, Info.lpszTitle ? Info.lpszTitle : L"",
                                          FileSystemPath(Info.pidlRoot), Info.ulFlags};
        return Answerer()(request).value_or(std::wstring());
    }
    const ComScope com;
    BROWSEINFOW info = Info;
    std::wstring chosen;
    if (UniqueIdList item{::SHBrowseForFolderW(&info)}) chosen = FileSystemPath(item.get());
    // Wine's dialog rooted at a folder starts with nothing selected, and OK then gives the desktop:
    // a folder the user was never shown is no choice.
    const std::wstring root = FileSystemPath(Info.pidlRoot);
    if (!root.empty() && !IsAtOrUnder(chosen, root)) chosen.clear();
    return chosen;
}

bool IsWinNT() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    // Deprecated for version numbers, which it may report lower than they are; the platform
    // identifier it gives is exact.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = ::GetVersionExW(&version);
#pragma GCC diagnostic pop
    return known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

ScopedFolderBrowseAnswerer::ScopedFolderBrowseAnswerer(FolderBrowseAnswerer answerer)
    : ScopedOverride(Answerer(), std::move(answerer)) {}
