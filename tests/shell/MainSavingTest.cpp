// Saving over a file of several frames (an animation, a TIFF's pages) through the real main window,
// as a user goes, by each way a save writes over the shown file and by those that do not; and Save
// over a file of a type no encoder writes.
#include "imaging/GdiDIB.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "shell/FileCommands.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/shell/MainWindowFixture.h"

#include <functional>

namespace {

constexpr int kCtrl = 2;
constexpr uint32_t kMark = 0xFFE02020u, kGround = 0xFF2060A0u;

// Records every message box in order and answers each with answer(text).
struct Boxes {
    explicit Boxes(std::function<int(const std::wstring&)> answer)
        : answerer([this, answer](const MessageBoxRequest& r) {
              texts.push_back(r.text);
              owners.push_back(r.owner);
              return answer(r.text);
          }) {}
    [[nodiscard]] int Containing(const std::wstring& part) const {
        return static_cast<int>(std::count_if(
            texts.begin(), texts.end(), [&](const std::wstring& t) { return t.find(part) != std::wstring::npos; }));
    }
    std::vector<std::wstring> texts;
    std::vector<HWND> owners;
    ScopedMessageBoxAnswerer answerer;
};

// An animated GIF of two 40 x 30 frames: the ground colour, then the mark colour.
const unsigned char kAnimation[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x28, 0x00, 0x1e, 0x00, 0xf0, 0x00, 0x00, 0x20, 0x60, 0xa0, 0x00,
    0x00, 0x00, 0x21, 0xf9, 0x04, 0x00, 0x14, 0x00, 0x00, 0x00, 0x21, 0xff, 0x0b, 0x4e, 0x45, 0x54, 0x53,
    0x43, 0x41, 0x50, 0x45, 0x32, 0x2e, 0x30, 0x03, 0x01, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00,
    0x28, 0x00, 0x1e, 0x00, 0x00, 0x02, 0x21, 0x84, 0x8f, 0xa9, 0xcb, 0xed, 0x0f, 0xa3, 0x9c, 0xb4, 0xda,
    0x8b, 0xb3, 0xde, 0xbc, 0xfb, 0x0f, 0x86, 0xe2, 0x48, 0x96, 0xe6, 0x89, 0xa6, 0xea, 0xca, 0xb6, 0xee,
    0x0b, 0xc7, 0xf2, 0x4c, 0x73, 0x05, 0x00, 0x21, 0xf9, 0x04, 0x00, 0x14, 0x00, 0x00, 0x00, 0x2c, 0x00,
    0x00, 0x00, 0x00, 0x28, 0x00, 0x1e, 0x00, 0x80, 0xe0, 0x20, 0x20, 0x00, 0x00, 0x00, 0x02, 0x21, 0x84,
    0x8f, 0xa9, 0xcb, 0xed, 0x0f, 0xa3, 0x9c, 0xb4, 0xda, 0x8b, 0xb3, 0xde, 0xbc, 0xfb, 0x0f, 0x86, 0xe2,
    0x48, 0x96, 0xe6, 0x89, 0xa6, 0xea, 0xca, 0xb6, 0xee, 0x0b, 0xc7, 0xf2, 0x4c, 0x73, 0x05, 0x00, 0x3b};

class MainSavingTest : public MainWindowTest {
protected:
    void Key(int key, int shift) { main->HandleShortcutKey(key, shift); }
};

} // namespace

