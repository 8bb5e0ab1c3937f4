// The first edit of a newly opened picture, by every route that edits at once (the side panel's
// tool list, the menu rows, a command run as keys run them, a paste applied on the canvas), in the
// real main window: one undo shows the picture as it was opened, whatever the route.
#include "controls/ToolGrid.h"
#include "editor/EditPanel.h"
#include "imaging/ClipboardStamp.h"
#include "tests/shell/MainWindowFixture.h"

#include <functional>

namespace {

constexpr uint32_t kRed = 0xFFD02020u;
constexpr uint32_t kCorner = 0xFF2040D0u;
constexpr int kPictureW = 64, kPictureH = 48;

// A red picture with a blue top-left quarter, so that turns and mirrors show.
uint32_t Opened(int x, int y) {
    return x < kPictureW / 2 && y < kPictureH / 2 ? kCorner : kRed;
}

struct MainFirstEditTest : MainWindowTest {
    // The picture, opened as the grid opens a picture.
    void OpenRedPicture() {
        folder = MakeTestFolder(L"first-edit");
        const GdipBitmap picture = BitmapOf(kPictureW, kPictureH, Opened);
        ASSERT_TRUE(SaveImageSafely(picture.get(), folder + L"red.png", kFormatPng, 0));
        Open(L"red.png");
    }
    [[nodiscard]] uint32_t Shown(int x, int y) const {
        return PixelAt(static_cast<GpBitmap*>(main->SingleyzPreview.ImgDIB.DIB()), x, y);
    }
    // The shown picture is the one opened, pixel for pixel.
    [[nodiscard]] bool ShowsTheOpenedPicture() const {
        const Imageyzviewer& c = main->SingleyzPreview;
        if (c.ImgDIB.Width() != kPictureW || c.ImgDIB.Height() != kPictureH) return false;
        for (int y = 0; y < kPictureH; ++y)
            for (int x = 0; x < kPictureW; ++x)
                if (Shown(x, y) != Opened(x, y)) return false;
        return true;
    }
    // A press and release on the side panel's tool list, on the cell of tool.
    void PickPanelTool(int32_t tool) {
        LPARAM at = 0;
        for (int y = 0; y < 400 && !at; y += 5)
            for (int x = 0; x < 250 && !at; x += 5)
                if (ToolGrid::ToolAt(static_cast<float>(x), static_cast<float>(y)) == tool)
                    at = MAKELPARAM(x + 5, y + 5);
        ASSERT_NE(at, 0);
        const HWND list = main->UseryzProcess1.ToolOLE().hWnd();
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    }
    // A click on the canvas's edit-panel element, as the pointer gives it.
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

TEST_F(MainFirstEditTest, OneUndoAfterTheFirstEditShowsThePictureAsOpened) {
    DialogWatch dialogs;
    const struct {
        const char* route;
        std::function<void()> edit;
    } cases[] = {
        {"the tool list's Grey", [this] { PickPanelTool(8); }},
        {"the menu's Grey", [this] { ASSERT_TRUE(Pick(L"Effect_Grey")); }},
        {"the menu's Rotate Clockwise", [this] { ASSERT_TRUE(Pick(L"Edit_Clockwise")); }},
        {"the menu's Rotate Counterclockwise", [this] { ASSERT_TRUE(Pick(L"Edit_Crcolockwise")); }},
        {"the menu's Flip Horizontal", [this] { ASSERT_TRUE(Pick(L"Edit_Hflip")); }},
        {"the menu's Flip Vertical", [this] { ASSERT_TRUE(Pick(L"Edit_Vflip")); }},
        {"the menu's Moon", [this] { ASSERT_TRUE(Pick(L"Effect_Moon")); }},
        {"the menu's Lens Flare", [this] { ASSERT_TRUE(Pick(L"Effect_Lensflare")); }},
        {"the menu's Blur", [this] { ASSERT_TRUE(Pick(L"Effect_Blur")); }},
        {"the menu's Sharpen", [this] { ASSERT_TRUE(Pick(L"Effect_Sharpe")); }},
        {"the menu's Soften", [this] { ASSERT_TRUE(Pick(L"Effect_Soften")); }},
        {"the menu's Ripple", [this] { ASSERT_TRUE(Pick(L"Effect_Ripple")); }},
        {"a command run as keys and tool-bar buttons run them", [this] { ASSERT_TRUE(Run(L"Edit_Clockwise")); }},
        {"Ctrl+V, then Apply on the canvas",
         [this] {
             const GdipBitmap green = BitmapOf(8, 8, [](int, int) { return 0xFF20C040u; });
             ASSERT_TRUE(CopyImageToClipboard(green.get(), 0, 0, 8, 8));
             main->HandleShortcutKey('V', 2);
             ASSERT_EQ(main->SingleyzPreview.Effect(), 38);
             ClickCanvasPanel(kPanelApply);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.route);
        OpenRedPicture();
        ASSERT_TRUE(ShowsTheOpenedPicture());
        c.edit();
        ASSERT_EQ(main->SingleyzPreview.UndoIndex(), 1);
        EXPECT_FALSE(ShowsTheOpenedPicture()); // the edit changed what is shown
        main->HandleShortcutKey('Z', 2);
        EXPECT_EQ(main->SingleyzPreview.UndoIndex(), 0);
        EXPECT_TRUE(ShowsTheOpenedPicture());
        // And the step 0 on disk is that picture, for the next undo too.
        EXPECT_EQ(ImageSizeOnDisk(main->SingleyzPreview.UndoFile(0)).cx, kPictureW);
        EXPECT_EQ(PixelOnDisk(main->SingleyzPreview.UndoFile(0), 0, 0), kCorner);
        main->HandleShortcutKey('Y', 2);
        EXPECT_EQ(main->SingleyzPreview.UndoIndex(), 1);
        EXPECT_FALSE(ShowsTheOpenedPicture());
    }
    EXPECT_EQ(dialogs.Seen(), 0);
}
