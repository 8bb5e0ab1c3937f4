// The grid's selection driven as a person drives it: clicks with and without Ctrl and Shift, right
// clicks, rubber bands, steps at both ends, the save question, keys, and stars written to the
// folder's favourites list.
#include "browser/FavoritesList.h"
#include "browser/ThumViewer.h"
#include "platform/MessageBoxService.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr uint32_t kPicture = ColorARGB(255, 220, 0, 0), kGreen = ColorARGB(255, 0, 180, 0),
                   kStar = ColorARGB(255, 255, 220, 0);
constexpr COLORREF kBack = RGB(200, 220, 255), kSelectionPen = RGB(47, 99, 255);
constexpr int kCells = 13; // six a row: three rows, the last reaching past the 400-high view

struct SelectionFixture : ::testing::Test {
    TestWindow window{800, 400};
    ThumViewer grid;
    FakeGridMainWindow main;
    FakeShortcutKeyHandler keys;
    std::wstring folder;
    int mouseDowns = 0, doubleClicks = 0;

    static void SetUpTestSuite() { WriteSkin(L"Favorties.png", 16, 16, kStar); }

    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = MakeTestFolder(L"select-" + std::wstring(test.begin(), test.end()));
        for (int i = 0; i < kCells; ++i)
            WriteSolidImage(folder + L"p" + std::to_wstring(10 + i) + L".png", 80, 60, i == 12 ? kGreen : kPicture);
        ASSERT_TRUE(grid.Create({.parent = window.hwnd(), .width = 800, .height = 400}));
        grid.BackColor(kBack);
        grid.SetMainWindow(&main);
        grid.shortcutKeys = &keys;
        grid.onMouseDown = [this](int, int, float, float) { ++mouseDowns; };
        grid.onMouseDbclick = [this] { ++doubleClicks; };
        Show();
    }
    void Show() {
        grid.Path(folder);
        grid.CreateThumbnail();
    }
    // The middle of cell n's box on the surface; caption: under its picture, where nothing is hit.
    [[nodiscard]] POINT Middle(int n, bool caption = false) const {
        const POINT cell = grid.Geometry().CellOrigin(n);
        return {cell.x + 50, cell.y + (caption ? 110 : 50) - grid.ScrollOffset()};
    }
    void Click(POINT at, int button = MouseButton::Left, std::initializer_list<int> held = {}) {
        const UINT down = button == MouseButton::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        TestWindow::HoldKeys(held, true);
        SendMouse(grid.ThumOLE.hWnd(), down, button == MouseButton::Left ? MK_LBUTTON : MK_RBUTTON, at.x, at.y);
        SendMouse(grid.ThumOLE.hWnd(), down + 1, 0, at.x, at.y);
        TestWindow::HoldKeys(held, false);
    }
    [[nodiscard]] std::string Selected() const {
        std::string text;
        for (int i = 0; i < grid.ListCount(); ++i)
            if (grid.ThumListview().Rows[static_cast<size_t>(i)].Selected) {
                if (!text.empty()) text += ' ';
                text += std::to_string(i);
            }
        return text;
    }
    [[nodiscard]] std::vector<std::wstring> PathsOf(const std::string& rows) const {
        std::vector<std::wstring> paths;
        std::istringstream in(rows);
        for (int row = 0; in >> row;) paths.push_back(grid.SlideFilename(row));
        return paths;
    }
    // The selection pen left of cell n's picture.
    [[nodiscard]] bool Framed(int n) const {
        const RectF& r = grid.ImageRects()[static_cast<size_t>(n)];
        const COLORREF c =
            grid.ThumOLE.Point(static_cast<int>(r.X) - 2, static_cast<int>(r.Y + r.Height / 2) - grid.ScrollOffset());
        return RgbDistance(c, kSelectionPen) <= 30;
    }
};

} // namespace

