#include "shell/ModyzReg.h"

#include "platform/GdipHandles.h"

#include <vector>

namespace {

UniqueRegKey OpenForRead(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return UniqueRegKey();
    return UniqueRegKey(opened);
}

UniqueRegKey OpenForWrite(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                          nullptr) != ERROR_SUCCESS)
        return UniqueRegKey();
    return UniqueRegKey(opened);
}

} // namespace

std::optional<std::wstring> RegGetString(HKEY root, const std::wstring& key, const std::wstring& name) {
    UniqueRegKey k = OpenForRead(root, key);
    if (!k) return std::nullopt;
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    // One spare character, so a value stored without its NUL still ends inside the buffer.
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = bytes;
    if (::RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    const size_t chars = std::min<size_t>(size / sizeof(wchar_t), text.size() - 1);
    std::wstring result(text.data(), chars);
    if (const size_t nul = result.find(L'\0'); nul != std::wstring::npos) result.resize(nul);
    return result;
}

bool RegSaveString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    UniqueRegKey k = OpenForWrite(root, key);
    if (!k) return false;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

std::optional<int32_t> RegGetDword(HKEY root, const std::wstring& key, const std::wstring& name) {
    UniqueRegKey k = OpenForRead(root, key);
    if (!k) return std::nullopt;
    DWORD type = 0, data = 0, size = sizeof(data);
    if (::RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data))
        return std::nullopt;
    return static_cast<int32_t>(data);
}

bool RegSaveDword(HKEY root, const std::wstring& key, const std::wstring& name, int32_t value) {
    UniqueRegKey k = OpenForWrite(root, key);
    if (!k) return false;
    const auto data = static_cast<DWORD>(value);
    return ::RegSetValueExW(k.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}
