// The nine-piece skin builder and the window shaper in real windows: where each piece of the
// sheet lands, and a dialog shaped by the program's own skin sheet.
#include "controls/BuildSkinPicture.h"
#include "controls/Transparent.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/PictureBox.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// One colour per piece of the sheet (the top-right piece starts at x 139, so its colour also
// shows at the right end of the top-left piece).
constexpr COLORREF kTopLeft = RGB(200, 0, 0), kTopBand = RGB(0, 200, 0), kTopRight = RGB(0, 0, 200),
                   kLeft = RGB(200, 200, 0), kCentre = RGB(0, 200, 200), kRight = RGB(200, 0, 200),
                   kBottomLeft = RGB(100, 50, 0), kBottomBand = RGB(0, 100, 50), kBottomRight = RGB(50, 0, 100);

// A 24 bpp DIB section of width x height filled by colourAt(x, y).
template <typename F> UniqueHBitmap MakeSheet(int width, int height, F colourAt) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    UniqueHBitmap sheet(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colourAt(x, y);
            auto* p = static_cast<uint8_t*>(bits) + y * stride + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return sheet;
}

UniqueHBitmap PieceSheet() {
    return MakeSheet(237, 104, [](int x, int y) {
        if (y < 52)
            return x >= 150 && x <= 154 ? kTopBand : x >= 139 ? kTopRight : kTopLeft;
        if (x >= 152 && x <= 156)
            return kBottomBand;
        if (y <= 56)
            return x < 15 ? kLeft : x < 20 ? kCentre : x >= 222 ? kRight : kBottomLeft;
        return x >= 222 ? kBottomRight : kBottomLeft;
    });
}

// The program's sheet as the build drew it, beside the tests in the art folder.
UniqueHBitmap ProgramSheet() {
    const std::wstring path = ExecutableFolder() + L"..\\art\\MAINSKIN.bmp";
    return UniqueHBitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

// A borderless dialog in front of a larger window, with the skin's box filling it.
class SkinnedDialog : public ::testing::Test {
protected:
    TestWindow behind{700, 600, 10, 10};
    TestWindow dialog{400, 300, 60, 60};
    PictureBox box;

    void SetUp() override { MakeBox(400, 300); }
    void MakeBox(int width, int height) {
        PictureBoxArgs args;
        args.parent = dialog.hwnd();
        args.width = width;
        args.height = height;
        args.backColor = RGB(255, 255, 255);
        ASSERT_TRUE(box.Create(args));
    }
    // Lets the shaping reach the display. Wine (8.0) restacks a window behind the others on the
    // display's answer to its first shape, though it stays the active window; Windows keeps the
    // order. The dialog is put back on top so the points test the shape alone.
    void Settle() {
        TestWindow::Pump(30);
        ::SetWindowPos(dialog.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        TestWindow::Pump(10);
    }
    // The window found at a point of the dialog (in its own coordinates).
    HWND At(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(dialog.hwnd(), &p);
        return ::WindowFromPoint(p);
    }
};

} // namespace

TEST_F(SkinnedDialog, EachPieceLandsWhereTheNinePieceRulePutsIt) {
    UniqueHBitmap sheet = PieceSheet();
    GdipBitmap built = BuildSkinPicture(box, sheet.get());
    ASSERT_TRUE(built);
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    // For 400 x 300 the top band shows at x 150-301, the bottom band at 150-384 and the middle
    // pieces on rows 52-247; each edge is checked on both sides.
    const Probe probes[] = {
        {0, 0, kTopLeft},         {138, 51, kTopLeft},     {149, 10, kTopRight},    {150, 10, kTopBand},
        {301, 51, kTopBand},      {302, 10, kTopRight},    {399, 0, kTopRight},     {14, 52, kLeft},
        {15, 52, kCentre},        {200, 52, kCentre},      {200, 247, kCentre},     {384, 247, kCentre},
        {385, 150, kRight},       {399, 52, kRight},       {0, 247, kLeft},         {200, 248, kBottomBand},
        {149, 299, kBottomLeft},  {150, 299, kBottomBand}, {384, 260, kBottomBand}, {385, 260, kBottomRight},
        {399, 299, kBottomRight}, {200, 51, kTopBand}};
    UINT w = 0, h = 0;
    GdipGetImageWidth(built.get(), &w);
    GdipGetImageHeight(built.get(), &h);
    EXPECT_EQ(w, 400u);
    EXPECT_EQ(h, 300u);
    TestWindow::Pump(30);
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << "at (" << p.x << "," << p.y << ")");
        EXPECT_EQ(box.Point(p.x, p.y), p.colour);
        EXPECT_EQ(PixelAt(built.get(), p.x, p.y) & 0xFFFFFF, (RGBToARGB(p.colour, 0) & 0xFFFFFFu));
        EXPECT_EQ(TestWindow::ScreenPixel(box.hWnd(), p.x, p.y), p.colour);
    }
}

