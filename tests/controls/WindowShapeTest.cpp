// The nine-piece skin builder and the window shaper in real windows: where each piece of a sheet
// lands, and a dialog shaped by the program's own sheet.
#include "controls/BuildSkinPicture.h"
#include "controls/Transparent.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "platform/PictureBox.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

inline bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}

namespace {

// One colour per piece. The top-right piece is cut from x 139, so its colour also ends the
// top-left piece; rows 52-56 serve the middle pieces and the bottom band's top.
constexpr COLORREF kTopLeft = RGB(200, 0, 0), kTopBand = RGB(0, 200, 0), kTopRight = RGB(0, 0, 200),
                   kLeft = RGB(200, 200, 0), kCentre = RGB(0, 200, 200), kRight = RGB(200, 0, 200),
                   kBottomLeft = RGB(100, 50, 0), kBottomBand = RGB(0, 100, 50), kBottomRight = RGB(50, 0, 100);

COLORREF PieceColour(int x, int y) {
    if (y < 52) return x >= 150 && x <= 154 ? kTopBand : x >= 139 ? kTopRight : kTopLeft;
    if (x >= 152 && x <= 156) return kBottomBand;
    if (y <= 56) return x < 15 ? kLeft : x < 20 ? kCentre : x >= 222 ? kRight : kBottomLeft;
    return x >= 222 ? kBottomRight : kBottomLeft;
}

// A 24 bpp sheet of width x height coloured by PieceColour.
UniqueHBitmap MakeSheet(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueHBitmap sheet(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto* p = static_cast<uint8_t*>(bits) + y * ((width * 3 + 3) & ~3) + x * 3;
            const COLORREF c = PieceColour(x, y);
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    return sheet;
}

struct Probe {
    int x, y;
    COLORREF colour;
};

// A borderless dialog in front of a larger window, with the skin's box filling it.
class SkinnedDialog : public ::testing::Test {
protected:
    TestWindow behind{700, 600, 10, 10};
    TestWindow dialog{400, 300, 60, 60};
    PictureBox box;

    void SetUp() override { ASSERT_TRUE(box.Create({.parent = dialog.hwnd(), .width = 400, .height = 300})); }
    void ExpectPieces(const std::vector<Probe>& probes, GpBitmap* built) {
        for (const Probe& p : probes) {
            EXPECT_EQ(box.Point(p.x, p.y), p.colour) << p.x << "," << p.y;
            EXPECT_EQ(PixelAt(built, p.x, p.y) & 0xFFFFFFu, RGBToARGB(p.colour, 0)) << p.x << "," << p.y;
        }
    }
    // Lets the shape reach the display. Wine (8.0) restacks a window behind the others when the
    // display answers its first shape, though it stays active; Windows keeps the order. The
    // dialog is put back on top so that the points test the shape alone.
    void Settle() {
        TestWindow::Pump(30);
        ::SetWindowPos(dialog.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        TestWindow::Pump(10);
    }
    // The window at a point of the dialog, and the dialog's size.
    HWND At(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(dialog.hwnd(), &p);
        return ::WindowFromPoint(p);
    }
    SIZE DialogSize() const {
        RECT r{};
        ::GetWindowRect(dialog.hwnd(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
};

} // namespace

TEST_F(SkinnedDialog, EachPieceLandsWhereTheNinePieceRulePutsIt) {
    UniqueHBitmap sheet = MakeSheet(237, 104);
    GdipBitmap built = BuildSkinPicture(box, sheet.get());
    ASSERT_TRUE(built);
    // 400 x 300: the top band at x 150-301, the bottom band at 150-384, the middle on rows 52-247;
    // each edge from both sides.
    // clang-format off
    ExpectPieces({{0, 0, kTopLeft}, {149, 10, kTopRight}, {150, 10, kTopBand}, {301, 51, kTopBand},
                  {302, 10, kTopRight}, {399, 0, kTopRight}, {200, 51, kTopBand},
                  {14, 52, kLeft}, {15, 52, kCentre}, {200, 247, kCentre}, {384, 247, kCentre}, {385, 150, kRight},
                  {0, 247, kLeft},
                  {200, 248, kBottomBand}, {149, 299, kBottomLeft}, {150, 299, kBottomBand},
                  {384, 260, kBottomBand}, {385, 260, kBottomRight}, {399, 299, kBottomRight}},
                 built.get());
    // clang-format on
    TestWindow::Pump(30);
    EXPECT_EQ(TestWindow::ScreenPixel(box.hWnd(), 200, 100), kCentre);

    // 160 x 70 leaves no room for the bands and the middle: the corners keep their size and place.
    box.Move(0, 0, 160, 70);
    built = BuildSkinPicture(box, sheet.get());
    ASSERT_TRUE(built);
    ExpectPieces({{61, 10, kTopLeft}, {62, 10, kTopRight}, {144, 69, kBottomLeft}, {145, 30, kBottomRight}},
                 built.get());
    // A sheet too small to cut the pieces from draws nothing.
    UniqueHBitmap tiny = MakeSheet(156, 104);
    EXPECT_FALSE(BuildSkinPicture(box, tiny.get()));
    EXPECT_EQ(box.Point(5, 10), box.BackColor());
}

TEST_F(SkinnedDialog, TheProgramsSkinCutsTheCornersAndFollowsANewPicture) {
    // The sheet the build drew, beside the tests in the art folder.
    const std::wstring path = ExecutableFolder() + L"..\\art\\MAINSKIN.bmp";
    UniqueHBitmap sheet(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!sheet) GTEST_SKIP() << "no art folder beside the tests";
    BITMAP info{};
    ::GetObjectW(sheet.get(), sizeof(info), &info);
    EXPECT_EQ(std::vector<LONG>({info.bmWidth, info.bmHeight, info.bmBitsPixel}), std::vector<LONG>({237, 104, 24}));

    box.Move(0, 0, 300, 200);
    GdipBitmap first = BuildSkinPicture(box, sheet.get());
    Transparent shaper(dialog.hwnd());
    ASSERT_TRUE(shaper.MaskPicture(first.get()));
    Settle();
    EXPECT_EQ(DialogSize(), (SIZE{300, 200}));
    for (POINT p : {POINT{0, 0}, POINT{299, 0}, POINT{0, 199}, POINT{299, 199}, POINT{350, 250}})
        EXPECT_EQ(At(p.x, p.y), behind.hwnd()) << p.x << "," << p.y;
    EXPECT_EQ(At(150, 100), box.hWnd());

    // A second picture of another size resizes the window and replaces the shape.
    box.Move(0, 0, 400, 300);
    GdipBitmap second = BuildSkinPicture(box, sheet.get());
    ASSERT_TRUE(shaper.MaskPicture(second.get()));
    Settle();
    EXPECT_EQ(DialogSize(), (SIZE{400, 300}));
    for (POINT p : {POINT{350, 250}, POINT{299, 199}, POINT{200, 5}})
        EXPECT_EQ(At(p.x, p.y), box.hWnd()) << p.x << "," << p.y;
    EXPECT_EQ(At(399, 299), behind.hwnd());
}

TEST(MaskRegion, HoldsExactlyTheRunsOfOtherColours) {
    // K key: at a row's start, end and middle, a row all key, a lone other pixel.
    const char* rows[] = {"KooKoK", "KKKKKK", "oKKKKo", "ooooKo"};
    GdipBitmap picture = BitmapOf(6, 4, [&](int x, int y) { return rows[y][x] == 'K' ? 0xFFFF00FFu : 0xFFFF00FEu; });
    UniqueGdiObject region = MakeMaskRegion(picture.get(), RGB(255, 0, 255));
    ASSERT_TRUE(region);
    for (int y = -1; y <= 4; ++y)
        for (int x = -1; x <= 6; ++x)
            EXPECT_EQ(::PtInRegion(static_cast<HRGN>(region.get()), x, y) != 0,
                      y >= 0 && y < 4 && x >= 0 && x < 6 && rows[y][x] == 'o')
                << x << "," << y;
    // Without a window to shape the picture is kept but nothing is shaped.
    Transparent shaper;
    EXPECT_FALSE(shaper.MaskPicture(picture.get()));
    EXPECT_NE(shaper.MaskPicture(), nullptr);
}
