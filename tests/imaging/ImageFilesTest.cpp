// Loaded images, the off-screen bitmap, saving through the image encoders and counting frames.
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A 40 x 30 picture of four coloured quadrants with a half-transparent stripe when withAlpha.
void DrawQuadrants(DIBsave& picture, bool withAlpha = false) {
    ASSERT_TRUE(picture.CreateBlankMemory(30, 40));
    const uint32_t colours[4] = {kRed, ColorARGB(255, 0, 255, 0), kBlue, ColorARGB(255, 250, 250, 250)};
    GdipSetSmoothingMode(picture.MemGraphics, SmoothingModeNone);
    for (int q = 0; q < 4; ++q) {
        GdipSolidFill brush;
        GdipCreateSolidFill(colours[q], brush.put());
        GdipFillRectangleI(picture.MemGraphics, brush.get(), (q % 2) * 20, (q / 2) * 15, 20, 15);
    }
    if (withAlpha) {
        GdipSetCompositingMode(picture.MemGraphics, CompositingModeSourceCopy);
        GdipSolidFill half;
        GdipCreateSolidFill(ColorARGB(128, 10, 20, 30), half.put());
        GdipFillRectangleI(picture.MemGraphics, half.get(), 0, 28, 40, 2);
    }
}

// The loaded image as a 32 bpp ARGB copy, whatever the file's own format.
GdipBitmap ArgbCopy(const GdiDIB& loaded) {
    GdipBitmap copy;
    GdipCloneBitmapAreaI(0, 0, static_cast<INT>(loaded.Width()), static_cast<INT>(loaded.Height()),
                         PixelFormat32bppARGB, static_cast<GpBitmap*>(loaded.DIB()), copy.put());
    return copy;
}

} // namespace

TEST(GdiDIBFit, SourcesThatFitKeepTheirSizeAndLargerOnesShrinkToTheLimitingSide) {
    struct Case {
        float srcW, srcH, dstW, dstH, x, y, w, h;
    };
    const Case cases[] = {
        {100, 50, 200, 100, 50, 25, 100, 50},       // fits: kept and centred
        {400, 200, 200, 200, 0, 50, 200, 100},      // width-limited
        {400, 400, 200, 200, 0, 0, 200, 200},       // equal ratios take the height-limited branch
        {195, 100, 200, 100, 2, 0, 195, 100},       // a difference of 5 gives 2
        {197.5f, 100, 200, 100, 1, 0, 197.5f, 100}, // 2.5 rounds to 2 (halves to even) and gives 1
        {196.5f, 100, 200, 100, 2, 0, 196.5f, 100}, // 3.5 rounds to 4
    };
    for (const Case& c : cases) {
        float x = 0, y = 0, w = 0, h = 0;
        GdiDIB::GetBestFitInfo(c.srcW, c.srcH, c.dstW, c.dstH, x, y, w, h);
        EXPECT_EQ((std::vector<float>{x, y, w, h}), (std::vector<float>{c.x, c.y, c.w, c.h}))
            << c.srcW << " x " << c.srcH;
    }
}

TEST(DIBsaveBitmap, CreateBlankMemoryTakesHeightBeforeWidthAndClearIMGTakesTheSurfaceToo) {
    DIBsave picture;
    ASSERT_TRUE(picture.CreateBlankMemory(7, 9));
    ASSERT_TRUE(picture.CreateBlankMemory(100, 300)); // the first bitmap and surface are let go
    UINT w = 0, h = 0;
    GdipGetImageWidth(picture.new_Img, &w);
    GdipGetImageHeight(picture.new_Img, &h);
    EXPECT_EQ(w, 300u);
    EXPECT_EQ(h, 100u);
    EXPECT_EQ(picture.NewWidth, 300);
    EXPECT_EQ(picture.NewHeight, 100);
    picture.ClearScreen(ColorARGB(255, 1, 2, 3));
    EXPECT_EQ(PixelAt(picture.new_Img, 299, 99), ColorARGB(255, 1, 2, 3));
    picture.ClearIMG();
    EXPECT_EQ(picture.new_Img, nullptr);
    EXPECT_EQ(picture.MemGraphics, nullptr); // no surface left on a disposed bitmap
    picture.ClearScreen(0xFF000000u);
    EXPECT_FALSE(picture.Save(TestProgramFolder() + L"none.png", kFormatPng, 0));
    picture.Destroy();
    EXPECT_EQ(picture.NewWidth, 300); // kept, as callers read it after
}

