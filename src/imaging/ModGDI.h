// Colour values of the two encodings (GDI+ ARGB for drawing, RGB for controls and settings), the
// string helpers of the encoder lookup, and the encoder lookup itself.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>
#include <string>

// &HAARRGGBB from its four bytes.
constexpr uint32_t ColorARGB(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
    return (uint32_t{alpha} << 24) | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
}

constexpr uint32_t SetColorAlpha(uint32_t argb, uint8_t alpha) {
    return (argb & 0x00FFFFFFu) | (uint32_t{alpha} << 24);
}

// The RGB value (&H00BBGGRR) of an ARGB colour; alpha is dropped.
constexpr uint32_t ARGBToRGB(uint32_t argb) {
    uint32_t red = (argb >> 16) & 0xFF, green = (argb >> 8) & 0xFF, blue = argb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

// An RGB value (red in the low byte) as ARGB with the given alpha. The top byte of the RGB value
// (set for the toolkit's system colours) is ignored.
constexpr uint32_t RGBToARGB(uint32_t colour, uint8_t alpha) {
    return ColorARGB(alpha, static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
                     static_cast<uint8_t>((colour >> 16) & 0xFF));
}

struct ColorBytes {
    uint8_t first;  // blue of an ARGB colour, red of an RGB one
    uint8_t second; // green
    uint8_t third;  // red of an ARGB colour, blue of an RGB one
    bool operator==(const ColorBytes&) const = default;
};

// The colour's three low bytes, highest first.
constexpr ColorBytes ColorToBytes(uint32_t colour) {
    uint32_t c = ARGBToRGB(colour);
    return {static_cast<uint8_t>((c >> 16) & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
            static_cast<uint8_t>(c & 0xFF)};
}

// The NUL-terminated UTF-16 text at p; empty for a null pointer.
std::wstring PtrToStrW(const wchar_t* p);

// A class id from its braced text form; all zero when the text does not parse.
GUID CLSIDFromStr(const std::wstring& text);

// The 1-based position of the encoder for mimeType in GDI+'s encoder list, or -1 when none
// matches (letter case ignored); clsid is written only on a match.
int GetEncoderClsid(const std::wstring& mimeType, CLSID& clsid);

// The MIME type of an image encoder index (0 bmp, 1 jpeg, 2 gif, 3 emf, 4 wmf, 5 tiff, 6 png); empty
// for any other index.
std::wstring EncoderMimeType(int32_t format);

inline constexpr int32_t kFormatBmp = 0;
inline constexpr int32_t kFormatJpeg = 1;
inline constexpr int32_t kFormatGif = 2;
inline constexpr int32_t kFormatEmf = 3;
inline constexpr int32_t kFormatWmf = 4;
inline constexpr int32_t kFormatTiff = 5;
inline constexpr int32_t kFormatPng = 6;
