// What several benchmarks make the same way: their host windows, the grid, test photographs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class Imageyzviewer;
class ThumViewer;

// A bare top-level window at the screen's top left for a benchmark's controls.
HWND MakeBenchWindow(int width, int height, bool visible);

// A top-level window at the screen's top left holding one canvas of its size; a canvas that cannot
// be made fails the running case (BenchCheck).
struct BenchCanvasHost {
    BenchCanvasHost(int width, int height, bool visible);
    ~BenchCanvasHost();
    BenchCanvasHost(const BenchCanvasHost&) = delete;
    BenchCanvasHost& operator=(const BenchCanvasHost&) = delete;
    // A mouse message to the canvas, as a person's pointer at (x, y) with the buttons held.
    void Send(UINT msg, WPARAM held, int x, int y) const;

    HWND window = nullptr;
    std::unique_ptr<Imageyzviewer> canvas;
};

// Makes grid 800 x 600 (about a screen of a laptop's grid) in the benchmarks' visible grid window;
// false (and the running case failed, BenchCheck) when it cannot be made.
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

// The listing benchmarks' folder (ends in a backslash): 10,000 files that are not pictures, with
// spread names, extensions, sizes and dates; made once by MakeListingFolder and kept.
inline constexpr int kListingFiles = 10000;
const std::wstring& ListingFolder();
void MakeListingFolder();
// The folder of large PNGs bench/run.sh makes (ends in a backslash) and its file i (from 0),
// "big01.png" on.
const std::wstring& LargePngFolder();
std::wstring LargePngFile(int i);
// The files (not folders) in folder.
int CountEntries(const std::wstring& folder);

// A file's bytes, empty when it cannot be read; the bytes written as the whole file.
std::string ReadAll(const std::wstring& path);
[[nodiscard]] bool WriteAll(const std::wstring& path, const std::string& bytes);

// A JPEG's bytes with a camera's EXIF block right after its start: IFD0 holds the orientation (no
// entry when 0), IFD1 names thumb as the embedded thumbnail (no IFD1 when empty).
std::string WithExifBlock(const std::string& jpeg, uint32_t orientation, const std::string& thumb);

// Writes the width x height photograph as a JPEG at path, unless the file is there already; a
// failed write fails the running case (BenchCheck).
void WriteNoisyPhoto(const std::wstring& path, int width, int height, uint32_t seed, PhotoTint tint);
