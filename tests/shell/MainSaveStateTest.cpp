// Saving and the saved state through the real main window, as a user goes: Save As and then Save,
// a new picture saved as a file, undo after a save, the save question before printing, the
// properties of the file shown after File > Open, a JPEG's EXIF block across saves, and a TIFF
// turned upright by its orientation and saved as shown.
#include "browser/ModFileinfo.h"
#include "imaging/DIBsave.h"
#include "imaging/JpegExif.h"
#include "output/FrmProp.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/output/OutputWindowSupport.h"
#include "tests/shell/MainWindowFixture.h"

namespace {

constexpr int kCtrl = 2;
constexpr uint32_t kMark = 0xFFE02020u, kGround = 0xFF2060A0u;
const std::wstring kSaveQuestion = L"Do you want to save the changes you've made to this image?";

// Where a picture's marked corner lies: the mark is 10 x 10 at the top left of the picture as made.
enum class Corner { TopLeft, TopRight, BottomRight, BottomLeft };

class MainSaveStateTest : public MainWindowTest {
protected:
    // A 40 x 30 picture with its top-left corner marked, so that a file tells how far it was turned.
    static void WriteMarked(const std::wstring& path, int32_t format = kFormatPng) {
        GdipBitmap picture = BitmapOf(40, 30, [](int x, int y) { return x < 10 && y < 10 ? kMark : kGround; });
        ASSERT_TRUE(SaveImageSafely(picture.get(), path, format, 100));
    }
    // The corner of the file's picture that carries the mark; nullopt when none does.
    static std::optional<Corner> MarkedCorner(const std::wstring& path) {
        const SIZE size = ImageSizeOnDisk(path);
        const std::pair<Corner, POINT> corners[] = {{Corner::TopLeft, {3, 3}},
                                                    {Corner::TopRight, {size.cx - 4, 3}},
                                                    {Corner::BottomRight, {size.cx - 4, size.cy - 4}},
                                                    {Corner::BottomLeft, {3, size.cy - 4}}};
        for (const auto& [corner, p] : corners)
            if (ChannelDistance(PixelOnDisk(path, p.x, p.y), kMark) <= 40) return corner;
        return std::nullopt;
    }
    void Key(int key, int shift) { main->HandleShortcutKey(key, shift); }
    // A quarter turn picked in the Edit menu, as a user makes it: the first pick after a picture is
    // opened keeps the picture as the first undo step.
    void TurnByMenu() {
        ASSERT_TRUE(Pick(L"Edit_Clockwise"));
        ASSERT_TRUE(main->UnsavedEdit());
    }

