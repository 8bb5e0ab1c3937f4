// The picture box in a real window under Xvfb. One test drives it with real input (capture, the
// system's double click, a disabled box); the others send the window the messages the system
// would, so they do not depend on where the display puts the pointer.
#include "platform/Hourglass.h"
#include "platform/PictureBox.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

void SendMouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof(in));
}

// Moves the real pointer to client point (x, y) of hwnd. Under Wine a late pointer event from the
// display can undo a move now and then: move again until the pointer is there.
void MouseTo(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(hwnd, &p);
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    for (int attempt = 0; attempt < 10; ++attempt) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = static_cast<LONG>((static_cast<int64_t>(p.x) * 65535 + w / 2) / w);
        in.mi.dy = static_cast<LONG>((static_cast<int64_t>(p.y) * 65535 + h / 2) / h);
        ::SendInput(1, &in, sizeof(in));
        TestWindow::Pump(40);
        POINT now{};
        if (::GetCursorPos(&now) && now.x == p.x && now.y == p.y) return;
    }
    ADD_FAILURE() << "the pointer did not reach (" << p.x << "," << p.y << ")";
}

// A control as the program's controls are made: a picture box that records what it hears.
struct RecordingControl {
    PictureBox box;
    std::vector<std::string> events;

    explicit RecordingControl(HWND parent) {
        EXPECT_TRUE(
            box.Create({.parent = parent, .x = 20, .y = 20, .width = 100, .height = 60, .backColor = RGB(0, 128, 0)}));
        auto record = [this](const char* what, int b, int s, float px, float py) {
            char text[64];
            std::snprintf(text, sizeof text, "%s %d %d (%d,%d)", what, b, s, static_cast<int>(px),
                          static_cast<int>(py));
            events.push_back(text);
        };
        box.onMouseDown = [record](int b, int s, float x, float y) { record("down", b, s, x, y); };
        box.onMouseMove = [record](int b, int s, float x, float y) { record("move", b, s, x, y); };
        box.onMouseUp = [record](int b, int s, float x, float y) { record("up", b, s, x, y); };
        box.onClick = [this] { events.push_back("click"); };
        box.onDblClick = [this] { events.push_back("dblclick"); };
        box.Refresh();
        TestWindow::Pump(50);
    }

    // What the system sends for a mouse message at client point (x, y).
    void Send(UINT msg, WPARAM keys, int x, int y) { ::SendMessageW(box.hWnd(), msg, keys, MAKELPARAM(x, y)); }

    // The events other than moves, in order.
    [[nodiscard]] std::vector<std::string> Presses() const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind("move", 0) != 0) out.push_back(e);
        return out;
    }

    // The cursor the box puts up when the system asks it with WM_SETCURSOR over its client area.
    [[nodiscard]] HCURSOR CursorShown() const {
        ::SendMessageW(box.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(box.hWnd()),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    }
};

} // namespace

TEST(PictureBox, PaintsFromItsBackBufferOnlyWhenRefreshed) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    const HWND box = control.box.hWnd();
    EXPECT_EQ(TestWindow::ScreenPixel(box, 50, 30), RGB(0, 128, 0)); // created cleared and shown

    // GDI and GDI+ drawing land in the buffer but not on the screen until Refresh.
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    RECT left{0, 0, 50, 60};
    ::FillRect(control.box.hDC(), &left, red);
    ::DeleteObject(red);
    {
        GdipGraphics g = control.box.CreateGraphics();
        ASSERT_TRUE(g);
        GdipSolidFill blue;
        GdipCreateSolidFill(0xFF0000FF, blue.put());
        GdipFillRectangleI(g.get(), blue.get(), 50, 0, 50, 60);
    }
    EXPECT_EQ(control.box.Point(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(control.box.Point(80, 10), RGB(0, 0, 255));
    EXPECT_EQ(control.box.Point(100, 10), CLR_INVALID);
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(box, 10, 10), RGB(0, 128, 0));

    control.box.Refresh();
    TestWindow::Pump(50); // the system puts the window's surface on the screen a moment later
    EXPECT_EQ(TestWindow::ScreenPixel(box, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(box, 80, 50), RGB(0, 0, 255));

    // The buffer persists: when the system asks for a repaint, the picture comes back whole.
    ::InvalidateRect(box, nullptr, TRUE);
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(box, 10, 50), RGB(255, 0, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(box, 99, 59), RGB(0, 0, 255));

    // Cls clears to the back colour; a new back colour clears too.
    control.box.Cls();
    EXPECT_EQ(control.box.Point(10, 10), RGB(0, 128, 0));
    control.box.SetBackColor(RGB(10, 20, 30));
    control.box.Refresh();
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(box, 90, 50), RGB(10, 20, 30));
}

