#include "editor/CanvasGeometry.h"

#include "imaging/GdiDIB.h"
#include "platform/HitRect.h"
#include "platform/Rounding.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

float ZoomFromSlider(float position) {
    // Two decimals as the number would be formatted for display: halves away from zero.
    const float zoom = static_cast<float>(std::round(static_cast<double>(position) / kZoomScaleUnit * 100.0) / 100.0);
    return zoom < kMinZoom ? kMinZoom : zoom;
}

RectF FitImage(float imageW, float imageH, float controlW, float controlH) {
    float x = 0, y = 0, w = 0, h = 0;
    GdiDIB::GetBestFitInfo(imageW, imageH, controlW, controlH, x, y, w, h);
    return RectF(x, y, w, h);
}

void CentreAtFullSize(ZoomView& view, float imageW, float imageH, float controlW, float controlH) {
    view.ShownWidth = view.PrevShownWidth = RoundHalfEven(imageW);
    view.ShownHeight = view.PrevShownHeight = RoundHalfEven(imageH);
    view.OffsetY = RoundHalfEven(controlH - static_cast<float>(view.ShownHeight)) / 2;
    view.OffsetX = RoundHalfEven(controlW - static_cast<float>(view.ShownWidth)) / 2;
}

namespace {

void LayOutAxis(int32_t& offset, int32_t shown, int32_t prevShown, float control, bool keepCentre) {
    const double s = shown;
    if (control > s) {
        offset = RoundHalfEven((control - s) / 2);
        return;
    }
    if (keepCentre) offset = RoundHalfEven(offset - (s - prevShown) / 2);
    if (control - s > offset) offset = RoundHalfEven(control - s); // no gap after the image's far edge
    if (offset > 0) offset = 0;                                    // no gap before its near edge
}

} // namespace

void LayOutZoomed(ZoomView& view, float imageW, float imageH, float zoom, float controlW, float controlH,
                  bool keepCentre) {
    view.ShownWidth = RoundHalfEven(static_cast<double>(imageW) * zoom);
    view.ShownHeight = RoundHalfEven(static_cast<double>(imageH) * zoom);
    LayOutAxis(view.OffsetY, view.ShownHeight, view.PrevShownHeight, controlH, keepCentre);
    LayOutAxis(view.OffsetX, view.ShownWidth, view.PrevShownWidth, controlW, keepCentre);
}

void PanView(ZoomView& view, float lastX, float lastY, float x, float y) {
    view.OffsetX = RoundHalfEven(view.OffsetX - (static_cast<double>(lastX) - x));
    view.OffsetY = RoundHalfEven(view.OffsetY - (static_cast<double>(lastY) - y));
}

void EndPaint(ZoomView& view) {
    view.PrevShownWidth = view.ShownWidth;
    view.PrevShownHeight = view.ShownHeight;
    view.PrevOffsetX = view.OffsetX;
    view.PrevOffsetY = view.OffsetY;
}

namespace {

struct Placement {
    double x, y, w, h;
};

Placement DrawnAt(bool fitMode, const RectF& fitRect, const ZoomView& view) {
    if (fitMode) return {fitRect.X, fitRect.Y, fitRect.Width, fitRect.Height};
    return {static_cast<double>(view.OffsetX), static_cast<double>(view.OffsetY), static_cast<double>(view.ShownWidth),
            static_cast<double>(view.ShownHeight)};
}

} // namespace

PointF ImageToCanvas(PointF p, float imageW, float imageH, bool fitMode, const RectF& fitRect, const ZoomView& view) {
    const Placement at = DrawnAt(fitMode, fitRect, view);
    const double sx = imageW > 0 ? at.w / imageW : 0, sy = imageH > 0 ? at.h / imageH : 0;
    return PointF(static_cast<float>(at.x + p.X * sx), static_cast<float>(at.y + p.Y * sy));
}

PointF CanvasToImage(PointF p, float imageW, float imageH, bool fitMode, const RectF& fitRect, const ZoomView& view) {
    const Placement at = DrawnAt(fitMode, fitRect, view);
    const double sx = at.w > 0 ? imageW / at.w : 0, sy = at.h > 0 ? imageH / at.h : 0;
    return PointF(static_cast<float>((p.X - at.x) * sx), static_cast<float>((p.Y - at.y) * sy));
}

RectF ShownPictureRect(bool fitMode, const RectF& fit, const ZoomView& view) {
    if (fitMode)
        return RectF(static_cast<float>(RoundHalfEven(fit.X)), static_cast<float>(RoundHalfEven(fit.Y)),
                     static_cast<float>(RoundHalfEven(fit.Width)), static_cast<float>(RoundHalfEven(fit.Height)));
    return RectF(static_cast<float>(view.OffsetX), static_cast<float>(view.OffsetY),
                 static_cast<float>(view.ShownWidth), static_cast<float>(view.ShownHeight));
}