TEST_F(SkinnedDialog, BelowTheSmallestSizeNegativePiecesAreLeftOut) {
    // 160 x 70: the top band, the middle pieces and the bottom band have no room; the corners
    // keep their own size and places.
    box.Move(0, 0, 160, 70);
    UniqueHBitmap sheet = PieceSheet();
    ASSERT_TRUE(BuildSkinPicture(box, sheet.get()));
    const struct {
        int x, y;
        COLORREF colour;
    } probes[] = {{5, 10, kTopLeft},    {61, 10, kTopLeft},     {62, 10, kTopRight},     {159, 17, kTopRight},
                  {5, 30, kBottomLeft}, {144, 69, kBottomLeft}, {145, 30, kBottomRight}, {159, 69, kBottomRight}};
    for (const auto& p : probes)
        EXPECT_EQ(box.Point(p.x, p.y), p.colour) << p.x << "," << p.y;

    // A sheet too small to cut the pieces from draws nothing.
    UniqueHBitmap tiny = MakeSheet(120, 60, [](int, int) { return kCentre; });
    EXPECT_FALSE(BuildSkinPicture(box, tiny.get()));
    EXPECT_EQ(box.Point(5, 10), RGB(255, 255, 255));
    EXPECT_FALSE(BuildSkinPicture(box, nullptr));
}

TEST_F(SkinnedDialog, TheProgramsSkinCutsTheCornersAndFollowsANewPicture) {
    UniqueHBitmap sheet = ProgramSheet();
    if (!sheet)
        GTEST_SKIP() << "no art folder beside the tests";
    BITMAP info{};
    ::GetObjectW(sheet.get(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 237);
    EXPECT_EQ(info.bmHeight, 104);
    EXPECT_EQ(info.bmBitsPixel, 24);

    // A first picture smaller than the dialog: it takes the picture's size and outline.
    box.Move(0, 0, 300, 200);
    GdipBitmap small = BuildSkinPicture(box, sheet.get());
    ASSERT_TRUE(small);
    Transparent shaper(dialog.hwnd());
    EXPECT_EQ(shaper.MaskColor(), RGB(255, 0, 255));
    ASSERT_TRUE(shaper.MaskPicture(small.get()));
    Settle();
    RECT r{};
    ::GetWindowRect(dialog.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    for (POINT corner : {POINT{0, 0}, POINT{299, 0}, POINT{0, 199}, POINT{299, 199}})
        EXPECT_EQ(At(corner.x, corner.y), behind.hwnd()) << corner.x << "," << corner.y;
    EXPECT_EQ(At(150, 100), box.hWnd());
    EXPECT_EQ(At(350, 250), behind.hwnd());

    // A second picture of another size resizes the window and replaces the shape.
    box.Move(0, 0, 400, 300);
    GdipBitmap large = BuildSkinPicture(box, sheet.get());
    ASSERT_TRUE(shaper.MaskPicture(large.get()));
    Settle();
    ::GetWindowRect(dialog.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(At(350, 250), box.hWnd());
    EXPECT_EQ(At(299, 199), box.hWnd());
    EXPECT_EQ(At(399, 299), behind.hwnd());
    EXPECT_EQ(At(0, 0), behind.hwnd());
    EXPECT_EQ(At(200, 5), box.hWnd()); // the title band is solid
}

TEST(MaskRegion, HoldsExactlyTheRunsOfOtherColours) {
    // K key, o other: key pixels at a row's start, end and middle; a row all key; a lone pixel.
    const char* rows[] = {"KooKoK", "KKKKKK", "oKKKKo", "ooooKo"};
    GdipBitmap picture;
    ASSERT_EQ(GdipCreateBitmapFromScan0(6, 4, 0, PixelFormat32bppARGB, nullptr, picture.put()), Ok);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            GdipBitmapSetPixel(picture.get(), x, y, rows[y][x] == 'K' ? 0xFFFF00FF : 0xFFFF00FE);
    UniqueGdiObject region = MakeMaskRegion(picture.get(), RGB(255, 0, 255));
    ASSERT_TRUE(region);
    for (int y = -1; y <= 4; ++y)
        for (int x = -1; x <= 6; ++x) {
            const bool inside = y >= 0 && y < 4 && x >= 0 && x < 6 && rows[y][x] == 'o';
            EXPECT_EQ(::PtInRegion(static_cast<HRGN>(region.get()), x, y) != 0, inside) << x << "," << y;
        }
    // A key of another colour keeps every pixel; a window-less shaper refuses; no picture, no change.
    UniqueGdiObject whole = MakeMaskRegion(picture.get(), RGB(0, 0, 0));
    RECT box{};
    EXPECT_EQ(::GetRgnBox(static_cast<HRGN>(whole.get()), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 6);
    EXPECT_EQ(box.bottom, 4);
    Transparent shaper;
    EXPECT_TRUE(shaper.MaskColor(RGB(1, 2, 3)));
    EXPECT_FALSE(shaper.MaskPicture(picture.get()));
}
