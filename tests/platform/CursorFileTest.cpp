// Cursor files as the art program writes them, and the four cursors it drew for the resources.
#include "platform/AppState.h"
#include "platform/CursorFile.h"
#include "platform/GdipHandles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct LoadedCursor {
    HCURSOR cursor = nullptr;
    POINT hotSpot{};
    int opaqueAtHotSpotArea = 0; // opaque pixels within 2 of the hot spot
    ~LoadedCursor() {
        if (cursor) ::DestroyCursor(cursor);
    }
};

void Load(const std::wstring& path, LoadedCursor& out) {
    out.cursor = static_cast<HCURSOR>(::LoadImageW(nullptr, path.c_str(), IMAGE_CURSOR, 32, 32, LR_LOADFROMFILE));
    ASSERT_NE(out.cursor, nullptr) << Narrow(path);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(out.cursor, &info));
    out.hotSpot = POINT{static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    // Draw it on white and on black: a pixel that differs between the two is see-through.
    auto draw = [&](COLORREF background, std::vector<COLORREF>& pixels) {
        UniqueDc dc(::CreateCompatibleDC(nullptr));
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        UniqueHBitmap bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        ScopedSelectObject select(dc.get(), bitmap.get());
        HBRUSH brush = ::CreateSolidBrush(background);
        RECT all{0, 0, 32, 32};
        ::FillRect(dc.get(), &all, brush);
        ::DeleteObject(brush);
        ::DrawIconEx(dc.get(), 0, 0, out.cursor, 32, 32, 0, nullptr, DI_NORMAL);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) pixels.push_back(::GetPixel(dc.get(), x, y));
    };
    std::vector<COLORREF> onWhite, onBlack;
    draw(RGB(255, 255, 255), onWhite);
    draw(RGB(0, 0, 0), onBlack);
    for (int y = out.hotSpot.y - 2; y <= out.hotSpot.y + 2; ++y)
        for (int x = out.hotSpot.x - 2; x <= out.hotSpot.x + 2; ++x)
            if (x >= 0 && y >= 0 && x < 32 && y < 32 && onWhite[y * 32 + x] == onBlack[y * 32 + x])
                ++out.opaqueAtHotSpotArea;
}

} // namespace

TEST(CursorFile, WritesACursorWithItsHotSpotAndTransparency) {
    GdipBitmap bitmap;
    ASSERT_EQ(GdipCreateBitmapFromScan0(32, 32, 0, PixelFormat32bppARGB, nullptr, bitmap.put()), Ok);
    GdipGraphics g;
    GdipGetImageGraphicsContext(bitmap.get(), g.put());
    GdipGraphicsClear(g.get(), 0);
    GdipSolidFill red;
    GdipCreateSolidFill(0xFFFF0000, red.put());
    GdipFillRectangleI(g.get(), red.get(), 20, 5, 6, 6);
    g.reset();
    const std::wstring folder = MakeTestFolder(L"cursorfile");
    ASSERT_TRUE(WriteCursorFile(bitmap.get(), folder + L"dot.cur", 22, 7));

    LoadedCursor loaded;
    Load(folder + L"dot.cur", loaded);
    EXPECT_EQ(loaded.hotSpot.x, 22);
    EXPECT_EQ(loaded.hotSpot.y, 7);
    EXPECT_EQ(loaded.opaqueAtHotSpotArea, 25);

    // A hot spot outside the picture is refused and nothing is written.
    EXPECT_FALSE(WriteCursorFile(bitmap.get(), folder + L"bad.cur", 32, 0));
    EXPECT_FALSE(FileExistsForTest(folder + L"bad.cur"));
}

// The cursors the build drew, as the resources carry them: beside the tests in the art folder.
TEST(CursorFile, TheProgramsCursorsPointWithSomethingVisible) {
    const std::wstring art = ExecutableFolder() + L"..\\art\\";
    if (!FileExistsForTest(art + L"MOUSED.cur")) GTEST_SKIP() << "no art folder beside the tests";
    struct Expect {
        const wchar_t* name;
        LONG maxX, maxY; // the hot spot lies in this corner region or, for the hands, the middle
        LONG minX, minY;
    };
    // The finger tip at the top, the dropper's tip at the bottom left, the hands' palms mid-way.
    const Expect cursors[] = {
        {L"MOUSED", 20, 4, 8, 0}, {L"PICKER", 4, 31, 0, 27}, {L"PANVIEW", 20, 20, 12, 12}, {L"SHOU", 20, 22, 12, 12}};
    for (const Expect& c : cursors) {
        LoadedCursor loaded;
        Load(art + c.name + L".cur", loaded);
        EXPECT_GE(loaded.hotSpot.x, c.minX) << Narrow(c.name);
        EXPECT_LE(loaded.hotSpot.x, c.maxX) << Narrow(c.name);
        EXPECT_GE(loaded.hotSpot.y, c.minY) << Narrow(c.name);
        EXPECT_LE(loaded.hotSpot.y, c.maxY) << Narrow(c.name);
        EXPECT_GE(loaded.opaqueAtHotSpotArea, 3) << Narrow(c.name);
    }
}
