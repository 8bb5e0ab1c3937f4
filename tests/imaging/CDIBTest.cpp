#include "imaging/CDIB.h"
#include "imaging/GdiDIB.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

uint32_t Read32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

// The 32 bpp pixel of image line y (0 at the top) as ARGB.
uint32_t DibPixel(const CDIB& dib, int x, int y) {
    const uint8_t* p = dib.lpBits() + static_cast<size_t>(dib.Height() - 1 - y) * dib.BytesPerScanline() + x * 4;
    return ColorARGB(p[3], p[2], p[1], p[0]);
}

uint32_t DibRgb(const CDIB& dib, int x, int y) {
    return DibPixel(dib, x, y) & 0x00FFFFFFu;
}

void SetDibPixel(CDIB& dib, int x, int y, uint32_t argb) {
    uint8_t* p = dib.lpBits() + static_cast<size_t>(dib.Height() - 1 - y) * dib.BytesPerScanline() + x * 4;
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(argb >> (8 * i));
}

// A GDI+ bitmap whose pixel (x, y) is a colour made from x and y, alpha included.
GdipBitmap PatternBitmap(int w, int h) {
    return BitmapOf(w, h, [](int x, int y) {
        return ColorARGB(static_cast<uint8_t>(255 - x * 7), static_cast<uint8_t>(x * 9), static_cast<uint8_t>(y * 11),
                         static_cast<uint8_t>(x + y));
    });
}

} // namespace

TEST(CDIBCreate, SizesBeyond32BitArithmeticAreRefusedWithoutMakingAnything) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(4, 4, 32));
    EXPECT_FALSE(dib.Create(70000, 70000, 32));
    EXPECT_EQ(dib.hDIB(), nullptr);
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_FALSE(dib.Create(0x7FFFFFF0, 1, 32));
    EXPECT_FALSE(dib.Create(0, 10, 32));
    EXPECT_FALSE(dib.Create(10, -10, 32));
    EXPECT_EQ(dib.hDC(), nullptr);
    EXPECT_EQ(dib.Size(), 0);
}

TEST(CDIBEmpty, WithoutA32BitSectionMembersAndCopiesDoNothing) {
    CDIB empty;
    empty.Cls(RGB(1, 2, 3));
    empty.Reset();
    empty.SetPalette(std::vector<uint8_t>(16, 7));
    EXPECT_TRUE(empty.GetPalette().empty());
    EXPECT_EQ(empty.LoadBlt(nullptr, 0, 0), FALSE);
    EXPECT_EQ(empty.Stretch(nullptr, 0, 0, 1, 1, 0, 0), FALSE);
    EXPECT_EQ(empty.image(), nullptr);
    const std::wstring path = MakeTestFolder(L"emptysave") + L"none.bmp";
    EXPECT_FALSE(empty.Save(path));
    EXPECT_FALSE(FileExistsForTest(path));
    CDIB other;
    ASSERT_TRUE(other.Create(2, 2, 32));
    EXPECT_FALSE(empty.CloneTo(other));
    EXPECT_EQ(other.hDIB(), nullptr);

    // The GDI+ copies need 32 bits per pixel; anything else would overrun the section.
    GdipBitmap bitmap = PatternBitmap(4, 4);
    CDIB rgb;
    ASSERT_TRUE(rgb.Create(4, 4, 24));
    std::memset(rgb.lpBits(), 0x5A, static_cast<size_t>(rgb.Size()));
    for (CDIB* dib : {&empty, &rgb}) {
        EXPECT_FALSE(GdipImageToDIB(*dib, bitmap.get()));
        EXPECT_EQ(DIBToGdipBitmap(*dib), nullptr);
    }
    for (int i = 0; i < rgb.Size(); ++i) ASSERT_EQ(rgb.lpBits()[i], 0x5A) << "byte " << i;
}

