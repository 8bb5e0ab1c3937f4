// The canvas's undo history: the numbered step files "Datas\Undo<n>.udo" (PNG, n = 0 to 50), the
// step shown, and the writing of a new step's file in the background so that an edit shows at
// once. Every reader of the files (undo, redo, clearing, the end) first waits for that write.
#pragma once

#include "platform/GdipHandles.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class UndoHistory {
public:
    static constexpr int32_t kLastStep = 50;

    UndoHistory() = default;
    ~UndoHistory() { (void)Settle(); }
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    [[nodiscard]] static std::wstring StepFile(int32_t step);
    [[nodiscard]] static bool StepExists(int32_t step);
    // The undo files in the data folder now: the full paths of the numbered step files (other
    // files that match "*.udo" are not the canvas's).
    [[nodiscard]] static std::vector<std::wstring> UndoLists();

    // The step shown.
    [[nodiscard]] int32_t Index() const { return index_; }
    // The step the next Push makes: one past the shown one, and from the 51st step on step 50 again.
    [[nodiscard]] int32_t NextIndex() const { return (index_ > kLastStep - 1 ? kLastStep - 1 : index_) + 1; }

    // Waits for the step file being written. False when that write failed: the step is then
    // dropped, Index is the step before it again, whose file is as it was, the later step files
    // are still there, and FailedStep names the step that was not written.
    [[nodiscard]] bool Settle();
    [[nodiscard]] int32_t FailedStep() const { return failedStep_; }
    // True when no write is under way or its thread has finished (Settle then does not wait).
    [[nodiscard]] bool WriteEnded() const { return !pending_ || ended_; }
    // Whether step is in the history: its file exists and no step being written drops it.
    [[nodiscard]] bool HasStep(int32_t step) const;
    // The writer posts message to window when it has finished, so that the window settles at once.
    void NotifyWhenWritten(HWND window, UINT message) {
        notifyWindow_ = window;
        notifyMessage_ = message;
    }
    // Makes bitmap step NextIndex(), writing the bitmap, owned from here, in the background. The
    // later step files (an abandoned redo branch) are deleted once the new step's file is written.
    // The previous write must be settled.
    void Push(GdipBitmap bitmap);
    // Writes bitmap as step 0 in the background; the shown step stays 0.
    void WriteFirst(GdipBitmap bitmap);
    // The shown step after an undo or redo has loaded its file.
    void SetIndex(int32_t step) { index_ = step; }
    // No steps: waits, deletes every step file and shows step 0, which is what the file opened holds.
    void Clear();

    // The step whose picture the shown file holds on disk: 0 (the picture as opened) until a save;
    // -1 once a new step has replaced that step's file, so that no step is the saved one.
    [[nodiscard]] int32_t SavedStep() const { return savedStep_; }
    // The shown step has just been written to the shown file.
    void SavedHere() { savedStep_ = index_; }

private:
    void StartWrite(GdipBitmap bitmap, int32_t step, int32_t dropFrom);

    int32_t index_ = 0;
    int32_t indexBefore_ = 0; // the step shown before the one being written
    int32_t writingStep_ = 0; // the step being written
    int32_t dropFrom_ = 0;    // while writing: the first later step it drops (0: none)
    int32_t failedStep_ = -1; // the step of the last write that failed
    int32_t savedStep_ = 0;
    int32_t savedBefore_ = 0; // the saved step before the step being written
    bool pending_ = false;
    bool written_ = false; // set by the writer; read after it has ended
    std::atomic<bool> ended_ = false;
    HWND notifyWindow_ = nullptr;
    UINT notifyMessage_ = 0;
    std::thread writer_;
};

// A 32 bpp ARGB copy of image at its own size (a metafile is drawn into one).
[[nodiscard]] GdipBitmap FullCopy(GpImage* image);
