#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "platform/TextCase.h"
#include "shell/FrmMain.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class MainEventsTest : public ScratchKeyTest {
protected:
    FrmMain::Options Options(bool companion = false) const {
        return FrmMain::Options{HKEY_CURRENT_USER, key, companion};
    }
};

void Wheel(HWND window, int delta) {
    ::SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                   MAKELPARAM(400, 400));
}

} // namespace

TEST_F(MainEventsTest, TextToolSilencesTheWindowTheCompanionAndTheCanvasButNotTheGrid) {
    FrmMain main(Options(true));
    ASSERT_TRUE(main.Create());
    const HWND companion = ::FindWindowW(L"VellumoCompanion", nullptr);
    ASSERT_TRUE(companion);
    struct Target {
        const char* name;
        HWND window;
        bool silencedByText;
    };
    const Target targets[] = {{"window", main.hWnd(), true},
                              {"companion", companion, true},
                              {"canvas", main.SingleyzPreview.hWnd(), true},
                              {"grid", main.ThumyzViewer.hWnd(), false}};
    for (const int32_t mode : {0, 4}) {
        main.SingleyzPreview.SetEffect(mode);
        for (const Target& t : targets) {
            const int before = main.UseryzSplitV.Top();
            ::SendMessageW(t.window, WM_KEYDOWN, VK_TAB, 0);
            const bool toggled = main.UseryzSplitV.Top() != before;
            EXPECT_EQ(toggled, mode != 4 || !t.silencedByText) << t.name << " in mode " << mode;
        }
    }
    main.SingleyzPreview.SetEffect(0);
    main.Unload();
}

TEST_F(MainEventsTest, WheelStepsThroughTheGridAndCancelKeepsAnUnsavedEdit) {
    const std::wstring folder = MakeTestFolder(L"wheel");
    for (const wchar_t* name : {L"a.png", L"b.png", L"c.png"}) WriteSolidImage(folder + name, 40, 30, 0xFF2060A0u);
    FrmMain main(Options());
    ASSERT_TRUE(main.Create());
    main.ThumyzViewer.Path(folder);
    main.ThumyzViewer.CreateThumbnail();
    auto shown = [&] { return LowerText(main.SingleyzPreview.CurFilename); };

    // Towards the user: the next image (from the first row when none was pressed).
    Wheel(main.hWnd(), -120);
    EXPECT_EQ(shown(), LowerText(folder + L"b.png"));
    Wheel(main.hWnd(), -360); // one message is one step, whatever its delta
    EXPECT_EQ(shown(), LowerText(folder + L"c.png"));
    Wheel(main.hWnd(), 120);
    EXPECT_EQ(shown(), LowerText(folder + L"b.png"));

    // An unsaved edit: the question first; Cancel keeps the image and the edit, No moves on.
    int asked = 0, answer = IDCANCEL;
    ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest&) { return ++asked, answer; });
    main.SingleyzPreview.AppliedEffect = true;
    main.SingleyzPreview.SaveState = false;
    Wheel(main.hWnd(), 120);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(shown(), LowerText(folder + L"b.png"));
    EXPECT_TRUE(main.UnsavedEdit());
    answer = IDNO;
    Wheel(main.hWnd(), 120);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(shown(), LowerText(folder + L"a.png"));
    main.Unload();
}

TEST_F(MainEventsTest, FirstStartShowsTheLeftColumn) {
    FrmMain main(Options());
    ASSERT_TRUE(main.Create());
    // Wide enough for the folder tree and the side panel: not collapsed below the cut-off.
    EXPECT_GT(main.UseryzSplitH.Left(), 260);
    EXPECT_GT(main.FolderView.Width(), 0);
    EXPECT_GT(main.UseryzProcess1.Width(), 260); // the side panel lays out only above 260
    main.Unload();
}
