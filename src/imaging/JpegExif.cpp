#include "imaging/JpegExif.h"

#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

namespace {

constexpr uint8_t kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA;
constexpr uint8_t kApp0 = 0xE0, kApp1 = 0xE1;
constexpr std::string_view kExifHeader("Exif\0\0", 6);
constexpr std::string_view kJfifHeader("JFIF\0", 5);
constexpr size_t kExifTiffStart = 4 + kExifHeader.size(); // marker, length field, "Exif\0\0"

constexpr uint32_t kShort = 3, kLong = 4, kIfdPointer = 13;
constexpr uint32_t kOrientationTag = 0x112, kExifIfdTag = 0x8769;
constexpr uint32_t kPixelXTag = 0xA002, kPixelYTag = 0xA003;
constexpr uint32_t kThumbnailOffsetTag = 0x201, kThumbnailLengthTag = 0x202;

uint8_t ByteAt(std::string_view bytes, uint64_t at) {
    return static_cast<uint8_t>(bytes[static_cast<size_t>(at)]);
}

// Numbers of one byte order read out of bytes; callers check Has before they read.
class ByteReader {
public:
    ByteReader(std::string_view bytes, bool littleEndian) : bytes_(bytes), little_(littleEndian) {}
    // False when the n bytes at offset are not all there.
    [[nodiscard]] bool Has(uint64_t offset, uint64_t n) const {
        return offset <= bytes_.size() && n <= bytes_.size() - offset;
    }
    [[nodiscard]] uint32_t U16(uint64_t at) const { return Get(at, 2); }
    [[nodiscard]] uint32_t U32(uint64_t at) const { return Get(at, 4); }
    [[nodiscard]] bool Little() const { return little_; }

private:
    [[nodiscard]] uint32_t Get(uint64_t at, int n) const {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = (v << 8) | ByteAt(bytes_, at + static_cast<uint64_t>(little_ ? n - 1 - i : i));
        return v;
    }
    std::string_view bytes_;
    bool little_;
};

// The byte order and first directory of a TIFF block; nothing when its header is not sound.
struct TiffHeader {
    bool little = true;
    uint64_t ifd0 = 0;
};
std::optional<TiffHeader> ReadTiffHeader(std::string_view tiff) {
    if (tiff.size() < 8) return std::nullopt;
    TiffHeader header;
    if (tiff.substr(0, 2) == "II")
        header.little = true;
    else if (tiff.substr(0, 2) == "MM")
        header.little = false;
    else
        return std::nullopt;
    const ByteReader r(tiff, header.little);
    if (r.U16(2) != 42) return std::nullopt;
    header.ifd0 = r.U32(4);
    return header;
}

// One directory: where its entries begin and how many there are, all within the bytes. Its link
// to the next directory (4 bytes after the entries) is checked where it is read.
struct Ifd {
    uint64_t at = 0;
    uint32_t count = 0;
    [[nodiscard]] uint64_t Entry(uint32_t i) const { return at + 2 + 12ull * i; }
    [[nodiscard]] uint64_t Link() const { return Entry(count); }
    [[nodiscard]] uint64_t End() const { return Link() + 4; }
};
std::optional<Ifd> ReadIfd(const ByteReader& r, uint64_t at) {
    if (at == 0 || !r.Has(at, 2)) return std::nullopt;
    const Ifd ifd{at, r.U16(at)};
    if (!r.Has(at + 2, 12ull * ifd.count)) return std::nullopt;
    return ifd;
}

// The value of a one-number SHORT or LONG entry (an IFD pointer is a LONG).
std::optional<uint32_t> NumberOf(const ByteReader& r, uint64_t entry) {
    const uint32_t type = r.U16(entry + 2);
    if (r.U32(entry + 4) != 1) return std::nullopt;
    if (type == kShort) return r.U16(entry + 8);
    if (type == kLong || type == kIfdPointer) return r.U32(entry + 8);
    return std::nullopt;
}

// Where a directory's thumbnail lies: offset and length from tags 0x201 and 0x202.
struct ByteRange {
    uint64_t offset = 0, length = 0;
};
ByteRange ThumbnailRange(const ByteReader& r, const Ifd& ifd) {
    ByteRange range;
    for (uint32_t i = 0; i < ifd.count; ++i) {
        const uint64_t entry = ifd.Entry(i);
        const uint32_t tag = r.U16(entry);
        const std::optional<uint32_t> value = NumberOf(r, entry);
        if (!value) continue;
        if (tag == kThumbnailOffsetTag) range.offset = *value;
        if (tag == kThumbnailLengthTag) range.length = *value;
    }
    return range;
}

// Writes numbers of the block's byte order into a copy of the block.
class ByteWriter {
public:
    ByteWriter(std::string& bytes, size_t base, bool littleEndian)
        : bytes_(bytes), base_(base), little_(littleEndian) {}
    void Put(uint64_t at, uint32_t value, int n) {
        for (int i = 0; i < n; ++i) {
            const int shift = 8 * (little_ ? i : n - 1 - i);
            bytes_[base_ + static_cast<size_t>(at) + static_cast<size_t>(i)] = static_cast<char>(value >> shift);
        }
    }
    void Zero(uint64_t at, uint64_t n) {
        std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(base_ + at), static_cast<std::ptrdiff_t>(n), '\0');
    }

private:
    std::string& bytes_;
    size_t base_;
    bool little_;
};

