// The canvas in a real window under Xvfb, driven with the mouse and key messages a person's input
// brings: fitting, zoom, the navigator, panning (the scroll bars too), the edit panel of every tool
// mode and its slider, the text entry, the first undo snapshot, a failed load, its scratch files at
// the end, the property defaults of a canvas made in code, and the open and save of a photo that
// could not be turned upright.
#include "imaging/JpegExif.h"
#include "platform/MessageBoxService.h"
#include "tests/editor/CanvasWindowFixture.h"
#include "tests/imaging/ExifTestBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

// A grey JPEG of w x h (multiples of 16), every block mid-grey: one-code Huffman tables make each
// block two zero bits. It decodes to 8 bits a pixel; turned upright, it needs 32.
std::string GreyJpeg(uint32_t w, uint32_t h) {
    using exif_test::Packed, exif_test::Segment;
    const std::string oneCode = std::string(1, '\x01') + std::string(16, '\0'), soi("\xFF\xD8", 2);
    return soi + Segment(0xDB, std::string(1, '\0') + std::string(64, '\x01')) +
           Segment(0xC0, std::string(1, '\x08') + Packed(h, 2, true) + Packed(w, 2, true) + "\x01\x01\x11" + '\0') +
           Segment(0xC4, '\0' + oneCode) + Segment(0xC4, '\x10' + oneCode) +
           Segment(0xDA, std::string("\x01\x01\0\0\x3F\0", 6)) + std::string(w * h / 256, '\0') + "\xFF\xD9";
}

} // namespace

TEST_F(CanvasWindowTest, FittedImageLiesInsideFitRectWithTheBackgroundAround) {
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"wide.png", 800, 400)));
    EXPECT_TRUE(canvas->NoOpen());
    const RectF fit = canvas->FitRect();
    EXPECT_FLOAT_EQ(fit.X, 0);
    EXPECT_FLOAT_EQ(fit.Y, 50);
    EXPECT_FLOAT_EQ(fit.Width, 400);
    EXPECT_FLOAT_EQ(fit.Height, 200);
    EXPECT_EQ(canvas->ShowImgWidth(), L"800");
    EXPECT_EQ(Screen(200, 48), kBackground);
    EXPECT_EQ(Screen(200, 251), kBackground);
    EXPECT_NEAR_COLOUR(Screen(100, 52), AsRgb(kTopLeft), 8);
    EXPECT_NEAR_COLOUR(Screen(300, 100), AsRgb(kTopRight), 8);
    EXPECT_NEAR_COLOUR(Screen(100, 200), AsRgb(kBottomLeft), 8);
    EXPECT_NEAR_COLOUR(Screen(398, 248), AsRgb(kBottomRight), 8);
    // The opened file disabled Undo and Redo and repainted the toolbar.
    EXPECT_TRUE(toolbar.log.Has(L"EnabledID(8, false)"));
    EXPECT_TRUE(toolbar.log.Has(L"EnabledID(9, false)"));
    EXPECT_TRUE(toolbar.log.Has(L"StartPaint()"));

    // A resize lays the image out again.
    canvas->Move(0, 0, 200, 151);
    TestWindow::Pump(20);
    EXPECT_FLOAT_EQ(canvas->FitRect().Y, 25); // 51 \ 2
    EXPECT_FLOAT_EQ(canvas->FitRect().Height, 100);
    EXPECT_NEAR_COLOUR(Screen(150, 110), AsRgb(kBottomRight), 8);

    // A new blank image in a colour is opened as the shown picture.
    ASSERT_TRUE(canvas->NewImage(120, 80, RGB(0, 0, 255)));
    EXPECT_EQ(canvas->ImgDIB.Width(), 120);
    EXPECT_NEAR_COLOUR(Screen(100, 75), RGB(0, 0, 255), 2);
    EXPECT_FALSE(canvas->NewImage(0, 80, RGB(0, 0, 255))); // nothing to make
}

