// Selections, the floating stamp and the clipboard in a real window driven by the mouse: a lasso
// closed with the right button and applied, empty selections, an eraser stroke and the stamp's
// steps, quick effects, the commit at an opacity, the clipboard round trip and the delete.
#include "imaging/ClipboardStamp.h"
#include "imaging/GdiDIB.h"
#include "platform/MessageBoxService.h"
#include "platform/Rounding.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct StampTest : CanvasWindowTest {
    GdiDIB read;

    void SetUp() override {
        CanvasWindowTest::SetUp();
        // The host's UseStamp: the working stamp file becomes the stamp.
        mainWindow.onUseStamp = [this](bool, bool reset) { (void)canvas->StartStampTool(reset); };
        ::DeleteFileW(StampTempPath().c_str());
        App().SelectCombineMode = 1;
    }
    // The 400 x 300 picture of four quarters, shown at full size, in a tool.
    void OpenIn(int32_t mode) {
        ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", kW, kH)));
        canvas->SetEffect(mode);
        canvas->CleanCroprect(false);
        ASSERT_TRUE(canvas->Import(L"", true));
    }
    void Click(PointF at) { Drag(at, {}); }
    void RightClick(PointF at) {
        Send(WM_RBUTTONDOWN, MK_RBUTTON, at.X, at.Y);
        Send(WM_RBUTTONUP, 0, at.X, at.Y);
    }
    void ClickPanel(int element) {
        const RectF r = canvas->PanelRects()[element];
        Click(PointF(r.X + r.Width / 2, r.Y + r.Height / 2));
    }
    // A rectangle selection of the frame dragged from a to b, applied: the stamp in mode 38.
    void StampOfFrame(PointF a, PointF b) {
        OpenIn(17);
        Drag(a, {b});
        ClickPanel(kPanelApply);
        ASSERT_EQ(canvas->Effect(), 38);
        ASSERT_TRUE(canvas->Stamp().Exists());
    }
    [[nodiscard]] uint32_t StampAt(int x, int y) const { return PixelAt(canvas->Stamp().StampLayer.new_Img, x, y); }
    [[nodiscard]] uint32_t ShownAt(int x, int y) const {
        return PixelAt(static_cast<GpBitmap*>(canvas->ImgDIB.DIB()), x, y);
    }
    [[nodiscard]] uint32_t ReadAt(int x, int y) const { return PixelAt(static_cast<GpBitmap*>(read.DIB()), x, y); }
};

} // namespace

TEST_F(StampTest, LassoClosedWithTheRightButtonAndAppliedBecomesTheStamp) {
    // Presses on the panel before Apply (Cancel answered Cancel) add no point to the outline.
    for (int cancels : {0, 1, 2}) {
        SCOPED_TRACE(cancels);
        OpenIn(41);
        for (PointF p : {PointF(50, 50), PointF(150, 50), PointF(150, 150)}) Click(p);
        RightClick({100, 200});
        EXPECT_EQ(App().LassoPointCount, 3);
        {
            ScopedMessageBoxAnswerer answerer([](const MessageBoxRequest&) { return IDCANCEL; });
            for (int i = 0; i < cancels; ++i) ClickPanel(kPanelCancel);
        }
        EXPECT_EQ(canvas->Effect(), 41);
        EXPECT_EQ(App().LassoPointCount, 3);
        mainWindow.log.calls.clear();
        ClickPanel(kPanelApply);

        ASSERT_TRUE(read.Import(StampTempPath()));
        EXPECT_EQ(read.Width(), 100);
        EXPECT_EQ(read.Height(), 100);
        EXPECT_EQ(ReadAt(90, 10), kTopLeft);   // inside the triangle
        EXPECT_EQ(AlphaOf(ReadAt(10, 90)), 0); // below its diagonal
        EXPECT_EQ(mainWindow.log.Count(L"UseStamp(false, false)"), 1u);
        EXPECT_EQ(canvas->Effect(), 38);
        EXPECT_EQ(canvas->Stamp().Width(), 100);
        EXPECT_EQ(StampAt(90, 10), kTopLeft);
        EXPECT_EQ(AlphaOf(StampAt(10, 90)), 0);
        // The stamp lies where the lasso was.
        const RectF f = canvas->FrameRects()[0];
        EXPECT_EQ(f.X, 50);
        EXPECT_EQ(f.Y, 50);
        EXPECT_EQ(f.Width, 100);
        EXPECT_TRUE(FileExistsForTest(DataFile(L"StampUndo0.sudo")));
        canvas->CancelEdit();
    }
}

