// Which files the commands act on, through the real main window: never a file only imported,
// the files taken before a save question even when its Yes saves a new file into the folder
// shown, a request to the batch window while it works, a file already gone, and the size a new
// picture starts at.
#include "output/ModMisc.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "platform/WindowText.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/shell/BatchDialogSupport.h"
#include "tests/shell/MainWindowFixture.h"

#include <dlgs.h>

namespace {

const std::wstring kSaveQuestion = L"Do you want to save the changes you've made to this image?";

// Records every message box and answers the save question with saveAnswer, every other with OK
// (No to a yes-or-no question).
struct Messages {
    explicit Messages(int saveAnswer = IDYES)
        : answerer([this, saveAnswer](const MessageBoxRequest& r) {
              texts.push_back(r.text);
              owners.push_back(r.owner);
              if (r.text == kSaveQuestion) return saveAnswer;
              return (r.type & MB_YESNO) ? IDNO : IDOK;
          }) {}
    [[nodiscard]] bool Any(const std::wstring& part) const {
        return std::any_of(texts.begin(), texts.end(), [&](const std::wstring& t) { return t.find(part) != t.npos; });
    }
    std::vector<std::wstring> texts;
    std::vector<HWND> owners;
    ScopedMessageBoxAnswerer answerer;
};

// The batch dialog's object behind its window.
FrmShells* ShellsOf(HWND window) {
    return static_cast<FrmShells*>(reinterpret_cast<TopLevelWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
}

// Answers the size question of a new picture or a canvas resize from a timer of its modal loop:
// reads its two boxes and the face under its first line of text, then presses OK or Cancel.
class SizeQuestionAnswer {
public:
    explicit SizeQuestionAnswer(bool ok) : ok_(ok), timer_(::SetTimer(nullptr, 0, 50, &SizeQuestionAnswer::Tick)) {
        current_ = this;
    }
    ~SizeQuestionAnswer() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    SizeQuestionAnswer(const SizeQuestionAnswer&) = delete;
    SizeQuestionAnswer& operator=(const SizeQuestionAnswer&) = delete;

    bool seen = false;
    std::wstring width, height;
    std::vector<COLORREF> firstLine; // the face from (16, 45) to (330, 58), row by row

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        SizeQuestionAnswer* self = current_;
        const HWND window = ::FindWindowW(L"VellumoShells", nullptr);
        if (!self || self->seen || !window || !::IsWindowVisible(window)) return;
        FrmShells* form = ShellsOf(window);
        if (!form || form->PublicShell != FrmShells::kSize) return;
        self->seen = true;
        self->width = WindowText(form->TextWidthWindow());
        self->height = WindowText(form->TextHeightWindow());
        for (int y = 45; y < 58; ++y)
            for (int x = 16; x < 330; ++x) self->firstLine.push_back(form->Surface().Point(x, y));
        ClickShellsButton(*form, self->ok_ ? FrmShells::kOK : FrmShells::kCancel);
    }
    static inline SizeQuestionAnswer* current_ = nullptr;
    bool ok_;
    UINT_PTR timer_;
};

// The pixels of a stretch of the face that are ink: far darker than the skin.
int Ink(const std::vector<COLORREF>& face) {
    return static_cast<int>(std::count_if(
        face.begin(), face.end(), [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 110; }));
}

// The menu pick a batch test makes while the batch runs, and the watchdog that closes a batch
// window left waiting for an answer it cannot take; both from thread timers, which any of this
// thread's message loops runs.
struct RequestDuringBatch {
    static inline std::function<void()> pick;
    static inline FrmShells* shells = nullptr;
    static inline bool hung = false;
    static void CALLBACK Pick(HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        if (pick) pick();
    }
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        hung = true;
        if (shells) shells->Unload();
    }
};

// Presses button in the shell's own question once it shows, from a thread timer its loop runs.
struct ShellQuestion {
    static inline int button = IDNO, asked = 0;
    static void CALLBACK Press(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND question = ::FindWindowW(L"#32770", nullptr);
        if (!question || !::IsWindowVisible(question)) return;
        ::KillTimer(nullptr, timer);
        ++asked;
        ::PostMessageW(question, WM_COMMAND, static_cast<WPARAM>(button), 0);
    }
};

class MainCommandFilesTest : public MainWindowTest {
protected:
    ScopedBuildSkinSheet skin;

