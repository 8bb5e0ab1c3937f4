// What the canvas tests share: picture files of known colours written to a test folder, and the
// canvas's own files under the scratch "Datas\".
#pragma once

#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <string>

inline constexpr uint32_t kTopLeft = ColorARGB(255, 200, 30, 30);
inline constexpr uint32_t kTopRight = ColorARGB(255, 30, 160, 30);
inline constexpr uint32_t kBottomLeft = ColorARGB(255, 30, 30, 200);
inline constexpr uint32_t kBottomRight = ColorARGB(255, 230, 210, 40);

// A PNG of w x h in four coloured quarters (the split at w / 2 and h / 2).
inline std::wstring WriteQuartersPicture(const std::wstring& folder, const std::wstring& name, int w, int h) {
    GdipBitmap bitmap = BitmapOf(w, h, [w, h](int x, int y) {
        if (y < h / 2) return x < w / 2 ? kTopLeft : kTopRight;
        return x < w / 2 ? kBottomLeft : kBottomRight;
    });
    const std::wstring path = folder + name;
    return SaveImageSafely(bitmap.get(), path, kFormatPng, 0) ? path : std::wstring();
}

inline std::wstring DataFile(const std::wstring& name) {
    return App().DataPath + name;
}

// The RGB colour (red in the low byte) of an ARGB one, as screen reads give it.
inline COLORREF AsRgb(uint32_t argb) {
    return static_cast<COLORREF>(ARGBToRGB(argb));
}

// The largest channel difference between two RGB colours.
inline int RgbDistance(COLORREF a, COLORREF b) {
    return ChannelDistance(RGBToARGB(a, 255), RGBToARGB(b, 255));
}
