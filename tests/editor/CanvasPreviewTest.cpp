// The canvas's live previews in a real window, driven with the mouse messages a person's drag
// brings: the edit panel's slider turning or adjusting the shown picture before Apply, the particle
// decorations and the irradiation in the painting, the red-eye loupe at the pointer, and the
// floating stamp's own size again after a relayout, the picture itself when the tool's fit-size copy
// cannot be made; the irradiation's glow blended in place against the platform's own fill of it.
#include "editor/ViewPixels.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/ImageTransforms.h"
#include "imaging/SceneEffects.h"
#include "platform/DibSection.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

struct CanvasPreviewTest : CanvasWindowTest {
    // The picture of four quarters (w x h) shown fitted in a tool with its parameter range.
    void OpenIn(int32_t mode, int w, int h, int32_t max, int32_t min, int32_t value) {
        ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", w, h)));
        canvas->SetEffect(mode);
        canvas->SetMax(max);
        canvas->SetMin(min);
        canvas->SetValue(value);
        canvas->SetFitMode(true);
        ASSERT_TRUE(canvas->Import(L"", true));
    }
    // Takes the slider's thumb and drags it dx pixels along the track.
    void DragSlider(float dx) {
        const RectF thumb = canvas->PanelRects()[kPanelSlider];
        ASSERT_GT(thumb.Width, 0);
        const PointF on(thumb.X + 5, thumb.Y + 10);
        Drag(on, {PointF(on.X + dx / 2, on.Y), PointF(on.X + dx, on.Y)});
    }
};

// The quarter colour of a point of the fitted picture (fit-relative), or nothing within margin of a
// quarter's edge, where the resampling mixes colours.
std::optional<uint32_t> QuarterAt(PointF q, float w, float h, float margin) {
    const auto nearEdge = [margin](float v, float edge) { return std::fabs(v - edge) < margin; };
    if (nearEdge(q.X, 0) || nearEdge(q.X, w / 2) || nearEdge(q.X, w) || nearEdge(q.Y, 0) || nearEdge(q.Y, h / 2) ||
        nearEdge(q.Y, h))
        return std::nullopt;
    if (q.X < 0 || q.Y < 0 || q.X > w || q.Y > h) return 0u; // outside the picture
    if (q.Y < h / 2) return q.X < w / 2 ? kTopLeft : kTopRight;
    return q.X < w / 2 ? kBottomLeft : kBottomRight;
}

} // namespace

TEST_F(CanvasPreviewTest, GammaAndContrastSliderDragsShowWhatApplyMakes) {
    struct Case {
        int32_t mode, max, min, value;
    };
    for (const Case c : {Case{7, 3, 0, 1}, Case{11, 5, 0, 0}}) {
        SCOPED_TRACE(c.mode);
        OpenIn(c.mode, kW, kH, c.max, c.min, c.value);
        DragSlider(90);
        const PointF points[] = {{100, 70}, {300, 70}, {100, 200}, {300, 200}};
        COLORREF shown[4];
        for (size_t i = 0; i < 4; ++i) shown[i] = Screen(static_cast<int>(points[i].X), static_cast<int>(points[i].Y));
        // The picture changed on the screen while the tool is still open.
        EXPECT_EQ(canvas->Effect(), c.mode);
        EXPECT_GT(RgbDistance(shown[0], AsRgb(kTopLeft)), 20);
        EXPECT_GT(RgbDistance(shown[3], AsRgb(kBottomRight)), 20);
        // Apply makes at full size what the preview showed at the fit size (here the same).
        ASSERT_TRUE(canvas->ApplyEdit());
        for (size_t i = 0; i < 4; ++i) {
            const uint32_t applied = PixelAt(static_cast<GpBitmap*>(canvas->ImgDIB.DIB()),
                                             static_cast<int>(points[i].X), static_cast<int>(points[i].Y));
            EXPECT_NEAR_COLOUR(shown[i], AsRgb(applied), 3);
        }
    }
}

