#include "shell/MainLayout.h"

#include <shellapi.h>

#include <algorithm>

namespace {

void SetWidth(PaneRect& r, int width) {
    if (width >= 0) r.width = width;
}

void SetHeight(PaneRect& r, int height) {
    if (height >= 0) r.height = height;
}

bool ShowsTextBar(int32_t effect) {
    return effect == 4 || effect == 10;
}

} // namespace

void ArrangeEditArea(MainLayoutPanes& p) {
    auto& bar = p.YDSTextControl1;
    auto& canvas = p.SingleyzPreview;
    const auto& h = p.UseryzSplitH;
    const auto& v = p.UseryzSplitV;
    if (ShowsTextBar(p.effect)) {
        bar.top = h.top;
        bar.left = h.left + h.width;
        canvas.left = bar.left;
        canvas.top = bar.top + bar.height;
        SetHeight(canvas, v.top - canvas.top);
        SetHeight(p.ThumyzViewer, h.height - (bar.height + v.height + canvas.height));
    } else {
        canvas.left = h.left + h.width;
        canvas.top = h.top;
        SetHeight(canvas, v.top - h.top);
        SetHeight(p.ThumyzViewer, h.height - (v.height + canvas.height));
    }
}

void ArrangeChrome(MainLayoutPanes& p) {
    const int W = p.clientWidth;
    const int H = p.clientHeight;
    p.yzToolbarUser.left = 0;
    p.yzToolbarUser.top = p.TitleSkin.top + p.TitleSkin.height + 1;
    SetWidth(p.yzToolbarUser, W);
    p.ImageToolbar.left = 0;
    p.ImageToolbar.top = p.yzToolbarUser.top + p.yzToolbarUser.height + 1;
    SetWidth(p.ImageToolbar, p.yzToolbarUser.width);
    p.ResizeBorder.left = W - p.ResizeBorder.width;
    p.ResizeBorder.top = H - p.ResizeBorder.height;
    p.TitleSkin.left = 0;
    p.TitleSkin.top = 0;
    SetWidth(p.TitleSkin, W);
}

void ArrangeMainWindow(MainLayoutPanes& p) {
    const int W = p.clientWidth;
    const int H = p.clientHeight;
    auto& h = p.UseryzSplitH;
    auto& v = p.UseryzSplitV;
    auto& lv = p.UseryzSplitLV;
    auto& folder = p.FolderView;
    auto& canvas = p.SingleyzPreview;
    auto& grid = p.ThumyzViewer;

    ArrangeChrome(p);
    SetHeight(h, H - h.top - 10);
    folder.left = 8;
    folder.top = h.top + 35;
    SetWidth(folder, h.left - 12);
    SetHeight(folder, lv.top - folder.top - 8);
    p.UseryzProcess1.left = 3;
    p.UseryzProcess1.top = lv.top + lv.height;
    SetWidth(p.UseryzProcess1, h.left - 3);
    SetHeight(p.UseryzProcess1, h.height - (lv.height + folder.height) - (folder.top - h.top));

    ArrangeEditArea(p);

    SetWidth(canvas, W - (h.left + h.width + 5));
    SetWidth(p.YDSTextControl1, canvas.width);
    grid.left = canvas.left;
    SetWidth(grid, canvas.width);
    grid.top = v.top + v.height;
    v.left = h.left + h.width;
    SetWidth(v, canvas.width);
    lv.left = folder.left;
    SetWidth(lv, folder.width);

    p.thumPaneClosed = H - v.height < v.top + 5;
    if (p.thumPaneClosed) {
        grid.visible = false;
        canvas.visible = true;
    } else {
        canvas.visible = v.top != h.top;
        grid.visible = true;
    }

    p.leftColumnShown = h.left > 260;
    p.UseryzProcess1.visible = p.leftColumnShown;
    lv.visible = p.leftColumnShown;
    folder.visible = p.leftColumnShown;
}

RectF HistoryStripRect(const PaneRect& splitH) {
    return RectF(65, static_cast<float>(splitH.top + 5), static_cast<float>(splitH.left - 70), 18);
}

void ClampSplitters(MainLayoutPanes& p) {
    const int top = p.UseryzSplitH.top;
    auto clamp = [](int value, int lo, int hi) { return std::max(lo, std::min(value, hi)); };
    p.UseryzSplitH.left = clamp(p.UseryzSplitH.left, 0, p.clientWidth - p.UseryzSplitH.width);
    p.UseryzSplitLV.top = clamp(p.UseryzSplitLV.top, top, p.clientHeight - p.UseryzSplitLV.height);
    p.UseryzSplitV.top = clamp(p.UseryzSplitV.top, top, p.clientHeight - p.UseryzSplitV.height);
}

std::optional<RECT> ShellTaskbarRect() {
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);
    if (!::SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) return std::nullopt;
    return bar.rc;
}

std::wstring GetTaskbarEdge(const RECT& r, int sw, int sh) {
    std::wstring result;
    if (r.left < 1 && r.right >= sw && r.bottom >= sh) result = std::to_wstring(r.bottom - r.top) + L"*B";
    if (r.top < 1 && r.left < 1 && r.right >= sw) result = std::to_wstring(r.bottom - r.top) + L"*T";
    if (r.right < sw) result = std::to_wstring(r.right - r.left) + L"*L";
    if (r.left > 0) result = std::to_wstring(r.right - r.left) + L"*R";
    return result;
}

bool WindowBesideTaskbar(const std::wstring& edge, int sw, int sh, RECT& rect) {
    const size_t star = edge.find(L'*');
    if (star == std::wstring::npos || star == 0 || star + 1 >= edge.size()) return false;
    int t = 0;
    try {
        t = std::stoi(edge.substr(0, star));
    } catch (...) {
        return false;
    }
    switch (edge[star + 1]) {
    case L'B':
        rect = {0, 0, sw, sh - t};
        return true;
    case L'T':
        rect = {0, t, sw, sh};
        return true;
    case L'L':
        rect = {t, 0, sw, sh};
        return true;
    case L'R':
        rect = {0, 0, sw - t, sh};
        return true;
    default:
        return false;
    }
}
