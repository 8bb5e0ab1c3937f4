// The file commands through the real main window: which files Delete leaves, what Yes on the save
// question writes, the search box narrowing the grid, the save question before a move, a picture
// too large to open or to keep a copy of after a Delete, one clicked while the grid decodes another,
// and a file that is not a picture: its message, the grid's frame and the wheel after it.
#include "output/Browsefolder.h"
#include "output/ModMisc.h"
#include "platform/MemoryBudget.h"
#include "platform/MessageBoxService.h"
#include "platform/TextCase.h"
#include "platform/Timer.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/shell/BatchDialogSupport.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/TestWindow.h"

namespace {

class MainFilesTest : public MainWindowTest {};

} // namespace

TEST_F(MainFilesTest, DeleteRecyclesExactlyTheSelectedFiles) {
    ScopedShellConfirmationsOff quiet;
    struct Case {
        const char* what;
        std::vector<std::wstring> selected;
        std::vector<std::wstring> left;
        bool canvasKeepsItsFile;
    };
    const Case cases[] = {
        {"a shown, b and c banded", {L"b.png", L"c.png"}, {L"a.png"}, true},
        {"one other file", {L"c.png"}, {L"a.png", L"b.png"}, true},
        {"the shown file among others", {L"c.png", L"a.png"}, {L"b.png"}, false},
        {"a file opened through File > Open", {L"a.png", L""}, {L"b.png", L"c.png"}, false},
        {"nothing selected", {}, {L"a.png", L"b.png", L"c.png"}, true},
    };
    for (const Case& c : cases) {
        Start({L"a.png", L"b.png", L"c.png"});
        App().SelectedFiles.clear();
        for (const std::wstring& name : c.selected) App().SelectedFiles.push_back(name.empty() ? name : folder + name);
        EXPECT_TRUE(Run(L"Edit_Delete"));
        EXPECT_EQ(FileNamesIn(folder), c.left) << c.what;
        EXPECT_EQ(CompareNoCase(main->SingleyzPreview.CurFilename, folder + L"a.png") == 0, c.canvasKeepsItsFile)
            << c.what;
        EXPECT_TRUE(main->SingleyzPreview.NoOpen()) << c.what << ": the canvas still shows the picture";
        main->Unload();
        main.reset();
    }
}

TEST_F(MainFilesTest, YesOnTheSaveQuestionSavesOverTheShownFileWithoutADialog) {
    struct Case {
        const char* what;
        bool close; // the window's close, else the View menu's Next
        int answer;
        bool folderGone; // the shown file's folder renamed away: no save in place
        int dialogs;     // Save As offered (and cancelled here)
        bool saved, left;
    };
    const Case cases[] = {
        {"next, Yes", false, IDYES, false, 0, true, true},
        {"close, Yes", true, IDYES, false, 0, true, true},
        {"close, No", true, IDNO, false, 0, false, true},
        {"close, Cancel", true, IDCANCEL, false, 0, false, false},
        {"close, Yes where the file cannot be written", true, IDYES, true, 1, false, false},
    };
    for (const Case& c : cases) {
        Start({L"a.png", L"b.png"});
        Turn();
        const std::wstring here = folder.substr(0, folder.size() - 1), away = here + L"-away";
        if (c.folderGone) {
            ASSERT_TRUE(::MoveFileW(here.c_str(), away.c_str()));
        }
        int asked = 0;
        ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest&) { return ++asked, c.answer; });
        const HWND window = main->hWnd();
        {
            DialogWatch dialogs;
            if (c.close)
                ::SendMessageW(window, WM_CLOSE, 0, 0);
            else
                EXPECT_TRUE(Run(L"View_Zoomin"));
            EXPECT_EQ(dialogs.Seen(), c.dialogs) << c.what;
        }
        EXPECT_EQ(asked, 1) << c.what;
        if (c.folderGone) {
            ASSERT_TRUE(::MoveFileW(away.c_str(), here.c_str()));
        }
        EXPECT_EQ(ImageSizeOnDisk(folder + L"a.png").cx, c.saved ? 30 : 40) << c.what;
        const bool left =
            c.close ? !::IsWindow(window) : CompareNoCase(main->SingleyzPreview.CurFilename, folder + L"b.png") == 0;
        EXPECT_EQ(left, c.left) << c.what;
        EXPECT_EQ(main->UnsavedEdit(), !c.left) << c.what;
        main->Unload();
        main.reset();
    }
}

