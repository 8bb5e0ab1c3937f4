// The apply step, the undo history and saving on a canvas in a real window: the step files, what
// undo and redo show, the 51st step and beyond, quarter turns, saving by every encoder and over a
// read-only file, deleting to the recycle bin, and a new canvas size.
#include "output/ModMisc.h"
#include "output/OutputFileShell.h"
#include "platform/MessageBoxService.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>

namespace {

struct ApplyStepTest : CanvasWindowTest {
    // Opens a w x h picture of four coloured quarters and takes step 0, as the first edit does.
    void Open(int w, int h, const std::wstring& name = L"q.png") {
        ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, name, w, h)));
        canvas->SetFirstL(true);
        ASSERT_TRUE(canvas->Import(L"", true));
    }
    bool Apply(int32_t mode) {
        canvas->SetEffect(mode);
        return canvas->SaveUndo();
    }
    [[nodiscard]] uint32_t Shown(int x, int y) const {
        return PixelAt(static_cast<GpBitmap*>(canvas->ImgDIB.DIB()), x, y);
    }
};

bool IsGrey(uint32_t c) {
    return std::abs(RedOf(c) - GreenOf(c)) <= 1 && std::abs(GreenOf(c) - BlueOf(c)) <= 1;
}

} // namespace

TEST_F(ApplyStepTest, GreyStepIsWrittenShownUndoneAndRedone) {
    Open(64, 48);
    ASSERT_TRUE(Apply(8));
    EXPECT_EQ(canvas->UndoIndex(), 1);
    EXPECT_EQ(canvas->Effect(), 0);
    EXPECT_TRUE(canvas->UndoE);
    EXPECT_FALSE(canvas->RedoE);
    EXPECT_TRUE(canvas->AppliedEffect);
    EXPECT_FALSE(canvas->SaveState);
    EXPECT_TRUE(toolbar.log.Has(L"EnabledID(8, true)"));
    EXPECT_TRUE(mainWindow.log.Has(L"SelEffect=0"));
    EXPECT_TRUE(mainWindow.log.Has(L"FormOption(true, true)"));
    EXPECT_TRUE(IsGrey(Shown(0, 0)));
    EXPECT_NE(Shown(0, 0), Shown(63, 47)); // grey levels, not one colour

    ASSERT_TRUE(canvas->SettleSteps());
    GdiDIB step;
    ASSERT_TRUE(step.Import(DataFile(L"Undo1.udo")));
    EXPECT_EQ(PixelAt(static_cast<GpBitmap*>(step.DIB()), 0, 0), Shown(0, 0));
    EXPECT_EQ(PixelAt(static_cast<GpBitmap*>(step.DIB()), 63, 47), Shown(63, 47));

    ASSERT_TRUE(canvas->UndoAndRedo(true));
    EXPECT_EQ(Shown(0, 0), kTopLeft);
    EXPECT_FALSE(canvas->UndoE);
    EXPECT_TRUE(canvas->RedoE);
    ASSERT_TRUE(canvas->UndoAndRedo(true)); // at step 0: step 0 again
    EXPECT_EQ(canvas->UndoIndex(), 0);
    ASSERT_TRUE(canvas->UndoAndRedo());
    EXPECT_TRUE(IsGrey(Shown(0, 0)));
    EXPECT_FALSE(canvas->UndoAndRedo()); // past the newest: nothing
    EXPECT_EQ(canvas->UndoIndex(), 1);
}

TEST_F(ApplyStepTest, NewStepAfterUndoDropsTheRedoBranch) {
    Open(64, 48);
    ASSERT_TRUE(Apply(23));
    ASSERT_TRUE(Apply(24));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    EXPECT_TRUE(canvas->RedoE);
    ASSERT_TRUE(Apply(8));
    EXPECT_EQ(canvas->UndoIndex(), 1);
    EXPECT_FALSE(canvas->RedoE);
    ASSERT_TRUE(canvas->SettleSteps());
    EXPECT_FALSE(FileExistsForTest(DataFile(L"Undo2.udo")));
    EXPECT_FALSE(canvas->UndoAndRedo());

    // A mode that draws nothing adds no step and changes nothing.
    canvas->AppliedEffect = false;
    EXPECT_FALSE(Apply(17));
    EXPECT_EQ(canvas->UndoIndex(), 1);
    EXPECT_FALSE(canvas->AppliedEffect);
}

