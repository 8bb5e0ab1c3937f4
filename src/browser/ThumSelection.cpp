#include "browser/ThumSelection.h"

#include "browser/FavoritesList.h"
#include "browser/ThumViewer.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/HitRect.h"
#include "platform/Hourglass.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"
#include "platform/TextCase.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

RECT BandBetween(float x0, float y0, float x1, float y1, const RECT& last) {
    if (x1 == x0 || y1 == y0) return last;
    const int32_t left = RoundHalfEven(std::min(x0, x1));
    const int32_t top = RoundHalfEven(std::min(y0, y1));
    return RECT{left, top, left + RoundHalfEven(std::fabs(x1 - x0)), top + RoundHalfEven(std::fabs(y1 - y0))};
}

bool BandOverlaps(const RectF& picture, const RECT& band, int32_t offset) {
    const float left = static_cast<float>(band.left), right = static_cast<float>(band.right);
    const float top = static_cast<float>(band.top + offset), bottom = static_cast<float>(band.bottom + offset);
    return picture.Width > 0 && picture.Height > 0 && picture.X < right && left < picture.X + picture.Width &&
           picture.Y < bottom && top < picture.Y + picture.Height;
}

int32_t StepTarget(const std::vector<int32_t>& shownRows, int32_t oldPress, bool next) {
    if (shownRows.empty()) return -1;
    const bool pressedShown = std::find(shownRows.begin(), shownRows.end(), oldPress) != shownRows.end();
    if (next) {
        for (int32_t index : shownRows)
            if (index > oldPress) return index;
        return pressedShown ? oldPress : -1; // the last stays; after a band nothing follows
    }
    for (auto it = shownRows.rbegin(); it != shownRows.rend(); ++it)
        if (*it < oldPress) return *it;
    return shownRows.front();
}

// The grid's selection.

std::vector<std::wstring>& ThumViewer::SelectionList() {
    return isFavorties_ ? App().SelectedFavorites : App().SelectedFiles;
}

void ThumViewer::TableReplaced() {
    // New rows: nothing is selected and no earlier index points into them.
    selection_.oldPress = 0;
    selection_.stepFrom = -1;
    selection_.bandMode = selection_.dragging = false;
    selection_.band = RECT{};
    SelectionList().clear();
}

std::vector<size_t> ThumViewer::SelectedShownRows() const {
    // The pass lets go of a row a filter hides; a row is still looked for among those shown, as no
    // command acts on what the user cannot see.
    std::vector<size_t> rows;
    for (int32_t index : shownRows_)
        if (thumListview_.Rows[static_cast<size_t>(index)].Selected) rows.push_back(static_cast<size_t>(index));
    return rows;
}

void ThumViewer::MirrorSelection() {
    std::vector<std::wstring>& list = SelectionList();
    list.clear();
    for (size_t index : SelectedShownRows()) list.push_back(thumListview_.Rows[index].Path);
}

int32_t ThumViewer::HitRow(float x, float y) const {
    // The box a picture is fitted into counts, not the captions below it: a tiny picture, one not
    // made yet and a file that cannot be read are taken as surely as any other.
    const float contentY = y + static_cast<float>(offset_);
    for (int32_t index : shownRows_) {
        const RectF& r = hitRects_[static_cast<size_t>(index)];
        if (HitRect(r, x, contentY)) return index;
    }
    return -1;
}

bool ThumViewer::PressThumbnail(int button, int shift, float x, float y, bool goNext, bool goBack) {
    if (App().GdiplusToken == 0) return false;
    std::vector<ThumRow>& rows = thumListview_.Rows;
    const int32_t n = static_cast<int32_t>(rows.size());
    int32_t pressed = n;
    // A step moves the press even while the last band's mode lasts.
    if (!selection_.bandMode || goNext || goBack) {
        const bool clearAll = button == MouseButton::Left && shift == 0;
        if (clearAll)
            for (ThumRow& row : rows) row.Selected = false;
        int32_t hit = -1;
        if (goNext || goBack) {
            const int32_t from = selection_.stepFrom >= 0 ? selection_.stepFrom : selection_.oldPress;
            hit = StepTarget(shownRows_, from, goNext);
            // Past the last or the first from a file that could not be opened: the picture shown stays.
            if (hit == selection_.stepFrom) hit = -1;
            if (hit >= 0) ScrollIntoView(hit);
        } else {
            hit = HitRow(x, y);
        }
        if (hit < 0) {
            if (clearAll) MirrorSelection();
            return false;
        }
        ThumRow& row = rows[static_cast<size_t>(hit)];
        if (shift == 0) {
            if (selection_.oldPress >= 0 && selection_.oldPress < n)
                rows[static_cast<size_t>(selection_.oldPress)].Selected = false;
            if (!row.Selected) TakePressedRow(hit);
        } else if (shift == ShiftKey::Ctrl) {
            row.Selected = !row.Selected;
        }
        pressed = hit;
    } else {
        // Every row: one the band cannot reach (hidden or out of view) is let go unless Shift adds.
        for (size_t index = 0; index < rows.size(); ++index) {
            const bool overlaps = index < hitRects_.size() && BandOverlaps(hitRects_[index], selection_.band, offset_);
            ThumRow& row = rows[index];
            if (overlaps)
                row.Selected = true;
            else if (shift != ShiftKey::Shift)
                row.Selected = false;
        }
        selection_.band = RECT{};
    }
    selection_.showSelection = true;
    MirrorSelection();
    selection_.oldPress = pressed;
    selection_.stepFrom = -1;
    return true;
}

