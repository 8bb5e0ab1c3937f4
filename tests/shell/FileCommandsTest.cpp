// The file commands over a recording main window: what each mode hands to the encoder, which
// names it saves under, when it asks, and which files it copies; and one save through the real
// save dialog whose type is changed as a person would.
#include "imaging/ClipboardStamp.h"
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "shell/FileCommands.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/CallLog.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <deque>
#include <thread>

namespace {

class FakeFileHost : public FileCommandHost {
public:
    CallLog log;
    std::deque<FileDialogChoice> choices; // the dialogs' answers, in order; none left: cancelled
    std::vector<FileDialogArgs> dialogs;
    bool unsaved = false;
    int saveAnswer = IDNO;
    bool saveWorks = true;
    std::optional<std::wstring> stampName;
    std::wstring shown;
    std::function<FileDialogChoice(FileDialogArgs)> realDialog;

    HWND Owner() const override { return nullptr; }
    bool UnsavedEdit() const override { return unsaved; }
    int AskSaveChanges() override {
        log.Add(L"AskSaveChanges");
        return saveAnswer;
    }
    FileDialogChoice RunFileDialog(FileDialogArgs args) override {
        dialogs.push_back(args);
        if (realDialog) return realDialog(args);
        if (choices.empty()) return {};
        FileDialogChoice c = choices.front();
        choices.pop_front();
        return c;
    }
    void FileImport(const std::wstring& path) override { log.Add(L"FileImport(" + Arg(path) + L")"); }
    void UseStamp(bool copy, bool option) override { log.Add(L"UseStamp(" + Arg(copy) + L", " + Arg(option) + L")"); }
    std::optional<std::wstring> AskStampName() override {
        log.Add(L"AskStampName");
        return stampName;
    }
    void AddLibraryStamp(const std::wstring& folder, const std::wstring& file) override {
        log.Add(L"AddLibraryStamp(" + Arg(folder) + L", " + Arg(file) + L")");
    }
    std::wstring CurFilename() const override { return shown; }
    bool SaveImage(const std::wstring& path, int32_t encoder, int32_t quality) override {
        log.Add(L"SaveImage(" + Arg(path) + L", " + Arg(encoder) + L", " + Arg(quality) + L")");
        if (!saveWorks) return false;
        GdipBitmap picture = SolidBitmap(8, 6, 0xFF2040C0u);
        return picture && SaveImageSafely(picture.get(), path, encoder, quality);
    }
    void PumpMessages() override {}
    void RefreshThumSave() override { log.Add(L"RefreshThumSave"); }
    void RefreshThumbnail() override { log.Add(L"RefreshThumbnail"); }
};

class FileCommandsTest : public ::testing::Test {
protected:
    FakeFileHost host;
    FileCommands files{host};
    std::wstring folder;
    std::vector<MessageBoxRequest> boxes;
    int boxAnswer = IDYES;
    ScopedMessageBoxAnswerer answerer{[this](const MessageBoxRequest& r) {
        boxes.push_back(r);
        return boxAnswer;
    }};
    void SetUp() override {
        ResetAppState(TestProgramFolder());
        folder = MakeTestFolder(L"FileCommands");
    }
    std::wstring Saved(const std::wstring& path, int encoder, int quality) const {
        return L"SaveImage(" + Arg(path) + L", " + Arg(encoder) + L", " + Arg(quality) + L")";
    }
};

TEST(FileCommandNames, EnsureExtension) {
    const struct {
        const wchar_t *path, *ext, *result;
    } cases[] = {
        {L"C:\\p\\x", L"*.png", L"C:\\p\\x.png"},
        {L"C:\\p\\x.png", L"*.png", L"C:\\p\\x.png"},
        {L"C:\\p\\x.jpg", L"*.png", L"C:\\p\\x.jpg.png"},
        {L"C:\\p\\x.PNG", L"*.png", L"C:\\p\\x.PNG.png"}, // the tail compares exactly
        {L"C:\\p\\x", L"", L"C:\\p\\x"},
    };
    for (const auto& c : cases) EXPECT_EQ(EnsureExtension(c.path, c.ext), c.result) << Narrow(c.path);
}

TEST(FileCommandNames, CopyNames) {
    EXPECT_EQ(SaveCopyPath(L"C:\\a\\b.c.tif"), L"C:\\a\\b.c_Copy.tif");
    EXPECT_EQ(SaveCopyPath(L"C:\\a.d\\Photo.JPG"), L"C:\\a.d\\Photo_Copy.jpg");
    EXPECT_EQ(SaveCopyPath(L"C:\\a.d\\noext"), L"");
    EXPECT_EQ(SaveCopyPath(L""), L"");
}

TEST(FileCommandNames, EncoderAndQualityPerType) {
    EXPECT_EQ(SaveAsType(L"*.bmp", 7), (SaveType{kFormatBmp, 0}));
    EXPECT_EQ(SaveAsType(L"*.gif", 7), (SaveType{kFormatGif, 0}));
    EXPECT_EQ(SaveAsType(L"*.jpg", 7), (SaveType{kFormatJpeg, 70}));
    EXPECT_EQ(SaveAsType(L"*.jpg", 0), (SaveType{kFormatJpeg, 0}));
    EXPECT_EQ(SaveAsType(L"*.png", 7), (SaveType{kFormatPng, 0}));
    EXPECT_EQ(SaveAsType(L"*.tif", 7), (SaveType{kFormatTiff, 0}));
    for (const wchar_t* none : {L"*.psd", L"*.pcx", L"*.tag", L"", L"*.", L"png"})
        EXPECT_FALSE(SaveAsType(none, 7)) << Narrow(none);
    EXPECT_EQ(SaveCopyType(L"jpg"), (SaveType{kFormatJpeg, 90}));
    EXPECT_EQ(SaveCopyType(L"jpeg"), (SaveType{kFormatJpeg, 90}));
    EXPECT_EQ(SaveCopyType(L"tif"), (SaveType{kFormatTiff, 0}));
    EXPECT_FALSE(SaveCopyType(L"tiff"));
}

TEST_F(FileCommandsTest, SaveAsHandsTheTypeAndQualityToTheEncoder) {
    App().JpegQuality = 7;
    const struct {
        const wchar_t *chosen, *ext, *saved;
        int encoder, quality;
    } cases[] = {
        {L"x.jpg", L"*.jpg", L"x.jpg", kFormatJpeg, 70}, {L"x", L"*.png", L"x.png", kFormatPng, 0},
        {L"y.png", L"*.png", L"y.png", kFormatPng, 0},   {L"z.jpg", L"*.png", L"z.jpg.png", kFormatPng, 0},
        {L"t.tif", L"*.tif", L"t.tif", kFormatTiff, 0},  {L"g.gif", L"*.gif", L"g.gif", kFormatGif, 0},
    };
    for (const auto& c : cases) {
        host.log.calls.clear();
        host.choices.push_back({folder + c.chosen, c.ext});
        EXPECT_TRUE(files.SaveAs()) << Narrow(c.chosen);
        EXPECT_EQ(host.log.calls,
                  (std::vector<std::wstring>{Saved(folder + c.saved, c.encoder, c.quality), L"RefreshThumSave"}));
        EXPECT_TRUE(FileExistsForTest(folder + c.saved));
        EXPECT_EQ(files.FileExt, c.ext);
    }
    EXPECT_EQ(files.LastFilename, L"") << "only a bitmap save is remembered";
    ASSERT_EQ(host.dialogs.size(), 6u);
    EXPECT_FALSE(host.dialogs[0].OpenMode);
    EXPECT_EQ(host.dialogs[0].Title, L"Save Image as...");
    EXPECT_EQ(host.dialogs[0].Filter, kSaveImageFilter);
    EXPECT_EQ(host.dialogs[0].FilterIndex, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, BitmapSaveIsWhereTheNextSaveAsStarts) {
    files.LastFilename = L"start.png";
    host.choices.push_back({folder + L"b.bmp", L"*.bmp"});
    host.choices.push_back({});
    ASSERT_TRUE(files.SaveAs());
    EXPECT_EQ(host.dialogs[0].FileName, L"start.png");
    EXPECT_EQ(files.LastFilename, folder + L"b.bmp");
    EXPECT_FALSE(files.SaveAs()) << "cancelled";
    EXPECT_EQ(host.dialogs[1].FileName, folder + L"b.bmp");
    EXPECT_EQ(host.log.Count(L"RefreshThumSave"), 2u) << "a cancel repaints the grid too";
    EXPECT_EQ(host.log.Count(Saved(folder + L"b.bmp", kFormatBmp, 0)), 1u);
}

TEST_F(FileCommandsTest, AGrownNameThatExistsIsAskedAboutAgain) {
    ASSERT_TRUE(WriteTestFile(folder + L"z.jpg.png", "keep"));
    host.choices.push_back({folder + L"z.jpg", L"*.png"});
    boxAnswer = IDNO;
    EXPECT_FALSE(files.SaveAs());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"z.jpg.png already exists"), std::wstring::npos);
    EXPECT_EQ(ReadTestFile(folder + L"z.jpg.png"), "keep");
    EXPECT_FALSE(host.log.Has(Saved(folder + L"z.jpg.png", kFormatPng, 0)));