    // File > New answered with OK (a white picture of the shown one's size), then an edit of it.
    void NewPictureWithAnEdit() {
        {
            SizeQuestionAnswer ok(true);
            ASSERT_TRUE(Run(L"File_New"));
            ASSERT_TRUE(ok.seen);
        }
        ASSERT_TRUE(main->SingleyzPreview.ShowsScratchFile()) << "no new picture";
        Turn();
    }
    [[nodiscard]] std::vector<std::wstring> GridNames() const {
        std::vector<std::wstring> names;
        for (const ThumRow& row : main->ThumyzViewer.ThumListview().Rows) names.push_back(LowerText(row.String));
        return names;
    }
    // The rows the grid shows selected.
    [[nodiscard]] std::vector<std::wstring> Framed() const {
        std::vector<std::wstring> names;
        for (const ThumRow& row : main->ThumyzViewer.ThumListview().Rows)
            if (row.Selected) names.push_back(LowerText(row.String));
        return names;
    }
    [[nodiscard]] std::vector<std::wstring> Selected() const {
        std::vector<std::wstring> names;
        for (const std::wstring& path : App().SelectedFiles)
            if (!path.empty()) names.push_back(LowerText(GetFileName(path)));
        return names;
    }
};

} // namespace

// Import to screen and Import to library name a file of another folder; Delete then recycles the
// thumbnail clicked, never the imported file. File > Open makes the opened file the one the
// commands act on: the user chose it and the canvas shows it.
TEST_F(MainCommandFilesTest, DeleteAfterAnImportRecyclesTheClickedThumbnailNotTheImportedFile) {
    ScopedShellConfirmationsOff quiet;
    struct Case {
        const wchar_t* id;
        bool importedGoes;
    };
    for (const Case& c : {Case{L"File_Import", false}, Case{L"File_ImportLib", false}, Case{L"File_Open", true}}) {
        const std::string what = Narrow(c.id);
        Start({L"x.png", L"y.png"});
        const std::wstring logo = MakeTestFolder(L"commands-import") + L"logo.png";
        WriteSolidImage(logo, 30, 20, 0xFFE02020u);
        ClickThumbnail(L"x.png");
        {
            StampNameAnswer name(main->MenuHost().Shells, L"commands-logo");
            AnswerFileDialog(L"Import Image...", logo, -1, [&] { EXPECT_TRUE(Run(c.id)) << what; });
        }
        Messages messages;
        main->HandleShortcutKey(VK_DELETE, 0);
        EXPECT_EQ(FileExistsForTest(logo), !c.importedGoes) << what;
        EXPECT_EQ(FileExistsForTest(folder + L"x.png"), c.importedGoes) << what << ": the clicked thumbnail";
        EXPECT_TRUE(FileExistsForTest(folder + L"y.png")) << what;
        Close();
    }
}

// A new picture with an edit; both thumbnails selected; the command's save question answered Yes,
// which saves the new picture as c.png in the folder shown. The command still acts on a.png and
// b.png, and the canvas keeps showing c.png.
TEST_F(MainCommandFilesTest, ASaveMadeByACommandsQuestionLeavesTheFilesTheCommandActsOn) {
    ScopedShellConfirmationsOff quiet;
    for (const wchar_t* id : {L"Edit_Moveto", L"Edit_Rename", L"File_Print"}) {
        const std::string what = Narrow(id);
        Start({L"a.png", L"b.png"});
        BandOverTheGrid();
        ASSERT_EQ(Selected(), (std::vector<std::wstring>{L"a.png", L"b.png"})) << what;
        NewPictureWithAnEdit();
        const std::wstring target = MakeTestFolder(L"commands-target");
        ScopedFolderBrowseAnswerer folders(
            [&](const FolderBrowseRequest&) { return std::optional(target.substr(0, target.size() - 1)); });
        Messages messages(IDYES);
        AnswerFileDialog(L"Save Image as...", folder + L"c.png", 3, [&] { EXPECT_TRUE(Run(id)) << what; });
        ASSERT_TRUE(FileExistsForTest(folder + L"c.png")) << what << ": Yes saved the new picture";
        EXPECT_TRUE(Shows(L"c.png")) << what;
        EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"a.png", L"b.png"})) << what;
        EXPECT_EQ(GridNames(), (std::vector<std::wstring>{L"a.png", L"b.png", L"c.png"})) << what;
        EXPECT_EQ(Framed(), (std::vector<std::wstring>{L"a.png", L"b.png"})) << what << ": the rows shown selected";

        FrmShells& dialog = main->MenuHost().Shells;
        if (std::wstring(id) == L"Edit_Moveto") {
            ASSERT_TRUE(dialog.Loaded()) << what;
            ClickShellsButton(dialog, FrmShells::kOK);
            EXPECT_EQ(FileNamesIn(target), (std::vector<std::wstring>{L"a.png", L"b.png"})) << what;
            EXPECT_EQ(FileNamesIn(folder), (std::vector<std::wstring>{L"c.png"})) << what;
            EXPECT_TRUE(Shows(L"c.png")) << what << ": the canvas went over to a moved file";
        } else if (std::wstring(id) == L"Edit_Rename") {
            ASSERT_TRUE(dialog.Loaded()) << what;
            EXPECT_EQ(dialog.TextControl(), L"a") << what << ": the name offered";
            dialog.TextControl(L"Trip");
            ClickShellsButton(dialog, FrmShells::kOK);
            EXPECT_EQ(FileNamesIn(folder), (std::vector<std::wstring>{L"Trip1.png", L"Trip2.png", L"c.png"})) << what;
            EXPECT_TRUE(Shows(L"c.png")) << what << ": the canvas went over to a renamed file";
        }
        TestWindow::Pump(50);
        dialog.Unload();
        Close();
    }
}

