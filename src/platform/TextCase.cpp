#include "platform/TextCase.h"

#include <windows.h>

namespace {
std::wstring MapCase(const std::wstring& text, DWORD flags) {
    if (text.empty()) return text;
    std::wstring mapped(text.size(), L'\0');
    const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, flags, text.c_str(), static_cast<int>(text.size()),
                                  mapped.data(), static_cast<int>(mapped.size()), nullptr, nullptr, 0);
    if (n <= 0) return text;
    mapped.resize(static_cast<size_t>(n));
    return mapped;
}
} // namespace

std::wstring LowerText(const std::wstring& text) {
    return MapCase(text, LCMAP_LOWERCASE);
}
std::wstring UpperText(const std::wstring& text) {
    return MapCase(text, LCMAP_UPPERCASE);
}

std::wstring FoldCase(const std::wstring& text) {
    return UpperText(text);
}

int CompareNoCase(const std::wstring& a, const std::wstring& b) {
    return FoldCase(a).compare(FoldCase(b));
}