TEST_F(CanvasWindowTest, AtFullSizeTheNavigatorShowsAndADragOnItPans) {
    canvas->SetFitMode(false);
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"big.png", 800, 600)));
    EXPECT_FLOAT_EQ(canvas->Zoom(), 1.0f);
    EXPECT_EQ(canvas->View().OffsetX, -200);
    EXPECT_EQ(canvas->View().OffsetY, -150);
    const RectF nav = canvas->NavigatorRect();
    EXPECT_FLOAT_EQ(nav.X, 290);
    EXPECT_FLOAT_EQ(nav.Y, 202);
    EXPECT_FLOAT_EQ(nav.Width, 100);
    EXPECT_FLOAT_EQ(nav.Height, 75);
    // The centre of the picture fills the view; the thumbnail shows the whole picture.
    EXPECT_NEAR_COLOUR(Screen(10, 10), AsRgb(kTopLeft), 0);
    EXPECT_NEAR_COLOUR(Screen(292, 204), AsRgb(kTopLeft), 16);
    EXPECT_NEAR_COLOUR(Screen(388, 275), AsRgb(kBottomRight), 16);
    // The panel darkens the picture around the thumbnail.
    EXPECT_GT(RgbDistance(Screen(284, 196), AsRgb(kBottomRight)), 40);

    // Dragged to the thumbnail's far corner: the picture's far corner, with no gap beyond it.
    Drag(PointF(340, 240), {PointF(360, 260), PointF(389, 276)});
    EXPECT_TRUE(canvas->OverNavigator());
    EXPECT_EQ(canvas->View().OffsetX, -400);
    EXPECT_EQ(canvas->View().OffsetY, -300);
    EXPECT_NEAR_COLOUR(Screen(10, 10), AsRgb(kBottomRight), 0);
    EXPECT_NEAR_COLOUR(Screen(399, 5), AsRgb(kBottomRight), 0);

    // And back to the near corner.
    Drag(PointF(380, 270), {PointF(291, 203)});
    EXPECT_EQ(canvas->View().OffsetX, 0);
    EXPECT_EQ(canvas->View().OffsetY, 0);
    EXPECT_NEAR_COLOUR(Screen(0, 0), AsRgb(kTopLeft), 0);
}

TEST_F(CanvasWindowTest, PanBeyondTheEdgeLeavesNoGapAfterTheNextPaint) {
    canvas->SetFitMode(false);
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"big.png", 800, 600)));
    Drag(PointF(100, 100), {PointF(600, 500), PointF(1100, 900)});
    EXPECT_FALSE(canvas->OverNavigator());
    EXPECT_EQ(canvas->View().OffsetX, 0);
    EXPECT_EQ(canvas->View().OffsetY, 0);
    EXPECT_NEAR_COLOUR(Screen(0, 0), AsRgb(kTopLeft), 0);

    Drag(PointF(100, 100), {PointF(-2000, -1500)});
    EXPECT_EQ(canvas->View().OffsetX, kW - 800);
    EXPECT_EQ(canvas->View().OffsetY, kH - 600);
    EXPECT_NEAR_COLOUR(Screen(399, 0), AsRgb(kBottomRight), 0);
    EXPECT_NEAR_COLOUR(Screen(0, 299), AsRgb(kBottomRight), 0);

    // One pixel less than the room left: the pan is kept as it is.
    Drag(PointF(100, 100), {PointF(100 + 399, 100)});
    EXPECT_EQ(canvas->View().OffsetX, -1);
}

TEST_F(CanvasWindowTest, ZoomSliderPositionsAndTheViewTheyGive) {
    canvas->SetFitMode(false);
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"big.png", 800, 600)));
    notified.clear();
    canvas->SetZoom(100);
    EXPECT_FLOAT_EQ(canvas->Zoom(), 1.82f);
    EXPECT_EQ(notified, std::vector<std::wstring>{L"Zoom"});
    EXPECT_EQ(canvas->View().ShownWidth, 1456);

    canvas->SetZoom(0);
    EXPECT_FLOAT_EQ(canvas->Zoom(), 0.12f);
    EXPECT_EQ(canvas->View().ShownWidth, 96);
    EXPECT_EQ(canvas->View().ShownHeight, 72);
    // Smaller than the control: centred, the background around, no navigator.
    EXPECT_EQ(canvas->View().OffsetX, 152);
    EXPECT_EQ(canvas->View().OffsetY, 114);
    EXPECT_EQ(Screen(150, 150), kBackground);
    EXPECT_NEAR_COLOUR(Screen(153, 115), AsRgb(kTopLeft), 8);
    EXPECT_NEAR_COLOUR(Screen(246, 184), AsRgb(kBottomRight), 8);
    EXPECT_EQ(Screen(300, 250), kBackground);
}

