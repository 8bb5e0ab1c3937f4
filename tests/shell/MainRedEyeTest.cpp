// The red-eye tool in the real main window: picked from the menu, its frame set by Select All (run
// as its keys run it), which paints nothing, and applied from the canvas's panel: the tool treats
// at most 100 x 100 control pixels at the frame's corner, never the whole picture.
#include "editor/EditPanel.h"
#include "tests/shell/MainWindowFixture.h"

namespace {

constexpr uint32_t kEyeRed = 0xFFDC1414u;
constexpr int kPictureW = 900, kPictureH = 700;

struct MainRedEyeTest : MainWindowTest {
    [[nodiscard]] uint32_t Shown(float x, float y) const {
        return PixelAt(static_cast<GpBitmap*>(main->SingleyzPreview.ImgDIB.DIB()), static_cast<int>(x),
                       static_cast<int>(y));
    }
    void ClickCanvasPanel(int element) {
        Imageyzviewer& c = main->SingleyzPreview;
        const RectF r = c.PanelRects()[element];
        const LPARAM at = MAKELPARAM(static_cast<int>(r.X + r.Width / 2), static_cast<int>(r.Y + r.Height / 2));
        ::SendMessageW(c.hWnd(), WM_MOUSEMOVE, 0, at);
        ::SendMessageW(c.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(c.hWnd(), WM_LBUTTONUP, 0, at);
    }
};

} // namespace

TEST_F(MainRedEyeTest, SelectAllThenApplyTreatsAtMost100ControlPixelsSquare) {
    DialogWatch dialogs;
    folder = MakeTestFolder(L"red-eye");
    const GdipBitmap picture = BitmapOf(kPictureW, kPictureH, [](int, int) { return kEyeRed; });
    ASSERT_TRUE(SaveImageSafely(picture.get(), folder + L"red.png", kFormatPng, 0));
    Open(L"red.png");
    ASSERT_TRUE(Pick(L"Filter_Redeye"));
    Imageyzviewer& c = main->SingleyzPreview;
    ASSERT_EQ(c.Effect(), 9);
    ASSERT_TRUE(Run(L"Edit_All"));
    const RectF fit = c.FitRect();
    ASSERT_GT(fit.Width, 150);
    ASSERT_GT(fit.Height, 150);
    ClickCanvasPanel(kPanelApply);
    ASSERT_EQ(c.UndoIndex(), 1);
    ASSERT_EQ(c.ImgDIB.Width(), kPictureW);
    // Image pixels per control pixel of the fitted view.
    const float s = kPictureW / fit.Width;
    // Control pixels from the frame's corner: inside the 100 x 100 (the tool treats the round
    // area it holds), and past it on either axis.
    const struct {
        float x, y;
        bool treated;
    } points[] = {{50, 50, true},   {90, 50, true},   {50, 90, true},
                  {130, 50, false}, {50, 130, false}, {fit.Width - 2, fit.Height - 2, false}};
    for (const auto& at : points) {
        const uint32_t p = Shown(at.x * s, at.y * s);
        if (at.treated)
            EXPECT_EQ(RedOf(p), GreenOf(p)) << "greyed at " << at.x << "," << at.y;
        else
            EXPECT_EQ(p, kEyeRed) << "kept at " << at.x << "," << at.y;
    }
    EXPECT_EQ(dialogs.Seen(), 0);
}
