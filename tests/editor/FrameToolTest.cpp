// The frame tools in a real window driven by the mouse: frames spanned, moved and resized by their
// handles (across edges, beyond the image, zero-size, two buttons held), and what Apply commits
// compared with what the overlay showed, also over a zoomed and panned picture and through a zoom
// change; Select All then Crop or Copy, Red Eye's Select All zoomed in; the irradiation's light
// where its preview showed it, fitted or zoomed; the panel's Cancel and Option (with the real
// menu), the colour pick.
#include "controls/ZpYSkinMenu.h"
#include "imaging/ClipboardStamp.h"
#include "platform/MessageBoxService.h"
#include "platform/Rounding.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>
#include <vector>

namespace {

struct FrameToolTest : CanvasWindowTest {
    FakeSkinMenu menu;

    void SetUp() override {
        canvas = std::make_unique<Imageyzviewer>();
        PictureBoxArgs args;
        args.parent = host.hwnd();
        args.width = kW;
        args.height = kH;
        ASSERT_TRUE(canvas->Create(args, {&mainWindow, &toolbar, &keys, &fileShell, &sizeDialog, &menu}));
    }
    // Opens a picture of four quarters in a tool, laid out as the host does on a tool change.
    void OpenIn(int32_t mode, int w, int h) {
        ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", w, h)));
        canvas->SetEffect(mode);
        canvas->CleanCroprect(false); // each tool starts without a frame
        ASSERT_TRUE(canvas->Import(L"", true));
    }
    void Click(PointF at) { Drag(at, {}); }
    void ClickPanel(int element) {
        const RectF r = canvas->PanelRects()[element];
        Click(PointF(r.X + r.Width / 2, r.Y + r.Height / 2));
    }
    [[nodiscard]] uint32_t Shown(int x, int y) const {
        return PixelAt(static_cast<GpBitmap*>(canvas->ImgDIB.DIB()), x, y);
    }
    [[nodiscard]] RectF Frame() const { return canvas->FrameRects()[0]; }
    void ExpectQuarterCorners(GpImage* image, int w, int h) const {
        auto* bitmap = static_cast<GpBitmap*>(image);
        EXPECT_EQ(PixelAt(bitmap, 0, 0), kTopLeft);
        EXPECT_EQ(PixelAt(bitmap, w - 1, 0), kTopRight);
        EXPECT_EQ(PixelAt(bitmap, 0, h - 1), kBottomLeft);
        EXPECT_EQ(PixelAt(bitmap, w - 1, h - 1), kBottomRight);
    }
};

void ExpectRect(const RectF& r, float x, float y, float w, float h) {
    EXPECT_NEAR(r.X, x, 0.5f);
    EXPECT_NEAR(r.Y, y, 0.5f);
    EXPECT_NEAR(r.Width, w, 0.5f);
    EXPECT_NEAR(r.Height, h, 0.5f);
}

} // namespace

TEST_F(FrameToolTest, CropOnHalfSizeViewCommitsTwiceTheFrame) {
    OpenIn(1, 800, 600); // shown at half size in the 400 x 300 canvas
    Drag({250, 160}, {{200, 130}, {150, 100}});
    ExpectRect(Frame(), 150, 100, 100, 60);
    ClickPanel(kPanelApply);
    EXPECT_EQ(canvas->Effect(), 0);
    ASSERT_EQ(canvas->ImgDIB.Width(), 200);
    ASSERT_EQ(canvas->ImgDIB.Height(), 120);
    EXPECT_EQ(Shown(0, 0), kTopLeft);         // image (300, 200)
    EXPECT_EQ(Shown(199, 119), kBottomRight); // image (499, 319)
    EXPECT_EQ(Shown(99, 99), kTopLeft);
    EXPECT_EQ(Shown(100, 100), kBottomRight);
    EXPECT_EQ(canvas->UndoIndex(), 1);
}