    host.choices.push_back({folder + L"z.jpg", L"*.png"});
    boxAnswer = IDYES;
    EXPECT_TRUE(files.SaveAs());
    EXPECT_NE(ReadTestFile(folder + L"z.jpg.png"), "keep");
}

TEST_F(FileCommandsTest, AFailedSaveSaysSoAndReportsIt) {
    host.saveWorks = false;
    host.choices.push_back({folder + L"f.png", L"*.png"});
    EXPECT_FALSE(files.SaveAs());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"could not be saved"), std::wstring::npos);
    EXPECT_FALSE(FileExistsForTest(folder + L"f.png"));

    host.shown = folder + L"shown.png";
    boxes.clear();
    EXPECT_EQ(files.FileDialog(2), L"");
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(FileCommandsTest, SaveCopyBesideTheShownFile) {
    const struct {
        const wchar_t *shown, *copy;
        int encoder, quality;
    } cases[] = {
        {L"b.c.tif", L"b.c_Copy.tif", kFormatTiff, 0},
        {L"p.jpeg", L"p_Copy.jpeg", kFormatJpeg, 90},
        {L"q.JPG", L"q_Copy.jpg", kFormatJpeg, 90},
        {L"r.png", L"r_Copy.png", kFormatPng, 0},
    };
    App().JpegQuality = 3; // the dialog's quality is not the copy's
    for (const auto& c : cases) {
        host.log.calls.clear();
        host.shown = folder + c.shown;
        EXPECT_EQ(files.FileDialog(2), L"");
        EXPECT_EQ(host.log.calls,
                  (std::vector<std::wstring>{Saved(folder + c.copy, c.encoder, c.quality), L"RefreshThumbnail"}));
    }
    for (const wchar_t* none : {L"s.tiff", L"noext", L""}) {
        host.log.calls.clear();
        host.shown = *none ? folder + none : L"";
        EXPECT_EQ(files.FileDialog(2), L"");
        EXPECT_EQ(host.log.calls, (std::vector<std::wstring>{L"RefreshThumbnail"})) << Narrow(none);
    }
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, OpenStopsWhenTheSaveQuestionIsCancelled) {
    host.unsaved = true;
    host.saveAnswer = IDCANCEL;
    host.choices.push_back({folder + L"a.png", L""});
    EXPECT_EQ(files.FileDialog(0), L"");
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_FALSE(host.log.Has(L"FileImport(" + Arg(folder + L"a.png") + L")"));

    host.saveAnswer = IDNO;
    EXPECT_EQ(files.FileDialog(0), folder + L"a.png");
    EXPECT_TRUE(host.log.Has(L"FileImport(" + Arg(folder + L"a.png") + L")"));
}

