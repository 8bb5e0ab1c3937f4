#include "shell/GridSelectionHold.h"

#include "browser/ThumViewer.h"
#include "output/SlideshowRules.h"
#include "platform/AppState.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"

void GridSelectionHold::Release() {
    if (holds_ == 0 || --holds_ > 0 || !relist_) return;
    relist_ = false;
    // A new listing selects nothing: the selection it replaces is put back, the one file framed
    // as a click frames it, several framed as they were. Files the grid no longer lists (moved
    // elsewhere) stay the list the commands act on.
    const std::vector<std::wstring> selection = App().SelectedFiles;
    if (Relist(selection) == 0) App().SelectedFiles = selection;
}

size_t GridSelectionHold::Relist(const std::vector<std::wstring>& selection) {
    const std::wstring pressed = grid_.SelectFile();
    grid_.RefreshThumbnail();
    const std::vector<std::wstring> files = NonEmptyPaths(selection);
    if (files.size() == 1 && grid_.SelectThumbnail(files[0])) return 1;
    return grid_.SelectThumbnails(files, pressed);
}

void GridSelectionHold::ShowSavedFile(const std::wstring& path) {
    const bool listed = ListsFolderOf(path);
    if (holds_ > 0) {
        relist_ = relist_ || listed;
        return;
    }
    // Listed again, as the file may be new to the folder shown, then selected as a click would.
    if (listed) {
        grid_.RefreshThumbnail();
        if (grid_.SelectThumbnail(path)) return;
    }
    // Elsewhere, or hidden by the grid's filter: the file alone is the selection, as after File > Open.
    App().SelectedFiles = {path, L""};
}

bool GridSelectionHold::ListsFolderOf(const std::wstring& path) const {
    const std::wstring folder = path.substr(0, path.rfind(L'\\') + 1);
    return !grid_.CurrentFolder().empty() && CompareNoCase(AddBackslash(grid_.CurrentFolder()), folder) == 0;
}
