// What the image toolbar's search box uses of the thumbnail grid: its name search. The main
// window hands the call to its grid; tests record it.
#pragma once

#include <string>

class ToolbarSearchGrid {
public:
    virtual ~ToolbarSearchGrid() = default;
    // run true: shows only the items whose names match the words of text. run false: gives the
    // grid back every item of its folder.
    virtual void SearchThumbnaillGO(const std::wstring& text, bool run) = 0;
};
