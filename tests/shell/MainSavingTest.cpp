// Saving through the real main window, as a user goes: Save with nothing on the canvas, a phone's
// photograph shown upright, saving over a file of several frames (an animation, a TIFF's pages),
// and Save a Copy of each type of file.
#include "platform/MessageBoxService.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/shell/MainWindowFixture.h"

#include <functional>

namespace {

constexpr int kCtrl = 2;
constexpr uint32_t kMark = 0xFFE02020u, kGround = 0xFF2060A0u;

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

class MainSavingTest : public MainWindowTest {
protected:
    void Key(int key, int shift) { main->HandleShortcutKey(key, shift); }
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
