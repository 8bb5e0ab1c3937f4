// The text of a window (an edit box's contents, a caption), of any length.
#pragma once

#include <windows.h>

#include <string>

[[nodiscard]] inline std::wstring WindowText(HWND window) {
    const int length = window ? ::GetWindowTextLengthW(window) : 0;
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}
