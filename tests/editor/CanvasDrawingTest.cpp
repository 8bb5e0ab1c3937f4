// The text, calendar and line tools on a canvas in a real window: text typed into the in-place
// box, anchored by a click and applied at two zooms; a calendar dragged by its box and applied;
// a line kept on the shown image and its pen width on a half-size view; the clamp's edges.
#include "editor/CanvasDrawing.h"
#include "imaging/CDIB.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/TextRendering.h"
#include "platform/Rounding.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

namespace {

// A device context for the calendar to measure on, as a picture box's is.
struct MeasuringDc {
    CDIB dib;
    MeasuringDc() { EXPECT_TRUE(dib.Create(64, 64, 32)); }
    [[nodiscard]] DrawTarget target() const { return DrawTarget::Dc(dib.hDC()); }
};

struct DrawingTest : CanvasWindowTest {
    void OpenWhite(int w, int h, bool fitted) {
        canvas->SetFitMode(fitted);
        GdipBitmap white = SolidBitmap(w, h, kWhite);
        const std::wstring path = folder + L"white.png";
        ASSERT_TRUE(SaveImageSafely(white.get(), path, kFormatPng, 0));
        ASSERT_TRUE(canvas->Import(path));
    }
    void StartTool(int32_t mode, int32_t max, int32_t min, int32_t value) {
        canvas->SetEffect(mode);
        canvas->SetMax(max);
        canvas->SetMin(min);
        canvas->SetValue(value);
        canvas->SetFontA(L"Tahoma");
        canvas->SetFontSizeA(30);
        canvas->SetTextColor(RGB(0, 0, 0));
    }
    void Click(float x, float y) { Drag(PointF(x, y), {}); }
    void ClickApply() {
        const RectF apply = canvas->PanelRects()[kPanelApply];
        Click(apply.X + apply.Width / 2, apply.Y + apply.Height / 2);
    }
    // The box of what is darker than the paper.
    [[nodiscard]] static DrawnBox Ink(GpImage* image) {
        return FindDrawn(static_cast<GpBitmap*>(image), [](uint32_t c) { return GreenOf(c) < 160; });
    }
};

void ExpectSameBox(const DrawnBox& actual, const DrawnBox& expected) {
    ASSERT_GT(expected.count, 0);
    EXPECT_NEAR(actual.left, expected.left, 1);
    EXPECT_NEAR(actual.top, expected.top, 1);
    EXPECT_NEAR(actual.right, expected.right, 1);
    EXPECT_NEAR(actual.bottom, expected.bottom, 1);
}

} // namespace

TEST_F(DrawingTest, TypedTextAnchoredByAClickLandsAtTheAnchorAtEveryZoom) {
    // The same text drawn straight onto white paper at image point (40, 30).
    TestCanvas paper(200, 150, kWhite);
    const std::optional<RectF> measured =
        DrawTextTool(paper.target(), L"AB", 40, 30, L"Tahoma", 30, 0, 0, ColorARGB(255, 0, 0, 0), 245);
    ASSERT_TRUE(measured);
    const DrawnBox expected = Ink(paper.bitmap.get());

    for (const float slider : {55.0f, 82.5f}) { // 100 % and 150 %
        SCOPED_TRACE(slider);
        OpenWhite(200, 150, false);
        StartTool(4, 255, 10, 10);
        canvas->SetZoom(slider);
        const float zoom = canvas->Zoom();
        ASSERT_EQ(canvas->View().ShownWidth, RoundHalfEven(200 * zoom));
        // Typed as a person types into the box.
        canvas->TextBackground().SetText(L"");
        for (const wchar_t c : std::wstring(L"AB")) ::SendMessageW(canvas->TextBackground().Text1(), WM_CHAR, c, 1);
        ASSERT_EQ(canvas->TextBackground().Text(), L"AB");

        const PointF at(static_cast<float>(canvas->View().OffsetX) + 40 * zoom,
                        static_cast<float>(canvas->View().OffsetY) + 30 * zoom);
        Click(at.X, at.Y);
        ASSERT_TRUE(canvas->TextAnchorSet());
        // The box the pointer grabs is the text's measured box, standing at the anchor.
        const RectF box = canvas->TextBounds();
        EXPECT_FLOAT_EQ(box.X, at.X);
        EXPECT_FLOAT_EQ(box.Y, at.Y);
        EXPECT_NEAR(box.Width, measured->Width, 1);
        EXPECT_NEAR(box.Height, measured->Height, 1);
        EXPECT_GT(box.Width, 30.0f);
        Click(at.X + 50, at.Y + 50); // a second click keeps the anchor
        EXPECT_FLOAT_EQ(canvas->TextAnchor().X, at.X);

        ClickApply();
        EXPECT_EQ(canvas->Effect(), 0);
        EXPECT_EQ(canvas->UndoIndex(), 1);
        EXPECT_FALSE(canvas->TextAnchorSet());
        EXPECT_TRUE(mainWindow.log.Has(L"TextBarVisible=false"));
        EXPECT_TRUE(mainWindow.log.Has(L"ArrangeMainWindow(false)"));
        EXPECT_EQ(canvas->ImgDIB.Width(), 200); // an image-sized step
        EXPECT_EQ(canvas->ImgDIB.Height(), 150);
        ExpectSameBox(Ink(canvas->ImgDIB.DIB()), expected);
    }
}

