// Rotation, straightening, colour adjustments, opacity and red-eye removal, on bitmaps and on a
// real window.
#include "imaging/DIBsave.h"
#include "imaging/ImageTransforms.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/GdipHandles.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A bitmap of one colour with an optional differently coloured top-left corner square.
GdipBitmap SolidBitmap(int w, int h, uint32_t colour, uint32_t corner = 0, int cornerSize = 0) {
    GdipBitmap bitmap;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
    GdipGraphics g;
    GdipGetImageGraphicsContext(bitmap.get(), g.put());
    GdipGraphicsClear(g.get(), colour);
    if (cornerSize > 0) {
        GdipSolidFill brush;
        GdipCreateSolidFill(corner, brush.put());
        GdipFillRectangleI(g.get(), brush.get(), 0, 0, cornerSize, cornerSize);
    }
    return bitmap;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

constexpr uint32_t kRed = ColorARGB(255, 255, 0, 0);
constexpr uint32_t kBlue = ColorARGB(255, 0, 0, 255);

uint32_t Adjusted(int mode, float value, float gamma, uint32_t colour) {
    GdipBitmap image = SolidBitmap(8, 8, colour);
    DIBsave out;
    out.CreateBlankMemory(8, 8);
    AdjustColorMatrix(DrawTarget::Surface(out.MemGraphics), image.get(), mode, gamma, 0, 0, 8, 8, value);
    // The image stays the caller's: it can still be read and drawn.
    UINT w = 0;
    EXPECT_EQ(GdipGetImageWidth(image.get(), &w), Ok);
    EXPECT_EQ(w, 8u);
    return PixelAt(out.new_Img, 4, 4);
}

} // namespace

TEST(Rotation, AngleZeroDrawsTheImageUnscaledAndCentred) {
    GdipBitmap image = SolidBitmap(40, 20, kRed);
    DIBsave out;
    out.CreateBlankMemory(100, 100);
    App().RotateWidth = App().RotateHeight = 0;
    DrawImageRotated(DrawTarget::Surface(out.MemGraphics), image.get(), 40, 20, 100, 100, 0, true, 0);
    EXPECT_EQ(App().RotateWidth, 40);
    EXPECT_EQ(App().RotateHeight, 20);
    EXPECT_EQ(PixelAt(out.new_Img, 31, 41), kRed);
    EXPECT_EQ(PixelAt(out.new_Img, 68, 58), kRed);
    EXPECT_EQ(PixelAt(out.new_Img, 28, 50) >> 24, 0u);
    EXPECT_EQ(PixelAt(out.new_Img, 50, 38) >> 24, 0u);
}

TEST(Rotation, FortyFiveUnitsTurnAQuarterWithTheTopEdgeToTheLeft) {
    GdipBitmap image = SolidBitmap(40, 20, kRed, kBlue, 8);
    DIBsave out;
    out.CreateBlankMemory(100, 100);
    DrawImageRotated(DrawTarget::Surface(out.MemGraphics), image.get(), 40, 20, 100, 100, 45, false, 0);
    // Now 20 wide and 40 high about the centre.
    EXPECT_EQ(PixelAt(out.new_Img, 50, 33) >> 24, 255u);
    EXPECT_EQ(PixelAt(out.new_Img, 50, 67) >> 24, 255u);
    EXPECT_EQ(PixelAt(out.new_Img, 35, 50) >> 24, 0u);
    EXPECT_EQ(PixelAt(out.new_Img, 65, 50) >> 24, 0u);
    // The image's top-left corner lands at the bottom left of the turned picture.
    EXPECT_TRUE(Near(PixelAt(out.new_Img, 43, 66), kBlue, 40)) << std::hex << PixelAt(out.new_Img, 43, 66);
    EXPECT_TRUE(Near(PixelAt(out.new_Img, 43, 34), kRed, 40)) << std::hex << PixelAt(out.new_Img, 43, 34);
}