TEST(CDIBCopies, AGdipImageArrivesUprightAndComesBackUnchanged) {
    GdipBitmap source = PatternBitmap(6, 4);
    GdipBitmapSetPixel(source.get(), 0, 0, 0xFFFF0000u); // red top-left
    CDIB dib;
    ASSERT_TRUE(dib.Create(6, 4, 32));
    ASSERT_TRUE(GdipImageToDIB(dib, source.get()));
    // The image's top row is the section's last stored row.
    const uint8_t* lastRow = dib.lpBits() + 3 * dib.BytesPerScanline();
    EXPECT_EQ(lastRow[0], 0);
    EXPECT_EQ(lastRow[1], 0);
    EXPECT_EQ(lastRow[2], 255);
    EXPECT_EQ(lastRow[3], 255);
    for (int y = 0; y < 4; ++y)
        for (int x = 1; x < 6; ++x) EXPECT_EQ(DibPixel(dib, x, y), PixelAt(source.get(), x, y)) << x << "," << y;

    // Back to GDI+: every byte, translucent alpha included, as stored.
    SetDibPixel(dib, 2, 1, 0x40102030u);
    SetDibPixel(dib, 5, 3, 0x00FFFFFFu);
    GdipBitmap back(DIBToGdipBitmap(dib));
    ASSERT_TRUE(back);
    int w = 0, h = 0;
    const std::vector<uint32_t> pixels = AllPixels(back.get(), w, h);
    ASSERT_EQ(w, 6);
    ASSERT_EQ(h, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(pixels[static_cast<size_t>(y * 6 + x)], DibPixel(dib, x, y)) << x << "," << y;
    EXPECT_EQ(PixelAt(back.get(), 2, 1), 0x40102030u);
}

TEST(CDIBCopies, AScaledImageArrivesUprightToo) {
    // 2 x 2 at 24 bpp: red top-left, blue elsewhere, drawn into a 20 x 20 bitmap.
    GdipBitmap source;
    GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat24bppRGB, nullptr, source.put());
    GdipBitmapSetPixel(source.get(), 0, 0, kRed);
    for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}}) GdipBitmapSetPixel(source.get(), x, y, kBlue);
    CDIB dib;
    ASSERT_TRUE(dib.Create(20, 20, 32));
    ASSERT_TRUE(GdipImageToDIB(dib, source.get()));
    const uint32_t topLeft = DibPixel(dib, 0, 0), bottomRight = DibPixel(dib, 19, 19);
    EXPECT_GT(RedOf(topLeft), BlueOf(topLeft)) << std::hex << topLeft;
    EXPECT_GT(BlueOf(bottomRight), RedOf(bottomRight)) << std::hex << bottomRight;
    EXPECT_EQ(DibRgb(dib, 15, 3), 0x000000FFu);

    // The same picture at its own size: converted to opaque ARGB.
    CDIB same;
    ASSERT_TRUE(same.Create(2, 2, 32));
    ASSERT_TRUE(GdipImageToDIB(same, source.get()));
    EXPECT_EQ(DibPixel(same, 0, 0), kRed);
    EXPECT_EQ(DibPixel(same, 1, 1), kBlue);
}

