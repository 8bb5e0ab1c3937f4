#include "browser/ThumViewer.h"

#include "browser/ModFileinfo.h"
#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/DoEvents.h"
#include "platform/MemoryBudget.h"
#include "platform/Rounding.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr float kStarSize = 16;
// What a cell covers on the surface above its box and below it (its captions).
constexpr int32_t kCellAbove = 5;
constexpr int32_t kCellBelow = 2 * ThumGeometry::kCaptionLine + 2;
// How much less memory the process must hold, or how much larger a block must be free, than when a
// cell ran short of it before the cell is made again, and how often that is looked at: both move
// by a few megabytes as the program runs.
constexpr uint64_t kMemoryLetGo = uint64_t{32} << 20;
constexpr int32_t kMemoryWatchMs = 500;

ThumFileStamp StampOf(const ThumRow& row) {
    return {row.Size, row.Modified};
}

RectF UnionOf(const RectF& a, const RectF& b) {
    if (b.Width <= 0 || b.Height <= 0) return a;
    const float left = std::min(a.X, b.X), top = std::min(a.Y, b.Y);
    return RectF(left, top, std::max(a.X + a.Width, b.X + b.Width) - left,
                 std::max(a.Y + a.Height, b.Y + b.Height) - top);
}

} // namespace

ThumViewer::~ThumViewer() {
    // None of them may start while the grid waits for those under way.
    for (const auto& batch : batches_) batch->Cancel();
}

void ThumViewer::Path(const std::wstring& folder) {
    if (sidePanel_) {
        for (int32_t day = 0; day < kCalendarDays; ++day) sidePanel_->EnabledDays(day, false);
        sidePanel_->RefreshCalender();
    }
    filter_.Clear();
    selection_.oldPress = 0;
    // A folder that cannot be listed shows as empty.
    (void)thumFile_.SetPath(folder);
    // Another folder ends the search, and its box empties; the same folder shown again keeps it.
    const bool sameFolder = !currentFolder_.empty() && CompareNoCase(thumFile_.Path(), currentFolder_) == 0;
    currentFolder_ = thumFile_.Path();
    if (!sameFolder) EndSearch();
    ListFolder();
}

void ThumViewer::RefreshThumbnail(bool relist) {
    if (relist) {
        (void)thumFile_.Refresh();
        ListFolder();
    }
    CreateThumbnail(0);
}

void ThumViewer::ListFolder() {
    LoadFileList();
    // A sort or a new reading of the folder keeps the search: its hits come from the new listing,
    // in the listing's order. The search is what the box shows: a box emptied since ends it.
    if (searching_ && mainWindow_) searchText_ = mainWindow_->SearchText();
    searching_ = searching_ && !searchText_.empty();
    if (!searching_) return;
    TakeSearchCopy();
    SearchListViewByName(searchListView_, searchText_, thumListview_);
}

void ThumViewer::EndSearch() {
    searching_ = false;
    searchText_.clear();
    if (mainWindow_) mainWindow_->SearchEnded();
}

bool ThumViewer::Create(const PictureBoxArgs& args) {
    if (!PictureBox::Create(args)) return false;
    backColor_ = args.backColor;
    PictureBoxArgs surface;
    surface.parent = hWnd();
    surface.width = std::max(Width() - kScrollWidth - ThumGeometry::kSurfaceLeft, 1);
    surface.height = Height();
    surface.backColor = backColor_;
    PictureBoxArgs bar;
    bar.parent = hWnd();
    bar.width = kScrollWidth;
    bar.height = Height();
    bar.backColor = backColor_;
    if (!ThumOLE.Create(surface) || !ThumScroll.Create(bar)) return false;
    ThumScroll.onValueChanged = [this] {
        offset_ = ThumScroll.Value();
        RedrawView();
    };
    ThumOLE.onMouseDown = [this](int button, int shift, float x, float y) { SurfaceMouseDown(button, shift, x, y); };
    ThumOLE.onMouseMove = [this](int button, int shift, float x, float y) { SurfaceMouseMove(button, shift, x, y); };
    ThumOLE.onMouseUp = [this](int button, int shift, float x, float y) { SurfaceMouseUp(button, shift, x, y); };
    memoryWatch_.onTimer = [this] { WatchMemory(); };
    memoryWatch_.SetInterval(kMemoryWatchMs);
    ThumOLE.onDblClick = [this] {
        if (onMouseDbclick) onMouseDbclick();
    };
    for (PictureBox* child : {static_cast<PictureBox*>(&ThumOLE), static_cast<PictureBox*>(&ThumScroll)}) {
        child->ForwardKeys = false;
        child->onKeyDown = [this](int key, int shift) {
            if (shortcutKeys) shortcutKeys->HandleShortcutKey(key, shift);
        };
    }
    Arrange();
    return true;
}

