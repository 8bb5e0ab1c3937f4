// Loaded images, the off-screen bitmap and saving through the image encoders.
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Fit {
    float x, y, w, h;
};
Fit FitOf(float sw, float sh, float dw, float dh) {
    Fit f{};
    GdiDIB::GetBestFitInfo(sw, sh, dw, dh, f.x, f.y, f.w, f.h);
    return f;
}

// A 40 x 30 picture of four coloured quadrants with a half-transparent stripe when withAlpha.
void DrawQuadrants(DIBsave& picture, bool withAlpha = false) {
    ASSERT_TRUE(picture.CreateBlankMemory(30, 40));
    const uint32_t colours[4] = {ColorARGB(255, 255, 0, 0), ColorARGB(255, 0, 255, 0), ColorARGB(255, 0, 0, 255),
                                 ColorARGB(255, 250, 250, 250)};
    for (int q = 0; q < 4; ++q) {
        GdipSolidFill brush;
        GdipCreateSolidFill(colours[q], brush.put());
        GdipSetSmoothingMode(picture.MemGraphics, SmoothingModeNone);
        GdipFillRectangleI(picture.MemGraphics, brush.get(), (q % 2) * 20, (q / 2) * 15, 20, 15);
    }
    if (withAlpha) {
        GdipSetCompositingMode(picture.MemGraphics, CompositingModeSourceCopy);
        GdipSolidFill half;
        GdipCreateSolidFill(ColorARGB(128, 10, 20, 30), half.put());
        GdipFillRectangleI(picture.MemGraphics, half.get(), 0, 28, 40, 2);
    }
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return worst;
}

} // namespace

TEST(GdiDIBFit, SourcesThatFitKeepTheirSizeAndLargerOnesShrinkToTheLimitingSide) {
    Fit a = FitOf(100, 50, 200, 100);
    EXPECT_EQ(a.w, 100);
    EXPECT_EQ(a.h, 50);
    EXPECT_EQ(a.x, 50);
    EXPECT_EQ(a.y, 25);
    Fit b = FitOf(400, 200, 200, 200);
    EXPECT_EQ(b.w, 200);
    EXPECT_EQ(b.h, 100);
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.y, 50);
    Fit c = FitOf(400, 400, 200, 200); // equal ratios take the height-limited branch
    EXPECT_EQ(c.w, 200);
    EXPECT_EQ(c.h, 200);
    // A difference of 5 gives 2; 2.5 rounds to 2 (halves to even) and gives 1.
    EXPECT_EQ(FitOf(195, 100, 200, 100).x, 2);
    EXPECT_EQ(FitOf(197.5f, 100, 200, 100).x, 1);
    EXPECT_EQ(FitOf(196.5f, 100, 200, 100).x, 2); // 3.5 rounds to 4
}

TEST(DIBsaveBitmap, CreateBlankMemoryTakesHeightBeforeWidth) {
    DIBsave picture;
    ASSERT_TRUE(picture.CreateBlankMemory(100, 300));
    UINT w = 0, h = 0;
    GdipGetImageWidth(picture.new_Img, &w);
    GdipGetImageHeight(picture.new_Img, &h);
    EXPECT_EQ(w, 300u);
    EXPECT_EQ(h, 100u);
    EXPECT_EQ(picture.NewWidth, 300);
    EXPECT_EQ(picture.NewHeight, 100);
    picture.ClearScreen(ColorARGB(255, 1, 2, 3));
    EXPECT_EQ(PixelAt(picture.new_Img, 299, 99), ColorARGB(255, 1, 2, 3));
    picture.Destroy();
    picture.Destroy();
    EXPECT_EQ(picture.new_Img, nullptr);
    EXPECT_EQ(picture.MemGraphics, nullptr);
    EXPECT_EQ(picture.NewWidth, 300); // kept, as callers read it after
}

TEST(DIBsaveBitmap, ClearIMGKeepsTheSurfaceUntilDestroy) {
    DIBsave picture;
    ASSERT_TRUE(picture.CreateBlankMemory(10, 10));
    picture.ClearIMG();
    EXPECT_EQ(picture.new_Img, nullptr);
    EXPECT_NE(picture.MemGraphics, nullptr);
    EXPECT_FALSE(picture.Save(TestProgramFolder() + L"none.png", kFormatPng, 0));
    picture.Destroy();
    EXPECT_EQ(picture.MemGraphics, nullptr);
}