TEST_F(StampTest, CopyThenApplyCutTheSameArea) {
    OpenIn(41);
    for (PointF p : {PointF(60, 40), PointF(180, 60), PointF(120, 130)}) Click(p);
    RightClick({100, 200});
    ASSERT_TRUE(canvas->DrawtoClipboard());
    ASSERT_TRUE(read.Import(StampTempPath()));
    const float w = read.Width(), h = read.Height();
    EXPECT_EQ(w, 120);
    EXPECT_EQ(h, 90);
    GdipImage pasted;
    int32_t pw = 0, ph = 0;
    ASSERT_TRUE(PasteClipboardImage(pasted, pw, ph));
    EXPECT_EQ(pw, 120);
    EXPECT_EQ(ph, 90);

    ClickPanel(kPanelApply);
    ASSERT_EQ(canvas->Effect(), 38);
    EXPECT_EQ(canvas->Stamp().Width(), 120);
    EXPECT_EQ(canvas->Stamp().Height(), 90);
    EXPECT_EQ(StampAt(60, 30), kTopLeft);
    EXPECT_EQ(AlphaOf(StampAt(2, 80)), 0);
}

TEST_F(StampTest, AnEmptySelectionMakesNoStampAndKeepsTheTool) {
    struct Case {
        int32_t mode;
        std::vector<PointF> clicks;
    };
    const Case cases[] = {{41, {}}, {41, {{50, 50}, {150, 50}}}, {17, {}}, {42, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        // A stamp file left from before is not taken up again.
        ASSERT_TRUE(WriteQuartersPicture(App().AppFolder + L"Librarians\\", L"Stamptemp.tmp", 20, 20).size());
        OpenIn(c.mode);
        for (PointF p : c.clicks) Click(p);
        mainWindow.log.calls.clear();
        ClickPanel(kPanelApply);
        EXPECT_EQ(canvas->Effect(), c.mode);
        EXPECT_FALSE(mainWindow.log.Has(L"UseStamp(false, false)"));
        EXPECT_FALSE(canvas->Stamp().Exists());
    }
}

TEST_F(StampTest, TheInverseOfAnEmptySelectionIsTheWholePicture) {
    struct Case {
        int32_t mode;
        std::vector<PointF> clicks;
    };
    const Case cases[] = {{41, {}}, {41, {{50, 50}, {150, 50}}}, {17, {}}, {42, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 10 + static_cast<int>(c.clicks.size()));
        // Applied: the whole picture becomes the stamp, where the picture is.
        OpenIn(c.mode);
        App().SelectCombineMode = 4;
        for (PointF p : c.clicks) Click(p);
        ClickPanel(kPanelApply);
        ASSERT_EQ(canvas->Effect(), 38);
        ASSERT_EQ(canvas->Stamp().Width(), kW);
        ASSERT_EQ(canvas->Stamp().Height(), kH);
        EXPECT_EQ(StampAt(0, 0), kTopLeft);
        EXPECT_EQ(StampAt(kW - 1, kH - 1), kBottomRight);
        EXPECT_EQ(canvas->FrameRects()[0].X, 0);
        EXPECT_EQ(canvas->FrameRects()[0].Width, kW);

        // Deleted: the whole picture goes, as one step; the plain empty selection deletes nothing.
        for (int32_t combine : {1, 4}) {
            OpenIn(c.mode);
            App().SelectCombineMode = combine;
            for (PointF p : c.clicks) Click(p);
            EXPECT_EQ(canvas->CallDrawDeleteSelect(), combine == 4);
            EXPECT_EQ(App().SelectCombineMode, combine);
            EXPECT_EQ(canvas->UndoIndex(), combine == 4 ? 1 : 0);
            EXPECT_EQ(canvas->ImgDIB.Width(), kW);
            for (auto [x, y] : {std::pair{0, 0}, {200, 150}, {kW - 1, kH - 1}})
                EXPECT_EQ(AlphaOf(ShownAt(x, y)), combine == 4 ? 0 : 255) << x << "," << y;
        }
    }
}

TEST_F(StampTest, EraserStrokeLowersAlphaUnderItAndIsOneStepWrittenAtTheRelease) {
    StampOfFrame({50, 50}, {150, 150});
    canvas->StampOptions(1);
    canvas->EraserOptions(0);
    canvas->SetBrushSize(5); // 10 stamp pixels across at this scale
    Send(WM_MOUSEMOVE, 0, 70, 100);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 70, 100);
    for (float x : {90.0f, 110.0f, 130.0f}) Send(WM_MOUSEMOVE, MK_LBUTTON, x, 100);
    EXPECT_FALSE(FileExistsForTest(DataFile(L"StampUndo1.sudo")));
    EXPECT_LE(AlphaOf(StampAt(40, 50)), 205);
    EXPECT_EQ(AlphaOf(StampAt(40, 40)), 255); // ten rows above the stroke
    EXPECT_EQ(StampAt(5, 50), kTopLeft);      // left of its first dab
    Send(WM_LBUTTONUP, 0, 130, 100);
    EXPECT_EQ(canvas->StampUndoIndex(), 1);
    ASSERT_TRUE(read.Import(DataFile(L"StampUndo1.sudo")));
    EXPECT_LE(AlphaOf(ReadAt(40, 50)), 205);
    EXPECT_EQ(AlphaOf(ReadAt(40, 40)), 255);

    // The stamp's own undo and redo on its panel.
    ClickPanel(kPanelStampUndo);
    EXPECT_EQ(canvas->StampUndoIndex(), 0);
    EXPECT_EQ(AlphaOf(StampAt(40, 50)), 255);
    ClickPanel(kPanelStampRedo);
    EXPECT_EQ(canvas->StampUndoIndex(), 1);
    EXPECT_LE(AlphaOf(StampAt(40, 50)), 205);
    EXPECT_FALSE(canvas->UndoStampRedo(false)); // past the newest step
    EXPECT_EQ(canvas->StampUndoIndex(), 1);
}

