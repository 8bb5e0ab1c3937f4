#include "output/Browsefolder.h"

#include "platform/CodePageText.h"

#include <optional>

namespace {

// The dialog's root: the item of a folder on disk, none (the desktop) for a path that names no
// folder. The shell takes the path as UTF-16 on an NT platform and in the system code page
// elsewhere, where a path that does not fit gives no root. The item is parsed from the disk: an
// item made from the path's text alone roots the dialog where no folder under it can be chosen.
UniqueIdList RootItem(const std::wstring& folder) {
    if (IsWinNT()) return UniqueIdList(::ILCreateFromPathW(folder.c_str()));
    const std::optional<std::string> bytes = ToCodePage(folder);
    return bytes ? UniqueIdList(::ILCreateFromPathA(bytes->c_str())) : UniqueIdList();
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
    const UniqueIdList root = StartDirectory.empty() ? UniqueIdList() : RootItem(StartDirectory);
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
