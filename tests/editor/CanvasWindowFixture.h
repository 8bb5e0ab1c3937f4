// A canvas of 400 x 300 in a real window under Xvfb with recording fakes for its neighbours, and
// the mouse and screen helpers its window tests share.
#pragma once

#include "editor/Imageyzviewer.h"
#include "tests/editor/CanvasTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

inline constexpr int kW = 400, kH = 300;
inline const COLORREF kBackground = Imageyzviewer::kBackColor;

struct CanvasWindowTest : ::testing::Test {
    std::wstring folder = MakeTestFolder(L"canvas-window");
    TestWindow host{kW, kH};
    FakeImageToolbar toolbar;
    FakeCanvasMainWindow mainWindow;
    FakeShortcutKeyHandler keys;
    FakeImageFileShell fileShell;
    FakeCanvasSizeDialog sizeDialog;
    std::unique_ptr<Imageyzviewer> canvas = std::make_unique<Imageyzviewer>();
    std::vector<std::wstring> notified;

    void SetUp() override {
        PictureBoxArgs args;
        args.parent = host.hwnd();
        args.width = kW;
        args.height = kH;
        ASSERT_TRUE(canvas->Create(args, {&mainWindow, &toolbar, &keys, &fileShell, &sizeDialog}));
        canvas->onPropertyChanged = [this](const std::wstring& name) { notified.push_back(name); };
    }

    void Send(UINT msg, WPARAM held, float x, float y) {
        ::SendMessageW(canvas->hWnd(), msg, held, MAKELPARAM(static_cast<int>(x), static_cast<int>(y)));
    }
    // Hover to the start, press, move through the points, release at the last.
    void Drag(PointF from, std::initializer_list<PointF> through) {
        Send(WM_MOUSEMOVE, 0, from.X, from.Y);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, from.X, from.Y);
        PointF last = from;
        for (const PointF& p : through) {
            Send(WM_MOUSEMOVE, MK_LBUTTON, p.X, p.Y);
            last = p;
        }
        Send(WM_LBUTTONUP, 0, last.X, last.Y);
        TestWindow::Pump(20);
    }
    // What the screen shows at a canvas point, once the display has caught up with the window.
    [[nodiscard]] COLORREF Screen(int x, int y) const {
        TestWindow::Pump(15);
        return TestWindow::ScreenPixel(canvas->hWnd(), x, y);
    }
};

#define EXPECT_NEAR_COLOUR(actual, expected, tolerance)                                                                \
    EXPECT_LE(RgbDistance((actual), (expected)), (tolerance))                                                          \
        << std::hex << "colour " << (actual) << " expected " << (expected)
