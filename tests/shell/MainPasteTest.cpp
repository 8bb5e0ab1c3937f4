#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/MenuCommands.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TestSupport.h"

#include <functional>
#include <iterator>

namespace {

class MainPasteTest : public ScratchKeyTest {};

// A 30 x 20 bitmap on the clipboard, as another program would leave it.
void PutBitmapOnClipboard(HWND owner) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 30, 20);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(bitmap);
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    ::CloseClipboard();
    if (!put) ::DeleteObject(bitmap);
    ASSERT_TRUE(put);
}

} // namespace

TEST_F(MainPasteTest, EditPasteStartsTheStampOnlyOverAnImage) {
    FrmMain main(FrmMain::Options{HKEY_CURRENT_USER, key, false});
    ASSERT_TRUE(main.Create());
    PutBitmapOnClipboard(main.hWnd());

    // No image: nothing to hold the stamp, so the canvas stays browsing and no edit is marked.
    main.EditLoaded = false;
    ASSERT_TRUE(RunMenuCommand(main.MenuHost(), L"Edit_Paste"));
    EXPECT_EQ(main.SingleyzPreview.Effect(), 0);
    EXPECT_FALSE(main.SingleyzPreview.Stamp().Exists());
    EXPECT_FALSE(main.EditLoaded);

    // Over an image the pasted bitmap is the floating stamp at its own size.
    const std::wstring folder = MakeTestFolder(L"paste");
    WriteSolidImage(folder + L"a.png", 80, 60, 0xFF2060A0u);
    main.FileImport(folder + L"a.png");
    ASSERT_TRUE(main.SingleyzPreview.NoOpen());
    ASSERT_TRUE(RunMenuCommand(main.MenuHost(), L"Edit_Paste"));
    EXPECT_EQ(main.SingleyzPreview.Effect(), 38);
    ASSERT_TRUE(main.SingleyzPreview.Stamp().Exists());
    EXPECT_EQ(main.SingleyzPreview.Stamp().Width(), 30);
    EXPECT_EQ(main.SingleyzPreview.Stamp().Height(), 20);
    EXPECT_TRUE(main.EditLoaded);
    main.Unload();
}

// The side panel's information lines read the shown picture, not empty texts.
TEST_F(MainPasteTest, InformationLinesReadTheShownPicture) {
    FrmMain main(FrmMain::Options{HKEY_CURRENT_USER, key, false});
    ASSERT_TRUE(main.Create());
    const std::wstring folder = MakeTestFolder(L"info");
    WriteSolidImage(folder + L"b.png", 81, 59, 0xFF2060A0u);
    main.FileImport(folder + L"b.png");
    ASSERT_TRUE(main.SingleyzPreview.NoOpen());

    ZzVFiterControl& info = main.UseryzProcess1.ZzVFiter();
    info.Style(1);
    info.IniaData();
    ASSERT_EQ(info.FiterListView().size(), 9u);
    EXPECT_EQ(info.FiterListView()[5].Text, L"Image Width : 81 Pixel");
    EXPECT_EQ(info.FiterListView()[6].Text, L"Image Height : 59 Pixel");
    const std::wstring dpi = info.FiterListView()[7].Text;
    EXPECT_NE(dpi, L"Resolution : 0 Dpi");
    EXPECT_EQ(dpi.rfind(L"Resolution : ", 0), 0u);
    main.Unload();
}

// Paste, from the menu or from Ctrl+V, ends back at browse: the browse row of the tool menu checked
// and the side panel's highlight on Browse again.
TEST_F(MainPasteTest, PasteEndsWithBrowsePickedInTheMenuAndTheSidePanel) {
    FrmMain main(FrmMain::Options{HKEY_CURRENT_USER, key, false});
    ASSERT_TRUE(main.Create());
    const std::wstring folder = MakeTestFolder(L"paste-browse");
    WriteSolidImage(folder + L"a.png", 80, 60, 0xFF2060A0u);
    main.FileImport(folder + L"a.png");
    ASSERT_TRUE(main.SingleyzPreview.NoOpen());
    PictureBox& tools = main.UseryzProcess1.ToolOLE();
    const auto browseChecked = [&] {
        for (const MenuRow& row : main.SkinMenu.MenuListView())
            if (row.KeyName == L"Filter_Browse") return row.Checked;
        return false;
    };
    // The highlight behind a tool: translucent grey 179 over the list's 238.
    const int highlight = 238 - (238 - 179) * 150 / 255;
    const std::function<void()> routes[] = {
        [&] { ASSERT_TRUE(RunMenuCommand(main.MenuHost(), L"Edit_Paste")); },
        [&] { main.HandleShortcutKey('V', 2); },
    };
    for (size_t route = 0; route < std::size(routes); ++route) {
        main.UseryzProcess1.SelEffect = 4;
        main.UseryzProcess1.ResetPaint();
        ASSERT_NEAR(Brightness(tools.Point(95 - 4, 90 + 5)), highlight, 3);
        main.SkinMenu.MemFirst = true;
        main.SkinMenu.Initializemenu(3);
        main.SkinMenu.MenuChecked(L"Filter_Browse", false);
        PutBitmapOnClipboard(main.hWnd());

        routes[route]();
        EXPECT_EQ(main.SingleyzPreview.Effect(), 38) << route;
        EXPECT_EQ(main.UseryzProcess1.SelEffect, 0) << route;
        EXPECT_TRUE(browseChecked()) << route;
        EXPECT_NEAR(Brightness(tools.Point(15 - 4, 20 + 10)), highlight, 3) << route;
        EXPECT_EQ(tools.Point(95 - 4, 90 + 5), RGB(238, 238, 238)) << route;
    }
    main.Unload();
}

// Ctrl+C copies and then repaints the canvas; the menu's Copy only copies.
TEST_F(MainPasteTest, CtrlCRepaintsTheCanvasAfterCopying) {
    FrmMain main(FrmMain::Options{HKEY_CURRENT_USER, key, false});
    ASSERT_TRUE(main.Create());
    const std::wstring folder = MakeTestFolder(L"copy");
    WriteSolidImage(folder + L"a.png", 400, 300, 0xFF2060A0u);
    main.FileImport(folder + L"a.png");
    ASSERT_TRUE(main.SingleyzPreview.NoOpen());
    Imageyzviewer& canvas = main.SingleyzPreview;
    const RectF fit = canvas.FitRect();
    const int x = static_cast<int>(fit.X + fit.Width / 2), y = static_cast<int>(fit.Y + fit.Height / 2);
    ASSERT_LE(RgbDistance(canvas.Point(x, y), RGB(0x20, 0x60, 0xA0)), 3);
    const auto scribble = [&] {
        ::SetPixel(canvas.hDC(), x, y, RGB(255, 0, 255));
        ::GdiFlush();
    };

    scribble();
    ASSERT_TRUE(RunMenuCommand(main.MenuHost(), L"Edit_Copy"));
    EXPECT_EQ(canvas.Point(x, y), RGB(255, 0, 255));
    scribble();
    ASSERT_TRUE(::OpenClipboard(main.hWnd()));
    ::EmptyClipboard();
    ::CloseClipboard();
    main.HandleShortcutKey('C', 2);
    EXPECT_LE(RgbDistance(canvas.Point(x, y), RGB(0x20, 0x60, 0xA0)), 3);
    ASSERT_TRUE(::OpenClipboard(main.hWnd()));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB));
    ::CloseClipboard();
    main.Unload();
}
