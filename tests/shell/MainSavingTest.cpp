// Saving over a file of several frames (an animation, a TIFF's pages) through the real main window,
// as a user goes, by each way a save writes over the shown file and by those that do not.
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
              return answer(r.text);
          }) {}
    [[nodiscard]] int Containing(const std::wstring& part) const {
        return static_cast<int>(std::count_if(
            texts.begin(), texts.end(), [&](const std::wstring& t) { return t.find(part) != std::wstring::npos; }));
    }
    std::vector<std::wstring> texts;
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

// An uncompressed TIFF of one 40 x 30 page of one colour for each colour given.
std::string PagesTiff(std::initializer_list<uint32_t> colours) {
    const auto u16 = [](uint32_t v) { return exif_test::Packed(v, 2, false); };
    const auto u32 = [](uint32_t v) { return exif_test::Packed(v, 4, false); };
    const auto entry = [&](uint32_t tag, uint32_t type, uint32_t count, uint32_t value) {
        return u16(tag) + u16(type) + u32(count) + (type == 3 && count == 1 ? u16(value) + u16(0) : u32(value));
    };
    constexpr uint32_t kPixels = 40 * 30 * 3, kIfd = 2 + 9 * 12 + 4;
    std::string tiff = "II" + u16(42) + u32(8);
    for (size_t page = 0; page < colours.size(); ++page) {
        const uint32_t at = static_cast<uint32_t>(tiff.size()),
                       next = page + 1 < colours.size() ? at + kIfd + 6 + kPixels : 0;
        tiff +=
            u16(9) + entry(256, 3, 1, 40) + entry(257, 3, 1, 30) + entry(258, 3, 3, at + kIfd) + entry(259, 3, 1, 1);
        tiff += entry(262, 3, 1, 2) + entry(273, 4, 1, at + kIfd + 6) + entry(277, 3, 1, 3) + entry(278, 3, 1, 30);
        tiff += entry(279, 4, 1, kPixels) + u32(next) + u16(8) + u16(8) + u16(8);
        const uint32_t c = colours.begin()[page];
        for (uint32_t i = 0; i < 40 * 30; ++i)
            tiff += {static_cast<char>(c >> 16), static_cast<char>(c >> 8), static_cast<char>(c)};
    }
    return tiff;
}

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
        {L"pages.tif", PagesTiff({kGround, kMark, kGround}),
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
