// The picture as the canvas draws it: the fit-size copies of the shown image (the navigator
// thumbnail, and the view buffer the tools preview from with its copy composed over the back
// colour), the picture drawn fitted or zoomed, and the navigator panel; with the brushes and the
// font the panel and the tools' loupes are drawn with.
#pragma once

#include "editor/CanvasModel.h"
#include "editor/CanvasPointer.h"
#include "editor/ViewPixels.h"
#include "imaging/DIBsave.h"
#include "platform/GdipHandles.h"

class PictureBox;

class PictureView {
public:
    PictureView() = default;
    ~PictureView() { ViewBuffer.Destroy(); }
    PictureView(const PictureView&) = delete;
    PictureView& operator=(const PictureView&) = delete;

    // The fit-size copy the tools preview from (made while a tool is active).
    DIBsave ViewBuffer;

    // Makes the brushes, the panel font and its format; the shade is fainter for colorize.
    void CreateResources(int32_t effect);
    // Lets go of the brushes, the font and the thumbnail.
    void Release();

    // The view buffer of the shown image at the fit size, and its copy over back.
    void RebuildViewBuffer(const CanvasModel& model, COLORREF back);
    // The navigator thumbnail again when rebuild is set or it is of another image.
    void UpdateThumbnail(const CanvasModel& model, bool rebuild);

    // The picture on g: fitted, from the view buffer while a tool is active and else from the
    // thumbnail; or zoomed at the view's place. toStep draws into the undo buffer instead of box:
    // unfitted, the picture at its own size.
    void Draw(GpGraphics* g, const CanvasModel& model, PictureBox& box, bool toStep) const;
    // The navigator panel in the bottom right corner of box: the zoom, the thumbnail and, while
    // the pointer is on it (and the thumbnail not new), the part the view shows.
    void DrawNavigator(GpGraphics* g, const CanvasModel& model, const PictureBox& box, const CanvasPointer& pointer,
                       bool rebuildThumbnail);

    // Where the navigator's thumbnail was last drawn (empty until the panel first shows).
    [[nodiscard]] const RectF& NavigatorRect() const { return navigatorRect_; }
    // The view buffer's copy over back, when it is of view; null otherwise.
    [[nodiscard]] const OpaqueView* OpaqueViewOf(GpImage* view, COLORREF back) const {
        return opaqueView_.Matches(view, back) ? &opaqueView_ : nullptr;
    }
    [[nodiscard]] GpBrush* PanelBrush() const { return panelBrush_.get(); }

private:
    GdipSolidFill lightBrush_, panelBrush_, shadeBrush_, textBrush_;
    GdipFontFamily fontFamily_;
    GdipFont panelFont_;
    GdipStringFormat panelFormat_;

    // The navigator thumbnail: the image at the fit size, remade for a new image or layout.
    GdipBitmap thumbnail_;
    GpImage* thumbnailOf_ = nullptr;
    OpaqueView opaqueView_; // ViewBuffer over the back colour, as the fitted view copies it
    RectF navigatorRect_{};
};
