// The image toolbar in a real window, with flat-colour icons of the test's own in its data
// folder: the pointer's messages as the system sends them, the looks read back from the strip's
// picture and compared with the same strip drawn without icons.
#include "controls/ToolbarImg.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A data folder whose icons are a flat red 24 x 24 square in the top-left of a clear 27 x 27 image.
std::wstring IconFolder() {
    const std::wstring folder = MakeTestFolder(L"toolbar-icons");
    GdipBitmap icon = BitmapOf(27, 27, [](int x, int y) { return x < 24 && y < 24 ? ColorARGB(255, 200, 0, 0) : 0; });
    for (const wchar_t* name : {L"New.png", L"Open.png", L"Convert.png", L"Import.png", L"Slideshow.png",
                                L"Fitmode.png", L"Zoomout.png", L"Zoomin.png", L"Undo.png", L"Redo.png"})
        EXPECT_TRUE(SaveImageSafely(icon.get(), folder + name, kFormatPng, 0));
    return folder;
}

void ExpectColour(COLORREF p, double r, double g, double b, double tolerance, const std::string& where) {
    EXPECT_NEAR(GetRValue(p), r, tolerance) << where;
    EXPECT_NEAR(GetGValue(p), g, tolerance) << where;
    EXPECT_NEAR(GetBValue(p), b, tolerance) << where;
}

class ImageToolbar : public ::testing::Test {
protected:
    static constexpr int kW = 900, kH = 40, kIconRow = (kH - 24) / 2 + 12;
    TestWindow window{kW + 20, kH + 20};
    FakeToolbarSearchGrid grid;
    ToolbarImg bar{grid};
    FakeShortcutKeyHandler keys;
    std::vector<std::string> events; // "down 62", "up 62": the kind and the event's x
    std::wstring savedDataPath = App().DataPath;
    std::vector<uint32_t> plain; // the strip drawn without icons, no button hot
    std::vector<int> iconLeft;   // the left column of each button's icon

    void SetUp() override {
        ASSERT_TRUE(bar.Create({.parent = window.hwnd(), .width = kW, .height = kH}));
        bar.shortcutKeys = &keys;
        bar.onMouseDown = [this](int, int, float x, float) { events.push_back("down " + std::to_string(int(x))); };
        bar.onMouseUp = [this](int, int, float x, float) { events.push_back("up " + std::to_string(int(x))); };
        App().DataPath = MakeTestFolder(L"toolbar-none"); // a missing icon leaves its button bare
        bar.StartPaint();
        plain = Picture();
        App().DataPath = IconFolder();
        bar.StartPaint();
        // An icon shows, at whatever opacity, where the picture differs from the bare strip.
        const std::vector<uint32_t> now = Picture();
        for (int x = 0, row = kIconRow * kW; x < kW; ++x)
            if (now[row + x] != plain[row + x] && (x == 0 || now[row + x - 1] == plain[row + x - 1]))
                iconLeft.push_back(x);
        ASSERT_EQ(iconLeft.size(), 10u);
    }
    void TearDown() override { App().DataPath = savedDataPath; }