    // File > Open through the real dialog, the path typed.
    void OpenThroughTheDialog(const std::wstring& path) {
        AnswerFileDialog(L"Import Image...", path, -1, [&] { ASSERT_TRUE(Run(L"File_Open")); });
    }
    // View > Properties: the lines the dialog lists, read while it is open, then closed.
    std::vector<std::wstring> PropertiesLines() {
        PropertiesReader reader;
        EXPECT_TRUE(Run(L"View_Properties"));
        return reader.lines;
    }

private:
    // Reads the open properties dialog's lines from a timer of its modal loop and closes it.
    struct PropertiesReader {
        PropertiesReader() : timer(::SetTimer(nullptr, 0, 50, &PropertiesReader::Tick)) { current = this; }
        ~PropertiesReader() {
            ::KillTimer(nullptr, timer);
            current = nullptr;
        }
        PropertiesReader(const PropertiesReader&) = delete;
        PropertiesReader& operator=(const PropertiesReader&) = delete;
        static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
            const HWND window = ::FindWindowW(L"VellumoProperties", nullptr);
            if (!current || !window || !::IsWindowVisible(window)) return;
            // The window's object, as its window procedure finds it.
            auto* dialog =
                static_cast<FrmProp*>(reinterpret_cast<TopLevelWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
            for (const auto& row : dialog->ZzVProperties().FiterListView()) current->lines.push_back(row.Text);
            current = nullptr;
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
        static inline PropertiesReader* current = nullptr;
        UINT_PTR timer = 0;
        std::vector<std::wstring> lines;
    };
};

// Records every message box in order and answers the save question with `answer`, others with OK.
struct Questions {
    explicit Questions(int answer)
        : answerer([this, answer](const MessageBoxRequest& r) {
              texts.push_back(r.text);
              return r.text == kSaveQuestion ? answer : IDOK;
          }) {}
    [[nodiscard]] int Asked() const { return static_cast<int>(std::count(texts.begin(), texts.end(), kSaveQuestion)); }
    std::vector<std::wstring> texts;
    ScopedMessageBoxAnswerer answerer;
};

} // namespace

TEST_F(MainSaveStateTest, AfterSaveAsTheSavedFileIsTheOneShownAndSaved) {
    folder = MakeTestFolder(L"mainwindow");
    WriteMarked(folder + L"a-rb.png");
    WriteMarked(folder + L"b.png");
    Open(L"a-rb.png");
    ClickThumbnail(L"a-rb.png");
    TurnByMenu();
    SaveAs(folder + L"out.png", 3);
    EXPECT_EQ(MarkedCorner(folder + L"out.png"), Corner::TopRight);
    EXPECT_FALSE(main->UnsavedEdit());
    EXPECT_TRUE(Shows(L"out.png"));
    EXPECT_EQ(LowerText(main->ThumyzViewer.SelectFile()), LowerText(folder + L"out.png")) << "the grid's selection";
    ASSERT_EQ(App().SelectedFiles.size(), 1u);
    EXPECT_EQ(LowerText(App().SelectedFiles[0]), LowerText(folder + L"out.png"));
    const std::vector<std::wstring> lines = PropertiesLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], L"Filename : out.png");

    // Save now writes the file saved as, not the picture first opened.
    TurnByMenu();
    Key('S', kCtrl);
    EXPECT_FALSE(main->UnsavedEdit());
    EXPECT_EQ(MarkedCorner(folder + L"out.png"), Corner::BottomRight) << "out.png keeps only the first edit";
    EXPECT_EQ(MarkedCorner(folder + L"a-rb.png"), Corner::TopLeft) << "the original was written over";

    // Saved elsewhere than the folder shown: the file alone is the selection, as after File > Open.
    const std::wstring away = MakeTestFolder(L"savestate-elsewhere");
    TurnByMenu();
    SaveAs(away + L"far.png", 3);
    EXPECT_EQ(LowerText(main->SingleyzPreview.CurFilename), LowerText(away + L"far.png"));
    EXPECT_EQ(App().SelectedFiles, (std::vector<std::wstring>{away + L"far.png", L""}));
}

TEST_F(MainSaveStateTest, ANewPictureSavedAsAFileIsSavedThereByTheQuestionsYes) {
    Start({L"a.png"});
    // File > New, its size question answered with OK (the shown picture's 40 x 30, white).
    std::thread answer([] {
        using namespace output_test;
        if (HWND form = WaitForWindow(L"VellumoShells")) ClickAt(OnScreen(form, 255, 172));
    });
    ASSERT_TRUE(Run(L"File_New"));
    answer.join();
    ASSERT_TRUE(main->SingleyzPreview.ShowsScratchFile()) << "no new picture";
    TurnByMenu();
    SaveAs(folder + L"new.png", 3);
    EXPECT_EQ(ImageSizeOnDisk(folder + L"new.png").cx, 30);
    TurnByMenu();

    Questions questions(IDYES);
    const HWND window = main->hWnd();
    {
        DialogWatch dialogs;
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(dialogs.Seen(), 0) << "Yes asked for a name again";
    }
    EXPECT_EQ(questions.Asked(), 1);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(ImageSizeOnDisk(folder + L"new.png").cx, 40);
    main.reset();
}

