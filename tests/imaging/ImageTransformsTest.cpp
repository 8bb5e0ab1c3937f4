// Rotation, straightening, colour adjustments, opacity and red-eye removal, on bitmaps and on a
// real window.
#include "imaging/DIBsave.h"
#include "imaging/ImageTransforms.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

// The output bitmap of one transform: the program's own off-screen bitmap, clear.
using Output = DibSheet;

uint32_t Adjusted(int mode, float value, float gamma, uint32_t colour) {
    GdipBitmap image = SolidBitmap(8, 8, colour);
    Output output(8, 8);
    AdjustColorMatrix(output.target(), image.get(), mode, gamma, 0, 0, 8, 8, value);
    // The image stays the caller's: it can still be read.
    UINT w = 0;
    EXPECT_EQ(GdipGetImageWidth(image.get(), &w), Ok);
    EXPECT_EQ(w, 8u);
    return output.At(4, 4);
}

} // namespace

TEST(Rotation, AngleZeroDrawsTheImageUnscaledAndCentred) {
    GdipBitmap image = SolidBitmap(40, 20, kRed);
    Output output(100, 100);
    DrawImageRotated(output.target(), image.get(), 40, 20, 100, 100, 0, true, 0);
    EXPECT_EQ(output.At(31, 41), kRed);
    EXPECT_EQ(output.At(68, 58), kRed);
    EXPECT_EQ(AlphaOf(output.At(28, 50)), 0);
    EXPECT_EQ(AlphaOf(output.At(50, 38)), 0);
}

TEST(Rotation, FortyFiveUnitsTurnAQuarterWithTheTopEdgeToTheLeft) {
    GdipBitmap image = SolidBitmap(40, 20, kRed);
    {
        GdipGraphics g;
        GdipGetImageGraphicsContext(image.get(), g.put());
        GdipSolidFill blue;
        GdipCreateSolidFill(kBlue, blue.put());
        GdipFillRectangleI(g.get(), blue.get(), 0, 0, 8, 8); // the top-left corner
    }
    Output output(100, 100);
    DrawImageRotated(output.target(), image.get(), 40, 20, 100, 100, 45, false, 0);
    // Now 20 wide and 40 high about the centre.
    EXPECT_EQ(AlphaOf(output.At(50, 33)), 255);
    EXPECT_EQ(AlphaOf(output.At(50, 67)), 255);
    EXPECT_EQ(AlphaOf(output.At(35, 50)), 0);
    EXPECT_EQ(AlphaOf(output.At(65, 50)), 0);
    // The image's top-left corner lands at the bottom left of the turned picture.
    EXPECT_LE(ChannelDistance(output.At(43, 66), kBlue), 40) << std::hex << output.At(43, 66);
    EXPECT_LE(ChannelDistance(output.At(43, 34), kRed), 40) << std::hex << output.At(43, 34);
}

TEST(Rotation, StraightenZoomsSoTheTurnedPictureStillCoversTheOutput) {
    GdipBitmap image = SolidBitmap(40, 40, kRed);
    for (int mode : {0, kRotateStraighten}) {
        Output output(40, 40);
        DrawImageRotated(output.target(), image.get(), 40, 40, 40, 40, -5, true, mode);
        if (mode == kRotateStraighten) {
            EXPECT_EQ(AlphaOf(output.At(0, 0)), 255);
            EXPECT_EQ(AlphaOf(output.At(39, 39)), 255);
        } else {
            EXPECT_LT(AlphaOf(output.At(0, 0)), 128); // a plain turn leaves the corners uncovered
        }
    }
}

TEST(TransformsOnAWindow, StraightenGreysTheBandAndAdjustingDrawsAtTheRoundedPosition) {
    GdipBitmap blue = SolidBitmap(100, 60, kBlue), red = SolidBitmap(10, 10, kRed);
    PaintedWindow straighten(200, 150, RGB(255, 255, 255), [&](HDC dc) {
        DrawImageRotated(DrawTarget::Dc(dc), blue.get(), 100, 60, 200, 150, 0, true, kRotateStraighten);
    });
    EXPECT_EQ(straighten.At(20, 20), RGB(224, 224, 224));
    EXPECT_EQ(straighten.At(180, 130), RGB(224, 224, 224));
    EXPECT_EQ(straighten.At(100, 75), RGB(0, 0, 255));
    EXPECT_EQ(straighten.At(55, 50), RGB(0, 0, 255));
    // The frame's white inner line runs along the top at y = 1.
    EXPECT_EQ(straighten.At(100, 1), RGB(255, 255, 255));

    PaintedWindow adjusted(60, 60, RGB(255, 255, 255), [&](HDC dc) {
        AdjustColorMatrix(DrawTarget::Dc(dc), red.get(), kAdjustGrey, 1, 20.4f, 29.6f, 10, 10, 0);
    });
    EXPECT_EQ(adjusted.At(20, 30), RGB(89, 89, 89));
    EXPECT_EQ(adjusted.At(29, 39), RGB(89, 89, 89));
    EXPECT_EQ(adjusted.At(19, 30), RGB(255, 255, 255));
    EXPECT_EQ(adjusted.At(20, 29), RGB(255, 255, 255));
}

