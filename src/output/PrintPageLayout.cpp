#include "output/PrintPageLayout.h"

#include "imaging/GdiDIB.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Round16(float value) {
    return static_cast<int16_t>(std::nearbyint(std::clamp(value, -32768.0f, 32767.0f)));
}

constexpr float kCell = 300, kStartX = 20, kStartY = 50;

} // namespace

PageSize ComputePageSize(const PaperTwips& paper, float screenTwipsPerPixel) {
    PageSize p;
    p.sw = Round16(paper.width / screenTwipsPerPixel);
    p.sh = Round16(paper.height / 15);
    p.sw15 = Round16(paper.width / 15);
    const float sw = static_cast<float>(p.sw), sh = static_cast<float>(p.sh), sw15 = static_cast<float>(p.sw15);
    if (paper.landscape) {
        p.W = sw + sh / 15;
        p.H = sh + sw / 15 / 2;
    } else {
        p.W = sw + sh / 15 / 2;
        p.H = sh + sw15 / 15;
    }
    return p;
}

RectF FitToPagePlace(const PageSize& page, float pw, float ph) {
    float x = 0, y = 0, w = 0, h = 0;
    GdiDIB::GetBestFitInfo(pw, ph, static_cast<float>(page.sw), static_cast<float>(page.sh), x, y, w, h);
    return RectF((page.W - w) / 2, (page.H - h) / 2, w, h);
}

std::vector<ThumbnailPage> LayoutThumbnails(const std::vector<SizeF>& pictures, float W, float H) {
    std::vector<ThumbnailPage> pages;
    if (pictures.empty()) return pages;
    pages.emplace_back();
    float px = kStartX, py = kStartY, used = 0, usedHeight = kStartY, rowHeight = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        float x = 0, y = 0, w = 0, h = 0;
        GdiDIB::GetBestFitInfo(pictures[i].Width, pictures[i].Height, kCell, kCell, x, y, w, h);
        // The state as it was before this picture, for starting it again on a new page.
        const float placeX = px, placeY = py;
        used += w + 30;
        if (used + w > W) {
            rowHeight = std::max(rowHeight, h);
            px = kStartX;
            py += rowHeight + 10;
            usedHeight += rowHeight + 50;
            used = 0;
            rowHeight = 0;
        } else {
            px += w + 20;
            rowHeight = std::max(rowHeight, h);
        }
        if (usedHeight + rowHeight > H && !pages.back().empty()) {
            pages.emplace_back();
            px = kStartX, py = kStartY, used = 0, usedHeight = kStartY, rowHeight = 0;
            --i; // this picture again, first on the new page
            continue;
        }
        pages.back().push_back({i, RectF(placeX, placeY, w, h)});
    }
    return pages;
}