TEST_F(MainFilesTest, APictureWrittenElsewhereLeavesTheEditUnsaved) {
    ScopedBuildSkinSheet skin;
    struct Case {
        const wchar_t* id;
        const wchar_t* written; // under the folder, or the library's stamp
    };
    for (const Case& c : {Case{L"File_Fav", nullptr}, Case{L"File_Savecopy", L"a_Copy.png"}}) {
        const std::string what = Narrow(c.id);
        Start({L"a.png"});
        Turn();
        const std::wstring written =
            c.written ? folder + c.written : App().AppFolder + L"Librarians\\turned-unsaved.lib";
        {
            StampNameAnswer name(main->MenuHost().Shells, L"turned-unsaved");
            EXPECT_TRUE(Run(c.id)) << what;
        }
        EXPECT_EQ(ImageSizeOnDisk(written).cx, 30) << what << ": the turned picture is written there";
        EXPECT_TRUE(main->UnsavedEdit()) << what;

        // The title bar's close still asks; No ends the program and the picture's file is as it was.
        int asked = 0;
        ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest&) { return ++asked, IDNO; });
        const HWND window = main->hWnd(), title = main->TitleSkin.hWnd();
        const RectF close = main->TitleSkin.ButtonRect(ButtonControl::kClose);
        const LPARAM at = MAKELPARAM(static_cast<int>(close.X + close.Width / 2), static_cast<int>(close.Y + 8));
        ::SendMessageW(title, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(title, WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (::IsWindow(title)) ::SendMessageW(title, WM_LBUTTONUP, 0, at);
        EXPECT_EQ(asked, 1) << what;
        EXPECT_FALSE(::IsWindow(window)) << what;
        EXPECT_EQ(ImageSizeOnDisk(folder + L"a.png").cx, 40) << what;
        main.reset();
    }
}

TEST_F(MainFilesTest, AnEditMadeWhileTheMoveOrRenameDialogIsOpenIsAskedAboutFirst) {
    ScopedShellConfirmationsOff quiet;
    ScopedBuildSkinSheet skin;
    struct Case {
        const wchar_t* id;
        int answer;
        bool asks, done, savedOnDisk;
    };
    // A copy leaves the shown picture and its edit where they are: nothing to ask.
    for (const Case& c :
         {Case{L"Edit_Moveto", IDCANCEL, true, false, false}, Case{L"Edit_Moveto", IDYES, true, true, true},
          Case{L"Edit_Rename", IDCANCEL, true, false, false}, Case{L"Edit_Rename", IDNO, true, true, false},
          Case{L"Edit_Copyto", IDCANCEL, false, true, false}}) {
        Start({L"a.png"});
        const std::wstring target = MakeTestFolder(L"mainwindow-target");
        ScopedFolderBrowseAnswerer folders(
            [&](const FolderBrowseRequest&) { return std::optional(target.substr(0, target.size() - 1)); });
        App().SelectedFiles = {folder + L"a.png"};
        FrmShells& dialog = main->MenuHost().Shells;
        EXPECT_TRUE(Run(c.id));
        ASSERT_TRUE(dialog.Loaded());
        if (std::wstring(c.id) == L"Edit_Rename") dialog.TextControl(L"Trip");
        Turn();
        int asked = 0;
        ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest&) { return ++asked, c.answer; });
        ClickShellsButton(dialog, FrmShells::kOK);
        TestWindow::Pump(50);

        const std::string what = Narrow(c.id) + " answered " + std::to_string(c.answer);
        const std::wstring moved = std::wstring(c.id) == L"Edit_Rename" ? folder + L"Trip.png" : target + L"a.png";
        EXPECT_EQ(asked, c.asks ? 1 : 0) << what;
        EXPECT_EQ(dialog.Loaded(), !c.done) << what << ": Cancel keeps the dialog open";
        EXPECT_EQ(FileExistsForTest(folder + L"a.png"), !c.done || !c.asks) << what;
        EXPECT_EQ(main->UnsavedEdit(), !c.asks || c.answer == IDCANCEL) << what << ": Cancel keeps the edit";
        const std::wstring written = c.done ? moved : folder + L"a.png";
        EXPECT_EQ(ImageSizeOnDisk(written).cx, c.savedOnDisk ? 30 : 40) << what;
        if (c.done && c.asks) {
            EXPECT_EQ(LowerText(main->SingleyzPreview.CurFilename), LowerText(moved)) << what;
        }
        dialog.Unload();
        main->Unload();
        main.reset();
    }
}