TEST_F(DrawingTest, CalendarDraggedByItsBoxIsAppliedWhereItWasDropped) {
    OpenWhite(300, 200, false); // at 100 %, its corner at (50, 50)
    StartTool(10, 12, 1, 8);
    canvas->SetFontSizeA(12);
    ASSERT_TRUE(canvas->Import(L"", true));
    EXPECT_EQ(canvas->Calendar().Month().month, 8);
    EXPECT_FLOAT_EQ(canvas->TextBounds().Width, canvas->Calendar().Width());

    Drag(PointF(5, 5), {PointF(30, 40), PointF(65, 75)});
    EXPECT_FLOAT_EQ(canvas->TextAnchor().X, 60);
    EXPECT_FLOAT_EQ(canvas->TextAnchor().Y, 70);
    // A drag that starts off the calendar pans instead of moving it.
    ASSERT_LT(canvas->TextBounds().X + canvas->TextBounds().Width, 390.0f);
    Drag(PointF(395, 10), {PointF(385, 20)});
    EXPECT_FLOAT_EQ(canvas->TextAnchor().X, 60);

    // The same calendar drawn straight onto paper at image point (10, 20).
    ClsCalendar reference;
    reference.Font(L"Tahoma");
    reference.FontSize(12);
    reference.FontColor(ColorARGB(255, 0, 0, 0));
    reference.Months(8);
    TestCanvas paper(300, 200, kWhite);
    reference.DrawCalendar(MeasuringDc().target(), 0, 0, 24, 10); // measures
    reference.DrawCalendar(paper.target(), 10, 20, 24, 10);

    ClickApply();
    EXPECT_EQ(canvas->Effect(), 0);
    ExpectSameBox(Ink(canvas->ImgDIB.DIB()), Ink(paper.bitmap.get()));
}

TEST_F(DrawingTest, LineStaysOnTheShownImageAndItsPenIsInImagePixelsWhenApplied) {
    OpenWhite(800, 400, true); // fitted at half size into (0, 50, 400, 200)
    StartTool(25, 255, 0, 0);
    canvas->LineWidthValue(5);
    ASSERT_TRUE(canvas->Import(L"", true));

    // Dragged past the bottom: the end stops one pixel inside the image, and so does the stroke.
    Drag(PointF(100, 150), {PointF(200, 290)});
    EXPECT_FLOAT_EQ(canvas->ShapeEnd().X, 200);
    EXPECT_FLOAT_EQ(canvas->ShapeEnd().Y, 249);
    EXPECT_LT(GetGValue(Screen(150, 200)), 100);
    EXPECT_EQ(Screen(200, 256), kBackground);

    // A level line: 5 control pixels thick on the preview, 5 image pixels thick when applied.
    Drag(PointF(50, 100), {PointF(200, 100), PointF(350, 100)});
    int previewThickness = 0;
    for (int y = 90; y <= 110; ++y) previewThickness += GetGValue(Screen(200, y)) < 128 ? 1 : 0;
    EXPECT_NEAR(previewThickness, 5, 1);

    ASSERT_TRUE(canvas->ApplyEdit());
    EXPECT_EQ(canvas->Effect(), 0);
    EXPECT_FALSE(canvas->FitMode());
    EXPECT_FLOAT_EQ(canvas->ShapeStart().X, 0); // the rubber band is cleared
    const DrawnBox stroke = Ink(canvas->ImgDIB.DIB());
    EXPECT_NEAR(stroke.left, 100 - 2, 1); // round caps reach half the pen past the ends
    EXPECT_NEAR(stroke.right, 700 + 2, 1);
    EXPECT_NEAR(stroke.bottom - stroke.top + 1, 5, 1);
    EXPECT_NEAR((stroke.top + stroke.bottom) / 2.0, 100, 1);
}