TEST_F(MainSaveStateTest, UndoAwayFromTheSavedPictureIsAskedAboutAndBackToItIsNot) {
    struct Case {
        const char* what;
        std::vector<int> keys; // with Ctrl, after the turn and Ctrl+S
        bool newSteps;         // then two turns and an undo: the saved step is replaced
        int shownWidth;
        int answer;
        int asked;
        Corner onDisk;
    };
    const Case cases[] = {
        {"undo, then No", {'Z'}, false, 40, IDNO, 1, Corner::TopRight},
        {"undo, then Yes", {'Z'}, false, 40, IDYES, 1, Corner::TopLeft},
        {"undo and redo", {'Z', 'Y'}, false, 30, IDYES, 0, Corner::TopRight},
        {"undo, two turns, undo", {'Z'}, true, 30, IDNO, 1, Corner::TopRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder = MakeTestFolder(L"mainwindow");
        WriteMarked(folder + L"a.png");
        Open(L"a.png");
        TurnByMenu();
        Key('S', kCtrl);
        ASSERT_EQ(MarkedCorner(folder + L"a.png"), Corner::TopRight);
        for (int key : c.keys) Key(key, kCtrl);
        if (c.newSteps) {
            TurnByMenu();
            TurnByMenu();
            Key('Z', kCtrl);
        }
        EXPECT_EQ(main->SingleyzPreview.ImgDIB.Width(), c.shownWidth);
        Questions questions(c.answer);
        const HWND window = main->hWnd();
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(questions.Asked(), c.asked);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(MarkedCorner(folder + L"a.png"), c.onDisk);
        main.reset();
    }
}

TEST_F(MainSaveStateTest, CtrlPAndFilePrintAskTheSameQuestionBeforeThePrintWindow) {
    struct Case {
        const char* what;
        bool key; // Ctrl+P, else File > Print picked in the menu
        int answer;
        Corner onDisk;
    };
    const Case cases[] = {{"Ctrl+P, Yes", true, IDYES, Corner::TopRight},
                          {"File > Print, Yes", false, IDYES, Corner::TopRight},
                          {"Ctrl+P, No", true, IDNO, Corner::TopLeft}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder = MakeTestFolder(L"mainwindow");
        WriteMarked(folder + L"a.png");
        Open(L"a.png");
        App().SelectedFiles = {folder + L"a.png"}; // as a click on its thumbnail leaves it
        TurnByMenu();
        Questions questions(c.answer);
        if (c.key)
            Key('P', kCtrl);
        else
            ASSERT_TRUE(Pick(L"File_Print"));
        ASSERT_FALSE(questions.texts.empty());
        EXPECT_EQ(questions.texts[0], kSaveQuestion) << "asked first";
        EXPECT_EQ(questions.Asked(), 1);
        // What the print window reads: the file as it is on disk now.
        EXPECT_EQ(MarkedCorner(folder + L"a.png"), c.onDisk);
        Close();
    }
}

TEST_F(MainSaveStateTest, PropertiesDescribeTheFileShownAfterFileOpen) {
    folder = MakeTestFolder(L"mainwindow");
    WriteMarked(folder + L"a.png");
    WriteSolidImage(folder + L"big.png", 80, 60, kGround);
    const std::wstring other = MakeTestFolder(L"savestate-opened") + L"c.jpg";
    WriteSolidImage(other, 50, 20, kGround, kFormatJpeg);
    Open(L"a.png");
    ClickThumbnail(L"a.png");
    for (const std::wstring& opened : {folder + L"big.png", other}) {
        SCOPED_TRACE(Narrow(opened));
        OpenThroughTheDialog(opened);
        ASSERT_EQ(LowerText(main->SingleyzPreview.CurFilename), LowerText(opened));
        const std::vector<std::wstring> lines = PropertiesLines();
        ASSERT_GE(lines.size(), 7u);
        EXPECT_EQ(lines[0], L"Filename : " + GetFileName(opened));
        EXPECT_EQ(lines[1], L"Image Format : " + UpperText(FileExtension(opened)));
        EXPECT_EQ(lines[2], L"Image Size : " + GetFileInfoText(opened, 0));
        EXPECT_EQ(lines[4], L"Date Modified : " + GetFileInfoText(opened, 1));
        EXPECT_EQ(lines[5], L"Image Width : " + std::to_wstring(ImageSizeOnDisk(opened).cx) + L" Pixel");
    }
}

TEST_F(MainSaveStateTest, AJpegKeepsItsExifAcrossSavesAndSaveWithNothingChangedWritesNothing) {
    using namespace exif_test;
    folder = MakeTestFolder(L"mainwindow");
    const std::wstring photo = folder + L"photo.jpg";
    WriteMarked(photo, kFormatJpeg);
    // The camera's block right after the start of the file, as a camera writes it: turned (6).
    const std::string encoded = ReadTestFile(photo);
    const std::string block = ExifSegmentOf(Tiff{}.Bytes());
    ASSERT_TRUE(WriteTestFile(photo, encoded.substr(0, 2) + block + encoded.substr(2)));
    const std::string before = ReadTestFile(photo);
    Open(L"photo.jpg");

    Key('S', kCtrl);
    EXPECT_TRUE(ReadTestFile(photo) == before) << "nothing changed, yet the file was written";

    // Shown upright (30 x 40, the mark at the top right) and turned once more, each save keeps the
    // block, set to the picture as saved: not to be turned again, 40 x 30, no thumbnail.
    TurnByMenu();
    Key('S', kCtrl);
    SaveAs(folder + L"copy.jpg", 2);
    for (const std::wstring& saved : {photo, folder + L"copy.jpg"}) {
        SCOPED_TRACE(Narrow(saved));
        const std::string bytes = ReadTestFile(saved);
        const std::string kept(ExifSegment(bytes));
        ASSERT_FALSE(kept.empty()) << "the EXIF block was dropped";
        EXPECT_EQ(bytes.find("Exif"), bytes.rfind("Exif"));
        const std::string tiff = kept.substr(10);
        EXPECT_EQ(tiff.substr(Tiff::kMake, kCamera.size()), kCamera);
        EXPECT_EQ(tiff.substr(Tiff::kDate, kTaken.size()), kTaken);
        EXPECT_EQ(ValueAt(tiff, Ifd0Entry(1), true, 2), 1u) << "orientation";
        EXPECT_EQ(ValueAt(tiff, ExifEntry(1), true, 2), 40u) << "pixel width";
        EXPECT_EQ(EmbeddedThumbnail(tiff), "") << "the thumbnail of the picture before the turn";
        EXPECT_EQ(MarkedCorner(saved), Corner::BottomRight) << "the picture as shown, upright, then turned";
    }
    // PNG has no place for it.
    SaveAs(folder + L"photo.png", 3);
    EXPECT_EQ(ReadTestFile(folder + L"photo.png").find("TestCam"), std::string::npos);
}

TEST_F(MainSaveStateTest, ATiffIsShownUprightByItsOrientationAndSavedAsShown) {
    folder = MakeTestFolder(L"mainwindow");
    // Stored 40 x 30, the mark at the top left; orientation 6 shows it 30 x 40, the mark at the top right.
    ASSERT_TRUE(WriteTestFile(
        folder + L"scan.tif",
        exif_test::RgbTiff(40, 30, {[](int x, int y) { return x < 10 && y < 10 ? kMark : kGround; }}, 6)));
    Open(L"scan.tif");
    EXPECT_EQ(main->SingleyzPreview.ImgDIB.Width(), 30);
    TurnByMenu();
    Key('S', kCtrl);
    // Turned once more and saved as shown, never to be turned again.
    EXPECT_EQ(ImageSizeOnDisk(folder + L"scan.tif").cx, 40);
    EXPECT_EQ(MarkedCorner(folder + L"scan.tif"), Corner::BottomRight);
}
