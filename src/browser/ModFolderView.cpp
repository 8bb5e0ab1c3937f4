#include "browser/ModFolderView.h"

#include "platform/AppState.h"
#include "platform/GdipHandles.h"
#include "platform/ShellItems.h"
#include "platform/TextCase.h"

#include <commctrl.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr UINT_PTR kSubclassId = 0x466;
constexpr int kDialogSize = 480;
// Posted to the dialog: selects a first folder when the dialog gave none at start-up, and gives
// the activation back to the main window.
constexpr UINT kCheckFirstSelection = WM_APP + 0x46;
constexpr UINT kGiveBackActivation = WM_APP + 0x47;

std::wstring DesktopFolder() {
    UniqueCoTaskString path;
    if (FAILED(::SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, path.put())) || !path) return {};
    return path.get();
}

// The names the tree shows for each folder on the way from the Desktop to path, outermost first
// (none for the Desktop itself); nothing when the path names no folder the shell knows.
std::optional<std::vector<std::wstring>> TreeNamesOf(const std::wstring& path) {
    UniqueIdList item;
    if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, item.put(), 0, nullptr)) || !item) return std::nullopt;
    std::vector<std::wstring> names;
    for (;;) {
        const PIDLIST_ABSOLUTE rest = item.get();
        if (rest->mkid.cb == 0) break;
        UniqueCoTaskString name;
        if (FAILED(::SHGetNameFromIDList(rest, SIGDN_NORMALDISPLAY, name.put())) || !name) return std::nullopt;
        names.emplace_back(name.get());
        if (!::ILRemoveLastID(rest)) break;
    }
    std::reverse(names.begin(), names.end());
    return names;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
    // A folder's name is at most one path component long.
    std::wstring text(MAX_PATH + 1, L'\0');
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text.data();
    data.cchTextMax = static_cast<int>(text.size());
    if (!TreeView_GetItem(tree, &data)) return {};
    text.resize(::wcsnlen(text.c_str(), text.size()));
    return text;
}

HWND FindTree(HWND dialog) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        if (::GetClassNameW(child, name, 64) > 0 && ::lstrcmpW(name, WC_TREEVIEWW) == 0) return child;
    }
    return nullptr;
}

} // namespace

ModFolderView::~ModFolderView() {
    if (dialog_) ::RemoveWindowSubclass(dialog_, &DialogProc, kSubclassId);
    if (tree_) ::RemoveWindowSubclass(tree_, &TreeProc, kSubclassId);
}

bool ModFolderView::FolderViewOpen() {
    if (open_) return false;
    ComScope com;
    open_ = true;
    closing_ = false;
    HostPicture = host_.FolderViewWindow();
    FolderViewCreate(App().CurrentDirectory);
    HostPicture = nullptr;
    // A loop ended some other way (a quit message) leaves the tree in the host, its items tied to
    // the dialog that is gone.
    closing_ = true;
    if (tree_) ::DestroyWindow(tree_);
    open_ = false;
    closing_ = false;
    dialog_ = nullptr;
    tree_ = nullptr;
    return true;
}

void ModFolderView::FolderViewCreate(const std::wstring& startFolder) {
    App().CurrentDirectory = startFolder;
    BROWSEINFOW info{};
    // No owner: the modal loop disables the owner, and that must be neither the desktop nor the
    // main window, which the loop serves.
    info.hwndOwner = nullptr;
    info.lpszTitle = L"";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = FarProcOf(&BrowseCallbackProc);
    info.lParam = reinterpret_cast<LPARAM>(this);
    // Ending the dialog may still hand back an item; the pane has no use for it.
    UniqueIdList chosen(::SHBrowseForFolderW(&info));
}

void ModFolderView::FolderViewResize() {
    const SIZE size = host_.FolderViewSize();
    FolderViewMove(0, 0, size.cx, size.cy);
}

void ModFolderView::FolderViewMove(int x, int y, int width, int height) {
    if (tree_) ::MoveWindow(tree_, x, y, width, height, TRUE);
}

