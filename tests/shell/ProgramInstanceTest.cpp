// One running copy per program folder: later starts of the same folder, each on a thread of its
// own as in a process of its own, hand over to the running copy (its real main window brought
// back from the taskbar) and end; another folder's copy runs beside it; a copy that ended, or
// crashed, lets the next one run.
#include "shell/ProgramInstance.h"
#include "tests/shell/MainWindowFixture.h"

#include <atomic>
#include <thread>

namespace {

// A start of the program folder on another thread, while this one serves its windows: whether it
// runs (true) or hands over (false).
bool StartFrom(const std::wstring& folder, DWORD waitMs = 0) {
    std::atomic<bool> over = false;
    bool runs = false;
    std::thread start([&] {
        ProgramInstance later(folder);
        runs = later.Claim(waitMs);
        over = true;
    });
    while (!over) TestWindow::Pump(10);
    start.join();
    return runs;
}

} // namespace

using ProgramInstanceTest = MainWindowTest;

TEST_F(ProgramInstanceTest, ALaterStartHandsOverToTheRunningCopyOfItsFolderOnly) {
    const std::wstring folder = MakeTestFolder(L"install"), other = MakeTestFolder(L"install-other");
    ProgramInstance running(folder);
    ASSERT_TRUE(running.Claim(0));
    TestWindow window(200, 100);
    // Started before the running copy shows its window: it waits for it, and ends at the time
    // given without running beside it.
    const ULONGLONG before = ::GetTickCount64();
    EXPECT_FALSE(StartFrom(folder, 300));
    EXPECT_GE(::GetTickCount64() - before, 250u);

    running.Publish(window.hwnd());
    // The same folder however its path is written hands over; another folder runs.
    EXPECT_FALSE(StartFrom(folder));
    EXPECT_FALSE(StartFrom(LowerText(folder.substr(0, folder.size() - 1))));
    EXPECT_TRUE(StartFrom(other));
}

TEST_F(ProgramInstanceTest, TheRunningCopyMinimisedComesBackFromTheTaskbar) {
    const std::wstring installed = MakeTestFolder(L"install-minimised");
    ProgramInstance running(installed);
    ASSERT_TRUE(running.Claim(0));
    FrmMain window(Options(true));
    ASSERT_TRUE(window.Create());
    window.Show();
    running.Publish(window.hWnd());
    TestWindow::Pump(100);
    // The title bar's minimise button, pressed and released as the system sends it.
    const RectF minimise = window.TitleSkin.ButtonRect(ButtonControl::kMinimise);
    const LPARAM at = MAKELPARAM(static_cast<int>(minimise.X + minimise.Width / 2),
                                 static_cast<int>(minimise.Y + minimise.Height / 2));
    ::SendMessageW(window.TitleSkin.hWnd(), WM_MOUSEMOVE, 0, at);
    ::SendMessageW(window.TitleSkin.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(window.TitleSkin.hWnd(), WM_LBUTTONUP, 0, at);
    TestWindow::Pump(100);
    ASSERT_FALSE(::IsWindowVisible(window.hWnd()));

    EXPECT_FALSE(StartFrom(installed));
    TestWindow::Pump(100);
    EXPECT_TRUE(::IsWindowVisible(window.hWnd()));
    EXPECT_EQ(::GetForegroundWindow(), window.hWnd());
    window.Unload();
}

TEST_F(ProgramInstanceTest, ACopyThatEndedOrCrashedLetsTheNextOneRun) {
    const std::wstring folder = MakeTestFolder(L"install-ended");
    {
        ProgramInstance ended(folder);
        ASSERT_TRUE(ended.Claim(0));
    }
    EXPECT_TRUE(StartFrom(folder));

    // A copy whose thread ends without letting go, as a crashed process does.
    auto crashed = std::make_unique<ProgramInstance>(folder);
    std::thread run([&] { ASSERT_TRUE(crashed->Claim(0)); });
    run.join();
    EXPECT_TRUE(StartFrom(folder));
}
