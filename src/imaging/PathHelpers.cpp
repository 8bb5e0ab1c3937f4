#include "imaging/PathHelpers.h"

#include <windows.h>

#include <cwchar>

std::wstring AddBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

std::wstring GetFileName(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring TemporaryNameBeside(const std::wstring& target, const wchar_t* prefix) {
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash);
    std::wstring name(MAX_PATH, L'\0');
    if (::GetTempFileNameW(folder.c_str(), prefix, 0, name.data()) == 0) return {};
    name.resize(wcslen(name.c_str()));
    return name;
}