TEST_F(StampTest, MirrorTwiceGivesTheStampBackAndAddsTwoSteps) {
    StampOfFrame({150, 100}, {250, 200}); // the four quarters meet at its centre
    EXPECT_EQ(StampAt(10, 10), kTopLeft);
    ASSERT_TRUE(canvas->Stampeffect(6));
    EXPECT_EQ(StampAt(10, 10), kBottomLeft);
    EXPECT_EQ(StampAt(90, 90), kTopRight);
    ASSERT_TRUE(canvas->Stampeffect(6));
    EXPECT_EQ(canvas->StampUndoIndex(), 2);
    ASSERT_TRUE(read.Import(DataFile(L"StampUndo0.sudo")));
    for (int y : {0, 49, 50, 99})
        for (int x : {0, 49, 50, 99}) EXPECT_EQ(StampAt(x, y), ReadAt(x, y)) << x << ", " << y;
    EXPECT_TRUE(FileExistsForTest(DataFile(L"StampUndo2.sudo")));
    ASSERT_TRUE(canvas->Stampeffect(7));
    EXPECT_EQ(StampAt(10, 10), kTopRight);
}

TEST_F(StampTest, ANewStampThatCannotBeReadLeavesTheStampAndItsStepsAndSaysSo) {
    StampOfFrame({150, 100}, {250, 200});
    ASSERT_TRUE(canvas->Stampeffect(6)); // step 1: mirrored
    const RectF frame = canvas->FrameRects()[0];
    const std::string step0 = ReadTestFile(DataFile(L"StampUndo0.sudo"));
    // The working stamp file as a library stamp that cannot be read would leave it.
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {{"empty", ""}, {"not a picture", "not a picture"}, {"a cut-off PNG", step0.substr(0, 40)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteTestFile(StampTempPath(), c.bytes));
        std::vector<std::wstring> said;
        {
            ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& r) {
                said.push_back(r.text);
                return IDOK;
            });
            EXPECT_FALSE(canvas->StartStampTool(true));
        }
        EXPECT_EQ(said, std::vector<std::wstring>{L"The stamp's picture could not be read."});
        EXPECT_EQ(canvas->Effect(), 38);
        ASSERT_TRUE(canvas->Stamp().Exists());
        EXPECT_EQ(StampAt(10, 10), kBottomLeft);
        const RectF f = canvas->FrameRects()[0];
        EXPECT_EQ(f.X, frame.X);
        EXPECT_EQ(f.Width, frame.Width);
        EXPECT_EQ(canvas->StampUndoIndex(), 1);
        EXPECT_EQ(ReadTestFile(DataFile(L"StampUndo0.sudo")), step0);
        EXPECT_TRUE(FileExistsForTest(DataFile(L"StampUndo1.sudo")));
    }
    // Its steps still undo.
    ASSERT_TRUE(canvas->UndoStampRedo(true));
    EXPECT_EQ(StampAt(10, 10), kTopLeft);
}