// Sets a one-number SHORT or LONG entry to value; a SHORT that cannot hold it stays as it was.
void SetNumber(const ByteReader& r, ByteWriter& w, uint64_t entry, uint32_t value) {
    if (r.U32(entry + 4) != 1) return;
    const uint32_t type = r.U16(entry + 2);
    if (type == kShort && value <= 0xFFFF) {
        w.Put(entry + 8, value, 2);
        w.Put(entry + 10, 0, 2);
    } else if (type == kLong) {
        w.Put(entry + 8, value, 4);
    }
}

} // namespace

JpegHeadSegments WalkJpegHead(std::string_view bytes) {
    JpegHeadSegments walk;
    const ByteReader r(bytes, false);
    if (!r.Has(0, 2) || ByteAt(bytes, 0) != 0xFF || ByteAt(bytes, 1) != kStartOfImage) return walk;
    uint64_t at = 2;
    while (r.Has(at, 2) && ByteAt(bytes, at) == 0xFF) {
        const uint8_t marker = ByteAt(bytes, at + 1);
        if (marker == 0xFF) { // a fill byte before the marker
            ++at;
            continue;
        }
        if (marker == kStartOfScan) {
            walk.complete = true;
            break;
        }
        if (marker == kEndOfImage || !r.Has(at, 4)) break;
        const uint64_t length = r.U16(at + 2);
        if (length < 2 || !r.Has(at + 2, length)) break;
        walk.segments.push_back(
            JpegSegment{marker, static_cast<size_t>(at), static_cast<size_t>(length + 2),
                        bytes.substr(static_cast<size_t>(at) + 4, static_cast<size_t>(length) - 2)});
        at += 2 + length;
    }
    walk.end = static_cast<size_t>(at);
    return walk;
}

std::string_view ExifTiff(const JpegSegment& segment) {
    if (segment.marker != kApp1 || segment.data.size() <= kExifHeader.size() ||
        segment.data.substr(0, kExifHeader.size()) != kExifHeader)
        return {};
    return segment.data.substr(kExifHeader.size());
}

std::string_view EmbeddedThumbnail(std::string_view tiff) {
    const std::optional<TiffHeader> header = ReadTiffHeader(tiff);
    if (!header) return {};
    const ByteReader r(tiff, header->little);
    const std::optional<Ifd> ifd0 = ReadIfd(r, header->ifd0);
    if (!ifd0 || !r.Has(ifd0->Link(), 4)) return {};
    const uint64_t ifd1At = r.U32(ifd0->Link());
    if (ifd1At == ifd0->at) return {};
    const std::optional<Ifd> ifd1 = ReadIfd(r, ifd1At);
    if (!ifd1) return {};
    const ByteRange range = ThumbnailRange(r, *ifd1);
    if (range.offset == 0 || range.length < 4 || !r.Has(range.offset, range.length)) return {};
    const std::string_view thumbnail =
        tiff.substr(static_cast<size_t>(range.offset), static_cast<size_t>(range.length));
    if (ByteAt(thumbnail, 0) != 0xFF || ByteAt(thumbnail, 1) != kStartOfImage) return {};
    return thumbnail;
}

std::optional<uint32_t> TiffFirstNumber(std::string_view tiff, uint32_t tag) {
    const std::optional<TiffHeader> header = ReadTiffHeader(tiff);
    if (!header) return std::nullopt;
    const ByteReader r(tiff, header->little);
    const std::optional<Ifd> ifd0 = ReadIfd(r, header->ifd0);
    if (!ifd0) return std::nullopt;
    for (uint32_t i = 0; i < ifd0->count; ++i)
        if (const uint64_t entry = ifd0->Entry(i); r.U16(entry) == tag) return NumberOf(r, entry);
    return std::nullopt;
}

uint32_t ExifOrientation(std::string_view tiff) {
    const std::optional<uint32_t> value = TiffFirstNumber(tiff, kOrientationTag);
    return value && *value >= 1 && *value <= 8 ? *value : 0;
}

uint32_t JpegOrientation(std::string_view bytes) {
    for (const JpegSegment& segment : WalkJpegHead(bytes).segments)
        if (const std::string_view tiff = ExifTiff(segment); !tiff.empty()) return ExifOrientation(tiff);
    return 0;
}

