// The text-tool bar in a real window: its lists filled from the installed TrueType faces, its
// defaults and events, the colour box through the colour dialog, and its painted icons.
#include "editor/ModDialogCOlor.h"
#include "editor/ModFont.h"
#include "editor/YDSTextControl.h"
#include "platform/AppState.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kBarWidth = 760, kBarHeight = 24;

// The entries of a list, or the shown one.
std::vector<std::wstring> Entries(HWND list) {
    std::vector<std::wstring> out(static_cast<size_t>(::SendMessageW(list, CB_GETCOUNT, 0, 0)));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i].resize(static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1);
        out[i].resize(
            static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(out[i].data()))));
    }
    return out;
}

std::wstring Shown(HWND list) {
    wchar_t text[128] = {};
    ::GetWindowTextW(list, text, 128);
    return text;
}

// The bar on a window as the main window holds it, with the installed faces in the host's list
// and every event recorded in order.
struct BarFixture {
    TestWindow window{kBarWidth + 20, 80};
    FakeFontListHost fonts;
    FakeTextBarMainWindow mainWindow;
    YDSTextControl bar{fonts, mainWindow};
    std::vector<std::wstring> events;

    BarFixture() {
        AddTrueTypeFaces(fonts);
        PictureBoxArgs args;
        args.parent = window.hwnd();
        args.width = kBarWidth;
        args.height = kBarHeight;
        EXPECT_TRUE(bar.Create(args));
        auto record = [this](const wchar_t* name) { return [this, name] { events.push_back(name); }; };
        bar.onFontClick = record(L"FontClick");
        bar.onFontSizeClick = record(L"FontSizeClick");
        bar.onFontStyleClick = record(L"FontStyleClick");
        bar.onFontRenderClick = record(L"FontRenderClick");
        bar.onColorClick = record(L"ColorClick");
        bar.onTextClick = record(L"TextClick");
        TestWindow::Pump(30);
    }

    void Click(HWND target, int x = 5, int y = 5) {
        ::SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        TestWindow::Pump(20);
    }
    // A key on a list that has the focus, as a person picks with the arrow keys.
    void Key(HWND list, WPARAM key) {
        ::SetFocus(list);
        ::SendMessageW(list, WM_KEYDOWN, key, 0);
        ::SendMessageW(list, WM_KEYUP, key, 0);
        TestWindow::Pump(20);
    }
};

} // namespace

TEST(ModFont, AddsEachTrueTypeFaceOnce) {
    FakeFontListHost fonts;
    LOGFONTW face{};
    for (const auto& [name, type] : {std::pair{L"Tahoma", TRUETYPE_FONTTYPE},
                                     {L"Tahoma", TRUETYPE_FONTTYPE},
                                     {L"MS Sans Serif", RASTER_FONTTYPE},
                                     {L"Courier", DEVICE_FONTTYPE},
                                     {L"Liberation Sans", TRUETYPE_FONTTYPE | DEVICE_FONTTYPE}}) {
        wcscpy(face.lfFaceName, name); // the same face comes once per character set
        EXPECT_EQ(AddTrueTypeFace(&face, nullptr, static_cast<DWORD>(type), reinterpret_cast<LPARAM>(&fonts)), 1);
    }
    EXPECT_EQ(fonts.fonts, (std::vector<std::wstring>{L"Liberation Sans", L"Tahoma"}));
}

TEST(YDSTextControl, AddFontModeFillsTheListsAndReportsTheDefaultsInOrder) {
    BarFixture f;
    f.bar.AddFontMode();
    const YDSTextControl::Children& c = f.bar.Controls();
    // The installed faces of the main window's list, sorted as there, Tahoma shown.
    EXPECT_GT(f.fonts.FontCount(), 3);
    EXPECT_EQ(Entries(c.cbFont), f.fonts.fonts);
    EXPECT_EQ(Shown(c.cbFont), L"Tahoma");
    const std::vector<std::wstring> sizes = Entries(c.cbFontSize);
    ASSERT_EQ(sizes.size(), 296u);
    EXPECT_EQ(sizes.front(), L"5");
    EXPECT_EQ(sizes.back(), L"300");
    EXPECT_EQ(Shown(c.cbFontSize), L"8");
    EXPECT_EQ(Entries(c.cbTextStyle),
              (std::vector<std::wstring>{L"Regular", L"Italic", L"Bold", L"Bold Italic", L"Under Line"}));
    EXPECT_EQ(Shown(c.cbTextStyle), L"Regular");
    EXPECT_EQ(Entries(c.cbTextRender), (std::vector<std::wstring>{L"None", L"Sharp", L"Smooth"}));
    EXPECT_EQ(Shown(c.cbTextRender), L"Smooth");
    // Four events, in the lists' order.
    EXPECT_EQ(f.events,
              (std::vector<std::wstring>{L"FontClick", L"FontSizeClick", L"FontStyleClick", L"FontRenderClick"}));
    EXPECT_EQ(f.bar.textFont() + L" " + f.bar.textFontSize(), L"Tahoma 8");
    EXPECT_EQ(f.bar.textFontStyle(), 0);
    EXPECT_EQ(f.bar.textFontRender(), 2);
}

