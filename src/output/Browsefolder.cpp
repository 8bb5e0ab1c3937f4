#include "output/Browsefolder.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <utility>

namespace {

FolderBrowseAnswerer& Answerer() {
    static FolderBrowseAnswerer answerer;
    return answerer;
}

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using UniqueItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

// The folder path of an item; empty for an item that is no folder on disk.
std::wstring PathOf(const ITEMIDLIST* item) {
    // Paths longer than MAX_PATH need the newer call; fall back to the classic one.
    std::wstring path(32768, L'\0');
    if (::SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) ||
        ::SHGetPathFromIDListW(item, path.data())) {
        path.resize(path.find(L'\0'));
        return path;
    }
    return {};
}

std::optional<std::wstring> RunDialog(const FolderBrowseRequest& request) {
    // The new-style dialog needs COM on this thread; a thread that has it already keeps it.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    UniqueItemList root;
    if (!request.root.empty()) root.reset(::ILCreateFromPathW(request.root.c_str()));
    std::wstring display(MAX_PATH, L'\0');
    BROWSEINFOW info{};
    info.hwndOwner = request.owner;
    info.pidlRoot = root.get();
    info.pszDisplayName = display.data();
    info.lpszTitle = request.title.c_str();
    info.ulFlags = request.flags;
    std::optional<std::wstring> chosen;
    if (UniqueItemList item{::SHBrowseForFolderW(&info)}) chosen = PathOf(item.get());
    if (SUCCEEDED(com)) ::CoUninitialize();
    return chosen;
}

} // namespace

UINT Browsefolder::Flags() const {
    UINT flags = 0;
    if (OnlyFileSystemDirectories) flags |= BIF_RETURNONLYFSDIRS;
    if (DontGoBelowDomain) flags |= BIF_DONTGOBELOWDOMAIN;
    if (AllowEditBox) flags |= BIF_EDITBOX;
    if (ValidateSelection) flags |= BIF_VALIDATE;
    if (UseNewUI) flags |= BIF_NEWDIALOGSTYLE;
    if (BrowseForComputer) flags |= BIF_BROWSEFORCOMPUTER;
    if (BrowseForPrinter) flags |= BIF_BROWSEFORPRINTER;
    if (IncludeFiles) flags |= BIF_BROWSEINCLUDEFILES;
    return flags;
}

bool Browsefolder::Browse() {
    const FolderBrowseRequest request{owner_, Caption, StartDirectory, Flags()};
    const std::optional<std::wstring> chosen = Answerer() ? Answerer()(request) : RunDialog(request);
    fullName_ = chosen.value_or(std::wstring());
    return !fullName_.empty();
}

ScopedFolderBrowseAnswerer::ScopedFolderBrowseAnswerer(FolderBrowseAnswerer answerer)
    : ScopedOverride(Answerer(), std::move(answerer)) {}