TEST_F(ApplyStepTest, AStepThatCannotBeWrittenIsToldAtOnceAndKeepsTheRedoSteps) {
    Open(64, 48);
    ASSERT_TRUE(Apply(23));
    ASSERT_TRUE(Apply(24));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    ASSERT_TRUE(canvas->UndoAndRedo(true)); // the picture as opened, two steps to redo
    // The new step's file cannot replace step 1's: its write fails.
    const std::wstring step1 = DataFile(L"Undo1.udo");
    ASSERT_TRUE(::SetFileAttributesW(step1.c_str(), FILE_ATTRIBUTE_READONLY));
    std::vector<std::wstring> told;
    ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& r) {
        told.push_back(r.text);
        return IDOK;
    });
    ASSERT_TRUE(Apply(8));
    for (int i = 0; i < 200 && told.empty(); ++i) TestWindow::Pump(10); // no further edit
    ::SetFileAttributesW(step1.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(step1), std::wstring::npos) << told[0];
    // The grey edit is gone from the screen and the history; the redo steps are as they were.
    EXPECT_EQ(canvas->UndoIndex(), 0);
    EXPECT_EQ(Shown(0, 0), kTopLeft);
    EXPECT_NEAR_COLOUR(Screen(170, 130), AsRgb(kTopLeft), 8); // the 64 x 48 picture centred
    EXPECT_TRUE(canvas->RedoE);
    ASSERT_TRUE(canvas->UndoAndRedo());
    ASSERT_TRUE(canvas->UndoAndRedo());
    EXPECT_EQ(Shown(0, 0), kBottomRight); // both mirrors
    EXPECT_EQ(told.size(), 1u);
}

TEST_F(ApplyStepTest, QuarterTurnsSwapTheSidesAndUndoEachOther) {
    Open(640, 480);
    ASSERT_TRUE(Apply(39));
    EXPECT_EQ(canvas->ImgDIB.Width(), 480);
    EXPECT_EQ(canvas->ImgDIB.Height(), 640);
    EXPECT_EQ(Shown(479, 0), kTopLeft); // clockwise: the top-left corner goes to the top right
    EXPECT_EQ(Shown(0, 0), kBottomLeft);
    EXPECT_FLOAT_EQ(canvas->FitRect().Height, 300);
    ASSERT_TRUE(Apply(40));
    EXPECT_EQ(canvas->ImgDIB.Width(), 640);
    for (auto [x, y, colour] :
         {std::tuple{0, 0, kTopLeft}, {639, 0, kTopRight}, {0, 479, kBottomLeft}, {639, 479, kBottomRight}})
        EXPECT_EQ(Shown(x, y), colour);
}

TEST_F(ApplyStepTest, SixtyStepsKeepWorkingAndTheShownImageIsTheNewestFile) {
    Open(40, 30);
    for (int n = 1; n <= 60; ++n) {
        ASSERT_TRUE(Apply(23)) << n;
        EXPECT_EQ(canvas->UndoIndex(), std::min(n, 50));
    }
    // 60 mirrors: the picture as opened, and the 50th file holds it.
    EXPECT_EQ(Shown(0, 0), kTopLeft);
    ASSERT_TRUE(canvas->SettleSteps());
    GdiDIB last;
    ASSERT_TRUE(last.Import(DataFile(L"Undo50.udo")));
    EXPECT_EQ(PixelAt(static_cast<GpBitmap*>(last.DIB()), 0, 0), kTopLeft);
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    EXPECT_EQ(canvas->UndoIndex(), 49);
    EXPECT_EQ(Shown(0, 0), kTopRight); // one mirror less
}

TEST_F(ApplyStepTest, UndoRightAfterAnApplySeesTheCompleteStepFile) {
    Open(1600, 1200);
    ASSERT_TRUE(Apply(24));
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    ASSERT_TRUE(canvas->UndoAndRedo());
    EXPECT_EQ(Shown(0, 0), kBottomLeft);
    EXPECT_EQ(Shown(1599, 1199), kTopRight);
}