TEST_F(FrameToolTest, CropFrameKeepsItsPixelsWhenTheZoomChanges) {
    OpenIn(1, 800, 600); // fitted at half size
    Drag({250, 160}, {{150, 100}});
    // The zoom slider taken: unfitted at 33 %, 264 x 198 centred at (68, 51).
    canvas->SetFitMode(false);
    canvas->SetZoom(18);
    ExpectRect(Frame(), 167, 117, 66, 39.6f);
    ClickPanel(kPanelApply);
    ASSERT_EQ(canvas->ImgDIB.Width(), 200);
    ASSERT_EQ(canvas->ImgDIB.Height(), 120);
    EXPECT_EQ(Shown(99, 99), kTopLeft); // image (399, 299)
    EXPECT_EQ(Shown(100, 100), kBottomRight);
}

TEST_F(FrameToolTest, SelectAllThenCropOrCopyTakesTheWholePictureExactly) {
    // Odd sizes: shown smaller than they are, or centred at their own size, on either axis.
    for (auto [w, h] : {std::pair{801, 603}, {123, 77}, {399, 1001}, {1001, 99}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        canvas->SetFitMode(true); // as the crop tool sets it
        OpenIn(1, w, h);
        canvas->CleanCroprect(true);
        ClickPanel(kPanelApply);
        ASSERT_EQ(canvas->ImgDIB.Width(), w);
        ASSERT_EQ(canvas->ImgDIB.Height(), h);
        ExpectQuarterCorners(canvas->ImgDIB.DIB(), w, h);

        // Browsing, zoomed in and off-centre: Copy takes the whole picture too.
        App().SelectCombineMode = 1; // as the main window starts
        OpenIn(0, w, h);
        canvas->SetFitMode(false);
        canvas->SetZoom(70);
        Drag({200, 150}, {{150, 120}});
        canvas->CleanCroprect(true);
        ASSERT_TRUE(canvas->DrawtoClipboard());
        GdipImage pasted;
        int32_t pw = 0, ph = 0;
        ASSERT_TRUE(PasteClipboardImage(pasted, pw, ph));
        ASSERT_EQ(pw, w);
        ASSERT_EQ(ph, h);
        ExpectQuarterCorners(pasted.get(), w, h);
    }
}

TEST_F(FrameToolTest, IrradiationLightsThePictureWhereItsPreviewShowedTheLight) {
    // A white picture shown at half size with a margin on the left: the light shows it as it is
    // at its point and darkens it towards the glow's rim.
    const std::wstring path = folder + L"white.png";
    ASSERT_TRUE(SaveImageSafely(BitmapOf(600, 600, [](int, int) { return kWhite; }).get(), path, kFormatPng, 0));
    const struct {
        PointF put;                 // where a drag leaves the light
        std::optional<PointF> then; // a click without a drag elsewhere, which moves nothing
        int x, y;                   // the image pixel under put: (put - (50, 0)) * 2 while fitted
        bool fitted = true;
        float zoom = 55; // unfitted: the zoom slider (55 is 100 %)
        PointF pan = {}; // and a pan in browse mode
    } cases[] = {{{100, 60}, std::nullopt, 100, 120},
                 {{320, 200}, std::nullopt, 540, 400},
                 {{100, 60}, PointF(320, 200), 100, 120},
                 {{320, 200}, PointF(60, 10), 540, 400},
                 // Unfitted at 73 % (438 pixels), centred at (-19, -69) and panned to (-4, -29).
                 {{300, 200}, std::nullopt, 416, 314, false, 40, {15, 40}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + (c.then ? " then a click" : "") + (c.fitted ? "" : " unfitted"));
        canvas->SetFitMode(c.fitted);
        ASSERT_TRUE(canvas->Import(path));
        if (!c.fitted) {
            canvas->SetZoom(c.zoom);
            Drag({200, 150}, {PointF(200 + c.pan.X, 150 + c.pan.Y)});
        }
        canvas->SetEffect(37);
        canvas->SetMax(255);
        canvas->SetMin(0);
        canvas->SetValue(0);
        canvas->SetTextColor(RGB(0, 0, 0));
        ASSERT_TRUE(canvas->Import(L"", true));
        ASSERT_FLOAT_EQ(canvas->FitRect().X, 50);
        Drag(PointF(c.put.X + 30, c.put.Y + 20), {c.put});
        if (c.then) {
            Click(*c.then);
            // The screen still shows the light where the drag left it.
            const auto shownAt = [this](PointF p) {
                return GetRValue(canvas->Point(static_cast<int>(p.X), static_cast<int>(p.Y)));
            };
            EXPECT_GT(shownAt(c.put), shownAt(*c.then) + 60);
        }
        // Apply pressed with a hand that moves a little: the light stays where it was put.
        const RectF apply = canvas->PanelRects()[kPanelApply];
        const PointF onApply(apply.X + apply.Width / 2, apply.Y + apply.Height / 2);
        Drag(onApply, {PointF(onApply.X + 2, onApply.Y + 1)});
        ASSERT_EQ(canvas->Effect(), 0);
        // Where the step is brightest, on a grid of 4 pixels.
        int best = -1;
        int64_t sumX = 0, sumY = 0, count = 0;
        for (int y = 0; y < 600; y += 4)
            for (int x = 0; x < 600; x += 4) {
                const int level = RedOf(Shown(x, y));
                if (level > best) best = level, sumX = sumY = count = 0;
                if (level == best) sumX += x, sumY += y, ++count;
            }
        ASSERT_GT(count, 0);
        EXPECT_NEAR(static_cast<double>(sumX) / count, c.x, 12);
        EXPECT_NEAR(static_cast<double>(sumY) / count, c.y, 12);
        EXPECT_LT(RedOf(Shown(599 - c.x, 599 - c.y)), best - 60); // far from it: darker
    }
}

TEST_F(FrameToolTest, FrameOverTheZoomedAndPannedPictureIsAppliedWhereItShows) {
    // Unfitted at 73 % (438 pixels), centred at (-19, -69) and panned to (-4, -29): the frame from
    // (20, 20) to (120, 100) lies over the picture's (33, 67) to (170, 177).
    const std::wstring path = folder + L"white.png";
    ASSERT_TRUE(SaveImageSafely(SolidBitmap(600, 600, kWhite).get(), path, kFormatPng, 0));
    canvas->SetFitMode(false);
    ASSERT_TRUE(canvas->Import(path));
    canvas->SetZoom(40);
    Drag({200, 150}, {{215, 190}});
    canvas->SetEffect(5); // the card, tinting inside the frame
    ASSERT_TRUE(canvas->Import(L"", true));
    App().SelectCombineMode = 4;
    canvas->SetMax(255);
    canvas->SetValue(128);
    Drag({20, 20}, {{120, 100}});
    ASSERT_TRUE(canvas->ApplyEdit());
    for (auto [x, y, inside] :
         {std::tuple{36, 70, true}, {167, 174, true}, {30, 120, false}, {100, 64, false}, {173, 120, false}})
        EXPECT_EQ(Shown(x, y) != kWhite, inside) << x << "," << y;
}

TEST_F(FrameToolTest, HandlesResizeWithTheirCursorsAcrossEdgesAndStopAtTheImage) {
    OpenIn(1, 800, 600);
    struct Case {
        PointF from, to;
        int pointer;
        float x, y, w, h;
    };
    const Case cases[] = {
        {{100, 100}, {200, 180}, MousePointer::Cross, 100, 100, 100, 80},     // new frame
        {{200, 140}, {300, 140}, MousePointer::SizeWE, 100, 100, 200, 80},    // right
        {{200, 180}, {200, 250}, MousePointer::SizeNS, 100, 100, 200, 150},   // bottom
        {{300, 250}, {350, 280}, MousePointer::SizeNWSE, 100, 100, 250, 180}, // bottom-right
        {{350, 100}, {390, 20}, MousePointer::SizeNESW, 100, 20, 290, 260},   // top-right
        {{100, 150}, {395, 150}, MousePointer::SizeWE, 390, 20, 5, 260},      // left across the right side
        {{-1, -1}, {-1, -1}, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        if (c.from.X < 0) break;
        Send(WM_MOUSEMOVE, 0, c.from.X, c.from.Y);
        if (c.pointer != MousePointer::Cross) {
            EXPECT_EQ(canvas->GetMousePointer(), c.pointer);
        }
        Drag(c.from, {c.to});
        ExpectRect(Frame(), c.x, c.y, c.w, c.h);
    }
    // The top-left handle dragged beyond the image stops at its corner; the other sides stay.
    canvas->SetFrame(RectF(100, 100, 100, 80));
    Drag({100, 100}, {{-50, -40}});
    ExpectRect(Frame(), 0, 0, 200, 180);
    // Moved by its inside beyond the bottom-right, the frame stays on the image whole.
    Drag({100, 90}, {{500, 400}});
    ExpectRect(Frame(), 200, 120, 200, 180);
    // A click without a move leaves the frame; a second button pressed mid-drag ends the drag.
    Click({50, 50});
    ExpectRect(Frame(), 200, 120, 200, 180);
    Send(WM_MOUSEMOVE, 0, 100, 60);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 60);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 150, 100);
    Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 150, 100);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 250, 200);
    Send(WM_LBUTTONUP, MK_RBUTTON, 250, 200);
    Send(WM_RBUTTONUP, 0, 250, 200);
    ExpectRect(Frame(), 100, 60, 50, 40);
}

