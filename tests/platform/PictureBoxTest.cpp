// The picture box in a real window under Xvfb, driven with real mouse and key input.
#include "platform/CursorFile.h"
#include "platform/Hourglass.h"
#include "platform/PictureBox.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

void SendMouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof(in));
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &in, sizeof(in));
}

// Moves the pointer to client point (x, y) of hwnd, as a person moving the mouse would. Under
// Wine a late pointer event from the display can undo a move now and then: move again until the
// pointer is there.
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
    // Wine reports the position of a custom cursor off by its hot spot at times; the events the
    // tests check show whether the pointer got there.
}

void Click(DWORD down, DWORD up) {
    SendMouse(down);
    SendMouse(up);
    TestWindow::Pump(60);
}

// A control as the program's controls are made: a picture box that records what it hears.
struct RecordingControl {
    PictureBox box;
    std::vector<std::string> events;

    explicit RecordingControl(HWND parent, int x = 20, int y = 20, int w = 100, int h = 60) {
        PictureBoxArgs args;
        args.parent = parent;
        args.x = x;
        args.y = y;
        args.width = w;
        args.height = h;
        args.backColor = RGB(0, 128, 0);
        EXPECT_TRUE(box.Create(args));
        auto where = [](float px, float py) {
            char text[32];
            std::snprintf(text, sizeof text, "(%d,%d)", static_cast<int>(px), static_cast<int>(py));
            return std::string(text);
        };
        box.onMouseDown = [this, where](int b, int s, float px, float py) {
            events.push_back("down " + std::to_string(b) + " " + std::to_string(s) + " " + where(px, py));
        };
        box.onMouseMove = [this, where](int b, int, float px, float py) {
            events.push_back("move " + std::to_string(b) + " " + where(px, py));
        };
        box.onMouseUp = [this, where](int b, int s, float px, float py) {
            events.push_back("up " + std::to_string(b) + " " + std::to_string(s) + " " + where(px, py));
        };
        box.onClick = [this] { events.push_back("click"); };
        box.onDblClick = [this] { events.push_back("dblclick"); };
        box.Refresh();
        TestWindow::Pump(50);
    }

    // The events other than moves, in order.
    [[nodiscard]] std::vector<std::string> Presses() const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind("move", 0) != 0) out.push_back(e);
        return out;
    }
};

