#include "editor/EditPanel.h"

#include "editor/ViewPixels.h"
#include "imaging/DrawTarget.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/PictureBox.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace {

constexpr uint32_t kPanelColour = ColorARGB(100, 80, 80, 80);
constexpr uint32_t kWhite = ColorARGB(255, 255, 255, 255);

GdipImage LoadDataImage(const wchar_t* name) {
    return GdipImage(LoadImageFromFileCopy(App().DataPath + name));
}

// A thumbnail of the named data image at the size the panels draw it from.
GdipImage LoadDataThumbnail(const wchar_t* name, UINT width, UINT height) {
    GdipImage full = LoadDataImage(name);
    GdipImage thumb;
    if (full) GdipGetImageThumbnail(full.get(), width, height, thumb.put(), nullptr, nullptr);
    return thumb;
}

void RoundedShape(GpGraphics* g, float x, float y, float w, float h) {
    DrawRoundGradientRect(DrawTarget::Surface(g), 0, 0, 200, 50, x, y, w, h, 10, 10, kPanelColour, kPanelColour, false,
                          2, 0);
}

void Caption(GpGraphics* g, const wchar_t* text, float x, float y) {
    DrawShadowText(DrawTarget::Surface(g), text, x, y, L"Tahoma", 8, kWhite, 0, false, 200);
}

} // namespace

void EditPanel::LoadImages() {
    thumbImage_ = LoadDataImage(L"ScrollTop.png");
    backImage_ = LoadDataThumbnail(L"Back.png", 26, 26);
    nextImage_ = LoadDataThumbnail(L"Next.png", 26, 26);
    colorPickerImage_ = LoadDataThumbnail(L"ColorPicker.png", 125, 130);
}

void EditPanel::Release() {
    thumbImage_.reset();
    backImage_.reset();
    nextImage_.reset();
    colorPickerImage_.reset();
}

float EditPanel::ThumbWidth() const {
    UINT imageW = 0;
    if (thumbImage_) GdipGetImageWidth(thumbImage_.get(), &imageW);
    return imageW ? static_cast<float>(imageW) : kThumbWidth;
}

void EditPanel::Draw(PictureBox& box, int32_t effect, int32_t max, int32_t min, std::optional<float> dragX,
                     bool refresh) {
    const float w = static_cast<float>(box.Width()), h = static_cast<float>(box.Height());
    const EditPanelLayout panel = LayOutEditPanel(effect, w, h);
    const float PX = panel.PX, Y = panel.Y, B = panel.B;
    {
        GdipGraphics surface = box.CreateGraphics();
        GpGraphics* g = surface.get();
        if (!g) return;
        DrawBand(g, effect, box.Width(), box.Height(), panel);
        if (panel.slider) {
            const float thumbW = ThumbWidth();
            if (dragX) SliderValue = SliderValueAtPointer(*dragX, PX, thumbW, max, min);
            const SliderThumb thumb = PlaceSliderThumb(SliderValue, PX, thumbW, max, min, false);
            SliderValue = thumb.value;
            if (thumbImage_) GdipDrawImage(g, thumbImage_.get(), thumb.x, Y + 3);
            Rects[kPanelSlider] = RectF(thumb.x, Y, 15, 26);
        } else {
            Rects[kPanelSlider] = RectF();
        }
        if (panel.option) Rects[kPanelOption] = RectF(PX + B + 120, Y + 2, 55, 22);
        Rects[kPanelApply] = RectF(PX + B, Y + 2, 55, 22);
        Rects[kPanelCancel] = RectF(PX + B + 60, Y + 2, 55, 22);
        if (panel.stampUndo) {
            Rects[kPanelStampRedo] = RectF(PX - 60, Y + 2, 55, 22);
            Rects[kPanelStampUndo] = RectF(PX - 120, Y + 2, 55, 22);
        }
    }
    // In place: the platform's outline of the whole control costs more than the rest of a paint.
    ::GdiFlush();
    DrawControlBorder(BackBuffer{box.Bits(), box.Width(), box.Height()});
    if (refresh) box.Refresh();
}

void EditPanel::DrawColourPicker(PictureBox& box) {
    const float w = static_cast<float>(box.Width());
    GdipGraphics g = box.CreateGraphics();
    if (g && colorPickerImage_) GdipDrawImageRect(g.get(), colorPickerImage_.get(), w - 85, 5, 80, 70);
    Rects[kPanelPicker] = RectF(w - 85, 5, 80, 70);
}

void EditPanel::FollowSlider(int32_t effect, float controlW, float controlH, float x, int32_t max, int32_t min) {
    const EditPanelLayout panel = LayOutEditPanel(effect, controlW, controlH);
    const float thumbW = ThumbWidth();
    SliderValue =
        PlaceSliderThumb(SliderValueAtPointer(x, panel.PX, thumbW, max, min), panel.PX, thumbW, max, min, false).value;
}

void EditPanel::DrawBand(GpGraphics* g, int32_t effect, int32_t controlW, int32_t controlH,
                         const EditPanelLayout& panel) {
    // The rounded shapes and captions are the same at every paint of one layout and cost more
    // than the rest of a paint together: they are drawn once into a band of their own and laid
    // over the picture.
    const int32_t w = controlW;
    const int32_t top = std::max(RoundHalfEven(panel.Y) - kBandMargin, 0);
    const int32_t bandH = std::min(kBandHeight, controlH - top);
    if (w <= 0 || bandH <= 0) return;
    const BandKey key{effect, w, controlH};
    if (!band_ || !(bandKey_ == key)) {
        band_.reset();
        GdipGraphics band;
        if (GdipCreateBitmapFromScan0(w, bandH, 0, PixelFormat32bppPARGB, nullptr, band_.put()) != Ok ||
            GdipGetImageGraphicsContext(band_.get(), band.put()) != Ok) {
            band_.reset();
            return;
        }
        bandKey_ = key;
        const float PX = panel.PX, Y = panel.Y - static_cast<float>(top), B = panel.B;
        GpGraphics* b = band.get();
        if (panel.slider) RoundedShape(b, PX, Y, 170, 15);
        RoundedShape(b, PX + B, Y, 35, 15);
        RoundedShape(b, PX + B + 60, Y, 35, 15);
        if (panel.option) {
            RoundedShape(b, PX + B + 120, Y, 35, 15);
            Caption(b, L"Option", PX + B + 130, Y + 6);
        }
        Caption(b, L"Apply", PX + B + 10, Y + 6);
        Caption(b, L"Cancel", PX + B + 70, Y + 6);
        if (panel.stampUndo) {
            RoundedShape(b, PX - 65, Y, 35, 15);
            RoundedShape(b, PX - 125, Y, 35, 15);
            Caption(b, L"Redo", PX - 50, Y + 6);
            Caption(b, L"Undo", PX - 115, Y + 6);
        }
    }
    GdipDrawImageRectRectI(g, band_.get(), 0, top, w, bandH, 0, 0, w, bandH, UnitPixel, nullptr, nullptr, nullptr);
}
