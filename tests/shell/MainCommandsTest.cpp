// The commands and the drop-down through the real main window: what an edit leaves in the saved
// file, where next and previous stop, which rows a user is offered, and what a tool pick starts.
#include "platform/MessageBoxService.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MainCommandsTest : public MainWindowTest {
protected:
    // A 41 x 31 blue picture (odd on both axes) with a red 3 x 3 block in its top left corner.
    void StartMarked() {
        folder = MakeTestFolder(L"maincommands");
        GdipBitmap marked = BitmapOf(41, 31, [](int x, int y) { return x < 3 && y < 3 ? kRed : kBlue; });
        ASSERT_TRUE(SaveImageSafely(marked.get(), folder + L"a.png", kFormatPng, 90));
        Open(L"a.png");
    }
};

} // namespace

TEST_F(MainCommandsTest, TurnsAndFlipsReachTheSavedFile) {
    struct Case {
        const wchar_t* id;
        SIZE size;
        POINT red; // the corner the red block lands in
    };
    const Case cases[] = {
        {L"Edit_Hflip", {41, 31}, {40, 0}},
        {L"Edit_Vflip", {41, 31}, {0, 30}},
        {L"Edit_Clockwise", {31, 41}, {30, 0}},
        {L"Edit_Crcolockwise", {31, 41}, {0, 40}},
    };
    for (const Case& c : cases) {
        StartMarked();
        const std::string what = Narrow(c.id);
        ASSERT_TRUE(Run(c.id)) << what;
        EXPECT_TRUE(main->UnsavedEdit()) << what;
        {
            DialogWatch dialogs;
            ASSERT_TRUE(Run(L"File_Save")) << what;
            EXPECT_EQ(dialogs.Seen(), 0) << what << ": the shown file is saved in place";
        }
        EXPECT_FALSE(main->UnsavedEdit()) << what;
        const std::wstring file = folder + L"a.png";
        const SIZE size = ImageSizeOnDisk(file);
        EXPECT_EQ(size.cx, c.size.cx) << what;
        EXPECT_EQ(size.cy, c.size.cy) << what;
        EXPECT_LE(ChannelDistance(PixelOnDisk(file, c.red.x, c.red.y), kRed), 8) << what;
        EXPECT_LE(ChannelDistance(PixelOnDisk(file, 0, 0), c.red.x == 0 && c.red.y == 0 ? kRed : kBlue), 8) << what;
        EXPECT_LE(ChannelDistance(PixelOnDisk(file, size.cx - 1 - c.red.x, size.cy - 1 - c.red.y), kBlue), 8) << what;
    }
}

TEST_F(MainCommandsTest, ASaveThatCannotWriteKeepsTheFileAndTheEdit) {
    Start({L"a.png"});
    Turn();
    const std::wstring file = folder + L"a.png";
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    int told = 0;
    ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest&) { return ++told, IDOK; });
    int offered = 0;
    {
        DialogWatch dialogs;
        EXPECT_TRUE(Run(L"File_Save"));
        offered = dialogs.Seen();
    }
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(told + offered, 1) << "the failed write is reported, or Save As offered";
    EXPECT_EQ(ImageSizeOnDisk(file).cx, 40);
    EXPECT_TRUE(main->UnsavedEdit()) << "nothing was written";
}

TEST_F(MainCommandsTest, NextAndPreviousStopAtTheEndsOfTheGrid) {
    // Menu rows by id; a wheel turn by its delta (towards the user: the next picture).
    const std::wstring next = L"View_Zoomin", back = L"View_Zoomout", down = L"-120", up = L"120", fast = L"-360";
    struct Case {
        std::vector<std::wstring> steps; // from the first picture
        const wchar_t* shows;
    };
    const Case cases[] = {
        {{back}, L"a.png"},
        {{next}, L"b.png"},
        {{next, back}, L"a.png"},
        {{next, next}, L"c.png"},
        {{next, next, next}, L"c.png"},
        {{next, next, next, back}, L"b.png"},
        {{up}, L"a.png"},
        {{down}, L"b.png"},
        {{down, fast}, L"c.png"}, // one message is one step, whatever its delta
        {{down, fast, down}, L"c.png"},
        {{down, fast, up}, L"b.png"},
    };
    Start({L"a.png", L"b.png", L"c.png"});
    for (const Case& c : cases) {
        Open(L"a.png");
        std::string what;
        for (const std::wstring& step : c.steps) {
            what += Narrow(step) + " ";
            if (step == next || step == back)
                EXPECT_TRUE(Pick(step)) << what;
            else
                ::SendMessageW(main->hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(std::stoi(step))),
                               MAKELPARAM(400, 400));
        }
        EXPECT_TRUE(Shows(c.shows)) << what << "shows " << Narrow(main->SingleyzPreview.CurFilename);
    }
    // A folder of one picture: every step stays on it.
    folder = MakeTestFolder(L"onepicture");
    WriteSolidImage(folder + L"only.png", 40, 30, 0xFF2060A0u);
    Open(L"only.png");
    for (const std::wstring& step : {next, back}) {
        Pick(step);
        EXPECT_TRUE(Shows(L"only.png")) << Narrow(step);
    }
}