TEST(CDIBSave, BmpFilesAreByteExactAtEveryDepth) {
    const std::wstring folder = MakeLongTestFolder(L"bmpsave"); // saving works past MAX_PATH
    struct Case {
        int bpp;
        uint32_t paletteBytes;
        uint32_t size;
    };
    for (Case c : {Case{32, 0, 16}, Case{24, 0, 16}, Case{8, 1024, 8}, Case{1, 8, 8}}) {
        CDIB dib;
        ASSERT_TRUE(dib.Create(2, 2, c.bpp));
        ASSERT_EQ(static_cast<uint32_t>(dib.Size()), c.size);
        // The colour table is sized by the depth, zeroed until set.
        EXPECT_EQ(dib.GetPalette(), std::vector<uint8_t>(c.paletteBytes, 0));
        for (int i = 0; i < dib.Size(); ++i) dib.lpBits()[i] = static_cast<uint8_t>(0x10 + i);
        const std::wstring path = folder + L"d" + std::to_wstring(c.bpp) + L".bmp";
        ASSERT_TRUE(dib.Save(path));
        const std::string bytes = ReadTestFile(path);
        const uint32_t offset = 54 + c.paletteBytes;
        ASSERT_EQ(bytes.size(), offset + c.size) << c.bpp;
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        // File size, reserved, pixel offset, header size, width, height; then planes and depth.
        EXPECT_EQ((std::vector<uint32_t>{Read32(bytes, 2), Read32(bytes, 6), Read32(bytes, 10), Read32(bytes, 14),
                                         Read32(bytes, 18), Read32(bytes, 22), Read32(bytes, 26)}),
                  (std::vector<uint32_t>{offset + c.size, 0, offset, 40, 2, 2, 1u | (uint32_t(c.bpp) << 16)}));
        for (size_t i = 30; i < 54; ++i) EXPECT_EQ(bytes[i], 0) << "header byte " << i;
        EXPECT_EQ(0, std::memcmp(bytes.data() + offset, dib.lpBits(), c.size));
        EXPECT_TRUE(GdipImage(LoadImageFromFileCopy(path))) << "a decoder reads it"; // GDI+ accepts the header
    }
}

TEST(CDIBFit, BestFitCentresWithAFourPixelMargin) {
    struct Case {
        int32_t srcW, srcH, dstW, dstH;
        bool stretch;
        int32_t x, y, w, h;
    };
    const Case cases[] = {
        {100, 50, 200, 100, false, 54, 29, 100, 50}, // fits: kept, centred
        {100, 50, 200, 100, true, 4, 4, 200, 100},   // stretched to fill
        {400, 100, 200, 200, false, 4, 79, 200, 50}, // too wide: the width fills the box
        {30, 200, 100, 100, false, 46, 4, 15, 100},  // too tall: 30 * (100 / 200) = 15
        {5, 20, 10, 10, false, 8, 4, 2, 10},         // 5 * 0.5 = 2.5 goes to the even 2
        {0, 0, 10, 10, true, 9, 9, 0, 0},            // an empty source: an empty box, no division
    };
    for (const Case& c : cases) {
        int32_t x = 0, y = 0, w = 0, h = 0;
        CDIB::GetBestFitInfo(c.srcW, c.srcH, c.dstW, c.dstH, x, y, w, h, c.stretch);
        EXPECT_EQ((std::vector<int32_t>{x, y, w, h}), (std::vector<int32_t>{c.x, c.y, c.w, c.h}))
            << c.srcW << " x " << c.srcH << " into " << c.dstW << " x " << c.dstH;
    }
}

TEST(CDIBCopies, ClsResetAndCloneToCopyDepthColourTableAndBits) {
    CDIB src;
    ASSERT_TRUE(src.Create(7, 3, 8));
    std::vector<uint8_t> pal(1024);
    for (size_t i = 0; i < pal.size(); ++i) pal[i] = static_cast<uint8_t>(i % 4 == 3 ? 0 : i * 13);
    src.SetPalette(pal);
    for (int i = 0; i < src.Size(); ++i) src.lpBits()[i] = static_cast<uint8_t>(i * 5);
    CDIB dst;
    ASSERT_TRUE(dst.Create(2, 2, 32));
    ASSERT_TRUE(src.CloneTo(dst));
    EXPECT_EQ(dst.Width(), 7);
    EXPECT_EQ(dst.Height(), 3);
    EXPECT_EQ(dst.BPP(), 8);
    EXPECT_NE(dst.lpBits(), src.lpBits());
    EXPECT_EQ(0, std::memcmp(dst.lpBits(), src.lpBits(), static_cast<size_t>(src.Size())));
    EXPECT_EQ(dst.GetPalette(), pal);

    CDIB argb;
    ASSERT_TRUE(argb.Create(5, 4, 32));
    argb.Cls(RGB(10, 20, 30));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(DibRgb(argb, x, y), 0x000A141Eu);
    SetDibPixel(argb, 1, 2, 0x80112233u);
    // GDI drawing just before the copy is in it (Windows may still hold it back in a batch).
    UniqueGdiObject green(::CreateSolidBrush(RGB(0, 255, 0)));
    RECT topRight{4, 0, 5, 1};
    ::FillRect(argb.hDC(), &topRight, static_cast<HBRUSH>(green.get()));
    CDIB copy;
    ASSERT_TRUE(argb.CloneTo(copy));
    ASSERT_EQ(copy.BPP(), 32);
    EXPECT_EQ(DibRgb(copy, 4, 0), 0x0000FF00u);
    EXPECT_EQ(DibPixel(copy, 1, 2), 0x80112233u);
    copy.Reset();
    for (int i = 0; i < copy.Size(); ++i) ASSERT_EQ(copy.lpBits()[i], 0);
    EXPECT_EQ(DibPixel(argb, 1, 2), 0x80112233u); // the copy is its own
}

