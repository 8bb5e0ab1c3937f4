// The batch jobs' file work without windows: the names a rename makes and refuses, and the copy,
// move and rename of one file, which leave every file at its old or its new name.
#include "output/Browsefolder.h"
#include "output/FrmShells.h"
#include "output/ModMisc.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <thread>

TEST(RenameTargets, NumbersSeveralFilesInTheirOwnFoldersAndKeepsExtensionsInLowerCase) {
    const std::vector<std::wstring> three{L"C:\\a\\x.jpg", L"C:\\b\\y.JPG", L"C:\\a\\z.v2.Png"};
    EXPECT_EQ(RenameTargets(three, L"Trip"),
              (std::vector<std::wstring>{L"C:\\a\\Trip1.jpg", L"C:\\b\\Trip2.jpg", L"C:\\a\\Trip3.png"}));
    EXPECT_EQ(RenameTargets({L"C:\\a\\IMG_1.JPEG"}, L"Trip"), std::vector<std::wstring>{L"C:\\a\\Trip.jpeg"});
    // A file without an extension gets none.
    EXPECT_EQ(RenameTargets({L"C:\\a.b\\README"}, L"Trip"), std::vector<std::wstring>{L"C:\\a.b\\Trip"});
}

TEST(IsValidBatchName, RefusesWhatNoFileNameCanHold) {
    for (const wchar_t* good : {L"Trip", L"Trip 2006", L"a.b", L".hidden", L"CONSOLE", L"Ünïcødé"})
        EXPECT_TRUE(IsValidBatchName(good)) << Narrow(good);
    for (const wchar_t* bad : {L"", L"a\\b", L"a/b", L"C:x", L"a*", L"a?", L"a|b", L"a\"b", L"<a>", L"CON", L"nul.txt",
                               L"COM1", L"Trip.", L"Trip ", L" Trip", L"..", L"   "})
        EXPECT_FALSE(IsValidBatchName(bad)) << Narrow(bad);
    EXPECT_TRUE(IsValidBatchName(std::wstring(251, L'a')));
    EXPECT_FALSE(IsValidBatchName(std::wstring(252, L'a')));
}

TEST(Browsefolder, AsksWithTheOptionsFlagsAndACancelEmptiesTheName) {
    Browsefolder browse;
    browse.UseNewUI = true;
    std::vector<UINT> flags;
    std::optional<std::wstring> answer = L"C:\\Photos";
    ScopedFolderBrowseAnswerer answerer([&](const FolderBrowseRequest& request) {
        flags.push_back(request.flags);
        return answer;
    });
    EXPECT_TRUE(browse.Browse());
    EXPECT_EQ(browse.FullName(), L"C:\\Photos");
    answer.reset();
    EXPECT_FALSE(browse.Browse());
    EXPECT_EQ(browse.FullName(), L"");
    EXPECT_EQ(flags, (std::vector<UINT>{0x62, 0x62}));
}

TEST(Browsefolder, RootsTheDialogAtTheStartFolderAndNeverFillsTheFileDetails) {
    const std::wstring folder = MakeTestFolder(L"browseroot");
    std::vector<std::wstring> roots;
    ScopedFolderBrowseAnswerer answerer([&](const FolderBrowseRequest& request) {
        roots.push_back(request.root);
        return std::optional<std::wstring>(L"C:\\Photos");
    });
    const std::wstring start = folder.substr(0, folder.size() - 1);
    Browsefolder browse;
    browse.StartDirectory = start;
    EXPECT_TRUE(browse.Browse());
    browse.StartDirectory = folder + L"missing";
    EXPECT_TRUE(browse.Browse());
    browse.StartDirectory.clear();
    EXPECT_TRUE(browse.Browse());
    EXPECT_EQ(roots, (std::vector<std::wstring>{start, L"", L""}));
    EXPECT_EQ(browse.FolderName() + browse.Filename() + browse.DisplayName(), L"");
    EXPECT_FALSE(browse.FileReadOnly() || browse.FileHidden() || browse.FileSystem() || browse.FileCompressed() ||
                 browse.FileArchived());
    EXPECT_TRUE(IsWinNT()); // Wine reports an NT platform
}

