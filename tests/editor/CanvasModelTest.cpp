// The canvas's state without a window: loading, the first undo snapshot, what a failed load
// leaves, the parameter bounds, and the scratch files it removes when it ends.
#include "editor/CanvasModel.h"
#include "tests/editor/CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct CanvasModelTest : ::testing::Test {
    std::wstring folder = MakeTestFolder(L"canvas-model");
};

} // namespace

TEST_F(CanvasModelTest, FreshStateAndParameterBounds) {
    CanvasModel model;
    EXPECT_FALSE(model.NoOpen());
    EXPECT_TRUE(model.SaveState);
    EXPECT_FALSE(model.AppliedEffect);
    EXPECT_FLOAT_EQ(model.Zoom(), 1.0f);
    EXPECT_EQ(model.Max(), 10);
    EXPECT_EQ(model.Range(), 10);
    model.SetMin(15); // above Max: nothing clamps
    EXPECT_EQ(model.Range(), -5);
    model.SetMax(INT32_MAX);
    model.SetMin(INT32_MIN);
    EXPECT_EQ(model.Range(), static_cast<int64_t>(INT32_MAX) - INT32_MIN); // no wrap
}

TEST_F(CanvasModelTest, FirstSnapshotWritesTheShownImageAsStepZeroOnlyWhenAsked) {
    CanvasModel model;
    ASSERT_TRUE(model.LoadImageFile(WriteQuartersPicture(folder, L"q.png", 64, 48)));
    EXPECT_FALSE(model.TakeFirstSnapshot()); // FirstL not set
    EXPECT_FALSE(FileExistsForTest(DataFile(L"Undo0.udo")));

    model.SetFirstL(true);
    ASSERT_TRUE(model.TakeFirstSnapshot());
    EXPECT_FALSE(model.FirstL());
    ASSERT_TRUE(model.SettleSteps()); // written in the background
    GdiDIB step;
    ASSERT_TRUE(step.Import(DataFile(L"Undo0.udo")));
    EXPECT_EQ(step.Width(), 64);
    EXPECT_EQ(step.Height(), 48);
    auto* bitmap = static_cast<GpBitmap*>(step.DIB());
    EXPECT_EQ(PixelAt(bitmap, 0, 0), kTopLeft);
    EXPECT_EQ(PixelAt(bitmap, 31, 23), kTopLeft);
    EXPECT_EQ(PixelAt(bitmap, 32, 24), kBottomRight);
    EXPECT_EQ(PixelAt(bitmap, 63, 47), kBottomRight);
}

TEST_F(CanvasModelTest, UnreadableFileChangesNothing) {
    CanvasModel model;
    const std::wstring picture = WriteQuartersPicture(folder, L"q.png", 40, 30);
    ASSERT_TRUE(model.LoadImageFile(picture));
    model.SetFirstL(true);
    ASSERT_TRUE(model.TakeFirstSnapshot());
    ASSERT_TRUE(model.SettleSteps());
    ASSERT_TRUE(WriteTestFile(DataFile(L"Undo1.udo"), "step"));
    model.UndoE = true;

    const std::wstring broken = folder + L"broken.png";
    ASSERT_TRUE(WriteTestFile(broken, "\x89PNG\r\n\x1a\n not a picture"));
    bool lackedMemory = true;
    EXPECT_FALSE(model.LoadImageFile(broken, &lackedMemory));
    EXPECT_FALSE(lackedMemory);
    EXPECT_EQ(model.ImgDIB.Width(), 40);
    EXPECT_EQ(model.CurFilename, picture);
    EXPECT_TRUE(model.UndoE);
    EXPECT_TRUE(FileExistsForTest(DataFile(L"Undo0.udo")));
    EXPECT_TRUE(FileExistsForTest(DataFile(L"Undo1.udo")));

    // Nothing to lay out: no division by a zero size.
    CanvasModel empty;
    EXPECT_FALSE(empty.LoadImageFile(broken));
    empty.LayOut(400, 300, true);
    EXPECT_FLOAT_EQ(empty.FitRect().Width, 0);
    empty.LayOutForPaint(0, 0);
}

TEST_F(CanvasModelTest, EndingDeletesItsScratchFilesAndNothingElse) {
    const wchar_t* ours[] = {L"Undo0.udo",        L"Undo7.udo",  L"Undo50.udo",    L"StampUndo0.sudo",
                             L"StampUndo12.sudo", L"bgtemp.tmp", L"Tempdelete.tmp"};
    const wchar_t* others[] = {L"Undone.udo", L"MyUndo1.udo", L"History.tmp", L"ScrollTop.png"};
    {
        CanvasModel model;
        // After a failed load too.
        EXPECT_FALSE(model.LoadImageFile(folder + L"missing.png"));
        for (const wchar_t* name : ours) ASSERT_TRUE(WriteTestFile(DataFile(name), "x"));
        for (const wchar_t* name : others) ASSERT_TRUE(WriteTestFile(DataFile(name), "x"));
    }
    for (const wchar_t* name : ours) EXPECT_FALSE(FileExistsForTest(DataFile(name))) << Narrow(name);
    for (const wchar_t* name : others) {
        EXPECT_TRUE(FileExistsForTest(DataFile(name))) << Narrow(name);
        ::DeleteFileW(DataFile(name).c_str());
    }
}

TEST_F(CanvasModelTest, FreshUnfittedLayoutStartsAtFullSizeCentred) {
    CanvasModel model;
    ASSERT_TRUE(model.LoadImageFile(WriteQuartersPicture(folder, L"q.png", 800, 600)));
    model.LayOut(400, 300, true);
    EXPECT_FLOAT_EQ(model.Zoom(), 1.0f);
    EXPECT_EQ(model.View().OffsetX, -200);
    EXPECT_EQ(model.View().OffsetY, -150);
    EXPECT_FLOAT_EQ(model.FitRect().Width, 400);
    EXPECT_FLOAT_EQ(model.FitRect().Height, 300);
}