// The same with a click on a thumbnail: Yes saves the new picture as c.png beside it, which lists
// c.png where the clicked d.png stood; the picture opened is d.png, and it is the one selected.
TEST_F(MainCommandFilesTest, AGridClickWhoseQuestionSavesIntoTheFolderOpensTheClickedFile) {
    Start({L"a.png", L"b.png", L"d.png"});
    NewPictureWithAnEdit();
    Messages messages(IDYES);
    AnswerFileDialog(L"Save Image as...", folder + L"c.png", 3, [&] { ClickThumbnail(L"d.png"); });
    ASSERT_TRUE(FileExistsForTest(folder + L"c.png"));
    EXPECT_TRUE(Shows(L"d.png"));
    EXPECT_FALSE(main->UnsavedEdit());
    EXPECT_EQ(GridNames(), (std::vector<std::wstring>{L"a.png", L"b.png", L"c.png", L"d.png"}));
    EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"d.png"}));
    EXPECT_EQ(LowerText(main->ThumyzViewer.SelectFile()), LowerText(folder + L"d.png"));
}

// While the batch window copies, a request for it (the stamp name, a rename, a move, an import to
// the library) picked from the menu is refused with a message; the copy finishes, the window
// closes and the main window takes input again.
TEST_F(MainCommandFilesTest, ARequestForTheBatchWindowWhileItCopiesIsRefusedAndTheCopyFinishes) {
    ScopedShellConfirmationsOff quiet;
    for (const wchar_t* request : {L"File_Fav", L"Edit_Rename", L"Edit_Moveto", L"File_ImportLib"}) {
        const std::string what = Narrow(request);
        folder = MakeTestFolder(L"commands-batch");
        std::vector<std::wstring> names;
        for (int i = 0; i < 12; ++i) {
            names.push_back(L"p" + std::to_wstring(10 + i) + L".png");
            WriteSolidImage(folder + names.back(), 40, 30, 0xFF2060A0u);
        }
        Open(names[0]);
        BandOverTheGrid();
        ASSERT_EQ(App().SelectedFiles.size(), names.size()) << what;
        const std::wstring target = MakeTestFolder(L"commands-copies");
        ScopedFolderBrowseAnswerer folders(
            [&](const FolderBrowseRequest&) { return std::optional(target.substr(0, target.size() - 1)); });
        FrmShells& dialog = main->MenuHost().Shells;
        ASSERT_TRUE(Run(L"Edit_Copyto")) << what;
        ASSERT_TRUE(dialog.Loaded()) << what;

        Messages messages;
        DialogWatch dialogs;
        // The request comes from the menu while the copy lets messages run between two files; a
        // window left waiting for an answer is closed after five seconds.
        RequestDuringBatch::pick = [this, request] { EXPECT_TRUE(Pick(request)); };
        RequestDuringBatch::shells = &dialog;
        RequestDuringBatch::hung = false;
        const UINT_PTR pick = ::SetTimer(nullptr, 0, 1, &RequestDuringBatch::Pick);
        const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 5000, &RequestDuringBatch::Watchdog);
        ::Sleep(30);
        ClickShellsButton(dialog, FrmShells::kOK);
        for (int i = 0; i < 100 && dialog.Loaded(); ++i) TestWindow::Pump(50);
        ::KillTimer(nullptr, pick);
        ::KillTimer(nullptr, watchdog);

        RequestDuringBatch::pick = nullptr;
        EXPECT_FALSE(RequestDuringBatch::hung) << what << ": the batch window waited for an answer it could not take";
        EXPECT_TRUE(messages.Any(L"still being copied")) << what << ": the request was not refused";
        EXPECT_EQ(dialogs.Seen(), 0) << what << ": a dialog opened while the copy ran";
        EXPECT_FALSE(dialog.Loaded()) << what;
        EXPECT_EQ(FileNamesIn(target), names) << what << ": the copy did not finish";
        EXPECT_EQ(FileNamesIn(folder), names) << what;
        EXPECT_TRUE(::IsWindowEnabled(main->hWnd())) << what;
        Close();
    }
}

