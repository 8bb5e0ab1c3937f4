// What the thumbnail grid uses of the main window: after a press, asking to save the shown image
// and opening the pressed file in the canvas; after a new folder, emptying the search box; at a sort
// or a new listing, the words the search box shows. The main window implements it.
#pragma once

#include <string>

class GridMainWindow {
public:
    virtual ~GridMainWindow() = default;
    // The canvas holds an edit that is not saved (`AppliedEffect` set, `SaveState` clear): a press
    // then asks AskSaveChanges first.
    [[nodiscard]] virtual bool UnsavedEdit() const = 0;
    // Asks "Do you want to save the changes you've made to this image?": 6 Yes, 7 No, 2 Cancel.
    [[nodiscard]] virtual int AskSaveChanges() = 0;
    // Opens the file in the canvas.
    virtual void FileImport(const std::wstring& path) = 0;
    // The grid shows another folder, without a search: the image tool bar's search box empties.
    virtual void SearchEnded() = 0;
    // The words the search box shows now, whether or not they were searched for.
    [[nodiscard]] virtual std::wstring SearchText() const = 0;
};