TEST_F(CanvasWindowTest, EveryToolModeDrawsItsEditPanelWhereItBelongs) {
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", 400, 300)));
    std::vector<int32_t> modes = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 17, 18, 19, 20, 21, 25, 26, 27, 37, 38, 41, 42};
    for (int32_t m = 28; m <= 36; ++m) modes.push_back(m);
    for (int32_t mode : modes) {
        SCOPED_TRACE(mode);
        canvas->SetEffect(mode);
        canvas->PublicModle(true, false);
        const EditPanelLayout panel = LayOutEditPanel(mode, kW, kH);
        const RectF apply = canvas->PanelRects()[kPanelApply];
        EXPECT_FLOAT_EQ(apply.X, panel.PX + panel.B);
        EXPECT_FLOAT_EQ(apply.Y, panel.Y + 2);
        EXPECT_FLOAT_EQ(canvas->PanelRects()[kPanelCancel].X, panel.PX + panel.B + 60);
        EXPECT_EQ(canvas->PanelRects()[kPanelSlider].Width > 0, panel.slider);
        if (panel.stampUndo) {
            EXPECT_FLOAT_EQ(canvas->PanelRects()[kPanelStampUndo].X, panel.PX - 120);
        }
        // The button darkens the picture under it; the same column at the other end does not.
        const int x = static_cast<int>(apply.X) + 27;
        const int onButton = static_cast<int>(apply.Y) + 19;
        const int farAway = mode == 4 ? kH - 20 : 45; // below the resize tool's caption
        const COLORREF under = AsRgb(x < kW / 2 ? (onButton < kH / 2 ? kTopLeft : kBottomLeft)
                                                : (onButton < kH / 2 ? kTopRight : kBottomRight));
        EXPECT_GT(RgbDistance(Screen(x, onButton), under), 20);
        const COLORREF farColour = AsRgb(x < kW / 2 ? (farAway < kH / 2 ? kTopLeft : kBottomLeft)
                                                    : (farAway < kH / 2 ? kTopRight : kBottomRight));
        // The frame tools shade the whole picture until a frame is drawn.
        const bool shaded = mode == 1 || mode == 9 || mode == 17 || mode == 42;
        if (!shaded) {
            EXPECT_NEAR_COLOUR(Screen(x, farAway), farColour, 8);
        }
        if (mode == 4)
            EXPECT_LT(onButton, kH / 2);
        else
            EXPECT_GT(onButton, kH / 2);
    }
    EXPECT_TRUE(mainWindow.log.Has(L"DrawToolHint(41, " + Arg(396.0f) + L")"));
}

TEST_F(CanvasWindowTest, SliderDraggedPastEitherEndGivesMinOrMax) {
    canvas->SetEffect(7);
    canvas->SetMax(3);
    canvas->SetMin(0);
    canvas->SetValue(1);
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", 400, 300)));
    const EditPanelLayout panel = LayOutEditPanel(7, kW, kH);
    const RectF thumb = canvas->PanelRects()[kPanelSlider];
    const PointF onThumb(thumb.X + 5, thumb.Y + 10);

    Drag(onThumb, {PointF(onThumb.X - 40, onThumb.Y), PointF(-300, onThumb.Y)});
    EXPECT_FLOAT_EQ(canvas->Value(), 0);
    EXPECT_FLOAT_EQ(canvas->PanelRects()[kPanelSlider].X, panel.PX + 6);
    EXPECT_TRUE(toolbar.log.Has(L"PressDownID(5, false)"));

    const RectF atMin = canvas->PanelRects()[kPanelSlider];
    Drag(PointF(atMin.X + 5, atMin.Y + 10), {PointF(2000, atMin.Y + 300)});
    EXPECT_FLOAT_EQ(canvas->Value(), 3);
    EXPECT_FLOAT_EQ(canvas->PanelRects()[kPanelSlider].X, panel.PX + 174);

    // A drag that does not start on the slider changes nothing.
    Drag(PointF(20, 20), {PointF(-300, 20)});
    EXPECT_FLOAT_EQ(canvas->Value(), 3);
}