TEST_F(FrameToolTest, EmptyFrameCommitsNothing) {
    OpenIn(1, 800, 600);
    EXPECT_FALSE(canvas->ApplyEdit());
    EXPECT_EQ(canvas->ImgDIB.Width(), 800);
    EXPECT_EQ(canvas->UndoIndex(), 0);
    EXPECT_FALSE(canvas->AppliedEffect);
}

TEST_F(FrameToolTest, EachToolCommitsWhatItsOverlayShowed) {
    struct Case {
        int32_t mode, combine;
        PointF inside, outside; // canvas = image pixels (shown at full size)
    };
    const Case cases[] = {{5, 1, {120, 100}, {30, 30}},
                          {5, 4, {120, 100}, {30, 30}},
                          {6, 1, {120, 100}, {30, 30}},
                          {19, 1, {150, 110}, {30, 30}},
                          {20, 1, {150, 110}, {30, 30}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.combine);
        OpenIn(c.mode, 400, 300);
        App().SelectCombineMode = c.combine;
        App().VectorMenu = L"Vector_Single";
        canvas->SetMax(255);
        canvas->SetValue(128);
        canvas->SetTextColor(RGB(0, 0, 255));
        Drag({100, 80}, {{150, 120}, {200, 140}});
        const COLORREF in = Screen(static_cast<int>(c.inside.X), static_cast<int>(c.inside.Y));
        const COLORREF out = Screen(static_cast<int>(c.outside.X), static_cast<int>(c.outside.Y));
        ASSERT_TRUE(canvas->ApplyEdit());
        EXPECT_NEAR_COLOUR(AsRgb(Shown(static_cast<int>(c.inside.X), static_cast<int>(c.inside.Y))), in, 6);
        EXPECT_NEAR_COLOUR(AsRgb(Shown(static_cast<int>(c.outside.X), static_cast<int>(c.outside.Y))), out, 6);
        // The card darkens only one side of the frame: the inside with combine mode 4.
        const bool insideChanged = c.mode != 5 || c.combine == 4,
                   outsideChanged = (c.mode == 5 && c.combine == 1) || c.mode == 6;
        EXPECT_EQ(Shown(120, 100) != kTopLeft, insideChanged);
        EXPECT_EQ(Shown(30, 30) != kTopLeft, outsideChanged);
    }
}

