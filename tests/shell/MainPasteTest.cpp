#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/MenuCommands.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TestSupport.h"

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
