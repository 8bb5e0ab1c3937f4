// A main window for folder-pane tests: a real window with the FolderView picture box, a recording
// host and the pane. Test steps run one per timer tick inside whichever loop is running, so they
// see the pane while its dialog's loop is the program's loop.
#pragma once

#include "browser/ModFolderView.h"
#include "platform/AppState.h"
#include "platform/PictureBox.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

struct FolderPaneWindow {
    static constexpr COLORREF kBackColor = RGB(200, 30, 30);
    static constexpr UINT_PTR kStepTimer = 1, kWatchdogTimer = 2;

    TestWindow window{420, 520};
    PictureBox folderView;
    FakeFolderPaneHost host;
    ModFolderView pane{host};
    std::vector<std::function<void()>> steps;
    size_t stepsRun = 0;
    bool watchdogFired = false;
    bool inStep = false;
    // Runs at the tick after the last step.
    std::function<void()> onStepsDone = [this] { pane.FolderViewDestroy(); };

    FolderPaneWindow() {
        PictureBoxArgs args;
        args.parent = window.hwnd();
        args.x = 8;
        args.y = 40;
        args.width = 260;
        args.height = 400;
        args.backColor = kBackColor;
        EXPECT_TRUE(folderView.Create(args));
        host.folderView = folderView.hWnd();
        host.folderViewSize = {260, 400};
        App().CurrentDirectory = L"..."; // as start-up leaves it
        window.onMessage = [this](UINT msg, WPARAM wp, LPARAM, LRESULT*) {
            if (msg == WM_TIMER && wp == kWatchdogTimer) {
                watchdogFired = true;
                pane.FolderViewDestroy();
                ::PostQuitMessage(99);
            }
            if (msg != WM_TIMER || wp != kStepTimer || inStep)
                return false;
            inStep = true; // a step may pump messages; the next tick waits for it
            if (stepsRun < steps.size())
                steps[stepsRun++]();
            else if (onStepsDone)
                onStepsDone();
            inStep = false;
            return true;
        };
    }

    // Runs the steps a tick apart from now on, then onStepsDone at every later tick; a watchdog ends
    // every loop after 30 s.
    void StartSteps(std::vector<std::function<void()>> list, UINT interval = 200) {
        steps = std::move(list);
        stepsRun = 0;
        ::SetTimer(window.hwnd(), kStepTimer, interval, nullptr);
        ::SetTimer(window.hwnd(), kWatchdogTimer, 30000, nullptr);
    }
    void StopSteps() {
        ::KillTimer(window.hwnd(), kStepTimer);
        ::KillTimer(window.hwnd(), kWatchdogTimer);
    }
};
