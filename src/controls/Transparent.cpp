#include "controls/Transparent.h"

#include "platform/BitmapPixels.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// ExtCreateRegion is handed the runs in batches: some systems refuse very long rectangle lists.
constexpr size_t kRunsPerBatch = 2000;

UniqueGdiObject RegionFromRuns(const std::vector<RECT>& runs, size_t first, size_t count) {
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < count; ++i) {
        const RECT& r = runs[first + i];
        rects[i] = r;
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    header->rcBound = bounds;
    return UniqueGdiObject(
        ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

} // namespace

UniqueGdiObject MakeMaskRegion(GpBitmap* picture, COLORREF key) {
    UINT w = 0, h = 0;
    if (!picture || GdipGetImageWidth(picture, &w) != Ok || GdipGetImageHeight(picture, &h) != Ok || w == 0 || h == 0 ||
        w > 0x7FFF || h > 0x7FFF)
        return {};
    const int width = static_cast<int>(w), height = static_cast<int>(h);
    const std::vector<uint32_t> pixels = ReadAllPixels(picture, w, h, PixelFormat32bppRGB);
    if (pixels.empty()) return {};

    const uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width;) {
            while (x < width && (row[x] & 0xFFFFFFu) == keyPixel) ++x;
            const int start = x;
            while (x < width && (row[x] & 0xFFFFFFu) != keyPixel) ++x;
            if (x > start) runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    UniqueGdiObject region(::CreateRectRgn(0, 0, 0, 0));
    if (!region) return {};
    for (size_t first = 0; first < runs.size(); first += kRunsPerBatch) {
        UniqueGdiObject part = RegionFromRuns(runs, first, std::min(kRunsPerBatch, runs.size() - first));
        if (!part || ::CombineRgn(static_cast<HRGN>(region.get()), static_cast<HRGN>(region.get()),
                                  static_cast<HRGN>(part.get()), RGN_OR) == ERROR)
            return {};
    }
    return region;
}

bool Transparent::MaskPicture(GpBitmap* picture) {
    if (!picture) {
        picture_.reset();
        return true;
    }
    GpImage* copy = nullptr;
    if (GdipCloneImage(picture, &copy) != Ok || !copy) return false;
    picture_.reset(static_cast<GpBitmap*>(copy));
    return MakeWindowRegion();
}

bool Transparent::MaskColor(COLORREF colour) {
    maskColor_ = (colour & 0x80000000u) ? ::GetSysColor(static_cast<int>(colour & 0xFF)) : colour;
    return MakeWindowRegion();
}

bool Transparent::MakeWindowRegion() {
    if (!picture_) return true; // nothing to shape by
    if (!container_) return false;
    UniqueGdiObject region = MakeMaskRegion(picture_.get(), maskColor_);
    if (!region) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(picture_.get(), &w);
    GdipGetImageHeight(picture_.get(), &h);
    if (!::SetWindowPos(container_, nullptr, 0, 0, static_cast<int>(w), static_cast<int>(h),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        return false;
    // On success the window owns the region.
    if (!::SetWindowRgn(container_, static_cast<HRGN>(region.get()), TRUE)) return false;
    (void)region.release();
    return true;
}