TEST(YDSTextControl, WithoutTahomaNoFaceIsPickedAndNoFontClickComes) {
    BarFixture f;
    f.fonts.fonts = {L"Liberation Sans", L"Liberation Serif"};
    f.bar.AddFontMode();
    EXPECT_EQ(Shown(f.bar.Controls().cbFont), L"");
    EXPECT_EQ(f.events, (std::vector<std::wstring>{L"FontSizeClick", L"FontStyleClick", L"FontRenderClick"}));
    EXPECT_EQ(f.bar.textFont(), L"Tahoma"); // the default stays
}

TEST(YDSTextControl, PicksInTheListsAndTheTextBoxRaiseTheirEvents) {
    BarFixture f;
    f.bar.AddFontMode();
    f.events.clear();
    const YDSTextControl::Children& c = f.bar.Controls();
    f.Key(c.cbTextStyle, VK_DOWN);
    f.Key(c.cbTextStyle, VK_DOWN);
    EXPECT_EQ(f.bar.textFontStyle(), 2); // Bold, the text tool's style 2
    f.Key(c.cbFontSize, VK_DOWN);
    EXPECT_EQ(f.bar.textFontSize(), L"9");
    f.Key(c.cbTextRender, VK_UP);
    EXPECT_EQ(f.bar.textFontRender(), 1);
    f.Key(c.cbFont, VK_END);
    EXPECT_EQ(f.bar.textFont(), f.fonts.fonts.back());
    f.Click(c.text1);
    EXPECT_EQ(f.events, (std::vector<std::wstring>{L"FontStyleClick", L"FontStyleClick", L"FontSizeClick",
                                                   L"FontRenderClick", L"FontClick", L"TextClick"}));

    // The host's sets: a size text is a whole number (halves to even); one that is no number keeps the size.
    for (const auto& [text, reads] : {std::pair{L"12", L"12"}, {L"13.5", L"14"}, {L"abc", L"14"}}) {
        f.bar.textFontSize(text);
        EXPECT_EQ(f.bar.textFontSize(), reads) << Narrow(text);
    }
    f.bar.textFontColor(RGB(200, 10, 20));
    EXPECT_EQ(f.bar.PickColor().Point(5, 5), RGB(200, 10, 20));
}

TEST(ModDialogCOlor, SplitRGBReadsTheBytesOfAnyStoredValue) {
    struct Case {
        uint32_t colour;
        uint8_t red, green, blue;
    };
    for (const Case& c : {Case{0x000080, 128, 0, 0}, Case{0xFF0000, 0, 0, 255}, Case{0x123456, 0x56, 0x34, 0x12},
                          Case{0x80000005, 5, 0, 0}, Case{0xFFFFFFFF, 255, 255, 255}}) {
        uint8_t r = 1, g = 1, b = 1;
        SplitRGB(c.colour, r, g, b);
        EXPECT_EQ(r, c.red) << std::hex << c.colour;
        EXPECT_EQ(g, c.green) << std::hex << c.colour;
        EXPECT_EQ(b, c.blue) << std::hex << c.colour;
    }
}

