// The geometry of printed pages: the page bitmap's size for a paper, where one picture goes on a
// Fit to Page sheet, and how the thumbnail layout fills pages row by row.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>
#include <vector>

// The paper as the printer reports it, in twips (1/1440 inch).
struct PaperTwips {
    float width = 0;
    float height = 0;
    bool landscape = false;
};

// The page bitmap: sw, sh the paper in screen pixels (sw at the screen's twips per pixel, sh at
// 15), and the page's W x H with the small margins the pages have always had.
struct PageSize {
    int32_t sw = 0, sh = 0, sw15 = 0;
    float W = 0, H = 0;
};
[[nodiscard]] PageSize ComputePageSize(const PaperTwips& paper, float screenTwipsPerPixel);

// Where a picture of pw x ph pixels goes on a Fit to Page sheet: fitted into sw x sh without
// enlarging, then centred on the page.
[[nodiscard]] RectF FitToPagePlace(const PageSize& page, float pw, float ph);

// One picture of the thumbnail layout: its entry in the list and its cell on the page.
struct ThumbnailCell {
    size_t entry = 0;
    RectF place{};
};
using ThumbnailPage = std::vector<ThumbnailCell>;

// The thumbnail pages of pictures of the given pixel sizes (0 x 0 for one that cannot be read),
// each fitted into 300 x 300. A row ends when the used width plus the last picture's width would
// pass W; a picture that would pass H starts the next page at (20, 50). Every page takes at least
// one picture, so paper too small for one still ends.
[[nodiscard]] std::vector<ThumbnailPage> LayoutThumbnails(const std::vector<SizeF>& pictures, float W, float H);
