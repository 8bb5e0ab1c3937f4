// The main window's hidden, sorted font-name list as the font module and the text-tool bar use
// it: AddTrueTypeFace appends faces, the bar reads them back by index.
#pragma once

#include <cstdint>
#include <string>

class FontListHost {
public:
    virtual ~FontListHost() = default;
    virtual void AddFont(const std::wstring& faceName) = 0;
    [[nodiscard]] virtual int32_t FontCount() const = 0;
    // The face at index 0 to FontCount() - 1, in the list's sorted order.
    [[nodiscard]] virtual std::wstring FontAt(int32_t index) const = 0;
};
