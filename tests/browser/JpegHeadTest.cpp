// The JPEG head reader on crafted bytes at their limits, and a cell
// picture taken from a real embedded thumbnail without decoding the picture.
#include "browser/ThumbnailMaker.h"
#include "imaging/JpegHead.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/imaging/ExifTestBytes.h"

#include <gtest/gtest.h>

namespace {

// v in `bytes` bytes, most significant first (big) or last.
std::string Packed(uint32_t v, int bytes, bool big) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * (big ? bytes - 1 - i : i)));
    return out;
}
std::string Be16(uint32_t v) {
    return Packed(v, 2, true);
}

std::string Segment(uint8_t marker, const std::string& data) {
    return std::string("\xFF") + static_cast<char>(marker) + Be16(static_cast<uint32_t>(data.size() + 2)) + data;
}

const std::string kThumb = "\xFF\xD8 a small picture \xFF\xD9";

// A TIFF block with an empty IFD0 at 8 linking to IFD1 at 14, which names the thumbnail stored
// right after it; the fields can be spoiled one by one.
struct Tiff {
    bool little = true;
    uint32_t ifd0 = 8;
    uint32_t ifd1 = 14;
    uint32_t count = 2;
    int32_t offsetShift = 0; // added to the thumbnail's true offset
    uint32_t lengthExtra = 0;
    std::string thumb = kThumb;
    uint32_t orientation = 0; // when set, IFD0 holds it as its one entry and the rest moves down

    [[nodiscard]] std::string Bytes() const {
        auto u16 = [&](uint32_t v) { return Packed(v, 2, !little); };
        auto u32 = [&](uint32_t v) { return Packed(v, 4, !little); };
        const uint32_t shift = orientation ? 12 : 0;
        const uint32_t at = 14 + shift + 2 + 2 * 12 + 4;
        std::string t = (little ? "II" : "MM") + u16(42) + u32(ifd0);
        if (orientation)
            t += u16(1) + u16(0x112) + u16(3) + u32(1) + u16(orientation) + u16(0) + u32(ifd1 + shift);
        else
            t += u16(0) + u32(ifd1); // IFD0: no entries, then the link
        t += u16(count);
        t += u16(0x201) + u16(4) + u32(1) + u32(static_cast<uint32_t>(static_cast<int32_t>(at) + offsetShift));
        t += u16(0x202) + u16(4) + u32(1) + u32(static_cast<uint32_t>(thumb.size()) + lengthExtra);
        t += u32(0);
        return t + thumb;
    }
};

std::string Jpeg(const std::string& tiff, bool frame = true) {
    std::string bytes = "\xFF\xD8";
    bytes += Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    bytes += Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
    if (frame) bytes += Segment(0xC2, std::string("\x08", 1) + Be16(1200) + Be16(1600) + "\x03" + std::string(9, '\1'));
    return bytes + "\xFF\xDA" + Be16(8) + "......";
}

} // namespace

TEST(JpegHead, FindsTheThumbnailAndRefusesWhatIsOutOfPlace) {
    struct Case {
        const char* what;
        Tiff tiff;
        bool found;
    };
    const Case cases[] = {
        {"little-endian", {}, true},
        {"big-endian", {.little = false}, true},
        {"offset one past", {.offsetShift = static_cast<int32_t>(kThumb.size()) + 1}, false},
        {"length one past", {.lengthExtra = 1}, false},
        {"IFD1 back at IFD0", {.ifd1 = 8}, false},
        {"no IFD1", {.ifd1 = 0}, false},
        {"IFD1 past the end", {.ifd1 = 0xFFFFFFF0u}, false},
        {"IFD0 past the end", {.ifd0 = 0xFFFFFFFFu}, false},
        {"entries past the end", {.count = 0xFFFF}, false},
        {"zero entries", {.count = 0}, false},
        {"not a JPEG stream", {.thumb = "GIF89a not a jpeg"}, false},
    };
    for (const Case& c : cases) {
        const std::string bytes = Jpeg(c.tiff.Bytes());
        const JpegHead head = ReadJpegHead(bytes);
        EXPECT_EQ(head.thumbnail == kThumb, c.found) << c.what;
        EXPECT_EQ(head.thumbnail.empty(), !c.found) << c.what;
        EXPECT_EQ(head.width, 1600) << c.what;
        EXPECT_EQ(head.height, 1200) << c.what;
    }
    // Cut anywhere, the reader reads no further than it was given.
    const std::string whole = Jpeg(Tiff{}.Bytes());
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const JpegHead head = ReadJpegHead(std::string_view(whole).substr(0, cut));
        EXPECT_TRUE(head.thumbnail.empty() || head.thumbnail == kThumb) << cut;
        EXPECT_TRUE(head.width == 0 || head.width == 1600) << cut;
    }
    EXPECT_EQ(ReadJpegHead(Jpeg(Tiff{}.Bytes(), false)).width, 0);
    EXPECT_EQ(ReadJpegHead("\xFF\xD8\xFF\xE1" + Be16(0)).thumbnail, "");
    EXPECT_EQ(ReadJpegHead("\x89PNG\r\n").width, 0);
}

