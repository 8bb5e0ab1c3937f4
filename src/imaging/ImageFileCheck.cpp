#include "imaging/ImageFileCheck.h"

#include "platform/ByteOrder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

uint32_t Crc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// Every chunk up to IEND must be whole and carry a correct checksum.
bool PngSound(const uint8_t* data, size_t size) {
    size_t i = 8;
    while (i + 12 <= size) {
        const uint32_t length = Be32(data + i);
        if (length > size - i - 12) return false;
        if (Crc32(data + i + 4, length + 4) != Be32(data + i + 8 + length)) return false;
        const bool end = std::memcmp(data + i + 4, "IEND", 4) == 0;
        i += 12 + length;
        if (end) return true;
    }
    return false;
}

// Walks run-length data without writing anything: every pixel it would set must lie inside the
// picture and every colour index inside the palette.
bool RleSound(const uint8_t* p, size_t size, uint32_t width, uint32_t height, bool four, uint32_t colours) {
    uint64_t x = 0, y = 0;
    size_t i = 0;
    auto indexOk = [&](uint8_t v) { return four ? ((v >> 4) < colours && (v & 15u) < colours) : v < colours; };
    while (i + 1 < size) {
        const uint8_t n = p[i], c = p[i + 1];
        i += 2;
        if (n > 0) {
            if (x + n > width || y >= height || !indexOk(c)) return false;
            x += n;
        } else if (c == 0) {
            x = 0;
            ++y;
        } else if (c == 1) {
            return true;
        } else if (c == 2) {
            if (i + 2 > size) return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
            if (x > width || y > height) return false;
        } else {
            const size_t bytes = four ? (c + 1u) / 2u : c;
            if (x + c > width || y >= height || i + bytes > size) return false;
            for (size_t k = 0; k < bytes; ++k)
                if (!indexOk(p[i + k])) return false;
            x += c;
            i += (bytes + 1) & ~size_t{1};
        }
    }
    return true; // data ending without an end marker leaves the rest of the picture empty
}

bool BmpSound(const uint8_t* data, size_t size) {
    if (size < 26) return false;
    const uint32_t fileSize = Le32(data + 2), offset = Le32(data + 10), headerSize = Le32(data + 14);
    if (headerSize < 40) return true; // the old core header: too small to contradict itself
    if (size < 14 + 40) return false;
    const int32_t width = static_cast<int32_t>(Le32(data + 18)), height = static_cast<int32_t>(Le32(data + 22));
    const uint32_t planes = Le16(data + 26), bits = Le16(data + 28), compression = Le32(data + 30);
    const uint32_t imageSize = Le32(data + 34), xDensity = Le32(data + 38), yDensity = Le32(data + 42);
    const uint32_t coloursUsed = Le32(data + 46);
    const uint64_t limit = 2ull * size + 1024; // sizes stated far beyond the file are lies
    if (planes != 1 || width <= 0 || height == 0) return false;
    if (fileSize > limit || imageSize > limit) return false;
    if (xDensity > 0 && yDensity > 0 && std::max(xDensity, yDensity) / std::min(xDensity, yDensity) > 1000)
        return false;
    const bool rle = compression == 1 || compression == 2;
    if (rle && height < 0) return false;
    if (bits > 8) return true;
    const uint32_t maxColours = 1u << bits;
    if (coloursUsed > maxColours) return false;
    const uint32_t colours = coloursUsed ? coloursUsed : maxColours;
    if (offset > size) return false;
    const uint32_t rows = static_cast<uint32_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    if (rle)
        return RleSound(data + offset, size - offset, static_cast<uint32_t>(width), rows, compression == 2, colours);
    if (compression != 0 || (bits != 8 && bits != 4) || colours == maxColours) return true;
    // In 64 bits: a width near 2^31 would wrap a 32-bit row size to almost nothing.
    const uint64_t stride = ((uint64_t{static_cast<uint32_t>(width)} * bits + 31) / 32) * 4;
    if (stride * rows > limit) return false;
    for (uint32_t row = 0; row < rows && offset + (row + 1) * stride <= size; ++row) {
        const uint8_t* line = data + offset + row * stride;
        for (uint32_t px = 0; px < static_cast<uint32_t>(width); ++px) {
            const uint32_t v = bits == 8 ? line[px] : (px % 2 ? line[px / 2] & 15u : line[px / 2] >> 4);
            if (v >= colours) return false;
        }
    }
    return true;
}

} // namespace

bool IsImageDataSound(const uint8_t* data, size_t size) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return PngSound(data, size);
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return BmpSound(data, size);
    return true;
}
