#include "imaging/DecodeCost.h"

#include "imaging/JpegExif.h"
#include "imaging/JpegHead.h"
#include "platform/ByteOrder.h"

#include <algorithm>

namespace {

// The header's bytes from at on.
const uint8_t* At(std::string_view b, size_t at) {
    return reinterpret_cast<const uint8_t*>(b.data()) + at;
}

// A picture's size as stored and the bytes one of its pixels takes in the decoder's layout.
struct Layout {
    uint32_t width = 0, height = 0;
    uint32_t bytes = 4;
    [[nodiscard]] uint64_t Pixels() const { return uint64_t{width} * height; }
};

Layout PngLayout(std::string_view head) {
    // IHDR: width and height, then the bit depth and the colour type.
    if (head.size() < 26 || head.substr(12, 4) != "IHDR") return {};
    const uint32_t depth = static_cast<uint8_t>(head[24]), type = static_cast<uint8_t>(head[25]);
    const uint32_t channels = type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1;
    // Indexed and grey pictures come out of the decoder as 32-bit ones.
    const uint32_t bytes = depth == 16 ? channels * 2 : (type == 2 ? 3 : 4);
    return {Be32(At(head, 16)), Be32(At(head, 20)), std::max(bytes, 3u)};
}

Layout BmpLayout(std::string_view head) {
    if (head.size() < 26) return {};
    const uint32_t header = Le32(At(head, 14));
    if (header == 12) return {Le16(At(head, 18)), Le16(At(head, 20)), Le16(At(head, 24)) == 24 ? 3u : 4u};
    if (head.size() < 30) return {};
    const auto width = static_cast<int32_t>(Le32(At(head, 18))), height = static_cast<int32_t>(Le32(At(head, 22)));
    if (width <= 0) return {};
    // A negative height stores the rows top down (negated in unsigned arithmetic, INT32_MIN too).
    const uint32_t rows = height < 0 ? 0u - static_cast<uint32_t>(height) : static_cast<uint32_t>(height);
    return {static_cast<uint32_t>(width), rows, Le16(At(head, 28)) == 24 ? 3u : 4u};
}

Layout StatedLayout(std::string_view head) {
    if (head.size() >= 8 && head.substr(0, 8) == std::string_view("\x89PNG\r\n\x1A\n", 8)) return PngLayout(head);
    if (head.size() >= 2 && head.substr(0, 2) == "BM") return BmpLayout(head);
    if (head.size() >= 10 && head.substr(0, 4) == "GIF8") return {Le16(At(head, 6)), Le16(At(head, 8)), 4};
    if (head.substr(0, 4) == std::string_view("II*\0", 4) || head.substr(0, 4) == "MM\0*") {
        // The first directory may lie past the head read: its size is then not stated.
        return {TiffFirstNumber(head, 0x100).value_or(0), TiffFirstNumber(head, 0x101).value_or(0), 4};
    }
    if (const JpegHead jpeg = ReadJpegHead(head); jpeg.width > 0 && jpeg.height > 0)
        return {static_cast<uint32_t>(jpeg.width), static_cast<uint32_t>(jpeg.height), 3};
    return {};
}

uint64_t Needed(uint64_t pixels, uint32_t bytes, uint64_t fileSize) {
    // A size stated beyond any decode's reach keeps the sum below from overflowing.
    pixels = std::min(pixels, uint64_t{1} << 40);
    // The decoder's pixels, the platform's bitmap of them read as 32-bit ones, and the file's copy.
    return pixels * (bytes + 4) + fileSize;
}

} // namespace

std::optional<uint64_t> DecodeMemoryStated(std::string_view head, uint64_t fileSize) {
    const Layout layout = StatedLayout(head);
    if (layout.Pixels() == 0) return std::nullopt;
    return Needed(layout.Pixels(), layout.bytes, fileSize);
}

std::optional<StatedSize> StatedPictureSize(std::string_view head) {
    const Layout layout = StatedLayout(head);
    if (layout.Pixels() == 0) return std::nullopt;
    return StatedSize{layout.width, layout.height};
}

uint64_t DecodeMemoryNeeded(std::string_view head, uint64_t fileSize) {
    return DecodeMemoryStated(head, fileSize).value_or(Needed(kUnknownPixels, 4, fileSize));
}