TEST_F(SelectionFixture, ClicksWithAndWithoutKeysSelectAsAPersonExpects) {
    struct Case {
        const char* what;
        int cell; // -1: the caption of cell 1
        int button;
        int key;
        const char* selected;
        int oldPress;
        int selectFile;
    };
    const int L = MouseButton::Left, R = MouseButton::Right;
    const Case cases[] = {
        {"click", 0, L, 0, "0", 0, 0},
        {"ctrl-click", 2, L, VK_CONTROL, "0 2", 2, 0},
        {"ctrl-click a selected one", 0, L, VK_CONTROL, "2", 0, 0},
        {"right click", 4, R, 0, "2 4", 4, 4},
        {"right click in the selection: only the last pressed one goes", 2, R, 0, "2", 2, 4},
        {"shift-click moves only the press", 5, L, VK_SHIFT, "2", 5, 4},
        {"click", 1, L, 0, "1", 1, 1},
        {"click on a caption: nothing hit, an empty band", -1, L, 0, "", kCells, 1},
    };
    for (const Case& c : cases) {
        const size_t imports = main.log.calls.size();
        Click(Middle(c.cell < 0 ? 1 : c.cell, c.cell < 0), c.button, {c.key});
        EXPECT_EQ(Selected(), c.selected) << c.what;
        EXPECT_EQ(App().SelectedFiles, PathsOf(c.selected)) << c.what;
        EXPECT_EQ(grid.OldPress(), c.oldPress) << c.what;
        EXPECT_EQ(grid.SelectFile(), grid.SlideFilename(c.selectFile)) << c.what;
        for (int n = 0; n < 6; ++n)
            EXPECT_EQ(Framed(n), Selected().find(std::to_string(n)) != std::string::npos) << c.what << n;
        // The canvas opens the first selected file after every hit, nothing after a miss.
        const std::vector<std::wstring> opened(main.log.calls.begin() + static_cast<ptrdiff_t>(imports),
                                               main.log.calls.end());
        EXPECT_EQ(opened, c.cell < 0
                              ? std::vector<std::wstring>{}
                              : std::vector<std::wstring>{L"FileImport(" + Arg(App().SelectedFiles.front()) + L")"})
            << c.what;
    }
    EXPECT_EQ(mouseDowns, 8);
    EXPECT_EQ(grid.ShowSize(), L"");
    // A new listing empties the selection and its list.
    Click(Middle(3));
    EXPECT_EQ(grid.ShowFilename(), L"p13.png");
    Show();
    EXPECT_TRUE(App().SelectedFiles.empty());
    EXPECT_EQ(grid.ShowFilename(), L"");
}

TEST_F(SelectionFixture, RubberBandsSelectWhatTheyOverlapAndShiftAdds) {
    const HWND surface = grid.ThumOLE.hWnd();
    const POINT to = Middle(7);
    SendMouse(surface, WM_LBUTTONDOWN, MK_LBUTTON, 2, 2);
    SendMouse(surface, WM_MOUSEMOVE, MK_LBUTTON, to.x, to.y);
    EXPECT_GT(RgbDistance(grid.ThumOLE.Point(3, 10), kBack), 10) << "the band is drawn";
    EXPECT_EQ(Selected(), "0 1 6 7") << "and selects as it goes";
    SendMouse(surface, WM_LBUTTONUP, 0, to.x, to.y);
    EXPECT_EQ(grid.ThumOLE.Point(3, 10), kBack);
    EXPECT_EQ(Selected(), "0 1 6 7");
    EXPECT_TRUE(Framed(0) && Framed(7) && !Framed(2));
    EXPECT_EQ(grid.OldPress(), kCells);

    TestWindow::HoldKeys({VK_SHIFT}, true);
    LeftDrag(surface, {Middle(12).x - 53, 338}, {Middle(12).x + 2, 395}); // from left of its box
    TestWindow::HoldKeys({VK_SHIFT}, false);
    EXPECT_EQ(Selected(), "0 1 6 7 12");
    LeftDrag(surface, {2, 2}, Middle(0)); // without Shift: exactly what it overlaps
    EXPECT_EQ(Selected(), "0");
    EXPECT_EQ(App().SelectedFiles, PathsOf("0"));
}

// A picture much smaller than its box is taken by a click or a band anywhere in the box, not only
// on its own few pixels.
TEST_F(SelectionFixture, AClickOrABandBesideATinyPictureInItsBoxTakesIt) {
    WriteSolidImage(folder + L"p10.png", 1, 1, kPicture);
    Show();
    ASSERT_LT(grid.ImageRects()[0].Width, 2.0f);
    const POINT cell = grid.Geometry().CellOrigin(0), beside{cell.x + 20, cell.y + 20}; // the picture is at 50, 50
    Click(beside);
    EXPECT_EQ(Selected(), "0") << "a click";
    LeftDrag(grid.ThumOLE.hWnd(), {2, 2}, beside); // the press on empty space lets go of row 0 first
    EXPECT_EQ(Selected(), "0") << "a band from the margin into the box, short of the picture";
}

TEST_F(SelectionFixture, StepsMoveThePressWithoutWrappingAndScrollIntoView) {
    const std::pair<const char*, const char*> steps[] = {
        {"back", "0"},  {"ctrl 2", "0 2"}, {"next", "0 3"}, {"back", "0 2"}, {"click 11", "11"}, {"next", "12"},
        {"next", "12"}, {"back", "11"},    {"caption", ""}, {"next", ""},    {"back", "12"},
    };
    Click(Middle(0));
    for (const auto& [step, selected] : steps) {
        const std::string what = step;
        if (what == "next") grid.PreviewNext();
        if (what == "back") grid.PreviewBack();
        if (what == "ctrl 2") Click(Middle(2), MouseButton::Left, {VK_CONTROL});
        if (what == "click 11") Click(Middle(11));
        if (what == "caption") Click({2, 2});
        EXPECT_EQ(Selected(), selected) << what;
        EXPECT_EQ(App().SelectedFiles, PathsOf(selected)) << what;
    }
    // The last cell came into view whole when the step reached it.
    EXPECT_EQ(grid.SelectFile(), grid.SlideFilename(12));
    EXPECT_LE(grid.Geometry().CellOrigin(12).y + 100 + 2 * 13 - grid.ScrollOffset(), 400);
    EXPECT_GT(grid.ScrollOffset(), 0);
    EXPECT_LE(RgbDistance(grid.ThumOLE.Point(Middle(12).x, Middle(12).y), Rgb(kGreen)), 3);
}