TEST_F(MainSavingTest, SavingOverAnAnimationOrPagesAsksFirstAndNoWritesNothing) {
    struct Case {
        const wchar_t* name;
        std::string bytes;
        const wchar_t* told; // what the question says of the file
        int saveAsType;
    };
    const Case files[] = {
        {L"anim.gif", std::string(std::begin(kAnimation), std::end(kAnimation)),
         L"anim.gif is an animation of 2 frames. Saving over it keeps only the frame shown; the other frame is lost.",
         1},
        {L"pages.tif",
         exif_test::RgbTiff(
             40, 30,
             {[](int, int) { return kGround; }, [](int, int) { return kMark; }, [](int, int) { return kGround; }}),
         L"pages.tif holds 3 pages. Saving over it keeps only the page shown; the other 2 pages are lost.", 4},
    };
    // The ways a save writes over the shown file, then those that do not and ask nothing.
    enum Route { CtrlS, MenuSave, SaveAsTheSameName, LeavingAnsweredYes, SaveAsANewName, SaveACopy, Unchanged };
    for (const Case& file : files) {
        for (const Route route :
             {CtrlS, MenuSave, SaveAsTheSameName, LeavingAnsweredYes, SaveAsANewName, SaveACopy, Unchanged}) {
            const bool asks = route < SaveAsANewName;
            for (const int answer : {IDNO, IDYES}) {
                if (!asks && answer == IDYES) continue;
                SCOPED_TRACE(Narrow(file.name) + " route " + std::to_string(route) + (answer == IDYES ? " Yes" : ""));
                folder = MakeTestFolder(L"mainwindow");
                const std::wstring path = folder + file.name,
                                   other = folder + L"other" + GetFileExt(path).insert(0, L".");
                ASSERT_TRUE(WriteTestFile(path, file.bytes));
                WriteSolidImage(folder + L"zz-next.png", 40, 30, kGround);
                Open(file.name);
                if (route != Unchanged) Turn();
                Boxes boxes([&](const std::wstring& text) {
                    // The save question and the replacing of a file in Save As: Yes.
                    return text.find(L"Saving over it") == std::wstring::npos ? IDYES : answer;
                });
                switch (route) {
                case CtrlS:
                case Unchanged:
                    Key('S', kCtrl);
                    break;
                case MenuSave:
                    EXPECT_TRUE(Pick(L"File_Save"));
                    break;
                case SaveAsTheSameName:
                case SaveAsANewName:
                    SaveAs(route == SaveAsANewName ? other : path, file.saveAsType);
                    break;
                case LeavingAnsweredYes:
                    EXPECT_TRUE(Run(L"View_Zoomin"));
                    break;
                case SaveACopy:
                    EXPECT_TRUE(Run(L"File_Savecopy"));
                    break;
                }
                EXPECT_EQ(boxes.Containing(std::wstring(file.told) + L"\nDo you want to save over it?"), asks ? 1 : 0);
                if (route == SaveAsANewName || route == SaveACopy) {
                    EXPECT_EQ(ImageSizeOnDisk(route == SaveACopy ? SaveCopyPath(path) : other).cx, 30);
                }
                if (answer == IDNO) {
                    EXPECT_TRUE(ReadTestFile(path) == file.bytes) << "written over";
                    EXPECT_TRUE(!asks || (main->UnsavedEdit() && Shows(file.name))) << "the edit was given up";
                } else {
                    EXPECT_EQ(ImageFileFrames(path).count, 1u);
                    EXPECT_EQ(ImageSizeOnDisk(path).cx, 30) << "the turn was not saved";
                    EXPECT_EQ(route == LeavingAnsweredYes, Shows(L"zz-next.png"));
                }
                Close();
            }
        }
    }
}

TEST_F(MainSavingTest, SavingOverATypeNoEncoderWritesSaysSoAndNamesSaveAs) {
    using Case = std::pair<std::wstring, std::wstring>; // the file, its type as the message names it
    for (const auto& [name, type] : {Case{L"pic.dib", L"DIB files"}, Case{L"photo", L"files without a type"}}) {
        SCOPED_TRACE(Narrow(name));
        folder = MakeTestFolder(L"mainwindow");
        WriteSolidImage(folder + name, 40, 30, kGround, kFormatBmp);
        Open(name);
        Boxes boxes([](const std::wstring&) { return IDOK; });
        Key('S', kCtrl);
        EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"Pictures cannot be saved as " + type +
                                                         L". Save As can save this one as another type (BMP, GIF, "
                                                         L"JPG, PNG or TIFF). It is still unsaved."});
        EXPECT_EQ(boxes.owners, std::vector<HWND>{main->hWnd()}) << "the message is not the main window's";
        Close();
    }
}
