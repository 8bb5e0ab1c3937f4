// The stamp's own history without a window: step 0 a copy of the source file, a step that cannot
// be written changes nothing, undo at step 0 and redo past the newest, a new step after an undo
// drops the steps after it, and a file that cannot be read changes nothing.
#include "editor/CanvasModel.h"
#include "editor/CanvasStamp.h"
#include "tests/editor/CanvasTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(CanvasStamp, HistoryStepsAreWholeFilesAndANewStepDropsTheRedoBranch) {
    const std::wstring folder = MakeTestFolder(L"canvas-stamp");
    const std::wstring source = WriteQuartersPicture(folder, L"s.png", 30, 20);
    CanvasStamp stamp;
    ASSERT_TRUE(stamp.Load(source, true));
    EXPECT_EQ(ReadTestFile(CanvasModel::StampUndoFile(0)), ReadTestFile(source));
    ASSERT_TRUE(stamp.ApplyEffect(6, 0, 0, 1, 1)); // step 1: mirrored
    ASSERT_TRUE(stamp.ApplyEffect(6, 0, 0, 1, 1)); // step 2: as it was
    EXPECT_EQ(stamp.StampUndoIndex(), 2);

    // A step whose file cannot be written (a folder stands in its place) is not made.
    ASSERT_TRUE(::CreateDirectoryW(CanvasModel::StampUndoFile(3).c_str(), nullptr));
    EXPECT_FALSE(stamp.WriteStep());
    EXPECT_EQ(stamp.StampUndoIndex(), 2);
    ASSERT_TRUE(::RemoveDirectoryW(CanvasModel::StampUndoFile(3).c_str()));

    EXPECT_FALSE(stamp.UndoRedo(false)); // nothing after the newest step
    ASSERT_TRUE(stamp.UndoRedo(true));
    EXPECT_EQ(PixelAt(stamp.StampLayer.new_Img, 0, 0), kBottomLeft);
    ASSERT_TRUE(stamp.UndoRedo(true));
    ASSERT_TRUE(stamp.UndoRedo(true)); // at step 0: step 0 again
    EXPECT_EQ(stamp.StampUndoIndex(), 0);
    EXPECT_EQ(PixelAt(stamp.StampLayer.new_Img, 0, 0), kTopLeft);
    // A new step from step 0 is step 1 again, and the old step 2 goes: nothing can be redone.
    ASSERT_TRUE(stamp.ApplyEffect(7, 0, 0, 1, 1));
    EXPECT_EQ(stamp.StampUndoIndex(), 1);
    EXPECT_FALSE(FileExistsForTest(CanvasModel::StampUndoFile(2)));
    EXPECT_FALSE(stamp.UndoRedo(false));
    EXPECT_EQ(PixelAt(stamp.StampLayer.new_Img, 0, 0), kTopRight);

    // A file that cannot be read, as a new stamp or a step, leaves the stamp and its steps.
    ASSERT_TRUE(WriteTestFile(folder + L"empty.png", ""));
    for (const wchar_t* name : {L"missing.png", L"empty.png"})
        for (bool newStamp : {true, false}) {
            SCOPED_TRACE(newStamp);
            EXPECT_FALSE(stamp.Load(folder + name, newStamp));
            ASSERT_TRUE(stamp.Exists());
            EXPECT_EQ(PixelAt(stamp.StampLayer.new_Img, 0, 0), kTopRight);
            EXPECT_EQ(stamp.StampUndoIndex(), 1);
            EXPECT_TRUE(FileExistsForTest(CanvasModel::StampUndoFile(1)));
        }
    ASSERT_TRUE(stamp.UndoRedo(true));
    EXPECT_EQ(PixelAt(stamp.StampLayer.new_Img, 0, 0), kTopLeft);
}
