#include "platform/BitmapPixels.h"

std::vector<uint32_t> ReadAllPixels(GpBitmap* bitmap, UINT width, UINT height, PixelFormat format) {
    if (!bitmap || width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF) return {};
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width) * 4;
    data.PixelFormat = format;
    data.Scan0 = pixels.data();
    GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (GdipBitmapLockBits(bitmap, &all, ImageLockModeRead | ImageLockModeUserInputBuf, format, &data) != Ok) return {};
    GdipBitmapUnlockBits(bitmap, &data);
    return pixels;
}