void ThumViewer::BackColor(COLORREF colour) {
    // The whole control takes it; the scroll bar shows it at its next paint.
    backColor_ = colour;
    SetBackColor(colour);
    ThumOLE.SetBackColor(colour);
    ThumScroll.SetBackColor(colour);
    Refresh();
    if (onPropertyChanged) onPropertyChanged(L"BackColor");
}

void ThumViewer::Arrange() {
    if (!ThumOLE.hWnd()) return;
    const int32_t surfaceWidth = std::max(Width() - kScrollWidth - ThumGeometry::kSurfaceLeft, 1);
    ThumOLE.Move(ThumGeometry::kSurfaceLeft, 0, surfaceWidth, Height());
    ThumScroll.Move(ThumGeometry::kSurfaceLeft + surfaceWidth, 0, kScrollWidth, Height());
    ResetScrollRange();
    RedrawView();
}

void ThumViewer::ResetScrollRange() {
    const ThumScrollRange range = ScrollRangeFor(contentHeight_, ThumOLE.Height());
    ThumScroll.Enabled(range.enabled);
    if (range.enabled) ThumScroll.Max(range.max);
    ThumScroll.ResetValue();
    offset_ = 0;
}

bool ThumViewer::InView(POINT origin) const {
    if (origin.x < 0 || origin.x >= ThumOLE.Width()) return false;
    const int32_t top = origin.y - kCellAbove, bottom = origin.y + geometry_.boxHeight + kCellBelow;
    return bottom > offset_ && top < offset_ + ThumOLE.Height();
}

RectF ThumViewer::BoxOf(POINT origin) const {
    return RectF(static_cast<float>(origin.x), static_cast<float>(origin.y), static_cast<float>(geometry_.boxWidth),
                 static_cast<float>(geometry_.boxHeight));
}

void ThumViewer::ScrollIntoView(int32_t row) {
    const POINT origin = cellOrigins_[static_cast<size_t>(row)];
    if (origin.x < 0 || !ThumOLE.hWnd()) return;
    const int32_t top = origin.y - kCellAbove;
    const int32_t bottom = origin.y + geometry_.boxHeight + kCellBelow;
    int32_t wanted = offset_;
    if (bottom > offset_ + ThumOLE.Height()) wanted = bottom - ThumOLE.Height();
    if (top < wanted) wanted = top;
    wanted = std::clamp(wanted, 0, std::max(ThumScroll.Max(), 0));
    if (wanted != offset_ && ThumScroll.Enabled()) ThumScroll.Value(wanted); // redraws, so the cell gets its place
    if (imageRects_[static_cast<size_t>(row)].Width <= 0) RedrawView();
}

size_t ThumViewer::CellsInViewAtMost() const {
    // Rows as far apart as the step can all touch a view of this height, partly at its top and bottom.
    const int32_t extent = geometry_.boxHeight + kCellAbove + kCellBelow;
    const int32_t rows = (ThumOLE.Height() + extent - 1) / std::max(geometry_.rowStep, 1) + 1;
    return static_cast<size_t>(std::max(rows, 1)) * static_cast<size_t>(std::max(geometry_.cellsPerRow, 1));
}

