// The canvas's display geometry without a window: the fit rule, zoom from the slider position,
// the zoomed view's offsets (centred while smaller than the control, no gap while larger), the
// conversions between image and control pixels, the navigator panel and the edit panel layout.
#pragma once

#include "platform/Gdip.h"

#include <array>
#include <cstdint>
#include <string>

// Where the zoomed image lies in the control, and where it lay at the end of the previous paint.
struct ZoomView {
    int32_t ShownWidth = 0;
    int32_t ShownHeight = 0;
    int32_t PrevShownWidth = 0;
    int32_t PrevShownHeight = 0;
    int32_t OffsetX = 0; // control position of the image's top-left corner
    int32_t OffsetY = 0;
    int32_t PrevOffsetX = 0;
    int32_t PrevOffsetY = 0;
};

// The lowest zoom factor.
inline constexpr float kMinZoom = 0.12f;
// The zoom-slider position that stands for 100 %.
inline constexpr float kZoomScaleUnit = 55.0f;

// The zoom factor of a slider position: position / 55 to two decimals, never below 0.12.
[[nodiscard]] float ZoomFromSlider(float position);

// The image fitted into the control without enlargement, aspect kept, centred.
[[nodiscard]] RectF FitImage(float imageW, float imageH, float controlW, float controlH);

// A fresh load shown unfitted: 100 % and centred (both "previous" sizes too).
void CentreAtFullSize(ZoomView& view, float imageW, float imageH, float controlW, float controlH);

// The geometry at the start of a zoomed paint: the shown size from the zoom, then per axis centred
// while the image is smaller than the control; otherwise (after keeping the view's centre across a
// zoom change, when keepCentre) clamped so that no gap shows on either side.
void LayOutZoomed(ZoomView& view, float imageW, float imageH, float zoom, float controlW, float controlH,
                  bool keepCentre);

// A drag moves the image with the pointer; the next layout clamps.
void PanView(ZoomView& view, float lastX, float lastY, float x, float y);

// The end of a paint: the current size and offsets become the previous ones.
void EndPaint(ZoomView& view);

// Conversions between image pixels and control pixels for the view as drawn: into fitRect in
// fit mode, else at the view's offsets and shown size. A point of an empty image maps to the
// view's origin.
[[nodiscard]] PointF ImageToCanvas(PointF imagePoint, float imageW, float imageH, bool fitMode, const RectF& fitRect,
                                   const ZoomView& view);
[[nodiscard]] PointF CanvasToImage(PointF canvasPoint, float imageW, float imageH, bool fitMode, const RectF& fitRect,
                                   const ZoomView& view);

// Where the picture lies on the control as drawn: while fitted its fit-size copy, on whole pixels
// from the fit rectangle's corner; else the zoomed view.
[[nodiscard]] RectF ShownPictureRect(bool fitMode, const RectF& fitRect, const ZoomView& view);
// Where the picture lies on the control for frames, which are kept on it and mapped through it to
// the picture's own pixels: while fitted the fit rectangle, else the zoomed and panned view.
[[nodiscard]] RectF FramingRect(bool fitMode, const RectF& fitRect, const ZoomView& view);

// The navigator panel shows while the zoomed image is larger than the control on either axis.
[[nodiscard]] bool NavigatorShown(const ZoomView& view, float controlW, float controlH);
// The navigator thumbnail: the image fitted into a 100 x 100 box whose corner is (W - 110, H - 110).
[[nodiscard]] RectF NavigatorThumbRect(float imageW, float imageH, float controlW, float controlH);

// The view following the pointer on the navigator thumbnail.
struct NavigatorFollow {
    PointF pointer;  // the pointer clamped so that the viewport stays on the thumbnail
    RectF viewport;  // in thumbnail units; spans the thumbnail on an axis the control shows whole
    int32_t OffsetX; // the view offsets that show the viewport's area (used by the next paint)
    int32_t OffsetY;
};
[[nodiscard]] NavigatorFollow FollowNavigator(const RectF& thumb, const ZoomView& view, float controlW, float controlH,
                                              PointF pointer);

// The edit panel's row: left edge, top, the buttons' offset, and which parts it has.
struct EditPanelLayout {
    float PX = 0;
    float Y = 0;
    float B = 0;
    bool slider = false;    // every mode but 1, 17, 41 and 42
    bool option = false;    // modes 19, 20, 25, 26, 27 and 38
    bool stampUndo = false; // mode 38
};
[[nodiscard]] EditPanelLayout LayOutEditPanel(int32_t effect, float controlW, float controlH);

// Panel element rectangles 0 to 6 (0 slider thumb, 1 Apply, 2 Cancel, 3 colour picker, 4 Option,
// 5 stamp Undo, 6 stamp Redo) and the element under a point.
inline constexpr int kPanelSlider = 0;
inline constexpr int kPanelApply = 1;
inline constexpr int kPanelCancel = 2;
inline constexpr int kPanelPicker = 3;
inline constexpr int kPanelOption = 4;
inline constexpr int kPanelStampUndo = 5;
inline constexpr int kPanelStampRedo = 6;
using PanelRectArray = std::array<RectF, 8>;
// The first element from 0 to last whose rectangle holds (x, y); -1 when none does.
[[nodiscard]] int PanelElementAt(const PanelRectArray& rects, int last, float x, float y);

// The slider: its value following the pointer during a drag, and the thumb's place for a value.
struct SliderThumb {
    float x;     // the thumb image's left edge
    float value; // the value after the clamps at the track's ends
};
[[nodiscard]] float SliderValueAtPointer(float pointerX, float panelX, float thumbW, int32_t max, int32_t min);
[[nodiscard]] SliderThumb PlaceSliderThumb(float value, float panelX, float thumbW, int32_t max, int32_t min,
                                           bool keepThumb);

// A number as text: at most 7 significant digits, trailing zeros dropped ("182", "1.82", "0.12").
[[nodiscard]] std::wstring NumberText(double value);