// A folder of pictures each some 240 MB once decoded: every one gets its cell, a band over the grid
// takes them all and Copy to... copies all of them.
TEST_F(MainCommandFilesTest, ABandOverAFolderOfLargePicturesCopiesEveryOne) {
    ScopedShellConfirmationsOff quiet;
    folder = MakeTestFolder(L"commands-large");
    std::vector<std::wstring> names;
    for (int i = 10; i < 26; ++i) {
        names.push_back(L"big" + std::to_wstring(i) + L".png");
        if (i == 10)
            WriteDeepBlackPng(folder + names.back(), 6000, 4000);
        else
            ASSERT_TRUE(::CopyFileW((folder + names[0]).c_str(), (folder + names.back()).c_str(), TRUE));
    }
    MakeWindow();
    main->ThumyzViewer.ThumWidth(60);
    main->ThumyzViewer.ThumHeight(60);
    main->ThumyzViewer.Path(folder);
    main->ThumyzViewer.CreateThumbnail();
    BandOverTheGrid();
    ASSERT_EQ(Selected(), names);
    const std::wstring target = MakeTestFolder(L"commands-large-copies");
    ScopedFolderBrowseAnswerer folders(
        [&](const FolderBrowseRequest&) { return std::optional(target.substr(0, target.size() - 1)); });
    FrmShells& dialog = main->MenuHost().Shells;
    ASSERT_TRUE(Run(L"Edit_Copyto"));
    ClickShellsButton(dialog, FrmShells::kOK);
    for (int i = 0; i < 200 && dialog.Loaded(); ++i) TestWindow::Pump(50);
    EXPECT_EQ(FileNamesIn(target), names);
}

// Delete on thumbnails whose files were removed meanwhile: the user is told which no longer exist,
// their cells leave the grid, and the files still there are recycled.
TEST_F(MainCommandFilesTest, DeleteOfAFileAlreadyGoneSaysSoAndDropsItsCell) {
    ScopedShellConfirmationsOff quiet;
    struct Case {
        const char* what;
        std::vector<std::wstring> selected, gone, left;
    };
    const Case cases[] = {
        {"the shown file gone", {L"a.png"}, {L"a.png"}, {L"b.png", L"c.png"}},
        {"another file gone", {L"b.png"}, {L"b.png"}, {L"a.png", L"c.png"}},
        {"one of two gone", {L"b.png", L"c.png"}, {L"c.png"}, {L"a.png"}},
        {"both gone", {L"b.png", L"c.png"}, {L"b.png", L"c.png"}, {L"a.png"}},
    };
    for (const Case& c : cases) {
        Start({L"a.png", L"b.png", L"c.png"});
        App().SelectedFiles.clear();
        for (const std::wstring& name : c.selected) App().SelectedFiles.push_back(folder + name);
        for (const std::wstring& name : c.gone) {
            const std::wstring path = folder + name;
            ASSERT_TRUE(IsInsideScratchRoot(path));
            ASSERT_TRUE(::DeleteFileW(path.c_str()));
        }
        Messages messages;
        EXPECT_TRUE(Run(L"Edit_Delete"));
        EXPECT_EQ(FileNamesIn(folder), c.left) << c.what;
        std::vector<std::wstring> listed = c.left;
        for (std::wstring& name : listed) name = LowerText(name);
        EXPECT_EQ(GridNames(), listed) << c.what;
        ASSERT_EQ(messages.texts.size(), 1u) << c.what << ": nothing was said";
        EXPECT_NE(messages.texts[0].find(L"no longer exist"), std::wstring::npos) << Narrow(messages.texts[0]);
        EXPECT_EQ(messages.owners[0], main->hWnd()) << c.what << ": the message is not the main window's";
        for (const std::wstring& name : c.selected) {
            const bool gone = std::find(c.gone.begin(), c.gone.end(), name) != c.gone.end();
            EXPECT_EQ(messages.texts[0].find(name) != std::wstring::npos, gone) << c.what << ": " << Narrow(name);
        }
        Close();
    }
}