TEST_F(StampTest, FilterTakesTheSizeTheStampIsShownAt) {
    StampOfFrame({150, 100}, {250, 200});
    // The bottom-right handle dragged in by 20: shown at 80 x 80 image pixels.
    Send(WM_MOUSEMOVE, 0, 250, 200);
    Drag({250, 200}, {{240, 190}, {230, 180}});
    EXPECT_EQ(canvas->FrameRects()[0].Width, 80);
    ASSERT_TRUE(canvas->Stampeffect(1));
    EXPECT_EQ(canvas->Stamp().Width(), 80);
    EXPECT_EQ(canvas->Stamp().Height(), 80);
    EXPECT_EQ(canvas->StampUndoIndex(), 1);
}

TEST_F(StampTest, CommitBlendsTheMovedStampAtTheSliderOpacity) {
    struct Case {
        int32_t slider;
        int tolerance; // from kTopLeft at the stamp's new place
    };
    for (const Case& c : {Case{0, 0}, Case{50, 100}}) {
        SCOPED_TRACE(c.slider);
        StampOfFrame({50, 50}, {150, 120});
        canvas->SetValue(c.slider);
        Drag({100, 80}, {{200, 80}, {300, 80}}); // its inside taken and moved right by 200
        const RectF f = canvas->FrameRects()[0];
        EXPECT_EQ(f.X, 250);
        EXPECT_EQ(f.Width, 100);
        ClickPanel(kPanelApply);
        EXPECT_EQ(canvas->Effect(), 0);
        EXPECT_FALSE(canvas->Stamp().Exists());
        EXPECT_LE(ChannelDistance(ShownAt(300, 80), kTopLeft), c.tolerance);
        if (c.slider != 0) {
            EXPECT_GE(ChannelDistance(ShownAt(300, 80), kTopLeft), 50);
        }
        EXPECT_EQ(ShownAt(240, 80), kTopRight); // beside the stamp
        EXPECT_EQ(ShownAt(100, 80), kTopLeft);  // where it was cut from: a copy
    }
}