TEST(PictureBox, MoveKeepsThePictureAndVisibleHides) {
    TestWindow window(240, 160);
    RecordingControl control(window.hwnd());
    int resized = 0;
    control.box.onResize = [&] { ++resized; };
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    RECT corner{0, 0, 10, 10};
    ::FillRect(control.box.hDC(), &corner, red);
    ::DeleteObject(red);

    control.box.Move(30, 40, 160, 90);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(control.box.Left(), 30);
    EXPECT_EQ(control.box.Top(), 40);
    EXPECT_EQ(control.box.Width(), 160);
    EXPECT_EQ(control.box.Point(5, 5), RGB(255, 0, 0));    // old content kept
    EXPECT_EQ(control.box.Point(150, 80), RGB(0, 128, 0)); // new area in the back colour
    control.box.Move(10, 10, 160, 90);
    EXPECT_EQ(resized, 1); // a move alone is no resize
    control.box.Refresh();
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 12, 12), RGB(255, 0, 0));

    control.box.SetVisible(false);
    TestWindow::Pump(50);
    EXPECT_FALSE(control.box.Visible());
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 12, 12), RGB(255, 255, 255)); // the host shows through
    control.box.SetVisible(true);
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 12, 12), RGB(255, 0, 0));
}

// Real input: the hold from press to release outside, the system's double click, a disabled box.
TEST(PictureBox, HoldsTheRealMouseFromPressToReleaseOutside) {
    TestWindow window(200, 140);
    // A second window beside the host: without the hold, the mouse over it would be its own.
    // (Under Wine with no window manager the pointer only goes where some window of ours is.)
    TestWindow beside(200, 140, 260, 40);
    int besideMouse = 0;
    beside.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ++besideMouse;
        return false;
    };
    RecordingControl control(window.hwnd());
    MouseTo(control.box.hWnd(), 30, 20);
    besideMouse = 0;
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    TestWindow::Pump(50);
    EXPECT_EQ(::GetCapture(), control.box.hWnd());
    // Outside the control and outside the host window: the moves still come to the control.
    MouseTo(control.box.hWnd(), 150, 20);
    MouseTo(control.box.hWnd(), 260, -10);
    EXPECT_EQ(besideMouse, 0);
    SendMouse(MOUSEEVENTF_LEFTUP);
    TestWindow::Pump(50);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Down, then the moves with the left button held, then the release where it happened: no click.
    const auto& e = control.events;
    const auto down = std::find(e.begin(), e.end(), "down 1 0 (30,20)");
    ASSERT_NE(down, e.end());
    const auto inWindow = std::find(down, e.end(), "move 1 0 (150,20)");
    ASSERT_NE(inWindow, e.end());
    EXPECT_NE(std::find(inWindow, e.end(), "move 1 0 (260,-10)"), e.end());
    EXPECT_EQ(e.back(), "up 1 0 (260,-10)");
    EXPECT_EQ(std::count(e.begin(), e.end(), "click"), 0);

    // Without a press, moves outside do not reach it.
    control.events.clear();
    MouseTo(control.box.hWnd(), 250, 20);
    EXPECT_TRUE(control.events.empty());
    EXPECT_GT(besideMouse, 0);

    // Two quick clicks: the system's double click, as the runtime reports it.
    MouseTo(control.box.hWnd(), 50, 25);
    control.events.clear();
    for (int i = 0; i < 2; ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    TestWindow::Pump(80);
    EXPECT_EQ(control.Presses(),
              (std::vector<std::string>{"down 1 0 (50,25)", "up 1 0 (50,25)", "click", "dblclick", "up 1 0 (50,25)"}));
    EXPECT_EQ(::GetCapture(), nullptr);

    // A disabled box hears nothing of the mouse.
    control.box.SetEnabled(false);
    EXPECT_FALSE(control.box.Enabled());
    TestWindow::Pump(static_cast<int>(::GetDoubleClickTime()) + 50);
    control.events.clear();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    MouseTo(control.box.hWnd(), 55, 25);
    EXPECT_TRUE(control.events.empty());
    EXPECT_NE(::GetCapture(), control.box.hWnd());
}

