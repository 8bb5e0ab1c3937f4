#include "tests/shell/MainWindowFixture.h"

using MainEventsTest = MainWindowTest;

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

TEST_F(MainEventsTest, FirstStartShowsTheLeftColumn) {
    FrmMain main(Options());
    ASSERT_TRUE(main.Create());
    // Wide enough for the folder tree and the side panel: not collapsed below the cut-off.
    EXPECT_GT(main.UseryzSplitH.Left(), 260);
    EXPECT_GT(main.FolderView.Width(), 0);
    EXPECT_GT(main.UseryzProcess1.Width(), 260); // the side panel lays out only above 260
    main.Unload();
}
