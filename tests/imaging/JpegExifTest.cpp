// The JPEG head and EXIF block on crafted bytes at their limits: finding the block, making it fit
// for a saved picture, putting it into a newly encoded file; and one real save that carries it.
#include "imaging/GdiDIB.h"
#include "imaging/JpegExif.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace exif_test;

// A JPEG as an encoder writes it: JFIF, tables, frame, then the picture's data.
std::string EncodedJpeg(const std::string& extra = {}) {
    std::string bytes = "\xFF\xD8";
    bytes += Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    bytes += extra;
    bytes += Segment(0xDB, std::string(65, '\2'));
    bytes += Segment(0xC0, std::string("\x08\x00\x1E\x00\x28\x03", 6) + std::string(9, '\1'));
    return bytes + "\xFF\xDA" + Packed(8, 2, true) + "scan data\xFF\xD9";
}

} // namespace

TEST(JpegExif, FindsTheExifSegmentAndNothingOutOfPlace) {
    const std::string exif = ExifSegmentOf(Tiff{}.Bytes());
    const std::string xmp = Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
    const std::string file = EncodedJpeg(xmp + exif);
    EXPECT_EQ(ExifSegment(file), exif) << "after an APP1 that is not EXIF";
    // Cut anywhere before the block's end there is no block; from its end on there is the whole one.
    const size_t blockEnd = file.find(exif) + exif.size();
    for (size_t cut = 0; cut < file.size(); ++cut) {
        const std::string_view found = ExifSegment(std::string_view(file).substr(0, cut));
        EXPECT_EQ(found.empty(), cut < blockEnd) << cut;
    }
    EXPECT_EQ(ExifSegment(EncodedJpeg()), "");
    EXPECT_EQ(ExifSegment("\x89PNG\r\n\x1A\n" + exif), "") << "not a JPEG";
    EXPECT_EQ(ExifSegment("\xFF\xD8" + Segment(0xE1, std::string("Exif\0\0", 6))), "") << "no TIFF after the header";
    EXPECT_EQ(ExifSegment("\xFF\xD8\xFF\xE1" + Packed(1, 2, true) + exif), "") << "a length below 2";
    EXPECT_EQ(ExifSegment("\xFF\xD8\xFF\xDA" + exif), "") << "after the start of the picture's data";
}

TEST(JpegExif, TheSavedBlockKeepsTheCameraAndDateWithNormalOrientationAndNoThumbnail) {
    for (const bool little : {true, false}) {
        SCOPED_TRACE(little ? "little-endian" : "big-endian");
        const Tiff crafted{.little = little};
        const std::string original = ExifSegmentOf(crafted.Bytes());
        ASSERT_EQ(EmbeddedThumbnail(original.substr(10)), kThumb);
        const std::string saved = ExifForSavedPicture(original, 30, 40);
        ASSERT_EQ(saved.size(), original.size());
        const std::string tiff = saved.substr(10);
        EXPECT_EQ(tiff.substr(Tiff::kMake, kCamera.size()), kCamera);
        EXPECT_EQ(tiff.substr(Tiff::kDate, kTaken.size()), kTaken);
        EXPECT_EQ(ValueAt(tiff, Ifd0Entry(1), little, 2), 1u) << "orientation";
        EXPECT_EQ(ValueAt(tiff, ExifEntry(1), little, 2), 30u) << "pixel width";
        EXPECT_EQ(ValueAt(tiff, ExifEntry(2), little, 4), 40u) << "pixel height";
        EXPECT_EQ(NumberAt(tiff, Ifd0Entry(3), little, 4), 0u) << "IFD1 still linked";
        EXPECT_EQ(tiff.substr(Tiff::kThumbAt), std::string(kThumb.size(), '\0')) << "thumbnail bytes left";
        EXPECT_EQ(EmbeddedThumbnail(tiff), "");
        // Only those fields changed.
        size_t changed = 0;
        for (size_t i = 0; i < original.size(); ++i) changed += original[i] != saved[i];
        EXPECT_LE(changed, 2 + 2 + 4 + 4 + kThumb.size());
    }
    // A picture opened without a block gets one naming just the turn it still needs, if any.
    EXPECT_EQ(JpegOrientation("\xFF\xD8" + ExifForSavedPicture("", 30, 40, 6) + "\xFF\xDA"), 6u);
    EXPECT_EQ(ExifForSavedPicture("", 30, 40), "");
}