TEST(JpegHead, ACellUsesALargeEnoughEmbeddedThumbnail) {
    const std::wstring folder = MakeTestFolder(L"jpeg-head");
    WriteSolidImage(folder + L"main.jpg", 1600, 1200, ColorARGB(255, 220, 0, 0), kFormatJpeg);
    WriteSolidImage(folder + L"thumb.jpg", 160, 120, ColorARGB(255, 0, 0, 220), kFormatJpeg);
    const std::string main = ReadTestFile(folder + L"main.jpg");
    Tiff tiff;
    tiff.thumb = ReadTestFile(folder + L"thumb.jpg");
    const std::string spliced =
        main.substr(0, 2) + Segment(0xE1, std::string("Exif\0\0", 6) + tiff.Bytes()) + main.substr(2);
    ASSERT_TRUE(WriteTestFile(folder + L"camera.jpg", spliced));

    // The 100-pixel cell comes from the thumbnail; the size is the picture's own.
    const CellPicture small = MakeCellPicture(folder + L"camera.jpg", 100, 100);
    EXPECT_EQ(small.imageWidth, 1600);
    EXPECT_EQ(small.imageHeight, 1200);
    ASSERT_TRUE(small.bitmap);
    EXPECT_LE(ChannelDistance(PixelAt(small.bitmap.get(), 50, 37), ColorARGB(255, 0, 0, 220)), 12);
    // A 200-pixel cell is larger than the thumbnail: the picture is decoded.
    const CellPicture large = MakeCellPicture(folder + L"camera.jpg", 200, 200);
    ASSERT_TRUE(large.bitmap);
    EXPECT_LE(ChannelDistance(PixelAt(large.bitmap.get(), 100, 75), ColorARGB(255, 220, 0, 0)), 12);
    // A spoiled block falls back to the picture too.
    tiff.lengthExtra = 100000;
    ASSERT_TRUE(
        WriteTestFile(folder + L"spoiled.jpg",
                      main.substr(0, 2) + Segment(0xE1, std::string("Exif\0\0", 6) + tiff.Bytes()) + main.substr(2)));
    const CellPicture spoiled = MakeCellPicture(folder + L"spoiled.jpg", 100, 100);
    ASSERT_TRUE(spoiled.bitmap);
    EXPECT_LE(ChannelDistance(PixelAt(spoiled.bitmap.get(), 50, 37), ColorARGB(255, 220, 0, 0)), 12);
}