// Cursors by name for a test executable, which carries no resources: drawn and written as the
// art program writes them, then loaded from those files.
class TestCursors {
public:
    TestCursors() {
        folder_ = MakeTestFolder(L"cursors");
        PictureBox::SetCursorLoader([this](const std::wstring& name) -> HCURSOR {
            auto it = loaded_.find(name);
            if (it != loaded_.end()) return it->second;
            const std::wstring path = folder_ + name + L".cur";
            if (!Write(path)) return nullptr;
            auto cursor = static_cast<HCURSOR>(::LoadImageW(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
            if (cursor) loaded_[name] = cursor;
            return cursor;
        });
    }
    ~TestCursors() {
        PictureBox::SetCursorLoader(nullptr);
        for (auto& [name, cursor] : loaded_) ::DestroyCursor(cursor);
    }
    // Only the program's names exist, as in the executable's resources.
    static bool Known(const std::wstring& name) {
        return name == L"MOUSED" || name == L"PICKER" || name == L"PANVIEW" || name == L"SHOU";
    }

private:
    static bool Write(const std::wstring& path) {
        const std::wstring name = path.substr(path.find_last_of(L'\\') + 1, path.size() - path.find_last_of(L'\\') - 5);
        if (!Known(name)) return false;
        GdipBitmap bitmap;
        GdipCreateBitmapFromScan0(32, 32, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
        GdipGraphics g;
        GdipGetImageGraphicsContext(bitmap.get(), g.put());
        GdipGraphicsClear(g.get(), 0);
        GdipSolidFill ink;
        GdipCreateSolidFill(0xFF000000u + static_cast<ARGB>(name.size()) * 40u, ink.put());
        GdipFillRectangleI(g.get(), ink.get(), 4, 4, 20, 20);
        g.reset();
        return WriteCursorFile(bitmap.get(), path, 4, 4);
    }

    std::wstring folder_;
    std::map<std::wstring, HCURSOR> loaded_;
};

} // namespace

TEST(PictureBox, PaintsFromItsBackBufferOnlyWhenRefreshed) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    // Created cleared to its back colour, and shown.
    EXPECT_EQ(control.box.Point(50, 30), RGB(0, 128, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(control.box.hWnd(), 50, 30), RGB(0, 128, 0));

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
    EXPECT_EQ(TestWindow::ScreenPixel(control.box.hWnd(), 10, 10), RGB(0, 128, 0));

    control.box.Refresh();
    TestWindow::Pump(50); // the system puts the window's surface on the screen a moment later
    EXPECT_EQ(TestWindow::ScreenPixel(control.box.hWnd(), 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(control.box.hWnd(), 80, 50), RGB(0, 0, 255));

    // The buffer persists: when the system asks for a repaint, the picture comes back whole.
    ::InvalidateRect(control.box.hWnd(), nullptr, TRUE);
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(control.box.hWnd(), 10, 50), RGB(255, 0, 0));
    EXPECT_EQ(TestWindow::ScreenPixel(control.box.hWnd(), 99, 59), RGB(0, 0, 255));

    // Cls clears to the back colour; a new back colour clears too.
    control.box.Cls();
    EXPECT_EQ(control.box.Point(10, 10), RGB(0, 128, 0));
    control.box.SetBackColor(RGB(10, 20, 30));
    control.box.Refresh();
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(control.box.hWnd(), 90, 50), RGB(10, 20, 30));
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
    EXPECT_EQ(control.box.Height(), 90);
    EXPECT_EQ(control.box.Point(5, 5), RGB(255, 0, 0));      // old content kept
    EXPECT_EQ(control.box.Point(150, 80), RGB(0, 128, 0));   // new area in the back colour
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
    EXPECT_TRUE(control.box.Visible());
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 12, 12), RGB(255, 0, 0));
}

TEST(PictureBox, HoldsTheMouseFromPressToReleaseOutside) {
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
    const int besideWhileHeld = besideMouse;
    SendMouse(MOUSEEVENTF_LEFTUP);
    TestWindow::Pump(50);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Down, then the moves with the left button held, then the release where it happened.
    const auto& e = control.events;
    const auto down = std::find(e.begin(), e.end(), "down 1 0 (30,20)");
    ASSERT_NE(down, e.end());
    const auto inWindow = std::find(down, e.end(), "move 1 (150,20)");
    ASSERT_NE(inWindow, e.end());
    EXPECT_NE(std::find(inWindow, e.end(), "move 1 (260,-10)"), e.end());
    EXPECT_EQ(e.back(), "up 1 0 (260,-10)");
    // Released outside: no click.
    EXPECT_EQ(std::count(control.events.begin(), control.events.end(), "click"), 0);

    EXPECT_EQ(besideWhileHeld, 0);

    // Without a press, moves outside do not reach it.
    control.events.clear();
    MouseTo(control.box.hWnd(), 250, 20);
    EXPECT_TRUE(control.events.empty());
    EXPECT_GT(besideMouse, 0);
}

TEST(PictureBox, ReportsButtonsShiftAndClick) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    MouseTo(control.box.hWnd(), 40, 30);
    Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    SendKey(VK_CONTROL, false);
    TestWindow::Pump(30);
    Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    SendKey(VK_CONTROL, true);
    TestWindow::Pump(30);
    // Wait out the double-click time so the next press is a fresh one.
    TestWindow::Pump(static_cast<int>(::GetDoubleClickTime()) + 50);
    SendKey(VK_SHIFT, false);
    TestWindow::Pump(30);
    Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    SendKey(VK_SHIFT, true);
    TestWindow::Pump(30);

    const std::vector<std::string> expected = {"down 2 0 (40,30)", "up 2 0 (40,30)", "down 4 0 (40,30)",
                                               "up 4 0 (40,30)",   "down 1 2 (40,30)", "up 1 2 (40,30)",
                                               "click",            "down 1 1 (40,30)", "up 1 1 (40,30)",
                                               "click"};
    EXPECT_EQ(control.Presses(), expected);
}

