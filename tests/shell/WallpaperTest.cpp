#include "shell/Wallpaper.h"

#include "tests/support/TestSupport.h"
#include "platform/GdipHandles.h"
#include "platform/MessageBoxService.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr uint32_t kPictureColour = 0xFF20A040u;

GdipBitmap SolidPicture(int w, int h) {
    GdipBitmap b;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, b.put());
    GdipGraphics g;
    GdipGetImageGraphicsContext(b.get(), g.put());
    GdipGraphicsClear(g.get(), kPictureColour);
    return b;
}

bool Near(uint32_t a, uint32_t b, int tolerance = 3) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

TEST(Wallpaper, SmallPictureKeepsItsSizeCentredAboveTheStripOverStripes) {
    const GdipBitmap picture = SolidPicture(800, 600);
    const WallpaperColor colour{};
    for (const auto& [screen, at] : {std::pair{SIZE{1024, 768}, POINT{112, 64}}, {SIZE{1280, 1024}, {240, 192}}}) {
        DIBsave out;
        ASSERT_TRUE(ComposeWallpaper(picture.get(), screen, colour, out));
        EXPECT_EQ(out.NewWidth, screen.cx);
        EXPECT_EQ(out.NewHeight, screen.cy);
        // The picture's edges, both axes, and one pixel outside them.
        EXPECT_TRUE(Near(PixelAt(out.new_Img, at.x, at.y + 1), kPictureColour));
        EXPECT_TRUE(Near(PixelAt(out.new_Img, at.x + 799, at.y + 599), kPictureColour));
        EXPECT_FALSE(Near(PixelAt(out.new_Img, at.x - 1, at.y + 1), kPictureColour, 40));
        EXPECT_FALSE(Near(PixelAt(out.new_Img, at.x + 800, at.y + 599), kPictureColour, 40));
        EXPECT_FALSE(Near(PixelAt(out.new_Img, at.x + 5, at.y + 600), kPictureColour, 40));
        // Background: every third row plain in the wallpaper colour, the two between striped lighter.
        EXPECT_TRUE(Near(PixelAt(out.new_Img, 3, 3), colour.Argb()));
        EXPECT_TRUE(Near(PixelAt(out.new_Img, 3, 4), PixelAt(out.new_Img, 3, 5)));
        const uint32_t striped = PixelAt(out.new_Img, 3, 4);
        EXPECT_GT(static_cast<int>(striped & 0xFF), colour.Blue + 5) << std::hex << striped;
    }
}

TEST(Wallpaper, PictureAsLargeAsTheScreenOneWayIsStretchedWithoutStripes) {
    const GdipBitmap picture = SolidPicture(1024, 500);
    DIBsave out;
    ASSERT_TRUE(ComposeWallpaper(picture.get(), {1024, 768}, WallpaperColor{}, out));
    for (const POINT p : {POINT{0, 0}, POINT{1023, 2}, POINT{0, 767}, POINT{1023, 767}, POINT{500, 400}})
        EXPECT_TRUE(Near(PixelAt(out.new_Img, p.x, p.y), kPictureColour)) << p.x << "," << p.y;
}

class RecordingSystem final : public WallpaperSystem {
public:
    std::vector<std::wstring> calls;
    void SetBusy(bool busy) override { calls.push_back(busy ? L"busy" : L"idle"); }
    bool SetDeskWallpaper(const std::wstring& path) override { return calls.push_back(L"set " + path), true; }
    bool WriteDesktopValue(const std::wstring& n, const std::wstring& v) override {
        return calls.push_back(n + L"=" + v), true;
    }
    void RefreshDesktop() override { calls.push_back(L"refresh"); }
};

TEST(Wallpaper, CommandAsksWritesTheBitmapAndTheDesktopValues) {
    const std::wstring folder = MakeTestFolder(L"wallpaper");
    ::CreateDirectoryW((folder + L"Datas").c_str(), nullptr);
    const std::wstring path = folder + L"Datas\\VelluPaper.bmp";
    const GdipBitmap picture = SolidPicture(300, 200);
    RecordingSystem system;
    int answer = IDNO;
    ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest&) { return answer; });
    EXPECT_FALSE(SetDesktopWallpaper(nullptr, picture.get(), {640, 480}, {}, folder, system));
    EXPECT_TRUE(system.calls.empty());
    EXPECT_FALSE(FileExistsForTest(path));

    answer = IDYES;
    ASSERT_TRUE(SetDesktopWallpaper(nullptr, picture.get(), {640, 480}, {}, folder, system));
    EXPECT_EQ(system.calls, (std::vector<std::wstring>{L"busy", L"set " + path, L"Wallpaper=" + path,
                                                       L"WallpaperStyle=2", L"TileWallpaper=0", L"refresh", L"idle"}));
    GdipImage written;
    ASSERT_EQ(GdipLoadImageFromFile(path.c_str(), written.put()), Ok);
    UINT w = 0, h = 0;
    GdipGetImageWidth(written.get(), &w);
    GdipGetImageHeight(written.get(), &h);
    EXPECT_EQ(w, 640u);
    EXPECT_EQ(h, 480u);
}

} // namespace
