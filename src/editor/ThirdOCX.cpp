#include "editor/ThirdOCX.h"

#include "imaging/DIBsave.h"
#include "imaging/EffectBuffers.h"
#include "imaging/GdiDIB.h"
#include "imaging/ImageEffects.h"
#include "imaging/LayerFilters.h"
#include "imaging/ModGDI.h"
#include "platform/GdipHandles.h"

namespace {

// The kernel strengths (the layer filters' amounts) and what they come to, P the pixel:
//   blur:         (P + sum of 8) \ 9, a plain 3 x 3 mean;
//   sharpen:      (16 P - sum of 8) \ 8, twice the pixel less the mean of its ring;
//   soften:       (4 P + sum of 4) \ 8, half the pixel and half the mean of its direct neighbours.
constexpr int32_t kBlurAmount = 100;
constexpr int32_t kSharpenAmount = 93;
constexpr int32_t kSoftenAmount = 97;

void Kernel(const CDIB& picture, int32_t amount, int32_t filterId) {
    DIBArray view;
    ScopedDIBArray attach(picture, view);
    ApplyKernel(view, amount, filterId);
}

} // namespace

bool wpdlx::LoadImage(const std::wstring& fileName) {
    GdipImage image(LoadImageFromFileCopy(fileName));
    return LoadPicture(image.get());
}

bool wpdlx::LoadPicture(GpImage* image) {
    picture_.Destroy();
    UINT w = 0, h = 0;
    if (!image || GdipGetImageWidth(image, &w) != Ok || GdipGetImageHeight(image, &h) != Ok || w == 0 || h == 0 ||
        w > INT32_MAX || h > INT32_MAX)
        return false;
    if (picture_.Create(static_cast<int32_t>(w), static_cast<int32_t>(h), 32) && GdipImageToDIB(picture_, image))
        return true;
    picture_.Destroy();
    return false;
}

template <typename Apply> void wpdlx::FromCopy(Apply apply) {
    if (!Loaded()) return;
    CDIB source;
    if (!picture_.CloneTo(source)) return;
    DIBArray from, to;
    ScopedDIBArray attachFrom(source, from);
    ScopedDIBArray attachTo(picture_, to);
    apply(from, to);
}

void wpdlx::Blur() {
    if (Loaded()) Kernel(picture_, kBlurAmount, kFilterBlur);
}

void wpdlx::Sharpen() {
    if (Loaded()) Kernel(picture_, kSharpenAmount, kFilterSharpen);
}

void wpdlx::Soften() {
    if (Loaded()) Kernel(picture_, kSoftenAmount, kFilterSoften);
}

void wpdlx::Antialias() {
    if (!Loaded()) return;
    DIBArray view;
    ScopedDIBArray attach(picture_, view);
    ApplyAntialias(view);
}

void wpdlx::Ripple(int32_t amount) {
    FromCopy([amount](const DIBArray& from, const DIBArray& to) { ApplyRipple(from, to, amount); });
}

bool wpdlx::SaveImage(const std::wstring& fileName) const {
    return Loaded() && WriteEffectFile(picture_, fileName);
}

bool WriteEffectFile(const CDIB& picture, const std::wstring& fileName) {
    if (picture.BPP() != 32 || !picture.lpBits()) return false;
    if (AllOpaque(picture)) return picture.Save(fileName);
    GdipBitmap bitmap(DIBToGdipBitmap(picture));
    return bitmap && SaveImageSafely(bitmap.get(), fileName, kFormatPng, 0);
}