TEST_F(FileCommandsTest, OpenShowsTheFileAndSelectsItAlone) {
    App().SelectedFiles = {L"x", L"y", L"z"};
    host.choices.push_back({folder + L"a.png", L""});
    EXPECT_EQ(files.FileDialog(0), folder + L"a.png");
    EXPECT_FALSE(host.log.Has(L"AskSaveChanges")) << "nothing unsaved: nothing to ask";
    EXPECT_EQ(App().SelectedFiles, (std::vector<std::wstring>{folder + L"a.png", L""}));
    EXPECT_EQ(files.LastOpenFilename, folder + L"a.png");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_TRUE(host.dialogs[0].OpenMode);
    EXPECT_EQ(host.dialogs[0].Title, L"Import Image...");
    EXPECT_EQ(host.dialogs[0].Filter, kOpenImageFilter);
    // Cancelled: nothing changes, and the next dialog starts from the last opened file.
    EXPECT_EQ(files.FileDialog(0), L"");
    EXPECT_EQ(host.dialogs[1].FileName, folder + L"a.png");
    EXPECT_EQ(host.log.Count(L"FileImport(" + Arg(folder + L"a.png") + L")"), 1u);
    EXPECT_EQ(files.FileDialog(7), L"") << "no such mode";
    EXPECT_EQ(host.dialogs.size(), 2u);
}