TEST(JpegHead, ACellIsTurnedUprightWhetherMadeFromTheThumbnailOrThePicture) {
    // The picture and its thumbnail in quarters of colours of their own: a cell tells both which one
    // it was made from and how it was turned.
    const std::vector<uint32_t> picture{kRed, ColorARGB(255, 0, 200, 0), kBlue, kWhite},
        thumb{ColorARGB(255, 0, 210, 210), ColorARGB(255, 210, 0, 210), kBlack, ColorARGB(255, 240, 220, 0)};
    const std::wstring folder = MakeTestFolder(L"jpeg-head-turned");
    for (const auto& [name, colours, w, h] :
         {std::tuple{L"main.jpg", picture, 400, 300}, {L"thumb.jpg", thumb, 160, 120}}) {
        GdipBitmap quarters =
            BitmapOf(w, h, [&](int x, int y) { return colours[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)]; });
        ASSERT_TRUE(SaveImageSafely(quarters.get(), folder + name, kFormatJpeg, 100));
    }
    for (uint32_t orientation = 1; orientation <= 8; ++orientation) {
        const std::wstring path = folder + L"phone" + std::to_wstring(orientation) + L".jpg";
        Tiff tiff{.orientation = orientation};
        tiff.thumb = ReadTestFile(folder + L"thumb.jpg");
        ASSERT_TRUE(
            WriteTestFile(path, exif_test::WithSegment(ReadTestFile(folder + L"main.jpg"),
                                                       Segment(0xE1, std::string("Exif\0\0", 6) + tiff.Bytes()))));
        const bool swapped = orientation >= 5;
        // 100: from the thumbnail; 200: larger than the thumbnail, so from the picture.
        for (const float box : {100.0f, 200.0f}) {
            SCOPED_TRACE(std::to_string(orientation) + " in " + std::to_string(box));
            const CellPicture cell = MakeCellPicture(path, box, box);
            EXPECT_EQ(cell.imageWidth, swapped ? 300 : 400);
            ASSERT_TRUE(cell.bitmap);
            int w = 0, h = 0;
            const std::vector<uint32_t> pixels = AllPixels(cell.bitmap.get(), w, h);
            EXPECT_EQ(w, swapped ? static_cast<int>(box) * 3 / 4 : static_cast<int>(box));
            const int sw = swapped ? h : w, sh = swapped ? w : h; // the cell's size as stored
            for (const int q : {0, 1, 2, 3}) {
                const int x = (q % 2 * 2 + 1) * w / 4, y = (q / 2 * 2 + 1) * h / 4;
                const exif_test::StoredAt at = exif_test::StoredPoint(orientation, x, y, sw, sh);
                const uint32_t expected =
                    (box < 150 ? thumb : picture)[(at.y < sh / 2 ? 0 : 2) + (at.x < sw / 2 ? 0 : 1)];
                EXPECT_LE(ChannelDistance(pixels[static_cast<size_t>(y * w + x)], expected), 40) << x << ", " << y;
            }
        }
    }
}

TEST(ThumbnailMaker, ReductionAveragesInsteadOfPickingPixels) {
    // One-pixel stripes reduced eightfold: every target pixel the average grey, not a stripe; for
    // a picture with alpha and for one without.
    for (PixelFormat format : {PixelFormat32bppARGB, PixelFormat24bppRGB}) {
        GdipBitmap stripes;
        ASSERT_EQ(GdipCreateBitmapFromScan0(800, 64, 0, format, nullptr, stripes.put()), Ok);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 800; ++x) GdipBitmapSetPixel(stripes.get(), x, y, x % 2 ? kWhite : kBlack);
        GdipBitmap reduced = ReduceImage(stripes.get(), 100, 8);
        ASSERT_TRUE(reduced);
        for (int x : {0, 1, 50, 99})
            EXPECT_LE(ChannelDistance(PixelAt(reduced.get(), x, 4), ColorARGB(255, 128, 128, 128)), 2) << x;
    }
}

TEST(ThumbnailMaker, AReducedPictureKeepsItsPaletteTransparency) {
    // A 40 x 20 GIF: palette red and black, black the transparent entry; the left half red, the
    // right half clear.
    static const unsigned char kGif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x28, 0x00, 0x14, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x28, 0x00,
        0x14, 0x00, 0x00, 0x02, 0x39, 0x84, 0x8f, 0x99, 0xc1, 0xed, 0xff, 0x94, 0x94, 0xb0, 0xd6, 0x89, 0x8f,
        0xdd, 0x2d, 0x67, 0xce, 0x79, 0x18, 0xb8, 0x89, 0x13, 0x69, 0x99, 0x14, 0x0a, 0xa9, 0x0a, 0xdb, 0xba,
        0x08, 0x1c, 0xc9, 0x1a, 0xdd, 0xd9, 0x06, 0x9e, 0xeb, 0x3c, 0xa3, 0xdb, 0xfd, 0x82, 0x80, 0x5f, 0x80,
        0x68, 0x44, 0x0e, 0x83, 0x49, 0xe6, 0xd2, 0xf7, 0xb4, 0x19, 0x0b, 0x00, 0x3b};
    const std::wstring folder = MakeTestFolder(L"thumb-gif");
    ASSERT_TRUE(WriteTestFile(folder + L"clear.gif", std::string(std::begin(kGif), std::end(kGif))));
    // Shown whole and reduced to half, the clear half stays clear, as the canvas shows it.
    for (float box : {40.0f, 20.0f}) {
        SCOPED_TRACE(box);
        const CellPicture cell = MakeCellPicture(folder + L"clear.gif", box, box);
        ASSERT_TRUE(cell.bitmap);
        const int w = static_cast<int>(box);
        EXPECT_LE(ChannelDistance(PixelAt(cell.bitmap.get(), w / 4, w / 8), kRed), 2);
        EXPECT_EQ(PixelAt(cell.bitmap.get(), w * 3 / 4, w / 8) >> 24, 0u);
    }
}
