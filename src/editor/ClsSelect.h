// The selection of the canvas: the outline of a rectangle, ellipse or free lasso drawn while the
// user selects, and the cut of the selected pixels into a bitmap of its own (Mimg), written as the
// working stamp file that the floating stamp and the delete start from.
#pragma once

#include "imaging/DIBsave.h"
#include "imaging/DrawTarget.h"

#include <cstdint>
#include <vector>

// The shown image a cut reads.
struct SelectImage {
    GpImage* image = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

// Control pixels to image pixels: ((x - offsetX) * scaleX, (y - offsetY) * scaleY).
struct ToImagePixels {
    float offsetX = 0;
    float offsetY = 0;
    float scaleX = 1;
    float scaleY = 1;
    [[nodiscard]] PointF Map(PointF p) const { return PointF((p.X - offsetX) * scaleX, (p.Y - offsetY) * scaleY); }
};

// What a cut made: whether the working stamp file was written, and the selection's box in image
// pixels (for an ellipse or rectangle the rectangle given); nothingSelected when the selection
// holds no pixel of the image (its outside is then the whole image).
struct CutResult {
    bool written = false;
    RectF bounds{};
    bool nothingSelected = false;
};

// The region combine modes a cut keeps the pixels by.
inline constexpr int32_t kPattenInside = 4;  // exclude: the selected pixels
inline constexpr int32_t kPattenOutside = 5; // complement: everything but them

class ClsSelect {
public:
    // The last cut; released by Destory and replaced by every cut.
    DIBsave Mimg;

    ClsSelect() = default;
    ~ClsSelect() { Destory(); }
    ClsSelect(const ClsSelect&) = delete;
    ClsSelect& operator=(const ClsSelect&) = delete;

    void SetPattenMode(int32_t mode) { pattenMode_ = mode; }
    [[nodiscard]] int32_t PattenMode() const { return pattenMode_; }
    // With PattenMode 4: the piece keeps its place in an image-sized bitmap instead of being cropped.
    void SetClone(bool clone) { clone_ = clone; }
    [[nodiscard]] bool Clone() const { return clone_; }
    [[nodiscard]] float MinX() const { return minX_; }
    [[nodiscard]] float MinY() const { return minY_; }
    [[nodiscard]] float MaxX() const { return maxX_; }
    [[nodiscard]] float MaxY() const { return maxY_; }
    [[nodiscard]] const RectF& SelectRect() const { return selectRect_; }

    // The lasso's outline on dc through the program's lasso points, in a pen that inverts the pixel
    // under pointer: with lineFlag a rubber band from last to pointer and the open polyline, else
    // with closeFlag the closed polygon, else the open polyline. The lasso's bounds grow by last.
    void FreeSelect(HDC dc, PointF last, PointF pointer, bool lineFlag, bool closeFlag);
    // Cuts the lasso out of the image. The program's lasso points stay as they are (a copy is
    // mapped), so cutting twice cuts the same area.
    [[nodiscard]] CutResult CutFree(const SelectImage& image, const ToImagePixels& map);
    // Shape 1 the ellipse in rect (image pixels), any other a rectangle. With draw its outline is
    // drawn on dc; with cut the shape is cut out of the image.
    [[nodiscard]] CutResult OtherSelect(HDC dc, int32_t shape, const RectF& rect, const SelectImage& image, bool draw,
                                        bool cut);
    // The selection's outline in an ARGB colour: mode 0 the closed lasso, 1 the ellipse, 2 the
    // rectangle of SelectRect, any other nothing.
    void DrawStroke(const DrawTarget& target, uint32_t colour, int32_t width, int32_t mode) const;
    void Destory() { Mimg.Destroy(); }

private:
    // The figure (image pixels) cut out by PattenMode; box its bounds. An empty figure (no area,
    // nothing of the image under it) writes nothing, except with kPattenOutside, where its outside
    // is the whole image.
    [[nodiscard]] CutResult Cut(GpPath* figure, const RectF& box, const SelectImage& image);

    int32_t pattenMode_ = kPattenInside;
    bool clone_ = false;
    float minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    RectF selectRect_{};
};

// The bounding box of points, empty for none.
[[nodiscard]] RectF BoundsOf(const std::vector<PointF>& points);
