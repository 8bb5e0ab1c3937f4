// The check of untrusted image bytes, on files written here byte by byte.
#include "imaging/GdiDIB.h"
#include "imaging/ImageFileCheck.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The smallest PNG: one transparent pixel (IHDR, IDAT, IEND, each with its checksum).
const Bytes kPng = {0x89, 'P',  'N',  'G',  0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 'I',  'H',
                    'D',  'R',  0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
                    0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 'I',  'D',  'A',  'T',  0x78,
                    0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
                    0x00, 0x00, 0x00, 'I',  'E',  'N',  'D',  0xAE, 0x42, 0x60, 0x82};

void Put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A 4 x 2, 8 bpp BMP with a palette of `colours` greys and pixel bytes `pixels` (or RLE data).
Bytes Bmp(uint32_t colours, const Bytes& pixels, uint32_t compression = 0) {
    const size_t offset = 54 + colours * 4;
    Bytes b(offset + pixels.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, 4);
    Put32(b, 22, 2);
    Put16(b, 26, 1);
    Put16(b, 28, 8);
    Put32(b, 30, compression);
    Put32(b, 46, colours);
    for (uint32_t i = 0; i < colours; ++i) b[54 + i * 4] = b[55 + i * 4] = b[56 + i * 4] = static_cast<uint8_t>(i);
    for (size_t i = 0; i < pixels.size(); ++i) b[offset + i] = pixels[i];
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

bool Sound(const Bytes& b) {
    return IsImageDataSound(b.data(), b.size());
}

} // namespace

TEST(ImageFileCheck, PngChunksMustBeWholeWithTheirChecksums) {
    ASSERT_TRUE(Sound(kPng));
    // The bytes really are a picture: the decoder reads them through the check.
    const std::wstring path = MakeTestFolder(L"filecheck") + L"one.png";
    ASSERT_TRUE(WriteTestFile(path, std::string(kPng.begin(), kPng.end())));
    GdiDIB decoded;
    EXPECT_TRUE(decoded.Import(path));

    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
    };
    for (const Case& c : std::vector<Case>{
             {"a flipped data byte", [](Bytes& b) { b[43] ^= 0x01; }},
             {"a flipped checksum byte", [](Bytes& b) { b[32] ^= 0x80; }},
             {"no IEND", [](Bytes& b) { b.resize(b.size() - 12); }},
             {"cut inside the last chunk", [](Bytes& b) { b.resize(b.size() - 1); }},
             {"a length past the end", [](Bytes& b) { b[8] = b[9] = 0xFF; }},
             {"the signature alone", [](Bytes& b) { b.resize(8); }},
         }) {
        Bytes spoiled = kPng;
        c.spoil(spoiled);
        EXPECT_FALSE(Sound(spoiled)) << c.what;
    }
    const std::wstring bad = MakeTestFolder(L"filecheck2") + L"bad.png";
    ASSERT_TRUE(WriteTestFile(bad, std::string(kPng.begin(), kPng.end() - 12)));
    EXPECT_FALSE(decoded.Import(bad));
    EXPECT_EQ(decoded.DIB(), nullptr);
}

TEST(ImageFileCheck, BmpHeadersThatLieAndRunsOutsideThePictureAreRefused) {
    const Bytes indices = {0, 1, 2, 3, 3, 2, 1, 0};
    EXPECT_TRUE(Sound(Bmp(4, indices)));
    EXPECT_TRUE(Sound(Bmp(256, indices)));
    // RLE8: two runs of four, end of line, end of picture.
    const Bytes rle = {4, 1, 0, 0, 4, 2, 0, 1};
    EXPECT_TRUE(Sound(Bmp(4, rle, 1)));

    struct Case {
        const char* what;
        Bytes bytes;
    };
    auto with = [](Bytes b, const std::function<void(Bytes&)>& change) {
        change(b);
        return b;
    };
    for (const Case& c : std::vector<Case>{
             {"an index past the palette", Bmp(4, {0, 1, 2, 4, 0, 0, 0, 0})},
             {"more palette colours than 8 bits hold", with(Bmp(4, indices), [](Bytes& b) { Put32(b, 46, 257); })},
             {"two planes", with(Bmp(4, indices), [](Bytes& b) { Put16(b, 26, 2); })},
             {"width 0", with(Bmp(4, indices), [](Bytes& b) { Put32(b, 18, 0); })},
             {"a file size far past the file", with(Bmp(4, indices), [](Bytes& b) { Put32(b, 2, 1u << 30); })},
             {"a width whose rows wrap 32 bits", with(Bmp(4, indices), [](Bytes& b) { Put32(b, 18, 0x7FFFFFFF); })},
             {"densities a thousand times apart", with(Bmp(4, indices),
                                                       [](Bytes& b) {
                                                           Put32(b, 38, 5000);
                                                           Put32(b, 42, 2);
                                                       })},
             {"a run past the row", Bmp(4, {5, 1, 0, 1}, 1)},
             {"a run below the last row", Bmp(4, {0, 0, 0, 0, 0, 0, 4, 1, 0, 1}, 1)},
             {"a run of a colour past the palette", Bmp(4, {2, 9, 0, 1}, 1)},
             {"a move past the picture", Bmp(4, {0, 2, 5, 0, 0, 1}, 1)},
             {"literal pixels past the row", Bmp(4, {0, 5, 1, 1, 1, 1, 1, 0, 0, 1}, 1)},
             {"RLE stored top-down", with(Bmp(4, rle, 1), [](Bytes& b) { Put32(b, 22, static_cast<uint32_t>(-2)); })},
             {"a header cut short", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0}},
         }) {
        EXPECT_FALSE(Sound(c.bytes)) << c.what;
    }
    // Other formats are left to their decoders.
    const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0};
    EXPECT_TRUE(Sound(gif));
}
