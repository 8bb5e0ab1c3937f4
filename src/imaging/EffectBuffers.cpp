// The pixel view over a CDIB's bits and the effect module's shared buffers.
#include "imaging/EffectBuffers.h"

#include "platform/Rounding.h"

#include <cmath>

void MapDIBArray(const CDIB& dib, DIBArray& view) {
    UnmapDIBArray(view);
    if (!dib.lpBits() || dib.BPP() != 32 || dib.Width() <= 0 || dib.Height() <= 0) return;
    // Any GDI drawing still queued for the section must land before the pixels are read.
    ::GdiFlush();
    view.pixels_ = reinterpret_cast<Pixel32*>(dib.lpBits());
    view.width_ = dib.Width();
    view.height_ = dib.Height();
}

void UnmapDIBArray(DIBArray& view) {
    view.pixels_ = nullptr;
    view.width_ = 0;
    view.height_ = 0;
}

int32_t PointDistance(PointF p1, PointF p2) {
    const double dx = static_cast<double>(p1.X) - p2.X;
    const double dy = static_cast<double>(p1.Y) - p2.Y;
    const int32_t squared = RoundHalfEven(dx * dx + dy * dy);
    return RoundHalfEven(std::sqrt(static_cast<double>(squared)));
}

// The buffers are made once and never destroyed by the runtime: their teardown would run after
// GDI+ has been shut down at exit. FreeEffectBuffers releases what they hold.
GdiDIB& ClipboardImage() {
    static GdiDIB* const buffer = new GdiDIB;
    return *buffer;
}

CDIB& FilterDib() {
    static CDIB* const buffer = new CDIB;
    return *buffer;
}

DIBArray& PixelView() {
    static DIBArray* const view = new DIBArray;
    return *view;
}

void FreeEffectBuffers() {
    UnmapDIBArray(PixelView());
    ClipboardImage().Destroy();
    FilterDib().Destroy();
}