TEST_F(MainFilesTest, TheSearchBoxNarrowsTheGrid) {
    Start({L"cat-1.png", L"cat-2.png", L"dog.png"});
    ASSERT_EQ(main->ThumyzViewer.ListCount(), 3);
    const HWND box = main->ImageToolbar.SearchTextWindow();
    for (wchar_t ch : std::wstring(L"dog")) ::SendMessageW(box, WM_CHAR, ch, 0);
    ::SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    ::SendMessageW(box, WM_KEYUP, VK_RETURN, 0);
    ASSERT_EQ(main->ThumyzViewer.ListCount(), 1);
    EXPECT_EQ(LowerText(main->ThumyzViewer.SlideFilename(0)), LowerText(folder + L"dog.png"));
}

TEST_F(MainFilesTest, MoveAndRenameAskToSaveFirstAndCancelStops) {
    ScopedBuildSkinSheet skin;
    struct Case {
        const wchar_t* id;
        int answer;
        bool asks, opens, savedOnDisk;
    };
    // A copy leaves the shown picture where it is: nothing to ask.
    for (const Case& c :
         {Case{L"Edit_Moveto", IDCANCEL, true, false, false}, Case{L"Edit_Rename", IDCANCEL, true, false, false},
          Case{L"Edit_Moveto", IDYES, true, true, true}, Case{L"Edit_Rename", IDNO, true, true, false},
          Case{L"Edit_Copyto", IDCANCEL, false, true, false}}) {
        Start({L"a.png"});
        App().SelectedFiles = {folder + L"a.png"};
        Turn();
        int asked = 0;
        ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest&) { return ++asked, c.answer; });
        EXPECT_TRUE(Run(c.id));
        const std::string what = Narrow(c.id) + " answered " + std::to_string(c.answer);
        EXPECT_EQ(asked, c.asks ? 1 : 0) << what;
        EXPECT_EQ(main->MenuHost().Shells.Loaded(), c.opens) << what;
        EXPECT_EQ(main->UnsavedEdit(), !c.asks || c.answer == IDCANCEL) << what << ": Cancel keeps the edit";
        EXPECT_EQ(ImageSizeOnDisk(folder + L"a.png").cx, c.savedOnDisk ? 30 : 40) << what;
        main->MenuHost().Shells.Unload();
        main->Unload();
        main.reset();
    }
}

TEST_F(MainFilesTest, APictureTooLargeForTheMemoryLeftIsSaidSoAndThePictureShownStays) {
    if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit process may find the memory for it";
    Start({L"a.png"});
    ASSERT_TRUE(WriteTestFile(folder + L"huge.png", kHugePng));
    WriteRunLengthBmp(folder + L"wide.bmp", 8000, 6000, kRed); // its decoder short of memory does not say so
    ASSERT_TRUE(WriteTestFile(folder + L"big.tif", exif_test::OversizedTiff(1)));
    for (const std::wstring name : {L"huge.png", L"wide.bmp", L"big.tif"}) {
        std::vector<std::wstring> said;
        ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest& r) { return said.push_back(r.text), IDOK; });
        {
            std::optional<AddressSpaceTaken> shortage;
            if (name == L"wide.bmp") shortage.emplace();
            main->FileImport(folder + name);
        }
        EXPECT_EQ(said, std::vector<std::wstring>{L"There is not enough memory left to open " + name +
                                                  L". The picture shown stays."});
        EXPECT_TRUE(Shows(L"a.png"));
        const Imageyzviewer& canvas = main->SingleyzPreview;
        EXPECT_EQ(canvas.Point(canvas.Width() / 2, canvas.Height() / 2), RGB(0x20, 0x60, 0xA0)) << "a blank canvas";
    }
}