namespace {

BOOL CALLBACK FindOwnDialog(HWND window, LPARAM found) {
    wchar_t cls[16] = L"";
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window) || !::GetClassNameW(window, cls, 16) ||
        std::wstring(cls) != L"#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The text of an item of a tree view of this process; empty for no item.
std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = L"";
    TVITEMW read{};
    read.mask = TVIF_TEXT;
    read.hItem = item;
    read.pszText = text;
    read.cchTextMax = MAX_PATH;
    if (!item || !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read))) return {};
    return text;
}

HTREEITEM TreeItem(HWND tree, UINT which, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
}

// The system's folder dialog, run by Browse rooted at root, answered from a second thread as a
// person would: folder picked (when given), then the button pressed. Gives FullName.
std::wstring BrowseAnswering(const std::wstring& root, const std::wstring& folder, int button) {
    std::thread person([&] {
        HWND dialog = nullptr;
        for (int i = 0; i < 200 && !dialog; ++i) {
            ::Sleep(50);
            ::EnumWindows(&FindOwnDialog, reinterpret_cast<LPARAM>(&dialog));
        }
        if (!dialog) return;
        const HWND tree = ::FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
        const std::wstring name = folder.substr(folder.rfind(L'\\') + 1);
        // The tree fills in steps: the pick is made again until the tree shows it selected.
        for (int i = 0; i < 50 && !folder.empty() && ItemText(tree, TreeItem(tree, TVGN_CARET)) != name; ++i) {
            if (root.empty()) {
                // Far below the desktop: the dialog is asked to go there.
                ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
            } else {
                // A folder inside the root is clicked in the tree. Asking the dialog for it by path
                // would fail here: Wine matches the path against its tree items by each folder's
                // access time too, which the dialog's own look into a new folder has changed.
                const HTREEITEM top = TreeItem(tree, TVGN_ROOT);
                ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top));
                for (HTREEITEM item = TreeItem(tree, TVGN_CHILD, top); item; item = TreeItem(tree, TVGN_NEXT, item))
                    if (ItemText(tree, item) == name)
                        ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
            }
            ::Sleep(100);
        }
        ::PostMessageW(dialog, WM_COMMAND, button, 0);
    });
    Browsefolder browse;
    browse.StartDirectory = root;
    browse.OnlyFileSystemDirectories = true;
    (void)browse.Browse();
    person.join();
    return browse.FullName();
}

// Sets a folder's last access into the past, as a folder nobody has looked into for a while: the
// next look into it moves its access time on.
void AgeLastAccess(const std::wstring& folder) {
    const HANDLE file = ::CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME written{};
    EXPECT_TRUE(::GetFileTime(file, nullptr, nullptr, &written));
    ULARGE_INTEGER time{};
    time.LowPart = written.dwLowDateTime;
    time.HighPart = written.dwHighDateTime;
    time.QuadPart -= 20ull * 10'000'000; // 20 s
    const FILETIME accessed{time.LowPart, time.HighPart};
    EXPECT_TRUE(::SetFileTime(file, nullptr, &accessed, nullptr));
    ::CloseHandle(file);
}

} // namespace