TEST_F(ApplyStepTest, SavingByEveryExtensionAndEncoder) {
    const struct {
        const wchar_t* ext;
        const char* signature;
    } cases[] = {{L"bmp", "BM"},      {L"gif", "GIF8"}, {L"jpg", "\xFF\xD8"}, {L"JPEG", "\xFF\xD8"},
                 {L"png", "\x89PNG"}, {L"tif", "II*"},  {L"tiff", "II*"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.ext));
        Open(40, 30, std::wstring(L"s.") + c.ext);
        ASSERT_TRUE(Apply(8));
        ASSERT_TRUE(canvas->SaveOnly());
        const std::string bytes = ReadTestFile(canvas->CurFilename);
        EXPECT_EQ(bytes.compare(0, std::strlen(c.signature), c.signature), 0);
        GdiDIB back;
        ASSERT_TRUE(back.Import(canvas->CurFilename));
        EXPECT_EQ(back.Width(), 40);
    }
    const struct {
        int32_t format;
        const char* signature;
    } formats[] = {{0, "BM"}, {1, "\xFF\xD8"}, {2, "GIF8"}, {5, "II*"}, {6, "\x89PNG"}};
    for (const auto& f : formats) {
        const std::wstring path = folder + L"as" + std::to_wstring(f.format);
        canvas->SaveState = false;
        ASSERT_TRUE(canvas->SaveImage(path, f.format, 90)) << f.format;
        EXPECT_FALSE(canvas->SaveState) << "a picture written elsewhere leaves the edit unsaved";
        EXPECT_EQ(ReadTestFile(path).compare(0, std::strlen(f.signature), f.signature), 0) << f.format;
    }
    // No encoder for the extension, or a scratch copy: no plain save.
    Open(40, 30, L"s.xyz");
    const std::string before = ReadTestFile(canvas->CurFilename);
    EXPECT_FALSE(canvas->SaveOnly());
    EXPECT_EQ(ReadTestFile(canvas->CurFilename), before);
    ASSERT_TRUE(canvas->NewImage(30, 20, RGB(255, 255, 255)));
    EXPECT_TRUE(canvas->ShowsScratchFile());
    EXPECT_FALSE(canvas->SaveOnly());
    canvas->DisposeImgDIB();
    EXPECT_FALSE(canvas->SaveImage(folder + L"empty.png", 6));
}