TEST_F(FrameToolTest, CardAndColorizeLayTheirFillOverThePictureAtItsOwnSize) {
    // Stripes one pixel wide in a picture shown at half size: the step keeps them only when the
    // picture itself is rendered into it, not what the screen shows of it.
    const auto striped = [](int x, int y) {
        return x % 2 ? ColorARGB(255, 40, 200, 90) : ColorARGB(255, 220, 60, static_cast<uint8_t>(y % 200));
    };
    const std::wstring path = folder + L"stripes.png";
    ASSERT_TRUE(SaveImageSafely(BitmapOf(800, 600, striped).get(), path, kFormatPng, 0));
    const uint32_t fill = ColorARGB(100, 0, 0, 255);
    const auto shaded = [fill](uint32_t c) {
        const auto mix = [](int under, int over) { return (under * 155 + over * 100 + 127) / 255; };
        return ColorARGB(255, static_cast<uint8_t>(mix(RedOf(c), RedOf(fill))),
                         static_cast<uint8_t>(mix(GreenOf(c), GreenOf(fill))),
                         static_cast<uint8_t>(mix(BlueOf(c), BlueOf(fill))));
    };
    struct Case {
        int32_t mode, combine;
        bool insideShaded, outsideShaded;
    };
    const Case cases[] = {{5, 1, false, true}, {5, 4, true, false}, {6, 1, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.combine);
        canvas->SetFitMode(true); // as the tools set it
        ASSERT_TRUE(canvas->Import(path));
        canvas->SetEffect(c.mode);
        canvas->CleanCroprect(false);
        ASSERT_TRUE(canvas->Import(L"", true));
        App().SelectCombineMode = c.combine;
        canvas->SetMax(255);
        canvas->SetValue(100);
        canvas->SetTextColor(RGB(0, 0, 255));
        Drag({100, 80}, {{150, 110}, {200, 140}}); // the image's (200, 160) to (400, 280)
        ASSERT_TRUE(canvas->ApplyEdit());
        ASSERT_EQ(canvas->ImgDIB.Width(), 800);
        ASSERT_EQ(canvas->ImgDIB.Height(), 600);
        // Both stripes at each place, inside the frame and on either side of it.
        for (auto [x, y, inside] : {std::tuple{300, 220, true},
                                    {301, 221, true},
                                    {50, 40, false},
                                    {51, 41, false},
                                    {700, 500, false},
                                    {701, 501, false}}) {
            const uint32_t was = striped(x, y), now = Shown(x, y);
            if (inside ? c.insideShaded : c.outsideShaded)
                EXPECT_LE(ChannelDistance(now, shaded(was)), 2) << x << "," << y << std::hex << " " << now;
            else
                EXPECT_EQ(now, was) << x << "," << y << std::hex << " " << now;
        }
    }
}