uint32_t PictureOrientation(std::string_view bytes) {
    return bytes.substr(0, 2) == "\xFF\xD8" ? JpegOrientation(bytes) : ExifOrientation(bytes);
}

std::string_view ExifSegment(std::string_view bytes) {
    for (const JpegSegment& segment : WalkJpegHead(bytes).segments)
        if (!ExifTiff(segment).empty()) return bytes.substr(segment.start, segment.size);
    return {};
}

std::string ExifForSavedPicture(std::string_view segment, uint32_t width, uint32_t height, uint32_t orientation) {
    if (segment.empty()) {
        if (orientation < 2 || orientation > 8) return {};
        // A block of its own naming the turn alone: IFD0 of one entry right after the header, 34
        // bytes from the length field on.
        std::string block = std::string("\xFF\xE1\0\x22", 4) + std::string(kExifHeader) + "II*" + '\0';
        block.resize(block.size() + 4 + 2 + 12 + 4, '\0');
        ByteWriter w(block, kExifTiffStart, true);
        w.Put(4, 8, 4);
        w.Put(8, 1, 2);
        w.Put(10, kOrientationTag, 2);
        w.Put(12, kShort, 2);
        w.Put(14, 1, 4);
        w.Put(18, orientation, 2);
        return block;
    }
    // One whole segment, as ExifSegment gives it.
    const std::string alone = std::string("\xFF\xD8", 2) + std::string(segment);
    const JpegHeadSegments walk = WalkJpegHead(alone);
    if (walk.segments.size() != 1 || walk.segments[0].size != segment.size() || ExifTiff(walk.segments[0]).empty())
        return {};
    const std::string_view tiff = segment.substr(kExifTiffStart);
    const std::optional<TiffHeader> header = ReadTiffHeader(tiff);
    if (!header) return {};
    const ByteReader r(tiff, header->little);
    const std::optional<Ifd> ifd0 = ReadIfd(r, header->ifd0);
    if (!ifd0 || !r.Has(ifd0->Link(), 4)) return {};

    std::string block(segment);
    ByteWriter w(block, kExifTiffStart, header->little);
    uint64_t exifIfdAt = 0;
    // The parts a wiped thumbnail must not lie over: the header and the directories kept.
    std::vector<ByteRange> kept{{0, 8}, {ifd0->at, ifd0->End() - ifd0->at}};
    for (uint32_t i = 0; i < ifd0->count; ++i) {
        const uint64_t entry = ifd0->Entry(i);
        const uint32_t tag = r.U16(entry);
        // The turn the pixels saved still need: none, unless they could not be turned when opened.
        if (tag == kOrientationTag) SetNumber(r, w, entry, orientation);
        if (tag == kExifIfdTag) exifIfdAt = NumberOf(r, entry).value_or(0);
    }
    if (const std::optional<Ifd> exifIfd = exifIfdAt != ifd0->at ? ReadIfd(r, exifIfdAt) : std::nullopt) {
        kept.push_back({exifIfd->at, exifIfd->Link() - exifIfd->at});
        for (uint32_t i = 0; i < exifIfd->count; ++i) {
            const uint64_t entry = exifIfd->Entry(i);
            const uint32_t tag = r.U16(entry);
            if (tag == kPixelXTag) SetNumber(r, w, entry, width);
            if (tag == kPixelYTag) SetNumber(r, w, entry, height);
        }
    }
    // The thumbnail shows the picture before its edits (a crop would still show what was cut away):
    // its bytes are wiped unless they lie over the directories kept, and IFD1 is no longer linked.
    const uint64_t ifd1At = r.U32(ifd0->Link());
    if (const std::optional<Ifd> ifd1 = ifd1At != ifd0->at ? ReadIfd(r, ifd1At) : std::nullopt) {
        const ByteRange range = ThumbnailRange(r, *ifd1);
        const bool overKept = std::any_of(kept.begin(), kept.end(), [&](const ByteRange& k) {
            return range.offset < k.offset + k.length && k.offset < range.offset + range.length;
        });
        if (range.offset != 0 && r.Has(range.offset, range.length) && !overKept) w.Zero(range.offset, range.length);
    }
    w.Put(ifd0->Link(), 0, 4);
    return block;
}

std::string WithExifSegment(std::string_view jpeg, std::string_view segment) {
    const JpegHeadSegments walk = WalkJpegHead(jpeg);
    if (!walk.complete) return {};
    std::string out(jpeg.substr(0, 2));
    size_t next = 0;
    // A JFIF segment keeps its place right after the start of the image.
    if (!walk.segments.empty() && walk.segments[0].marker == kApp0 && walk.segments[0].start == 2 &&
        walk.segments[0].data.substr(0, kJfifHeader.size()) == kJfifHeader) {
        out += jpeg.substr(2, walk.segments[0].size);
        next = 1;
    }
    out += segment;
    size_t from = next < walk.segments.size() ? walk.segments[next].start : walk.end;
    for (size_t i = next; i < walk.segments.size(); ++i) {
        const JpegSegment& s = walk.segments[i];
        if (ExifTiff(s).empty()) continue;
        out += jpeg.substr(from, s.start - from);
        from = s.start + s.size;
    }
    out += jpeg.substr(from);
    return out;
}