TEST(ColourAdjustment, EachModeChangesKnownColoursAsItsMatrixSays) {
    // Grey: each channel 0.35 x (red + green + blue).
    EXPECT_LE(ChannelDistance(Adjusted(kAdjustGrey, 0, 1, kRed), ColorARGB(255, 89, 89, 89)), 1);
    // Brightness and contrast 0 changes nothing; 0.2 scales by 1.2 and adds 0.2.
    EXPECT_EQ(Adjusted(kAdjustBrightnessContrast, 0, 1, ColorARGB(255, 10, 100, 200)), ColorARGB(255, 10, 100, 200));
    EXPECT_LE(ChannelDistance(Adjusted(kAdjustBrightnessContrast, 0.2f, 1, ColorARGB(255, 100, 100, 100)),
                              ColorARGB(255, 171, 171, 171)),
              1);
    // Colour scale with cross terms: red 255 gives green and blue 0.1 + 0.1.
    EXPECT_LE(ChannelDistance(Adjusted(kAdjustColourScale, 0.1f, 1, kRed), ColorARGB(255, 255, 51, 51)), 1);
    // Gamma 2 darkens mid grey to about a quarter.
    EXPECT_LE(
        ChannelDistance(Adjusted(kAdjustGamma, 0, 2.0f, ColorARGB(255, 128, 128, 128)), ColorARGB(255, 64, 64, 64)), 2);
    // Mode 3 and unknown modes draw the image unchanged.
    EXPECT_EQ(Adjusted(kAdjustNone, 0.5f, 1, ColorARGB(255, 1, 2, 3)), ColorARGB(255, 1, 2, 3));
    EXPECT_EQ(Adjusted(9, 0.5f, 1, ColorARGB(255, 1, 2, 3)), ColorARGB(255, 1, 2, 3));
}

TEST(Opacity, HalfAlphaHalvesTheAlphaOfTheDrawnImage) {
    GdipBitmap image = SolidBitmap(10, 10, kRed);
    Output output(20, 20);
    DrawImageAlpha(output.target(), image.get(), 5, 5, 10, 10, 10, 10, 0.5f);
    EXPECT_NEAR(AlphaOf(output.At(10, 10)), 128, 2);
    EXPECT_EQ(output.At(10, 10) & 0x00FFFFFFu, 0x00FF0000u);
    EXPECT_EQ(AlphaOf(output.At(2, 2)), 0);
}

TEST(RedEye, RedPixelsTurnGreyTowardsTheCentreAndOthersStay) {
    GdipBitmap eye = SolidBitmap(41, 41, ColorARGB(255, 200, 50, 40));
    // A green pixel inside the ellipse is not red and stays.
    GdipBitmapSetPixel(eye.get(), 25, 20, ColorARGB(255, 40, 200, 40));
    RemoveRedEye(PixelTarget::Bitmap(eye.get()), 0, 0, 40, 40, 100, 0);
    // At the centre: (200 + 50 + 40) / 3 - 0 - 50 = 46.67, rounded 47.
    EXPECT_EQ(PixelAt(eye.get(), 20, 20), ColorARGB(255, 47, 47, 47));
    // Half way out the fade is smaller, so the grey is lighter.
    const int half = BlueOf(PixelAt(eye.get(), 30, 20));
    EXPECT_GT(half, 47);
    EXPECT_LT(half, 97);
    // Outside the ellipse (the corner of its box) and the green pixel are untouched.
    EXPECT_EQ(PixelAt(eye.get(), 0, 0), ColorARGB(255, 200, 50, 40));
    EXPECT_EQ(PixelAt(eye.get(), 25, 20), ColorARGB(255, 40, 200, 40));

    // A light pixel with strong red is still not taken.
    GdipBitmap strong = SolidBitmap(21, 21, ColorARGB(255, 200, 150, 40));
    RemoveRedEye(PixelTarget::Bitmap(strong.get()), 0, 0, 20, 20, 30, 0);
    EXPECT_EQ(PixelAt(strong.get(), 10, 10), ColorARGB(255, 200, 150, 40));
}

