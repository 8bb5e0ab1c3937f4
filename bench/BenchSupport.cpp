#include "bench/BenchSupport.h"

#include "browser/ThumViewer.h"
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"

#include <cstddef>
#include <cstdio>

HWND MakeBenchWindow(int width, int height, bool visible) {
    return ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, width, height,
                             nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

bool CreateBenchGrid(ThumViewer& grid) {
    static const HWND host = MakeBenchWindow(820, 600, true);
    PictureBoxArgs args;
    args.parent = host;
    args.width = 800;
    args.height = 600;
    if (grid.Create(args)) return true;
    std::printf("  (no grid window)\n");
    return false;
}

void ScrollGridThrough(ThumViewer& grid) {
    if (!grid.ThumScroll.Enabled()) return;
    for (int32_t value = 0; value <= grid.ThumScroll.Max(); value += 600) grid.ThumScroll.Value(value);
    grid.ThumScroll.Value(grid.ThumScroll.Max());
}

void WriteNoisyPhoto(const std::wstring& path, int width, int height, uint32_t seed, PhotoTint tint) {
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    DIBsave photo;
    if (!photo.CreateBlankMemory(height, width)) return;
    GpRect all{0, 0, width, height};
    BitmapData data{};
    if (GdipBitmapLockBits(photo.new_Img, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok) return;
    for (int y = 0; y < height; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 27) & 15);
            row[x] = ColorARGB(255, static_cast<uint8_t>(tint.redFrom + x * tint.redSpan / width + noise),
                               static_cast<uint8_t>(y * 200 / height + noise), static_cast<uint8_t>(tint.blue + noise));
        }
    }
    GdipBitmapUnlockBits(photo.new_Img, &data);
    (void)photo.Save(path, kFormatJpeg, 90);
}