void ThumViewer::MakeDrawingObjects() {
    if (!starImage_) starImage_.reset(LoadImageFromFileCopy(App().DataPath + L"Favorties.png"));
    if (!captionFont_) {
        GdipCreateFontFamilyFromName(L"Tahoma", nullptr, captionFamily_.put());
        if (captionFamily_) GdipCreateFont(captionFamily_.get(), 8, FontStyleRegular, UnitPoint, captionFont_.put());
    }
    if (!captionFormat_) {
        // One line each: a long text is cut with an ellipsis instead of wrapping onto the line below.
        // The trimming is also asked of GDI+, but some builds ignore it: the cut is made before drawing.
        GdipCreateStringFormat(StringFormatFlagsNoWrap, LANG_NEUTRAL, captionFormat_.put());
        GdipSetStringFormatAlign(captionFormat_.get(), StringAlignmentCenter);
        GdipSetStringFormatTrimming(captionFormat_.get(), StringTrimmingEllipsisCharacter);
    }
    if (!captionBrush_) captionBrush_ = MakeSolidFill(ColorARGB(255, 0, 0, 0));
}

void ThumViewer::MatchCacheToBox() {
    cache_.MatchBox(geometry_.boxWidth, geometry_.boxHeight);
    // Small cells on a large view outnumber the usual capacity: a cache smaller than the view makes
    // every cell of it again at each scroll step.
    cache_.Capacity(std::max(kCachedPictures, CellsInViewAtMost()));
}

const CellPicture& ThumViewer::PictureFor(const ThumRow& row) {
    MatchCacheToBox();
    if (const CellPicture* cached = cache_.Find(row.Path, StampOf(row))) return *cached;
    return cache_.Remember(
        row.Path, StampOf(row),
        MakeCellPicture(row.Path, static_cast<float>(geometry_.boxWidth), static_cast<float>(geometry_.boxHeight)));
}

bool ThumViewer::MemoryLetGoSince(const CellPicture& picture, MemoryNow& now) {
    // Both are looked at: the memory let go may lie where this platform reports no free block, and
    // address space given back is no memory held.
    if (!now.inUse) now.inUse = MemoryInUse();
    if (*now.inUse + kMemoryLetGo < picture.memoryInUse) return true;
    if (!now.largestFree) now.largestFree = LargestFreeMemory();
    return *now.largestFree > picture.memoryFree + kMemoryLetGo;
}

bool ThumViewer::ToBeMade(const ThumRow& row, MemoryNow& now) const {
    const CellPicture* kept = cache_.Kept(row.Path, StampOf(row));
    return !kept || (kept->shortOfMemory && MemoryLetGoSince(*kept, now));
}

void ThumViewer::AimDecodes(const std::vector<size_t>& rows) {
    const int32_t boxW = geometry_.boxWidth, boxH = geometry_.boxHeight;
    MatchCacheToBox();
    std::unordered_map<std::wstring, Decode> kept;
    std::vector<std::wstring> paths;
    std::vector<ThumFileStamp> stamps;
    std::unordered_set<std::wstring> asked;
    MemoryNow now;
    for (size_t i : rows) {
        const ThumRow& row = thumListview_.Rows[i];
        const ThumFileStamp stamp = StampOf(row);
        const CellPicture* cached = cache_.Kept(row.Path, stamp);
        if ((cached && !cached->shortOfMemory) || !asked.insert(row.Path).second) continue;
        // Under way for this file as it is now and for cells of this size: it goes on, also when it
        // makes again a picture short of memory (whose decode takes the memory that made it due).
        if (const auto under = decodes_.find(row.Path); under != decodes_.end() && under->second.stamp == stamp &&
                                                        boxW == decodesBoxWidth_ && boxH == decodesBoxHeight_) {
            kept.insert(decodes_.extract(under));
            continue;
        }
        if (cached && !MemoryLetGoSince(*cached, now)) continue;
        paths.push_back(row.Path);
        stamps.push_back(stamp);
    }
    for (const auto& [path, decode] : decodes_) decode.batch->Drop(decode.item);
    decodes_ = std::move(kept);
    decodesBoxWidth_ = boxW;
    decodesBoxHeight_ = boxH;
    // A batch goes once its workers have ended, never while the UI thread would wait for them.
    std::erase_if(batches_, [](const auto& batch) { return batch->Finished(); });
    if (paths.empty()) return;
    // The workers get their own copy of the paths and the box: nothing of the grid.
    const float boxWidth = static_cast<float>(boxW), boxHeight = static_cast<float>(boxH);
    const size_t count = paths.size();
    auto batch = std::make_shared<WorkerBatch<CellPicture>>(
        count, decodeThreads_, [files = paths, boxWidth, boxHeight](size_t k, std::stop_token stop) {
            return MakeCellPicture(files[k], boxWidth, boxHeight, std::move(stop));
        });
    for (size_t k = 0; k < count; ++k) decodes_[paths[k]] = Decode{batch, k, stamps[k]};
    batches_.push_back(std::move(batch));
}