void ThumViewer::DrawSelection(GpGraphics* g) {
    if (selection_.showSelection) {
        GdipPen pen = MakePen(ColorARGB(255, 47, 99, 255), 2);
        for (int32_t index : shownRows_) {
            const size_t i = static_cast<size_t>(index);
            const RectF& r = frameRects_[i];
            if (!thumListview_.Rows[i].Selected || (r.Width <= 0 && r.Height <= 0)) continue;
            if (pen)
                GdipDrawRectangle(g, pen.get(), r.X - 2, r.Y - 2 - static_cast<float>(offset_), r.Width + 4,
                                  r.Height + 4);
        }
    }
    if (selection_.dragging && selection_.band.right > selection_.band.left &&
        selection_.band.bottom > selection_.band.top) {
        GdipSolidFill fill = MakeSolidFill(ColorARGB(50, 51, 84, 128));
        GdipPen outline = MakePen(ColorARGB(200, 255, 255, 255), 1);
        const int32_t w = selection_.band.right - selection_.band.left,
                      h = selection_.band.bottom - selection_.band.top;
        if (fill) GdipFillRectangleI(g, fill.get(), selection_.band.left, selection_.band.top, w, h);
        if (outline) GdipDrawRectangleI(g, outline.get(), selection_.band.left, selection_.band.top, w, h);
    }
}

void ThumViewer::DrawSelect() {
    selection_.band =
        BandBetween(selection_.bandX0, selection_.bandY0, selection_.bandX1, selection_.bandY1, selection_.band);
    RedrawSelection();
}

bool ThumViewer::SelectThumbnail(const std::wstring& path) {
    const auto shown = std::find_if(shownRows_.begin(), shownRows_.end(), [&](int32_t index) {
        return CompareNoCase(thumListview_.Rows[static_cast<size_t>(index)].Path, path) == 0;
    });
    if (shown == shownRows_.end()) return false;
    // In view first: the cell's picture size is known once it has its place.
    ScrollIntoView(*shown);
    return SelectThumbnails({path}, path) > 0;
}

size_t ThumViewer::SelectThumbnails(const std::vector<std::wstring>& paths, const std::wstring& pressed) {
    std::vector<ThumRow>& rows = thumListview_.Rows;
    for (ThumRow& row : rows) row.Selected = false;
    size_t selected = 0;
    for (int32_t index : shownRows_) {
        const std::wstring& path = rows[static_cast<size_t>(index)].Path;
        if (std::none_of(paths.begin(), paths.end(),
                         [&](const std::wstring& p) { return CompareNoCase(p, path) == 0; }))
            continue;
        ++selected;
        rows[static_cast<size_t>(index)].Selected = true;
        if (CompareNoCase(path, pressed) != 0) continue;
        TakePressedRow(index);
        selection_.oldPress = index;
    }
    selection_.showSelection = true;
    MirrorSelection();
    RedrawSelection();
    return selected;
}

bool ThumViewer::FrameShownPicture(const std::wstring& shown, const std::wstring& failed) {
    int32_t failedRow = -1;
    for (int32_t index : shownRows_)
        if (CompareNoCase(thumListview_.Rows[static_cast<size_t>(index)].Path, failed) == 0) failedRow = index;
    const bool framed = !shown.empty() && SelectThumbnails({shown}, shown) > 0;
    if (!framed) (void)SelectThumbnails({}, L"");
    selection_.stepFrom = failedRow;
    return framed;
}

void ThumViewer::TakePressedRow(int32_t hit) {
    ThumRow& row = thumListview_.Rows[static_cast<size_t>(hit)];
    row.Selected = true;
    selection_.selectFile = row.Path;
    selection_.fileExtname = row.Extname;
    selection_.thumW = imageRects_[static_cast<size_t>(hit)].Width;
    selection_.thumH = imageRects_[static_cast<size_t>(hit)].Height;
}

void ThumViewer::PreviewNext() {
    (void)PressThumbnail(0, 0, 0, 0, true, false);
    RedrawSelection();
}