void ModFolderView::FolderViewSelect(const std::wstring& path) {
    App().CurrentDirectory = path;
    if (!dialog_ || closing_ || path.empty()) return;
    const uint64_t before = selections_;
    ::SendMessageW(dialog_, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    // Wine's dialog matches each folder of the path by item ids that carry the folder's file
    // times, and finds no folder added or changed since the tree listed it: select it by name.
    if (selections_ == before) (void)SelectInTree(path);
}

HTREEITEM ModFolderView::ExpandedChildNamed(HTREEITEM parent, const std::wstring& name) {
    // The dialog lists a folder once, when it is first expanded; a folder added since is not found.
    TreeView_Expand(tree_, parent, TVE_EXPAND);
    for (HTREEITEM child = TreeView_GetChild(tree_, parent); child; child = TreeView_GetNextSibling(tree_, child))
        if (CompareNoCase(ItemText(tree_, child), name) == 0) return child;
    return nullptr;
}

bool ModFolderView::SelectInTree(const std::wstring& path) {
    if (!tree_) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const auto names = TreeNamesOf(path);
    HTREEITEM item = TreeView_GetRoot(tree_);
    if (!names || !item) return false;
    for (const std::wstring& name : *names)
        if (!(item = ExpandedChildNamed(item, name))) return false;
    TreeView_SelectItem(tree_, item);
    TreeView_EnsureVisible(tree_, item);
    return true;
}

void ModFolderView::FolderViewDestroy() {
    if (!dialog_) return;
    closing_ = true;
    const HWND dialog = dialog_;
    if (tree_ && ::IsWindow(tree_)) ::SetParent(tree_, dialog);
    ::SendMessageW(dialog, WM_CLOSE, 0, 0);
    // The close ends the dialog through its Cancel; should the dialog refuse, end it anyway.
    if (::IsWindow(dialog)) ::EndDialog(dialog, IDCANCEL);
}

int CALLBACK ModFolderView::BrowseCallbackProc(HWND dialog, UINT msg, LPARAM lp, LPARAM data) {
    auto* self = reinterpret_cast<ModFolderView*>(data);
    if (!self) return 0;
    self->dialog_ = dialog;
    try {
        if (msg == BFFM_INITIALIZED) self->OnInitialized(dialog);
        if (msg == BFFM_SELCHANGED) self->OnSelectionChanged(lp);
    } catch (...) {
        // A failed step ends the selection routine without a message, as a click would leave it.
    }
    if (msg == BFFM_SELCHANGED) self->folderSelected_ = true;
    return 0;
}

void ModFolderView::OnInitialized(HWND dialog) {
    ::SetWindowSubclass(dialog, &DialogProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    // Off the taskbar and out of Alt-Tab, and far to the left of every screen.
    const LONG_PTR exStyle = ::GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    ::SetWindowLongPtrW(dialog, GWL_EXSTYLE, (exStyle | WS_EX_TOOLWINDOW) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
    ::ShowWindow(dialog, SW_HIDE);
    ::MoveWindow(dialog, ::GetSystemMetrics(SM_XVIRTUALSCREEN) - 4 * kDialogSize, 0, kDialogSize, kDialogSize, TRUE);
    const std::wstring start = App().CurrentDirectory;
    if (!start.empty()) ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
    tree_ = FindTree(dialog);
    CaptureFolderTree();
    // The start folder may name nothing (start-up gives "..."); look again once the dialog has
    // settled, so that the grid and FolderSelected arrive together.
    ::PostMessageW(dialog, kCheckFirstSelection, 0, 0);
}

void ModFolderView::CaptureFolderTree() {
    if (!tree_ || !HostPicture) return;
    ::SetParent(tree_, HostPicture);
    ::SetWindowSubclass(tree_, &TreeProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    FolderViewResize();
}

void ModFolderView::OnSelectionChanged(LPARAM item) {
    ++selections_;
    const auto selected = reinterpret_cast<PCIDLIST_ABSOLUTE>(item);
    // The tree's top item, the Desktop, is the namespace root: Wine reports it with no item list
    // at all, which has no path. It stands for the user's Desktop folder, as at start-up.
    OnFolderSelected(!selected || selected->mkid.cb == 0 ? DesktopFolder() : FileSystemPath(selected));
}

void ModFolderView::OnFolderSelected(const std::wstring& path) {
    App().CurrentDirectory = path;
    host_.SetPathCaption(path);
    if (!path.empty()) host_.HistoryCreate(path);
    host_.LeftSkinstyle();
    host_.SetMenuVisible(false);
    // A virtual item of the shell has no path: the grid then shows an empty listing.
    host_.GridPath(path);
    host_.GridCreateThumbnail();
}

void ModFolderView::SelectFirstFolderIfNone() {
    if (folderSelected_ || closing_ || !dialog_) return;
    const std::wstring desktop = DesktopFolder();
    App().CurrentDirectory = desktop;
    if (!desktop.empty()) ::SendMessageW(dialog_, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(desktop.c_str()));
    if (folderSelected_) return;
    // The tree could not show it either: the grid still gets the folder.
    try {
        OnFolderSelected(desktop);
    } catch (...) {
    }
    folderSelected_ = true;
}

bool ModFolderView::OnDialogMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    switch (msg) {
    case WM_WINDOWPOSCHANGING:
        // The dialog's loop shows the dialog once it is idle: it stays hidden for its whole life.
        if (!closing_) reinterpret_cast<WINDOWPOS*>(lp)->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
        return false;
    case WM_COMMAND:
        // OK and Cancel (Enter and Esc too) would end the dialog and with it the program's loop.
        if (closing_ || (LOWORD(wp) != IDOK && LOWORD(wp) != IDCANCEL)) return false;
        *result = 0;
        return true;
    case WM_CLOSE:
        if (closing_) return false;
        *result = 0;
        return true;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && !closing_ && !::IsWindowVisible(dialog_))
            ::PostMessageW(dialog_, kGiveBackActivation, 0, 0);
        return false;
    case kCheckFirstSelection:
        SelectFirstFolderIfNone();
        *result = 0;
        return true;
    case kGiveBackActivation: {
        const HWND main = ::GetAncestor(HostPicture, GA_ROOT);
        if (!closing_ && main && ::GetActiveWindow() == dialog_ && ::IsWindowVisible(main) && ::IsWindowEnabled(main))
            ::SetActiveWindow(main);
        *result = 0;
        return true;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK ModFolderView::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<ModFolderView*>(data);
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &DialogProc, id);
        if (self && self->dialog_ == hwnd) self->dialog_ = nullptr;
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    try {
        if (self && self->OnDialogMessage(msg, wp, lp, &result)) return result;
    } catch (...) {
        return 0;
    }
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ModFolderView::TreeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<ModFolderView*>(data);
    if (msg == WM_DESTROY && self && !self->closing_ && self->dialog_) {
        // The host went without FolderViewDestroy (its window was destroyed): end the dialog's
        // loop rather than leave it running with nothing to show.
        self->closing_ = true;
        ::PostMessageW(self->dialog_, WM_CLOSE, 0, 0);
    }
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &TreeProc, id);
        if (self && self->tree_ == hwnd) self->tree_ = nullptr;
    }
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}