RectF FramingRect(bool fitMode, const RectF& fit, const ZoomView& view) {
    return fitMode ? fit : ShownPictureRect(false, fit, view);
}

bool NavigatorShown(const ZoomView& view, float controlW, float controlH) {
    return static_cast<float>(view.ShownWidth) > controlW || static_cast<float>(view.ShownHeight) > controlH;
}

RectF NavigatorThumbRect(float imageW, float imageH, float controlW, float controlH) {
    const RectF inBox = FitImage(imageW, imageH, 100, 100);
    return RectF(controlW - 110 + inBox.X, controlH - 110 + inBox.Y, inBox.Width, inBox.Height);
}

NavigatorFollow FollowNavigator(const RectF& thumb, const ZoomView& view, float controlW, float controlH,
                                PointF pointer) {
    NavigatorFollow out{pointer, thumb, 0, 0};
    const float shownW = static_cast<float>(view.ShownWidth), shownH = static_cast<float>(view.ShownHeight);
    // Shown pixels per thumbnail unit, taken along the longer side.
    const float s = shownW <= shownH ? (thumb.Height > 0 ? shownH / thumb.Height : 0)
                                     : (thumb.Width > 0 ? shownW / thumb.Width : 0);
    if (s <= 0) return out;
    const float vw = controlW / s, vh = controlH / s;
    const float top = thumb.Y, bottom = thumb.Y + thumb.Height, left = thumb.X, right = thumb.X + thumb.Width;
    float px = pointer.X, py = pointer.Y;
    if (py - vh / 2 < top) py = top + vh / 2;
    if (py + vh / 2 > bottom) py = bottom - vh / 2;
    if (px - vw / 2 < left) px = left + vw / 2;
    if (px + vw / 2 > right) px = right - vw / 2;
    out.pointer = PointF(px, py);
    out.viewport = RectF(px - vw / 2, py - vh / 2, vw, vh);
    if (controlW >= shownW) {
        out.viewport.X = thumb.X;
        out.viewport.Width = thumb.Width;
    }
    if (controlH >= shownH) {
        out.viewport.Y = thumb.Y;
        out.viewport.Height = thumb.Height;
    }
    out.OffsetY = RoundHalfEven(-(static_cast<double>(py) - top - vh / 2) * s);
    out.OffsetX = RoundHalfEven(-(static_cast<double>(px) - left - vw / 2) * s);
    return out;
}

EditPanelLayout LayOutEditPanel(int32_t effect, float controlW, float controlH) {
    EditPanelLayout panel;
    panel.PX = static_cast<float>(RoundHalfEven(controlW - 200) / 2 - 50);
    panel.Y = effect == 4 ? 5.0f : controlH - 35;
    panel.slider = !(effect == 1 || effect == 17 || effect == 41 || effect == 42);
    panel.B = panel.slider ? 200.0f : 90.0f;
    panel.option = effect == 19 || effect == 20 || effect == 25 || effect == 26 || effect == 27 || effect == 38;
    panel.stampUndo = effect == 38;
    return panel;
}

int PanelElementAt(const PanelRectArray& rects, int last, float x, float y) {
    for (int i = 0; i <= last && i < static_cast<int>(rects.size()); ++i)
        if (HitRect(rects[static_cast<size_t>(i)], x, y)) return i;
    return -1;
}

float SliderValueAtPointer(float pointerX, float panelX, float thumbW, int32_t max, int32_t min) {
    const double travel = 200.0 - thumbW, range = static_cast<double>(max) - min;
    if (travel <= 0) return static_cast<float>(min);
    double value = max - (travel - (static_cast<double>(pointerX) - 10 - panelX)) / travel * range;
    if (value < min) value = min;
    if (value >= max) value = max;
    return static_cast<float>(value);
}

SliderThumb PlaceSliderThumb(float value, float panelX, float thumbW, int32_t max, int32_t min, bool keepThumb) {
    const double range = static_cast<double>(max) - min;
    // An empty range has one place: the start of the track.
    double x = range != 0 ? (static_cast<double>(value) - min) * (200.0 - thumbW) / range + panelX + 6 : panelX + 6;
    SliderThumb thumb{static_cast<float>(x), value};
    if (x <= panelX + 4) {
        thumb.value = static_cast<float>(min);
        if (!keepThumb) thumb.x = panelX + 4;
    } else if (x > panelX + 174) {
        thumb.x = panelX + 174;
        thumb.value = static_cast<float>(max);
    }
    return thumb;
}

std::wstring NumberText(double value) {
    if (!std::isfinite(value)) return L"0";
    wchar_t text[40];
    std::swprintf(text, 40, L"%.7G", value);
    std::wstring out = text;
    if (out == L"-0") out = L"0";
    return out;
}