TEST_F(ApplyStepTest, SavingOverAReadOnlyFileKeepsItAndLeavesTheImageUnsaved) {
    Open(40, 30, L"locked.png");
    ASSERT_TRUE(Apply(8));
    const std::string before = ReadTestFile(canvas->CurFilename);
    ASSERT_TRUE(::SetFileAttributesW(canvas->CurFilename.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(canvas->SaveOnly());
    EXPECT_FALSE(canvas->SaveImage(canvas->CurFilename, 6));
    EXPECT_FALSE(canvas->SaveState);
    EXPECT_EQ(ReadTestFile(canvas->CurFilename), before);
    ::SetFileAttributesW(canvas->CurFilename.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ApplyStepTest, DeleteMovesTheFileToTheRecycleBinAndShowsTheScratchCopy) {
    Open(40, 30, L"gone.png");
    const std::wstring original = canvas->CurFilename;
    EXPECT_FALSE(canvas->DeleteImage()); // the fake shell recycles nothing: the file stays shown
    EXPECT_TRUE(FileExistsForTest(original));
    EXPECT_EQ(canvas->CurFilename, original);

    // The real shell, with the test's own trash and no confirmation prompt.
    if (::GetEnvironmentVariableW(L"XDG_DATA_HOME", nullptr, 0) == 0) GTEST_SKIP() << "the trash would be the user's";
    ScopedShellConfirmationsOff quiet;
    OutputFileShell realShell;
    canvas.reset();
    canvas = std::make_unique<Imageyzviewer>();
    PictureBoxArgs args;
    args.parent = host.hwnd();
    args.width = kW;
    args.height = kH;
    ASSERT_TRUE(canvas->Create(args, {&mainWindow, &toolbar, &keys, &realShell, &sizeDialog}));
    ASSERT_TRUE(canvas->Import(original));
    ASSERT_TRUE(canvas->DeleteImage());
    EXPECT_FALSE(FileExistsForTest(original));
    EXPECT_EQ(canvas->CurFilename, DataFile(L"Tempdelete.tmp"));
    EXPECT_TRUE(canvas->ShowsScratchFile());
    EXPECT_EQ(Shown(0, 0), kTopLeft);
}

TEST_F(ApplyStepTest, NewCanvasSizeAsTheFirstEditIsUndoneToThePictureAsOpened) {
    // The first edit marked by the host (step 0 taken), or not (a picture the canvas opened itself).
    for (bool marked : {true, false}) {
        SCOPED_TRACE(marked);
        if (marked)
            Open(123, 77);
        else
            ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", 123, 77)));
        sizeDialog.answer = CanvasSizeChoice{201, 99, RGB(255, 255, 255)};
        ASSERT_TRUE(canvas->ResizeCanvas());
        ASSERT_EQ(canvas->ImgDIB.Width(), 201);
        EXPECT_TRUE(canvas->UndoE);
        ASSERT_TRUE(canvas->UndoAndRedo(true));
        EXPECT_EQ(canvas->UndoIndex(), 0);
        ASSERT_EQ(canvas->ImgDIB.Width(), 123);
        ASSERT_EQ(canvas->ImgDIB.Height(), 77);
        for (auto [x, y, colour] : {std::tuple{0, 0, kTopLeft},
                                    {60, 37, kTopLeft},
                                    {122, 0, kTopRight},
                                    {0, 76, kBottomLeft},
                                    {61, 38, kBottomRight},
                                    {122, 76, kBottomRight}})
            EXPECT_EQ(Shown(x, y), colour) << x << "," << y;
        EXPECT_FALSE(canvas->UndoE);
        ASSERT_TRUE(canvas->UndoAndRedo());
        EXPECT_EQ(canvas->ImgDIB.Width(), 201);
        EXPECT_EQ(Shown(0, 0), kWhite);
        EXPECT_EQ(Shown(39, 11), kTopLeft);
    }
}

TEST_F(ApplyStepTest, AFirstEditMarkedOnlyAfterTheStepKeepsStepZeroAsOpened) {
    // A host that marks the first edit after the edit has run (the layout that follows takes the
    // snapshot): step 0 stays the picture as opened.
    ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", 64, 48)));
    ASSERT_TRUE(Apply(39));
    canvas->SetFirstL(true);
    ASSERT_TRUE(canvas->Import(L"", true));
    EXPECT_FALSE(canvas->FirstL());
    ASSERT_TRUE(canvas->UndoAndRedo(true));
    EXPECT_EQ(canvas->UndoIndex(), 0);
    ASSERT_EQ(canvas->ImgDIB.Width(), 64);
    EXPECT_EQ(Shown(0, 0), kTopLeft);
    EXPECT_EQ(Shown(63, 0), kTopRight);
    EXPECT_EQ(Shown(63, 47), kBottomRight);
}

TEST_F(ApplyStepTest, NewCanvasSizeCentresTheImageAsAnEdit) {
    Open(400, 300);
    EXPECT_FALSE(canvas->ResizeCanvas()); // not confirmed
    sizeDialog.answer = CanvasSizeChoice{800, 0, RGB(255, 255, 255)};
    EXPECT_FALSE(canvas->ResizeCanvas()); // no height
    EXPECT_EQ(canvas->UndoIndex(), 0);
    EXPECT_FALSE(canvas->AppliedEffect);

    sizeDialog.answer = CanvasSizeChoice{800, 600, RGB(255, 255, 255)};
    ASSERT_TRUE(canvas->ResizeCanvas());
    EXPECT_TRUE(sizeDialog.log.Has(L"Ask(400, 300)"));
    EXPECT_EQ(canvas->ImgDIB.Width(), 800);
    EXPECT_EQ(Shown(200, 150), kTopLeft);
    EXPECT_EQ(Shown(199, 150), kWhite);
    EXPECT_EQ(Shown(200, 149), kWhite);
    EXPECT_EQ(Shown(599, 449), kBottomRight);
    EXPECT_EQ(Shown(600, 449), kWhite);
    EXPECT_EQ(canvas->UndoIndex(), 1);
    EXPECT_TRUE(canvas->AppliedEffect);
    EXPECT_FALSE(canvas->SaveState);
    EXPECT_TRUE(mainWindow.log.Has(L"FormOption(false, true)"));

    sizeDialog.answer = CanvasSizeChoice{200, 100, RGB(0, 0, 0)};
    ASSERT_TRUE(canvas->ResizeCanvas()); // smaller: the middle of the picture
    EXPECT_EQ(canvas->ImgDIB.Width(), 200);
    EXPECT_EQ(Shown(0, 0), kTopLeft); // (300, 250) of the 800 x 600 step
    EXPECT_EQ(Shown(199, 99), kBottomRight);
}
