#include "output/ModShellFolder.h"

#include "platform/TextCase.h"

#include <objbase.h>

#include <utility>

namespace {

FolderBrowseAnswerer& Answerer() {
    static FolderBrowseAnswerer answerer;
    return answerer;
}

// The folder path of an item; empty for an item that is no folder on disk.
std::wstring PathOf(const ITEMIDLIST* item) {
    if (!item) return {};
    // Paths longer than MAX_PATH need the newer call; the classic one is the fallback.
    std::wstring path(32768, L'\0');
    if (::SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) ||
        ::SHGetPathFromIDListW(item, path.data())) {
        path.resize(path.find(L'\0'));
        return path;
    }
    return {};
}

// True when path is folder itself or lies below it (names compared without regard to case).
bool IsAtOrUnder(const std::wstring& path, const std::wstring& folder) {
    if (path.size() < folder.size() || CompareNoCase(path.substr(0, folder.size()), folder) != 0) return false;
    return path.size() == folder.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

} // namespace

std::wstring BrowseForFolderCall(const BROWSEINFOW& Info) {
    if (Answerer()) {
        const FolderBrowseRequest request{Info.hwndOwner, Info.lpszTitle ? Info.lpszTitle : L"", PathOf(Info.pidlRoot),
                                          Info.ulFlags};
        return Answerer()(request).value_or(std::wstring());
    }
    // The new-style dialog needs COM on this thread; a thread that has it already keeps it.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW info = Info;
    std::wstring chosen;
    if (UniqueItemList item{::SHBrowseForFolderW(&info)}) chosen = PathOf(item.get());
    // Wine's dialog rooted at a folder starts with nothing selected, and OK then gives the desktop:
    // a folder the user was never shown is no choice.
    const std::wstring root = PathOf(Info.pidlRoot);
    if (!root.empty() && !IsAtOrUnder(chosen, root)) chosen.clear();
    if (SUCCEEDED(com)) ::CoUninitialize();
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
