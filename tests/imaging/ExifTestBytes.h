// Crafted EXIF bytes for the tests: a camera's TIFF block whose fields can be spoiled one by one,
// its JPEG segment, and numbers read back in the block's byte order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace exif_test {

// v in `bytes` bytes, most significant first (big) or last.
inline std::string Packed(uint32_t v, int bytes, bool big) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * (big ? bytes - 1 - i : i)));
    return out;
}

inline std::string Segment(uint8_t marker, const std::string& data) {
    return std::string("\xFF") + static_cast<char>(marker) + Packed(static_cast<uint32_t>(data.size() + 2), 2, true) +
           data;
}

inline const std::string kCamera = "TestCam";
inline const std::string kTaken = "2021:06:05 14:03:22";
inline const std::string kThumb = std::string("\xFF\xD8", 2) + "a camera's small picture" + "\xFF\xD9";

// A camera's TIFF block: IFD0 (make, orientation, the EXIF directory) linked to IFD1 (the
// thumbnail); the EXIF directory holds the date taken and the pixel size. Fields can be spoiled.
struct Tiff {
    bool little = true;
    uint32_t orientationType = 3; // SHORT
    uint32_t ifd0Count = 3;
    int64_t ifd0At = -1;  // -1: where it belongs
    int64_t exifAt = -1;  // -1: where it belongs
    int64_t ifd1At = -1;  // -1: where it belongs
    int64_t thumbAt = -1; // -1: where it belongs
    uint32_t thumbLengthExtra = 0;
    uint32_t pixelXType = 3; // SHORT

    // Where the parts lie: header 8, IFD0 at 8 (3 entries: 2 + 36 + 4 = 42), make at 50 (8),
    // EXIF directory at 58 (3 entries: 42), date at 100 (20), IFD1 at 120 (2 entries: 30),
    // thumbnail at 150.
    static constexpr uint32_t kIfd0 = 8, kMake = 50, kExif = 58, kDate = 100, kIfd1 = 120, kThumbAt = 150;

    [[nodiscard]] std::string Bytes() const {
        auto u16 = [&](uint32_t v) { return Packed(v, 2, !little); };
        auto u32 = [&](uint32_t v) { return Packed(v, 4, !little); };
        auto entry = [&](uint32_t tag, uint32_t type, uint32_t count, const std::string& value) {
            return u16(tag) + u16(type) + u32(count) + value;
        };
        const auto at = [](int64_t given, uint32_t usual) { return given < 0 ? usual : static_cast<uint32_t>(given); };
        std::string t = (little ? "II" : "MM") + u16(42) + u32(at(ifd0At, kIfd0));
        t += u16(ifd0Count);
        t += entry(0x10F, 2, static_cast<uint32_t>(kCamera.size() + 1), u32(kMake));
        t += entry(0x112, orientationType, 1, orientationType == 3 ? u16(6) + u16(0) : u32(6));
        t += entry(0x8769, 4, 1, u32(at(exifAt, kExif)));
        t += u32(at(ifd1At, kIfd1));
        t += kCamera + '\0';
        t += u16(3);
        t += entry(0x9003, 2, static_cast<uint32_t>(kTaken.size() + 1), u32(kDate));
        t += entry(0xA002, pixelXType, 1, pixelXType == 3 ? u16(4000) + u16(0) : u32(4000));
        t += entry(0xA003, 4, 1, u32(3000));
        t += u32(0);
        t += kTaken + '\0';
        t += u16(2);
        t += entry(0x201, 4, 1, u32(at(thumbAt, kThumbAt)));
        t += entry(0x202, 4, 1, u32(static_cast<uint32_t>(kThumb.size()) + thumbLengthExtra));
        t += u32(0);
        return t + kThumb;
    }
};

inline std::string ExifSegmentOf(const std::string& tiff) {
    return Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
}

// A TIFF block whose IFD0 holds just the orientation: value as a one-number entry of type (3
// SHORT, 4 LONG) and count.
inline std::string OrientationTiff(uint32_t value, bool little = true, uint32_t type = 3, uint32_t count = 1) {
    auto u16 = [&](uint32_t v) { return Packed(v, 2, !little); };
    auto u32 = [&](uint32_t v) { return Packed(v, 4, !little); };
    return (little ? "II" : "MM") + u16(42) + u32(8) + u16(1) + u16(0x112) + u16(type) + u32(count) +
           (type == 3 ? u16(value) + u16(0) : u32(value)) + u32(0);
}