TEST(DIBsaveSave, LosslessFormatsAndGifOfFewColoursRoundTripExactly) {
    DIBsave picture;
    DrawQuadrants(picture, true);
    const std::wstring folder = MakeLongTestFolder(L"lossless"); // saving works past MAX_PATH
    const std::vector<uint32_t> drawn = AllPixels(picture.new_Img);
    struct Case {
        int format;
        const wchar_t* name;
        bool keepsAlpha;
    };
    for (const Case& c : {Case{kFormatPng, L"q.png", true}, Case{kFormatBmp, L"q.bmp", false},
                          Case{kFormatTiff, L"q.tif", true}, Case{kFormatGif, L"q.gif", false}}) {
        const std::wstring path = folder + c.name;
        ASSERT_TRUE(picture.Save(path, c.format, 0)) << Narrow(path);
        GdiDIB loaded;
        ASSERT_TRUE(loaded.Import(path)) << Narrow(path);
        EXPECT_EQ(loaded.Width(), 40);
        EXPECT_EQ(loaded.Height(), 30);
        std::vector<uint32_t> pixels = AllPixels(ArgbCopy(loaded).get());
        // BMP and GIF keep no partial alpha: the stripe's two rows are left out for them. (The four
        // colours above it fit a palette.)
        const size_t compared = c.keepsAlpha ? pixels.size() : 28 * 40;
        pixels.resize(compared);
        EXPECT_EQ(pixels, std::vector<uint32_t>(drawn.begin(), drawn.begin() + static_cast<ptrdiff_t>(compared)))
            << Narrow(path);
    }
}

TEST(DIBsaveSave, JpegKeepsCloseColours) {
    DIBsave picture;
    DrawQuadrants(picture);
    const std::wstring path = MakeTestFolder(L"lossy") + L"q.jpg";
    ASSERT_TRUE(picture.Save(path, kFormatJpeg, 90));
    GdiDIB loaded;
    ASSERT_TRUE(loaded.Import(path));
    EXPECT_EQ(loaded.Width(), 40);
    EXPECT_EQ(loaded.Height(), 30);
    GdipBitmap copy = ArgbCopy(loaded);
    // Away from the quadrant borders, where JPEG blurs.
    for (int q = 0; q < 4; ++q) {
        const int x = (q % 2) * 20 + 10, y = (q / 2) * 15 + 7;
        EXPECT_LE(ChannelDistance(PixelAt(copy.get(), x, y), PixelAt(picture.new_Img, x, y)), 24) << q;
    }
}

TEST(DIBsaveSave, GifPaletteKeepsTheColoursAndOneTransparentEntry) {
    // Four colours and a fully transparent stripe: five entries, the stripe on the one of alpha 0.
    DIBsave picture;
    DrawQuadrants(picture);
    GdipSolidFill clear;
    GdipCreateSolidFill(0, clear.put());
    GdipSetCompositingMode(picture.MemGraphics, CompositingModeSourceCopy);
    GdipFillRectangleI(picture.MemGraphics, clear.get(), 0, 28, 40, 2);
    // Over 256 colours with a transparent corner: the colour cube and its free last entry.
    DIBsave ramp;
    ASSERT_TRUE(ramp.CreateBlankMemory(64, 64));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            GdipBitmapSetPixel(
                ramp.new_Img, x, y,
                x < 2 && y < 2 ? 0u : ColorARGB(255, static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4), 90));

    struct Case {
        DIBsave* source;
        UINT count;
        int clearX, clearY, opaqueX, opaqueY;
    };
    for (const Case& c : {Case{&picture, 5, 3, 29, 30, 20}, Case{&ramp, 256, 1, 1, 40, 40}}) {
        GdipBitmap indexed = IndexedCopyForGif(c.source->new_Img);
        ASSERT_TRUE(indexed);
        INT bytes = 0;
        ASSERT_EQ(GdipGetImagePaletteSize(indexed.get(), &bytes), Ok);
        std::vector<uint8_t> block(static_cast<size_t>(bytes));
        auto* palette = reinterpret_cast<ColorPalette*>(block.data());
        ASSERT_EQ(GdipGetImagePalette(indexed.get(), palette, bytes), Ok);
        EXPECT_EQ(palette->Count, c.count);
        EXPECT_TRUE(palette->Flags & PaletteFlagsHasAlpha);
        EXPECT_EQ(std::count(palette->Entries, palette->Entries + palette->Count, 0u), 1);
        // The pixels read back through the palette: transparent where cleared, opaque elsewhere.
        EXPECT_EQ(PixelAt(indexed.get(), c.clearX, c.clearY) >> 24, 0u);
        EXPECT_EQ(PixelAt(indexed.get(), c.opaqueX, c.opaqueY) >> 24, 0xFFu);
        if (c.count == 5) {
            for (uint32_t colour : {kRed, ColorARGB(255, 0, 255, 0), kBlue, ColorARGB(255, 250, 250, 250)})
                EXPECT_EQ(std::count(palette->Entries, palette->Entries + 5, colour), 1) << std::hex << colour;
        }
    }
    // The file is still written and reads back at its size, whatever the encoder makes of alpha.
    const std::wstring path = MakeTestFolder(L"gifalpha") + L"clear.gif";
    ASSERT_TRUE(picture.Save(path, kFormatGif, 0));
    GdiDIB loaded;
    ASSERT_TRUE(loaded.Import(path));
    EXPECT_EQ(loaded.Width(), 40);
}

