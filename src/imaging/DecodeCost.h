// The memory a picture file's decode takes at its peak, told from the file's first bytes before it
// is decoded: the platform's decoder holds the pixels in the file's own layout while it makes its
// bitmap of them, and the grid reads that bitmap as 32-bit pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// head: the file's first bytes (the JPEG segments before its picture's data, a PNG's, BMP's or
// GIF's header, or a TIFF's first directory); fileSize: its whole size, copied to memory before the
// decode. A file whose size cannot be told from its head counts as a picture of kUnknownPixels.
[[nodiscard]] uint64_t DecodeMemoryNeeded(std::string_view head, uint64_t fileSize);
inline constexpr uint64_t kUnknownPixels = 24'000'000;
// The same, only for a file whose head states its picture's size: nothing for any other. The loader
// tells by it whether a decode that failed ran short of memory.
[[nodiscard]] std::optional<uint64_t> DecodeMemoryStated(std::string_view head, uint64_t fileSize);
// The picture's size as its file's head states it (stored, before any turn the file asks for);
// nothing when the head states none.
struct StatedSize {
    uint32_t width = 0, height = 0;
};
[[nodiscard]] std::optional<StatedSize> StatedPictureSize(std::string_view head);