TEST(PictureBox, ReportsButtonsShiftClickAndDoubleClick) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    control.Send(WM_RBUTTONDOWN, MK_RBUTTON, 40, 30);
    EXPECT_EQ(::GetCapture(), control.box.hWnd());
    control.Send(WM_MOUSEMOVE, MK_RBUTTON | MK_MBUTTON, 300, -5);
    control.Send(WM_RBUTTONUP, 0, 300, -5); // released outside: no click for any button
    EXPECT_EQ(::GetCapture(), nullptr);
    control.Send(WM_MBUTTONDOWN, MK_MBUTTON, 40, 30);
    control.Send(WM_MBUTTONUP, 0, 40, 30);
    TestWindow::HoldKeys({VK_CONTROL}, true);
    control.Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 40, 30);
    control.Send(WM_LBUTTONUP, MK_CONTROL, 40, 30);
    TestWindow::HoldKeys({VK_CONTROL}, false);
    TestWindow::HoldKeys({VK_SHIFT, VK_MENU}, true);
    control.Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 40, 30);
    control.Send(WM_LBUTTONUP, MK_SHIFT, 130, 30); // let go outside: no click
    TestWindow::HoldKeys({VK_SHIFT, VK_MENU}, false);
    // The second press of a double click brings DblClick instead of MouseDown, and holds the mouse.
    control.Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    control.Send(WM_LBUTTONUP, 0, 5, 5);
    control.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 5);
    EXPECT_EQ(::GetCapture(), control.box.hWnd());
    control.Send(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(::GetCapture(), nullptr);

    const std::vector<std::string> expected = {
        "down 2 0 (40,30)", "move 6 0 (300,-5)", "up 2 0 (300,-5)", "down 4 0 (40,30)", "up 4 0 (40,30)",
        "down 1 2 (40,30)", "up 1 2 (40,30)",    "click",           "down 1 5 (40,30)", "up 1 5 (130,30)",
        "down 1 0 (5,5)",   "up 1 0 (5,5)",      "click",           "dblclick",         "up 1 0 (5,5)"};
    EXPECT_EQ(control.events, expected);
}

TEST(PictureBox, ShowsCursorsByNameAndByCode) {
    // The executable's cursor resources, stood in for by system cursors no pointer code uses.
    std::map<std::wstring, HCURSOR> made{{L"PICKER", ::LoadCursorW(nullptr, IDC_HAND)},
                                         {L"MOUSED", ::LoadCursorW(nullptr, IDC_IBEAM)}};
    PictureBox::SetCursorLoader([&](const std::wstring& name) { return made.count(name) ? made[name] : nullptr; });
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    EXPECT_EQ(control.CursorShown(), ::LoadCursorW(nullptr, IDC_ARROW));

    ASSERT_TRUE(control.box.SetMouseIcon(L"PICKER"));
    EXPECT_EQ(control.box.GetMousePointer(), MousePointer::Custom);
    EXPECT_EQ(control.CursorShown(), made[L"PICKER"]);
    ASSERT_TRUE(control.box.SetMouseIcon(L"MOUSED"));
    EXPECT_EQ(control.CursorShown(), made[L"MOUSED"]);
    EXPECT_NE(made[L"MOUSED"], made[L"PICKER"]);
    // An unknown name leaves the pointer as it was.
    EXPECT_FALSE(control.box.SetMouseIcon(L"NOSUCH"));
    EXPECT_EQ(control.CursorShown(), made[L"MOUSED"]);

    control.box.SetMousePointer(MousePointer::Cross);
    EXPECT_EQ(control.CursorShown(), ::LoadCursorW(nullptr, IDC_CROSS));
    // The hourglass wins over every control's own pointer until the outermost one ends.
    {
        Hourglass busy;
        { Hourglass inner; }
        EXPECT_TRUE(Hourglass::Active());
        EXPECT_EQ(control.CursorShown(), ::LoadCursorW(nullptr, IDC_WAIT));
    }
    EXPECT_FALSE(Hourglass::Active());
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_CROSS)); // put back at once, not at the next move

    PictureBox::SetCursorLoader(nullptr);
}

