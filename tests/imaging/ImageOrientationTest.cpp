// Photographs shown upright by their EXIF orientation: each of the eight values pinned by pixels
// on a picture made here, the public set's photographs all alike to the upright one, the tag read
// from crafted bytes at its limits, and what stays as stored.
#include "imaging/BoxReduce.h"
#include "imaging/GdiDIB.h"
#include "imaging/JpegExif.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <cmath>

namespace {

using namespace exif_test;

constexpr int kW = 64, kH = 32;
constexpr uint32_t kGreen = ColorARGB(255, 0, 200, 0), kYellow = ColorARGB(255, 240, 220, 0);

// The stored picture: four quadrants of their own colour, each a whole number of the encoder's
// blocks, so that the JPEG keeps them apart.
uint32_t StoredColour(int x, int y) {
    const uint32_t quadrants[4] = {kRed, kGreen, kBlue, kYellow};
    return quadrants[(y < kH / 2 ? 0 : 2) + (x < kW / 2 ? 0 : 1)];
}

// The stored picture encoded as a JPEG without any EXIF block.
const std::string& StoredJpeg() {
    static const std::string bytes = [] {
        const std::wstring path = MakeTestFolder(L"orientation-source") + L"stored.jpg";
        GdipBitmap picture = BitmapOf(kW, kH, StoredColour);
        return SaveImageSafely(picture.get(), path, kFormatJpeg, 100) ? ReadTestFile(path) : std::string();
    }();
    return bytes;
}

// The mean over all pixels of the largest channel difference; a large number for unequal sizes.
double MeanDistance(GpBitmap* a, GpBitmap* b) {
    int aw = 0, ah = 0, bw = 0, bh = 0;
    const std::vector<uint32_t> pa = AllPixels(a, aw, ah), pb = AllPixels(b, bw, bh);
    if (aw != bw || ah != bh || pa.empty()) return 1e9;
    double sum = 0;
    for (size_t i = 0; i < pa.size(); ++i) sum += ChannelDistance(pa[i], pb[i]);
    return sum / static_cast<double>(pa.size());
}

// The picture of a file upright and reduced to a size of about 30 x 20 (turned as it shows).
GdipBitmap Reduced(const std::wstring& path) {
    GdiDIB image;
    if (!image.Import(path)) return {};
    const bool tall = image.Height() > image.Width();
    GdipBitmap small;
    GdipCreateBitmapFromScan0(tall ? 20 : 30, tall ? 30 : 20, 0, PixelFormat32bppPARGB, nullptr, small.put());
    if (!AverageInto(reinterpret_cast<GpBitmap*>(image.DIB()), small.get())) return {};
    return small;
}

} // namespace

TEST(ImageOrientation, EachValueShowsThePictureUprightAndUnknownOnesAsStored) {
    ASSERT_FALSE(StoredJpeg().empty());
    const std::wstring folder = MakeTestFolder(L"orientation");
    for (const uint32_t orientation : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 0xFFFFu}) {
        SCOPED_TRACE(orientation);
        const bool known = orientation >= 1 && orientation <= 8;
        const bool swapped = orientation >= 5 && orientation <= 8;
        const std::string file = WithSegment(StoredJpeg(), ExifSegmentOf(OrientationTiff(orientation)));
        // By its bytes, whatever its name: the screen saver's copies are named ".dat".
        for (const wchar_t* ext : {L".jpg", L".dat"}) {
            const std::wstring path = folder + std::to_wstring(orientation) + ext;
            ASSERT_TRUE(WriteTestFile(path, file));
            GdiDIB image;
            ASSERT_TRUE(image.Import(path));
            EXPECT_EQ(image.Width(), swapped ? kH : kW);
            EXPECT_EQ(image.Height(), swapped ? kW : kH);
            const int w = static_cast<int>(image.Width()), h = static_cast<int>(image.Height());
            // The middle of each quarter of the upright picture, and its corners inset by 3.
            for (const POINT p : {POINT{w / 4, h / 4}, POINT{3 * w / 4, h / 4}, POINT{w / 4, 3 * h / 4},
                                  POINT{3 * w / 4, 3 * h / 4}, POINT{3, 3}, POINT{w - 4, h - 4}}) {
                const StoredAt stored = StoredPoint(known ? orientation : 1, p.x, p.y, kW, kH);
                EXPECT_LE(ChannelDistance(PixelAt(reinterpret_cast<GpBitmap*>(image.DIB()), p.x, p.y),
                                          StoredColour(stored.x, stored.y)),
                          48)
                    << Narrow(ext) << " at " << p.x << ", " << p.y;
            }
            // Left as stored, it tells the turn.
            uint32_t told = 99;
            const GdipImage stored(LoadImageAsStored(path, told));
            UINT sw = 0;
            ASSERT_TRUE(stored);
            GdipGetImageWidth(stored.get(), &sw);
            EXPECT_EQ(sw, static_cast<UINT>(kW));
            EXPECT_EQ(told, known ? orientation : 0u);
        }
    }
}

