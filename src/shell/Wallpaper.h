// The desktop-wallpaper command: the shown picture laid on a screen-sized bitmap in the wallpaper
// colour, written beside the program and made the desktop background.
#pragma once

#include "imaging/DIBsave.h"
#include "platform/Gdip.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The colour around the picture, byte by byte as the bitmap stores it.
struct WallpaperColor {
    uint8_t Blue = 200;
    uint8_t Green = 140;
    uint8_t Red = 100;
    uint8_t Alpha = 255;
    [[nodiscard]] uint32_t Argb() const {
        return (uint32_t{Alpha} << 24) | (uint32_t{Red} << 16) | (uint32_t{Green} << 8) | Blue;
    }
};

// Draws the picture for a screen of screen.cx x screen.cy into out. A picture smaller than the
// screen both ways keeps its size, centred above a 40-pixel strip at the bottom, over faint
// stripes; any other is stretched to the whole screen. False when nothing could be drawn.
[[nodiscard]] bool ComposeWallpaper(GpImage* picture, SIZE screen, WallpaperColor colour, DIBsave& out);

// What the command does to the system, apart from drawing: tests record it.
class WallpaperSystem {
public:
    virtual ~WallpaperSystem() = default;
    virtual void SetBusy(bool busy) = 0;
    [[nodiscard]] virtual bool SetDeskWallpaper(const std::wstring& bitmapPath) = 0;
    // A REG_SZ value under HKEY_CURRENT_USER "Control Panel\Desktop".
    [[nodiscard]] virtual bool WriteDesktopValue(const std::wstring& name, const std::wstring& value) = 0;
    // Asks the desktop's icon list to redraw; there may be none.
    virtual void RefreshDesktop() = 0;
};

// The system as it is: SystemParametersInfoW, the registry, and F5 posted to the desktop list.
class SystemWallpaper final : public WallpaperSystem {
public:
    void SetBusy(bool busy) override;
    [[nodiscard]] bool SetDeskWallpaper(const std::wstring& bitmapPath) override;
    [[nodiscard]] bool WriteDesktopValue(const std::wstring& name, const std::wstring& value) override;
    void RefreshDesktop() override;
};

// Asks first; on Yes writes programFolder + "Datas\VelluPaper.bmp" and sets it. False when not
// asked for, when there is no picture, or when the bitmap could not be written (then the desktop
// is left alone and the user is told).
bool SetDesktopWallpaper(HWND owner, GpImage* picture, SIZE screen, WallpaperColor colour,
                         const std::wstring& programFolder, WallpaperSystem& system);
