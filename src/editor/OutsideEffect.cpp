#include "editor/OutsideEffect.h"

#include "editor/ThirdOCX.h"
#include "imaging/CDIB.h"
#include "platform/Rounding.h"

namespace {

// The engine's part: apply the effect to the loaded picture, one case an effect id.
bool Apply(int32_t effect, wpdlx& engine) {
    switch (effect) {
    case 12:
        engine.Blur();
        return true;
    case 13:
        engine.Sharpen();
        return true;
    case 14:
        engine.Soften();
        return true;
    case 15:
        engine.Antialias();
        return true;
    case 16:
        engine.Ripple(kRippleAmount);
        return true;
    default:
        return false;
    }
}

} // namespace

GdipBitmap RunOutsideEffect(int32_t effect, GpImage* shown, float width, float height) {
    if (!IsOutsideEffect(effect) || !shown) return {};
    const int32_t w = RoundHalfEven(width), h = RoundHalfEven(height);
    // The shown picture, not the previous step's file: from the 51st step on that file is older
    // than what is shown.
    wpdlx ThirdOCX;
    if (!ThirdOCX.LoadPicture(shown) || ThirdOCX.Picture().Width() != w || ThirdOCX.Picture().Height() != h ||
        !Apply(effect, ThirdOCX))
        return {};
    // An opaque result goes back without an alpha channel: the same pixels, which the canvas then
    // reads for its view and its undo file without converting each one.
    const PixelFormat format = AllOpaque(ThirdOCX.Picture()) ? PixelFormat32bppRGB : PixelFormat32bppARGB;
    return GdipBitmap(DIBToGdipBitmap(ThirdOCX.Picture(), format));
}
