#include "tools/art/Art.h"

#include "imaging/GdipMakers.h"

#include <vector>

GdipPath ArtPolygon(std::initializer_list<PointF> points) {
    GdipPath path;
    GdipCreatePath(FillModeWinding, path.put());
    std::vector<PointF> p(points);
    GdipAddPathPolygon(path.get(), p.data(), static_cast<INT>(p.size()));
    return path;
}

void FillOutlined(GpGraphics* g, GpPath* path, uint32_t fill, ArtPen outline) {
    if (GdipSolidFill brush = MakeSolidFill(fill)) GdipFillPath(g, brush.get(), path);
    if (GdipPen pen = MakePen(outline.colour, outline.width)) GdipDrawPath(g, pen.get(), path);
}

void AddRoundedRect(GpPath* path, float x, float y, float w, float h, float radius) {
    const float d = radius * 2;
    GdipAddPathArc(path, x, y, d, d, 180, 90);
    GdipAddPathArc(path, x + w - d, y, d, d, 270, 90);
    GdipAddPathArc(path, x + w - d, y + h - d, d, d, 0, 90);
    GdipAddPathArc(path, x, y + h - d, d, d, 90, 90);
    GdipClosePathFigure(path);
}
