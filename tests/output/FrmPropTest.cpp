// The properties dialog: the canvas picture fitted into its preview box, the file's lines beside
// it.
#include "imaging/ModGDI.h"
#include "output/FrmProp.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

GdipBitmap Solid(int w, int h, uint32_t argb) {
    GdipBitmap bitmap;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
    GdipGraphics g;
    GdipGetImageGraphicsContext(bitmap.get(), g.put());
    GdipGraphicsClear(g.get(), argb);
    return bitmap;
}

int Distance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

struct Fit {
    const char* name;
    int w, h;
    std::vector<POINT> inside, outside; // points of the 113 x 97 preview
};

} // namespace

TEST(FrmProp, FitsThePictureWithoutEnlargingAndListsTheFile) {
    const COLORREF red = RGB(220, 20, 20);
    // 40 x 30 stays at its size, centred: x 36.5 to 76.5, y 33.5 to 63.5. 400 x 50 takes the full
    // width, 14.1 high, centred: y 41.4 to 55.5.
    const std::vector<Fit> fits{
        {"small", 40, 30, {{38, 35}, {56, 48}, {75, 62}}, {{34, 48}, {79, 48}, {56, 31}, {56, 66}, {0, 0}}},
        {"wide", 400, 50, {{0, 43}, {56, 48}, {112, 54}}, {{56, 38}, {56, 58}, {0, 0}, {112, 96}}},
    };
    FakePropertiesSource source;
    FakeFileInfoSource info;
    info.filename = L"Holiday.jpg";
    for (const Fit& fit : fits) {
        SCOPED_TRACE(fit.name);
        GdipBitmap picture =
            Solid(fit.w, fit.h, 0xFF000000u | (GetRValue(red) << 16) | (GetGValue(red) << 8) | GetBValue(red));
        source.image = picture.get();
        FrmProp dialog(source, &info);
        ASSERT_TRUE(dialog.Load(nullptr));
        const COLORREF back = dialog.P().BackColor();
        for (POINT p : fit.inside) EXPECT_LE(Distance(dialog.P().Point(p.x, p.y), red), 30) << p.x << "," << p.y;
        for (POINT p : fit.outside) EXPECT_LE(Distance(dialog.P().Point(p.x, p.y), back), 6) << p.x << "," << p.y;
        bool listed = false;
        for (const auto& row : dialog.ZzVProperties().FiterListView())
            listed |= row.Text.find(L"Holiday.jpg") != std::wstring::npos;
        EXPECT_TRUE(listed);
    }
}
