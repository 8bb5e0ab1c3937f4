// The file-information and format-filter panel in a real window: the nine ticked formats, the
// formats a click leaves, the highlighted row, and the information lines of style 1.
#include "browser/ZzVFiterControl.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kCheck = ColorARGB(255, 0, 160, 0);
constexpr int kWidth = 160, kHeight = 200;
// Row bands over the black back colour: the first style of row, the second, the marked row.
constexpr COLORREF kEvenRow = RGB(100, 100, 100), kOddRow = RGB(255, 255, 255), kMarkedRow = RGB(0, 8, 33);

struct PanelFixture : ::testing::Test {
    TestWindow window{kWidth, kHeight};
    FakeFileInfoSource source;
    ZzVFiterControl panel{&source};
    std::vector<std::wstring> formatsAtEvent;

    static void SetUpTestSuite() { WriteSkin(L"Eye.png", 16, 16, kCheck); }

    void SetUp() override {
        ASSERT_TRUE(
            panel.Create({.parent = window.hwnd(), .width = kWidth, .height = kHeight, .backColor = RGB(0, 0, 0)}));
        panel.onMouseDown = [this](int, int, float, float) { formatsAtEvent.push_back(panel.ImageFormats()); };
    }
    void Show(int32_t style) {
        panel.Style(style);
        panel.IniaData();
        panel.StartPaint();
    }
    [[nodiscard]] bool Ticked(int row) const { return RgbDistance(panel.Point(11, 20 * row + 11), Rgb(kCheck)) <= 2; }
    [[nodiscard]] COLORREF Band(int row) const { return panel.Point(155, 20 * row + 10); }
    // Whether some dark text lies in the row's band.
    [[nodiscard]] bool HasText(int row, int fromX) const {
        for (int y = 20 * row + 3; y < 20 * row + 18; ++y)
            for (int x = fromX; x < fromX + 60; ++x)
                if (GetRValue(panel.Point(x, y)) < 128 && GetRValue(Band(row)) > 200) return true;
        return false;
    }
    void Click(int y) { LeftClick(panel.hWnd(), 80, y); }
};

const std::wstring kAll = L"*.Png;*.Gif;*.Wmf;*.Emf;*.Bmp;*.Tif;*.Tiff;*.Jpg;*.Jpeg";

} // namespace

TEST_F(PanelFixture, ShowsNineTickedFormatsWithTheFirstRowMarked) {
    panel.ImageFormats(L"*.png");
    Show(0);
    EXPECT_EQ(panel.ImageFormats(), kAll);
    ASSERT_EQ(panel.FiterListView().size(), 9u);
    EXPECT_EQ(panel.FiterListView()[6].Text, L"*.Tiff");
    for (int row = 0; row < 9; ++row) EXPECT_TRUE(Ticked(row)) << row;
    EXPECT_LE(RgbDistance(Band(0), kMarkedRow), 3);
    EXPECT_LE(RgbDistance(Band(1), kOddRow), 3);
    EXPECT_LE(RgbDistance(Band(2), kEvenRow), 3);
    EXPECT_LE(RgbDistance(Band(3), kOddRow), 3);
    EXPECT_TRUE(HasText(1, 29));
    EXPECT_EQ(panel.Point(155, 20 * 9 + 10), RGB(0, 0, 0)); // below the rows
}

TEST_F(PanelFixture, AClickUnticksAFormatAndReportsTheOthers) {
    PictureBox::SetCursorLoader([](const std::wstring&) { return ::LoadCursorW(nullptr, IDC_HAND); });
    Show(0);
    Click(30); // "Gif"
    const std::wstring eight = L"*.Png;*.Wmf;*.Emf;*.Bmp;*.Tif;*.Tiff;*.Jpg;*.Jpeg";
    EXPECT_EQ(panel.ImageFormats(), eight);
    EXPECT_EQ(formatsAtEvent, std::vector<std::wstring>{eight});
    EXPECT_FALSE(Ticked(1));
    EXPECT_TRUE(Ticked(0) && Ticked(2));
    EXPECT_EQ(panel.MarkedRow(), 1);
    EXPECT_LE(RgbDistance(Band(1), kMarkedRow), 3);
    EXPECT_LE(RgbDistance(Band(0), kEvenRow), 3);

    Click(190); // off every row: nothing changes, the event still comes
    EXPECT_EQ(formatsAtEvent, (std::vector<std::wstring>{eight, eight}));
    EXPECT_EQ(panel.MarkedRow(), 1);

    for (int row : {0, 2, 3, 4, 5, 6, 7, 8}) Click(20 * row + 19); // the last pixel row of each
    EXPECT_EQ(panel.ImageFormats(), L"");
    for (int row = 0; row < 9; ++row) EXPECT_FALSE(Ticked(row)) << row;
    Click(20);
    EXPECT_EQ(panel.ImageFormats(), L"*.Gif");

    SendMouse(panel.hWnd(), WM_MOUSEMOVE, 0, 80, 30);
    EXPECT_EQ(panel.GetMousePointer(), MousePointer::Custom);
    SendMouse(panel.hWnd(), WM_MOUSEMOVE, 0, 80, 190);
    EXPECT_EQ(panel.GetMousePointer(), MousePointer::Default);
    PictureBox::SetCursorLoader({});
}

TEST_F(PanelFixture, StyleOneShowsTheFilesInformation) {
    source.filename = L"Holiday.jpg";
    source.format = L"jpg";
    source.size = L"1.5 KB";
    source.created = L"5-9-2005 6:0:36";
    source.modified = L"6-9-2005 7:1:2";
    source.imgWidth = L"640";
    source.imgHeight = L"480";
    source.resolution = L"72.5";
    Show(1);
    std::vector<std::wstring> texts;
    for (const auto& row : panel.FiterListView()) texts.push_back(row.Text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Filename : Holiday.jpg", L"Image Format : JPG",
                                                L"Image Size : 1.5 KB", L"Date Created : 5-9-2005 6:0:36",
                                                L"Date Modified : 6-9-2005 7:1:2", L"Image Width : 640 Pixel",
                                                L"Image Height : 480 Pixel", L"Resolution : 72.5 Dpi", L""}));
    EXPECT_TRUE(HasText(1, 5));
    Click(50);
    EXPECT_FALSE(panel.FiterListView()[2].Selected);
    EXPECT_EQ(panel.MarkedRow(), 2);
    EXPECT_EQ(formatsAtEvent, std::vector<std::wstring>{L""});
    for (int row = 0; row < 9; ++row) EXPECT_FALSE(Ticked(row)) << row;
}
