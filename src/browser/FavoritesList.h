// The favourites list of a folder: the file "Vellumolib.vlb" beside the pictures, one file name a
// line in the system code page.
#pragma once

#include <string>
#include <vector>

inline constexpr const wchar_t* kFavoritesFileName = L"Vellumolib.vlb";

// The names the folder's list holds, in file order: every non-empty line, without its line end.
// A missing or unreadable list holds none.
std::vector<std::wstring> ReadFavoritesFile(const std::wstring& folder);
