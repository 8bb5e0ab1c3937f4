// Saving through the real main window, as a user goes: Save with nothing on the canvas, a phone's
// photograph shown upright, saving over a file of several frames (an animation, a TIFF's pages),
// and Save a Copy of each type of file.
#include "imaging/GdiDIB.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/shell/MainWindowFixture.h"

#include <functional>

namespace {

constexpr int kCtrl = 2;
constexpr uint32_t kMark = 0xFFE02020u, kGround = 0xFF2060A0u, kPage2 = 0xFF20A040u;

// Records every message box in order and answers each with answer(text).
struct Boxes {
    explicit Boxes(std::function<int(const std::wstring&)> answer = [](const std::wstring&) { return IDOK; })
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
    using exif_test::Packed;
    const auto u16 = [](uint32_t v) { return Packed(v, 2, false); };
    const auto u32 = [](uint32_t v) { return Packed(v, 4, false); };
    constexpr uint32_t kW = 40, kH = 30, kEntries = 9, kIfd = 2 + kEntries * 12 + 4, kPixels = kW * kH * 3;
    std::string tiff = "II" + u16(42) + u32(8);
    uint32_t page = 0;
    for (const uint32_t colour : colours) {
        const uint32_t at = static_cast<uint32_t>(tiff.size()), bits = at + kIfd, pixels = bits + 6;
        const bool last = ++page == colours.size();
        const auto shortEntry = [&](uint32_t tag, uint32_t value) {
            return u16(tag) + u16(3) + u32(1) + u16(value) + u16(0);
        };
        tiff += u16(kEntries) + shortEntry(256, kW) + shortEntry(257, kH) + u16(258) + u16(3) + u32(3) + u32(bits);
        tiff += shortEntry(259, 1) + shortEntry(262, 2) + u16(273) + u16(4) + u32(1) + u32(pixels);
        tiff += shortEntry(277, 3) + shortEntry(278, kH) + u16(279) + u16(4) + u32(1) + u32(kPixels);
        tiff += u32(last ? 0 : pixels + kPixels) + u16(8) + u16(8) + u16(8);
        for (uint32_t i = 0; i < kW * kH; ++i)
            tiff += {static_cast<char>(colour >> 16), static_cast<char>(colour >> 8), static_cast<char>(colour)};
    }
    return tiff;
}

class MainSavingTest : public MainWindowTest {
protected:
    void Key(int key, int shift) { main->HandleShortcutKey(key, shift); }
    // Save As through the real dialog: the type picked from its list (0 BMP, 1 GIF, 2 JPG, 3 PNG,
    // 4 TIFF), the path typed, OK pressed.
    void SaveAs(const std::wstring& path, int type) {
        using namespace file_dialog_test;
        WithActor(
            [&] {
                HWND d = WaitForDialog(L"Save Image as...");
                if (!d) return;
                PickType(d, type);
                ::SetDlgItemTextW(d, cmb13, path.c_str());
                Press(d, IDOK);
            },
            [&] { ASSERT_TRUE(Run(L"File_SaveAs")); });
    }
    [[nodiscard]] uint32_t CanvasPixel(int x, int y) const {
        return PixelAt(reinterpret_cast<GpBitmap*>(main->SingleyzPreview.ImgDIB.DIB()), x, y);
    }
};

} // namespace

TEST_F(MainSavingTest, SaveWithNothingOnTheCanvasDoesNothing) {
    folder = MakeTestFolder(L"mainwindow");
    main = std::make_unique<FrmMain>(Options());
    ASSERT_TRUE(main->Create());
    ASSERT_FALSE(main->SingleyzPreview.NoOpen());
    Boxes boxes;
    DialogWatch dialogs;
    Key('S', kCtrl);
    EXPECT_TRUE(Run(L"File_Save"));
    TestWindow::Pump(300);
    EXPECT_EQ(dialogs.Seen(), 0) << "a dialog opened";
    EXPECT_TRUE(boxes.texts.empty()) << Narrow(boxes.texts.empty() ? L"" : boxes.texts[0]);
    EXPECT_TRUE(FileNamesIn(folder).empty());
}