int32_t ThumViewer::DecodesUnderWay() const {
    size_t running = 0;
    for (const auto& batch : batches_) running += batch->Running();
    return static_cast<int32_t>(running);
}

bool ThumViewer::TakeDecoded(const std::wstring& path, uint32_t waitMilliseconds) {
    const auto under = decodes_.find(path);
    if (under == decodes_.end()) return true;
    const Decode& decode = under->second;
    if (!decode.batch->WaitFor(decode.item, waitMilliseconds)) return false;
    (void)cache_.Remember(path, decode.stamp, decode.batch->Take(decode.item));
    decodes_.erase(under);
    return true;
}

std::vector<size_t> ThumViewer::RowsInView(bool missingOnly) const {
    std::vector<size_t> rows;
    MemoryNow now;
    for (int32_t index : shownRows_) {
        const size_t i = static_cast<size_t>(index);
        if (!InView(cellOrigins_[i])) continue;
        if (missingOnly && !ToBeMade(thumListview_.Rows[i], now)) continue;
        rows.push_back(i);
    }
    return rows;
}

void ThumViewer::WatchMemory() {
    if (!ThumOLE.hWnd() || App().GdiplusToken == 0) {
        memoryWatch_.SetEnabled(false);
        return;
    }
    // A pass makes and draws its own cells, and a listing not yet laid out has none: the watch goes
    // on after them.
    if (passRunning_ || passListing_ != listingGeneration_) return;
    std::vector<std::wstring> underWay;
    for (const auto& [path, decode] : decodes_) underWay.push_back(path);
    bool made = false;
    for (const std::wstring& path : underWay) made = TakeDecoded(path, 0) || made;
    if (made) DrawView();
    if (!decodes_.empty()) return;
    std::vector<size_t> due;
    bool waiting = false;
    MemoryNow now;
    for (size_t i : RowsInView(false)) {
        const ThumRow& row = thumListview_.Rows[i];
        const CellPicture* kept = cache_.Kept(row.Path, StampOf(row));
        if (!kept || !kept->shortOfMemory) continue;
        waiting = true;
        if (MemoryLetGoSince(*kept, now)) due.push_back(i);
    }
    if (!waiting) memoryWatch_.SetEnabled(false);
    if (!due.empty()) AimDecodes(due);
}

void ThumViewer::DecodeInView() {
    const std::vector<size_t> rows = RowsInView(false);
    AimDecodes(rows);
    for (size_t i : rows)
        while (!TakeDecoded(thumListview_.Rows[i].Path, 1000)) {
        }
}

