// The magnifier panel drawn on a real window.
#include "imaging/CDIB.h"
#include "imaging/Loupe.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kPanel = RGB(0, 128, 0);

// The loupe over a 200 x 200 picture, red left of x = 100 and blue from there on, centred on
// (cx, cy); its panel box is (100, 100) spanning 120 x 120 on a white window.
struct LoupeWindow {
    UniqueHBitmap picture;
    GdipSolidFill panel;
    std::unique_ptr<PaintedWindow> window;

    LoupeWindow(float cx, float cy) {
        CDIB source;
        EXPECT_TRUE(source.Create(200, 200, 32));
        source.Cls(RGB(0, 0, 255));
        RECT left{0, 0, 100, 200};
        UniqueGdiObject red(::CreateSolidBrush(RGB(255, 0, 0)));
        ::FillRect(source.hDC(), &left, static_cast<HBRUSH>(red.get()));
        picture.reset(source.image());
        GdipCreateSolidFill(ColorARGB(255, 0, 128, 0), panel.put());
        window = std::make_unique<PaintedWindow>(300, 300, RGB(255, 255, 255), [this, cx, cy](HDC dc) {
            DrawLoupe(dc, picture.get(), nullptr, 100, 100, 100, 110, 10, 10, panel.get(), cx, cy, 40);
        });
    }
    [[nodiscard]] COLORREF At(int x, int y) const { return window->At(x, y); }
};

} // namespace

TEST(Loupe, EnlargesTheSquareAroundThePointIntoTheRoundedPanel) {
    const LoupeWindow loupe(100, 100);
    // The 40-pixel square from (80, 80) shows 2.5 times larger in (110, 110)-(210, 210): its left
    // half red, its right half blue.
    EXPECT_EQ(loupe.At(130, 160), RGB(255, 0, 0));
    EXPECT_EQ(loupe.At(190, 130), RGB(0, 0, 255));
    // The panel fills 120 x 120 around it; beyond it nothing is drawn.
    EXPECT_EQ(loupe.At(105, 215), kPanel);
    EXPECT_EQ(loupe.At(215, 160), kPanel);
    EXPECT_EQ(loupe.At(225, 160), RGB(255, 255, 255));
    EXPECT_EQ(loupe.At(160, 225), RGB(255, 255, 255));
    // Rounded corners: the very corner of the box stays white.
    EXPECT_EQ(loupe.At(100, 100), RGB(255, 255, 255));
}

TEST(Loupe, NearThePictureEdgeOnlyThePanelAndTheRingAreDrawn) {
    const LoupeWindow loupe(10, 100);
    EXPECT_EQ(loupe.At(130, 160), kPanel);
    EXPECT_EQ(loupe.At(190, 130), kPanel);
    // The centre ring's box starts at (157, 157): some of its pixels differ from the panel.
    int marked = 0;
    for (int y = 156; y < 166; ++y)
        for (int x = 156; x < 166; ++x) marked += loupe.At(x, y) != kPanel;
    EXPECT_GT(marked, 4);
}
