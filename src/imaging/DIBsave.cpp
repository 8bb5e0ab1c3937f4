#include "imaging/DIBsave.h"

#include "imaging/ModGDI.h"
#include "platform/PathHelpers.h"
#include "platform/GdipHandles.h"
#include "platform/Rounding.h"

#include <cstring>
#include <unordered_map>
#include <vector>

void DIBsave::SetWidth(float width) {
    width_ = RoundHalfEven(width);
}
void DIBsave::SetHeight(float height) {
    height_ = RoundHalfEven(height);
}

bool DIBsave::CreateBlankMemory(int32_t height, int32_t width, GpImage* srcImage, bool useSrcFormat, bool highQuality) {
    Destroy();
    NewWidth = width;
    NewHeight = height;
    PixelFormat format = PixelFormat32bppARGB;
    if (useSrcFormat && srcImage) GdipGetImagePixelFormat(srcImage, &format);
    if (width <= 0 || height <= 0) return false;
    if (GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, image_.put()) != Ok || !image_) return false;
    if (GdipGetImageGraphicsContext(image_.get(), graphics_.put()) != Ok) graphics_.reset();
    ShowOwned();
    if (MemGraphics) {
        GdipSetSmoothingMode(MemGraphics, SmoothingModeAntiAlias);
        if (useSrcFormat) {
            GdipSetInterpolationMode(MemGraphics, InterpolationModeDefault);
        } else if (highQuality) {
            GdipSetInterpolationMode(MemGraphics, InterpolationModeHighQualityBilinear);
        } else {
            GdipSetInterpolationMode(MemGraphics, InterpolationModeLowQuality);
            GdipSetPixelOffsetMode(MemGraphics, PixelOffsetModeHighSpeed);
        }
    }
    return true;
}

void DIBsave::ClearScreen(uint32_t colour) {
    if (MemGraphics) GdipGraphicsClear(MemGraphics, colour);
}

bool DIBsave::Save(const std::wstring& fileName, int32_t format, int32_t quality) {
    if (!new_Img) return false;
    return SaveImageSafely(new_Img, fileName, format, quality, &encoderClsid_);
}

void DIBsave::ShowOwned() {
    new_Img = image_.get();
    MemGraphics = graphics_.get();
}

void DIBsave::ClearIMG() {
    // The surface goes first: it must not outlive the bitmap it draws on.
    graphics_.reset();
    image_.reset();
    ShowOwned();
}

void DIBsave::Destroy() {
    ClearIMG();
}

// Some GIF encoders (Wine's among them) report success but write an unreadable file from 24 or 32
// bpp input; from indexed input every encoder writes a valid GIF. An image of at most 256 colours
// keeps them exactly; others map onto a 6 x 7 x 6 colour cube. Fully transparent pixels share one
// palette entry of alpha 0, so an encoder that writes GIF transparency keeps them transparent
// (Wine's encoder writes no transparency: there they come out as that entry's colour, black).
GdipBitmap IndexedCopyForGif(GpImage* image) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    if (w == 0 || h == 0) return {};

    GdipBitmap source;
    GpImage* src = image;
    ImageType type = ImageTypeUnknown;
    GdipGetImageType(image, &type);
    if (type != ImageTypeBitmap) {
        // A metafile: render it into a bitmap first.
        if (GdipCreateBitmapFromScan0(static_cast<INT>(w), static_cast<INT>(h), 0, PixelFormat32bppARGB, nullptr,
                                      source.put()) != Ok)
            return {};
        GdipGraphics g;
        GdipGetImageGraphicsContext(source.get(), g.put());
        GdipGraphicsClear(g.get(), 0xFFFFFFFF);
        GdipDrawImageRectI(g.get(), image, 0, 0, static_cast<INT>(w), static_cast<INT>(h));
        src = source.get();
    }

    GpRect rect{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    BitmapData in{};
    if (GdipBitmapLockBits(static_cast<GpBitmap*>(src), &rect, ImageLockModeRead, PixelFormat32bppARGB, &in) != Ok)
        return {};

    // Every opaque or translucent colour is written opaque; the fully transparent ones become one.
    const auto entryColour = [](uint32_t c) { return (c >> 24) == 0 ? 0u : c | 0xFF000000u; };
    // Exact palette when the image has few colours.
    std::unordered_map<uint32_t, uint8_t> exact;
    std::vector<uint32_t> palette;
    bool fits = true, anyTransparent = false;
    for (UINT y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(in.Scan0) + y * in.Stride);
        for (UINT x = 0; x < w; ++x) {
            const uint32_t c = entryColour(row[x]);
            anyTransparent = anyTransparent || c == 0;
            if (!fits) continue;
            if (exact.find(c) != exact.end()) continue;
            if (palette.size() == 256) {
                fits = false;
                break;
            }
            exact.emplace(c, static_cast<uint8_t>(palette.size()));
            palette.push_back(c);
        }
    }
    if (!fits) {
        palette.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back(ColorARGB(255, static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 255 / 6),
                                                static_cast<uint8_t>(b * 51)));
        // The cube's indices end at 251: the last entry is free for the transparent pixels.
        for (uint8_t grey : {64, 96, 160, 192}) palette.push_back(ColorARGB(255, grey, grey, grey));
        if (anyTransparent) palette.back() = 0;
    }

    GdipBitmap indexed;
    if (GdipCreateBitmapFromScan0(static_cast<INT>(w), static_cast<INT>(h), 0, PixelFormat8bppIndexed, nullptr,
                                  indexed.put()) != Ok) {
        GdipBitmapUnlockBits(static_cast<GpBitmap*>(src), &in);
        return {};
    }
    std::vector<uint8_t> paletteBlock(sizeof(ColorPalette) + 256 * sizeof(ARGB));
    auto* pal = reinterpret_cast<ColorPalette*>(paletteBlock.data());
    pal->Flags = anyTransparent ? PaletteFlagsHasAlpha : 0;
    pal->Count = static_cast<UINT>(palette.size());
    std::memcpy(pal->Entries, palette.data(), palette.size() * sizeof(ARGB));
    GdipSetImagePalette(indexed.get(), pal);

    BitmapData out{};
    if (GdipBitmapLockBits(indexed.get(), &rect, ImageLockModeWrite, PixelFormat8bppIndexed, &out) != Ok) {
        GdipBitmapUnlockBits(static_cast<GpBitmap*>(src), &in);
        return {};
    }
    for (UINT y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(in.Scan0) + y * in.Stride);
        uint8_t* dst = static_cast<uint8_t*>(out.Scan0) + y * out.Stride;
        for (UINT x = 0; x < w; ++x) {
            const uint32_t c = entryColour(row[x]);
            if (fits) {
                dst[x] = exact[c];
            } else if (c == 0) {
                dst[x] = 255;
            } else {
                const uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
                const uint32_t ri = (r + 25) / 51, gi = (g * 6 + 127) / 255, bi = (b + 25) / 51;
                dst[x] = static_cast<uint8_t>((ri * 7 + gi) * 6 + bi);
            }
        }
    }
    GdipBitmapUnlockBits(indexed.get(), &out);
    GdipBitmapUnlockBits(static_cast<GpBitmap*>(src), &in);
    return indexed;
}