void ThumViewer::DrawCell(GpGraphics* g, int32_t index) {
    const size_t i = static_cast<size_t>(index);
    const ThumRow& row = thumListview_.Rows[i];
    const POINT origin = cellOrigins_[i];
    const CellPicture& picture = PictureFor(row);
    fitRects_[i] = picture.fit;
    imageRects_[i] = RectF(static_cast<float>(origin.x) + picture.fit.X, static_cast<float>(origin.y) + picture.fit.Y,
                           picture.fit.Width, picture.fit.Height);
    const RectF box = BoxOf(origin);
    // The frame and the star need a picture as large as the star; a smaller one or none is framed
    // by its box, so that its selection shows.
    const bool roomy = picture.bitmap && picture.fit.Width >= kStarSize + 2 && picture.fit.Height >= kStarSize + 2;
    frameRects_[i] = roomy ? imageRects_[i] : box;
    hitRects_[i] = UnionOf(box, imageRects_[i]);

    const float x = static_cast<float>(origin.x), y = static_cast<float>(origin.y - offset_);
    const float w = static_cast<float>(geometry_.thumWidth), line = static_cast<float>(ThumGeometry::kCaptionLine);
    // Made again once memory allows; its file's size goes in its caption when the file states one.
    if (picture.shortOfMemory && !memoryWatch_.Enabled()) memoryWatch_.SetEnabled(true);
    std::wstring second;
    switch (sortMode_) {
    case kSortName:
        if (picture.Unreadable())
            second = L"Not a picture";
        else if (picture.imageWidth > 0)
            second = std::to_wstring(picture.imageWidth) + L" x " + std::to_wstring(picture.imageHeight) + L" pixels";
        break;
    case kSortType:
    case kSortFavorite:
        second = UpperText(row.Extname);
        break;
    case kSortSize:
        second = row.Number;
        break;
    case kSortCreated:
        second = row.CDate;
        break;
    case kSortModified:
        second = row.MDate;
        break;
    default:
        break;
    }
    if (captionFont_ && captionBrush_) {
        const auto caption = [&](const std::wstring& text, RectF box) {
            const std::wstring shown = FitWithEllipsis(g, text, captionFont_.get(), captionFormat_.get(), w);
            GdipDrawString(g, shown.c_str(), -1, captionFont_.get(), &box, captionFormat_.get(), captionBrush_.get());
        };
        const RectF first(x, y + static_cast<float>(geometry_.thumHeight) + 1, w, line);
        caption(row.String, first);
        if (!second.empty()) caption(second, RectF(first.X, first.Y + line, w, line));
    }
    const RectF shown(imageRects_[i].X, imageRects_[i].Y - static_cast<float>(offset_), imageRects_[i].Width,
                      imageRects_[i].Height);
    if (picture.bitmap)
        GdipDrawImageRectI(g, picture.bitmap.get(), RoundHalfEven(shown.X), RoundHalfEven(shown.Y),
                           RoundHalfEven(shown.Width), RoundHalfEven(shown.Height));
    if (row.Review == L"T" && starImage_)
        GdipDrawImageRect(g, starImage_.get(), shown.X + shown.Width - 18, shown.Y + shown.Height - 18, kStarSize,
                          kStarSize);
}

void ThumViewer::DrawFrame(GpGraphics* g) {
    if (selection_.oldPress < 0 || static_cast<size_t>(selection_.oldPress) >= frameRects_.size()) return;
    const RectF& r = frameRects_[static_cast<size_t>(selection_.oldPress)];
    if (r.Width <= 0 && r.Height <= 0) return;
    GdipPen pen = MakePen(ColorARGB(255, 235, 235, 235), 2);
    if (pen) GdipDrawRectangle(g, pen.get(), r.X - 2, r.Y - 2 - static_cast<float>(offset_), r.Width + 4, r.Height + 4);
}

void ThumViewer::RedrawView() {
    if (!ThumOLE.hWnd() || App().GdiplusToken == 0) return;
    if (passRunning_) {
        // The running pass goes on with the cells now in view that have no picture yet; the view
        // shows the others now, without waiting for a decode.
        passRows_ = RowsInView(true);
        passNext_ = 0;
        AimDecodes(passRows_);
    } else {
        DecodeInView();
    }
    DrawView();
}