TEST_F(DrawingTest, RightToLeftThickLineRasterizesIntoAStampHoldingTheWholeStroke) {
    OpenWhite(800, 400, true); // fitted at half size into (0, 50, 400, 200)
    StartTool(25, 255, 0, 0);
    canvas->LineWidthValue(9);
    ASSERT_TRUE(canvas->Import(L"", true));
    Drag(PointF(300, 200), {PointF(200, 150), PointF(100, 120)}); // image (600, 300) to (200, 140)

    ASSERT_TRUE(canvas->Rasterize());
    EXPECT_TRUE(mainWindow.log.Has(L"UseStamp(false, false)"));
    GdiDIB stamp;
    ASSERT_TRUE(stamp.Import(StampTempPath()));
    // The box between the ends and half the pen plus one beyond: 200 - 5.5 to 600 + 5.5.
    EXPECT_NEAR(stamp.Width(), 411, 1);
    EXPECT_NEAR(stamp.Height(), 171, 1);
    EXPECT_NEAR(canvas->LastStampPlace().X, 194.5f, 1);
    EXPECT_NEAR(canvas->LastStampPlace().Y, 134.5f, 1);
    // Ink across the whole stroke, round caps included, with clear pixels all round it.
    const DrawnBox ink = FindDrawn(static_cast<GpBitmap*>(stamp.DIB()), [](uint32_t c) { return (c >> 24) > 0; });
    EXPECT_NEAR(ink.right - ink.left + 1, 400 + 9, 3);
    EXPECT_NEAR(ink.bottom - ink.top + 1, 160 + 9, 3);
    EXPECT_GE(ink.left, 0 + 1);
    EXPECT_GE(ink.top, 0 + 1);
    EXPECT_LE(ink.right, static_cast<int>(stamp.Width()) - 2);
    EXPECT_LE(ink.bottom, static_cast<int>(stamp.Height()) - 2);
}

TEST_F(DrawingTest, TextRasterizesToItsMeasuredBoxAndNothingPendingStartsNoStamp) {
    OpenWhite(200, 150, false);
    StartTool(4, 255, 10, 10);
    canvas->SetFontStyleA(2); // bold is measured bold
    canvas->TextBackground().SetText(L"AB");
    Click(120, 90);
    const RectF preview = canvas->TextBounds();
    ASSERT_TRUE(canvas->Rasterize());
    GdiDIB stamp;
    ASSERT_TRUE(stamp.Import(StampTempPath()));
    EXPECT_EQ(stamp.Width(), RoundHalfEven(preview.Width));
    EXPECT_EQ(stamp.Height(), RoundHalfEven(preview.Height));
    EXPECT_FLOAT_EQ(canvas->LastStampPlace().X, 120 - static_cast<float>(canvas->View().OffsetX));
    EXPECT_FLOAT_EQ(canvas->TextBounds().X, preview.X); // the grab box is the preview's still

    // An empty text, browse mode and a calendar never drawn: no file, no stamp tool.
    for (const int32_t mode : {4, 0, 10}) {
        canvas->TextBackground().SetText(L"");
        canvas->SetEffect(mode);
        ::DeleteFileW(StampTempPath().c_str());
        mainWindow.log = {};
        EXPECT_FALSE(canvas->Rasterize()) << mode;
        EXPECT_EQ(::GetFileAttributesW(StampTempPath().c_str()), INVALID_FILE_ATTRIBUTES) << mode;
        EXPECT_FALSE(mainWindow.log.Has(L"UseStamp(false, false)")) << mode;
    }
}

TEST(CanvasDrawingGeometry, DragPointsKeepToTheShownImageUpToOnePixelInsideTheFarEdges) {
    const RectF shown(10, 20, 100, 50);
    const struct {
        PointF in, out;
    } cases[] = {
        {{9, 19}, {10, 20}},    {{10, 20}, {10, 20}},   {{109, 69}, {109, 69}},
        {{110, 70}, {109, 69}}, {{500, -5}, {109, 20}}, {{60.5f, 45.5f}, {60.5f, 45.5f}},
    };
    for (const auto& c : cases) {
        const PointF p = ClampOntoShown(c.in, shown);
        EXPECT_FLOAT_EQ(p.X, c.out.X) << c.in.X;
        EXPECT_FLOAT_EQ(p.Y, c.out.Y) << c.in.Y;
    }
}

TEST(CanvasDrawingGeometry, CalendarMonthFromTheSliderRoundsHalvesToEven) {
    const struct {
        float slider;
        int32_t month;
    } cases[] = {{2.5f, 2}, {3.5f, 4}, {12.0f, 12}, {1.49f, 1}};
    for (const auto& c : cases) {
        ClsCalendar calendar;
        SetUpCalendar(calendar, TextLook{L"", L"Tahoma", 12, 0, 0, ColorARGB(255, 0, 0, 0), 255}, c.slider);
        DrawToolCalendar(calendar, MeasuringDc().target(), PointF(0, 0));
        EXPECT_EQ(calendar.Month().month, c.month) << c.slider;
    }
}