TEST(Rotation, StraightenZoomsSoTheTurnedPictureStillCoversTheOutput) {
    GdipBitmap image = SolidBitmap(40, 40, kRed);
    for (int mode : {0, kRotateStraighten}) {
        DIBsave out;
        out.CreateBlankMemory(40, 40);
        App().RotateWidth = 0;
        DrawImageRotated(DrawTarget::Surface(out.MemGraphics), image.get(), 40, 40, 40, 40, -5, true, mode);
        const uint32_t corner = PixelAt(out.new_Img, 0, 0) >> 24;
        if (mode == kRotateStraighten) {
            EXPECT_EQ(corner, 255u);
            EXPECT_EQ(PixelAt(out.new_Img, 39, 39) >> 24, 255u);
            EXPECT_EQ(App().RotateWidth, 0); // the straighten preview leaves the size alone
        } else {
            EXPECT_LT(corner, 128u); // a plain turn leaves the corners uncovered
            EXPECT_EQ(App().RotateWidth, 40);
        }
    }
}

TEST(Rotation, StraightenOnAWindowGreysTheBandAroundThePictureAndFramesIt) {
    TestWindow window(200, 150);
    GdipBitmap image = SolidBitmap(100, 60, kBlue);
    {
        HDC dc = ::GetDC(window.hwnd());
        RECT all{0, 0, 200, 150};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        DrawImageRotated(DrawTarget::Dc(dc), image.get(), 100, 60, 200, 150, 0, true, kRotateStraighten);
        ::ReleaseDC(window.hwnd(), dc);
    }
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 20, 20), RGB(224, 224, 224));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 180, 130), RGB(224, 224, 224));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 100, 75), RGB(0, 0, 255));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 55, 50), RGB(0, 0, 255));
    // The frame's white inner line runs along the top at y = 1.
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 100, 1), RGB(255, 255, 255));
}

TEST(ColourAdjustment, EachModeChangesKnownColoursAsItsMatrixSays) {
    // Grey: each channel 0.35 x (red + green + blue).
    EXPECT_TRUE(Near(Adjusted(kAdjustGrey, 0, 1, kRed), ColorARGB(255, 89, 89, 89), 1));
    // Brightness and contrast 0 changes nothing; 0.2 scales by 1.2 and adds 0.2.
    EXPECT_EQ(Adjusted(kAdjustBrightnessContrast, 0, 1, ColorARGB(255, 10, 100, 200)), ColorARGB(255, 10, 100, 200));
    EXPECT_TRUE(Near(Adjusted(kAdjustBrightnessContrast, 0.2f, 1, ColorARGB(255, 100, 100, 100)),
                     ColorARGB(255, 171, 171, 171), 1));
    // Colour scale with cross terms: red 255 gives green and blue 0.1 + 0.1.
    EXPECT_TRUE(Near(Adjusted(kAdjustColourScale, 0.1f, 1, kRed), ColorARGB(255, 255, 51, 51), 1));
    // Gamma 2 darkens mid grey to about a quarter.
    EXPECT_TRUE(Near(Adjusted(kAdjustGamma, 0, 2.0f, ColorARGB(255, 128, 128, 128)), ColorARGB(255, 64, 64, 64), 2));
    // Mode 3 and unknown modes draw the image unchanged.
    EXPECT_EQ(Adjusted(kAdjustNone, 0.5f, 1, ColorARGB(255, 1, 2, 3)), ColorARGB(255, 1, 2, 3));
    EXPECT_EQ(Adjusted(9, 0.5f, 1, ColorARGB(255, 1, 2, 3)), ColorARGB(255, 1, 2, 3));
}

