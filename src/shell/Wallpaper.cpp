#include "shell/Wallpaper.h"

#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "platform/MessageBoxService.h"
#include "shell/ModyzReg.h"

namespace {

constexpr int kBottomStrip = 40;

} // namespace

bool ComposeWallpaper(GpImage* picture, SIZE screen, WallpaperColor colour, DIBsave& out) {
    if (!picture || screen.cx <= 0 || screen.cy <= 0) return false;
    UINT pw = 0, ph = 0;
    if (GdipGetImageWidth(picture, &pw) != Ok || GdipGetImageHeight(picture, &ph) != Ok || pw == 0 || ph == 0)
        return false;
    if (!out.CreateBlankMemory(screen.cy, screen.cx) || !out.MemGraphics) return false;
    colour.Alpha = 255;
    out.ClearScreen(colour.Argb());
    float x = 0, y = 0, w = static_cast<float>(screen.cx), h = static_cast<float>(screen.cy);
    if (static_cast<LONG>(pw) < screen.cx && static_cast<LONG>(ph) < screen.cy) {
        GdiDIB::GetBestFitInfo(static_cast<float>(pw), static_cast<float>(ph), static_cast<float>(screen.cx),
                               static_cast<float>(screen.cy - kBottomStrip), x, y, w, h);
        DrawStripes(DrawTarget::Surface(out.MemGraphics), ColorARGB(0, 255, 255, 255), ColorARGB(50, 255, 255, 255), 0,
                    static_cast<float>(screen.cx), static_cast<float>(screen.cy));
    }
    GdipSetInterpolationMode(out.MemGraphics, InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(out.MemGraphics, PixelOffsetModeHalf);
    // Mirrored edges keep a stretched picture's border from fading into the background.
    GdipImageAttributes edges;
    if (GdipCreateImageAttributes(edges.put()) == Ok)
        GdipSetImageAttributesWrapMode(edges.get(), WrapModeTileFlipXY, 0, FALSE);
    return GdipDrawImageRectRectI(out.MemGraphics, picture, static_cast<INT>(x), static_cast<INT>(y),
                                  static_cast<INT>(w), static_cast<INT>(h), 0, 0, static_cast<INT>(pw),
                                  static_cast<INT>(ph), UnitPixel, edges.get(), nullptr, nullptr) == Ok;
}

bool SetDesktopWallpaper(HWND owner, GpImage* picture, SIZE screen, WallpaperColor colour,
                         const std::wstring& programFolder, WallpaperSystem& system) {
    const std::wstring question = L"This will replace your current desktop background with the current image.\n"
                                  L"Are you sure you want to proceed?";
    if (ShowMessageBox(owner, question, L"Confirm", MB_YESNO) != IDYES) return false;
    if (!picture) return false;
    system.SetBusy(true);
    const std::wstring path = programFolder + L"Datas\\VelluPaper.bmp";
    DIBsave bitmap;
    const bool written = ComposeWallpaper(picture, screen, colour, bitmap) && bitmap.Save(path, 0, 90);
    if (written) {
        (void)system.SetDeskWallpaper(path);
        (void)system.WriteDesktopValue(L"Wallpaper", path);
        (void)system.WriteDesktopValue(L"WallpaperStyle", L"2");
        (void)system.WriteDesktopValue(L"TileWallpaper", L"0");
        system.RefreshDesktop();
    }
    system.SetBusy(false);
    if (!written)
        ShowMessageBox(owner, L"The wallpaper could not be written to " + path + L".", L"Wallpaper",
                       MB_OK | MB_ICONEXCLAMATION);
    return written;
}

void SystemWallpaper::SetBusy(bool busy) {
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

bool SystemWallpaper::SetDeskWallpaper(const std::wstring& bitmapPath) {
    std::wstring path = bitmapPath;
    return ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), 0) != FALSE;
}

bool SystemWallpaper::WriteDesktopValue(const std::wstring& name, const std::wstring& value) {
    return RegSaveString(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, value);
}

void SystemWallpaper::RefreshDesktop() {
    const HWND progman = ::FindWindowW(L"Progman", nullptr);
    const HWND view = progman ? ::FindWindowExW(progman, nullptr, L"SHELLDLL_DefView", nullptr) : nullptr;
    const HWND list = view ? ::FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
    if (list) ::PostMessageW(list, WM_KEYDOWN, VK_F5, 0x003F0001);
}