TEST_F(StampTest, ClipboardRoundTripKeepsTheSize) {
    OpenIn(17);
    Drag({50, 50}, {{130, 110}});
    ASSERT_TRUE(canvas->DrawtoClipboard());
    ASSERT_TRUE(canvas->CreateStampfromClipboard());
    EXPECT_EQ(canvas->Effect(), 38);
    EXPECT_EQ(canvas->Stamp().Width(), 80);
    EXPECT_EQ(canvas->Stamp().Height(), 60);
    EXPECT_EQ(StampAt(40, 30), kTopLeft);

    // Without a bitmap on the clipboard no stamp is made.
    ASSERT_TRUE(::OpenClipboard(canvas->hWnd()));
    ::EmptyClipboard();
    ::CloseClipboard();
    canvas->CancelEdit();
    mainWindow.log.calls.clear();
    EXPECT_FALSE(canvas->CreateStampfromClipboard());
    EXPECT_FALSE(mainWindow.log.Has(L"UseStamp(false, false)"));
    EXPECT_EQ(canvas->Effect(), 0);
}

TEST_F(StampTest, DeleteClearsTheSelectedSideAndKeepsTheCombineMode) {
    for (int32_t combine : {1, 4}) {
        SCOPED_TRACE(combine);
        OpenIn(17);
        App().SelectCombineMode = combine;
        Drag({50, 50}, {{150, 150}});
        ASSERT_TRUE(canvas->CallDrawDeleteSelect());
        EXPECT_EQ(App().SelectCombineMode, combine);
        EXPECT_EQ(canvas->UndoIndex(), 1);
        const uint32_t inside = ShownAt(100, 100), outside = ShownAt(20, 20);
        EXPECT_EQ(combine == 1 ? AlphaOf(inside) : AlphaOf(outside), 0);
        EXPECT_EQ(combine == 1 ? outside : inside, kTopLeft);
    }
}

TEST_F(StampTest, EditingALibraryItemMakesTheWholeImageTheStampWhereItIsShown) {
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"big.png", 800, 600))); // shown at half size
    App().SelectCombineMode = 4;
    ASSERT_TRUE(canvas->EditingStampLib());
    EXPECT_EQ(App().SelectCombineMode, 1);
    EXPECT_EQ(canvas->Effect(), 38);
    EXPECT_EQ(canvas->Stamp().Width(), 800);
    EXPECT_EQ(canvas->Stamp().Height(), 600);
    const RectF f = canvas->FrameRects()[0];
    EXPECT_EQ(f.X, 0);
    EXPECT_EQ(f.Width, 400);
    EXPECT_EQ(f.Height, 300);
    EXPECT_EQ(StampAt(799, 599), kBottomRight);
}

TEST_F(StampTest, ARasterizedDrawingBecomesTheStampWhereItWasDrawn) {
    // Drawn from (100, 60) to (180, 120) on the picture at full size, and at 73 % (292 pixels
    // wide, from x = 54): there it covers the picture's pixels from x = 63 to 173.
    for (const auto& [fitted, x, width] : {std::tuple{true, 100.f, 80.f}, {false, 63.f, 110.f}}) {
        SCOPED_TRACE(fitted ? "full size" : "zoomed out");
        OpenIn(20); // the filled rectangle
        if (!fitted) {
            canvas->SetFitMode(false);
            canvas->SetZoom(40);
        }
        canvas->SetValue(0);
        Drag({100, 60}, {{180, 120}});
        ASSERT_TRUE(canvas->Rasterize());
        ASSERT_EQ(canvas->Effect(), 38);
        const RectF place = canvas->LastStampPlace();
        EXPECT_EQ(canvas->Stamp().Width(), RoundHalfEven(place.Width));
        const RectF f = canvas->FrameRects()[0];
        EXPECT_EQ(f.X, place.X);
        EXPECT_EQ(f.Y, place.Y);
        EXPECT_NEAR(place.X, x, 1);
        EXPECT_NEAR(place.Width, width, 1);
    }
}