TEST_F(CanvasPreviewTest, RotateAndStraightenSliderDragsTurnTheShownPicture) {
    // A picture wider than the control's shape: the fitted rectangle leaves bands above and below.
    constexpr int kPictureW = 400, kPictureH = 200;
    struct Case {
        int32_t mode, max, min;
        float dx;
    };
    for (const Case c : {Case{3, 45, -45, 60}, Case{2, 10, -10, 60}}) {
        SCOPED_TRACE(c.mode);
        OpenIn(c.mode, kPictureW, kPictureH, c.max, c.min, 0);
        const RectF fit = canvas->FitRect();
        DragSlider(c.dx);
        const float angle = canvas->SliderValue();
        ASSERT_GT(std::fabs(angle), 1.0f);
        const bool straighten = c.mode == 2;
        const double turn = angle * kRotationRadiansPerUnit;
        const double zoom = straighten ? 1 + std::fabs(angle) / 10 : 1;
        const double cs = std::cos(turn), sn = std::sin(turn);
        int checked = 0, moved = 0, wrong = 0;
        for (int y = 4; y < kH - 50; y += 7) {
            for (int x = 4; x < kW - 4; x += 7) {
                // Where the point lies on the picture: the turn's corner formula run backwards.
                const double dX = x + 0.5 - kW / 2.0, dY = y + 0.5 - kH / 2.0;
                const PointF q(static_cast<float>((cs * dX - sn * dY) / zoom + fit.Width / 2),
                               static_cast<float>((sn * dX + cs * dY) / zoom + fit.Height / 2));
                std::optional<uint32_t> expected = QuarterAt(q, fit.Width, fit.Height, 3);
                const PointF onFit(static_cast<float>(x) - fit.X + 0.5f, static_cast<float>(y) - fit.Y + 0.5f);
                const std::optional<uint32_t> before = QuarterAt(onFit, fit.Width, fit.Height, 3);
                if (straighten) {
                    // The band outside the picture's own place is grey.
                    if (!before) continue;
                    if (*before == 0) expected = 0;
                }
                if (!expected || !before) continue;
                const COLORREF want = *expected == 0 ? kBackground : AsRgb(*expected);
                if (RgbDistance(canvas->Point(x, y), want) > 12 && wrong++ == 0)
                    ADD_FAILURE() << "at " << x << ", " << y << std::hex << " colour " << canvas->Point(x, y)
                                  << " expected " << want;
                ++checked;
                if (*expected != *before) ++moved;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(checked, 500);
        EXPECT_GT(moved, 50); // the turn shows: many points show another quarter than before
        // The screen shows the back buffer.
        EXPECT_EQ(Screen(200, 120), canvas->Point(200, 120));
    }
}

TEST_F(CanvasPreviewTest, RotateAppliesAtTheSizeItsPreviewTurnedInImagePixels) {
    // Twice the control's width: the preview turns the half-size fitted picture, and the step is
    // that size in image pixels with a pixel to spare on each side.
    OpenIn(3, 800, 400, 45, -45, 0);
    ASSERT_FLOAT_EQ(canvas->FitRect().Width, 400);
    ASSERT_FLOAT_EQ(canvas->FitRect().Height, 200);
    DragSlider(40);
    ASSERT_GT(std::fabs(canvas->SliderValue()), 1.0f);
    ASSERT_TRUE(canvas->ApplyEdit());
    EXPECT_EQ(canvas->ImgDIB.Width(), 802);
    EXPECT_EQ(canvas->ImgDIB.Height(), 402);
    // The picture stands turned about the step's centre: its corners are left clear.
    auto* step = static_cast<GpBitmap*>(canvas->ImgDIB.DIB());
    EXPECT_EQ(AlphaOf(PixelAt(step, 1, 1)), 0);
    EXPECT_EQ(AlphaOf(PixelAt(step, 400, 200)), 255);
}

TEST_F(CanvasPreviewTest, ParticlePreviewShowsParticlesOverThePicture) {
    const std::wstring navy = folder + L"navy.png";
    WriteSolidImage(navy, kW, kH, ColorARGB(255, 0, 0, 120));
    ASSERT_TRUE(canvas->Import(navy));
    const auto changed = [this] {
        int count = 0;
        for (int y = 2; y < kH - 45; y += 2)
            for (int x = 2; x < kW - 2; x += 2)
                if (RgbDistance(canvas->Point(x, y), RGB(0, 0, 120)) > 40) ++count;
        return count;
    };
    for (int32_t mode : {28, 31}) {
        SCOPED_TRACE(mode);
        canvas->SetEffect(mode);
        canvas->SetMax(300);
        canvas->SetMin(50);
        canvas->SetValue(200); // 200 ms of particles
        canvas->SetFitMode(true);
        ASSERT_TRUE(canvas->Import(L"", true));
        EXPECT_GT(changed(), 30);
        // No time, no particles.
        canvas->SetValue(0);
        canvas->Painting(false, false, false, false);
        EXPECT_EQ(changed(), 0);
    }
}

TEST_F(CanvasPreviewTest, IrradiationGlowsWhereThePointerIsAndStaysWhileTheSliderMoves) {
    OpenIn(37, 400, 200, 255, 10, 10);
    canvas->SetTextColor(RGB(255, 0, 0));
    const RectF fit = canvas->FitRect();
    const auto red = [this](int x, int y) { return static_cast<int>(GetRValue(canvas->Point(x, y))); };
    Drag(PointF(120, 110), {PointF(100, 100)});
    // Clear at the light, red toward the rim; the band outside the picture is grey.
    EXPECT_LT(red(100, 100), RedOf(kTopLeft) + 15);
    EXPECT_GT(red(380, 60), RedOf(kTopRight) + 60);
    EXPECT_EQ(canvas->Point(200, static_cast<int>(fit.Y) - 20), kBackground);
    // The slider sets the strength; the light stays where it was.
    const COLORREF atLight = canvas->Point(100, 100);
    DragSlider(100);
    EXPECT_LT(canvas->SliderValue(), 200);
    EXPECT_GT(canvas->SliderValue(), 10);
    EXPECT_NEAR_COLOUR(canvas->Point(100, 100), atLight, 12);
    // Apply lights the picture where the preview showed the light.
    ASSERT_TRUE(canvas->ApplyEdit());
    const auto applied = [this, &fit](int x, int y) {
        return PixelAt(static_cast<GpBitmap*>(canvas->ImgDIB.DIB()), x, y - static_cast<int>(fit.Y));
    };
    EXPECT_LT(RedOf(applied(100, 100)), RedOf(kTopLeft) + 15);
    EXPECT_GT(RedOf(applied(380, 60)), RedOf(kTopRight) + 40);
}

TEST_F(CanvasPreviewTest, RedEyeLoupeEnlargesTheAreaRoundThePointer) {
    OpenIn(9, kW, kH, 300, 50, 100);
    const PointF pointer(205, 155);
    Drag(PointF(150, 100), {pointer});
    // The panel's corner 130 pixels above and left of the pointer; 20 pixels enlarged five times.
    const int left = static_cast<int>(pointer.X) - 130 + 10, top = static_cast<int>(pointer.Y) - 130 + 10;
    const int squareX = static_cast<int>(pointer.X) - 10, squareY = static_cast<int>(pointer.Y) - 10;
    const auto loupe = [&](int i, int j) { return Screen(left + 5 * i + 2, top + 5 * j + 2); };
    const COLORREF topLeft = loupe(2, 2), bottomRight = loupe(17, 17);
    EXPECT_NEAR_COLOUR(topLeft, canvas->Point(squareX + 2, squareY + 2), 16);
    EXPECT_NEAR_COLOUR(bottomRight, canvas->Point(squareX + 17, squareY + 17), 16);
    EXPECT_GT(RgbDistance(topLeft, bottomRight), 30);
}

TEST_F(CanvasPreviewTest, RelayoutInStampModeGivesTheStampItsOwnSizeAgain) {
    mainWindow.onUseStamp = [this](bool, bool reset) { (void)canvas->StartStampTool(reset); };
    ::DeleteFileW(StampTempPath().c_str());
    App().SelectCombineMode = 1;
    OpenIn(17, kW, kH, 10, 0, 0);
    Drag(PointF(50, 50), {PointF(150, 100)});
    const RectF apply = canvas->PanelRects()[kPanelApply];
    Drag(PointF(apply.X + 20, apply.Y + 10), {});
    ASSERT_EQ(canvas->Effect(), 38);
    ASSERT_EQ(canvas->Stamp().Width(), 100);
    // Made larger by its bottom-right handle, then a brush taken.
    Drag(PointF(150, 100), {PointF(180, 115), PointF(210, 130)});
    ASSERT_FLOAT_EQ(canvas->FrameRects()[0].Width, 160);
    canvas->StampOptions(1);
    App().ToolMenu = L"Filter_EraserTool";

    // The control halves: the stamp lies where it was on the image, at its own size.
    canvas->Move(0, 0, kW / 2, kH / 2);
    TestWindow::Pump(20);
    EXPECT_EQ(canvas->Stamp().StampBrushKind, 0);
    EXPECT_TRUE(App().ToolMenu.empty());
    const RectF f = canvas->FrameRects()[0];
    EXPECT_FLOAT_EQ(f.X, 25);
    EXPECT_FLOAT_EQ(f.Y, 25);
    EXPECT_FLOAT_EQ(f.Width, 50);
    EXPECT_FLOAT_EQ(f.Height, 25);
}

// A tool's fit-size copy of the picture that cannot be made (here: the picture's pixels held by
// another reader while the layout runs) leaves the picture itself shown, not an empty copy.
TEST_F(CanvasPreviewTest, AViewCopyThatCannotBeMadeLeavesThePictureShown) {
    OpenIn(17, kW / 2, kH / 2, 10, 0, 0);
    const RectF fit = canvas->FitRect();
    const auto shown = [&] {
        std::vector<COLORREF> quarters;
        for (const float y : {0.25f, 0.75f})
            for (const float x : {0.25f, 0.75f})
                quarters.push_back(
                    Screen(static_cast<int>(fit.X + x * fit.Width), static_cast<int>(fit.Y + y * fit.Height)));
        return quarters;
    };
    const std::vector<COLORREF> withCopy = shown();
    EXPECT_GT(RgbDistance(withCopy[0], withCopy[3]), 40); // the quarters, not one colour

    auto* picture = static_cast<GpBitmap*>(canvas->ImgDIB.DIB());
    const GpRect all{0, 0, kW / 2, kH / 2};
    BitmapData held{};
    ASSERT_EQ(GdipBitmapLockBits(picture, &all, ImageLockModeRead, PixelFormat32bppARGB, &held), Ok);
    ASSERT_TRUE(canvas->Import(L"", true));
    GdipBitmapUnlockBits(picture, &held);
    canvas->Painting(false, false, false, false);
    const std::vector<COLORREF> withoutCopy = shown();
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR_COLOUR(withoutCopy[i], withCopy[i], 3);
}

TEST(GlowPixels, BlendGlowDrawsThePlatformsIrradiationGlow) {
    constexpr int w = 240, h = 180;
    struct Case {
        float px, py;
        int alpha;
    };
    for (const Case c : {Case{120, 90, 245}, Case{60, 40, 128}, Case{200, 150, 255}}) {
        SCOPED_TRACE(c.px);
        DibSection platform, own;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        ASSERT_TRUE(platform.Create(info));
        ASSERT_TRUE(own.Create(info));
        auto* a = reinterpret_cast<uint32_t*>(platform.bits());
        auto* b = reinterpret_cast<uint32_t*>(own.bits());
        for (int i = 0; i < w * h; ++i) a[i] = b[i] = static_cast<uint32_t>((i * 7) & 0xFF) << 8 | 0x300060u;
        // A glow reaching past the bitmap's edges, as the preview's does past the picture's.
        DrawIrradiation(DrawTarget::Dc(platform.dc()), 120, 90, 150, 110, c.px, c.py, 0, ColorARGB(255, 255, 40, 0),
                        c.alpha);
        GlowEllipse glow{120 - 150,       90 - 110, 300, 220, static_cast<int>(c.px), static_cast<int>(c.py),
                         RGB(255, 40, 0), c.alpha};
        ASSERT_TRUE(BlendGlow(BackBuffer{b, w, h}, glow, PixelRect{0, 0, w, h}));
        ::GdiFlush();
        // Alike but at the rim, where the platform's smoothing of the outline differs (the preview's
        // rim lies in the grey band around the picture).
        int largest = 0, changed = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const double rim = std::hypot((x + 0.5 - 120) / 150, (y + 0.5 - 90) / 110);
                const size_t i = static_cast<size_t>(y * w + x);
                if (std::fabs(rim - 1) > 0.02)
                    largest = std::max(largest, ChannelDistance(a[i] | 0xFF000000u, b[i] | 0xFF000000u));
                if ((a[i] & 0xFF0000u) != 0x300000u) ++changed;
            }
        EXPECT_LE(largest, 6);
        EXPECT_GT(changed, w * h / 2);
    }
    // A centre outside the ellipse is left to the platform.
    uint32_t pixel = 0;
    EXPECT_FALSE(BlendGlow(BackBuffer{&pixel, 1, 1}, GlowEllipse{0, 0, 10, 10, 20, 5, RGB(255, 0, 0), 200},
                           PixelRect{0, 0, 1, 1}));
}
