#include "output/ModDialog.h"

#include "imaging/PathHelpers.h"

#include <windows.h>

std::wstring GetFileExt(const std::wstring& path) {
    std::wstring name = GetFileName(path);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(0, dot + 1);
    if (!name.empty()) ::CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}
