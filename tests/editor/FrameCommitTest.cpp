// The crop commit on pictures held in every pixel format the decoders give (1-, 4- and 8-bit palettes
// of the picture's own colours, 16, 24 and 32 bits), at the picture's edges and past them on every
// side: the step is the framed area on the picture in 32-bit ARGB with the picture's colours.
#include "editor/FrameTool.h"
#include "tests/editor/CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A w x h bitmap in format whose pixel (x, y) is palette entry (x + 2y) mod the palette's size, or
// that entry's colour where the format has no palette.
GdipBitmap PatternBitmap(PixelFormat format, int w, int h, const std::vector<uint32_t>& palette) {
    GdipBitmap bitmap;
    if (GdipCreateBitmapFromScan0(w, h, 0, format, nullptr, bitmap.put()) != Ok) return {};
    const auto entry = [&](int x, int y) { return static_cast<size_t>(x + 2 * y) % palette.size(); };
    const UINT bits = (format >> 8) & 0xFF;
    if ((format & PixelFormatIndexed) == 0) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) GdipBitmapSetPixel(bitmap.get(), x, y, palette[entry(x, y)]);
        return bitmap;
    }
    std::vector<uint8_t> block(sizeof(ColorPalette) + palette.size() * sizeof(ARGB));
    auto* pal = reinterpret_cast<ColorPalette*>(block.data());
    pal->Count = static_cast<UINT>(palette.size());
    std::memcpy(pal->Entries, palette.data(), palette.size() * sizeof(ARGB));
    GdipSetImagePalette(bitmap.get(), pal);
    GpRect all{0, 0, w, h};
    BitmapData data{};
    if (GdipBitmapLockBits(bitmap.get(), &all, ImageLockModeWrite, format, &data) != Ok) return {};
    for (int y = 0; y < h; ++y) {
        uint8_t* row = static_cast<uint8_t*>(data.Scan0) + y * data.Stride;
        for (int x = 0; x < w; ++x) {
            const UINT bit = static_cast<UINT>(x) * bits; // from the row's first, highest bit
            row[bit / 8] |= static_cast<uint8_t>(entry(x, y) << (8 - bits - bit % 8));
        }
    }
    GdipBitmapUnlockBits(bitmap.get(), &data);
    return bitmap;
}

GdipBitmap Crop(GpBitmap* picture, int w, int h, RectF frame) {
    FrameCommitInputs in;
    in.effect = 1;
    in.image = picture;
    in.width = static_cast<float>(w);
    in.height = static_cast<float>(h);
    in.fitRect = RectF(0, 0, in.width, in.height); // shown at its own size: control pixels are image pixels
    in.frame = frame;
    return RenderFrameCommit(in);
}

} // namespace

TEST(FrameCommit, CropKeepsEveryFormatsColoursAtTheEdgesAndOnePast) {
    // Colours far from GDI+'s stock palettes, so that a stock palette cannot pass for them.
    std::vector<uint32_t> colours;
    for (uint32_t i = 0; i < 256; ++i)
        colours.push_back(ColorARGB(255, static_cast<uint8_t>(97 + i * 7), static_cast<uint8_t>(13 + i * 29),
                                    static_cast<uint8_t>(201 - i * 3)));
    const struct {
        const char* what;
        PixelFormat format;
        size_t entries;
    } formats[] = {{"1-bit", PixelFormat1bppIndexed, 2},   {"4-bit", PixelFormat4bppIndexed, 16},
                   {"8-bit", PixelFormat8bppIndexed, 256}, {"16-bit 565", PixelFormat16bppRGB565, 5},
                   {"24-bit", PixelFormat24bppRGB, 256},   {"32-bit", PixelFormat32bppARGB, 256}};
    constexpr int w = 13, h = 7; // odd sides, a 1-bit row not a whole byte
    const struct {
        const char* what;
        RectF frame;
        int x, y, cw, ch; // what the step holds; cw 0: no step
    } frames[] = {
        {"the whole picture", {0, 0, w, h}, 0, 0, w, h},
        {"the right half, odd", {7, 0, 6, h}, 7, 0, 6, h},
        {"the last column", {w - 1, 0, 1, h}, w - 1, 0, 1, h},
        {"the bottom-right pixel", {w - 1, h - 1, 1, 1}, w - 1, h - 1, 1, 1},
        {"one past the right and bottom edges", {w - 2, h - 2, 3, 3}, w - 2, h - 2, 2, 2},
        {"wholly past the right edge", {w, 0, 2, 2}, 0, 0, 0, 0},
        {"past the left and top edges, off whole pixels", {-1.4f, -0.6f, 3.2f, 2.7f}, 0, 0, 2, 2},
        {"wholly past the left edge", {-2.6f, 0, 2, 2}, 0, 0, 0, 0},
        {"empty", {3, 3, 0, 2}, 0, 0, 0, 0},
    };
    for (const auto& f : formats) {
        SCOPED_TRACE(f.what);
        const std::vector<uint32_t> palette(colours.begin(), colours.begin() + static_cast<long>(f.entries));
        GdipBitmap picture = PatternBitmap(f.format, w, h, palette);
        ASSERT_TRUE(picture);
        // The picture as the format holds it (a 565 colour loses its low bits).
        const std::vector<uint32_t> want = AllPixels(picture.get());
        for (const auto& c : frames) {
            SCOPED_TRACE(c.what);
            GdipBitmap step = Crop(picture.get(), w, h, c.frame);
            if (c.cw == 0) {
                EXPECT_FALSE(step);
                continue;
            }
            ASSERT_TRUE(step);
            PixelFormat format = 0;
            GdipGetImagePixelFormat(step.get(), &format);
            EXPECT_EQ(format, PixelFormat32bppARGB);
            int sw = 0, sh = 0;
            const std::vector<uint32_t> got = AllPixels(step.get(), sw, sh);
            ASSERT_EQ(sw, c.cw);
            ASSERT_EQ(sh, c.ch);
            int wrong = 0;
            for (int y = 0; y < sh; ++y)
                for (int x = 0; x < sw; ++x)
                    wrong += got[static_cast<size_t>(y) * sw + x] != want[static_cast<size_t>(c.y + y) * w + c.x + x];
            EXPECT_EQ(wrong, 0) << "pixels not the picture's";
        }
    }
}
