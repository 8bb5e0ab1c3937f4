// Photographs (and TIFF files) shown upright by their EXIF orientation: each of the eight values
// pinned by pixels on a picture made here, the public set's photographs all alike to the upright one, and the tag
// read from crafted bytes at its limits.
#include "imaging/BoxReduce.h"
#include "imaging/GdiDIB.h"
#include "imaging/JpegExif.h"
#include "tests/imaging/ExifTestBytes.h"
#include "tests/imaging/ImagingTestSupport.h"

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
        const std::string jpeg = WithSegment(StoredJpeg(), ExifSegmentOf(OrientationTiff(orientation)));
        const std::string tiff = RgbTiff(kW, kH, {StoredColour}, orientation);
        // By its bytes, whatever its name: the screen saver's copies are named ".dat".
        for (const auto& [ext, file] : {std::pair{L".jpg", &jpeg}, {L".dat", &jpeg}, {L".tif", &tiff}}) {
            const std::wstring path = folder + std::to_wstring(orientation) + ext;
            ASSERT_TRUE(WriteTestFile(path, *file));
            GdiDIB image;
            ASSERT_TRUE(image.Import(path));
            EXPECT_EQ(image.Width(), swapped ? kH : kW);
            EXPECT_EQ(image.Height(), swapped ? kW : kH);
            const int w = static_cast<int>(image.Width()), h = static_cast<int>(image.Height());
            // The middle of each quarter of the upright picture.
            for (const POINT p :
                 {POINT{w / 4, h / 4}, POINT{3 * w / 4, h / 4}, POINT{w / 4, 3 * h / 4}, POINT{3 * w / 4, 3 * h / 4}}) {
                const StoredAt stored = StoredPoint(known ? orientation : 1, p.x, p.y, kW, kH);
                EXPECT_LE(ChannelDistance(PixelAt(reinterpret_cast<GpBitmap*>(image.DIB()), p.x, p.y),
                                          StoredColour(stored.x, stored.y)),
                          48)
                    << Narrow(ext) << " at " << p.x << ", " << p.y;
            }
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
    const std::string sound = OrientationTiff(6);
    const std::pair<std::string, uint32_t> cases[] = {
        {sound, 6},
        {OrientationTiff(6, false), 6},
        {OrientationTiff(8, true, 4), 8},
        {OrientationTiff(1), 1},
        {OrientationTiff(0), 0},
        {OrientationTiff(9), 0},
        {OrientationTiff(6, true, 3, 2), 0},
        {OrientationTiff(6, true, 2), 0},
        {Tiff{}.Bytes(), 6},
        {"XX" + sound.substr(2), 0},
        {sound.substr(0, 4) + Packed(static_cast<uint32_t>(sound.size()), 4, false) + sound.substr(8), 0},
        {Tiff{}.Bytes().replace(Ifd0Entry(1), 2, Packed(0x113, 2, false)), 0}};
    for (const auto& [tiff, read] : cases) {
        EXPECT_EQ(ExifOrientation(tiff), read) << testing::PrintToString(tiff);
        EXPECT_EQ(PictureOrientation(tiff), read); // a TIFF file is laid out as the block is
        EXPECT_EQ(JpegOrientation(WithSegment(StoredJpeg(), ExifSegmentOf(tiff))), read);
    }
    // Only the first block counts, before the picture's data; cut anywhere, nothing past the cut is read.
    EXPECT_EQ(JpegOrientation(WithSegment(StoredJpeg(), ExifSegmentOf(OrientationTiff(3)) + ExifSegmentOf(sound))), 3u);
    EXPECT_EQ(JpegOrientation("\xFF\xD8\xFF\xDA" + ExifSegmentOf(sound)), 0u);
    const std::string whole = WithSegment(StoredJpeg(), ExifSegmentOf(sound));
    const size_t blockEnd = 2 + ExifSegmentOf(sound).size();
    for (size_t cut = 0; cut < blockEnd + 4; ++cut)
        EXPECT_EQ(JpegOrientation(std::string_view(whole).substr(0, cut)), cut < blockEnd ? 0u : 6u) << cut;
}