TEST(JpegExif, ASpoiledBlockIsDroppedOrKeptWithoutReadingPastItsEnd) {
    struct Case {
        const char* what;
        Tiff tiff;
        bool kept;
        bool thumbnailWiped;
    };
    const uint32_t end = static_cast<uint32_t>(Tiff{}.Bytes().size());
    const Case cases[] = {
        {"as a camera writes it", {}, true, true},
        {"IFD0 one past the end", {.ifd0At = end}, false, false},
        {"IFD0 entries past the end", {.ifd0Count = 0xFFFF}, false, false},
        {"IFD0 with no entries", {.ifd0Count = 0}, true, false},
        {"IFD1 back at IFD0", {.ifd1At = Tiff::kIfd0}, true, false},
        {"IFD1 one past the end", {.ifd1At = end}, true, false},
        {"thumbnail over IFD0", {.thumbAt = Tiff::kIfd0}, true, false},
        {"thumbnail one past the end", {.thumbLengthExtra = 1}, true, false},
        {"EXIF directory past the end", {.exifAt = 0xFFFFFFF0}, true, true},
        {"EXIF directory back at IFD0", {.exifAt = Tiff::kIfd0}, true, true},
        {"orientation written as a LONG", {.orientationType = 4}, true, true},
        {"orientation of no number type", {.orientationType = 2}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string original = ExifSegmentOf(c.tiff.Bytes());
        const std::string saved = ExifForSavedPicture(original, 30, 40);
        EXPECT_EQ(!saved.empty(), c.kept);
        if (saved.empty()) continue;
        ASSERT_EQ(saved.size(), original.size());
        const std::string tiff = saved.substr(10);
        EXPECT_EQ(EmbeddedThumbnail(tiff), "");
        EXPECT_EQ(tiff.substr(Tiff::kThumbAt) == std::string(kThumb.size(), '\0'), c.thumbnailWiped);
        if (c.tiff.ifd0Count == 3) {
            const uint32_t orientation = ValueAt(tiff, Ifd0Entry(1), true, c.tiff.orientationType == 4 ? 4 : 2);
            EXPECT_EQ(orientation, c.tiff.orientationType == 2 ? 6u : 1u);
            EXPECT_EQ(tiff.substr(Tiff::kMake, kCamera.size()), kCamera);
        }
    }
    // A width a SHORT cannot hold leaves that field as it was; a LONG takes it.
    const std::string wide = ExifForSavedPicture(ExifSegmentOf(Tiff{}.Bytes()), 70000, 40);
    EXPECT_EQ(ValueAt(wide.substr(10), ExifEntry(1), true, 2), 4000u);
    const std::string wideLong = ExifForSavedPicture(ExifSegmentOf(Tiff{.pixelXType = 4}.Bytes()), 70000, 40);
    EXPECT_EQ(ValueAt(wideLong.substr(10), ExifEntry(1), true, 4), 70000u);
    // The TIFF cut anywhere (its segment's length made to fit) is dropped or kept at its size.
    const std::string whole = Tiff{}.Bytes();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const std::string original = ExifSegmentOf(whole.substr(0, cut));
        const std::string saved = ExifForSavedPicture(original, 30, 40);
        EXPECT_TRUE(saved.empty() || saved.size() == original.size()) << cut;
        EXPECT_EQ(saved.empty(), cut < Tiff::kIfd0 + 42) << cut;
    }
    // Not one whole EXIF segment.
    const std::string sound = ExifSegmentOf(whole);
    EXPECT_EQ(ExifForSavedPicture(sound.substr(0, sound.size() - 1), 30, 40), "");
    EXPECT_EQ(ExifForSavedPicture(sound + "x", 30, 40), "");
    EXPECT_EQ(ExifForSavedPicture(Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0" + whole), 30, 40), "");
    EXPECT_EQ(ExifForSavedPicture(ExifSegmentOf("XX" + whole.substr(2)), 30, 40), "") << "no byte order";
    EXPECT_EQ(ExifForSavedPicture("", 30, 40), "");
}

TEST(JpegExif, TheBlockGoesRightAfterTheStartInPlaceOfTheEncodersOwn) {
    const std::string block = ExifSegmentOf(Tiff{}.Bytes());
    const std::string jfif = Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    const std::string encodersOwn = ExifSegmentOf(Tiff{.little = false}.Bytes());
    struct Case {
        const char* what;
        std::string encoded, expected;
    };
    const std::string rest = Segment(0xDB, std::string(65, '\2')) + "\xFF\xDA" + Packed(8, 2, true) + "scan\xFF\xD9";
    const Case cases[] = {
        {"after JFIF", "\xFF\xD8" + jfif + rest, "\xFF\xD8" + jfif + block + rest},
        {"no JFIF", "\xFF\xD8" + rest, "\xFF\xD8" + block + rest},
        {"the encoder's own first", "\xFF\xD8" + encodersOwn + rest, "\xFF\xD8" + block + rest},
        {"the encoder's own later", "\xFF\xD8" + jfif + rest.substr(0, 69) + encodersOwn + rest.substr(69),
         "\xFF\xD8" + jfif + block + rest},
        {"straight to the picture's data", std::string("\xFF\xD8\xFF\xDA", 4) + "data",
         "\xFF\xD8" + block + "\xFF\xDA" + "data"},
    };
    for (const Case& c : cases) {
        const std::string out = WithExifSegment(c.encoded, block);
        EXPECT_EQ(out, c.expected) << c.what;
        EXPECT_EQ(ExifSegment(out), block) << c.what;
    }
    // A head that does not reach the picture's data is not written with a block.
    const std::string encoded = "\xFF\xD8" + jfif + rest;
    for (size_t cut = 0; cut < encoded.find("\xFF\xDA"); ++cut)
        EXPECT_EQ(WithExifSegment(encoded.substr(0, cut), block), "") << cut;
    EXPECT_EQ(WithExifSegment("\x89PNG" + rest, block), "");
}

TEST(JpegExif, ASaveCarriesTheBlockAndAFailedOneLeavesTheFile) {
    const std::wstring folder = MakeTestFolder(L"jpegexif");
    const std::string block = ExifForSavedPicture(ExifSegmentOf(Tiff{}.Bytes()), 16, 8);
    ASSERT_FALSE(block.empty());
    GdipBitmap picture = SolidBitmap(16, 8, 0xFF3070B0u);
    const std::wstring path = folder + L"kept.jpg";
    ASSERT_TRUE(SaveJpegWithExif(picture.get(), path, 90, block));
    const std::string written = ReadTestFile(path);
    EXPECT_EQ(ExifSegment(written), block);
    EXPECT_EQ(written.find("Exif"), written.rfind("Exif")) << "one EXIF block";
    GdiDIB back;
    ASSERT_TRUE(back.Import(path));
    EXPECT_EQ(back.Width(), 16);
    EXPECT_LE(ChannelDistance(PixelAt(static_cast<GpBitmap*>(back.DIB()), 8, 4), 0xFF3070B0u), 8);
    // Without a block: a plain JPEG.
    ASSERT_TRUE(SaveJpegWithExif(picture.get(), folder + L"plain.jpg", 90, ""));
    EXPECT_EQ(ExifSegment(ReadTestFile(folder + L"plain.jpg")), "");
    // A target that cannot be replaced stays as it was.
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveJpegWithExif(SolidBitmap(4, 4, kRed).get(), path, 90, block));
    EXPECT_EQ(ReadTestFile(path), written);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(JpegExif, ReadFileHeadReadsUpToItsLimit) {
    const std::wstring folder = MakeTestFolder(L"jpegexif-head");
    ASSERT_TRUE(WriteTestFile(folder + L"ten", "0123456789"));
    EXPECT_EQ(ReadFileHead(folder + L"ten", 4), "0123");
    EXPECT_EQ(ReadFileHead(folder + L"ten", 10), "0123456789");
    EXPECT_EQ(ReadFileHead(folder + L"ten", SIZE_MAX), "0123456789");
    EXPECT_EQ(ReadFileHead(folder + L"ten", 0), "");
    EXPECT_EQ(ReadFileHead(folder + L"missing"), "");
}