TEST_F(FrameToolTest, AnEarlierToolsPanelButtonsTakeNoClicksInTheNextTool) {
    // The stamp's panel with the airbrush (its Undo, Redo, Option and picker), then a tool that
    // shows none of them there: a press where one stood starts that tool's own work.
    const std::wstring picture = WriteQuartersPicture(folder, L"q.png", 800, 600); // fills the canvas
    ASSERT_TRUE(SaveImageSafely(SolidBitmap(40, 30, kBlue).get(), StampTempPath(), kFormatPng, 0));
    struct Case {
        const char* what;
        int element;
        int32_t next;
    };
    const Case cases[] = {{"stamp Redo, then crop", kPanelStampRedo, 1},
                          {"stamp Option, then crop", kPanelOption, 1},
                          {"airbrush picker, then crop", kPanelPicker, 1},
                          {"stamp Redo, then the line", kPanelStampRedo, 25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(canvas->Import(picture));
        ASSERT_TRUE(canvas->StartStampTool(true));
        canvas->StampToolSelect(kStampAirbrush);
        const RectF r = canvas->PanelRects()[c.element];
        // The middle of what of the element lies on the canvas.
        const POINT at{static_cast<LONG>((std::max(r.X, 0.0f) + std::min(r.X + r.Width, static_cast<float>(kW))) / 2),
                       static_cast<LONG>(r.Y + r.Height / 2)};
        Send(WM_MOUSEMOVE, 0, static_cast<float>(at.x), static_cast<float>(at.y));
        ASSERT_TRUE(canvas->ScreenButtonEnabled()) << "the stamp's own element takes the pointer";

        canvas->SetEffect(c.next); // as the host starts a tool
        canvas->CleanCroprect(false);
        ASSERT_TRUE(canvas->Import(L"", true));
        menu.visible = false;
        Click(PointF(static_cast<float>(at.x), static_cast<float>(at.y)));
        EXPECT_FALSE(menu.visible) << "a click there opens no option menu";
        const POINT to{at.x < kW / 2 ? at.x + 80 : at.x - 80, at.y < kH / 2 ? at.y + 60 : at.y - 60};
        Drag(PointF(static_cast<float>(at.x), static_cast<float>(at.y)),
             {PointF(static_cast<float>(to.x), static_cast<float>(to.y))});
        EXPECT_EQ(canvas->Effect(), c.next);
        if (c.next == 1) {
            ExpectRect(Frame(), static_cast<float>(std::min(at.x, to.x)), static_cast<float>(std::min(at.y, to.y)), 80,
                       60);
        } else {
            EXPECT_EQ(canvas->ShapeStart().X, at.x);
            EXPECT_EQ(canvas->ShapeStart().Y, at.y);
            EXPECT_EQ(canvas->ShapeEnd().X, to.x);
            EXPECT_EQ(canvas->ShapeEnd().Y, to.y);
        }
    }
}

TEST_F(FrameToolTest, RedEyeFrameIsAtMost100WideHoweverItWasSet) {
    const uint32_t red = ColorARGB(255, 220, 20, 20);
    const std::wstring path = folder + L"red.png";
    ASSERT_TRUE(SaveImageSafely(BitmapOf(400, 300, [red](int, int) { return red; }).get(), path, kFormatPng, 0));
    // The picture is shown at its own size: control pixels are image pixels.
    const struct {
        const char* how;
        std::function<void()> set;
        RectF shown;                      // frame 0 as the screen shows it
        std::vector<POINT> treated, kept; // the picture's pixels inside and outside the held frame,
                                          // on the screen (clear of the loupe) and after Apply
    } cases[] = {
        {"dragged to 150 x 80",
         [this] {
             Drag({50, 50}, {{200, 130}});
         },
         RectF(50, 50, 100, 80),
         {{60, 90}},
         {{170, 90}, {100, 150}}},
        // Select All makes frame 0 the whole picture and shows it at once, held.
        {"Select All",
         [this] { canvas->CleanCroprect(true); },
         RectF(0, 0, 100, 100),
         {{50, 50}},
         {{130, 50}, {50, 130}, {300, 200}}},
        {"Select All, then a paint",
         [this] {
             canvas->CleanCroprect(true);
             canvas->Painting(false, false, false, false);
         },
         RectF(0, 0, 100, 100),
         {{50, 50}},
         {{130, 50}, {50, 130}, {300, 200}}},
        // Zoomed in, the picture's corner is off the screen: the frame goes in the middle of the view.
        {"Select All, zoomed in",
         [this] {
             canvas->SetFitMode(false);
             canvas->SetZoom(110);
             canvas->CleanCroprect(true);
         },
         RectF(150, 100, 100, 100),
         {{200, 150}},
         {{100, 150}, {300, 150}, {200, 60}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        ASSERT_TRUE(canvas->Import(path));
        canvas->SetEffect(9);
        canvas->SetMax(100);
        canvas->SetValue(50);
        canvas->CleanCroprect(false);
        ASSERT_TRUE(canvas->Import(L"", true));
        c.set();
        ExpectRect(Frame(), c.shown.X, c.shown.Y, c.shown.Width, c.shown.Height);
        const auto greyedOnScreen = [this](const POINT& p) {
            const COLORREF at = canvas->Point(p.x, p.y);
            return GetRValue(at) == GetGValue(at);
        };
        for (const POINT& p : c.treated) EXPECT_TRUE(greyedOnScreen(p)) << "shown greyed at " << p.x << "," << p.y;
        for (const POINT& p : c.kept) EXPECT_FALSE(greyedOnScreen(p)) << "shown red at " << p.x << "," << p.y;
        // The picture's pixels under those points as drawn before Apply.
        const auto onPicture = [this](std::vector<POINT> points) {
            for (POINT& p : points) {
                const PointF at =
                    CanvasToImage(PointF(static_cast<float>(p.x), static_cast<float>(p.y)), canvas->ImgDIB.Width(),
                                  canvas->ImgDIB.Height(), canvas->FitMode(), canvas->FitRect(), canvas->View());
                p = {RoundHalfEven(at.X), RoundHalfEven(at.Y)};
            }
            return points;
        };
        const std::vector<POINT> treated = onPicture(c.treated), kept = onPicture(c.kept);
        ASSERT_TRUE(canvas->ApplyEdit());
        for (const POINT& p : treated) {
            const uint32_t at = Shown(p.x, p.y);
            EXPECT_EQ(RedOf(at), GreenOf(at)) << "greyed at " << p.x << "," << p.y;
        }
        for (const POINT& p : kept) EXPECT_EQ(Shown(p.x, p.y), red) << "kept at " << p.x << "," << p.y;
    }
}

TEST_F(FrameToolTest, CancelOnThePanelAsksAndNoLeavesTheTool) {
    OpenIn(19, 400, 300);
    canvas->AppliedEffect = true; // an earlier edit, not saved
    canvas->SaveState = false;
    int answer = IDCANCEL;
    ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& r) {
        EXPECT_EQ(r.text, L"Do you want to save the changes you've made to this image?");
        return answer;
    });
    ClickPanel(kPanelCancel);
    EXPECT_EQ(canvas->Effect(), 19);
    answer = IDNO;
    ClickPanel(kPanelCancel);
    EXPECT_EQ(canvas->Effect(), 0);
    EXPECT_FALSE(canvas->FitMode());
    EXPECT_TRUE(canvas->AppliedEffect);
    EXPECT_FALSE(canvas->SaveState);
    EXPECT_TRUE(menu.log.Has(L"PressMenuID=\"Filter_Browse\""));
    EXPECT_TRUE(mainWindow.log.Has(L"FormOption(true, true)"));
}

TEST_F(CanvasWindowTest, OptionOpensTheRealMenuEvenAfterItClosedAnotherWay) {
    ZpYSkinMenu menu;
    ASSERT_TRUE(menu.Create({.parent = host.hwnd(), .width = 80, .height = 100, .visible = false}));
    canvas = std::make_unique<Imageyzviewer>();
    PictureBoxArgs args;
    args.parent = host.hwnd();
    args.width = kW;
    args.height = kH;
    ASSERT_TRUE(canvas->Create(args, {&mainWindow, &toolbar, &keys, &fileShell, &sizeDialog, &menu}));
    mainWindow.placement = {0, 0, kH};
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", 400, 300)));
    canvas->SetEffect(25);
    ASSERT_TRUE(canvas->Import(L"", true));
    const RectF option = canvas->PanelRects()[kPanelOption];
    auto clickOption = [&] { Drag(PointF(option.X + 20, option.Y + 10), {}); };

    clickOption();
    EXPECT_TRUE(menu.Visible());
    EXPECT_EQ(menu.Initializemenu(), 8); // line widths
    clickOption();                       // a second press closes it
    EXPECT_FALSE(menu.Visible());
    clickOption();
    ASSERT_TRUE(menu.Visible());
    menu.SetVisible(false); // closed by the host, as after a pick or a press elsewhere
    clickOption();
    EXPECT_TRUE(menu.Visible());
    canvas.reset(); // before the menu it points to
}

TEST_F(FrameToolTest, PickedColourReachesTheTool) {
    OpenIn(20, 400, 300);
    canvas->SetTextColor(RGB(1, 2, 3));
    const RectF picker = canvas->PanelRects()[kPanelPicker];
    const int x = static_cast<int>(picker.X + 10), y = static_cast<int>(picker.Y + 20);
    const COLORREF shown = Screen(x, y);
    Click(PointF(static_cast<float>(x), static_cast<float>(y)));
    EXPECT_NEAR_COLOUR(canvas->TextColor(), shown, 2);
    EXPECT_NE(canvas->TextColor(), RGB(1, 2, 3));
    // The text tool writes in the picked colour too.
    EXPECT_EQ(canvas->TextArgb(), RGBToARGB(canvas->TextColor(), 255));
}

TEST_F(FrameToolTest, ShiftLineIsLevelOrUprightByTheSmallerLean) {
    OpenIn(25, 400, 300);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    Drag({100, 100}, {{50, 110}}); // leftwards and a little down: level
    EXPECT_EQ(canvas->ShapeEnd().X, 50);
    EXPECT_EQ(canvas->ShapeEnd().Y, 100);
    Drag({100, 100}, {{90, 160}}); // down and a little left: upright
    EXPECT_EQ(canvas->ShapeEnd().X, 100);
    EXPECT_EQ(canvas->ShapeEnd().Y, 160);
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(FrameToolTest, AnAppliedFrameToolLeavesNoFrameForWhatFollows) {
    // Each tool's frame over the top-left quarter of a picture shown at its own size.
    for (const int32_t mode : {1, 5, 9, 19, 20}) {
        SCOPED_TRACE(mode);
        OpenIn(mode, 400, 300);
        App().SelectCombineMode = 1;
        canvas->SetMax(255);
        canvas->SetValue(100);
        Drag({20, 20}, {{100, 80}, {150, 110}});
        ASSERT_GT(Frame().Width, 0);
        ASSERT_TRUE(canvas->ApplyEdit());
        EXPECT_EQ(canvas->Effect(), 0);
        EXPECT_FALSE(canvas->FitMode());
        ExpectRect(Frame(), 0, 0, 0, 0);

        // Copy now takes the whole (cropped) picture, not what lay under the old frame.
        ASSERT_TRUE(canvas->DrawtoClipboard());
        GdipImage pasted;
        int32_t pw = 0, ph = 0;
        ASSERT_TRUE(PasteClipboardImage(pasted, pw, ph));
        EXPECT_EQ(pw, static_cast<int32_t>(canvas->ImgDIB.Width()));
        EXPECT_EQ(ph, static_cast<int32_t>(canvas->ImgDIB.Height()));

        // The tool picked again starts without a frame: Apply has nothing to commit (a card
        // without a frame tints the whole picture, so it is left out here).
        if (mode == 5) continue;
        canvas->SetEffect(mode);
        canvas->SetFitMode(true);
        ASSERT_TRUE(canvas->Import(L"", true));
        ExpectRect(Frame(), 0, 0, 0, 0);
        const int32_t steps = canvas->UndoIndex();
        EXPECT_FALSE(canvas->ApplyEdit());
        EXPECT_EQ(canvas->UndoIndex(), steps);
    }
}

TEST_F(FrameToolTest, CardWithoutAFrameTintsTheWholePictureAsItsPreviewShows) {
    struct Case {
        int32_t combine;
        bool tinted; // without a frame the whole picture is outside it, and none of it inside
    };
    for (const Case c : {Case{1, true}, Case{4, false}}) {
        SCOPED_TRACE(c.combine);
        OpenIn(5, 400, 300);
        App().SelectCombineMode = c.combine;
        canvas->SetMax(255);
        canvas->SetValue(128);
        canvas->SetTextColor(RGB(0, 0, 255));
        canvas->Painting(false, false, false, false);
        const COLORREF previewTop = Screen(100, 75), previewBottom = Screen(300, 225);
        EXPECT_EQ(previewTop != AsRgb(kTopLeft), c.tinted);
        EXPECT_EQ(canvas->ApplyEdit(), c.tinted);
        EXPECT_EQ(canvas->UndoIndex(), c.tinted ? 1 : 0);
        EXPECT_NEAR_COLOUR(AsRgb(Shown(100, 75)), previewTop, 6);
        EXPECT_NEAR_COLOUR(AsRgb(Shown(300, 225)), previewBottom, 6);
        EXPECT_EQ(Shown(0, 0) != kTopLeft, c.tinted);
        EXPECT_EQ(Shown(399, 299) != kBottomRight, c.tinted);
    }
}
