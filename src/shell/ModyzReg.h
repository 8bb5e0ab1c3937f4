// The registry routines of the settings and the wallpaper: one named value under a key of a root,
// read or written whole through the wide API (a folder name outside the code page stays whole).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The text of a REG_SZ value up to its first NUL (stored with or without one); empty when the key
// or value is missing or of another type.
[[nodiscard]] std::optional<std::wstring> RegGetString(HKEY root, const std::wstring& key, const std::wstring& name);
// Creates the key when needed and writes the text as REG_SZ with its terminating NUL.
[[nodiscard]] bool RegSaveString(HKEY root, const std::wstring& key, const std::wstring& name,
                                 const std::wstring& value);
// A REG_DWORD value; empty when the key or value is missing or of another type.
[[nodiscard]] std::optional<int32_t> RegGetDword(HKEY root, const std::wstring& key, const std::wstring& name);
[[nodiscard]] bool RegSaveDword(HKEY root, const std::wstring& key, const std::wstring& name, int32_t value);