TEST(DIBsaveSave, LosslessFormatsRoundTripExactly) {
    DIBsave picture;
    DrawQuadrants(picture, true);
    const std::wstring folder = MakeTestFolder(L"lossless");
    struct Case {
        int format;
        const wchar_t* name;
        bool keepsAlpha;
    };
    for (const Case& c : {Case{kFormatPng, L"q.png", true}, Case{kFormatBmp, L"q.bmp", false},
                          Case{kFormatTiff, L"q.tif", true}}) {
        const std::wstring path = folder + c.name;
        ASSERT_TRUE(picture.Save(path, c.format, 0)) << Narrow(path);
        GdiDIB loaded;
        ASSERT_TRUE(loaded.Import(path)) << Narrow(path);
        EXPECT_EQ(loaded.Width(), 40);
        EXPECT_EQ(loaded.Height(), 30);
        GdipBitmap copy;
        GdipCloneBitmapAreaI(0, 0, 40, 30, PixelFormat32bppARGB, static_cast<GpBitmap*>(loaded.DIB()), copy.put());
        for (int y = 0; y < 28; y += 3) {
            for (int x = 0; x < 40; x += 3) {
                EXPECT_EQ(PixelAt(copy.get(), x, y), PixelAt(picture.new_Img, x, y)) << Narrow(path) << " " << x << "," << y;
            }
        }
        if (c.keepsAlpha) {
            EXPECT_EQ(PixelAt(copy.get(), 5, 29), PixelAt(picture.new_Img, 5, 29)) << Narrow(path);
        }
    }
}

TEST(DIBsaveSave, JpegAndGifReloadWithTheRightSizeAndCloseColours) {
    DIBsave picture;
    DrawQuadrants(picture);
    const std::wstring folder = MakeTestFolder(L"lossy");
    for (int format : {kFormatJpeg, kFormatGif}) {
        const std::wstring path = folder + (format == kFormatJpeg ? L"q.jpg" : L"q.gif");
        ASSERT_TRUE(picture.Save(path, format, 90)) << format;
        GdiDIB loaded;
        ASSERT_TRUE(loaded.Import(path)) << format;
        EXPECT_EQ(loaded.Width(), 40);
        EXPECT_EQ(loaded.Height(), 30);
        GdipBitmap copy;
        GdipCloneBitmapAreaI(0, 0, 40, 30, PixelFormat32bppARGB, static_cast<GpBitmap*>(loaded.DIB()), copy.put());
        // Away from the quadrant borders, where JPEG blurs.
        for (int q = 0; q < 4; ++q) {
            const int x = (q % 2) * 20 + 10, y = (q / 2) * 15 + 7;
            EXPECT_LE(ChannelDistance(PixelAt(copy.get(), x, y), PixelAt(picture.new_Img, x, y)), 24)
                << "format " << format << " quadrant " << q;
        }
    }
}

TEST(DIBsaveSave, GifOfManyColoursStaysReadableAndClose) {
    DIBsave picture;
    ASSERT_TRUE(picture.CreateBlankMemory(64, 64));
    GdipLineGradient ramp;
    GpPointF a{0, 0}, b{64, 64};
    GdipCreateLineBrush(&a, &b, ColorARGB(255, 255, 0, 0), ColorARGB(255, 0, 0, 255), WrapModeTile, ramp.put());
    GdipFillRectangleI(picture.MemGraphics, ramp.get(), 0, 0, 64, 64);
    const std::wstring path = MakeTestFolder(L"gifmany") + L"ramp.gif";
    ASSERT_TRUE(picture.Save(path, kFormatGif, 0));
    GdiDIB loaded;
    ASSERT_TRUE(loaded.Import(path));
    GdipBitmap copy;
    GdipCloneBitmapAreaI(0, 0, 64, 64, PixelFormat32bppARGB, static_cast<GpBitmap*>(loaded.DIB()), copy.put());
    for (int i = 0; i < 64; i += 9) {
        EXPECT_LE(ChannelDistance(PixelAt(copy.get(), i, i), PixelAt(picture.new_Img, i, i)), 40);
    }
}