TEST_F(CanvasWindowTest, FirstEditWritesStepZeroAndAFailedLoadChangesNothing) {
    const std::wstring picture = WriteQuartersPicture(folder, L"q.png", 400, 300);
    ASSERT_TRUE(canvas->Import(picture));
    EXPECT_FALSE(FileExistsForTest(DataFile(L"Undo0.udo")));
    canvas->SetFirstL(true);
    ASSERT_TRUE(canvas->Import(L"", true));
    EXPECT_TRUE(canvas->SettleSteps());
    EXPECT_TRUE(FileExistsForTest(DataFile(L"Undo0.udo")));
    EXPECT_FALSE(canvas->FirstL());
    EXPECT_EQ(canvas->CurFilename, picture); // laid out again, not reloaded

    toolbar.log.calls.clear();
    int said = 0;
    ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest&) { return ++said, IDOK; });
    EXPECT_TRUE(canvas->Import(folder + L"missing.jpg"));
    EXPECT_EQ(said, 1);
    EXPECT_EQ(canvas->CurFilename, picture);
    EXPECT_TRUE(FileExistsForTest(DataFile(L"Undo0.udo")));
    EXPECT_FALSE(toolbar.log.Has(L"EnabledID(8, false)"));
    EXPECT_NEAR_COLOUR(Screen(100, 52), AsRgb(kTopLeft), 8);
    canvas->DisposeImgDIB();
    canvas->Painting(true, false, true, false); // nothing to draw, nothing breaks

    ASSERT_TRUE(WriteTestFile(DataFile(L"Undo3.udo"), "x"));
    ASSERT_TRUE(WriteTestFile(DataFile(L"StampUndo1.sudo"), "x"));
    ASSERT_TRUE(WriteTestFile(DataFile(L"Tempdelete.tmp"), "x"));
    canvas.reset();
    EXPECT_FALSE(FileExistsForTest(DataFile(L"Undo3.udo")));
    EXPECT_FALSE(FileExistsForTest(DataFile(L"StampUndo1.sudo")));
    EXPECT_FALSE(FileExistsForTest(DataFile(L"Tempdelete.tmp")));
}

TEST_F(CanvasWindowTest, KeysReachTheShortcutHandlerExceptInTheTextTool) {
    canvas->SetFocus();
    Send(WM_KEYDOWN, VK_RIGHT, 0, 0);
    canvas->SetEffect(4);
    Send(WM_KEYDOWN, 'A', 0, 0);
    canvas->SetEffect(0);
    Send(WM_KEYDOWN, VK_LEFT, 0, 0);
    EXPECT_EQ(keys.log.calls, (std::vector<std::wstring>{L"HandleShortcutKey(39, 0)", L"HandleShortcutKey(37, 0)"}));
}

TEST_F(CanvasWindowTest, EveryCorpusImageTheLoaderReadsOpensAndFits) {
    SKIP_WITHOUT_CORPUS();
    const std::set<std::string> readable = {
#include "tests/imaging/CorpusExpected.inc"
    };
    canvas->Move(0, 0, 200, 150);
    for (const std::string& name : readable) {
        const std::wstring path = CorpusFolder() + std::wstring(name.begin(), name.end());
        ASSERT_TRUE(canvas->Import(path)) << name;
        const RectF fit = canvas->FitRect();
        EXPECT_GT(fit.Width, 0) << name;
        EXPECT_GT(fit.Height, 0) << name;
        EXPECT_GE(fit.X, 0) << name;
        EXPECT_GE(fit.Y, 0) << name;
        EXPECT_LE(fit.X + fit.Width, 200.001f) << name;
        EXPECT_LE(fit.Y + fit.Height, 150.001f) << name;
        EXPECT_LE(fit.Width, canvas->ImgDIB.Width()) << name; // never enlarged
    }
}

