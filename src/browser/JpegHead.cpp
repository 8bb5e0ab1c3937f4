#include "browser/JpegHead.h"

#include "platform/GdipHandles.h"

#include <windows.h>

namespace {

class Reader {
public:
    Reader(std::string_view bytes, bool littleEndian) : bytes_(bytes), little_(littleEndian) {}
    // False when the n bytes at offset are not all there.
    [[nodiscard]] bool Has(uint64_t offset, uint64_t n) const {
        return offset <= bytes_.size() && n <= bytes_.size() - offset;
    }
    [[nodiscard]] uint32_t U16(uint64_t at) const { return Get(at, 2); }
    [[nodiscard]] uint32_t U32(uint64_t at) const { return Get(at, 4); }

private:
    [[nodiscard]] uint32_t Get(uint64_t at, int n) const {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            const uint32_t byte =
                static_cast<uint8_t>(bytes_[static_cast<size_t>(at) + static_cast<size_t>(little_ ? n - 1 - i : i)]);
            v = (v << 8) | byte;
        }
        return v;
    }
    std::string_view bytes_;
    bool little_;
};

constexpr uint32_t kThumbnailOffsetTag = 0x201, kThumbnailLengthTag = 0x202;
constexpr uint32_t kShort = 3, kLong = 4;

// The thumbnail named by IFD1 of a TIFF block (the EXIF payload after "Exif\0\0").
std::string_view ThumbnailOfTiff(std::string_view tiff) {
    if (tiff.size() < 8) return {};
    bool little;
    if (tiff.substr(0, 2) == "II")
        little = true;
    else if (tiff.substr(0, 2) == "MM")
        little = false;
    else
        return {};
    const Reader r(tiff, little);
    if (r.U16(2) != 42) return {};
    const uint64_t ifd0 = r.U32(4);
    if (!r.Has(ifd0, 2)) return {};
    const uint64_t links = ifd0 + 2 + 12ull * r.U16(ifd0);
    if (!r.Has(links, 4)) return {};
    const uint64_t ifd1 = r.U32(links);
    if (ifd1 == 0 || ifd1 == ifd0 || !r.Has(ifd1, 2)) return {};
    const uint32_t count = r.U16(ifd1);
    if (!r.Has(ifd1 + 2, 12ull * count)) return {};
    uint64_t offset = 0, length = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = ifd1 + 2 + 12ull * i;
        const uint32_t tag = r.U16(entry), type = r.U16(entry + 2);
        if (type != kShort && type != kLong) continue;
        const uint64_t value = type == kShort ? r.U16(entry + 8) : r.U32(entry + 8);
        if (tag == kThumbnailOffsetTag) offset = value;
        if (tag == kThumbnailLengthTag) length = value;
    }
    if (offset == 0 || length < 4 || !r.Has(offset, length)) return {};
    const std::string_view thumbnail = tiff.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
    if (static_cast<uint8_t>(thumbnail[0]) != 0xFF || static_cast<uint8_t>(thumbnail[1]) != 0xD8) return {};
    return thumbnail;
}

bool IsFrameHeader(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

} // namespace

JpegHead ReadJpegHead(std::string_view bytes) {
    JpegHead head;
    const Reader r(bytes, false);
    if (!r.Has(0, 2) || static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xD8) return head;
    uint64_t at = 2;
    while (r.Has(at, 4)) {
        if (static_cast<uint8_t>(bytes[static_cast<size_t>(at)]) != 0xFF) break;
        const uint8_t marker = static_cast<uint8_t>(bytes[static_cast<size_t>(at) + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) break; // end of image, start of the picture's data
        const uint64_t length = r.U16(at + 2);
        if (length < 2 || !r.Has(at + 2, length)) break;
        const std::string_view data = bytes.substr(static_cast<size_t>(at) + 4, static_cast<size_t>(length) - 2);
        if (marker == 0xE1 && head.thumbnail.empty() && data.size() > 6 &&
            data.substr(0, 6) == std::string_view("Exif\0\0", 6))
            head.thumbnail = ThumbnailOfTiff(data.substr(6));
        if (IsFrameHeader(marker) && data.size() >= 5) {
            const Reader frame(data, false);
            head.height = static_cast<int32_t>(frame.U16(1));
            head.width = static_cast<int32_t>(frame.U16(3));
            break;
        }
        at += 2 + length;
    }
    return head;
}

std::string ReadFileHead(const std::wstring& path, size_t limit) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes(limit, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(limit), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}