TEST(DIBsaveSave, FormatsWithoutAnEncoderWriteNothingAndFail) {
    DIBsave picture;
    DrawQuadrants(picture);
    const std::wstring folder = MakeTestFolder(L"noencoder");
    for (int format : {kFormatEmf, kFormatWmf, 7, -1}) {
        const std::wstring path = folder + L"out" + std::to_wstring(format + 1) + L".img";
        EXPECT_FALSE(picture.Save(path, format, 90)) << format;
    }
    EXPECT_TRUE(FileNamesIn(folder).empty()); // no output and no temporary files left behind
}

TEST(GdiDIBImport, AShownFileCanBeSavedOverAndDeleted) {
    const std::wstring path = MakeTestFolder(L"shown") + L"shown.png";
    DIBsave first;
    DrawQuadrants(first);
    ASSERT_TRUE(first.Save(path, kFormatPng, 0));
    GdiDIB shown;
    ASSERT_TRUE(shown.Import(path));

    DIBsave second;
    ASSERT_TRUE(second.CreateBlankMemory(12, 16));
    EXPECT_TRUE(second.Save(path, kFormatPng, 0));
    GdiDIB reloaded;
    ASSERT_TRUE(reloaded.Import(path));
    EXPECT_EQ(reloaded.Width(), 16);
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
    // The shown image is still whole after its file is gone.
    EXPECT_EQ(shown.Width(), 40);
    EXPECT_EQ(PixelAt(ArgbCopy(shown).get(), 5, 5), kRed);
}

TEST(GdiDIBImport, MissingAndUndecodableFilesLeaveTheImageEmpty) {
    const std::wstring folder = MakeTestFolder(L"bad");
    DIBsave picture;
    DrawQuadrants(picture);
    ASSERT_TRUE(picture.Save(folder + L"good.png", kFormatPng, 0));
    const std::string whole = ReadTestFile(folder + L"good.png");
    ASSERT_TRUE(WriteTestFile(folder + L"text.jpg", "this is not a picture"));
    ASSERT_TRUE(WriteTestFile(folder + L"empty.png", ""));
    ASSERT_TRUE(WriteTestFile(folder + L"cut.png", whole.substr(0, whole.size() / 2)));
    for (const wchar_t* name : {L"missing.png", L"text.jpg", L"empty.png", L"cut.png"}) {
        // A failed import replaces the held image with nothing.
        GdiDIB image;
        ASSERT_TRUE(image.Import(folder + L"good.png"));
        EXPECT_FALSE(image.Import(folder + name)) << Narrow(name);
        EXPECT_EQ(image.DIB(), nullptr) << Narrow(name);
        EXPECT_EQ(image.Width(), 0) << Narrow(name);
        EXPECT_EQ(image.Height(), 0) << Narrow(name);
    }
}

TEST(GdiDIBImport, SetSizesRoundHalvesToEven) {
    GdiDIB image;
    image.SetWidth(5.5f);
    image.SetHeight(6.5f);
    EXPECT_EQ(image.Width(), 6);
    EXPECT_EQ(image.Height(), 6);
}

TEST(ImageFileFramesTest, OnlyAGifOrATiffIsDecodedToCountItsFrames) {
    // A PNG holds one picture, read or not: a decode would fail here for lack of memory and count none.
    const std::wstring path = MakeTestFolder(L"frames") + L"huge.png";
    ASSERT_TRUE(WriteTestFile(path, kHugePng));
    EXPECT_EQ(ImageFileFrames(path).count, 1u);
}
