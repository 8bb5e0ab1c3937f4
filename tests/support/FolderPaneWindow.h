// A main window for folder-pane tests: a real window with the FolderView picture box, a recording
// host and the pane. Steps run one per timer tick inside whichever loop is running.
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
    std::function<void()> onStepsDone = [this] { pane.FolderViewDestroy(); }; // at every tick after the steps

    FolderPaneWindow() {
        EXPECT_TRUE(folderView.Create({window.hwnd(), 8, 40, 260, 400, kBackColor}));
        host.folderView = folderView.hWnd();
        host.folderViewSize = {260, 400};
        App().CurrentDirectory = L"..."; // as start-up leaves it
        window.onMessage = [this](UINT msg, WPARAM wp, LPARAM, LRESULT*) {
            if (msg != WM_TIMER || inStep) return false;
            inStep = true; // a step may pump messages; the next tick waits for it
            if (wp == kWatchdogTimer) {
                watchdogFired = true;
                pane.FolderViewDestroy();
                ::PostQuitMessage(99);
            } else if (stepsRun < steps.size()) {
                steps[stepsRun++]();
            } else if (onStepsDone) {
                onStepsDone();
            }
            inStep = false;
            return true;
        };
    }
    // Runs the steps a tick apart from now on; a watchdog ends every loop after 30 s.
    void StartSteps(std::vector<std::function<void()>> list) {
        steps = std::move(list);
        stepsRun = 0;
        ::SetTimer(window.hwnd(), kStepTimer, 200, nullptr);
        ::SetTimer(window.hwnd(), kWatchdogTimer, 30000, nullptr);
    }
    void StopSteps() {
        ::KillTimer(window.hwnd(), kStepTimer);
        ::KillTimer(window.hwnd(), kWatchdogTimer);
    }
};
