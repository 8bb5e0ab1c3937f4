// A grid cell's picture: the file decoded, fitted into its box without enlarging, and reduced to
// the fitted size. Large reductions are averaged over each target pixel's area first, since this
// platform's GDI+ applies no prefilter when it shrinks and the result aliases. Decodes on several
// threads take the memory their files' headers say they need from one budget of the process.
#pragma once

#include "platform/GdipHandles.h"

#include <cstdint>
#include <stop_token>
#include <string>

struct CellPicture {
    GdipBitmap bitmap; // the fitted picture; empty when the file could not be decoded
    // The picture's size upright, in pixels: 0 x 0 when the file could not be decoded, but for a
    // picture short of memory whose file's head states its size.
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    RectF fit; // where the picture sits in its box (FitInBox)
    // Empty because memory ran short even with no other decode under way, not because the file
    // cannot be read: to be made again once the process holds less memory, or has a larger block
    // free, than when it ran short (MemoryInUse and LargestFreeMemory then).
    bool shortOfMemory = false;
    uint64_t memoryInUse = 0, memoryFree = 0;
    // The file cannot be read as a picture at all (not for want of memory).
    [[nodiscard]] bool Unreadable() const { return imageWidth <= 0 && !shortOfMemory; }
};

// A decode that runs short of memory beside others is tried again once they are done. Once stop is
// requested the cell is no longer wanted: a decode still waiting for memory gives up, and what it
// returns is not to be used.
CellPicture MakeCellPicture(const std::wstring& path, float boxWidth, float boxHeight, std::stop_token stop = {});

// The image reduced to width x height: each target pixel the average of the source pixels under
// it, for raster images; other images (metafiles) are drawn at that size. Empty on failure.
GdipBitmap ReduceImage(GpImage* image, int32_t width, int32_t height);
