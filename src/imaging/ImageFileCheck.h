// Checks applied to a file's bytes before they reach a decoder: some decoders make a picture out of
// files that are plainly corrupt (a PNG whose checksums fail, a BMP whose run-length data writes
// outside the picture or whose header contradicts the file). Such files are refused.
#pragma once

#include <cstddef>
#include <cstdint>

// False when data is a PNG or BMP file that is corrupt; true for sound files and other formats.
bool IsImageDataSound(const uint8_t* data, size_t size);
