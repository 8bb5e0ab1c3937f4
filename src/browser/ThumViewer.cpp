#include "browser/ThumViewer.h"

#include "browser/FavoritesList.h"
#include "browser/ModFileinfo.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"

#include <unordered_set>

namespace {

constexpr int32_t kCalendarDays = 31;

// The leading whole number of a text, blanks before it skipped; 0 when there is none.
int32_t LeadingNumber(const std::wstring& text) {
    size_t i = text.find_first_not_of(L' ');
    if (i == std::wstring::npos) return 0;
    bool negative = false;
    if (text[i] == L'-' || text[i] == L'+') negative = text[i++] == L'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9' && value < 100000000; ++i)
        value = value * 10 + (text[i] - L'0');
    return static_cast<int32_t>(negative ? -value : value);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

} // namespace

void ThumViewer::Path(const std::wstring& folder) {
    if (sidePanel_) {
        for (int32_t day = 0; day < kCalendarDays; ++day) sidePanel_->EnabledDays(day, false);
        sidePanel_->RefreshCalender();
    }
    filterMode_ = kNoFilter;
    oldPress_ = 0;
    // A folder that cannot be listed shows as empty.
    (void)thumFile_.SetPath(folder);
    currentFolder_ = thumFile_.Path();
    LoadFileList();
}

void ThumViewer::RefreshThumbnail(bool relist) {
    if (relist) {
        (void)thumFile_.Refresh();
        LoadFileList();
    }
    CreateThumbnail(0);
}

void ThumViewer::CreateThumbnail(int32_t spacing) {
    spacing_ = spacing;
    shownRows_.clear();
    if (thumListview_.Rows.empty()) return;
    for (size_t i = 0; i < thumListview_.Rows.size(); ++i)
        if (PassesFilter(thumListview_.Rows[i])) shownRows_.push_back(static_cast<int32_t>(i));
    if (sidePanel_) sidePanel_->RefreshCalender();
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
        row.Size = file.Size;
        row.Created = file.Created;
        row.Modified = file.Modified;
        row.CreatedLocal = FileTimeToLocal(file.Created, format);
        row.Number = FileSizeText(file.Size, format);
        row.CDate = FileDateText(row.CreatedLocal);
        row.MDate = FileDateText(FileTimeToLocal(file.Modified, format));
        if (!favorites.empty() && favorites.count(FoldCase(file.Name))) row.Review = L"T";
        thumListview_.Rows.push_back(std::move(row));
    }
    ApplyTableSort(thumListview_);
    noOpen_ = !thumListview_.Rows.empty();
    ++listingGeneration_;
}

void ThumViewer::VrFileRead() {
    favoriteNames_ = ReadFavoritesFile(currentFolder_);
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
    if (searchCopyGeneration_ != listingGeneration_) TakeSearchCopy();
    if (!run) return;
    SearchListViewByName(searchListView_, text, thumListview_);
    CreateThumbnail(0);
}

void ThumViewer::ThumbnaillSort(int32_t mode) {
    sortMode_ = mode;
    // The relist below sorts what it lists: sorting the old rows first would be wasted work.
    thumListview_.Rows.clear();
    SortListViewColumn(thumListview_, mode);
    RefreshThumbnail(true);
}

void ThumViewer::ImageFormats(const std::wstring& value) {
    std::wstring list = FoldCase(value);
    for (size_t at = list.find(L"*."); at != std::wstring::npos; at = list.find(L"*.", at)) list.erase(at, 2);
    extensionList_ = Split(list, L';');
    for (std::wstring& extension : extensionList_) {
        extension.erase(0, extension.find_first_not_of(L' '));
        extension.erase(extension.find_last_not_of(L' ') + 1);
    }
    filterMode_ = kFormatFilter;
}

void ThumViewer::DateWatch(const std::wstring& value) {
    const std::vector<std::wstring> parts = Split(value, L'-');
    dateDay_ = parts.size() > 0 ? LeadingNumber(parts[0]) : 0;
    dateMonth_ = parts.size() > 1 ? LeadingNumber(parts[1]) : 0;
    dateYear_ = parts.size() > 2 ? LeadingNumber(parts[2]) : 0;
    filterMode_ = kDateFilter;
}

std::wstring ThumViewer::SlideFilename(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return thumListview_.Rows[static_cast<size_t>(index)].Path;
}

bool ThumViewer::PassesFilter(const ThumRow& row) {
    switch (filterMode_) {
    case kFormatFilter:
        return IsInFormatList(row.Extname);
    case kDateFilter:
        return MatchDateFilter(row);
    default:
        MarkCalendarDay(row);
        return true;
    }
}

bool ThumViewer::IsInFormatList(const std::wstring& extension) const {
    const std::wstring folded = FoldCase(extension);
    for (const std::wstring& wanted : extensionList_)
        if (folded == wanted) return true;
    return false;
}

bool ThumViewer::MatchDateFilter(const ThumRow& row) const {
    return row.CreatedLocal.wDay == dateDay_ && row.CreatedLocal.wMonth == dateMonth_ &&
           row.CreatedLocal.wYear == dateYear_;
}

void ThumViewer::MarkCalendarDay(const ThumRow& row) {
    if (!sidePanel_) return;
    const int32_t day = row.CreatedLocal.wDay;
    if (day < 1 || day > kCalendarDays) return;
    if (row.CreatedLocal.wMonth != sidePanel_->ShownMonth() || row.CreatedLocal.wYear != sidePanel_->ShownYear())
        return;
    sidePanel_->EnabledDays(day - 1, true);
}
