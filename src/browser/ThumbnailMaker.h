// A grid cell's picture: the file decoded, fitted into its box without enlarging, and reduced to
// the fitted size. Large reductions are averaged over each target pixel's area first, since this
// platform's GDI+ applies no prefilter when it shrinks and the result aliases.
#pragma once

#include "platform/GdipHandles.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct CellPicture {
    GdipBitmap bitmap;      // the fitted picture; empty when the file could not be decoded
    int32_t imageWidth = 0; // the file's own size in pixels (0 x 0 when it could not be decoded)
    int32_t imageHeight = 0;
    RectF fit; // where the picture sits in its box (FitInBox)
};

CellPicture MakeCellPicture(const std::wstring& path, float boxWidth, float boxHeight);

// The image reduced to width x height: each target pixel the average of the source pixels under
// it, for raster images; other images (metafiles) are drawn at that size. Empty on failure.
GdipBitmap ReduceImage(GpImage* image, int32_t width, int32_t height);

// How many pictures are decoded at once: the machine's cores, at most 8, at least 1.
[[nodiscard]] int32_t DecodeThreadsForMachine();

// Cell pictures of several files made on worker threads, each thread with its own platform
// objects; they are handed out by index, so the caller can show them in its own order. The
// workers touch nothing but the batch: a batch may outlive the window that started it, and its
// destructor stops the workers (a decode under way is finished first) and waits for them.
class CellPictureBatch {
public:
    CellPictureBatch(std::vector<std::wstring> paths, float boxWidth, float boxHeight, int32_t threads);
    ~CellPictureBatch();
    CellPictureBatch(const CellPictureBatch&) = delete;
    CellPictureBatch& operator=(const CellPictureBatch&) = delete;

    [[nodiscard]] size_t Count() const { return paths_.size(); }
    [[nodiscard]] const std::wstring& Path(size_t index) const { return paths_[index]; }
    // True once picture index is made (and not yet taken).
    [[nodiscard]] bool Ready(size_t index) const;
    // Waits up to milliseconds for picture index; true when it is ready.
    [[nodiscard]] bool WaitFor(size_t index, uint32_t milliseconds) const;
    // Picture index, moved out; call after Ready. Later calls give an empty picture.
    [[nodiscard]] CellPicture Take(size_t index);
    // Leaves the pictures not yet started undone.
    void Cancel() { cancelled_ = true; }

private:
    void Work();
    enum State : char { kPending, kMade, kTaken };

    const std::vector<std::wstring> paths_;
    const float boxWidth_, boxHeight_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable made_;
    std::vector<CellPicture> pictures_;
    std::vector<char> ready_;
    std::vector<std::thread> workers_;
};
