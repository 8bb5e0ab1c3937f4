#include "output/Browsefolder.h"

#include "platform/CodePageText.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <optional>

namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using UniqueItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

// The dialog's root: the item of a folder path, made from the path's text alone. The shell takes
// the path as UTF-16 on an NT platform and in the system code page elsewhere; a path that does
// not fit the code page gives no root (the desktop).
UniqueItemList RootItem(const std::wstring& folder) {
    if (IsWinNT()) return UniqueItemList(::SHSimpleIDListFromPath(folder.c_str()));
    const std::optional<std::string> bytes = ToCodePage(folder);
    if (!bytes) return nullptr;
    return UniqueItemList(::SHSimpleIDListFromPath(reinterpret_cast<PCWSTR>(bytes->c_str())));
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
    const UniqueItemList root = StartDirectory.empty() ? nullptr : RootItem(StartDirectory);
    std::wstring displayName(kDisplayNameChars, L'\0');
    BROWSEINFOW info{};
    info.hwndOwner = owner_;
    info.pidlRoot = root.get();
    info.pszDisplayName = displayName.data();
    info.lpszTitle = Caption.c_str();
    info.ulFlags = Flags();
    fullName_ = BrowseForFolderCall(info);
    return !fullName_.empty();
}