TEST(DIBsaveSave, FormatsWithoutAnEncoderWriteNothingAndFail) {
    DIBsave picture;
    DrawQuadrants(picture);
    const std::wstring folder = MakeTestFolder(L"noencoder");
    for (int format : {kFormatEmf, kFormatWmf, 7, -1}) {
        const std::wstring path = folder + L"out" + std::to_wstring(format + 1) + L".img";
        EXPECT_FALSE(picture.Save(path, format, 90)) << format;
        EXPECT_FALSE(FileExistsForTest(path)) << format;
    }
    // Nothing left behind in the folder either (no temporary files).
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((folder + L"*.*").c_str(), &fd);
    int files = 0;
    if (h != INVALID_HANDLE_VALUE) {
        do
            files += (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    EXPECT_EQ(files, 0);
}

TEST(DIBsaveSave, AFailedSaveLeavesTheExistingFileIntact) {
    const std::wstring folder = MakeTestFolder(L"failsafe");
    const std::wstring target = folder + L"keep.png";
    ASSERT_TRUE(WriteTestFile(target, "precious bytes"));
    DIBsave picture;
    DrawQuadrants(picture);
    // An encoder that is not there, and a folder that is not there.
    EXPECT_FALSE(picture.Save(target, kFormatWmf, 0));
    EXPECT_EQ(ReadTestFile(target), "precious bytes");
    EXPECT_FALSE(picture.Save(folder + L"missing\\keep.png", kFormatPng, 0));
    // A target the encoder cannot replace (read-only) stays as it was and the save fails.
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(picture.Save(target, kFormatPng, 0));
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTestFile(target), "precious bytes");
    // An empty bitmap writes nothing.
    DIBsave empty;
    EXPECT_FALSE(empty.Save(target, kFormatPng, 0));
    EXPECT_EQ(ReadTestFile(target), "precious bytes");
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
    second.ClearScreen(ColorARGB(255, 9, 9, 9));
    EXPECT_TRUE(second.Save(path, kFormatPng, 0));
    GdiDIB reloaded;
    ASSERT_TRUE(reloaded.Import(path));
    EXPECT_EQ(reloaded.Width(), 16);
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
    // The shown image is still whole after its file is gone.
    EXPECT_EQ(shown.Width(), 40);
    GdipBitmap copy;
    EXPECT_EQ(GdipCloneBitmapAreaI(0, 0, 40, 30, PixelFormat32bppARGB, static_cast<GpBitmap*>(shown.DIB()), copy.put()), Ok);
    EXPECT_EQ(PixelAt(copy.get(), 5, 5), ColorARGB(255, 255, 0, 0));
}

TEST(GdiDIBImport, MissingAndUndecodableFilesLeaveTheImageEmpty) {
    const std::wstring folder = MakeTestFolder(L"bad");
    GdiDIB image;
    DIBsave picture;
    DrawQuadrants(picture);
    ASSERT_TRUE(picture.Save(folder + L"good.png", kFormatPng, 0));
    ASSERT_TRUE(image.Import(folder + L"good.png"));
    // A failed import replaces the held image with nothing.
    EXPECT_FALSE(image.Import(folder + L"missing.png"));
    EXPECT_EQ(image.DIB(), nullptr);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    ASSERT_TRUE(WriteTestFile(folder + L"text.jpg", "this is not a picture"));
    EXPECT_FALSE(image.Import(folder + L"text.jpg"));
    ASSERT_TRUE(WriteTestFile(folder + L"empty.png", ""));
    EXPECT_FALSE(image.Import(folder + L"empty.png"));
    // A PNG cut short.
    const std::string whole = ReadTestFile(folder + L"good.png");
    ASSERT_TRUE(WriteTestFile(folder + L"cut.png", whole.substr(0, whole.size() / 2)));
    EXPECT_FALSE(image.Import(folder + L"cut.png"));
    EXPECT_EQ(image.Width(), 0);
    image.Destroy();
    image.Destroy();
}

TEST(GdiDIBImport, AdoptedImagesAreOwnedAndSizesRound) {
    GdiDIB image;
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(5, 7, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
    image.SetDIB(bitmap);
    image.SetWidth(5.5f);  // halves to even: 6
    image.SetHeight(6.5f); // 6
    EXPECT_EQ(image.DIB(), bitmap);
    EXPECT_EQ(image.Width(), 6);
    EXPECT_EQ(image.Height(), 6);
    GdiDIB moved = std::move(image);
    EXPECT_EQ(moved.DIB(), bitmap);
    EXPECT_EQ(image.DIB(), nullptr);
}