    [[nodiscard]] std::vector<uint32_t> Picture() const {
        ::GdiFlush();
        return {bar.Bits(), bar.Bits() + kW * kH};
    }
    [[nodiscard]] COLORREF Plain(int x, int y) const {
        const uint32_t p = plain[static_cast<size_t>(y * kW + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // What the system sends for a press and a release at (x, y) of the strip.
    void Press(int x, int y = 15) {
        SendMouse(bar.hWnd(), WM_MOUSEMOVE, 0, x, y);
        SendMouse(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    }
    void Release(int x, int y = 15) {
        SendMouse(bar.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, x, y);
        SendMouse(bar.hWnd(), WM_LBUTTONUP, 0, x, y);
    }
    // Button id's icon at opacity over the bare strip.
    void ExpectIcon(int id, double opacity) const {
        const int x = iconLeft[static_cast<size_t>(id)] + 12;
        const COLORREF under = Plain(x, kIconRow);
        ExpectColour(bar.Point(x, kIconRow), 200 * opacity + GetRValue(under) * (1 - opacity),
                     GetGValue(under) * (1 - opacity), GetBValue(under) * (1 - opacity), 3,
                     "icon " + std::to_string(id));
    }
    // The rounded background's gradient from row 0 to row 30 (mirrored beyond), at (x, y).
    void ExpectBackground(int x, int y, COLORREF top, COLORREF bottom) const {
        const double t = y + 0.5 <= 30 ? (y + 0.5) / 30 : (60 - y - 0.5) / 30;
        auto at = [t](int a, int b) { return a + (b - a) * t; };
        ExpectColour(bar.Point(x, y), at(GetRValue(top), GetRValue(bottom)), at(GetGValue(top), GetGValue(bottom)),
                     at(GetBValue(top), GetBValue(bottom)), 2, "row " + std::to_string(y));
    }
};

TEST_F(ImageToolbar, LaysTheButtonsOutInGroups) {
    EXPECT_EQ(iconLeft[0], 8);
    EXPECT_EQ(iconLeft[1], 62);               // New is 24 wide, then a separator's 30
    EXPECT_EQ(iconLeft[9] - iconLeft[8], 39); // Undo is 24 wide, then 15
    // The separator after New: a dark line at 8 + 24 + 15 and a white one beside it.
    EXPECT_LT(GetGValue(bar.Point(47, 20)), GetGValue(bar.Point(45, 20)));
    EXPECT_EQ(bar.Point(48, 20), RGB(255, 255, 255));
    // The pointer's edges of New and of Redo: 24 wide and 20 high from the icons' top.
    bar.EnabledID(9, true);
    bar.StartPaint();
    const int redo = iconLeft[9];
    struct Case {
        int x, y, pressID;
    };
    for (const Case& c : {Case{8, 8, 0}, Case{31, 27, 0}, Case{7, 15, 10}, Case{32, 15, 10}, Case{10, 7, 10},
                          Case{10, 28, 10}, Case{redo + 23, 15, 9}, Case{redo + 24, 15, 10}}) {
        Press(c.x, c.y);
        EXPECT_EQ(bar.PressID(), c.pressID) << c.x << "," << c.y;
        Release(c.x, c.y);
    }
}

TEST_F(ImageToolbar, IconsShowTheirStateThroughTheirOpacity) {
    for (int id = 0; id < 10; ++id) ExpectIcon(id, id == 0 || id == 1 || id == 3 ? 0.8 : 0.2);
    // The canvas's way: Undo enabled through the view it holds.
    ImageToolbarView& view = bar;
    view.EnabledID(8, true);
    view.StartPaint();
    ExpectIcon(8, 0.8);
    ExpectIcon(9, 0.2);
}

TEST_F(ImageToolbar, EnablingShowsAtTheNextPaintAndThenPresses) {
    const int x = iconLeft[2];
    const std::vector<uint32_t> before = Picture();
    Press(x + 5); // disabled: no background, no pressed icon
    EXPECT_EQ(bar.PressID(), 10);
    EXPECT_EQ(Picture(), before);
    Release(x + 5);
    bar.EnabledID(2, true);
    EXPECT_EQ(Picture(), before);
    bar.StartPaint();
    ExpectIcon(2, 0.8);
    Press(x + 5);
    EXPECT_EQ(bar.PressID(), 2);
    // The pressed look: the darker colour at the top, the icon one pixel right and down.
    for (int y : {5, 30}) ExpectBackground(x + 25, y, RGB(244, 242, 233), RGB(251, 250, 247));
    EXPECT_GT(GetGValue(bar.Point(x, kIconRow)), 200);
    EXPECT_LT(GetGValue(bar.Point(x + 24, kIconRow)), 100);
    // Hot without the press: the other way round.
    Release(x + 5);
    SendMouse(bar.hWnd(), WM_MOUSEMOVE, 0, x + 5, 15);
    for (int y : {5, 30}) ExpectBackground(x + 25, y, RGB(251, 250, 247), RGB(244, 242, 233));
}

TEST_F(ImageToolbar, AHeldButtonIsWhiteOnlyWhileEnabled) {
    const int x = iconLeft[5] + 25, y = 30;
    bar.PressDownID(5, true);
    EXPECT_TRUE(bar.Rpressdown(5));
    EXPECT_EQ(bar.Point(x, y), Plain(x, y));
    bar.EnabledID(5, true);
    bar.StartPaint();
    EXPECT_EQ(bar.Point(x, y), RGB(255, 255, 255));
    // Ids outside the table change nothing; the table's last id holds but never shows.
    bar.PressDownID(11, true);
    EXPECT_TRUE(bar.Rpressdown(11));
    const std::vector<uint32_t> held = Picture();
    for (int id : {-1, 12, 1000}) {
        bar.EnabledID(id, true);
        bar.PressDownID(id, true);
        EXPECT_FALSE(bar.Rpressdown(id)) << id;
    }
    bar.StartPaint();
    EXPECT_EQ(Picture(), held);
    bar.PressDownID(5, false);
    EXPECT_FALSE(bar.Rpressdown(5));
    EXPECT_EQ(bar.Point(x, y), Plain(x, y));
}

TEST_F(ImageToolbar, EventsCarryTheLeftOfTheLastHotButton) {
    Press(62 + 5);
    EXPECT_EQ(bar.PressID(), 1);
    Release(600); // off every button: reported all the same
    Press(600);
    EXPECT_EQ(bar.PressID(), 10);
    Release(600);
    SendMouse(bar.hWnd(), WM_MOUSEMOVE, 0, iconLeft[2] + 5, 15); // a disabled button is never hot
    Press(600);
    Release(600);
    EXPECT_EQ(events, (std::vector<std::string>{"down 62", "up 62", "down 62", "up 62", "down 62", "up 62"}));
}

TEST_F(ImageToolbar, TheSearchBoxSearchesTheGrid) {
    HWND box = bar.SearchTextWindow();
    auto boxRect = [&] {
        RECT r{};
        ::GetWindowRect(box, &r);
        ::MapWindowPoints(HWND_DESKTOP, bar.hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    EXPECT_EQ(boxRect().left, kW - 145);
    EXPECT_EQ(boxRect().top, (kH - 25) / 2 + 6);
    EXPECT_EQ(boxRect().right, kW - 35);
    for (wchar_t c : std::wstring(L"cat")) ::SendMessageW(box, WM_CHAR, c, 0);
    ::SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(grid.log.calls.empty()); // the search waits for the key's release
    ::SendMessageW(box, WM_KEYUP, VK_RETURN, 0);
    SendMouse(box, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    SendMouse(box, WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(grid.log.calls,
              (std::vector<std::wstring>{L"SearchThumbnaillGO(\"cat\", true)", L"SearchThumbnaillGO(\"\", false)"}));
    EXPECT_TRUE(keys.log.calls.empty()); // typing is the box's own; keys on the strip are not
    ::SendMessageW(bar.hWnd(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(keys.log.calls, std::vector<std::wstring>{L"HandleShortcutKey(46, 0)"});
    // The box follows the strip's size; an odd height rounds the box's top down.
    bar.Move(0, 0, 801, 41);
    EXPECT_EQ(boxRect().left, 801 - 145);
    EXPECT_EQ(boxRect().top, 8 + 6);
}

TEST_F(ImageToolbar, GoSearchesUnderThePointingHand) {
    std::vector<BYTE> andMask(128, 0xFF), xorMask(128, 0);
    HCURSOR hand = ::CreateCursor(nullptr, 0, 0, 32, 32, andMask.data(), xorMask.data());
    PictureBox::SetCursorLoader([hand](const std::wstring& name) { return name == L"MOUSED" ? hand : nullptr; });
    // GO's square: 20 pixels from the search box's right end (kW - 30), rows 2 to 21.
    struct Case {
        int x, y;
        bool hand;
    };
    for (const Case& c : {Case{kW - 31, 12, false}, Case{kW - 30, 12, true}, Case{kW - 11, 21, true},
                          Case{kW - 10, 12, false}, Case{kW - 20, 22, false}}) {
        SendMouse(bar.hWnd(), WM_MOUSEMOVE, 0, c.x, c.y);
        EXPECT_EQ(bar.GetMousePointer() == MousePointer::Custom && bar.MouseIcon() == hand, c.hand) << c.x;
    }
    SendMouse(bar.hWnd(), WM_MOUSEMOVE, 0, kW - 20, 12);
    SendMouse(bar.SearchTextWindow(), WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(bar.GetMousePointer(), MousePointer::Default);

    ::SetWindowTextW(bar.SearchTextWindow(), L"dog");
    Press(62 + 5); // an earlier press: GO sets PressID back to 10
    Release(62 + 5);
    SendMouse(bar.hWnd(), WM_MOUSEMOVE, 0, kW - 20, 12);
    const std::vector<uint32_t> before = Picture();
    SendMouse(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, kW - 20, 12);
    EXPECT_EQ(bar.PressID(), 10);
    EXPECT_EQ(Picture(), before); // the search paints nothing
    EXPECT_EQ(grid.log.calls, std::vector<std::wstring>{L"SearchThumbnaillGO(\"dog\", true)"});
    Release(kW - 20, 12);
    EXPECT_EQ(events, (std::vector<std::string>{"down 62", "up 62", "down 62", "up 62"}));
    PictureBox::SetCursorLoader(nullptr);
    ::DestroyCursor(hand);
}

} // namespace
