// What several benchmarks make the same way: their host windows, the grid, test photographs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class ThumViewer;

// A bare top-level window at the screen's top left for a benchmark's controls.
HWND MakeBenchWindow(int width, int height, bool visible);

// Makes grid 800 x 600 (about a screen of a laptop's grid) in the benchmarks' visible grid window;
// false (said on the console) when it cannot be made.
[[nodiscard]] bool CreateBenchGrid(ThumViewer& grid);
// Scrolls the grid screen by screen to the end, so that every cell is made once.
void ScrollGridThrough(ThumViewer& grid);

// The colours of a smooth test photograph: red rises left to right from redFrom by redSpan,
// green top to bottom from 0 by 200, blue stays at blue; fine noise from seed is added to all.
struct PhotoTint {
    int redFrom;
    int redSpan;
    int blue;
};

// Writes the width x height photograph as a JPEG at path, unless the file is there already.
void WriteNoisyPhoto(const std::wstring& path, int width, int height, uint32_t seed, PhotoTint tint);