TEST(ColourAdjustment, OnADeviceContextItDrawsAtTheRoundedPosition) {
    TestWindow window(60, 60);
    GdipBitmap image = SolidBitmap(10, 10, kRed);
    {
        HDC dc = ::GetDC(window.hwnd());
        RECT all{0, 0, 60, 60};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        AdjustColorMatrix(DrawTarget::Dc(dc), image.get(), kAdjustGrey, 1, 20.4f, 29.6f, 10, 10, 0);
        ::ReleaseDC(window.hwnd(), dc);
    }
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 20, 30), RGB(89, 89, 89));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 29, 39), RGB(89, 89, 89));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 19, 30), RGB(255, 255, 255));
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 20, 29), RGB(255, 255, 255));
    // The caller still holds its image.
    UINT w = 0;
    EXPECT_EQ(GdipGetImageWidth(image.get(), &w), Ok);
}

TEST(Opacity, HalfAlphaHalvesTheAlphaOfTheDrawnImage) {
    GdipBitmap image = SolidBitmap(10, 10, kRed);
    DIBsave out;
    out.CreateBlankMemory(20, 20);
    DrawImageAlpha(DrawTarget::Surface(out.MemGraphics), image.get(), 5, 5, 10, 10, 10, 10, 0.5f);
    const uint32_t inside = PixelAt(out.new_Img, 10, 10);
    EXPECT_NEAR(static_cast<int>(inside >> 24), 128, 2);
    EXPECT_EQ(inside & 0x00FFFFFFu, 0x00FF0000u);
    EXPECT_EQ(PixelAt(out.new_Img, 2, 2) >> 24, 0u);
}

TEST(RedEye, RedPixelsTurnGreyTowardsTheCentreAndOthersStay) {
    GdipBitmap eye = SolidBitmap(41, 41, ColorARGB(255, 200, 50, 40));
    // A green pixel inside the ellipse is not red and stays.
    GdipBitmapSetPixel(eye.get(), 25, 20, ColorARGB(255, 40, 200, 40));
    RemoveRedEye(PixelTarget::Bitmap(eye.get()), 0, 0, 40, 40, 100, 0);
    // At the centre: (200 + 50 + 40) / 3 - 0 - 50 = 46.67, rounded 47.
    EXPECT_EQ(PixelAt(eye.get(), 20, 20), ColorARGB(255, 47, 47, 47));
    // Half way out the fade is smaller, so the grey is lighter.
    const uint32_t half = PixelAt(eye.get(), 30, 20) & 0xFF;
    EXPECT_GT(half, 47u);
    EXPECT_LT(half, 97u);
    // Outside the ellipse (the corner of its box) and the green pixel are untouched.
    EXPECT_EQ(PixelAt(eye.get(), 0, 0), ColorARGB(255, 200, 50, 40));
    EXPECT_EQ(PixelAt(eye.get(), 25, 20), ColorARGB(255, 40, 200, 40));
}

TEST(RedEye, APixelWithStrongGreenKeepsItsRed) {
    GdipBitmap eye = SolidBitmap(21, 21, ColorARGB(255, 200, 150, 40));
    RemoveRedEye(PixelTarget::Bitmap(eye.get()), 0, 0, 20, 20, 30, 0);
    // (200 + 150 + 40) / 3 - 50 = 80: the red counts although green is 128 or more.
    EXPECT_EQ(PixelAt(eye.get(), 10, 10), ColorARGB(255, 80, 80, 80));
}

TEST(RedEye, OnAWindowTheLivePreviewGreysTheSamePixels) {
    TestWindow window(60, 60);
    HDC dc = ::GetDC(window.hwnd());
    HBRUSH brush = ::CreateSolidBrush(RGB(200, 50, 40));
    RECT all{0, 0, 60, 60};
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    RemoveRedEye(PixelTarget::Dc(dc), 10, 10, 40, 40, 100, 10);
    ::ReleaseDC(window.hwnd(), dc);
    TestWindow::Pump(50);
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 30, 30), RGB(37, 37, 37)); // 96.67 - 10 - 50
    EXPECT_EQ(TestWindow::ScreenPixel(window.hwnd(), 5, 5), RGB(200, 50, 40));
}
