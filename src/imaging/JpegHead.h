// What the first segments of a JPEG file tell without decoding the picture: its size (from the
// frame header), how it is turned to show upright and the thumbnail a camera embeds in the EXIF
// block. The segments are those WalkJpegHead finds (a file's first bytes come from ReadFileHead).
#pragma once

#include "imaging/JpegExif.h"

#include <cstdint>
#include <string>
#include <string_view>

struct JpegHead {
    // The picture's size as it shows upright: the stored sides exchanged when the orientation turns
    // it a quarter. 0 when no frame header lies in the bytes.
    int32_t width = 0;
    int32_t height = 0;
    uint32_t orientation = 0;   // the EXIF orientation (ExifOrientation), 0 when none is given
    std::string_view thumbnail; // the embedded JPEG stream as stored, empty when there is none
};

// bytes: the start of a file (the segments before the picture's data).
JpegHead ReadJpegHead(std::string_view bytes);