namespace {

// Pixels at the edges of what red-eye removal takes, with the canvas's default tolerance 100 and
// its level 10; at an ellipse's centre a taken pixel becomes (red + green + blue) / 3 - 10 - 50.
struct EyePixel {
    int red, green, blue;
    int grey; // -1: left as it is
};
constexpr EyePixel kEyeEdges[] = {
    {255, 255, 255, -1},  // a white catch-light
    {230, 190, 170, -1},  // light skin
    {200, 127, 150, 99},  // red, blue above the tolerance: 159 - 60
    {200, 128, 150, -1},  // the same one step lighter in green
    {255, 127, 255, 152}, // 212.33 - 60
    {255, 128, 255, -1},  // light
    {255, 128, 0, -1},    // light
    {200, 100, 40, 53},   // red, little green: 113.33 - 60
    {200, 101, 40, -1},   // green one too many for that, blue under the tolerance
    {151, 100, 40, 37},   // red just enough
    {150, 100, 40, -1},   // red one short
    {150, 69, 40, 26},    // dark: 86.33 - 60
    {150, 70, 40, -1},    // green one too many to be dark
    {151, 70, 40, 27},    // but taken as red
    {200, 50, 99, 56},    // blue just under the tolerance
    {200, 50, 100, -1},   // blue at the tolerance
    {200, 71, 101, 64},   // blue just over it, with green over 70
    {200, 71, 100, -1},   // blue at it
};
constexpr int kEyeTolerance = 100, kEyeLevel = 10, kEyePatch = 21;

} // namespace

TEST(RedEye, PixelsAtTheEdgesOfTheSelectionOnTheBitmapAndOnAWindow) {
    constexpr int count = static_cast<int>(std::size(kEyeEdges));
    const auto patchColour = [](int x) { return kEyeEdges[x / kEyePatch]; };
    // The apply step's target: one patch a row, each the centre of an ellipse of its own.
    GdipBitmap patches = BitmapOf(count * kEyePatch, kEyePatch, [&](int x, int) {
        const EyePixel p = patchColour(x);
        return ColorARGB(255, static_cast<uint8_t>(p.red), static_cast<uint8_t>(p.green), static_cast<uint8_t>(p.blue));
    });
    for (int i = 0; i < count; ++i)
        RemoveRedEye(PixelTarget::Bitmap(patches.get()), static_cast<float>(i * kEyePatch), 0, kEyePatch - 1,
                     kEyePatch - 1, kEyeTolerance, kEyeLevel);
    // The live preview's target: the same patches on a window.
    PaintedWindow window(count * kEyePatch, kEyePatch, RGB(0, 0, 0), [&](HDC dc) {
        for (int i = 0; i < count; ++i) {
            const EyePixel p = kEyeEdges[i];
            UniqueGdiObject brush(::CreateSolidBrush(RGB(p.red, p.green, p.blue)));
            RECT patch{i * kEyePatch, 0, (i + 1) * kEyePatch, kEyePatch};
            ::FillRect(dc, &patch, static_cast<HBRUSH>(brush.get()));
            RemoveRedEye(PixelTarget::Dc(dc), static_cast<float>(i * kEyePatch), 0, kEyePatch - 1, kEyePatch - 1,
                         kEyeTolerance, kEyeLevel);
        }
    });
    for (int i = 0; i < count; ++i) {
        const EyePixel p = kEyeEdges[i];
        const int centre = i * kEyePatch + kEyePatch / 2;
        const uint8_t r = static_cast<uint8_t>(p.grey < 0 ? p.red : p.grey);
        const uint8_t g = static_cast<uint8_t>(p.grey < 0 ? p.green : p.grey);
        const uint8_t b = static_cast<uint8_t>(p.grey < 0 ? p.blue : p.grey);
        SCOPED_TRACE(testing::Message() << "pixel (" << p.red << ", " << p.green << ", " << p.blue << ")");
        EXPECT_EQ(PixelAt(patches.get(), centre, kEyePatch / 2), ColorARGB(255, r, g, b));
        EXPECT_EQ(window.At(centre, kEyePatch / 2), RGB(r, g, b));
    }
}

TEST(RedEye, OnAWindowTheLivePreviewGreysTheSamePixels) {
    PaintedWindow window(60, 60, RGB(200, 50, 40),
                         [](HDC dc) { RemoveRedEye(PixelTarget::Dc(dc), 10, 10, 40, 40, 100, 10); });
    EXPECT_EQ(window.At(30, 30), RGB(37, 37, 37)); // 96.67 - 10 - 50
    EXPECT_EQ(window.At(5, 5), RGB(200, 50, 40));
}