void ThumViewer::DrawView() {
    ThumOLE.Cls();
    GdipGraphics graphics = ThumOLE.CreateGraphics();
    if (GpGraphics* g = graphics.get()) {
        MakeDrawingObjects();
        GdipSetInterpolationMode(g, InterpolationModeLowQuality);
        GdipSetTextRenderingHint(g, TextRenderingHintClearTypeGridFit);
        for (size_t i : RowsInView(false))
            if (cache_.Find(thumListview_.Rows[i].Path, StampOf(thumListview_.Rows[i])))
                DrawCell(g, static_cast<int32_t>(i));
        // While a pass fills the view its cells go straight to the surface: no copy to keep then.
        if (drawingComplete_) KeepDrawnView();
        DrawFrame(g);
        DrawSelection(g);
    }
    graphics.reset();
    ThumOLE.Refresh();
}

void ThumViewer::KeepDrawnView() {
    const size_t pixels = static_cast<size_t>(ThumOLE.Width()) * static_cast<size_t>(ThumOLE.Height());
    drawnView_.assign(ThumOLE.Bits(), ThumOLE.Bits() + pixels);
    drawnWidth_ = ThumOLE.Width();
    drawnHeight_ = ThumOLE.Height();
}

void ThumViewer::RedrawSelection() {
    // A press changes only frames and the band: they go over the kept cells, not redrawn ones.
    if (!ThumOLE.hWnd() || App().GdiplusToken == 0) return;
    if (drawnView_.empty() || drawnWidth_ != ThumOLE.Width() || drawnHeight_ != ThumOLE.Height()) {
        RedrawView();
        return;
    }
    std::copy(drawnView_.begin(), drawnView_.end(), ThumOLE.Bits());
    GdipGraphics graphics = ThumOLE.CreateGraphics();
    if (GpGraphics* g = graphics.get()) {
        DrawFrame(g);
        DrawSelection(g);
    }
    graphics.reset();
    ThumOLE.Refresh();
}

void ThumViewer::RefreshThumSave() {
    // The saved file is the one the last click or step opened, whatever was pressed since: a
    // rubber band leaves OldPress past the last row. Its size and time change its texts too, and
    // keep the new picture from being made once more at the next pass; its picture is made again
    // even when the save kept both.
    RefreshFileFacts();
    if (!selection_.selectFile.empty()) cache_.Forget(selection_.selectFile);
    RedrawView();
}