// One test for the dialog's whole run: its custom colours are filled on the first call only.
TEST(ModDialogCOlor, TheColourBoxAsksTheDialogAndKeepsItsCustomColours) {
    BarFixture f;
    f.bar.textFontColor(RGB(0, 0, 255));
    std::vector<ColorDialogRequest> asked;
    std::vector<std::array<COLORREF, 16>> tables;
    std::optional<COLORREF> answer;
    ScopedColorDialogAnswerer answerer([&](ColorDialogRequest& request) {
        asked.push_back(request);
        tables.push_back(*request.customColors);
        (*request.customColors)[5] = RGB(1, 2, 3); // the user defines a custom colour
        return answer;
    });

    // A cancel changes no colour, and the event still comes.
    const HWND box = f.bar.PickColor().hWnd();
    f.Click(box);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].owner, f.bar.hWnd());
    EXPECT_EQ(asked[0].initial, RGB(0, 0, 255));
    EXPECT_EQ(asked[0].flags, DWORD{0x103});
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(tables[0][i], i < 2 ? 0 : ::GetSysColor(COLOR_BTNFACE)) << i;
    EXPECT_FALSE(f.mainWindow.log.calls.size());
    EXPECT_EQ(f.bar.PickColor().Point(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(f.events, std::vector<std::wstring>{L"ColorClick"});

    // A chosen colour goes to the canvas and the box; the property keeps its value.
    answer = RGB(10, 200, 30);
    f.Click(box);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(tables[1][5], RGB(1, 2, 3)); // the custom colour defined before is offered again
    EXPECT_EQ(tables[1][6], ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(f.mainWindow.log.calls,
              std::vector<std::wstring>{L"CanvasTextColor=" + Arg(static_cast<int>(RGB(10, 200, 30)))});
    EXPECT_EQ(f.bar.PickColor().Point(5, 5), RGB(10, 200, 30));
    EXPECT_EQ(f.bar.textFontColor(), static_cast<int32_t>(RGB(0, 0, 255)));
    EXPECT_EQ(f.events, (std::vector<std::wstring>{L"ColorClick", L"ColorClick"}));

    // Called directly without the custom part.
    answer.reset();
    EXPECT_EQ(ShowColorDialog(nullptr, 0x123456, false), -1);
    EXPECT_EQ(asked.back().flags, DWORD{0x101});
}

TEST(YDSTextControl, StartPaintDrawsTheGradientAndTheIconsOfTheLibrary) {
    const std::wstring library = std::wstring(VELLUMO_PROGRAM_DIR_WIN) + L"\\Toolbar.dll";
    ASSERT_TRUE(FileExistsForTest(library)) << Narrow(library);
    const std::wstring withLibrary = MakeTestFolder(L"bar-with-library");
    ASSERT_TRUE(::CopyFileW(library.c_str(), (withLibrary + L"Toolbar.dll").c_str(), FALSE));
    const std::wstring withoutLibrary = MakeTestFolder(L"bar-without-library");
    const std::wstring savedFolder = App().AppFolder;
    const ULONG_PTR token = App().GdiplusToken;

    struct Case {
        const wchar_t* name;
        bool library, gdiplus, hideText;
        bool icon0, icon1, icon2, gradient;
    };
    const Case cases[] = {
        {L"all icons", true, true, false, true, true, true, true},
        {L"text box hidden", true, true, true, true, true, false, true},
        {L"no library", false, true, false, false, false, false, true},
        {L"GDI+ not running", true, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        App().AppFolder = c.library ? withLibrary : withoutLibrary;
        BarFixture f;
        App().AppFolder = savedFolder;
        f.bar.HideText(c.hideText);
        App().GdiplusToken = c.gdiplus ? token : 0;
        f.bar.StartPaint();
        App().GdiplusToken = token;
        TestWindow::Pump(30);

        // The icons' places, right-aligned from the colour box.
        const int pickLeft = kBarWidth - 28 - 10, renderLeft = pickLeft - 97, sizeLeft = renderLeft - 105,
                  styleLeft = sizeLeft - 153, text1Left = styleLeft - 150 - 115;
        // Ink of an icon: a pixel of its box far from the background's colour at that row.
        auto inked = [&](int left) {
            for (int y = 0; y < kBarHeight; ++y)
                for (int x = left; x < left + 32; ++x) {
                    const COLORREF p = TestWindow::ScreenPixel(f.bar.hWnd(), x, y);
                    if (GetRValue(p) < 150 || GetBValue(p) > GetRValue(p) + 40) return true;
                }
            return false;
        };
        EXPECT_EQ(inked(sizeLeft + 55 + 15), c.icon0);
        EXPECT_EQ(inked(styleLeft + 103 + 15), c.icon1);
        EXPECT_EQ(inked(text1Left - 40), c.icon2);
        // The gradient: (251, 250, 247) at the top, (244, 242, 233) at the bottom.
        // Unpainted, the box keeps its white back colour.
        const COLORREF top = TestWindow::ScreenPixel(f.bar.hWnd(), 2, 0);
        const COLORREF bottom = TestWindow::ScreenPixel(f.bar.hWnd(), 2, kBarHeight - 1);
        EXPECT_NEAR(GetBValue(top), c.gradient ? 247 : 255, 2);
        EXPECT_NEAR(GetBValue(bottom), c.gradient ? 233 : 255, 2);
    }
}
