#include "imaging/ClipboardStamp.h"
#include "imaging/EffectBuffers.h"
#include "imaging/GdiDIB.h"
#include "platform/AppState.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <cstring>

namespace {

// Opaque blocks of colour (the screen bitmap of the clipboard keeps no alpha).
GdipBitmap BlockBitmap(int w, int h) {
    return BitmapOf(w, h, [w, h](int x, int y) {
        return ColorARGB(255, static_cast<uint8_t>(x < w / 2 ? 220 : 20), static_cast<uint8_t>(y < h / 2 ? 40 : 200),
                         static_cast<uint8_t>(x * 2));
    });
}

void PutTextOnClipboard(const wchar_t* text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(memory), text, bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

} // namespace

TEST(Clipboard, CopyThenPasteGivesAnImageOfTheCallersOwnAndTextGivesNothing) {
    GdipBitmap source = BlockBitmap(120, 80);
    ASSERT_TRUE(CopyImageToClipboard(source.get(), 0, 0, 120, 80));
    GdipImage image;
    int32_t w = -1, h = -1;
    ASSERT_TRUE(PasteClipboardImage(image, w, h));
    ASSERT_TRUE(image);
    EXPECT_EQ(w, 120);
    EXPECT_EQ(h, 80);
    EXPECT_EQ(ClipboardImage().Width(), 120.f);
    EXPECT_EQ(ClipboardImage().Height(), 80.f);
    // Releasing the effect buffers (as drawing with alpha does) leaves the caller's image whole.
    FreeEffectBuffers();
    EXPECT_EQ(ClipboardImage().DIB(), nullptr);
    auto* pasted = reinterpret_cast<GpBitmap*>(image.get());
    for (auto [x, y] : {std::pair{0, 0}, {119, 0}, {0, 79}, {119, 79}, {60, 40}, {37, 55}})
        EXPECT_EQ(PixelAt(pasted, x, y) | 0xFF000000u, PixelAt(source.get(), x, y)) << x << "," << y;

    // The copy draws the image into the given rectangle; a failed copy keeps what the clipboard had.
    GdipBitmap red = SolidBitmap(4, 4, kRed);
    ASSERT_TRUE(CopyImageToClipboard(red.get(), 0, 0, 50, 30));
    EXPECT_FALSE(CopyImageToClipboard(nullptr, 0, 0, 10, 10));
    EXPECT_FALSE(CopyImageToClipboard(red.get(), 0, 0, 0, 10));
    ASSERT_TRUE(PasteClipboardImage(image, w, h));
    EXPECT_EQ(w, 50);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(PixelAt(reinterpret_cast<GpBitmap*>(image.get()), 25, 15), kRed);

    // Text only: nothing pasted, nothing kept, and the working stamp cannot be written from it.
    PutTextOnClipboard(L"just words");
    w = h = 5;
    EXPECT_FALSE(PasteClipboardImage(image, w, h));
    EXPECT_FALSE(image);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(ClipboardImage().DIB(), nullptr);
    EXPECT_FALSE(SaveStampTemp(true, nullptr, 0, 0));
    FreeEffectBuffers();
}

TEST(StampFiles, TheWorkingStampAndLibraryStampsAreWrittenAtTheirSizes) {
    const std::wstring temp = App().AppFolder + L"Librarians\\Stamptemp.tmp";
    const std::wstring leaf = App().AppFolder + L"Librarians\\Leaf one.lib";
    GdipBitmap source = BlockBitmap(120, 80), small = BlockBitmap(10, 10);
    ASSERT_TRUE(CopyImageToClipboard(source.get(), 0, 0, 120, 80));
    GdipImage image;
    int32_t w = 0, h = 0;
    ASSERT_TRUE(PasteClipboardImage(image, w, h));
    ::DeleteFileW(temp.c_str());

    struct Case {
        const char* what;
        std::function<bool()> save;
        const std::wstring& path;
        float w, h;
        bool samePixels; // drawn at the source's own size
    };
    for (const Case& c : std::vector<Case>{
             {"the paste at its own size", [] { return SaveStampTemp(true, nullptr, 0, 0); }, temp, 120, 80, true},
             {"a given image at a given size", [&] { return SaveStampTemp(false, small.get(), 33, 21); }, temp, 33, 21,
              false},
             {"a library stamp", [&] { return SaveStampLib(source.get(), 120, 80, L"Leaf one"); }, leaf, 120, 80, true},
             {"the same name again replaces it", [&] { return SaveStampLib(source.get(), 20, 12, L"Leaf one"); }, leaf,
              20, 12, false},
         }) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.save());
        GdiDIB stamp;
        ASSERT_TRUE(stamp.Import(c.path));
        EXPECT_EQ(ReadTestFile(c.path).substr(1, 3), "PNG");
        EXPECT_EQ(stamp.Width(), c.w);
        EXPECT_EQ(stamp.Height(), c.h);
        if (c.samePixels) {
            EXPECT_EQ(PixelAt(reinterpret_cast<GpBitmap*>(stamp.DIB()), 10, 10) | 0xFF000000u,
                      PixelAt(source.get(), 10, 10));
        }
    }
    // Nothing to draw: the stamp written before stays.
    const std::string before = ReadTestFile(temp);
    EXPECT_FALSE(SaveStampTemp(false, nullptr, 10, 10));
    EXPECT_FALSE(SaveStampTemp(false, small.get(), 0, 10));
    EXPECT_EQ(ReadTestFile(temp), before);
    FreeEffectBuffers();
}

TEST(StampFiles, ABadStampNameIsRefusedWithoutWritingAnything) {
    GdipBitmap source = BlockBitmap(8, 8);
    const std::wstring folder = App().AppFolder;
    for (const wchar_t* name : {L"", L"..\\escape", L"a/b", L"C:drive", L"sub\\x", L"what?", L"star*", L"pipe|",
                                L"quote\"", L"<x>", L"..", L".", L"   ", L"CON", L"nul", L"com1", L"LPT9.old"}) {
        EXPECT_FALSE(IsValidStampName(name)) << Narrow(name);
        EXPECT_FALSE(SaveStampLib(source.get(), 8, 8, name)) << Narrow(name);
    }
    EXPECT_FALSE(FileExistsForTest(folder + L"escape.lib"));
    EXPECT_FALSE(FileExistsForTest(folder + L"Librarians\\sub\\x.lib"));
    EXPECT_FALSE(FileExistsForTest(folder + L"Librarians\\.lib"));
    WIN32_FIND_DATAW found{};
    EXPECT_FALSE(UniqueFind(::FindFirstFileW((folder + L"*.lib").c_str(), &found)));
    for (const wchar_t* name : {L"Flowers", L"my stamp 2", L"a.b", L"CONSOLE", L"Été"})
        EXPECT_TRUE(IsValidStampName(name)) << Narrow(name);
    EXPECT_FALSE(SaveStampLib(nullptr, 8, 8, L"Flowers"));
    EXPECT_FALSE(FileExistsForTest(folder + L"Librarians\\Flowers.lib"));
}
