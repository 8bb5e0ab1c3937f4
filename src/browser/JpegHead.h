// What the first segments of a JPEG file tell without decoding the picture: its size (from the
// frame header) and the thumbnail a camera embeds in the EXIF block. The bytes are read by the
// JPEG head reader of the imaging core (which also reads a file's first bytes, ReadFileHead).
#pragma once

#include "imaging/JpegExif.h"

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