TEST_F(MainCommandsTest, ToolRowsStartTheirModeAndASecondPickReturnsToBrowse) {
    struct Case {
        const wchar_t* id;
        int32_t mode;
    };
    const Case cases[] = {
        {L"Filter_Crop", 1},  {L"Filter_Straight", 2}, {L"Effect_Gamma", 7},
        {L"Filter_Line", 25}, {L"Effect_Snow", 31},    {L"Filter_FreeSelect", 41},
    };
    Start({L"a.png", L"b.png"});
    for (const Case& c : cases) {
        const std::string what = Narrow(c.id);
        App().SelectCombineMode = 4;
        ASSERT_TRUE(Pick(c.id)) << what;
        EXPECT_EQ(main->SingleyzPreview.Effect(), c.mode) << what;
        EXPECT_EQ(App().ToolMenu, c.id) << what;
        EXPECT_TRUE(Checked(c.id)) << what;
        // Next and previous only make sense while browsing.
        EXPECT_FALSE(Offered(L"View_Zoomin")) << what;
        EXPECT_FALSE(Pick(L"View_Zoomin")) << what;
        EXPECT_TRUE(Shows(L"a.png")) << what;
        ASSERT_TRUE(Pick(c.id)) << what;
        EXPECT_EQ(main->SingleyzPreview.Effect(), 0) << what << ": a second pick returns to browse";
        EXPECT_EQ(App().ToolMenu, L"Filter_Browse") << what;
        EXPECT_TRUE(Offered(L"View_Zoomin")) << what;
    }
    EXPECT_EQ(App().SelectCombineMode, 1) << "a selection tool starts a fresh selection";
    EXPECT_TRUE(main->EditLoaded) << "the first pick took the picture's first undo step";

    // A stamp brush with no stamp only says how to make one.
    std::vector<std::wstring> told;
    ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest& r) { return told.push_back(r.text), IDOK; });
    ASSERT_TRUE(Pick(L"Filter_DodgeTool"));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(L"Rectanglular Marquee"), std::wstring::npos);
    EXPECT_EQ(main->SingleyzPreview.Effect(), 0);
}

TEST_F(MainCommandsTest, RowsFollowTheWindowState) {
    // Before any picture: nothing to save, print or turn.
    main = std::make_unique<FrmMain>(Options());
    ASSERT_TRUE(main->Create());
    for (const wchar_t* id : {L"File_Save", L"File_Print", L"Edit_Undo"})
        EXPECT_FALSE(Offered(id)) << Narrow(id) << " without a picture";
    EXPECT_TRUE(Offered(L"File_Open"));

    Start({L"a.png"});
    for (const wchar_t* id : {L"File_Save", L"File_Print", L"Edit_Clockwise", L"View_Zoomin", L"Create_Desktop"})
        EXPECT_TRUE(Offered(id)) << Narrow(id) << " over a picture";
    EXPECT_FALSE(Offered(L"Edit_Undo")) << "no edit to undo yet";
    EXPECT_FALSE(Offered(L"Edit_Redo"));
    Turn();
    // The undo step is written in the background: wait for it, up to ten seconds.
    for (int i = 0; i < 200 && !Offered(L"Edit_Undo"); ++i) TestWindow::Pump(50);
    EXPECT_TRUE(Offered(L"Edit_Undo")) << "after an edit";
    EXPECT_FALSE(Offered(L"Edit_Redo"));

    // The sort check mark moves to the picked sort.
    ASSERT_TRUE(Pick(L"View_Sortsize"));
    EXPECT_TRUE(Checked(L"View_Sortsize"));
    ASSERT_TRUE(Pick(L"View_Sortname"));
    EXPECT_TRUE(Checked(L"View_Sortname"));
    EXPECT_FALSE(Checked(L"View_Sortsize"));
}