TEST(PictureBox, ForwardsKeyPressesToTheShortcutHandler) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    FakeShortcutKeyHandler shortcuts;
    std::vector<int> ownKeys;
    control.box.onKeyDown = [&](int key, int) { ownKeys.push_back(key); };
    control.box.shortcutKeys = &shortcuts;

    // A press gives the control the focus, as the runtime's picture box takes it.
    control.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    control.Send(WM_LBUTTONUP, 0, 20, 20);
    ASSERT_TRUE(control.box.HasFocus());
    ::SendMessageW(control.box.hWnd(), WM_KEYDOWN, VK_RIGHT, 0);
    TestWindow::HoldKeys({VK_CONTROL}, true);
    ::SendMessageW(control.box.hWnd(), WM_KEYDOWN, 'Z', 0);
    TestWindow::HoldKeys({VK_CONTROL}, false);
    EXPECT_EQ(shortcuts.log.calls,
              (std::vector<std::wstring>{L"HandleShortcutKey(39, 0)", L"HandleShortcutKey(90, 2)"}));
    EXPECT_EQ(ownKeys, (std::vector<int>{VK_RIGHT, 'Z'}));

    // A control that types text keeps its keys.
    control.box.ForwardKeys = false;
    ::SendMessageW(control.box.hWnd(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(shortcuts.log.calls.size(), 2u);
    EXPECT_EQ(ownKeys.back(), 'A');
}

namespace {
// A control that records the messages its own handler sees. Its memory is filled with a pattern
// when deleted (and kept), so a box that touches itself after its handler deleted it calls into
// garbage instead of quietly reading what happened to be left.
struct MessageControl : PictureBox {
    std::vector<UINT> seen;
    bool HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT*) override {
        seen.push_back(msg);
        return false;
    }
    static void* operator new(size_t bytes) { return ::operator new(bytes); }
    static void operator delete(void* p, size_t bytes) { std::memset(p, 0xDD, bytes); }
};

PictureBoxArgs ArgsIn(HWND parent) {
    return {.parent = parent, .width = 40, .height = 30};
}
} // namespace

TEST(PictureBox, BindsAtCreationLetsGoAtDestructionAndMayBeClosedByItsOwnHandler) {
    auto window = std::make_unique<TestWindow>(200, 140);
    MessageControl bound;
    ASSERT_TRUE(bound.Create(ArgsIn(window->hwnd())));
    EXPECT_NE(std::find(bound.seen.begin(), bound.seen.end(), static_cast<UINT>(WM_CREATE)), bound.seen.end());
    // A parent that destroys its children leaves no dangling window behind.
    window.reset();
    EXPECT_EQ(bound.hWnd(), nullptr);
    EXPECT_EQ(bound.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(bound.Visible());

    // Handlers that close their own box (Destroy, or delete) at each event the box raises.
    TestWindow host(200, 140);
    for (const UINT closingAt : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDBLCLK, WM_KEYDOWN}) {
        for (const bool deleteIt : {false, true}) {
            SCOPED_TRACE(testing::Message() << "message " << closingAt << (deleteIt ? " delete" : " Destroy"));
            auto* box = new MessageControl;
            ASSERT_TRUE(box->Create(ArgsIn(host.hwnd())));
            const HWND hwnd = box->hWnd();
            int clicks = 0, closed = 0;
            // Closes the box when the event raised is the one of this round.
            const auto closeAt = [&](UINT event) {
                if (event != closingAt) return;
                ++closed;
                if (deleteIt)
                    delete box;
                else
                    box->Destroy();
            };
            box->onMouseDown = [&](int, int, float, float) { closeAt(WM_LBUTTONDOWN); };
            box->onMouseUp = [&](int, int, float, float) { closeAt(WM_LBUTTONUP); };
            box->onMouseMove = [&](int, int, float, float) { closeAt(WM_MOUSEMOVE); };
            box->onDblClick = [&] { closeAt(WM_LBUTTONDBLCLK); };
            box->onKeyDown = [&](int, int) { closeAt(WM_KEYDOWN); };
            box->onClick = [&] { ++clicks; };
            if (closingAt == WM_LBUTTONUP) ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            ::SendMessageW(hwnd, closingAt, closingAt == WM_KEYDOWN ? VK_SPACE : MK_LBUTTON, MAKELPARAM(5, 5));
            EXPECT_EQ(closed, 1);
            EXPECT_FALSE(::IsWindow(hwnd));
            EXPECT_EQ(clicks, 0); // a box closed by its mouse-up handler raises no click
            if (!deleteIt) {
                EXPECT_EQ(box->hWnd(), nullptr);
                delete box;
            }
        }
    }
}
