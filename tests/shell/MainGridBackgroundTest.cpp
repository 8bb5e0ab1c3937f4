// The main window's grid on its light grey ground: the ground between the cells, and no trace of
// the frame that the grid draws round the pressed cell in that same grey.
#include "shell/FrmMain.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class MainGridBackgroundTest : public ScratchKeyTest {};

constexpr COLORREF kGround = RGB(235, 235, 235);

} // namespace

TEST_F(MainGridBackgroundTest, TheGridIsLightGreyAndThePressedFrameLeavesNoGreyRing) {
    FrmMain main(FrmMain::Options{HKEY_CURRENT_USER, key, false});
    ASSERT_TRUE(main.Create());
    const std::wstring folder = MakeTestFolder(L"ground");
    WriteSolidImage(folder + L"a.png", 80, 60, 0xFFC02020u);
    WriteSolidImage(folder + L"b.png", 60, 80, 0xFF20C020u);
    ThumViewer& grid = main.ThumyzViewer;
    grid.Move(0, 0, 500, 300);
    grid.Path(folder);
    grid.CreateThumbnail();
    ASSERT_TRUE(grid.DrawingComplete());
    EXPECT_EQ(grid.BackColor(), kGround);
    const PictureBox& surface = grid.ThumOLE;

    // Far from any cell, and between the two cells.
    EXPECT_LE(RgbDistance(surface.Point(surface.Width() - 5, surface.Height() - 5), kGround), 2);
    const RectF a = grid.FrameRects()[0], b = grid.FrameRects()[1];
    ASSERT_GT(b.X, a.X + a.Width + 6);
    EXPECT_LE(
        RgbDistance(surface.Point(static_cast<int>((a.X + a.Width + b.X) / 2), static_cast<int>(a.Y + 10)), kGround),
        2);
    // The pressed cell is the first: its 2-pixel frame lies 1 to 3 pixels outside the picture,
    // on every side, and is not to be seen.
    const int left = static_cast<int>(a.X), top = static_cast<int>(a.Y);
    const int right = static_cast<int>(a.X + a.Width), bottom = static_cast<int>(a.Y + a.Height);
    for (int d = 1; d <= 3; ++d) {
        EXPECT_LE(RgbDistance(surface.Point(left - d, (top + bottom) / 2), kGround), 2) << d;
        EXPECT_LE(RgbDistance(surface.Point(right + d - 1, (top + bottom) / 2), kGround), 2) << d;
        EXPECT_LE(RgbDistance(surface.Point((left + right) / 2, top - d), kGround), 2) << d;
        EXPECT_LE(RgbDistance(surface.Point((left + right) / 2, bottom + d - 1), kGround), 2) << d;
    }
    main.Unload();
}
