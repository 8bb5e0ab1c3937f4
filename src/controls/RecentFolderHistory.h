// The recent-folder history file "Datas\History.tmp": one folder path a line, oldest first, in
// the system code page, each line ended by CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline constexpr size_t kHistoryLimit = 15;
inline constexpr const wchar_t* kHistoryFileName = L"History.tmp";

// The folders the file names, in file order, read up to the first empty line; of a longer list the
// last 15 (the most recent). A missing or unreadable file names none.
[[nodiscard]] std::vector<std::wstring> ReadHistory(const std::wstring& path);

// Writes folders one a line, in order. A folder the system code page cannot hold is left out (so
// is an empty one, which would end the list); with no line left the file is removed, as a missing
// file is the empty list. The file is replaced only once the new one is written whole; false when
// it was not, and the old file is then as it was.
[[nodiscard]] bool WriteHistory(const std::wstring& path, const std::vector<std::wstring>& folders);
