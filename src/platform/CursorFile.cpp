#include "platform/CursorFile.h"

#include "platform/BitmapPixels.h"
#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

#pragma pack(push, 2)
struct CursorDir {
    uint16_t reserved;
    uint16_t type; // 2: cursor
    uint16_t count;
};
struct CursorDirEntry {
    uint8_t width;
    uint8_t height;
    uint8_t colourCount;
    uint8_t reserved;
    uint16_t hotX;
    uint16_t hotY;
    uint32_t bytes;
    uint32_t offset;
};
#pragma pack(pop)

template <typename T> void Append(std::vector<uint8_t>& out, const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), p, p + sizeof(T));
}

} // namespace

bool WriteCursorFile(GpBitmap* bitmap, const std::wstring& path, int hotX, int hotY) {
    UINT w = 0, h = 0;
    if (!bitmap || GdipGetImageWidth(bitmap, &w) != Ok || GdipGetImageHeight(bitmap, &h) != Ok) return false;
    if (w == 0 || h == 0 || w > 256 || h > 256 || hotX < 0 || hotY < 0 || hotX >= static_cast<int>(w) ||
        hotY >= static_cast<int>(h))
        return false;
    const int width = static_cast<int>(w), height = static_cast<int>(h);

    const std::vector<uint32_t> argb = ReadAllPixels(bitmap, w, h, PixelFormat32bppARGB);
    if (argb.empty()) return false;

    // Colour rows bottom-up, then a 1 bpp AND mask (rows padded to 4 bytes): 1 where transparent.
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    std::vector<uint8_t> image;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height * 2; // colour and mask together
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(static_cast<size_t>(width) * static_cast<size_t>(height) * 4 +
                                            maskStride * static_cast<size_t>(height));
    Append(image, header);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) Append(image, argb[static_cast<size_t>(y * width + x)]);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < width; ++x)
            if ((argb[static_cast<size_t>(y * width + x)] >> 24) == 0)
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        image.insert(image.end(), row.begin(), row.end());
    }

    std::vector<uint8_t> file;
    Append(file, CursorDir{0, 2, 1});
    Append(file,
           CursorDirEntry{static_cast<uint8_t>(width & 0xFF), static_cast<uint8_t>(height & 0xFF), 0, 0,
                          static_cast<uint16_t>(hotX), static_cast<uint16_t>(hotY), static_cast<uint32_t>(image.size()),
                          static_cast<uint32_t>(sizeof(CursorDir) + sizeof(CursorDirEntry))});
    file.insert(file.end(), image.begin(), image.end());

    return WriteFileReplacing(path, {file});
}
