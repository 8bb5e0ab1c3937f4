// The file commands over a recording main window: what each mode hands to the encoder, which
// names it saves under, when it asks, and which files it copies; and one save through the real
// save dialog whose type is changed as a person would.
#include "imaging/ClipboardStamp.h"
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "shell/FileCommands.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/support/CallLog.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

class FakeFileHost : public FileCommandHost {
public:
    CallLog log;
    std::deque<FileDialogChoice> choices; // the dialogs' answers in order; none left: cancelled
    std::vector<FileDialogArgs> dialogs;
    bool unsaved = false, saveWorks = true;
    int saveAnswer = IDNO;
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
    void SelectInGrid(const std::wstring&) override {}
    void UseStamp(bool copy, bool option) override { log.Add(L"UseStamp(" + Arg(copy) + L", " + Arg(option) + L")"); }
    std::optional<std::wstring> AskStampName() override { return stampName; }
    void AddLibraryStamp(const std::wstring& folder, const std::wstring& file) override {
        log.Add(L"AddLibraryStamp(" + Arg(folder) + L", " + Arg(file) + L")");
    }
    std::wstring CurFilename() const override { return shown; }
    // Writes a real file with the encoder and quality handed over (Wine's JPEG encoder ignores
    // the quality, so the record is what is checked).
    bool SaveImage(const std::wstring& path, int32_t encoder, int32_t quality) override {
        log.Add(Saved(path, encoder, quality));
        GdipBitmap picture = SolidBitmap(8, 6, 0xFF2040C0u);
        return saveWorks && picture && SaveImageSafely(picture.get(), path, encoder, quality);
    }
    void MarkSaved() override { log.Add(L"MarkSaved"); }
    void SavedAs(const std::wstring& path) override { log.Add(L"SavedAs(" + Arg(path) + L")"); }
    void PumpMessages() override {}
    void RefreshThumSave() override { log.Add(L"RefreshThumSave"); }
    void RefreshThumbnail() override { log.Add(L"RefreshThumbnail"); }

    static std::wstring Saved(const std::wstring& path, int encoder, int quality) {
        return L"SaveImage(" + Arg(path) + L", " + Arg(encoder) + L", " + Arg(quality) + L")";
    }
};

class FileCommandsTest : public ::testing::Test {
protected:
    FakeFileHost host;
    FileCommands files{host};
    std::wstring folder;
    std::vector<std::wstring> boxes;
    int boxAnswer = IDYES;
    ScopedMessageBoxAnswerer answerer{[this](const MessageBoxRequest& r) {
        boxes.push_back(r.text);
        return boxAnswer;
    }};
    void SetUp() override {
        ResetAppState(TestProgramFolder());
        folder = MakeTestFolder(L"FileCommands");
    }
};

TEST(FileCommandNames, EnsureExtensionAndCopyNames) {
    EXPECT_EQ(EnsureExtension(L"C:\\p\\x", L"*.png"), L"C:\\p\\x.png");
    EXPECT_EQ(EnsureExtension(L"C:\\p\\x.png", L"*.png"), L"C:\\p\\x.png");
    EXPECT_EQ(EnsureExtension(L"C:\\p\\x.jpg", L"*.png"), L"C:\\p\\x.jpg.png");
    EXPECT_EQ(EnsureExtension(L"C:\\p\\x", L""), L"C:\\p\\x");
    EXPECT_EQ(SaveCopyPath(L"C:\\a\\b.c.tif"), L"C:\\a\\b.c_Copy.tif");
    EXPECT_EQ(SaveCopyPath(L"C:\\a.d\\Photo.JPG"), L"C:\\a.d\\Photo_Copy.jpg");
    EXPECT_EQ(SaveCopyPath(L"C:\\a.d\\noext"), L"");
}

