// A picture replaced on disk under its own name while the real main window shows its folder: every
// way back to the folder (a re-sort, the folder picked again in the folder pane, the History list,
// the search box and the format filter narrowing or widening the grid) shows the new picture, its
// size line and its file information, also when only the write time or only the byte count tells
// the files apart. Stars set during a search stay when the search widens again.
#include "browser/ModFileinfo.h"
#include "browser/ModFolderView.h"
#include "platform/PathHelpers.h"
#include "shell/MainFolderPane.h"
#include "shell/ShellSeams.h"
#include "tests/browser/GridTestSupport.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/TestWindow.h"

#include <commctrl.h>

#include <functional>

namespace {

constexpr uint32_t kOld = ColorARGB(255, 220, 0, 0), kNew = ColorARGB(255, 0, 170, 0),
                   kOther = ColorARGB(255, 0, 0, 220), kStar = ColorARGB(255, 255, 220, 0);

struct FileFacts {
    uint64_t size = 0;
    uint64_t written = 0; // UTC file time
};

FileFacts FactsOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return {(static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime};
}

bool SetWritten(const std::wstring& path, uint64_t written) {
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const FILETIME time{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
    const bool ok = ::SetFileTime(file, nullptr, nullptr, &time);
    return ::CloseHandle(file) && ok;
}

// Lists a folder once, so that the folder dialog, which compares item ids carrying access dates,
// finds it later (see the folder pane's tests).
void ReadFolder(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((path + L"*").c_str(), &data);
    while (find != INVALID_HANDLE_VALUE && ::FindNextFileW(find, &data)) {
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
}

std::wstring WithoutBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

class ReplacedFileTest : public MainWindowTest {
protected:
    std::unique_ptr<MainFolderPane> pane;

    static void SetUpTestSuite() { WriteSkin(L"Favorties.png", 16, 16, kStar); }

    ThumViewer& Grid() { return main->ThumyzViewer; }

    // The main window with the real folder pane; body runs inside the pane's loop, as every
    // command of the program does.
    void InFolderPane(const std::function<void()>& body) {
        pane = std::make_unique<MainFolderPane>(*main);
        main->SetFolderPane(pane.get());
        TestWindow ticker(20, 20, 1200, 900);
        bool ran = false;
        ticker.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT*) {
            if (msg != WM_TIMER) return false;
            ::KillTimer(ticker.hwnd(), wp);
            if (!ran) {
                ran = true;
                body();
            }
            pane->pane.FolderViewDestroy();
            return true;
        };
        ::SetTimer(ticker.hwnd(), 1, 300, nullptr);
        EXPECT_TRUE(pane->pane.FolderViewOpen());
        EXPECT_TRUE(ran) << "the pane's loop ended before the steps ran";
        main->SetFolderPane(nullptr);
        pane.reset();
    }

    // The search box given text, then Enter, as a person types it.
    void Search(const std::wstring& text) {
        const HWND box = main->ImageToolbar.SearchTextWindow();
        ::SetWindowTextW(box, L"");
        for (wchar_t ch : text) ::SendMessageW(box, WM_CHAR, ch, 0);
        ::SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
        ::SendMessageW(box, WM_KEYUP, VK_RETURN, 0);
    }

    // A click on row k of the side panel's format filter (0 "Png", 1 "Gif", ... 4 "Bmp"): ticks or
    // unticks it, and the grid shows the ticked formats.
    void ToggleFormat(int k) {
        EXPECT_TRUE(Run(L"Edit_Keyword"));
        LeftClick(main->UseryzProcess1.ZzVFiter().hWnd(), 50, 10 + 20 * k);
    }

    // A click on the folder's item in the tree, beside the selected one; waits until the grid shows it.
    void ClickFolderInTree(const std::wstring& path) {
        const HWND tree = pane->pane.TreeHandle();
        const std::wstring name = GetFileName(WithoutBackslash(path));
        const HTREEITEM parent = TreeView_GetParent(tree, TreeView_GetSelection(tree));
        HTREEITEM item = TreeView_GetChild(tree, parent);
        for (; item; item = TreeView_GetNextSibling(tree, item)) {
            wchar_t text[MAX_PATH] = {};
            TVITEMW data{};
            data.mask = TVIF_TEXT;
            data.hItem = item;
            data.pszText = text;
            data.cchTextMax = MAX_PATH;
            if (TreeView_GetItem(tree, &data) && CompareNoCase(text, name) == 0) break;
        }
        ASSERT_NE(item, nullptr) << Narrow(name) << " is not in the tree";
        TreeView_EnsureVisible(tree, item);
        RECT r{};
        ASSERT_TRUE(TreeView_GetItemRect(tree, item, &r, TRUE));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(tree, WM_LBUTTONUP, 0, at);
        for (int i = 0; i < 100 && Grid().CurrentFolder() != path; ++i) TestWindow::Pump(50);
    }

    // The History list opened from its strip and the folder's row picked.
    void PickFromHistory(const std::wstring& path) {
        const RectF strip = main->HistoryHitRect;
        ::SendMessageW(
            main->hWnd(), WM_LBUTTONUP, 0,
            MAKELPARAM(static_cast<int>(strip.X + strip.Width / 2), static_cast<int>(strip.Y + strip.Height / 2)));
        ASSERT_EQ(main->SkinMenu.Initializemenu(), 12);
        const std::vector<MenuRow> rows = ShownRows();
        size_t index = 0;
        while (index < rows.size() && CompareNoCase(rows[index].Caption, WithoutBackslash(path)) != 0) ++index;
        ASSERT_LT(index, rows.size()) << Narrow(path) << " is not in the History list";
        ASSERT_TRUE(PickShownRow(index));
    }

    // The row index and the shown position of a file in the grid; -1 when it is not shown.
    std::pair<int32_t, int32_t> Shown(const std::wstring& name) {
        const std::vector<int32_t>& shown = Grid().ShownRows();
        for (size_t n = 0; n < shown.size(); ++n)
            if (CompareNoCase(Grid().ThumListview().Rows[static_cast<size_t>(shown[n])].String, name) == 0)
                return {shown[n], static_cast<int32_t>(n)};
        return {-1, -1};
    }

    // The file's cell as drawn: the picture's colour in its middle and corners, its size as placed,
    // and its size line.
    void ExpectCell(const std::wstring& name, uint32_t colour, SIZE picture, const std::string& what) {
        ThumViewer& grid = Grid();
        const auto [row, n] = Shown(name);
        ASSERT_GE(row, 0) << what << ": " << Narrow(name) << " is not shown";
        const RectF r = grid.ImageRects()[static_cast<size_t>(row)];
        EXPECT_EQ(r.Width, static_cast<float>(picture.cx)) << what;
        EXPECT_EQ(r.Height, static_cast<float>(picture.cy)) << what;
        const int left = static_cast<int>(r.X), top = static_cast<int>(r.Y) - grid.ScrollOffset();
        for (const POINT p : {POINT{left + picture.cx / 2, top + picture.cy / 2}, POINT{left + 1, top + 1},
                              POINT{left + picture.cx - 2, top + picture.cy - 2}})
            EXPECT_LE(RgbDistance(grid.ThumOLE.Point(p.x, p.y), Rgb(colour)), 3) << what << " at " << p.x << "," << p.y;
        const POINT cell = grid.Geometry().CellOrigin(n);
        const int line = cell.y - grid.ScrollOffset() + grid.Geometry().thumHeight + 1 + ThumGeometry::kCaptionLine;
        const std::wstring size = std::to_wstring(picture.cx) + L" x " + std::to_wstring(picture.cy) + L" pixels";
        EXPECT_LE(Differing(CaptionLine(grid.ThumOLE, cell.x, line), ReferenceLine(size, grid.BackColor())), 6)
            << what << ": the size line is not " << Narrow(size);
    }

    // A click on the file's picture; the grid's file information then tells of the file on disk.
    void ExpectFileInformation(const std::wstring& path, const std::string& what) {
        ThumViewer& grid = Grid();
        const int32_t row = Shown(GetFileName(path)).first;
        ASSERT_GE(row, 0) << what;
        const RectF r = grid.ImageRects()[static_cast<size_t>(row)];
        LeftClick(grid.ThumOLE.hWnd(), static_cast<int>(r.X + r.Width / 2),
                  static_cast<int>(r.Y + r.Height / 2) - grid.ScrollOffset());
        const FileFacts facts = FactsOf(path);
        const FileInfoFormat format = FileInfoFormat::Current();
        EXPECT_EQ(grid.ShowFilename(), GetFileName(path)) << what;
        EXPECT_EQ(grid.ShowSize(), FileSizeText(facts.size, format)) << what;
        EXPECT_EQ(grid.ShowModiData(), FileDateText(FileTimeToLocal(facts.written, format))) << what;
    }
};

} // namespace

TEST_F(ReplacedFileTest, EveryWayBackShowsTheNewPictureItsSizeAndItsFileInformation) {
    enum class Change { SizeAndColour, SameBytesLaterTime, SameTimeOtherBytes };
    struct Way {
        const char* what;
        std::function<void(const std::wstring& folder)> before; // while the old picture is shown
        std::function<void(const std::wstring& folder)> back;
        std::function<void()> after;
        bool keepsB = true; // b.bmp stays in the grid
    };
    const std::wstring elsewhere = MakeTestFolder(L"replaced-elsewhere");
    WriteSolidImage(elsewhere + L"z.png", 40, 30, kOther);
    const Way ways[] = {
        {"a re-sort", {}, [&](const std::wstring&) { EXPECT_TRUE(Pick(L"View_Sortname")); }, {}},
        {"the folder picked again in the tree",
         [&](const std::wstring&) { pane->pane.FolderViewSelect(WithoutBackslash(elsewhere)); },
         [&](const std::wstring& folder) { ClickFolderInTree(folder); },
         {}},
        {"the folder picked from History",
         [&](const std::wstring&) { pane->pane.FolderViewSelect(WithoutBackslash(elsewhere)); },
         [&](const std::wstring& folder) { PickFromHistory(folder); },
         {}},
        {"a search narrowing the grid", {}, [&](const std::wstring&) { Search(L"a."); }, {}, false},
        {"a search widening the grid again",
         [&](const std::wstring&) { Search(L"b."); },
         [&](const std::wstring&) { Search(L""); },
         {}},
        {"the format filter narrowing the grid",
         {},
         [&](const std::wstring&) { ToggleFormat(1); },
         [&] { ToggleFormat(1); }},
        {"the format filter widening the grid again",
         [&](const std::wstring&) { ToggleFormat(4); },
         [&](const std::wstring&) { ToggleFormat(4); },
         {}},
    };
    const std::pair<Change, const char*> changes[] = {
        {Change::SizeAndColour, "another size and colour"},
        {Change::SameBytesLaterTime, "the same byte count, a later write time"},
        {Change::SameTimeOtherBytes, "the same write time, another byte count"},
    };
    // Made and read before the pane lists them.
    std::vector<std::wstring> folders;
    for (size_t k = 0; k < std::size(ways) * std::size(changes); ++k) {
        folders.push_back(MakeTestFolder(L"replaced-" + std::to_wstring(k)));
        WriteSolidImage(folders.back() + L"a.bmp", 80, 60, kOld, kFormatBmp);
        WriteSolidImage(folders.back() + L"b.bmp", 60, 40, kOther, kFormatBmp);
        WriteSolidImage(folders.back() + L"c.gif", 40, 40, kOther, kFormatGif);
        ReadFolder(folders.back());
    }
    ReadFolder(elsewhere);
    ::Sleep(2100);
    folder = folders.front();
    Open(L"b.bmp");
    InFolderPane([&] {
        size_t k = 0;
        for (const Way& way : ways) {
            for (const auto& [change, how] : changes) {
                const std::wstring& here = folders[k++];
                const std::string what = std::string(way.what) + ", " + how;
                const std::wstring path = here + L"a.bmp";
                pane->pane.FolderViewSelect(WithoutBackslash(here));
                ASSERT_EQ(Grid().CurrentFolder(), here) << what;
                ExpectCell(L"a.bmp", kOld, {80, 60}, what + ", before");
                if (way.before) way.before(here);
                const FileFacts old = FactsOf(path);
                // 80 x 60 and 60 x 80 pictures of 32 or 24 bits a pixel take the same bytes.
                const SIZE size = change == Change::SameBytesLaterTime ? SIZE{60, 80} : SIZE{50, 70};
                WriteSolidImage(path, size.cx, size.cy, kNew, kFormatBmp);
                if (change == Change::SameBytesLaterTime) {
                    ASSERT_TRUE(SetWritten(path, old.written + 20000000));
                } else if (change == Change::SameTimeOtherBytes) {
                    ASSERT_TRUE(SetWritten(path, old.written));
                }
                const FileFacts now = FactsOf(path);
                ASSERT_EQ(now.size == old.size, change == Change::SameBytesLaterTime) << what;
                ASSERT_EQ(now.written == old.written, change == Change::SameTimeOtherBytes) << what;
                way.back(here);
                ASSERT_EQ(Grid().CurrentFolder(), here) << what;
                ExpectCell(L"a.bmp", kNew, size, what);
                if (way.keepsB) ExpectCell(L"b.bmp", kOther, {60, 40}, what + ", the file beside it");
                ExpectFileInformation(path, what);
                if (way.after) way.after();
            }
        }
    });
}

TEST_F(ReplacedFileTest, AStarSetOrTakenDuringASearchStaysWhenTheSearchWidens) {
    Start({L"a.png", L"b.png"});
    const auto starShown = [&] {
        const int32_t row = Shown(L"b.png").first;
        if (row < 0) return false;
        const RectF r = Grid().ImageRects()[static_cast<size_t>(row)];
        // The star's 16 x 16 square stands 18 pixels in from the picture's bottom right corner.
        const int x = static_cast<int>(r.X + r.Width) - 18 + 8, y = static_cast<int>(r.Y + r.Height) - 18 + 8;
        return RgbDistance(Grid().ThumOLE.Point(x, y - Grid().ScrollOffset()), Rgb(kStar)) <= 3;
    };
    for (const auto& [command, starred] : {std::pair{L"View_Addstar", true}, std::pair{L"View_Removestar", false}}) {
        const std::string what = Narrow(command);
        Search(L"b.");
        ASSERT_EQ(Grid().ShownRows().size(), 1u) << what;
        ExpectFileInformation(folder + L"b.png", what); // the click selects it
        EXPECT_TRUE(Pick(command)) << what;
        EXPECT_EQ(starShown(), starred) << what << ", in the search";
        Search(L"");
        ASSERT_EQ(Grid().ShownRows().size(), 2u) << what;
        EXPECT_EQ(starShown(), starred) << what << ", the search widened";
    }
}

TEST_F(ReplacedFileTest, ASavedEditShowsItsNewPictureAndFileInformation) {
    folder = MakeTestFolder(L"replaced-by-a-save");
    const std::wstring path = folder + L"a.png";
    WriteSolidImage(path, 40, 30, kOld);
    // A day old, so that the save's time reads differently even within the same second.
    ASSERT_TRUE(SetWritten(path, FactsOf(path).written - 864000000000ull));
    Open(L"a.png");
    ExpectFileInformation(path, "before the edit");
    Turn();
    EXPECT_TRUE(Run(L"File_Save"));
    ASSERT_FALSE(main->UnsavedEdit());
    ExpectCell(L"a.png", kOld, {30, 40}, "after the save");
    ExpectFileInformation(path, "after the save");
}