void ThumViewer::CreateThumbnail(int32_t spacing) {
    spacing_ = spacing;
    const size_t count = thumListview_.Rows.size();
    fitRects_.assign(count + 1, RectF());
    imageRects_.assign(count + 1, RectF());
    frameRects_.assign(count + 1, RectF());
    hitRects_.assign(count + 1, RectF());
    cellOrigins_.assign(count, POINT{-1, -1});
    shownRows_.clear();
    // The rows keep their selection, but its frames show again only at the next press.
    selection_.showSelection = false;
    selection_.bandMode = selection_.dragging = false;
    selection_.band = RECT{};
    // A pass that lists nothing (a search, a filter, a new layout) still draws the files as they
    // are now: one reading of the folder tells which were replaced since the listing.
    if (!std::exchange(factsFresh_, false)) RefreshFileFacts();
    const int32_t innerWidth = ThumOLE.hWnd() ? Width() : 0;
    geometry_ = ComputeThumGeometry(thumWidth_, thumHeight_, spacing, innerWidth, kScrollWidth);
    contentHeight_ = geometry_.ContentHeight(static_cast<int32_t>(count));
    drawingComplete_ = false;
    drawnView_.clear();
    const bool drawing = ThumOLE.hWnd() && App().GdiplusToken != 0;
    if (ThumOLE.hWnd()) {
        ResetScrollRange();
        ThumOLE.Cls();
        ThumOLE.Refresh();
    }
    // The marks are the days of the whole listing: a filtered pass leaves them as they are.
    if (filter_.Mode() == ThumFilter::kNoFilter) MarkCalendarMonth();
    // Laying a row out costs next to nothing: every row is placed first, so that the pictures of
    // the cells in view can be decoded side by side while the cells are drawn in grid order.
    std::vector<size_t> inView;
    for (size_t i = 0; i < count; ++i) {
        if (!filter_.Passes(thumListview_.Rows[i])) continue;
        cellOrigins_[i] = geometry_.CellOrigin(static_cast<int32_t>(shownRows_.size()));
        hitRects_[i] = BoxOf(cellOrigins_[i]);
        shownRows_.push_back(static_cast<int32_t>(i));
        if (drawing && InView(cellOrigins_[i])) inView.push_back(i);
    }
    // A filter that hides a selected row takes it out of the selection: no command acts on a file
    // the user cannot see, and the row comes back unselected when the filter lets it show again, so
    // the pass ends with the one selection list every command and the stars use.
    bool dropped = false;
    for (size_t i = 0; i < count; ++i)
        if (thumListview_.Rows[i].Selected && cellOrigins_[i].x < 0) {
            thumListview_.Rows[i].Selected = false;
            dropped = true;
        }
    if (dropped) MirrorSelection();
    passRows_ = inView;
    passNext_ = 0;
    passListing_ = listingGeneration_;
    AimDecodes(inView);
    if (!drawing || count == 0) {
        drawingComplete_ = true;
        return;
    }
    MakeDrawingObjects();
    // Passes never run inside one another: the one under way (this call came from a message it let
    // run) draws these cells in place of its own once this returns.
    if (passRunning_) return;
    passRunning_ = true;
    const bool drawn = DrawPassCells();
    passRunning_ = false;
    if (!drawn) return;
    drawingComplete_ = true;
    // A press while the pass ran drew its frames over the cells: the view is kept without them.
    if (selection_.showSelection) {
        DrawView();
        return;
    }
    KeepDrawnView();
    GdipGraphics graphics = ThumOLE.CreateGraphics();
    if (graphics) DrawFrame(graphics.get());
    graphics.reset();
    ThumOLE.Refresh();
}

bool ThumViewer::DrawPassCells() {
    for (;;) {
        DoEvents();
        // A closed window has no grid; a new listing without a pass of its own has no cells yet.
        if (!ThumOLE.hWnd() || passListing_ != listingGeneration_) return false;
        if (passNext_ >= passRows_.size()) return true;
        const size_t i = passRows_[passNext_];
        if (!TakeDecoded(thumListview_.Rows[i].Path, 10)) continue;
        ++passNext_;
        DrawPassCell(i);
    }
}

void ThumViewer::DrawPassCell(size_t i) {
    // A scroll meanwhile may have taken the cell out of view.
    if (!InView(cellOrigins_[i]) || !cache_.Find(thumListview_.Rows[i].Path, StampOf(thumListview_.Rows[i]))) return;
    GdipGraphics graphics = ThumOLE.CreateGraphics();
    if (GpGraphics* g = graphics.get()) {
        GdipSetInterpolationMode(g, InterpolationModeLowQuality);
        GdipSetTextRenderingHint(g, TextRenderingHintClearTypeGridFit);
        DrawCell(g, static_cast<int32_t>(i));
    }
    graphics.reset();
    // The cell shows at once; only its own area goes to the screen.
    const POINT cell = cellOrigins_[i];
    RECT area{cell.x - 2, cell.y - offset_ - 7, cell.x + geometry_.boxWidth + 2,
              cell.y - offset_ + geometry_.boxHeight + 2 * ThumGeometry::kCaptionLine + 4};
    ::InvalidateRect(ThumOLE.hWnd(), &area, FALSE);
    ::UpdateWindow(ThumOLE.hWnd());
}

bool ThumViewer::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
    if (msg == WM_SIZE) Arrange();
    // The grid's mouse events come from its surface; the thin margin beside it raises none.
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        *result = 0;
        return true;
    default:
        return false;
    }
}