TEST_F(FileCommandsTest, ImportCopiesTheFileToTheWorkingStamp) {
    ASSERT_TRUE(WriteTestFile(folder + L"leaf.png", "leaf bytes"));
    host.choices.push_back({folder + L"leaf.png", L""});
    EXPECT_EQ(files.FileDialog(3), folder + L"leaf.png");
    EXPECT_EQ(ReadTestFile(StampTempPath()), "leaf bytes");
    EXPECT_TRUE(host.log.Has(L"UseStamp(false, true)"));
    EXPECT_FALSE(host.log.Has(L"AskSaveChanges"));
}

TEST_F(FileCommandsTest, ImportToTheLibraryUnderTheTypedName) {
    ASSERT_TRUE(WriteTestFile(folder + L"leaf.png", "leaf bytes"));
    const std::wstring library = App().ProgramFolder + L"Librarians\\";
    ::DeleteFileW(StampLibPath(L"Leaf").c_str());
    host.choices.push_back({folder + L"leaf.png", L""});
    EXPECT_EQ(files.FileDialog(4), folder + L"leaf.png");
    EXPECT_FALSE(FileExistsForTest(StampLibPath(L"Leaf"))) << "cancelled in the name dialog";
    EXPECT_FALSE(host.log.Has(L"AddLibraryStamp(" + Arg(library) + L", " + Arg(std::wstring(L"Leaf.lib")) + L")"));

    host.stampName = L"Leaf";
    host.choices.push_back({folder + L"leaf.png", L""});
    EXPECT_EQ(files.FileDialog(4), folder + L"leaf.png");
    EXPECT_EQ(ReadTestFile(StampLibPath(L"Leaf")), "leaf bytes");
    EXPECT_TRUE(host.log.Has(L"AddLibraryStamp(" + Arg(library) + L", " + Arg(std::wstring(L"Leaf.lib")) + L")"));
    EXPECT_FALSE(host.log.Has(L"UseStamp(false, true)"));
    ::DeleteFileW(StampLibPath(L"Leaf").c_str());
}

// ---- Through the real save dialog

HWND WaitForDialog(const wchar_t* title) {
    for (int i = 0; i < 200; ++i, ::Sleep(50))
        if (HWND d = ::FindWindowW(L"#32770", title); d && ::IsWindowVisible(d) && ::GetDlgItem(d, lst2)) {
            ::Sleep(400);
            return d;
        }
    return nullptr;
}

TEST_F(FileCommandsTest, TypeChangeInTheRealDialogSavesTheNewType) {
    App().JpegQuality = 7;
    files.LastFilename = folder + L"photo.bmp";
    host.realDialog = [](FileDialogArgs args) {
        fDialogEx panel;
        args.Panel = &panel;
        return ShowFileDialog(args);
    };
    std::thread actor([] {
        HWND d = WaitForDialog(L"Save Image as...");
        if (!d) return;
        const HWND types = ::GetDlgItem(d, cmb1);
        ::SendMessageW(types, CB_SETCURSEL, 2, 0); // "JPG (JPEG)"
        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
            ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
        ::Sleep(200);
        ::PostMessageW(d, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(::GetDlgItem(d, IDOK)));
    });
    const bool written = files.SaveAs();
    actor.join();
    TestWindow::Pump(50);
    EXPECT_TRUE(written);
    EXPECT_EQ(files.FileExt, L"*.jpg");
    EXPECT_TRUE(host.log.Has(Saved(folder + L"photo.jpg", kFormatJpeg, 70)));
    const std::string bytes = ReadTestFile(folder + L"photo.jpg");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8") << "a JPEG file";
    EXPECT_FALSE(FileExistsForTest(folder + L"photo.bmp"));
}

} // namespace
