// The program's loop with a real main window: the folder pane's loop first, then an ordinary loop
// while the main window lives.
#include "shell/ProgramLoop.h"
#include "tests/support/FolderPaneWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramLoop, KeepsServingTheMainWindowAfterThePaneEnds) {
    FolderPaneWindow w;
    size_t ticksAfterPane = 0;
    w.StartSteps({[&] { w.pane.FolderViewDestroy(); }});
    w.onStepsDone = [&] {
        EXPECT_FALSE(w.pane.IsOpen());
        if (++ticksAfterPane == 3) ::DestroyWindow(w.window.hwnd());
    };
    EXPECT_EQ(RunProgramLoop(w.pane, w.window.hwnd()), 0);
    EXPECT_EQ(ticksAfterPane, 3u);
    EXPECT_FALSE(w.watchdogFired);
}

TEST(ProgramLoop, EndsWhenTheMainWindowClosesOrTheProgramQuits) {
    for (const bool quit : {false, true}) {
        FolderPaneWindow w;
        w.StartSteps({[&] { EXPECT_TRUE(w.pane.IsOpen()); }});
        // The main window's unload ends the pane, as the program's does.
        w.window.onMessage = [&, timer = w.window.onMessage](UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
            if (msg == WM_DESTROY) w.pane.FolderViewDestroy();
            return timer(msg, wp, lp, result);
        };
        w.onStepsDone = [&] {
            if (quit)
                ::PostQuitMessage(7);
            else
                ::PostMessageW(w.window.hwnd(), WM_CLOSE, 0, 0);
        };
        EXPECT_EQ(RunProgramLoop(w.pane, w.window.hwnd()), quit ? 7 : 0);
        EXPECT_EQ(::IsWindow(w.window.hwnd()) != FALSE, quit);
        EXPECT_FALSE(w.pane.IsOpen());
        EXPECT_FALSE(w.watchdogFired);
        EXPECT_EQ(::GetWindow(w.folderView.hWnd(), GW_CHILD), nullptr) << "the tree outlived its dialog";
        w.StopSteps();
    }
}

} // namespace