// The click comes first: a picture clicked while the grid decodes another, with no room for both,
// opens once that decode has ended.
TEST_F(MainFilesTest, APictureClickedWhileTheGridDecodesALargeOneOpens) {
    if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit process has more address space than can be taken";
    folder = MakeTestFolder(L"mainwindow");
    WriteDeepBlackPng(folder + L"a.png", 6000, 4000); // some 240 MB to decode, half a second
    WriteDeepBlackPng(folder + L"b.png", 6000, 4000);
    MakeWindow();
    ThumViewer& grid = main->ThumyzViewer;
    grid.DecodeThreads(1);
    grid.Path(folder);
    std::vector<std::wstring> said;
    ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest& r) { return said.push_back(r.text), IDOK; });
    std::thread([] {}).join();                    // a thread's end loads what it needs while memory is plenty
    const AddressSpaceTaken shortage(350u << 20); // one such decode at a time
    ASSERT_TRUE(shortage.kept);
    const uint64_t free = LargestFreeMemory();
    Timer click; // b clicked once a's decode holds its memory
    click.onTimer = [&] {
        if (LargestFreeMemory() + (100u << 20) > free) return;
        click.SetEnabled(false);
        ClickThumbnail(L"b.png");
    };
    click.SetInterval(1);
    click.SetEnabled(true);
    grid.CreateThumbnail();
    EXPECT_FALSE(click.Enabled()) << "a's decode was not seen";
    EXPECT_EQ(said, std::vector<std::wstring>{});
    EXPECT_TRUE(Shows(L"b.png"));
}

TEST_F(MainFilesTest, AfterAFailedOpenTheGridFramesThePictureShownAndTheWheelStepsPastTheFile) {
    folder = MakeTestFolder(L"mainwindow");
    WriteSolidImage(folder + L"a.png", 40, 30, 0xFF2060A0u);
    ASSERT_TRUE(WriteTestFile(folder + L"b.jpg", "this is not a picture"));
    WriteSolidImage(folder + L"c.png", 40, 30, 0xFF2060A0u);
    Open(L"a.png");
    std::vector<MessageBoxRequest> said;
    ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest& r) { return said.push_back(r), IDOK; });
    const auto framed = [] { return App().SelectedFiles.size() == 1 ? LowerText(App().SelectedFiles[0]) : L"?"; };
    ClickThumbnail(L"b.jpg");
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].text, L"b.jpg cannot be opened: it is not a picture, or it is damaged. The picture shown stays.");
    EXPECT_EQ(said[0].owner, main->hWnd());
    EXPECT_TRUE(Shows(L"a.png"));
    EXPECT_EQ(framed(), LowerText(folder + L"a.png")) << "the grid frames a file the canvas does not show";
    AnswerFileDialog(L"Import Image...", folder + L"b.jpg", -1, [&] { ASSERT_TRUE(Run(L"File_Open")); });
    EXPECT_EQ(framed(), LowerText(folder + L"a.png")) << "after File > Open";
    EXPECT_TRUE(Run(L"View_Zoomin")); // the wheel's next
    EXPECT_TRUE(Shows(L"c.png"));
    EXPECT_EQ(said.size(), 2u);
}

TEST_F(MainFilesTest, DeleteWithTooLittleMemoryForItsCopyKeepsThePictureShownAsTheCopy) {
    if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit process has more address space than can be taken";
    ScopedShellConfirmationsOff quiet;
    folder = MakeTestFolder(L"mainwindow");
    WriteRunLengthBmp(folder + L"wide.bmp", 8000, 6000, kRed); // its decoder short of memory does not say so
    Open(L"wide.bmp");
    App().SelectedFiles = {folder + L"wide.bmp"};
    {
        const AddressSpaceTaken shortage;
        EXPECT_TRUE(Run(L"Edit_Delete"));
    }
    EXPECT_EQ(FileNamesIn(folder), std::vector<std::wstring>{});
    const Imageyzviewer& canvas = main->SingleyzPreview;
    EXPECT_TRUE(canvas.ShowsScratchFile());
    EXPECT_EQ(canvas.Point(canvas.Width() / 2, canvas.Height() / 2), RGB(255, 0, 0)) << "the kept copy is not shown";
}