TEST_F(MainCommandsTest, KeysAndToolBarButtonsStepAndSaveAsTheirMenuRows) {
    constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
    struct Case {
        const char* what;
        int key, shift; // a key press, or
        int32_t button; // a tool-bar click when key is 0
        bool edited;    // an unsaved quarter turn of a.png first
        int answer;     // to the save question
        const wchar_t* shows;
        bool saved; // a.png on disk turned
        int asked;
    };
    const Case cases[] = {
        {"Ctrl+Shift+S saves", 'S', kCtrl | kShift, 0, true, IDNO, L"a.png", true, 0},
        {"Ctrl+Shift+Alt+S saves too", 'S', kCtrl | kShift | kAlt, 0, true, IDNO, L"a.png", true, 0},
        {"S alone does nothing", 'S', 0, 0, true, IDNO, L"a.png", false, 0},
        {"Shift+S does nothing", 'S', kShift, 0, true, IDNO, L"a.png", false, 0},
        {"Shift+E steps on", 'E', kShift, 0, false, IDNO, L"b.png", false, 0},
        {"Shift+E asks first; Cancel stays", 'E', kShift, 0, true, IDCANCEL, L"a.png", false, 1},
        {"Shift+E asks first; No leaves the file", 'E', kShift, 0, true, IDNO, L"b.png", false, 1},
        {"Shift+R at the first picture stays", 'R', kShift, 0, false, IDNO, L"a.png", false, 0},
        {"the next button steps on", 0, 0, 7, false, IDNO, L"b.png", false, 0},
        {"the next button asks first; Yes saves", 0, 0, 7, true, IDYES, L"b.png", true, 1},
        {"the previous button at the first picture stays", 0, 0, 6, false, IDNO, L"a.png", false, 0},
        {"the wheel asks first; Cancel stays", 0, 0, -1, true, IDCANCEL, L"a.png", false, 1},
        {"the wheel asks first; No leaves the file", 0, 0, -1, true, IDNO, L"b.png", false, 1},
    };
    for (const Case& c : cases) {
        Start({L"a.png", L"b.png"});
        if (c.edited) Turn();
        int asked = 0;
        ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest&) { return ++asked, c.answer; });
        if (c.key != 0)
            main->HandleShortcutKey(c.key, c.shift);
        else if (c.button >= 0)
            EXPECT_TRUE(ClickToolbarButton(c.button)) << c.what;
        else
            ::SendMessageW(main->hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(400, 400));
        EXPECT_EQ(asked, c.asked) << c.what;
        EXPECT_TRUE(Shows(c.shows)) << c.what << ": shows " << Narrow(main->SingleyzPreview.CurFilename);
        EXPECT_EQ(ImageSizeOnDisk(folder + L"a.png").cx, c.saved ? 30 : 40) << c.what;
    }
    // Ctrl+Shift+F holds the fit button down and lets it up again.
    const bool fit = main->ImageToolbar.Rpressdown(5);
    main->HandleShortcutKey('F', kCtrl | kShift);
    EXPECT_NE(main->ImageToolbar.Rpressdown(5), fit);
    main->HandleShortcutKey('F', kCtrl | kShift);
    EXPECT_EQ(main->ImageToolbar.Rpressdown(5), fit);
}

TEST_F(MainCommandsTest, TheRecentFoldersAndThumbnailSizeMenusOpenFromTheirButtons) {
    Start({L"a.png"});
    ZpYSkinMenu& menu = main->SkinMenu;
    // The menu's own show state: the hidden main window hides it from IsWindowVisible.
    auto shown = [&] { return (::GetWindowLongW(menu.hWnd(), GWL_STYLE) & WS_VISIBLE) != 0; };
    // A click on the recent-folders strip opens them under it; one pixel left of it does nothing.
    const RectF strip = main->HistoryHitRect;
    const int y = static_cast<int>(strip.Y + strip.Height / 2);
    auto click = [&](int x) { ::SendMessageW(main->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); };
    menu.SetVisible(false);
    click(static_cast<int>(strip.X) - 1);
    EXPECT_FALSE(shown());
    click(static_cast<int>(strip.X + strip.Width / 2));
    EXPECT_TRUE(shown());
    EXPECT_EQ(menu.Initializemenu(), 12);
    EXPECT_EQ(menu.Left(), static_cast<int>(strip.X));
    EXPECT_GE(menu.Top(), static_cast<int>(strip.Y + strip.Height));

    // The size button: the sizes are offered over a folder with pictures, greyed over an empty one,
    // and the picked size gets the check mark.
    const auto sizeMenu = [&] {
        menu.SetVisible(false);
        main->UseryzSplitV.onTsMouseup(1, 0, 0, 0);
        EXPECT_TRUE(shown());
        EXPECT_EQ(menu.Initializemenu(), 7);
        return ShownRows();
    };
    auto row = [](const std::vector<MenuRow>& rows, const wchar_t* id) {
        return *std::find_if(rows.begin(), rows.end(), [&](const MenuRow& r) { return r.KeyName == id; });
    };
    std::vector<MenuRow> rows = sizeMenu();
    ASSERT_EQ(rows.size(), 5u);
    for (const MenuRow& r : rows) EXPECT_FALSE(r.Visible) << Narrow(r.KeyName) << " greyed out";
    EXPECT_TRUE(row(rows, L"Zoom_Normal").Checked);
    ASSERT_TRUE(PickShownRow(3));
    EXPECT_EQ(App().ThumSizeMenu, rows[3].KeyName);
    rows = sizeMenu();
    EXPECT_TRUE(rows[3].Checked);
    EXPECT_FALSE(row(rows, L"Zoom_Normal").Checked);
    ASSERT_TRUE(PickShownRow(1));

    main->ThumyzViewer.Path(MakeTestFolder(L"emptyfolder"));
    main->ThumyzViewer.CreateThumbnail();
    for (const MenuRow& r : sizeMenu()) EXPECT_TRUE(r.Visible) << Narrow(r.KeyName) << " offered without pictures";
    menu.SetVisible(false);
}