// Delete over three thumbnails, one of whose files another program holds open: the other two go,
// and one message over the main window names the file kept.
TEST_F(MainCommandFilesTest, DeleteNamesTheFileItCouldNotDelete) {
    ScopedShellConfirmationsOff quiet;
    Start({L"a.png", L"b.png", L"c.png"});
    BandOverTheGrid();
    const std::wstring held = folder + L"b.png";
    const HANDLE file = ::CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    Messages messages;
    EXPECT_TRUE(Run(L"Edit_Delete"));
    ::CloseHandle(file);
    EXPECT_EQ(FileNamesIn(folder), std::vector<std::wstring>{L"b.png"});
    ASSERT_EQ(messages.texts.size(), 1u) << "the file kept was not named";
    EXPECT_NE(messages.texts[0].find(held), std::wstring::npos) << Narrow(messages.texts[0]);
    EXPECT_EQ(messages.owners[0], main->hWnd());
}

// A thumbnail clicked, Delete, and the shell's question answered No: the file and its selection
// stay, so the next Delete asks again, and Yes then recycles it.
TEST_F(MainCommandFilesTest, DeleteAnsweredNoKeepsTheSelectionForTheNextDelete) {
    Start({L"a.png", L"b.png"});
    ClickThumbnail(L"b.png");
    ShellQuestion::asked = 0;
    for (const int answer : {IDNO, IDYES}) {
        ShellQuestion::button = answer;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &ShellQuestion::Press);
        EXPECT_TRUE(Run(L"Edit_Delete"));
        ::KillTimer(nullptr, timer);
        if (answer == IDNO) {
            EXPECT_EQ(Framed(), std::vector<std::wstring>{L"b.png"});
        }
    }
    EXPECT_EQ(ShellQuestion::asked, 2);
    EXPECT_EQ(FileNamesIn(folder), std::vector<std::wstring>{L"a.png"});
}

// File > Open of a picture the grid lists frames it there in place of the one clicked before, so
// the grid's commands and the menu's act on one selection.
TEST_F(MainCommandFilesTest, OpeningAListedPictureSelectsItInTheGrid) {
    Start({L"a.png", L"b.png"});
    ClickThumbnail(L"a.png");
    AnswerFileDialog(L"Import Image...", folder + L"b.png", -1, [&] { EXPECT_TRUE(Run(L"File_Open")); });
    EXPECT_TRUE(Shows(L"b.png"));
    EXPECT_EQ(Framed(), std::vector<std::wstring>{L"b.png"});
    EXPECT_EQ(Selected(), std::vector<std::wstring>{L"b.png"});
}

// File > New offers the size of the picture shown, written as Edit > Resize Canvas writes it; with
// no picture it offers 800 x 600 and shows no original size.
TEST_F(MainCommandFilesTest, ANewPictureStartsAtTheSizeOfThePictureShown) {
    folder = MakeTestFolder(L"commands-size");
    WriteSolidImage(folder + L"wide.png", 1024, 768, 0xFF2060A0u);
    Open(L"wide.png");
    std::vector<COLORREF> fromNew, fromResize;
    {
        SizeQuestionAnswer question(false);
        ASSERT_TRUE(Run(L"File_New"));
        ASSERT_TRUE(question.seen);
        EXPECT_EQ(question.width, L"1024");
        EXPECT_EQ(question.height, L"768");
        fromNew = question.firstLine;
    }
    {
        SizeQuestionAnswer question(false);
        ASSERT_TRUE(Run(L"Edit_Resizec"));
        ASSERT_TRUE(question.seen);
        fromResize = question.firstLine;
    }
    EXPECT_GT(Ink(fromResize), 50) << "the resize's line of the original size";
    EXPECT_TRUE(fromNew == fromResize) << "File > New's first line differs from the resize's";

    // No picture in the canvas.
    MakeWindow();
    ASSERT_FALSE(main->SingleyzPreview.NoOpen());
    SizeQuestionAnswer empty(false);
    ASSERT_TRUE(Run(L"File_New"));
    ASSERT_TRUE(empty.seen);
    EXPECT_EQ(empty.width, L"800");
    EXPECT_EQ(empty.height, L"600");
    EXPECT_EQ(Ink(empty.firstLine), 0) << "a line of original size for no picture";
}
