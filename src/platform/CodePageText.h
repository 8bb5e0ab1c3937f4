// Small 8-bit text files in the system code page (lists of names kept beside the pictures and in
// the settings folder): reading one whole, and converting their lines to and from wide text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The bytes of a file of at most limit bytes; nothing when it is missing, unreadable or larger.
std::optional<std::string> ReadSmallFile(const std::wstring& path, int64_t limit);

// Bytes of the system code page as wide text.
std::wstring FromCodePage(std::string_view bytes);

// Wide text in the system code page; nothing when a character has no exact counterpart there (a
// substitute would name another file or folder).
std::optional<std::string> ToCodePage(std::wstring_view text);
