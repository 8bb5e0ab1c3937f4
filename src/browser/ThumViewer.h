// The thumbnail grid: its item store (folder listing, favourites marks, format and date filters,
// sorting, name search), and the control that lays the listed files out as cells with captions,
// stars and the pressed frame and scrolls them. Only the cells in view are drawn, from a bounded
// cache of cell pictures, never one picture of the whole folder. Without a window (Create not
// called) the grid still lists, filters and lays out.
#pragma once

#include "browser/GridMainWindow.h"
#include "browser/GridSidePanel.h"
#include "browser/ThumCache.h"
#include "browser/ThumFileList.h"
#include "browser/ThumFilter.h"
#include "browser/ThumLayout.h"
#include "browser/ThumSelection.h"
#include "browser/ThumTable.h"
#include "browser/ThumbnailMaker.h"
#include "browser/scrollVControl.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/WorkerBatch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class ThumViewer : public PictureBox {
public:
    static constexpr int32_t kNoFilter = ThumFilter::kNoFilter;
    static constexpr int32_t kFormatFilter = ThumFilter::kFormatFilter;
    static constexpr int32_t kDateFilter = ThumFilter::kDateFilter;

    // sidePanel receives the calendar marks; it may be null (no marks) and must outlive the grid.
    explicit ThumViewer(GridSidePanel* sidePanel = nullptr) : sidePanel_(sidePanel) {}
    // Drops every decode, then waits for those under way.
    ~ThumViewer() override;
    ThumViewer(const ThumViewer&) = delete;
    ThumViewer& operator=(const ThumViewer&) = delete;

    void SetSidePanel(GridSidePanel* sidePanel) { sidePanel_ = sidePanel; }
    // Asked to save an unsaved edit and to open the pressed file; may be null (nothing is asked or
    // opened) and must outlive the grid.
    void SetMainWindow(GridMainWindow* mainWindow) { mainWindow_ = mainWindow; }

    // Shows a folder: clears the calendar marks and the filter and lists the folder's pictures.
    // Another folder than the one shown ends the search (the main window empties the search box).
    // An empty or missing folder gives an empty table. The caller then runs CreateThumbnail.
    void Path(const std::wstring& folder);
    // Reads the current folder again (relist) and lays the rows out again with the current filter.
    void RefreshThumbnail(bool relist = true);
    // Counts the calendar's marks (unless a filter is set), lays out every row that passes the
    // filter, in grid order, and draws the cells in view one by one as their pictures are made,
    // letting pending messages run meanwhile; then the pressed frame. A selected row the filter
    // hides is no longer selected, and the selection list follows. The decodes of cells the new
    // layout does not show go: those not started never start, those under way are not waited for
    // and their pictures are not used; a file still in view whose picture is under way keeps that
    // decode. A pass started meanwhile (a folder chosen while this one fills) returns at once: the
    // running pass goes on with the new cells instead of its own.
    void CreateThumbnail(int32_t spacing = 0);
    void ZoomThumbnail(int32_t spacing) { CreateThumbnail(spacing); }
    // Draws the cell of SelectFile (the file the last click or step opened) again from its file,
    // after the shown image was saved over it, and every cell whose file has changed.
    void RefreshThumSave();

    // Makes the control with its drawing surface ThumOLE and its scroll bar ThumScroll.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);
    PictureBox ThumOLE;
    scrollVControl ThumScroll;
    static constexpr int kScrollWidth = 17;

    // Every setter of a stored property below tells the host its change name (the property's
    // name, but "Thumheight" for ThumHeight); DateWatch tells nothing.
    std::function<void(const std::wstring& name)> onPropertyChanged;
    // The cell size of the next pass; 0 or below counts as 100.
    [[nodiscard]] float ThumWidth() const { return thumWidth_; }
    void ThumWidth(float value) { Store(thumWidth_, value, L"ThumWidth"); }
    [[nodiscard]] float ThumHeight() const { return thumHeight_; }
    void ThumHeight(float value) { Store(thumHeight_, value, L"Thumheight"); }
    // The background colour (RGB) of the control, its surface and its scroll bar; Create takes it
    // from its arguments.
    [[nodiscard]] COLORREF BackColor() const { return backColor_; }
    void BackColor(COLORREF colour);
    // Stored for the host; the grid itself reads HideCaption and isFavorties only in its presses.
    [[nodiscard]] int32_t ThumStyle() const { return thumStyle_; }
    void ThumStyle(int32_t value) { Store(thumStyle_, value, L"ThumStyle"); }
    [[nodiscard]] bool HideCaption() const { return hideCaption_; }
    void HideCaption(bool value) { Store(hideCaption_, value, L"HideCaption"); }
    [[nodiscard]] float CustomWidth() const { return customWidth_; }
    void CustomWidth(float value) { Store(customWidth_, value, L"CustomWidth"); }
    [[nodiscard]] float CustomHeight() const { return customHeight_; }
    void CustomHeight(float value) { Store(customHeight_, value, L"CustomHeight"); }
    [[nodiscard]] bool AutoZoomsize() const { return autoZoomsize_; }
    void AutoZoomsize(bool value) { Store(autoZoomsize_, value, L"AutoZoomsize"); }
    [[nodiscard]] bool ShowSingleSplit() const { return showSingleSplit_; }
    void ShowSingleSplit(bool value) { Store(showSingleSplit_, value, L"ShowSingleSplit"); }
    [[nodiscard]] bool isFavorties() const { return isFavorties_; }
    void isFavorties(bool value) { Store(isFavorties_, value, L"isFavorties"); }
    bool OnEventsEnabled = true;

    // False from the start of a drawing pass to its end (and before the first).
    [[nodiscard]] bool DrawingComplete() const { return drawingComplete_; }
    // Per row of the table (and one more), as the last pass left them; zero for rows not laid out
    // or not yet in view: the picture's place in its box, its place on the content, and the
    // rectangle the pressed frame and the star are drawn around (the box itself when the cell has
    // no picture or one too small to carry them).
    [[nodiscard]] const std::vector<RectF>& FitRects() const { return fitRects_; }
    [[nodiscard]] const std::vector<RectF>& ImageRects() const { return imageRects_; }
    [[nodiscard]] const std::vector<RectF>& FrameRects() const { return frameRects_; }
    // Per row, where a press or a band takes the cell on the content: its whole box (with its
    // picture, which a portrait raises out of it), from the moment the pass lays it out, whether
    // its picture is made yet, tiny or not to be had; zero for rows not laid out.
    [[nodiscard]] const std::vector<RectF>& HitRects() const { return hitRects_; }
    [[nodiscard]] const ThumGeometry& Geometry() const { return geometry_; }
    // The content's height and the scroll offset now.
    [[nodiscard]] int32_t ContentHeight() const { return contentHeight_; }
    [[nodiscard]] int32_t ScrollOffset() const { return offset_; }
    // Cell pictures made since the grid was created (a file is decoded again only once it has
    // changed on disk or its picture has been let go).
    [[nodiscard]] int32_t PicturesMade() const { return cache_.PicturesMade(); }
    // Pictures being decoded on worker threads now, also those no longer wanted.
    [[nodiscard]] int32_t DecodesUnderWay() const;
    // How many pictures are decoded at once (1 to 8); the machine's cores, at most 8, by default.
    [[nodiscard]] int32_t DecodeThreads() const { return decodeThreads_; }
    void DecodeThreads(int32_t threads) { decodeThreads_ = std::clamp(threads, 1, 8); }

    // Marks on the side panel's date picker the days of the month it shows on which the listed
    // files were created, and clears the other days; then repaints it. Every unfiltered drawing
    // pass does it; the host calls it when the picker has moved to another month.
    static constexpr int32_t kCalendarDays = 31;
    void MarkCalendarMonth();

    // run false: keeps a copy of the current listing for searching. run true: shows only the rows
    // of that copy whose name contains text. The copy always comes from the current listing. The
    // search lasts through sorts and new listings of the same folder (the hits of each new listing,
    // sorted, for the words the search box shows then) until another folder is shown or the text,
    // or the box at a sort or listing, is empty.
    void SearchThumbnaillGO(const std::wstring& text = {}, bool run = true);

    // Sort mode: 0 name, 1 type, 2 size, 3 created, 4 modified, 5 favourite. Setting it sorts and
    // relists; the table stays sorted by it through later listings.
    int32_t ThumbnaillSort() const { return sortMode_; }
    void ThumbnaillSort(int32_t mode);
    // The direction the table sorts in; applied by the next sort or listing.
    ThumSortOrder SortOrder() const { return thumListview_.SortOrder; }
    void SetSortOrder(ThumSortOrder order) { thumListview_.SortOrder = order; }

    // Get: the listing pattern. Set: a ";"-separated wildcard list ("*.png;*.jpg") that becomes the
    // format filter; the listing keeps every file of the pattern.
    std::wstring ImageFormats() const { return thumFile_.Pattern(); }
    void ImageFormats(const std::wstring& value);
    // The listing pattern itself (the stored property of the same name reads into it).
    void SetListingPattern(const std::wstring& pattern) { thumFile_.SetPattern(pattern); }
    // A date "day-month-year" that becomes the date filter: only files created that day show.
    void DateWatch(const std::wstring& value);

    // The full path of the row at a 0-based index in grid order; empty outside the table.
    std::wstring SlideFilename(int32_t index) const;
    // Rows after the last listing or search.
    int32_t ListCount() const { return static_cast<int32_t>(thumListview_.Rows.size()); }
    // True when the last listing found at least one file.
    bool NoOpen() const { return noOpen_; }
    // The index of the last pressed row; ListCount() after a rubber band.
    int32_t OldPress() const { return selection_.oldPress; }

    // Selection. A left click selects only the clicked thumbnail, Ctrl toggles one, a drag from
    // empty space selects what its band overlaps (with Shift: adds to the selection). After every
    // press and every drawing pass App().SelectedFiles (App().SelectedFavorites while isFavorties)
    // holds the selected paths in grid order; a new listing or search empties it.
    // Step the selection to the next or previous thumbnail and scroll it into view; no wrapping.
    void PreviewNext();
    void PreviewBack();
    // Draws the rubber band between where the drag started and where the pointer is.
    void DrawSelect();
    // Selects the shown thumbnail of path alone, as a plain click would, without opening it (the
    // canvas already shows it) and scrolls it into view; false when no shown thumbnail has that path.
    bool SelectThumbnail(const std::wstring& path);
    // Selects exactly the shown thumbnails of paths, that of pressed (when among them) as the
    // pressed row, without opening or scrolling; the others are let go. Gives how many it selected.
    size_t SelectThumbnails(const std::vector<std::wstring>& paths, const std::wstring& pressed);
    // After the file failed could not be opened: frames the thumbnail of shown (the picture the
    // canvas still shows) alone as the pressed one, or none when shown is empty or not among the
    // thumbnails shown, without scrolling. Steps then go on from failed's thumbnail, so that the
    // next one passes it. False when no thumbnail of shown was framed.
    bool FrameShownPicture(const std::wstring& shown, const std::wstring& failed);
    // The row of the last plain click or step: its path, its extension, its picture's size.
    [[nodiscard]] const std::wstring& SelectFile() const { return selection_.selectFile; }
    [[nodiscard]] const std::wstring& FileExtname() const { return selection_.fileExtname; }
    [[nodiscard]] float ThumW() const { return selection_.thumW; }
    [[nodiscard]] float ThumH() const { return selection_.thumH; }
    // The texts of the selected row (the first selected in grid order); empty when none.
    [[nodiscard]] std::wstring ShowFilename() const;
    [[nodiscard]] std::wstring ShowFormat() const;
    [[nodiscard]] std::wstring ShowSize() const;
    [[nodiscard]] std::wstring ShowCreateData() const;
    [[nodiscard]] std::wstring ShowModiData() const;
    // Raised after the grid handled a press or a release on its surface (surface coordinates),
    // also when the save question was cancelled, and on a double click. The inherited onMouseDown
    // and onMouseUp carry the first two.
    std::function<void()> onMouseDbclick;

    const ThumTable& ThumListview() const { return thumListview_; }
    const ThumTable& SearchListView() const { return searchListView_; }
    // The shown folder, ending in "\" (empty before the first folder or after an empty one).
    const std::wstring& CurrentFolder() const { return currentFolder_; }
    int32_t FilterMode() const { return filter_.Mode(); }
    // The indexes of the rows that passed the filter in the last pass, in grid order.
    const std::vector<int32_t>& ShownRows() const { return shownRows_; }

    // Reads the current folder's favourites list.
    void VrFileRead();
    const std::vector<std::wstring>& FavoriteNames() const { return favoriteNames_; }
    // Stars (remove false) or unstars the selected thumbnails: rewrites the folder's list, then
    // DrawReview. A failed write, or a name the system code page cannot hold, is reported in a
    // message and leaves the list and the cells as they were. True when the list was written.
    [[nodiscard]] bool VrFileCreate(bool remove = false);
    // Shows or clears the star on the selected cells (every cell when selectedOnly is false) and
    // takes the selection frames off until the next press.
    void DrawReview(bool selectedOnly = false, bool remove = false);

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    template <typename T> void Store(T& field, T value, const wchar_t* changeName) {
        field = value;
        if (onPropertyChanged) onPropertyChanged(changeName);
    }
    [[nodiscard]] bool PressThumbnail(int button, int shift, float x, float y, bool goNext = false,
                                      bool goBack = false);
    [[nodiscard]] int32_t HitRow(float x, float y) const;
    void ScrollIntoView(int32_t row);
    // Selects row hit as the pressed one: SelectFile, its extension and its picture's size follow it.
    void TakePressedRow(int32_t hit);
    // The selected rows among those the grid shows, in grid order: what the selection list, the
    // stars and every command on the selection act on.
    [[nodiscard]] std::vector<size_t> SelectedShownRows() const;
    void MirrorSelection();
    std::vector<std::wstring>& SelectionList();
    void TableReplaced();
    // The search's copy is of the present listing (an older one is never searched again).
    [[nodiscard]] bool SearchCopyIsCurrent() const { return searchCopyGeneration_ == listingGeneration_; }
    // What each Show member reads: one text of the first selected row, empty when none.
    [[nodiscard]] std::wstring ShownText(std::wstring ThumRow::*text) const;
    void SurfaceMouseDown(int button, int shift, float x, float y);
    void SurfaceMouseMove(int button, int shift, float x, float y);
    void SurfaceMouseUp(int button, int shift, float x, float y);
    void DrawSelection(GpGraphics* g);
    void KeepDrawnView();
    void RedrawSelection();
    void Arrange();
    void ResetScrollRange();
    [[nodiscard]] bool InView(POINT origin) const;
    // The box of the cell at origin on the content, which its picture is fitted into.
    [[nodiscard]] RectF BoxOf(POINT origin) const;
    // The most cells a view of the surface's height can show at once.
    [[nodiscard]] size_t CellsInViewAtMost() const;
    void MatchCacheToBox();
    const CellPicture& PictureFor(const ThumRow& row);
    // What the process holds and the largest block free now, each read when first needed.
    struct MemoryNow {
        std::optional<uint64_t> inUse, largestFree;
    };
    // Whether the row's picture is to be made: none is cached of its file as it is now, or the one
    // cached ran short of memory and the process holds less now, or has a larger block free, than
    // then.
    [[nodiscard]] bool ToBeMade(const ThumRow& row, MemoryNow& now) const;
    // Whether the process holds less memory now, or has a larger block free, than when a picture
    // ran short of it.
    [[nodiscard]] static bool MemoryLetGoSince(const CellPicture& picture, MemoryNow& now);
    // The pictures of those rows that are to be made are made on worker threads in the rows' order
    // (a file listed twice once); one already under way goes on. Every other decode is dropped.
    void AimDecodes(const std::vector<size_t>& rows);
    // While a cell in view is short of memory, every tick of memoryWatch_: the cells in view whose
    // pictures can be made now are made again on worker threads, and drawn once made.
    void WatchMemory();
    // The picture under way of that path, once made, goes to the cache; false while it is not made.
    [[nodiscard]] bool TakeDecoded(const std::wstring& path, uint32_t waitMilliseconds);
    // The rows in view, in grid order; only those whose pictures are to be made.
    [[nodiscard]] std::vector<size_t> RowsInView(bool missingOnly) const;
    // Draws the running pass's cells as their pictures come; false when the window went or the
    // table was listed anew without a pass.
    [[nodiscard]] bool DrawPassCells();
    void DrawPassCell(size_t row);
    // Takes the sizes and times of the rows' files from a new reading of the folder, for a pass
    // that does not list the folder again.
    void RefreshFileFacts();
    // Makes the missing pictures of the cells in view side by side before they are drawn.
    void DecodeInView();
    void DrawCell(GpGraphics* g, int32_t row);
    void DrawFrame(GpGraphics* g);
    void RedrawView();
    // Draws the cells in view that have their pictures, then the frames.
    void DrawView();
    void MakeDrawingObjects();
    void LoadFileList();
    // Lists the folder, and runs the search again on the new listing while one is kept.
    void ListFolder();
    void EndSearch();
    void TakeSearchCopy();
    void MarkCalendarDay(const ThumRow& row, std::array<bool, kCalendarDays>& marks) const;

    GridSidePanel* sidePanel_ = nullptr;
    GridMainWindow* mainWindow_ = nullptr;
    ThumSelectionState selection_;
    ThumFileList thumFile_;
    ThumTable thumListview_;
    ThumTable searchListView_;
    std::wstring currentFolder_;
    std::wstring backupFolder_; // the folder whose listing searchListView_ holds
    uint64_t listingGeneration_ = 0;
    uint64_t searchCopyGeneration_ = UINT64_MAX;
    bool searching_ = false; // a search is shown: a sort or relist of this folder keeps it
    std::wstring searchText_;
    std::vector<std::wstring> favoriteNames_;
    ThumFilter filter_;
    int32_t sortMode_ = kSortName;
    int32_t spacing_ = 0;
    bool noOpen_ = false;
    std::vector<int32_t> shownRows_;
    std::vector<POINT> cellOrigins_; // per row: its cell's corner on the content, or x -1

    float thumWidth_ = 100;
    float thumHeight_ = 100;
    COLORREF backColor_ = RGB(255, 255, 255);
    int32_t thumStyle_ = 0;
    bool hideCaption_ = false;
    float customWidth_ = 32;
    float customHeight_ = 32;
    bool autoZoomsize_ = false;
    bool showSingleSplit_ = false;
    bool isFavorties_ = false;
    ThumGeometry geometry_;
    std::vector<RectF> fitRects_, imageRects_, frameRects_, hitRects_;
    int32_t contentHeight_ = 0;
    int32_t offset_ = 0;
    bool drawingComplete_ = false;
    std::vector<uint32_t> drawnView_; // the surface with its cells, before frames and the band
    int32_t drawnWidth_ = 0, drawnHeight_ = 0;
    // The cells the running pass has still to draw, in grid order, and the listing they belong to.
    std::vector<size_t> passRows_;
    size_t passNext_ = 0;
    uint64_t passListing_ = 0;
    bool passRunning_ = false;

    // A few screens' worth at the largest size (150 x 150 x 4 bytes each); more when the view
    // shows more cells than that.
    static constexpr size_t kCachedPictures = 400;
    ThumCache cache_{kCachedPictures};
    bool factsFresh_ = false; // the rows' file facts come from a listing no pass has used yet
    int32_t decodeThreads_ = DecodeThreadsForMachine();
    // A picture being made (or made and not yet taken) for the cache's box, by file.
    struct Decode {
        std::shared_ptr<WorkerBatch<CellPicture>> batch;
        size_t item = 0;
        ThumFileStamp stamp;
    };
    std::unordered_map<std::wstring, Decode> decodes_;
    int32_t decodesBoxWidth_ = 0, decodesBoxHeight_ = 0; // the box the decodes under way make pictures for
    // Every batch whose workers may still run: let go only once they have ended, so that the UI
    // thread never waits for a decode nobody wants.
    std::vector<std::shared_ptr<WorkerBatch<CellPicture>>> batches_;
    // Runs WatchMemory from the drawing of a cell short of memory until none is in view.
    Timer memoryWatch_;

    GdipImage starImage_;
    GdipFontFamily captionFamily_;
    GdipFont captionFont_;
    GdipStringFormat captionFormat_;
    GdipSolidFill captionBrush_;
};
