#include "editor/PictureView.h"

#include "imaging/BoxReduce.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/TextRendering.h"
#include "platform/PictureBox.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cwchar>

void PictureView::CreateResources(int32_t effect) {
    Release();
    lightBrush_ = MakeSolidFill(ColorARGB(255, 236, 236, 236));
    panelBrush_ = MakeSolidFill(ColorARGB(150, 80, 80, 80));
    shadeBrush_ = MakeSolidFill(ColorARGB(effect == 6 ? 20 : 50, 0, 0, 0));
    textBrush_ = MakeSolidFill(ColorARGB(150, 255, 255, 255));
    GdipCreateFontFamilyFromName(L"Tahoma", nullptr, fontFamily_.put());
    if (fontFamily_) GdipCreateFont(fontFamily_.get(), 8, FontStyleBold, UnitPoint, panelFont_.put());
    if (!panelFont_) panelFont_ = CreateFontWithFallback(L"Tahoma", 8, FontStyleBold, UnitPoint);
    if (GdipCreateStringFormat(0, LANG_NEUTRAL, panelFormat_.put()) == Ok)
        GdipSetStringFormatTrimming(panelFormat_.get(), StringTrimmingEllipsisCharacter);
}

void PictureView::Release() {
    lightBrush_.reset();
    panelBrush_.reset();
    shadeBrush_.reset();
    textBrush_.reset();
    panelFont_.reset();
    fontFamily_.reset();
    panelFormat_.reset();
    thumbnail_.reset();
    thumbnailOf_ = nullptr;
}

void PictureView::RebuildViewBuffer(const CanvasModel& model, COLORREF back) {
    ViewBuffer.Destroy();
    const RectF& fit = model.FitRect();
    const int32_t w = RoundHalfEven(fit.Width), h = RoundHalfEven(fit.Height);
    opaqueView_.Reset();
    if (!ViewBuffer.CreateBlankMemory(h, w)) return;
    // A blank copy would be drawn in the picture's place: without the copy the picture itself is.
    if (!ReduceInto(model.ImgDIB.DIB(), ViewBuffer.new_Img)) {
        ViewBuffer.Destroy();
        return;
    }
    (void)opaqueView_.Build(ViewBuffer.new_Img, back);
}

void PictureView::UpdateThumbnail(const CanvasModel& model, bool rebuild) {
    GpImage* image = model.ImgDIB.DIB();
    if (!rebuild && thumbnailOf_ == image) return;
    thumbnail_.reset();
    thumbnailOf_ = nullptr;
    const RectF& fit = model.FitRect();
    const int32_t w = RoundHalfEven(fit.Width), h = RoundHalfEven(fit.Height);
    if (w <= 0 || h <= 0 || !image) return;
    // Premultiplied and at the fit size, so that the fitted view is a plain blend of it.
    GdipBitmap bitmap;
    if (GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppPARGB, nullptr, bitmap.put()) != Ok) return;
    if (!ReduceInto(image, bitmap.get())) return;
    thumbnail_ = std::move(bitmap);
    thumbnailOf_ = image;
}

void PictureView::Draw(GpGraphics* g, const CanvasModel& model, PictureBox& box, bool toStep) const {
    GpImage* image = model.ImgDIB.DIB();
    const float iw = model.ImgDIB.Width(), ih = model.ImgDIB.Height();
    const RectF& fit = model.FitRect();
    if (model.FitMode()) {
        GpImage* source = image;
        if (model.Effect() != 0 && ViewBuffer.new_Img)
            source = ViewBuffer.new_Img;
        else if (thumbnail_)
            source = thumbnail_.get();
        if (!toStep && source == ViewBuffer.new_Img && opaqueView_.Matches(source, box.BackColor())) {
            // Behind the fitted picture is the back colour only: the copy composed over it once
            // is put in place row by row, with no blend.
            ::GdiFlush();
            opaqueView_.CopyTo(BackBuffer{box.Bits(), box.Width(), box.Height()}, RoundHalfEven(fit.X),
                               RoundHalfEven(fit.Y));
        } else if (source != image) {
            // The fit-size copy drawn at its own size on whole pixels: the platform then copies
            // it instead of resampling every pixel.
            UINT w = 0, h = 0;
            GdipGetImageWidth(source, &w);
            GdipGetImageHeight(source, &h);
            GdipDrawImageRectRectI(g, source, RoundHalfEven(fit.X), RoundHalfEven(fit.Y), static_cast<INT>(w),
                                   static_cast<INT>(h), 0, 0, static_cast<INT>(w), static_cast<INT>(h), UnitPixel,
                                   nullptr, nullptr, nullptr);
        } else {
            GdipDrawImageRect(g, image, fit.X, fit.Y, fit.Width, fit.Height);
        }
        return;
    }
    if (toStep) {
        GdipDrawImageRect(g, image, 0, 0, iw, ih);
        return;
    }
    const ZoomView& view = model.View();
    const int32_t sw = view.ShownWidth, sh = view.ShownHeight, ox = view.OffsetX, oy = view.OffsetY;
    ImageType type = ImageTypeUnknown;
    GdipGetImageType(image, &type);
    if (type != ImageTypeBitmap || sw <= 0 || sh <= 0) {
        GdipDrawImageRect(g, image, static_cast<float>(ox), static_cast<float>(oy), static_cast<float>(sw),
                          static_cast<float>(sh));
        return;
    }
    // Only the part inside the control is drawn: a large photograph is not scaled whole for a
    // view of a corner of it.
    const int32_t left = std::max(ox, 0), top = std::max(oy, 0);
    const int32_t right = std::min(ox + sw, box.Width()), bottom = std::min(oy + sh, box.Height());
    if (right <= left || bottom <= top) return;
    if (static_cast<float>(sw) == iw && static_cast<float>(sh) == ih) {
        // At 100 % on whole pixels the platform copies the pixels instead of resampling them.
        GdipDrawImageRectRectI(g, image, left, top, right - left, bottom - top, left - ox, top - oy, right - left,
                               bottom - top, UnitPixel, nullptr, nullptr, nullptr);
        return;
    }
    const float sx = iw / static_cast<float>(sw), sy = ih / static_cast<float>(sh);
    GdipDrawImageRectRect(g, image, static_cast<float>(left), static_cast<float>(top), static_cast<float>(right - left),
                          static_cast<float>(bottom - top), static_cast<float>(left - ox) * sx,
                          static_cast<float>(top - oy) * sy, static_cast<float>(right - left) * sx,
                          static_cast<float>(bottom - top) * sy, UnitPixel, nullptr, nullptr, nullptr);
}

