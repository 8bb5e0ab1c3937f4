#include "imaging/JpegHead.h"

#include "imaging/ImageOrientation.h"

#include <utility>

namespace {

bool IsFrameHeader(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

} // namespace

JpegHead ReadJpegHead(std::string_view bytes) {
    JpegHead head;
    bool found = false;
    for (const JpegSegment& segment : WalkJpegHead(bytes).segments) {
        // The first EXIF block is the picture's, as for the decoder's turn (JpegOrientation).
        if (const std::string_view tiff = ExifTiff(segment); !found && !tiff.empty()) {
            found = true;
            head.thumbnail = EmbeddedThumbnail(tiff);
            head.orientation = ExifOrientation(tiff);
        }
        if (IsFrameHeader(segment.marker) && segment.data.size() >= 5) {
            const auto u16 = [&](size_t at) {
                return static_cast<int32_t>(static_cast<uint8_t>(segment.data[at]) << 8 |
                                            static_cast<uint8_t>(segment.data[at + 1]));
            };
            head.height = u16(1);
            head.width = u16(3);
            break;
        }
    }
    if (OrientationSwapsSides(head.orientation)) std::swap(head.width, head.height);
    return head;
}
