// The canvas's display geometry at its edges: zoom steps, the zoomed view's centring and clamps,
// the conversions, the navigator and the edit panel, and the slider.
#include "editor/CanvasGeometry.h"

#include <gtest/gtest.h>

#include <string>

TEST(CanvasGeometry, ZoomFromSliderPositionTwoDecimalsNeverBelowTheFloor) {
    const struct {
        float position, zoom;
    } cases[] = {
        {55, 1.0f}, {100, 1.82f},  {0, 0.12f},  {-30, 0.12f}, {6, 0.12f}, // 6 / 55 = 0.109
        {7, 0.13f}, {27.5f, 0.5f}, {110, 2.0f},
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(ZoomFromSlider(c.position), c.zoom) << c.position;
}

TEST(CanvasGeometry, FreshUnfittedLoadIsCentredWithTruncatedHalves) {
    const struct {
        float imageW, imageH;
        int32_t offsetX, offsetY;
    } cases[] = {
        {800, 600, -200, -150}, // larger: centred on the middle of the image
        {201, 101, 99, 99},     // 199 \ 2
        {401, 301, 0, 0},       // -1 \ 2 truncates toward zero
        {403, 299, -1, 0},
    };
    for (const auto& c : cases) {
        ZoomView view;
        CentreAtFullSize(view, c.imageW, c.imageH, 400, 300);
        EXPECT_EQ(view.OffsetX, c.offsetX) << c.imageW;
        EXPECT_EQ(view.OffsetY, c.offsetY) << c.imageH;
        EXPECT_EQ(view.PrevShownWidth, view.ShownWidth);
    }
}

TEST(CanvasGeometry, ZoomedLayoutCentresSmallKeepsCentreAndLeavesNoGap) {
    const struct {
        const char* what;
        float imageW, imageH, zoom;
        ZoomView before;
        bool keepCentre;
        int32_t offsetX, offsetY, shownW, shownH;
    } cases[] = {
        {"smaller: centred", 200, 100, 1, {}, true, 100, 100, 200, 100},
        {"odd rest rounds to even", 201, 103, 1, {}, true, 100, 98, 201, 103}, // 99.5 -> 100, 98.5 -> 98
        {"exactly the control's width", 400, 100, 1, {0, 0, 400, 100, 0, 0}, true, 0, 100, 400, 100},
        {"zoom in keeps the centre", 800, 600, 2, {800, 600, 800, 600, -200, -150}, true, -600, -450, 1600, 1200},
        {"held: no centre move", 800, 600, 2, {800, 600, 800, 600, -200, -150}, false, -200, -150, 1600, 1200},
        {"half-pixel centre move to even", 800, 600, 1, {800, 600, 801, 600, -201, -150}, true, -200, -150, 800, 600},
        {"pan past the left edge", 800, 600, 1, {800, 600, 800, 600, 50, 30}, true, 0, 0, 800, 600},
        {"pan past the right edge", 800, 600, 1, {800, 600, 800, 600, -401, -301}, true, -400, -300, 800, 600},
        {"one pixel inside", 800, 600, 1, {800, 600, 800, 600, -399, -1}, false, -399, -1, 800, 600},
        {"zoom out past the control centres",
         800,
         600,
         0.25f,
         {800, 600, 800, 600, -400, -300},
         true,
         100,
         75,
         200,
         150},
    };
    for (const auto& c : cases) {
        ZoomView view = c.before;
        LayOutZoomed(view, c.imageW, c.imageH, c.zoom, 400, 300, c.keepCentre);
        EXPECT_EQ(view.ShownWidth, c.shownW) << c.what;
        EXPECT_EQ(view.ShownHeight, c.shownH) << c.what;
        EXPECT_EQ(view.OffsetX, c.offsetX) << c.what;
        EXPECT_EQ(view.OffsetY, c.offsetY) << c.what;
    }
}

TEST(CanvasGeometry, ImageAndCanvasPointsConvertBothWays) {
    ZoomView zoomed;
    zoomed.ShownWidth = 1600;
    zoomed.ShownHeight = 1200;
    zoomed.OffsetX = -600;
    zoomed.OffsetY = -450;
    const RectF fit(0, 50, 400, 200); // 800 x 400 fitted into 400 x 300
    const struct {
        bool fitMode;
        float imageW, imageH;
        PointF image, canvas;
    } cases[] = {
        {false, 800, 600, PointF(0, 0), PointF(-600, -450)},
        {false, 800, 600, PointF(400, 300), PointF(200, 150)},
        {false, 800, 600, PointF(0.5f, 0.25f), PointF(-599, -449.5f)},
        {true, 800, 400, PointF(800, 400), PointF(400, 250)},
        {true, 800, 400, PointF(1, 1), PointF(0.5f, 50.5f)},
    };
    for (const auto& c : cases) {
        const PointF toCanvas = ImageToCanvas(c.image, c.imageW, c.imageH, c.fitMode, fit, zoomed);
        EXPECT_FLOAT_EQ(toCanvas.X, c.canvas.X);
        EXPECT_FLOAT_EQ(toCanvas.Y, c.canvas.Y);
        const PointF back = CanvasToImage(c.canvas, c.imageW, c.imageH, c.fitMode, fit, zoomed);
        EXPECT_FLOAT_EQ(back.X, c.image.X);
        EXPECT_FLOAT_EQ(back.Y, c.image.Y);
    }
    // Nothing shown: no division by a zero size.
    const PointF none = CanvasToImage(PointF(10, 10), 0, 0, true, RectF(), ZoomView());
    EXPECT_FLOAT_EQ(none.X, 0);
    EXPECT_FLOAT_EQ(none.Y, 0);
}

TEST(CanvasGeometry, NavigatorShowsOnlyForALargerImageAndFollowsThePointerWithinItsThumbnail) {
    ZoomView view;
    view.ShownWidth = 400;
    view.ShownHeight = 300;
    EXPECT_FALSE(NavigatorShown(view, 400, 300));
    view.ShownWidth = 401;
    EXPECT_TRUE(NavigatorShown(view, 400, 300)); // wider, not taller

    const RectF thumb = NavigatorThumbRect(800, 600, 400, 300);
    EXPECT_FLOAT_EQ(thumb.X, 290);
    EXPECT_FLOAT_EQ(thumb.Y, 202); // (100 - 75) rounds to 25, halved to 12
    EXPECT_FLOAT_EQ(thumb.Width, 100);
    EXPECT_FLOAT_EQ(thumb.Height, 75);

    view.ShownWidth = 800;
    view.ShownHeight = 600;
    const struct {
        PointF pointer;
        int32_t offsetX, offsetY;
    } cases[] = {
        {PointF(340, 239.5f), -200, -150}, // the thumbnail's centre: the image's centre
        {PointF(290, 202), 0, 0},          // its corner: clamped to the image's corner
        {PointF(-50, -80), 0, 0},
        {PointF(900, 700), -400, -300}, // past the far corner: no gap beyond the image
        {PointF(316, 221), -8, -2},     // one past the clamp on both axes
    };
    for (const auto& c : cases) {
        const NavigatorFollow f = FollowNavigator(thumb, view, 400, 300, c.pointer);
        EXPECT_EQ(f.OffsetX, c.offsetX) << c.pointer.X;
        EXPECT_EQ(f.OffsetY, c.offsetY) << c.pointer.Y;
        EXPECT_FLOAT_EQ(f.viewport.Width, 50); // 400 / 8
        EXPECT_GE(f.viewport.X, thumb.X);
        EXPECT_LE(f.viewport.X + f.viewport.Width, thumb.X + thumb.Width + 0.001f);
    }

    // Wider than the control but not taller: the viewport spans the thumbnail's whole height.
    view.ShownWidth = 800;
    view.ShownHeight = 200;
    const RectF wide = NavigatorThumbRect(800, 200, 400, 300);
    const NavigatorFollow f = FollowNavigator(wide, view, 400, 300, PointF(340, 240));
    EXPECT_FLOAT_EQ(f.viewport.Y, wide.Y);
    EXPECT_FLOAT_EQ(f.viewport.Height, wide.Height);

    // A thumbnail of no size follows nothing.
    const NavigatorFollow empty = FollowNavigator(RectF(), view, 400, 300, PointF(5, 5));
    EXPECT_EQ(empty.OffsetX, 0);
    EXPECT_EQ(empty.OffsetY, 0);
}

TEST(CanvasGeometry, EditPanelRowSitsAtTheBottomOrAtTheTopForText) {
    const struct {
        int32_t effect;
        float w, h;
        float px, y, b;
        bool slider, option, stampUndo;
    } cases[] = {
        {2, 400, 300, 50, 265, 200, true, false, false}, {4, 400, 300, 50, 5, 200, true, false, false},
        {1, 400, 300, 50, 265, 90, false, false, false}, {41, 400, 300, 50, 265, 90, false, false, false},
        {25, 401, 300, 50, 265, 200, true, true, false}, // 201 \ 2 - 50
        {38, 403, 301, 51, 266, 200, true, true, true},  // 203 \ 2 - 50
        {7, 100, 40, -100, 5, 200, true, false, false},  // a control narrower than the panel
    };
    for (const auto& c : cases) {
        const EditPanelLayout p = LayOutEditPanel(c.effect, c.w, c.h);
        EXPECT_FLOAT_EQ(p.PX, c.px) << c.effect;
        EXPECT_FLOAT_EQ(p.Y, c.y) << c.effect;
        EXPECT_FLOAT_EQ(p.B, c.b) << c.effect;
        EXPECT_EQ(p.slider, c.slider) << c.effect;
        EXPECT_EQ(p.option, c.option) << c.effect;
        EXPECT_EQ(p.stampUndo, c.stampUndo) << c.effect;
    }
}

TEST(CanvasGeometry, SliderFollowsThePointerAndClampsAtTheTrackEnds) {
    const float px = 50, thumbW = 15; // travel 185
    const struct {
        float pointerX, value;
    } follow[] = {
        {-500, 0}, {60, 0}, {60 + 18.5f, 1}, {60 + 92.5f, 5}, {245, 10}, {5000, 10},
    };
    for (const auto& c : follow)
        EXPECT_FLOAT_EQ(SliderValueAtPointer(c.pointerX, px, thumbW, 10, 0), c.value) << c.pointerX;

    const struct {
        float value;
        bool keepThumb;
        float x, clampedValue;
    } place[] = {
        {0, false, 56, 0}, // Min: PX + 6
        {5, false, 148.5f, 5},  {9, false, 56 + 166.5f, 9},
        {9.2f, false, 224, 10}, // past PX + 174: the end of the track, Max
        {-1, false, 54, 0},     // left of PX + 4: Min and PX + 4
        {-3, true, 0.5f, 0},    // left of the track, kept where it is
    };
    for (const auto& c : place) {
        const SliderThumb t = PlaceSliderThumb(c.value, px, thumbW, 10, 0, c.keepThumb);
        EXPECT_FLOAT_EQ(t.x, c.x) << c.value;
        EXPECT_FLOAT_EQ(t.value, c.clampedValue) << c.value;
    }
    // No range: one place and no division by zero.
    EXPECT_FLOAT_EQ(PlaceSliderThumb(3, px, thumbW, 3, 3, false).x, 56);
    EXPECT_FLOAT_EQ(SliderValueAtPointer(70, px, 200, 10, 0), 0); // no travel
}

TEST(CanvasGeometry, NumbersAsTextKeepSevenSignificantDigits) {
    const struct {
        double value;
        const wchar_t* text;
    } cases[] = {
        {static_cast<double>(1.82f) * 100, L"182"},
        {1.82f, L"1.82"},
        {0.12f, L"0.12"},
        {100, L"100"},
        {1234567.8, L"1234568"},
        {0.5, L"0.5"},
        {-0.0, L"0"},
        {1.0 / 3, L"0.3333333"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text);
}
