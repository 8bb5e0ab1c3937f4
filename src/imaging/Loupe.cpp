#include "imaging/Loupe.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "platform/GdipHandles.h"
#include "platform/Rounding.h"

void DrawLoupe(HDC target, HBITMAP sourceBitmap, HPALETTE sourcePalette, float x, float y, float w, float h,
               float cornerW, float cornerH, GpBrush* panelBrush, float cx, float cy, int32_t areaSize) {
    GdipGraphics surface;
    if (!target || GdipCreateFromHDC(target, surface.put()) != Ok) return;
    GdipSetSmoothingMode(surface.get(), SmoothingModeAntiAlias);
    const GdipPen light = MakePen(ColorARGB(200, 255, 255, 255), 1), dark = MakePen(ColorARGB(100, 0, 0, 0), 1);

    GdipPath outline = CreateRoundRectPath(x, y, w, h, cornerW, cornerH);
    if (outline) {
        if (panelBrush) GdipFillPath(surface.get(), panelBrush, outline.get());
        GdipDrawPath(surface.get(), dark.get(), outline.get());
    }

    GdipBitmap source;
    if (sourceBitmap && areaSize > 0 && GdipCreateBitmapFromHBITMAP(sourceBitmap, sourcePalette, source.put()) == Ok) {
        UINT sw = 0, sh = 0;
        GdipGetImageWidth(source.get(), &sw);
        GdipGetImageHeight(source.get(), &sh);
        const int32_t left = RoundHalfEven(cx - areaSize / 2), top = RoundHalfEven(cy - areaSize / 2);
        // A square reaching past the picture cannot be taken: the panel shows without it.
        const bool inside = left >= 0 && top >= 0 && static_cast<int64_t>(left) + areaSize <= sw &&
                            static_cast<int64_t>(top) + areaSize <= sh;
        PixelFormat format = PixelFormat32bppARGB;
        GdipGetImagePixelFormat(source.get(), &format);
        GdipBitmap square;
        if (inside && GdipCloneBitmapAreaI(left, top, areaSize, areaSize, format, source.get(), square.put()) == Ok)
            GdipDrawImageRect(surface.get(), square.get(), x + kLoupeInset, y + kLoupeInset, kLoupeViewSize,
                              kLoupeViewSize);
    }

    const float ringX = x + static_cast<float>(RoundHalfEven(w + 5) / 2 + 5);
    const float ringY = y + static_cast<float>(RoundHalfEven(h + 5) / 2);
    GdipDrawEllipse(surface.get(), light.get(), ringX, ringY, 5, 5);
    GdipDrawEllipse(surface.get(), dark.get(), ringX + 1, ringY + 1, 5, 5);
}