TEST_F(CanvasWindowTest, TheTextBoxGivesTheArrowBackAndAResizePutsItsEntryInTheCorner) {
    canvas->ShowHidetext(50, 60, 200, 40);
    const HWND text1 = canvas->TextBackground().Text1();
    const auto entryAt = [&] {
        RECT r{};
        ::GetWindowRect(text1, &r);
        ::MapWindowPoints(nullptr, canvas->TextBackground().hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    EXPECT_EQ(entryAt().left, 3);
    EXPECT_EQ(entryAt().top, 3);

    // A tool's cross over the canvas; the pointer moving over the entry puts the arrow back.
    canvas->SetMousePointer(MousePointer::Cross);
    ::SendMessageW(text1, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(canvas->GetMousePointer(), MousePointer::Default);

    canvas->Move(0, 0, kW - 20, kH - 20);
    const RECT moved = entryAt();
    EXPECT_EQ(moved.left, 0);
    EXPECT_EQ(moved.top, 0);
    EXPECT_EQ(moved.right - moved.left, 200 - 6); // its size kept
    EXPECT_TRUE(canvas->TextBackground().TextBoxShown());
}

TEST(CanvasControl, ACanvasMadeInCodeStartsFromThePropertyDefaultsAndKeepsThemOnResetValue) {
    // No container persists this control: it starts from what an empty property bag gives.
    Imageyzviewer canvas;
    const auto expectDefaults = [&] {
        EXPECT_TRUE(canvas.FitMode());
        EXPECT_EQ(canvas.Effect(), 0);
        EXPECT_TRUE(canvas.Stamp().DefaultStampsize);
        EXPECT_EQ(canvas.Min(), 0);
        EXPECT_EQ(canvas.Max(), 10);
        EXPECT_EQ(canvas.Range(), 10);
    };
    expectDefaults();
    canvas.ResetValue();
    expectDefaults();
    EXPECT_FLOAT_EQ(canvas.SliderValue(), 0);
}

TEST_F(CanvasWindowTest, TheHiddenScrollBarsSpanThePicturesTravelAndPanTheView) {
    canvas->SetFitMode(false);
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"big.png", 800, 600))); // 100 %, centred
    HWND across = nullptr, down = nullptr;
    for (HWND child = ::FindWindowExW(canvas->hWnd(), nullptr, L"SCROLLBAR", nullptr); child;
         child = ::FindWindowExW(canvas->hWnd(), child, L"SCROLLBAR", nullptr))
        (::GetWindowLongW(child, GWL_STYLE) & SBS_VERT ? down : across) = child;
    ASSERT_TRUE(across && down);
    EXPECT_FALSE(::IsWindowVisible(across));
    EXPECT_FALSE(::IsWindowVisible(down));
    int low = 0, high = 0;
    ::GetScrollRange(across, SB_CTL, &low, &high);
    EXPECT_EQ(high, 800 - kW);
    ::GetScrollRange(down, SB_CTL, &low, &high);
    EXPECT_EQ(high, 600 - kH);
    EXPECT_EQ(Screen(150, 50), AsRgb(kTopLeft)); // the picture's (350, 200)

    // The bar across moved to 300 shows the picture from x = 300; past its end it stops there.
    ::SendMessageW(canvas->hWnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 300), reinterpret_cast<LPARAM>(across));
    EXPECT_EQ(canvas->View().OffsetX, -300);
    EXPECT_EQ(Screen(150, 50), AsRgb(kTopRight)); // the picture's (450, 200)
    ::SendMessageW(canvas->hWnd(), WM_HSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(across));
    ::SendMessageW(canvas->hWnd(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(across));
    EXPECT_EQ(canvas->View().OffsetX, -(800 - kW));
    // The bar down, a line at a time.
    ::SendMessageW(canvas->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), reinterpret_cast<LPARAM>(down));
    ::SendMessageW(canvas->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(down));
    EXPECT_EQ(canvas->View().OffsetY, -1);
    EXPECT_EQ(Screen(150, 298), AsRgb(kTopRight)); // the picture's (550, 299)
    EXPECT_EQ(Screen(150, 299), AsRgb(kBottomRight));

    // A picture smaller than the canvas has no travel.
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"small.png", 100, 80)));
    ::GetScrollRange(across, SB_CTL, &low, &high);
    EXPECT_EQ(high, 0);
}

TEST_F(CanvasWindowTest, APhotoThatCouldNotBeTurnedUprightIsSaidSoAndSavedToOpenUpright) {
    if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit process has more address space than can be taken";
    // A phone's photograph stored on its side (6), opened while too little memory is left to turn
    // it, saved as it is or after a quarter turn clockwise by hand, as a JPEG or a TIFF.
    using namespace exif_test;
    const std::wstring photo = folder + L"phone.jpg", saved = folder + L"saved";
    ASSERT_TRUE(WriteTestFile(photo, WithSegment(GreyJpeg(4000, 3000), ExifSegmentOf(OrientationTiff(6)))));
    for (const auto& [turnedByHand, savedAs] :
         {std::pair{false, kFormatJpeg}, {true, kFormatJpeg}, {false, kFormatTiff}}) {
        SCOPED_TRACE((turnedByHand ? "turned, saved as " : "saved as ") + std::to_string(savedAs));
        std::vector<MessageBoxRequest> said;
        const ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& r) {
            said.push_back(r);
            return IDOK;
        });
        {
            const AddressSpaceTaken shortage;
            ASSERT_GE(shortage.blocks.size(), 9u);
            ASSERT_TRUE(canvas->Import(photo));
            ASSERT_EQ(canvas->ImgDIB.Width(), 4000) << "turned after all: the test proves nothing";
        }
        ASSERT_EQ(said.size(), 1u) << "shown on its side without a word";
        EXPECT_EQ(said[0].text, L"phone.jpg could not be turned upright: there is not enough memory left. It is "
                                L"shown as stored.");
        EXPECT_EQ(said[0].owner, host.hwnd());
        if (turnedByHand) {
            canvas->SetEffect(39);
            ASSERT_TRUE(canvas->SaveUndo());
        }
        ASSERT_TRUE(canvas->SaveImage(saved, savedAs, 90));
        GdiDIB reopened;
        ASSERT_TRUE(reopened.Import(saved));
        EXPECT_EQ(reopened.Width(), 3000) << "the saved file does not open upright";
    }
}
