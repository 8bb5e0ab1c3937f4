#include "controls/BuildSkinPicture.h"

#include "platform/PictureBox.h"

namespace {

struct Area {
    LONG x, y, width, height;
};

struct Piece {
    Area target; // in Dest
    Area source; // in the sheet
};

} // namespace

UniqueHBitmap LoadSkinSheet(HMODULE module) {
    if (!module) module = ::GetModuleHandleW(nullptr);
    return UniqueHBitmap(
        static_cast<HBITMAP>(::LoadImageW(module, L"MAINSKIN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

GdipBitmap BuildSkinPicture(PictureBox& Dest, HBITMAP Source) {
    Dest.Cls();
    BITMAP sheet{};
    if (!Source || !::GetObjectW(Source, sizeof(sheet), &sheet)) return {};
    const LONG sw = sheet.bmWidth, sh = sheet.bmHeight, H = kSkinBandHeight;
    // The bottom band's strip ends at x 157; the middle strips end at row 57.
    if (sw < 157 || sh < H + 5) return {};
    const LONG W = Dest.Width(), Hd = Dest.Height();

    // In this order: later pieces cover earlier ones where they overlap.
    const Piece pieces[] = {
        {{0, 0, 150, H}, {0, 0, 150, H}},                    // top left
        {{150, 0, W - 206, H}, {150, 0, 5, H}},              // top band
        {{W - 98, 0, 98, H}, {sw - 98, 0, 98, H}},           // top right
        {{0, H, 15, Hd - 80}, {0, H, 15, 5}},                // left edge
        {{15, H, W - 30, Hd - 80}, {15, H, 5, 5}},           // centre
        {{W - 15, H, 15, Hd - 80}, {sw - 15, H, 15, 5}},     // right edge
        {{0, Hd - H, 150, H}, {0, sh - H, 150, H}},          // bottom left
        {{150, Hd - H, W - 165, H}, {152, sh - H, 5, H}},    // bottom band
        {{W - 15, Hd - H, 15, H}, {sw - 15, sh - H, 15, H}}, // bottom right
    };

    UniqueDc sourceDc(::CreateCompatibleDC(Dest.hDC()));
    if (!sourceDc) return {};
    {
        ScopedSelectObject selected(sourceDc.get(), Source);
        HDC dc = Dest.hDC();
        // Whole source pixels only: the key colour of the outside must stay exact for the shape.
        const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        for (const Piece& p : pieces) {
            // A negative size would mirror the piece; a window too small for it goes without.
            if (p.target.width <= 0 || p.target.height <= 0) continue;
            ::StretchBlt(dc, p.target.x, p.target.y, p.target.width, p.target.height, sourceDc.get(), p.source.x,
                         p.source.y, p.source.width, p.source.height, SRCCOPY);
        }
        ::SetStretchBltMode(dc, oldMode);
        ::GdiFlush();
    }
    Dest.Refresh();

    // A copy of the box's pixels that owns its memory.
    GdipBitmap view, copy;
    if (GdipCreateBitmapFromScan0(W, Hd, W * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(Dest.Bits()),
                                  view.put()) != Ok ||
        GdipCloneBitmapAreaI(0, 0, W, Hd, PixelFormat32bppRGB, view.get(), copy.put()) != Ok)
        return {};
    return copy;
}