TEST(CDIBDrawing, EveryStretchIsAHalftoneOneAndPutsTheModeBack) {
    // Red and blue halves enlarged tenfold: a halftone stretch blends them across the middle,
    // where the other modes keep pure colours. (Wine's halftone interpolates but does not average
    // on reduction, so the blend is checked on an enlargement.)
    CDIB halves;
    ASSERT_TRUE(halves.Create(2, 1, 32));
    SetDibPixel(halves, 0, 0, kRed);
    SetDibPixel(halves, 1, 0, kBlue);
    const auto row = [](const CDIB& dib) {
        std::vector<uint32_t> pixels;
        for (int x = 0; x < 20; ++x) pixels.push_back(DibRgb(dib, x, 2));
        return pixels;
    };
    const auto blends = [](const std::vector<uint32_t>& pixels) {
        int count = 0;
        for (uint32_t c : pixels) count += RedOf(c) > 40 && BlueOf(c) > 40;
        return count;
    };
    std::vector<uint32_t> halftone;
    for (int mode : {HALFTONE, COLORONCOLOR, BLACKONWHITE, WHITEONBLACK}) {
        SCOPED_TRACE(mode);
        CDIB wide;
        ASSERT_TRUE(wide.Create(20, 4, 32));
        const int before = mode == BLACKONWHITE ? COLORONCOLOR : BLACKONWHITE;
        ::SetStretchBltMode(wide.hDC(), before);
        EXPECT_TRUE(halves.Stretch(wide.hDC(), 0, 0, 20, 4, 0, 0, 0, 0, SRCCOPY, mode));
        EXPECT_EQ(::GetStretchBltMode(wide.hDC()), before);
        ::GdiFlush();
        const std::vector<uint32_t> pixels = row(wide);
        EXPECT_GT(RedOf(pixels.front()), BlueOf(pixels.front()));
        EXPECT_GT(BlueOf(pixels.back()), RedOf(pixels.back()));
        EXPECT_GE(blends(pixels), 2);
        if (mode == HALFTONE)
            halftone = pixels;
        else
            EXPECT_EQ(pixels, halftone);
    }

    // LoadDIBBlt stretches the whole source onto the whole bitmap, halftone too.
    CDIB loaded;
    ASSERT_TRUE(loaded.Create(20, 4, 32));
    loaded.LoadDIBBlt(halves);
    ::GdiFlush();
    EXPECT_EQ(row(loaded), halftone);
}

TEST(CDIBImage, ImageIsACopyTheCallerOwns) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(6, 5, 32));
    dib.Cls(RGB(0, 128, 0));
    HBITMAP copy = dib.image();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, dib.hDIB());
    BITMAP info{};
    ASSERT_EQ(::GetObjectW(copy, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ((std::vector<LONG>{info.bmWidth, info.bmHeight, info.bmBitsPixel}), (std::vector<LONG>{6, 5, 32}));
    // Deleting the copy leaves the bitmap whole and usable.
    EXPECT_TRUE(::DeleteObject(copy));
    dib.Cls(RGB(1, 2, 3));
    EXPECT_EQ(::GetPixel(dib.hDC(), 2, 2), RGB(1, 2, 3));
    EXPECT_EQ(DibRgb(dib, 5, 4), 0x00010203u);
}