bool SaveJpegWithExif(GpImage* image, const std::wstring& fileName, int32_t quality, std::string_view segment) {
    if (segment.empty()) return SaveImageSafely(image, fileName, kFormatJpeg, quality);
    return WriteThroughTemporaryFile(fileName, [&](const std::wstring& temporary) {
        // The platform's encoder writes the picture; the block goes in as the file is written again.
        if (!SaveImageSafely(image, temporary, kFormatJpeg, quality)) return false;
        const std::string spliced = WithExifSegment(ReadFileHead(temporary, SIZE_MAX), segment);
        if (spliced.empty()) return false;
        return WriteFileReplacing(temporary,
                                  {std::span(reinterpret_cast<const uint8_t*>(spliced.data()), spliced.size())});
    });
}

namespace {

// Sets the orientation in the first directory of the TIFF file at path, in place when it has an
// entry for it; otherwise that directory is written again at the file's end with the entry among
// the others (they go in tag order), and the header points there.
bool SetTiffOrientation(const std::wstring& path, uint32_t orientation) {
    UniqueFile file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) return false;
    const auto seek = [&](uint64_t at) {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(at);
        return at <= static_cast<uint64_t>(size.QuadPart) && ::SetFilePointerEx(file.get(), to, nullptr, FILE_BEGIN);
    };
    const auto read = [&](uint64_t at, uint32_t n) {
        std::string bytes(n, '\0');
        DWORD got = 0;
        if (!seek(at) || !::ReadFile(file.get(), bytes.data(), n, &got, nullptr) || got != n) bytes.clear();
        return bytes;
    };
    const auto write = [&](uint64_t at, std::string_view bytes) {
        DWORD put = 0;
        return seek(at) && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
               put == bytes.size();
    };
    const std::optional<TiffHeader> header = ReadTiffHeader(read(0, 8));
    const std::string countBytes = header ? read(header->ifd0, 2) : std::string();
    if (countBytes.empty()) return false;
    const uint32_t count = ByteReader(countBytes, header->little).U16(0);
    std::string directory = read(header->ifd0, 2 + 12 * count + 4);
    if (directory.empty() || count == 0xFFFF) return false;
    const ByteReader r(directory, header->little);
    ByteWriter w(directory, 0, header->little);
    uint32_t before = count; // the entry the new one goes before
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = 2 + 12ull * i;
        if (r.U16(entry) == kOrientationTag) {
            if (!NumberOf(r, entry)) return false;
            SetNumber(r, w, entry, orientation);
            return write(header->ifd0, directory);
        }
        if (r.U16(entry) > kOrientationTag && before == count) before = i;
    }
    std::string grown(2 + 12, '\0');
    ByteWriter g(grown, 0, header->little);
    g.Put(0, count + 1, 2);
    g.Put(2, kOrientationTag, 2);
    g.Put(4, kShort, 2);
    g.Put(6, 1, 4);
    g.Put(10, orientation, 2);
    grown.insert(2, directory, 2, 12 * before);
    grown += directory.substr(2 + 12 * before);
    // A directory begins on a word boundary.
    const auto end = static_cast<uint64_t>(size.QuadPart), at = end + (end & 1);
    if (at + grown.size() > 0xFFFFFFFFu) return false;
    std::string pointer(4, '\0');
    ByteWriter(pointer, 0, header->little).Put(0, static_cast<uint32_t>(at), 4);
    return write(end, std::string(static_cast<size_t>(at - end), '\0') + grown) && write(4, pointer);
}

} // namespace

bool SaveTiffWithOrientation(GpImage* image, const std::wstring& fileName, uint32_t orientation) {
    if (orientation < 2 || orientation > 8) return SaveImageSafely(image, fileName, kFormatTiff, 0);
    return WriteThroughTemporaryFile(fileName, [&](const std::wstring& temporary) {
        return SaveImageSafely(image, temporary, kFormatTiff, 0) && SetTiffOrientation(temporary, orientation);
    });
}

std::string ReadFileHead(const std::wstring& path, size_t limit) {
    UniqueFile file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {};
    const size_t wanted =
        static_cast<size_t>(std::min<uint64_t>({static_cast<uint64_t>(size.QuadPart), limit, 0x7FFFFFFFu}));
    std::string bytes(wanted, '\0');
    DWORD read = 0;
    if (wanted > 0 && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(wanted), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}