TEST(AgreeToKeepOnlyShownFrame, AsksWhenATiffsPagesCannotBeCounted) {
    // Two pages, no memory holds the first to count them.
    const std::wstring path = MakeTestFolder(L"uncounted") + L"scan.tif";
    ASSERT_TRUE(WriteTestFile(path, exif_test::OversizedTiff(2)));
    std::vector<std::wstring> asked;
    const ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& r) {
        asked.push_back(r.text);
        return IDNO;
    });
    EXPECT_FALSE(AgreeToKeepOnlyShownFrame(nullptr, path)) << "saved over without a question";
    EXPECT_EQ(asked, std::vector<std::wstring>{L"scan.tif may hold several pages, which could not be counted. Saving "
                                               L"over it keeps only the page shown; any other pages are lost.\nDo "
                                               L"you want to save over it?"});
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
        {L"b.bmp", L"*.bmp", L"b.bmp", kFormatBmp, 0},
    };
    for (const auto& c : cases) {
        host.log.calls.clear();
        host.choices.push_back({folder + c.chosen, c.ext});
        EXPECT_TRUE(files.SaveAs()) << Narrow(c.chosen);
        EXPECT_EQ(host.log.calls, (std::vector<std::wstring>{
                                      FakeFileHost::Saved(folder + c.saved, c.encoder, c.quality),
                                      L"SavedAs(" + Arg(folder + c.saved) + L")", L"MarkSaved", L"RefreshThumSave"}));
        EXPECT_TRUE(FileExistsForTest(folder + c.saved));
    }
    EXPECT_EQ(host.dialogs[0].Title, L"Save Image as...");
    EXPECT_FALSE(host.dialogs[0].OpenMode);
    // Only a bitmap save is where the next one starts; a cancel saves nothing but repaints.
    EXPECT_EQ(files.LastFilename, folder + L"b.bmp");
    EXPECT_EQ(host.dialogs[5].FileName, L"");
    host.log.calls.clear();
    EXPECT_FALSE(files.SaveAs());
    EXPECT_EQ(host.dialogs.back().FileName, folder + L"b.bmp");
    EXPECT_EQ(host.log.calls, (std::vector<std::wstring>{L"RefreshThumSave"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, AGrownNameIsAskedAboutAndAFailedSaveSaysSo) {
    ASSERT_TRUE(WriteTestFile(folder + L"z.jpg.png", "keep"));
    host.choices.push_back({folder + L"z.jpg", L"*.png"});
    boxAnswer = IDNO;
    EXPECT_FALSE(files.SaveAs());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"z.jpg.png already exists"), std::wstring::npos);
    EXPECT_EQ(ReadTestFile(folder + L"z.jpg.png"), "keep");

    boxes.clear();
    host.saveWorks = false;
    host.choices.push_back({folder + L"f.png", L"*.png"});
    host.shown = folder + L"f.png";
    EXPECT_FALSE(files.SaveAs());
    EXPECT_EQ(files.FileDialog(2), L"");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].find(L"could not be saved"), std::wstring::npos);
    EXPECT_FALSE(FileExistsForTest(folder + L"f.png"));
}