void ThumViewer::PreviewBack() {
    (void)PressThumbnail(0, 0, 0, 0, false, true);
    RedrawSelection();
}

void ThumViewer::SurfaceMouseDown(int button, int shift, float x, float y) {
    selection_.bandMode = false;
    int answer = 0;
    if (mainWindow_ && !hideCaption_ && mainWindow_->UnsavedEdit()) answer = mainWindow_->AskSaveChanges();
    if (answer == 0 || answer == IDYES || answer == IDNO) {
        const bool hit = PressThumbnail(button, shift, x, y);
        RedrawSelection();
        if (!hit && drawingComplete_) {
            selection_.bandX0 = selection_.bandX1 = x;
            selection_.bandY0 = selection_.bandY1 = y;
            selection_.band = RECT{};
            selection_.bandMode = selection_.dragging = true;
        } else if (!hideCaption_ && mainWindow_) {
            const std::vector<std::wstring>& list = SelectionList();
            if (!list.empty()) mainWindow_->FileImport(list.front());
        }
    }
    if (onMouseDown) onMouseDown(button, shift, x, y);
}

void ThumViewer::SurfaceMouseMove(int, int shift, float x, float y) {
    if (!selection_.dragging || !drawingComplete_) return;
    selection_.bandX1 = x;
    selection_.bandY1 = y;
    selection_.band = BandBetween(selection_.bandX0, selection_.bandY0, x, y, selection_.band);
    // The selection follows the band as it is drawn.
    const RECT drawn = selection_.band;
    (void)PressThumbnail(0, shift, x, y);
    selection_.band = drawn;
    RedrawSelection();
}

void ThumViewer::SurfaceMouseUp(int button, int shift, float x, float y) {
    if (selection_.dragging && drawingComplete_) {
        selection_.dragging = false;
        (void)PressThumbnail(button, shift, x, y);
        RedrawSelection();
    }
    selection_.dragging = false;
    if (onMouseUp) onMouseUp(button, shift, x, y);
}

std::wstring ThumViewer::ShownText(std::wstring ThumRow::*text) const {
    for (const ThumRow& row : thumListview_.Rows)
        if (row.Selected) return row.*text;
    return {};
}

std::wstring ThumViewer::ShowFilename() const {
    return ShownText(&ThumRow::String);
}
std::wstring ThumViewer::ShowFormat() const {
    return ShownText(&ThumRow::Extname);
}
std::wstring ThumViewer::ShowSize() const {
    return ShownText(&ThumRow::Number);
}
std::wstring ThumViewer::ShowCreateData() const {
    return ShownText(&ThumRow::CDate);
}
std::wstring ThumViewer::ShowModiData() const {
    return ShownText(&ThumRow::MDate);
}

// Favourites.

void ThumViewer::VrFileRead() {
    favoriteNames_ = ReadFavoritesFile(currentFolder_);
}

bool ThumViewer::VrFileCreate(bool remove) {
    const Hourglass hourglass;
    if (currentFolder_.empty()) return false;
    VrFileRead();
    std::vector<std::wstring> names;
    for (size_t index : SelectedShownRows()) names.push_back(GetFileName(thumListview_.Rows[index].Path));
    if (names.empty()) return false;
    const FavoritesWriteResult result =
        WriteFavoritesFile(currentFolder_, FavoritesAfter(favoriteNames_, names, remove));
    if (result.outcome == FavoritesWrite::NameOutsideCodePage) {
        (void)ShowMessageBox(hWnd(),
                             L"The name \"" + result.name +
                                 L"\" cannot be kept in the favourites list: it holds only names of the "
                                 L"system code page.",
                             L"Vellumo", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (result.outcome != FavoritesWrite::Written) {
        (void)ShowMessageBox(
            hWnd(), L"The favourites list of this folder could not be written: " + currentFolder_ + kFavoritesFileName,
            L"Vellumo", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    VrFileRead();
    DrawReview(true, remove);
    return true;
}

void ThumViewer::DrawReview(bool selectedOnly, bool remove) {
    // The cells show the list as written: the rows' marks follow it now rather than at the next
    // listing, so that scrolling away and back keeps the stars.
    std::unordered_set<std::wstring> marked;
    const auto mark = [&](ThumRow& row) {
        row.Review = remove ? L"" : L"T";
        marked.insert(row.Path);
    };
    if (selectedOnly)
        for (size_t index : SelectedShownRows()) mark(thumListview_.Rows[index]);
    else
        for (ThumRow& row : thumListview_.Rows) mark(row);
    // The search's copy of this listing too, or widening the search would take the marks back.
    if (SearchCopyIsCurrent())
        for (ThumRow& row : searchListView_.Rows)
            if (marked.contains(row.Path)) row.Review = remove ? L"" : L"T";
    selection_.showSelection = false;
    RedrawView();
}
