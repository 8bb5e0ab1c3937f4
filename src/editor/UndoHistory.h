// The canvas's undo history: the numbered step files "Datas\Undo<n>.udo" (PNG, n = 0 to 50), the
// step shown, and the writing of a new step's file in the background so that an edit shows at
// once. Every reader of the files (undo, redo, clearing, the end) first waits for that write.
#pragma once

#include "platform/GdipHandles.h"

#include <cstdint>
#include <string>
#include <thread>

class UndoHistory {
public:
    static constexpr int32_t kLastStep = 50;

    UndoHistory() = default;
    ~UndoHistory() { (void)Settle(); }
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    [[nodiscard]] static std::wstring StepFile(int32_t step);
    [[nodiscard]] static bool StepExists(int32_t step);

    // The step shown.
    [[nodiscard]] int32_t Index() const { return index_; }
    // The step the next Push makes: one past the shown one, and from the 51st step on step 50 again.
    [[nodiscard]] int32_t NextIndex() const { return (index_ > kLastStep - 1 ? kLastStep - 1 : index_) + 1; }

    // Waits for the step file being written. False when that write failed: the step is then
    // dropped and Index is the step before it again, whose file is as it was.
    [[nodiscard]] bool Settle();
    // Makes bitmap step NextIndex(): deletes the later step files (an abandoned redo branch) and
    // writes the bitmap, owned from here, in the background. The previous write must be settled.
    void Push(GdipBitmap bitmap);
    // Writes bitmap as step 0 in the background; the shown step stays 0.
    void WriteFirst(GdipBitmap bitmap);
    // The shown step after an undo or redo has loaded its file.
    void SetIndex(int32_t step) { index_ = step; }
    // No steps: waits, deletes every step file and shows step 0.
    void Clear();

private:
    void StartWrite(GdipBitmap bitmap, int32_t step);

    int32_t index_ = 0;
    int32_t indexBefore_ = 0; // the step shown before the one being written
    bool pending_ = false;
    bool written_ = false; // set by the writer; read after it has ended
    std::thread writer_;
};

// A 32 bpp ARGB copy of image at its own size (a metafile is drawn into one).
[[nodiscard]] GdipBitmap FullCopy(GpImage* image);
