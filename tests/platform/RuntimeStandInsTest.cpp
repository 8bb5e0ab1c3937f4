// The runtime stand-ins: the message pump and its guard, timers, the file list and the question
// message boxes lack. (The hourglass is shown through a picture box in PictureBoxTest.)
#include "platform/DoEvents.h"
#include "platform/FileList.h"
#include "platform/MessageBoxService.h"
#include "platform/Timer.h"
#include "platform/WindowText.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(DoEvents, AHandlerThatPumpsDoesNotRunNestedWhenItsMessageComesAgain) {
    TestWindow window(60, 40);
    ReentryGuard guard;
    int depth = 0, deepest = 0, runs = 0, refused = 0;
    bool nestedPumpRan = true;
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_APP + 2) {
            // A message that DoEvents is running may not pump again.
            nestedPumpRan = DoEvents();
            return true;
        }
        if (msg != WM_APP + 1) return false;
        auto entered = guard.TryEnter();
        if (!entered) {
            ++refused;
            return true;
        }
        ++runs;
        deepest = std::max(deepest, ++depth);
        if (runs == 1) {
            // While this handler works, the same message arrives again and a pumping one too.
            ::PostMessageW(window.hwnd(), WM_APP + 1, 0, 0);
            ::PostMessageW(window.hwnd(), WM_APP + 2, 0, 0);
            EXPECT_TRUE(DoEvents());
            EXPECT_TRUE(InsideDoEvents() == false);
        }
        --depth;
        return true;
    };
    ::SendMessageW(window.hwnd(), WM_APP + 1, 0, 0);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(nestedPumpRan);
    EXPECT_FALSE(guard.Busy());
    // Once the handler is done, the message runs again normally.
    ::SendMessageW(window.hwnd(), WM_APP + 1, 0, 0);
    EXPECT_EQ(runs, 2);
}

