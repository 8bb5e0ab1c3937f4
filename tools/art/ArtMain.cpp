// vellumo_art DATAS_DIR ART_DIR: draws every registered interface image and a contact sheet.
#include "tools/art/Art.h"

#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/GdiplusSession.h"
#include "platform/PathHelpers.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

std::vector<ArtItem>& Registry() {
    static std::vector<ArtItem> items;
    return items;
}

// Arguments arrive as Unix paths when the build runs us under Wine.
std::wstring WindowsPath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (!path.empty() && path[0] == L'\\') path = L"Z:" + path;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path;
}

int FormatFromName(const std::wstring& name) {
    const std::wstring ext = GetFileExt(name);
    if (ext == L"bmp") return kFormatBmp;
    if (ext == L"jpg") return kFormatJpeg;
    if (ext == L"gif") return kFormatGif;
    return kFormatPng;
}

// Each image at its own size on a checkerboard (to show transparency), its name beneath.
bool WriteContactSheet(const std::vector<std::pair<std::wstring, GpBitmap*>>& drawn, const std::wstring& path) {
    constexpr int kCell = 220, kLabel = 20, kColumns = 4, kPad = 10;
    const int rows = std::max<int>(1, (static_cast<int>(drawn.size()) + kColumns - 1) / kColumns);
    ArtCanvas sheet = MakeArtCanvas(kColumns * kCell, rows * (kCell + kLabel));
    GpGraphics* g = sheet.graphics.get();
    GdipGraphicsClear(g, ColorARGB(255, 255, 255, 255));
    GdipFontFamily family;
    GdipCreateFontFamilyFromName(L"Tahoma", nullptr, family.put());
    GdipFont font;
    GdipCreateFont(family.get(), 11, FontStyleRegular, UnitPixel, font.put());
    GdipSolidFill ink, light, dark;
    GdipCreateSolidFill(ColorARGB(255, 0, 0, 0), ink.put());
    GdipCreateSolidFill(ColorARGB(255, 204, 204, 204), light.put());
    GdipCreateSolidFill(ColorARGB(255, 153, 153, 153), dark.put());
    for (size_t i = 0; i < drawn.size(); ++i) {
        const float x0 = static_cast<float>((i % kColumns) * kCell),
                    y0 = static_cast<float>((i / kColumns) * (kCell + kLabel));
        const float box = kCell - 2 * kPad;
        for (int cy = 0; cy < box / 10; ++cy)
            for (int cx = 0; cx < box / 10; ++cx)
                GdipFillRectangle(g, ((cx + cy) % 2) ? dark.get() : light.get(), x0 + kPad + cx * 10.f,
                                  y0 + kPad + cy * 10.f, 10, 10);
        UINT w = 0, h = 0;
        GdipGetImageWidth(drawn[i].second, &w);
        GdipGetImageHeight(drawn[i].second, &h);
        const float scale = std::min(1.0f, std::min(box / static_cast<float>(w), box / static_cast<float>(h)));
        GdipDrawImageRect(g, drawn[i].second, x0 + kPad, y0 + kPad, w * scale, h * scale);
        RectF layout(x0 + kPad, y0 + kCell - 4, box, static_cast<float>(kLabel));
        std::wstring label = drawn[i].first + L" (" + std::to_wstring(w) + L"x" + std::to_wstring(h) + L")";
        GdipDrawString(g, label.c_str(), -1, font.get(), &layout, nullptr, ink.get());
    }
    return SaveImageSafely(sheet.bitmap.get(), path, kFormatPng, 0);
}

} // namespace

bool RegisterArt(ArtItem item) {
    Registry().push_back(std::move(item));
    return true;
}

ArtCanvas MakeArtCanvas(int width, int height) {
    ArtCanvas c;
    GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, c.bitmap.put());
    GdipGetImageGraphicsContext(c.bitmap.get(), c.graphics.put());
    GdipSetSmoothingMode(c.graphics.get(), SmoothingModeAntiAlias);
    GdipSetInterpolationMode(c.graphics.get(), InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(c.graphics.get(), PixelOffsetModeHalf);
    GdipGraphicsClear(c.graphics.get(), 0);
    return c;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vellumo_art DATAS_DIR ART_DIR\n");
        return 2;
    }
    GdiplusSession gdiplus;
    if (!gdiplus.Ok()) return 1;
    const std::wstring datas = WindowsPath(argv[1]), art = WindowsPath(argv[2]);

    auto& items = Registry();
    std::sort(items.begin(), items.end(), [](const ArtItem& a, const ArtItem& b) { return a.name < b.name; });
    std::vector<GdipBitmap> bitmaps;
    std::vector<std::pair<std::wstring, GpBitmap*>> drawn;
    int failures = 0;
    for (const ArtItem& item : items) {
        GdipBitmap bitmap = item.draw();
        const std::wstring path = (item.where == ArtDestination::Datas ? datas : art) + item.name;
        const bool ok = bitmap && (item.write ? item.write(bitmap.get(), path)
                                              : SaveImageSafely(bitmap.get(), path, FormatFromName(item.name), 95));
        if (!ok) {
            std::fprintf(stderr, "vellumo_art: could not write %ls\n", path.c_str());
            ++failures;
            continue;
        }
        drawn.emplace_back(item.name, bitmap.get());
        bitmaps.push_back(std::move(bitmap));
    }
    if (!WriteContactSheet(drawn, art + L"contact-sheet.png")) {
        std::fprintf(stderr, "vellumo_art: could not write the contact sheet\n");
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
