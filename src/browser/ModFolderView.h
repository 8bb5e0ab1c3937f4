// The folder pane: the tree of the system folder-browse dialog, moved into the main window's
// FolderView picture box. The dialog itself stays hidden, and its modal loop is the program's
// message loop for as long as the pane is open.
#pragma once

#include "browser/FolderPaneHost.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

class ModFolderView {
public:
    // host must outlive the pane.
    explicit ModFolderView(FolderPaneHost& host) : host_(host) {}
    ~ModFolderView();
    ModFolderView(const ModFolderView&) = delete;
    ModFolderView& operator=(const ModFolderView&) = delete;

    // Opens the dialog on the program's CurrentDirectory with its tree in the host's FolderView,
    // and runs the dialog's loop. Returns when FolderViewDestroy ends the pane, or when the host
    // window goes without it; false when the pane was already open.
    bool FolderViewOpen();
    // Makes the tree fill FolderView from its top-left corner.
    void FolderViewResize();
    void FolderViewMove(int x, int y, int width, int height);
    // Makes path the CurrentDirectory and selects it in the tree; a selection change reaches the
    // host before this returns. A path the tree cannot show changes nothing else.
    void FolderViewSelect(const std::wstring& path);
    // Gives the tree back to the dialog and ends the dialog's loop.
    void FolderViewDestroy();

    // True from the first selection on: the grid has then been given its first folder.
    [[nodiscard]] bool FolderSelected() const { return folderSelected_; }
    [[nodiscard]] bool IsOpen() const { return open_; }
    [[nodiscard]] HWND DialogHandle() const { return dialog_; }
    [[nodiscard]] HWND TreeHandle() const { return tree_; }

private:
    // Makes startFolder the CurrentDirectory and runs the folder-browse dialog on it; returns when
    // the dialog's loop ends. FolderViewOpen's step, with HostPicture set.
    void FolderViewCreate(const std::wstring& startFolder);
    static int CALLBACK BrowseCallbackProc(HWND dialog, UINT msg, LPARAM lp, LPARAM data);
    static LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    void OnInitialized(HWND dialog);
    void CaptureFolderTree();
    void OnSelectionChanged(LPARAM item);
    void OnFolderSelected(const std::wstring& path);
    void SelectFirstFolderIfNone();
    [[nodiscard]] bool SelectInTree(const std::wstring& path);
    [[nodiscard]] HTREEITEM ExpandedChildNamed(HTREEITEM parent, const std::wstring& name);
    bool OnDialogMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

    FolderPaneHost& host_;
    // The picture box that receives the tree: the host's FolderView while the pane is open.
    HWND HostPicture = nullptr;
    HWND dialog_ = nullptr;
    HWND tree_ = nullptr;
    bool open_ = false;
    bool closing_ = false;
    bool folderSelected_ = false;
    // Counts the selections that reached the host.
    uint64_t selections_ = 0;
};

// Hands a procedure over unchanged where a record field takes a procedure address (the browse
// callback here, the hook of the open and save dialogs).
template <typename Proc> constexpr Proc FarProcOf(Proc proc) {
    return proc;
}
