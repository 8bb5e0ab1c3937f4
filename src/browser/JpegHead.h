// What the first segments of a JPEG file tell without decoding the picture: its size (from the
// frame header) and the thumbnail a camera embeds in the EXIF block. Every offset and length read
// from the file is checked against the bytes at hand; anything out of place gives nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct JpegHead {
    int32_t width = 0; // 0 when no frame header lies in the bytes
    int32_t height = 0;
    std::string_view thumbnail; // the embedded JPEG stream, empty when there is none
};

// bytes: the start of a file (the segments before the picture's data).
JpegHead ReadJpegHead(std::string_view bytes);

// The first bytes of a file, enough for the segments before the picture's data.
std::string ReadFileHead(const std::wstring& path, size_t limit = 128 * 1024);
