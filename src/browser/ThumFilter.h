// Which rows of a listing the grid shows: all of them, those of the chosen formats, or those
// created on one day. Apart from the grid so that a filter reads and matches without a window.
#pragma once

#include "browser/ThumTable.h"

#include <cstdint>
#include <string>
#include <vector>

class ThumFilter {
public:
    enum Modes : int32_t { kNoFilter = 0, kFormatFilter = 1, kDateFilter = 2 };

    // Shows every row again.
    void Clear() { mode_ = kNoFilter; }
    // Keeps the formats of a list such as "*.jpg;*.GIF; *.png" (any case, blanks around each name).
    void Formats(const std::wstring& value);
    // Keeps the day of a "d-m-yyyy" text; a part that is no number matches no day.
    void Date(const std::wstring& value);

    [[nodiscard]] int32_t Mode() const { return mode_; }
    // Whether the row shows under the filter set now.
    [[nodiscard]] bool Passes(const ThumRow& row) const;
    // The format filter's test: the extension is one of the chosen formats (letter case aside).
    [[nodiscard]] bool IsInFormatList(const std::wstring& extension) const;
    // The date filter's test: a file created at created (local time) was created on the chosen day.
    [[nodiscard]] bool MatchDateFilter(const SYSTEMTIME& created) const;

private:
    std::vector<std::wstring> extensions_; // folded, without "*."
    int32_t day_ = 0, month_ = 0, year_ = 0;
    int32_t mode_ = kNoFilter;
};