TEST_F(MainSavingTest, APhonesPhotographShowsUprightOnTheCanvasInTheGridAndItsProperties) {
    folder = MakeTestFolder(L"mainwindow");
    // 40 x 30 as the camera stored it, marked at the top left, with orientation 6: upright it is
    // 30 x 40 with the mark at the top right.
    GdipBitmap stored = BitmapOf(40, 30, [](int x, int y) { return x < 10 && y < 10 ? kMark : kGround; });
    ASSERT_TRUE(SaveImageSafely(stored.get(), folder + L"phone.jpg", kFormatJpeg, 100));
    const std::string encoded = ReadTestFile(folder + L"phone.jpg");
    ASSERT_TRUE(
        WriteTestFile(folder + L"phone.jpg",
                      exif_test::WithSegment(encoded, exif_test::ExifSegmentOf(exif_test::OrientationTiff(6)))));
    Open(L"phone.jpg");

    EXPECT_EQ(main->SingleyzPreview.ImgDIB.Width(), 30);
    EXPECT_EQ(main->SingleyzPreview.ImgDIB.Height(), 40);
    EXPECT_LE(ChannelDistance(CanvasPixel(25, 4), kMark), 40) << "the top right";
    EXPECT_LE(ChannelDistance(CanvasPixel(4, 4), kGround), 40) << "the top left";
    // The properties tell the size the canvas shows.
    EXPECT_EQ(main->SingleyzPreview.ShowImgWidth(), L"30");
    EXPECT_EQ(main->SingleyzPreview.ShowImgHeight(), L"40");

    // The grid's cell: 30 x 40 (smaller than its box, so at its own size), marked at its top right.
    ThumViewer& grid = main->ThumyzViewer;
    ASSERT_EQ(grid.ThumListview().Rows.size(), 1u);
    const RectF cell = grid.ImageRects()[0];
    EXPECT_EQ(cell.Width, 30);
    EXPECT_EQ(cell.Height, 40);
    const auto shown = [&](float x, float y) {
        const COLORREF c =
            grid.ThumOLE.Point(static_cast<int>(cell.X + x), static_cast<int>(cell.Y + y) - grid.ScrollOffset());
        return ColorARGB(255, GetRValue(c), GetGValue(c), GetBValue(c));
    };
    EXPECT_LE(ChannelDistance(shown(25, 4), kMark), 40) << "the cell's top right";
    EXPECT_LE(ChannelDistance(shown(4, 4), kGround), 40) << "the cell's top left";
}

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
        {L"pages.tif", PagesTiff({kGround, kPage2, kMark}),
         L"pages.tif holds 3 pages. Saving over it keeps only the page shown; the other 2 pages are lost.", 4},
    };
    enum Route { CtrlS, MenuSave, SaveAsTheSameName, LeavingAnsweredYes };
    for (const Case& file : files) {
        for (const Route route : {CtrlS, MenuSave, SaveAsTheSameName, LeavingAnsweredYes}) {
            for (const int answer : {IDNO, IDYES}) {
                SCOPED_TRACE(Narrow(file.name) + " route " + std::to_string(route) +
                             (answer == IDYES ? " Yes" : " No"));
                folder = MakeTestFolder(L"mainwindow");
                const std::wstring path = folder + file.name;
                ASSERT_TRUE(WriteTestFile(path, file.bytes));
                WriteSolidImage(folder + L"zz-next.png", 40, 30, kGround);
                Open(file.name);
                ASSERT_EQ(ImageFileFrames(path).count, file.name[0] == L'a' ? 2u : 3u);
                Turn();
                Boxes boxes([&](const std::wstring& text) {
                    if (text.find(L"Saving over it") != std::wstring::npos) return answer;
                    return IDYES; // the save question, and replacing the file in Save As
                });
                switch (route) {
                case CtrlS:
                    Key('S', kCtrl);
                    break;
                case MenuSave:
                    EXPECT_TRUE(Pick(L"File_Save"));
                    break;
                case SaveAsTheSameName:
                    SaveAs(path, file.saveAsType);
                    break;
                case LeavingAnsweredYes:
                    EXPECT_TRUE(Run(L"View_Zoomin"));
                    break;
                }
                EXPECT_EQ(boxes.Containing(std::wstring(file.told) + L"\nDo you want to save over it?"), 1);
                if (answer == IDNO) {
                    EXPECT_TRUE(ReadTestFile(path) == file.bytes) << "written over";
                    EXPECT_TRUE(main->UnsavedEdit());
                    EXPECT_TRUE(Shows(file.name)) << "the picture was left";
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

TEST_F(MainSavingTest, ANewNameACopyOrNothingChangedAsksNothingAboutFrames) {
    folder = MakeTestFolder(L"mainwindow");
    const std::string animation(std::begin(kAnimation), std::end(kAnimation));
    ASSERT_TRUE(WriteTestFile(folder + L"anim.gif", animation));
    Open(L"anim.gif");
    Boxes boxes([](const std::wstring&) { return IDYES; });
    Key('S', kCtrl);
    EXPECT_TRUE(ReadTestFile(folder + L"anim.gif") == animation) << "nothing changed, yet the file was written";
    Turn();
    ASSERT_TRUE(Run(L"File_Savecopy"));
    EXPECT_EQ(ImageSizeOnDisk(folder + L"anim_Copy.gif").cx, 30);
    SaveAs(folder + L"other.gif", 1);
    EXPECT_EQ(ImageSizeOnDisk(folder + L"other.gif").cx, 30);
    EXPECT_EQ(boxes.Containing(L"Saving over it"), 0);
    EXPECT_TRUE(ReadTestFile(folder + L"anim.gif") == animation);
}

TEST_F(MainSavingTest, SaveACopyWritesEachTypeWithAnEncoderAndSaysWhenThereIsNone) {
    struct Case {
        const wchar_t* name;
        int32_t format;      // -1: a metafile
        const wchar_t* copy; // empty: none can be made
        std::string magic;
    };
    const Case cases[] = {
        {L"a.tif", kFormatTiff, L"a_Copy.tif", "II*"},
        {L"b.tiff", kFormatTiff, L"b_Copy.tiff", "II*"},
        {L"c.jpeg", kFormatJpeg, L"c_Copy.jpeg", "\xFF\xD8"},
        {L"d.png", kFormatPng, L"d_Copy.png", "\x89PNG"},
        {L"e.emf", -1, L"", ""},
        {L"f.rle", kFormatBmp, L"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        folder = MakeTestFolder(L"mainwindow");
        const std::wstring path = folder + c.name;
        if (c.format >= 0) {
            WriteSolidImage(path, 40, 30, kMark, c.format);
        } else {
            const HDC dc = ::CreateEnhMetaFileW(nullptr, path.c_str(), nullptr, nullptr);
            ASSERT_NE(dc, nullptr);
            ::Rectangle(dc, 0, 0, 40, 30);
            ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc));
        }
        Open(c.name);
        Boxes boxes;
        ASSERT_TRUE(Run(L"File_Savecopy"));
        if (*c.copy) {
            EXPECT_TRUE(boxes.texts.empty());
            const std::string bytes = ReadTestFile(folder + c.copy);
            EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic) << "not written in its own type";
            EXPECT_LE(ChannelDistance(PixelOnDisk(folder + c.copy, 20, 15), kMark), 12);
        } else {
            const std::wstring ext = UpperText(GetFileExt(path));
            EXPECT_EQ(boxes.texts,
                      std::vector<std::wstring>{L"No copy of " + std::wstring(c.name) +
                                                L" could be made: pictures cannot be saved as " + ext + L" files."});
            EXPECT_EQ(FileNamesIn(folder), std::vector<std::wstring>{c.name});
        }
        Close();
    }
}
