// The thumbnail grid: its item store (folder listing, favourites marks, format and date filters,
// sorting, name search) and the per-row filter pass that the drawing runs over it.
#pragma once

#include "browser/GridSidePanel.h"
#include "browser/ThumFileList.h"
#include "browser/ThumTable.h"

#include <cstdint>
#include <string>
#include <vector>

class ThumViewer {
public:
    enum FilterModes : int32_t { kNoFilter = 0, kFormatFilter = 1, kDateFilter = 2 };

    // sidePanel receives the calendar marks; it may be null (no marks) and must outlive the grid.
    explicit ThumViewer(GridSidePanel* sidePanel = nullptr) : sidePanel_(sidePanel) {}
    ThumViewer(const ThumViewer&) = delete;
    ThumViewer& operator=(const ThumViewer&) = delete;

    void SetSidePanel(GridSidePanel* sidePanel) { sidePanel_ = sidePanel; }

    // Shows a folder: clears the calendar marks and the filter and lists the folder's pictures.
    // An empty or missing folder gives an empty table. The caller then runs CreateThumbnail.
    void Path(const std::wstring& folder);
    // Reads the current folder again (relist) and lays the rows out again with the current filter.
    void RefreshThumbnail(bool relist = true);
    // Runs the per-row filter over the table in grid order and refreshes the calendar marks.
    void CreateThumbnail(int32_t spacing = 0);

    // run false: keeps a copy of the current listing for searching. run true: shows only the rows
    // of that copy whose name contains text. The copy always comes from the current listing.
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
    // The index of the last pressed row.
    int32_t OldPress() const { return oldPress_; }

    const ThumTable& ThumListview() const { return thumListview_; }
    const ThumTable& SearchListView() const { return searchListView_; }
    // The shown folder, ending in "\" (empty before the first folder or after an empty one).
    const std::wstring& CurrentFolder() const { return currentFolder_; }
    int32_t FilterMode() const { return filterMode_; }
    // The indexes of the rows that passed the filter in the last pass, in grid order.
    const std::vector<int32_t>& ShownRows() const { return shownRows_; }

    // Reads the current folder's favourites list.
    void VrFileRead();
    const std::vector<std::wstring>& FavoriteNames() const { return favoriteNames_; }

private:
    void LoadFileList();
    void TakeSearchCopy();
    bool PassesFilter(const ThumRow& row);
    bool IsInFormatList(const std::wstring& extension) const;
    bool MatchDateFilter(const ThumRow& row) const;
    void MarkCalendarDay(const ThumRow& row);

    GridSidePanel* sidePanel_ = nullptr;
    ThumFileList thumFile_;
    ThumTable thumListview_;
    ThumTable searchListView_;
    std::wstring currentFolder_;
    std::wstring backupFolder_; // the folder whose listing searchListView_ holds
    uint64_t listingGeneration_ = 0;
    uint64_t searchCopyGeneration_ = UINT64_MAX;
    std::vector<std::wstring> favoriteNames_;
    std::vector<std::wstring> extensionList_; // lower case, without "*."
    int32_t dateDay_ = 0, dateMonth_ = 0, dateYear_ = 0;
    int32_t filterMode_ = kNoFilter;
    int32_t sortMode_ = kSortName;
    int32_t spacing_ = 0;
    int32_t oldPress_ = 0;
    bool noOpen_ = false;
    std::vector<int32_t> shownRows_;
};
