#include "controls/UseryzSplit.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"

void UseryzSplit::PaintStyle() {
    PaintWhole([this](GpGraphics* g) {
        GdipPen dark = MakePen(ColorARGB(100, 0, 0, 0), 1);
        GdipPen light = MakePen(ColorARGB(255, 255, 255, 255), 1);
        // Each bump: the upper-left quarter of a 3 x 3 ellipse in shadow, the lower-right lit.
        auto bump = [&](int x, int y) {
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            GdipDrawArc(g, dark.get(), fx, fy, 3, 3, 180, 90);
            GdipDrawArc(g, light.get(), fx, fy, 3, 3, 0, 90);
        };
        const int w = Width(), h = Height();
        if (h > w) {
            const int x = (w - 3) / 2;
            for (int y = 3; y <= h; y += 6) bump(x, y);
        } else {
            const int y = (h - 3) / 2;
            for (int x = 3; x <= w; x += 6) bump(x, y);
        }
    });
}