// An uncompressed RGB TIFF: one w x h page for each function giving the ARGB colour of pixel (x, y);
// the first directory names orientation unless it is 0.
inline std::string RgbTiff(int w, int h, const std::vector<std::function<uint32_t(int, int)>>& pages,
                           uint32_t orientation = 0) {
    const auto u16 = [](uint32_t v) { return Packed(v, 2, false); };
    const auto u32 = [](uint32_t v) { return Packed(v, 4, false); };
    const auto entry = [&](uint32_t tag, uint32_t value, uint32_t type = 3, uint32_t count = 1) {
        return u16(tag) + u16(type) + u32(count) + (type == 3 && count == 1 ? u16(value) + u16(0) : u32(value));
    };
    const auto uw = static_cast<uint32_t>(w), uh = static_cast<uint32_t>(h), pixels = uw * uh * 3;
    std::string tiff = "II" + u16(42) + u32(8);
    for (size_t page = 0; page < pages.size(); ++page) {
        const uint32_t entries = page == 0 && orientation != 0 ? 10 : 9,
                       bits = static_cast<uint32_t>(tiff.size()) + 6 + 12 * entries,
                       next = page + 1 < pages.size() ? bits + 6 + pixels : 0;
        tiff += u16(entries) + entry(256, uw) + entry(257, uh) + entry(258, bits, 3, 3) + entry(259, 1) +
                entry(262, 2) + entry(273, bits + 6, 4) + (entries == 10 ? entry(274, orientation) : "") +
                entry(277, 3) + entry(278, uh) + entry(279, pixels, 4) + u32(next) + u16(8) + u16(8) + u16(8);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (const int shift : {16, 8, 0}) tiff += static_cast<char>(pages[page](x, y) >> shift);
    }
    return tiff;
}

// A TIFF of pages (as RgbTiff's, 4 x 3 each) whose first page says it is 60000 x 60000: no memory
// holds it.
inline std::string OversizedTiff(size_t pages) {
    std::string tiff =
        RgbTiff(4, 3, std::vector<std::function<uint32_t(int, int)>>(pages, [](int, int) { return 0u; }));
    return tiff.replace(18, 2, "\x60\xEA", 2).replace(30, 2, "\x60\xEA", 2);
}

// Where pixel (x, y) of the upright picture lies in the stored one of w x h pixels, by the
// definition of each orientation (what the stored picture's 0th row and column are when upright).
struct StoredAt {
    int x, y;
};
inline StoredAt StoredPoint(uint32_t orientation, int x, int y, int w, int h) {
    switch (orientation) {
    case 2:
        return {w - 1 - x, y};
    case 3:
        return {w - 1 - x, h - 1 - y};
    case 4:
        return {x, h - 1 - y};
    case 5:
        return {y, x};
    case 6:
        return {y, h - 1 - x};
    case 7:
        return {w - 1 - y, h - 1 - x};
    case 8:
        return {w - 1 - y, x};
    default:
        return {x, y};
    }
}

// An encoded JPEG with segment put right after its start-of-image marker, as a camera places it.
inline std::string WithSegment(const std::string& jpeg, const std::string& segment) {
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

// The number of `bytes` bytes at `at`, as the block's byte order has it.
inline uint32_t NumberAt(const std::string& tiff, size_t at, bool little, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(tiff[at + static_cast<size_t>(i)]))
             << (8 * (little ? i : bytes - 1 - i));
    return v;
}
// The number in a SHORT or LONG entry's value field.
inline uint32_t ValueAt(const std::string& tiff, size_t entry, bool little, int bytes) {
    return NumberAt(tiff, entry + 8, little, bytes);
}

// Entry i of IFD0 (at 8) and of the EXIF directory (at 58) in the crafted block.
inline size_t Ifd0Entry(int i) {
    return Tiff::kIfd0 + 2 + 12 * static_cast<size_t>(i);
}
inline size_t ExifEntry(int i) {
    return Tiff::kExif + 2 + 12 * static_cast<size_t>(i);
}

} // namespace exif_test