TEST(ImageOrientation, ThePublicSetsPhotographsEachShowAsTheUprightOne) {
    SKIP_WITHOUT_CORPUS();
    const std::wstring folder = CorpusFolder() + L"exif-orientation\\";
    for (const wchar_t* kind : {L"Landscape", L"Portrait"}) {
        const GdipBitmap upright = Reduced(folder + kind + L"_1.jpg");
        ASSERT_TRUE(upright) << Narrow(kind);
        for (int n = 0; n <= 8; ++n) {
            const std::wstring name = std::wstring(kind) + L"_" + std::to_wstring(n) + L".jpg";
            const GdipBitmap shown = Reduced(folder + name);
            ASSERT_TRUE(shown) << Narrow(name);
            // The same photograph encoded again: alike within the encoder's loss, where a mirror or
            // a turn of it differs by a third of the scale.
            EXPECT_LT(MeanDistance(shown.get(), upright.get()), 12.0) << Narrow(name);
        }
    }
}

TEST(ImageOrientation, TheTagIsReadOnlyWhereItIsSound) {
    struct Case {
        const char* what;
        std::string tiff;
        uint32_t read;
    };
    const std::string sound = OrientationTiff(6);
    const Case cases[] = {
        {"little-endian SHORT", sound, 6},
        {"big-endian SHORT", OrientationTiff(6, false), 6},
        {"a LONG", OrientationTiff(8, true, 4), 8},
        {"the first value", OrientationTiff(1), 1},
        {"the last value", OrientationTiff(8), 8},
        {"zero", OrientationTiff(0), 0},
        {"one past the last", OrientationTiff(9), 0},
        {"two numbers", OrientationTiff(6, true, 3, 2), 0},
        {"text", OrientationTiff(6, true, 2), 0},
        {"IFD0 one past the end",
         sound.substr(0, 4) + Packed(static_cast<uint32_t>(sound.size()), 4, false) + sound.substr(8), 0},
        {"its entry cut off", sound.substr(0, sound.size() - 5), 0},
        {"no such tag", Tiff{}.Bytes().replace(Ifd0Entry(1), 2, Packed(0x113, 2, false)), 0},
        {"a camera's block", Tiff{}.Bytes(), 6},
        {"not TIFF", "XX" + sound.substr(2), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExifOrientation(c.tiff), c.read) << c.what;
        EXPECT_EQ(JpegOrientation(WithSegment(StoredJpeg(), ExifSegmentOf(c.tiff))), c.read) << c.what;
    }
    // Only the first EXIF block counts, and only before the picture's data.
    EXPECT_EQ(JpegOrientation(
                  WithSegment(StoredJpeg(), ExifSegmentOf(OrientationTiff(3)) + ExifSegmentOf(OrientationTiff(6)))),
              3u);
    EXPECT_EQ(JpegOrientation("\xFF\xD8\xFF\xDA" + ExifSegmentOf(sound)), 0u);
    EXPECT_EQ(JpegOrientation(ExifSegmentOf(sound)), 0u) << "not a JPEG";
    // Cut anywhere, the reader reads no further than it was given.
    const std::string whole = WithSegment(StoredJpeg(), ExifSegmentOf(sound));
    const size_t blockEnd = 2 + ExifSegmentOf(sound).size();
    for (size_t cut = 0; cut < blockEnd + 4; ++cut)
        EXPECT_EQ(JpegOrientation(std::string_view(whole).substr(0, cut)), cut < blockEnd ? 0u : 6u) << cut;
}

TEST(ImageOrientation, APictureThatIsNotAJpegStaysAsStored) {
    // A 4 x 2 uncompressed TIFF whose own orientation tag says 6: only a JPEG's EXIF block turns.
    const auto u16 = [](uint32_t v) { return Packed(v, 2, false); };
    const auto u32 = [](uint32_t v) { return Packed(v, 4, false); };
    const auto entry = [&](uint32_t tag, uint32_t type, uint32_t value) {
        return u16(tag) + u16(type) + u32(type == 3 && tag == 258 ? 3 : 1) +
               (type == 3 && tag != 258 ? u16(value) + u16(0) : u32(value));
    };
    constexpr uint32_t kBits = 8 + 2 + 10 * 12 + 4, kPixels = kBits + 6;
    std::string tiff = "II" + u16(42) + u32(8) + u16(10);
    tiff += entry(256, 3, 4) + entry(257, 3, 2) + entry(258, 3, kBits) + entry(259, 3, 1) + entry(262, 3, 2);
    tiff += entry(273, 4, kPixels) + entry(274, 3, 6) + entry(277, 3, 3) + entry(278, 3, 2) + entry(279, 4, 24);
    tiff += u32(0) + u16(8) + u16(8) + u16(8);
    for (int i = 0; i < 8; ++i) tiff += i == 0 ? std::string("\xFF\x00\x00", 3) : std::string("\x00\x00\xFF", 3);
    const std::wstring path = MakeTestFolder(L"orientation-tiff") + L"turned.tif";
    ASSERT_TRUE(WriteTestFile(path, tiff));
    GdiDIB image;
    ASSERT_TRUE(image.Import(path));
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_LE(ChannelDistance(PixelAt(reinterpret_cast<GpBitmap*>(image.DIB()), 0, 0), kRed), 2);
}