TEST(DoEvents, RunsPendingPaintsAndLeavesAQuitForTheOuterLoop) {
    TestWindow window(60, 40);
    int paints = 0;
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT) return false;
        ++paints;
        PAINTSTRUCT ps;
        ::BeginPaint(window.hwnd(), &ps);
        ::EndPaint(window.hwnd(), &ps);
        return true;
    };
    ::InvalidateRect(window.hwnd(), nullptr, FALSE);
    ::PostQuitMessage(3);
    EXPECT_TRUE(DoEvents());
    EXPECT_EQ(paints, 1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(Timer, TicksWhileEnabledAndStopsWhenDisabledOrGone) {
    int ticks = 0;
    {
        Timer timer;
        timer.onTimer = [&] { ++ticks; };
        timer.SetInterval(20);
        TestWindow::Pump(100);
        EXPECT_EQ(ticks, 0); // not enabled yet
        timer.SetEnabled(true);
        TestWindow::Pump(250);
        EXPECT_GE(ticks, 3);
        timer.SetEnabled(false);
        const int stopped = ticks;
        TestWindow::Pump(100);
        EXPECT_EQ(ticks, stopped);

        // A handler may stop its own timer.
        timer.onTimer = [&] {
            ++ticks;
            timer.SetEnabled(false);
        };
        timer.SetEnabled(true);
        TestWindow::Pump(150);
        EXPECT_EQ(ticks, stopped + 1);
        timer.SetEnabled(true);
    }
    const int atEnd = ticks;
    TestWindow::Pump(100); // the destroyed timer never ticks
    EXPECT_EQ(ticks, atEnd);
}

TEST(FileList, ListsMatchingFilesSortedAsTheRuntimeSortsThem) {
    const std::wstring folder = MakeTestFolder(L"filelist");
    for (const wchar_t* name : {L"b.JPG", L"a.png", L"C.jpg", L"hidden.jpg", L"note.txt", L"a10.png", L"a9.png"})
        ASSERT_TRUE(WriteTestFile(folder + name, "x"));
    ::SetFileAttributesW((folder + L"hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CreateDirectoryW((folder + L"d.jpg").c_str(), nullptr);

    FileList list;
    list.SetPattern(L"*.jpg; *.png");
    EXPECT_EQ(list.ListCount(), 0); // no folder yet
    list.SetPath(folder);
    const std::vector<std::wstring> expected = {L"a.png", L"a10.png", L"a9.png", L"b.JPG", L"C.jpg"};
    EXPECT_EQ(list.Names(), expected);
    EXPECT_EQ(list.ListCount(), 5);
    EXPECT_EQ(list.List(4), L"C.jpg");
    EXPECT_EQ(list.List(5), L"");
    EXPECT_EQ(list.List(-1), L"");

    // A file added later shows after Refresh; one pattern matching twice lists it once.
    ASSERT_TRUE(WriteTestFile(folder + L"B2.png", "x"));
    EXPECT_EQ(list.ListCount(), 5);
    list.Refresh();
    EXPECT_EQ(list.ListCount(), 6);
    EXPECT_EQ(list.List(4), L"B2.png");
    list.SetPattern(L"*.png;a*.png");
    EXPECT_EQ(list.ListCount(), 4);

    list.SetPattern(L"*.*");
    EXPECT_EQ(list.ListCount(), 7); // note.txt too; never the folder or the hidden file
    list.SetPath(folder + L"missing\\");
    EXPECT_EQ(list.ListCount(), 0);
}

namespace {

// Once the question shows: notes its buttons and whether its owner and that one's owner take input,
// then presses the button press (Escape for 0).
struct QuestionPress {
    static inline int press = 0;
    static inline std::vector<std::wstring> buttons;
    static inline bool ownerLive = true, mainLive = true;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND question = ::FindWindowW(L"#32770", L"Replace?");
        if (!question || !::IsWindowVisible(question)) return;
        ::KillTimer(nullptr, timer);
        ownerLive = ::IsWindowEnabled(::GetWindow(question, GW_OWNER)) != FALSE;
        mainLive = ::IsWindowEnabled(::GetWindow(::GetWindow(question, GW_OWNER), GW_OWNER)) != FALSE;
        buttons.clear();
        for (HWND child = ::GetWindow(question, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::GetDlgCtrlID(child) > 0) buttons.push_back(WindowText(child));
        if (!press)
            ::PostMessageW(::GetDlgItem(question, IDYES), WM_KEYDOWN, VK_ESCAPE, 0);
        else if (const HWND button = ::GetDlgItem(question, press))
            ::PostMessageW(button, BM_CLICK, 0, 0);
        else
            ::PostMessageW(question, WM_COMMAND, IDCANCEL, 0); // no such button: closed, not left open
    }
};

} // namespace

TEST(MessageBoxService, TheYesToAllQuestionIsModalOverItsOwnersAndEscapeCancelsIt) {
    TestWindow main(400, 300), owner(300, 200);
    // Owned in turn, as the batch window is by the main window.
    ::SetWindowLongPtrW(owner.hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(main.hwnd()));
    const MessageBoxRequest request{owner.hwnd(), L"Replace \"a.jpg\"?", L"Replace?", kMbYesYesToAllNoCancel};
    for (const auto& [press, answer] : {std::pair{0, IDCANCEL}, std::pair{kIdYesToAll, kIdYesToAll}}) {
        QuestionPress::press = press;
        ::SetTimer(nullptr, 0, 50, &QuestionPress::Tick);
        EXPECT_EQ(ShowMessageBox(request), answer);
    }
    EXPECT_FALSE(QuestionPress::ownerLive);
    EXPECT_FALSE(QuestionPress::mainLive) << "the owner's owner took input";
    EXPECT_TRUE(::IsWindowEnabled(main.hwnd()) && ::IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(QuestionPress::buttons, (std::vector<std::wstring>{L"&Yes", L"Yes to &All", L"&No", L"Cancel"}));
}