TEST_F(FileCommandsTest, SaveCopyBesideTheShownFile) {
    App().JpegQuality = 3; // the dialog's quality is not the copy's
    const struct {
        const wchar_t *shown, *copy;
        int encoder, quality;
    } cases[] = {
        {L"b.c.tif", L"b.c_Copy.tif", kFormatTiff, 0},
        {L"p.jpeg", L"p_Copy.jpeg", kFormatJpeg, 90},
        {L"q.JPG", L"q_Copy.jpg", kFormatJpeg, 90},
        {L"r.png", L"r_Copy.png", kFormatPng, 0},
        {L"s.tiff", L"s_Copy.tiff", kFormatTiff, 0},
        {L"t.emf", nullptr, 0, 0},
        {L"noext", nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        host.log.calls.clear();
        boxes.clear();
        host.shown = folder + c.shown;
        EXPECT_EQ(files.FileDialog(2), L"");
        // A type without an encoder writes nothing and says so.
        std::vector<std::wstring> expected;
        if (c.copy) expected = {FakeFileHost::Saved(folder + c.copy, c.encoder, c.quality), L"RefreshThumbnail"};
        EXPECT_EQ(host.log.calls, expected) << Narrow(c.shown);
        EXPECT_EQ(boxes.size(), c.copy ? 0u : 1u) << Narrow(c.shown);
    }
    EXPECT_TRUE(host.dialogs.empty());
}

TEST_F(FileCommandsTest, SaveCopyAsksBeforeReplacingAnEarlierCopy) {
    host.shown = folder + L"r.png";
    const std::wstring copy = folder + L"r_Copy.png";
    ASSERT_TRUE(WriteTestFile(copy, "the user's earlier copy"));
    for (const int answer : {IDNO, IDYES}) {
        boxes.clear();
        boxAnswer = answer;
        EXPECT_EQ(files.FileDialog(2), L"");
        ASSERT_EQ(boxes.size(), 1u) << answer;
        EXPECT_NE(boxes[0].find(copy + L" already exists"), std::wstring::npos);
        EXPECT_EQ(ReadTestFile(copy) == "the user's earlier copy", answer == IDNO) << answer;
    }
    GdipImage written(LoadImageFromFileCopy(copy));
    EXPECT_TRUE(written) << "Yes replaced it with the picture";
}

TEST_F(FileCommandsTest, SaveCopyOfAPictureWithoutAFileOfItsOwnWritesNothingAndSaysSo) {
    // A new picture, and the copy shown after a delete.
    for (const std::wstring& scratch : {App().AppFolder + L"Tempnewimage.png", App().DataPath + L"Tempdelete.tmp"}) {
        host.shown = scratch;
        (void)files.FileDialog(2);
    }
    EXPECT_EQ(host.log.calls, std::vector<std::wstring>{});
    const std::wstring said = L"This picture has no saved file to copy. Save As can save it under a name you choose.";
    EXPECT_EQ(boxes, std::vector<std::wstring>(2, said));
}

TEST_F(FileCommandsTest, OpenAsksFirstAndSelectsTheFileAlone) {
    const std::wstring a = folder + L"a.png";
    host.unsaved = true;
    host.saveAnswer = IDCANCEL;
    host.choices.push_back({a, L""});
    EXPECT_EQ(files.FileDialog(0), L"");
    EXPECT_TRUE(host.dialogs.empty()) << "Cancel in the save question opened the dialog";

    host.saveAnswer = IDNO;
    App().SelectedFiles = {L"x", L"y", L"z"};
    EXPECT_EQ(files.FileDialog(0), a);
    EXPECT_TRUE(host.log.Has(L"FileImport(" + Arg(a) + L")"));
    EXPECT_EQ(App().SelectedFiles, (std::vector<std::wstring>{a, L""}));
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_TRUE(host.dialogs[0].OpenMode);
    EXPECT_EQ(host.dialogs[0].Title, L"Import Image...");
    // Cancelled: nothing opens, and the next dialog starts from the last opened file.
    EXPECT_EQ(files.FileDialog(0), L"");
    EXPECT_EQ(host.dialogs[1].FileName, a);
    EXPECT_EQ(host.log.Count(L"FileImport(" + Arg(a) + L")"), 1u);
}

TEST_F(FileCommandsTest, ImportsCopyToTheStampAndTheLibrary) {
    const std::wstring leaf = folder + L"leaf.png", library = App().AppFolder + L"Librarians\\";
    ASSERT_TRUE(WriteTestFile(leaf, "leaf bytes"));
    ::DeleteFileW(StampLibPath(L"Leaf").c_str());
    host.choices = {{leaf, L""}, {leaf, L""}, {leaf, L""}};
    EXPECT_EQ(files.FileDialog(3), leaf);
    EXPECT_EQ(ReadTestFile(StampTempPath()), "leaf bytes");
    EXPECT_TRUE(host.log.Has(L"UseStamp(false, true)"));

    EXPECT_EQ(files.FileDialog(4), leaf); // the name dialog cancelled
    EXPECT_FALSE(FileExistsForTest(StampLibPath(L"Leaf")));
    host.stampName = L"Leaf";
    EXPECT_EQ(files.FileDialog(4), leaf);
    EXPECT_EQ(ReadTestFile(StampLibPath(L"Leaf")), "leaf bytes");
    EXPECT_EQ(host.log.calls.back(),
              L"AddLibraryStamp(" + Arg(library) + L", " + Arg(std::wstring(L"Leaf.lib")) + L")");
    EXPECT_EQ(host.log.Count(L"UseStamp(false, true)"), 1u);
    ::DeleteFileW(StampLibPath(L"Leaf").c_str());
}

TEST_F(FileCommandsTest, TypeChangeInTheRealDialogSavesTheNewType) {
    using namespace file_dialog_test;
    App().JpegQuality = 7;
    files.LastFilename = folder + L"photo.bmp";
    host.realDialog = [](FileDialogArgs args) {
        fDialogEx panel;
        args.Panel = &panel;
        return ShowFileDialog(args);
    };
    std::wstring before, after;
    bool written = false;
    WithActor(
        [&] {
            HWND d = WaitForDialog(L"Save Image as...");
            if (!d) return;
            before = NameBox(d);
            PickType(d, 2); // "JPG (JPEG)"
            after = NameBox(d);
            Press(d, IDOK);
        },
        [&] { written = files.SaveAs(); });
    EXPECT_EQ(before, L"photo.bmp");
    EXPECT_EQ(after, L"photo");
    EXPECT_TRUE(written);
    EXPECT_EQ(files.FileExt, L"*.jpg");
    EXPECT_TRUE(host.log.Has(FakeFileHost::Saved(folder + L"photo.jpg", kFormatJpeg, 70)));
    EXPECT_EQ(ReadTestFile(folder + L"photo.jpg").substr(0, 2), "\xFF\xD8") << "not a JPEG file";
    EXPECT_FALSE(FileExistsForTest(folder + L"photo.bmp"));
}

} // namespace