TEST(PictureBox, DoubleClickArrivesAsTheRuntimeReportsIt) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    MouseTo(control.box.hWnd(), 50, 25);
    TestWindow::Pump(static_cast<int>(::GetDoubleClickTime()) + 50);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    TestWindow::Pump(80);
    const std::vector<std::string> expected = {"down 1 0 (50,25)", "up 1 0 (50,25)", "click", "dblclick",
                                               "up 1 0 (50,25)"};
    EXPECT_EQ(control.Presses(), expected);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(PictureBox, DisabledIgnoresTheMouse) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    control.box.SetEnabled(false);
    EXPECT_FALSE(control.box.Enabled());
    MouseTo(control.box.hWnd(), 30, 30);
    Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    MouseTo(control.box.hWnd(), 35, 30);
    EXPECT_TRUE(control.events.empty());
    EXPECT_NE(::GetCapture(), control.box.hWnd());

    control.box.SetEnabled(true);
    TestWindow::Pump(static_cast<int>(::GetDoubleClickTime()) + 50);
    Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(control.Presses().size(), 3u); // down, up, click
}

TEST(PictureBox, ShowsCursorsByNameAndByCode) {
    TestCursors cursors;
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    MouseTo(control.box.hWnd(), 60, 30);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));

    ASSERT_TRUE(control.box.SetMouseIcon(L"PICKER"));
    EXPECT_EQ(control.box.GetMousePointer(), MousePointer::Custom);
    const HCURSOR picker = control.box.MouseIcon();
    MouseTo(control.box.hWnd(), 61, 30);
    EXPECT_EQ(::GetCursor(), picker);

    ASSERT_TRUE(control.box.SetMouseIcon(L"MOUSED"));
    MouseTo(control.box.hWnd(), 62, 30);
    EXPECT_EQ(::GetCursor(), control.box.MouseIcon());
    EXPECT_NE(control.box.MouseIcon(), picker);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(control.box.MouseIcon(), &info));
    EXPECT_EQ(info.xHotspot, 4u);
    EXPECT_EQ(info.yHotspot, 4u);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);

    // An unknown name leaves the pointer as it was.
    EXPECT_FALSE(control.box.SetMouseIcon(L"NOSUCH"));
    MouseTo(control.box.hWnd(), 63, 30);
    EXPECT_EQ(::GetCursor(), control.box.MouseIcon());

    control.box.SetMousePointer(MousePointer::Cross);
    MouseTo(control.box.hWnd(), 64, 30);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_CROSS));

    // The hourglass wins over every control's own pointer while it lasts.
    {
        Hourglass busy;
        MouseTo(control.box.hWnd(), 65, 30);
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_WAIT));
    }
    MouseTo(control.box.hWnd(), 66, 30);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_CROSS));
}

TEST(PictureBox, ForwardsKeyPressesToTheShortcutHandler) {
    TestWindow window(200, 140);
    RecordingControl control(window.hwnd());
    FakeShortcutKeyHandler shortcuts;
    std::vector<int> ownKeys;
    control.box.onKeyDown = [&](int key, int) { ownKeys.push_back(key); };
    control.box.shortcutKeys = &shortcuts;

    // A press gives the control the focus, as the runtime's picture box takes it.
    MouseTo(control.box.hWnd(), 20, 20);
    Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(control.box.HasFocus());
    SendKey(VK_RIGHT, false);
    SendKey(VK_RIGHT, true);
    SendKey(VK_CONTROL, false);
    SendKey('Z', false);
    SendKey('Z', true);
    SendKey(VK_CONTROL, true);
    TestWindow::Pump(60);
    EXPECT_TRUE(shortcuts.log.Has(L"HandleShortcutKey(39, 0)"));
    EXPECT_TRUE(shortcuts.log.Has(L"HandleShortcutKey(90, 2)"));
    EXPECT_NE(std::find(ownKeys.begin(), ownKeys.end(), 'Z'), ownKeys.end());

    // A control that types text keeps its keys.
    control.box.ForwardKeys = false;
    shortcuts.log.calls.clear();
    SendKey('A', false);
    SendKey('A', true);
    TestWindow::Pump(60);
    EXPECT_TRUE(shortcuts.log.calls.empty());
    EXPECT_EQ(ownKeys.back(), 'A');
}
