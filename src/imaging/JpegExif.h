// The bytes of a JPEG file's head: its marker segments up to the picture's data, the TIFF
// directories of its EXIF block, and the block carried over to a newly encoded JPEG of the same
// picture. Every offset and length read from a file is checked against the bytes at hand; anything
// out of place gives nothing rather than a guess.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One marker segment: its marker byte, where its 0xFF lies, its whole size (marker and length field
// included) and the data after the length field.
struct JpegSegment {
    uint8_t marker = 0;
    size_t start = 0;
    size_t size = 0;
    std::string_view data;
};

// The segments of a JPEG head in file order, from after the start-of-image marker.
struct JpegHeadSegments {
    std::vector<JpegSegment> segments;
    // Where the walk stopped: the start-of-scan marker (the picture's data) when `complete`.
    size_t end = 0;
    bool complete = false; // the start of the picture's data was reached
};

// Walks bytes from the start-of-image marker to the start of the picture's data, stopping at the
// end of the image, at a segment that is out of place and at the end of the bytes. Nothing when
// bytes do not start with the start-of-image marker.
[[nodiscard]] JpegHeadSegments WalkJpegHead(std::string_view bytes);

// The TIFF bytes of an EXIF segment (an APP1 whose data begins "Exif\0\0"); empty for any other.
[[nodiscard]] std::string_view ExifTiff(const JpegSegment& segment);

// The JPEG thumbnail IFD1 of an EXIF block's TIFF names; empty when there is none or it lies out of place.
[[nodiscard]] std::string_view EmbeddedThumbnail(std::string_view tiff);

// The one-number value (SHORT or LONG) of tag in the first directory of a TIFF's bytes; nothing when
// there is no such entry wholly within them.
[[nodiscard]] std::optional<uint32_t> TiffFirstNumber(std::string_view tiff, uint32_t tag);

// How the picture of an EXIF block's TIFF is to be turned to show upright (tag 0x112 of IFD0): 1 to
// 8; 0 when there is no such tag, it lies out of place or holds any other value.
[[nodiscard]] uint32_t ExifOrientation(std::string_view tiff);
// The orientation of a JPEG head's first EXIF block, as ExifOrientation; 0 for bytes that are not
// a JPEG or carry no EXIF block before the picture's data.
[[nodiscard]] uint32_t JpegOrientation(std::string_view bytes);

// The orientation a picture file's bytes give, as ExifOrientation: a JPEG's first EXIF block, or a
// TIFF's first directory (a TIFF file is laid out as an EXIF block's TIFF is); 0 for any other.
[[nodiscard]] uint32_t PictureOrientation(std::string_view bytes);

// The first EXIF segment of a JPEG head, marker and length field included; empty when there is
// none wholly within bytes.
[[nodiscard]] std::string_view ExifSegment(std::string_view bytes);

// segment (as ExifSegment gives it) made fit for a picture saved as shown at width x height: the
// orientation set to the turn the saved pixels still need (1, normal, for pixels saved upright),
// the pixel dimensions set to the saved ones, and the embedded thumbnail, which shows the picture
// before its edits, wiped and unlinked. The camera, the dates and every other field stay. Empty
// when segment is not a sound EXIF block; for no segment at all, a block naming just the turn
// (empty for none).
[[nodiscard]] std::string ExifForSavedPicture(std::string_view segment, uint32_t width, uint32_t height,
                                              uint32_t orientation = 1);

// jpeg with segment as its only EXIF block: right after the start-of-image marker (and a JFIF
// segment directly there), any EXIF segment of the encoder's own left out. Empty when jpeg's head
// cannot be walked to its picture's data.
[[nodiscard]] std::string WithExifSegment(std::string_view jpeg, std::string_view segment);

// Writes image as a JPEG of quality carrying segment, through a temporary file beside fileName: a
// failed save leaves an existing file as it was. Without a segment it is a plain JPEG save.
[[nodiscard]] bool SaveJpegWithExif(GpImage* image, const std::wstring& fileName, int32_t quality,
                                    std::string_view segment);

// Writes image as a TIFF whose first directory names orientation, the turn its pixels still need
// (none is named for 1), through a temporary file beside fileName: a failed save leaves an
// existing file as it was.
[[nodiscard]] bool SaveTiffWithOrientation(GpImage* image, const std::wstring& fileName, uint32_t orientation);

// The first bytes of a file, at most limit (all of it when shorter); empty when it cannot be read.
// The default is enough for the segments before the picture's data.
[[nodiscard]] std::string ReadFileHead(const std::wstring& path, size_t limit = 128 * 1024);