void ThumViewer::LoadFileList() {
    thumListview_.Rows.clear();
    VrFileRead();
    std::unordered_set<std::wstring> favorites;
    for (const std::wstring& name : favoriteNames_) favorites.insert(FoldCase(name));

    const FileInfoFormat format = FileInfoFormat::Current();
    thumListview_.Rows.reserve(thumFile_.Files().size());
    for (const ThumFileEntry& file : thumFile_.Files()) {
        ThumRow row;
        row.Path = currentFolder_ + file.Name;
        row.String = file.Name;
        row.Extname = FileExtension(file.Name);
        SetFileFacts(row, file, format);
        if (!favorites.empty() && favorites.count(FoldCase(file.Name))) row.Review = L"T";
        thumListview_.Rows.push_back(std::move(row));
    }
    ApplyTableSort(thumListview_);
    noOpen_ = !thumListview_.Rows.empty();
    ++listingGeneration_;
    factsFresh_ = true;
    TableReplaced();
}

void ThumViewer::RefreshFileFacts() {
    std::vector<ThumFileEntry> files;
    if (!thumFile_.ReadFiles(files)) return;
    UpdateFileFacts(thumListview_, files);
    if (SearchCopyIsCurrent()) UpdateFileFacts(searchListView_, files);
}

void ThumViewer::TakeSearchCopy() {
    searchListView_.Rows = thumListview_.Rows;
    for (ThumRow& row : searchListView_.Rows) row.Selected = false;
    backupFolder_ = currentFolder_;
    searchCopyGeneration_ = listingGeneration_;
}

void ThumViewer::SearchThumbnaillGO(const std::wstring& text, bool run) {
    // The copy is taken from the full listing only: after a search the table holds just the hits,
    // and the listing they came from is the copy's own.
    if (!SearchCopyIsCurrent()) TakeSearchCopy();
    if (!run) return;
    // An empty text shows every row: no search to keep.
    searching_ = !text.empty();
    searchText_ = text;
    SearchListViewByName(searchListView_, text, thumListview_);
    TableReplaced();
    CreateThumbnail(0);
}

void ThumViewer::ThumbnaillSort(int32_t mode) {
    sortMode_ = mode;
    // The relist below sorts what it lists: sorting the old rows first would be wasted work.
    thumListview_.Rows.clear();
    SortListViewColumn(thumListview_, mode);
    RefreshThumbnail(true);
    if (onPropertyChanged) onPropertyChanged(L"ThumbnaillSort");
}

void ThumViewer::ImageFormats(const std::wstring& value) {
    filter_.Formats(value);
    if (onPropertyChanged) onPropertyChanged(L"ImageFormats");
}

void ThumViewer::DateWatch(const std::wstring& value) {
    filter_.Date(value);
}

std::wstring ThumViewer::SlideFilename(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return thumListview_.Rows[static_cast<size_t>(index)].Path;
}

void ThumViewer::MarkCalendarMonth() {
    if (!sidePanel_) return;
    // Every day is set, marked or not: the marks of another month or of an earlier listing go.
    std::array<bool, kCalendarDays> marks{};
    for (const ThumRow& row : thumListview_.Rows) MarkCalendarDay(row, marks);
    for (int32_t day = 0; day < kCalendarDays; ++day) sidePanel_->EnabledDays(day, marks[static_cast<size_t>(day)]);
    sidePanel_->RefreshCalender();
}

void ThumViewer::MarkCalendarDay(const ThumRow& row, std::array<bool, kCalendarDays>& marks) const {
    // Only the days of the month the calendar shows.
    const int32_t day = row.CreatedLocal.wDay;
    if (day < 1 || day > kCalendarDays) return;
    if (row.CreatedLocal.wMonth != sidePanel_->ShownMonth() || row.CreatedLocal.wYear != sidePanel_->ShownYear())
        return;
    marks[static_cast<size_t>(day - 1)] = true;
}