void PictureView::DrawNavigator(GpGraphics* g, const CanvasModel& model, const PictureBox& box,
                                const CanvasPointer& pointer, bool rebuildThumbnail) {
    const float w = static_cast<float>(box.Width()), h = static_cast<float>(box.Height());
    const RectF thumb = NavigatorThumbRect(model.ImgDIB.Width(), model.ImgDIB.Height(), w, h);
    const SmoothingMode oldSmoothing = [g] {
        SmoothingMode m = SmoothingModeDefault;
        GdipGetSmoothingMode(g, &m);
        return m;
    }();
    GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    // The panel: its right part lies past the control's edge, so only the left corners show round.
    const float X = w - 120, Y = h - 132;
    GdipPath panel;
    if (GdipCreatePath(FillModeAlternate, panel.put()) == Ok) {
        GdipAddPathArc(panel.get(), X, Y, 10, 10, 180, 90);
        GdipAddPathLine(panel.get(), X + 10, Y, X + 120, Y);
        GdipAddPathArc(panel.get(), X + 130, Y, 10, 10, 270, 90);
        GdipAddPathLine(panel.get(), X + 140, Y + 10, X + 140, Y + 120);
        GdipAddPathArc(panel.get(), X + 130, Y + 120, 10, 10, 0, 90);
        GdipAddPathLine(panel.get(), X + 130, Y + 130, X + 10, Y + 130);
        GdipAddPathArc(panel.get(), X, Y + 120, 10, 10, 90, 90);
        GdipAddPathLine(panel.get(), X, Y + 120, X, Y + 5);
        GdipClosePathFigure(panel.get());
        GdipFillPath(g, panelBrush_.get(), panel.get());
    }
    navigatorRect_ = thumb;

    // The zoom as text, read back as a number: 1.82 shows "182", not a long tail of digits.
    const std::wstring caption =
        L"   Zoom to " + NumberText(std::wcstod(NumberText(model.Zoom()).c_str(), nullptr) * 100) + L" %";
    const RectF layout(X + 5, Y + 5, 0, 0);
    if (panelFont_)
        GdipDrawString(g, caption.c_str(), static_cast<INT>(caption.size()), panelFont_.get(), &layout,
                       panelFormat_.get(), textBrush_.get());
    if (thumbnail_) GdipDrawImageRect(g, thumbnail_.get(), thumb.X, thumb.Y, thumb.Width, thumb.Height);

    if (pointer.overNavigator && !rebuildThumbnail) {
        // The pointer is on the thumbnail: shade what lies outside the view and outline the view.
        const NavigatorFollow follow = FollowNavigator(thumb, model.View(), w, h, pointer.lastPoint);
        const RectF& v = follow.viewport;
        GdipPath shade;
        if (GdipCreatePath(FillModeAlternate, shade.put()) == Ok) {
            GdipAddPathRectangle(shade.get(), v.X, v.Y, v.Width, v.Height);
            GdipAddPathRectangle(shade.get(), thumb.X, thumb.Y, thumb.Width, thumb.Height);
            GdipFillPath(g, panelBrush_.get(), shade.get());
        }
        GdipPen pen = MakePen(ColorARGB(100, 255, 255, 255), 1);
        GdipDrawRectangleI(g, pen.get(), RoundHalfEven(v.X), RoundHalfEven(v.Y), RoundHalfEven(v.Width),
                           RoundHalfEven(v.Height));
    }
    GdipSetSmoothingMode(g, oldSmoothing);
}