namespace {

// A 24 bpp copy of a 32 bpp bitmap whose every pixel is opaque; null otherwise. Lossless encoders
// write such a copy in about half the time, and the file holds the same picture.
GdipBitmap OpaqueCopy(GpImage* image) {
    PixelFormat format = 0;
    ImageType type = ImageTypeUnknown;
    if (GdipGetImageType(image, &type) != Ok || type != ImageTypeBitmap) return {};
    if (GdipGetImagePixelFormat(image, &format) != Ok ||
        (format != PixelFormat32bppARGB && format != PixelFormat32bppPARGB))
        return {};
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    GpRect rect{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    BitmapData data{};
    auto* bitmap = static_cast<GpBitmap*>(image);
    if (GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead, format, &data) != Ok) return {};
    bool opaque = true;
    for (UINT y = 0; y < h && opaque; ++y) {
        const uint32_t* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride);
        for (UINT x = 0; x < w; ++x) {
            if ((row[x] >> 24) != 0xFF) {
                opaque = false;
                break;
            }
        }
    }
    GdipBitmapUnlockBits(bitmap, &data);
    GdipBitmap copy;
    if (opaque)
        GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), PixelFormat24bppRGB, bitmap, copy.put());
    return copy;
}

} // namespace

bool SaveImageSafely(GpImage* image, const std::wstring& fileName, int32_t format, int32_t quality,
                     CLSID* encoderFound) {
    if (!image || fileName.empty()) return false;
    const std::wstring mime = EncoderMimeType(format);
    if (mime.empty()) return false;
    CLSID clsid{};
    if (GetEncoderClsid(mime, clsid) < 0) return false;
    if (encoderFound) *encoderFound = clsid;

    GdipBitmap converted;
    GpImage* toWrite = image;
    if (format == kFormatGif) {
        converted = IndexedCopyForGif(image);
        if (!converted) return false;
        toWrite = converted.get();
    } else if (format == kFormatPng || format == kFormatTiff) {
        converted = OpaqueCopy(image);
        if (converted) toWrite = converted.get();
    }

    LONG qualityValue = quality;
    EncoderParameters params{};
    params.Count = 1;
    params.Parameter[0].Guid = CLSIDFromStr(L"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
    params.Parameter[0].NumberOfValues = 1;
    params.Parameter[0].Type = EncoderParameterValueTypeLong;
    params.Parameter[0].Value = &qualityValue;

    return WriteThroughTemporaryFile(fileName, [&](const std::wstring& temporary) {
        return GdipSaveImageToFile(toWrite, temporary.c_str(), &clsid, format == kFormatJpeg ? &params : nullptr) == Ok;
    });
}