TEST_F(SelectionFixture, AnUnsavedEditIsAskedAboutAndKeysReachTheShortcuts) {
    main.unsavedEdit = true;
    const std::tuple<int, bool, const char*> answers[] = {
        {6, false, "3"}, {7, false, "4"}, {2, false, "4"}, {2, true, "6"}};
    int cell = 3;
    for (const auto& [answer, hideCaption, selected] : answers) {
        main.log.calls.clear();
        main.answer = answer;
        grid.HideCaption(hideCaption);
        const int downs = mouseDowns;
        Click(Middle(cell++));
        EXPECT_EQ(Selected(), selected) << answer;
        EXPECT_EQ(main.log.Has(L"AskSaveChanges()"), !hideCaption) << answer;
        EXPECT_EQ(main.log.Has(L"FileImport(" + Arg(grid.SlideFilename(cell - 1)) + L")"), answer != 2 && !hideCaption);
        EXPECT_EQ(mouseDowns, downs + 1) << "raised after Cancel too";
    }
    ::SendMessageW(grid.ThumOLE.hWnd(), WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageW(grid.ThumOLE.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(keys.log.Has(L"HandleShortcutKey(39, 0)"));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(SelectionFixture, StarsRewriteTheListAndTheCellsOnlyWhenWritten) {
    folder = MakeTestFolder(L"select-stars");
    const std::wstring list = folder + kFavoritesFileName, snow = L"\u96EA.png";
    for (const wchar_t* name : {L"Photo.JPG", L"b.png", snow.c_str()}) WriteSolidImage(folder + name, 80, 60, kPicture);
    ASSERT_TRUE(WriteTestFile(list, "Old.PNG\r\n"));
    Show();
    const auto cell = [&](const std::wstring& name) {
        int n = 0;
        while (n < grid.ListCount() && grid.SlideFilename(n) != folder + name) ++n;
        return n;
    };
    const int photo = cell(L"Photo.JPG"), b = cell(L"b.png");
    const auto starred = [&](int n) {
        const RectF& r = grid.ImageRects()[static_cast<size_t>(n)];
        const COLORREF c =
            grid.ThumOLE.Point(static_cast<int>(r.X + r.Width) - 10, static_cast<int>(r.Y + r.Height) - 10);
        return RgbDistance(c, Rgb(kStar)) <= 3;
    };
    int messages = 0;
    ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest&) { return ++messages, IDOK; });

    Click(Middle(photo));
    ASSERT_TRUE(grid.VrFileCreate());
    EXPECT_EQ(ReadTestFile(list), "Old.PNG\r\nphoto.jpg\r\n");
    EXPECT_TRUE(starred(photo) && !Framed(photo) && !starred(b));
    EXPECT_EQ(Selected(), std::to_string(photo)) << "the row stays selected";
    Click(Middle(b), MouseButton::Left, {VK_CONTROL});
    ASSERT_TRUE(grid.VrFileCreate());
    EXPECT_EQ(ReadTestFile(list), "Old.PNG\r\nphoto.jpg\r\nb.png\r\n") << "no name twice";
    ASSERT_TRUE(grid.VrFileCreate(true));
    EXPECT_EQ(ReadTestFile(list), "old.png\r\n");
    EXPECT_FALSE(starred(photo) || starred(b));

    // A read-only list, and a name the code page cannot hold: nothing written, nothing drawn.
    ASSERT_TRUE(::SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_READONLY));
    Click(Middle(b));
    EXPECT_FALSE(grid.VrFileCreate());
    EXPECT_TRUE(::SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(ReadTestFile(list), "old.png\r\n");
    EXPECT_FALSE(starred(b));
    EXPECT_EQ(messages, 1);
    Click(Middle(cell(snow)));
    const bool wide = ::GetACP() == CP_UTF8;
    EXPECT_EQ(grid.VrFileCreate(), wide);
    EXPECT_EQ(ReadTestFile(list), wide ? "old.png\r\n\xE9\x9B\xAA.png\r\n" : "old.png\r\n");
    EXPECT_EQ(starred(cell(snow)), wide);
    EXPECT_EQ(messages, wide ? 1 : 2);
}
