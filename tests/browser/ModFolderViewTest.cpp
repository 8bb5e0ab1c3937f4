// The folder pane in a real window: the captured tree, selections reaching the host, and the
// dialog's loop, which ends only when the pane or its host goes. Checks run from timer ticks
// inside that loop.
#include "tests/support/FolderPaneWindow.h"
#include "tests/support/TestSupport.h"

#include <commctrl.h>
#include <shlobj.h>

namespace {

// What one selection of a file-system folder tells the host, in order.
std::vector<std::wstring> SelectionCalls(const std::wstring& path) {
    return {L"Caption=" + Arg(path), L"HistoryCreate(" + Arg(path) + L")", L"LeftSkinstyle()",
            L"MenuVisible=false",    L"GridPath(" + Arg(path) + L")",      L"GridCreateThumbnail()"};
}

RECT ChildRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ReadFolder(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    while (find != INVALID_HANDLE_VALUE && ::FindNextFileW(find, &data)) {
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
}

class FolderPaneTest : public ::testing::Test {
protected:
    FolderPaneWindow w;
    std::wstring folder; // holds "one" and "two"

    void SetUp() override {
        static int count = 0;
        folder = MakeTestFolder(L"pane" + std::to_wstring(++count));
        folder.pop_back();
        for (const wchar_t* sub : {L"\\one", L"\\two"}) ::CreateDirectoryW((folder + sub).c_str(), nullptr);
        // Wine gap: the dialog finds a path by comparing item ids that carry access dates, and the
        // first read of a changed folder sets a new one; so a folder changed just before the dialog
        // lists it may not be found. The new folders and their parents are read once first.
        for (const wchar_t* sub : {L"\\one", L"\\two"}) ReadFolder(folder + sub);
        for (std::wstring f = folder; f.size() > 3; f.erase(f.find_last_of(L'\\'))) ReadFolder(f);
    }
    // Opens the pane, runs the steps inside its loop and expects the loop to end after them.
    void RunPane(std::vector<std::function<void()>> steps) {
        const size_t count = steps.size();
        w.StartSteps(std::move(steps));
        EXPECT_TRUE(w.pane.FolderViewOpen());
        w.StopSteps();
        EXPECT_FALSE(w.watchdogFired);
        EXPECT_EQ(w.stepsRun, count) << "the loop ended before its steps had run";
        EXPECT_EQ(::GetWindow(w.folderView.hWnd(), GW_CHILD), nullptr) << "the tree stayed in the host";
    }
};

TEST_F(FolderPaneTest, CapturesTheTreeStartsOnTheDesktopAndSwallowsWhatWouldEndTheDialog) {
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    RunPane({[&] {
                 const HWND tree = w.pane.TreeHandle(), dialog = w.pane.DialogHandle();
                 ASSERT_TRUE(tree && dialog);
                 EXPECT_EQ(::GetParent(tree), w.folderView.hWnd());
                 const RECT r = ChildRect(tree);
                 EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 260 && r.bottom == 400);
                 EXPECT_FALSE(::IsWindowVisible(dialog));
                 EXPECT_TRUE(::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "on the taskbar";
                 EXPECT_EQ(::GetActiveWindow(), w.window.hwnd());
                 // "..." selects nothing: the pane chose the Desktop, and the grid came with it.
                 EXPECT_TRUE(w.pane.FolderSelected());
                 EXPECT_EQ(w.host.log.calls, SelectionCalls(desktop));
                 EXPECT_EQ(App().CurrentDirectory, desktop);
                 w.host.folderViewSize = {200, 150};
                 w.pane.FolderViewResize();
                 for (WPARAM key : {VK_ESCAPE, VK_RETURN}) ::PostMessageW(dialog, WM_KEYDOWN, key, 0);
                 for (WPARAM id : {IDOK, IDCANCEL}) ::PostMessageW(dialog, WM_COMMAND, id, 0);
                 ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                 ::PostMessageW(dialog, WM_CLOSE, 0, 0);
             },
             [&] {
                 EXPECT_FALSE(::IsWindowVisible(w.pane.DialogHandle()));
                 const RECT r = ChildRect(w.pane.TreeHandle());
                 EXPECT_TRUE(r.right - r.left == 200 && r.bottom - r.top == 150);
                 // The tree paints over the host; the host shows again where the tree no longer is.
                 EXPECT_NE(TestWindow::ScreenPixel(w.folderView.hWnd(), 100, 100), FolderPaneWindow::kBackColor);
                 EXPECT_EQ(TestWindow::ScreenPixel(w.folderView.hWnd(), 230, 300), FolderPaneWindow::kBackColor);
             }});
}

TEST_F(FolderPaneTest, SelectionsReachTheHostOnceEach) {
    RunPane({[&] {
        const std::pair<std::wstring, std::vector<std::wstring>> cases[] = {
            {folder + L"\\two", SelectionCalls(folder + L"\\two")},
            {folder + L"\\one", SelectionCalls(folder + L"\\one")},
            {folder + L"\\one", {}},  // already selected: no change
            {folder + L"\\none", {}}, // no such folder: the tree and the grid stay
        };
        for (const auto& [path, calls] : cases) {
            w.host.log.calls.clear();
            w.pane.FolderViewSelect(path); // reports before it returns
            EXPECT_EQ(w.host.log.calls, calls) << Narrow(path);
        }
        // A virtual item of the shell (the computer) has no path: an empty grid, no history.
        w.host.log.calls.clear();
        PIDLIST_ABSOLUTE computer = nullptr;
        ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
        ::SendMessageW(w.pane.DialogHandle(), BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(computer));
        ::CoTaskMemFree(computer);
        EXPECT_EQ(w.host.log.calls,
                  (std::vector<std::wstring>{L"Caption=\"\"", L"LeftSkinstyle()", L"MenuVisible=false",
                                             L"GridPath(\"\")", L"GridCreateThumbnail()"}));
        EXPECT_EQ(App().CurrentDirectory, L"");
    }});
}

TEST_F(FolderPaneTest, TheTreesDesktopShowsTheUsersDesktopFolder) {
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    RunPane({[&] {
        w.pane.FolderViewSelect(folder + L"\\one");
        w.host.log.calls.clear();
        const HWND tree = w.pane.TreeHandle();
        TreeView_SelectItem(tree, TreeView_GetRoot(tree));
        EXPECT_EQ(w.host.log.calls, SelectionCalls(desktop));
    }});
}

TEST_F(FolderPaneTest, EveryPickOfNewFoldersArrivesAsTheRecentFolderListMakesThem) {
    // New folders, not yet read: the tree lists them, and listing their own content then gives them
    // a new access date (kept to two seconds), which Wine's dialog compares when it looks a path up.
    for (const wchar_t* sub : {L"\\three", L"\\four"}) ASSERT_TRUE(::CreateDirectoryW((folder + sub).c_str(), nullptr));
    ::Sleep(2100);
    RunPane({[&] {
        for (const wchar_t* sub : {L"\\three", L"\\four", L"\\three", L"\\one"}) {
            w.host.log.calls.clear();
            w.pane.FolderViewSelect(folder + sub);
            EXPECT_EQ(w.host.log.calls, SelectionCalls(folder + sub)) << Narrow(sub);
        }
    }});
}

TEST_F(FolderPaneTest, AClickAndAKeyOnTheTreeSelect) {
    RunPane({[&] {
                 w.pane.FolderViewSelect(folder + L"\\one");
                 const HWND tree = w.pane.TreeHandle();
                 const HTREEITEM two = TreeView_GetNextSibling(tree, TreeView_GetSelection(tree));
                 TreeView_EnsureVisible(tree, two);
                 RECT r{};
                 ASSERT_TRUE(TreeView_GetItemRect(tree, two, &r, TRUE));
                 const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                 w.host.log.calls.clear();
                 ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
                 ::PostMessageW(tree, WM_LBUTTONUP, 0, at);
             },
             [&] {
                 EXPECT_EQ(w.host.log.calls, SelectionCalls(folder + L"\\two"));
                 w.host.log.calls.clear();
                 ::PostMessageW(w.pane.TreeHandle(), WM_KEYDOWN, VK_UP, 0);
             },
             [&] { EXPECT_EQ(w.host.log.calls, SelectionCalls(folder + L"\\one")); }});
}

TEST_F(FolderPaneTest, TheLoopEndsWhenTheHostWindowGoes) {
    w.StartSteps({[&] { w.folderView.Destroy(); }, [] { ADD_FAILURE() << "the loop outlived its host"; }});
    EXPECT_TRUE(w.pane.FolderViewOpen());
    w.StopSteps();
    EXPECT_EQ(w.stepsRun, 1u);
    EXPECT_FALSE(w.watchdogFired);
}

} // namespace
