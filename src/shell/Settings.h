// The user settings kept under one registry key: the nineteen named values, read once at start
// and written once at the end. The key is a parameter, so tests use a scratch key.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr const wchar_t* kSettingsKey = L"SOFTWARE\\Morv Vellumo";

// What a first start uses where 0 would break the window.
namespace SettingsDefaults {
constexpr int32_t SplitHLeft = 270; // wide enough to show the left column
constexpr int32_t SplitlvTop = 368;
constexpr int32_t SplitVTop = 328;
constexpr int32_t ThumSize = 100;
constexpr const wchar_t* ThumSizeMenu = L"Zoom_Normal";
constexpr int32_t Quilaty = 9; // JPEG quality 90
} // namespace SettingsDefaults

// The ranges the commands can set: the thumbnail-size menu (60 to 150) and the slideshow's
// "[-" and "+]" (1000 to 8000 ms). A stored value outside them, written by hand or by another
// version, would overflow the grid's layout or its cell cache.
namespace SettingsLimits {
constexpr int32_t ThumSizeMin = 60;
constexpr int32_t ThumSizeMax = 150;
constexpr int32_t SlideSpeedMin = 1000;
constexpr int32_t SlideSpeedMax = 8000;
} // namespace SettingsLimits

struct StoredSettings {
    std::wstring CurrentDirectory; // written, never read back
    int32_t SplitlvTop = SettingsDefaults::SplitlvTop;
    int32_t SplitVTop = SettingsDefaults::SplitVTop;
    int32_t SplitHLeft = SettingsDefaults::SplitHLeft;
    int32_t isMax = 0;
    // The outer window rectangle in twips; written, never read back.
    int32_t OldX = 0, OldY = 0, OldW = 0, OldH = 0;
    int32_t SlideSpeed = 0;
    bool Fitmode = false; // stored 1 or 0; any other stored value reads as off
    std::wstring ArrangeString;
    int32_t oldThumTop = 0;
    int32_t Quilaty = SettingsDefaults::Quilaty;
    int32_t Textcolor = 0; // RGB, red in the low byte
    std::wstring ThumSizeMenu = SettingsDefaults::ThumSizeMenu;
    int32_t ThumWidth = SettingsDefaults::ThumSize;
    int32_t ThumHeight = SettingsDefaults::ThumSize;
    std::wstring LineMenu;
};

// Reads the values present under key; a missing value (or one of the other type) keeps the
// default above, or 0 and "" where there is none. The thumbnail size and the slideshow delay are
// brought into SettingsLimits; a stored 0 (an earlier first start) counts as missing.
[[nodiscard]] StoredSettings ReadSettings(HKEY root, const std::wstring& key);
// Writes the nineteen values in their fixed order, creating the key; false when one write failed
// (the others are still written).
[[nodiscard]] bool WriteSettings(HKEY root, const std::wstring& key, const StoredSettings& settings);