// Through the system's own dialog: BrowseForFolderCall turns the chosen item into its path, also
// under a start folder given to the dialog as its root, and never gives a folder outside that root.
TEST(BrowseForFolderCall, GivesThePathChosenInTheSystemDialogAndNothingForACancel) {
    const std::wstring folder = MakeTestFolder(L"browsed");
    const std::wstring parent = folder.substr(0, folder.size() - 1), child = folder + L"inside";
    ASSERT_TRUE(::CreateDirectoryW(child.c_str(), nullptr));
    // The dialog's first look into the new folder then moves its access time on, every run.
    AgeLastAccess(child);
    EXPECT_EQ(BrowseAnswering(L"", parent, IDOK), parent);
    EXPECT_EQ(BrowseAnswering(parent, child, IDOK), child);
    EXPECT_EQ(BrowseAnswering(parent, child, IDCANCEL), L"");
    // OK before any pick gives the root or nothing, never a folder outside it (Wine's rooted dialog
    // starts with nothing selected and gives the desktop).
    const std::wstring unpicked = BrowseAnswering(parent, L"", IDOK);
    EXPECT_TRUE(unpicked.empty() || unpicked == parent) << Narrow(unpicked);
}

namespace {

struct Transfer {
    const char* name;
    bool move;
    bool targetExists;
    bool replace;
    bool done;
};

} // namespace

TEST(ShellTransfer, CopiesAndMovesOneFileWithoutLosingEither) {
    ScopedShellConfirmationsOff quiet;
    const Transfer cases[] = {
        {"copy", false, false, false, true},        {"move", true, false, false, true},
        {"copy kept", false, true, false, false},   {"move kept", true, true, false, false},
        {"copy replaced", false, true, true, true}, {"move replaced", true, true, true, true},
    };
    for (const Transfer& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring from = MakeTestFolder(L"from"), to = MakeTestFolder(L"to");
        ASSERT_TRUE(WriteTestFile(from + L"a.jpg", "new"));
        if (c.targetExists) {
            ASSERT_TRUE(WriteTestFile(to + L"a.jpg", "old"));
        }
        const bool done =
            c.move ? ShellMoveFile(from + L"a.jpg", to, c.replace) : ShellCopyFile(from + L"a.jpg", to, c.replace);
        EXPECT_EQ(done, c.done);
        EXPECT_EQ(ReadTestFile(to + L"a.jpg"), c.done ? "new" : "old");
        EXPECT_EQ(FileExistsForTest(from + L"a.jpg"), !(c.move && c.done));
    }
    // A copy makes a missing folder; a file onto itself, a missing file or no folder do nothing.
    const std::wstring from = MakeTestFolder(L"from");
    ASSERT_TRUE(WriteTestFile(from + L"b.png", "b"));
    EXPECT_TRUE(ShellCopyFile(from + L"b.png", from + L"made\\deeper"));
    EXPECT_EQ(ReadTestFile(from + L"made\\deeper\\b.png"), "b");
    EXPECT_FALSE(ShellMoveFile(from + L"b.png", from, true));
    EXPECT_FALSE(ShellMoveFile(from + L"gone.png", from + L"made"));
    EXPECT_FALSE(ShellCopyFile(from + L"b.png", L""));
    EXPECT_EQ(ReadTestFile(from + L"b.png"), "b");
}

TEST(RenameFileNoReplace, NeverReplacesAndChangesCaseThroughAStep) {
    const std::wstring folder = MakeTestFolder(L"rename");
    ASSERT_TRUE(WriteTestFile(folder + L"a.jpg", "a"));
    ASSERT_TRUE(WriteTestFile(folder + L"b.jpg", "b"));
    EXPECT_FALSE(RenameFileNoReplace(folder + L"a.jpg", folder + L"b.jpg"));
    EXPECT_EQ(ReadTestFile(folder + L"a.jpg"), "a");
    EXPECT_EQ(ReadTestFile(folder + L"b.jpg"), "b");
    EXPECT_FALSE(RenameFileNoReplace(folder + L"missing.jpg", folder + L"c.jpg"));

    EXPECT_TRUE(RenameFileNoReplace(folder + L"a.jpg", folder + L"A.JPG"));
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"a.jpg").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    ::FindClose(search);
    EXPECT_STREQ(found.cFileName, L"A.JPG");
    EXPECT_EQ(ReadTestFile(folder + L"A.JPG"), "a");
    // Nothing is left under a step name.
    search = ::FindFirstFileW((folder + L"*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
}
