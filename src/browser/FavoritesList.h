// The favourites list of a folder: the file "Vellumolib.vlb" beside the pictures, one file name a
// line in the system code page.
#pragma once

#include <string>
#include <vector>

inline constexpr const wchar_t* kFavoritesFileName = L"Vellumolib.vlb";

// The names the folder's list holds, in file order: every non-empty line, without its line end.
// A missing or unreadable list holds none.
std::vector<std::wstring> ReadFavoritesFile(const std::wstring& folder);

// The writer's work list for starring (remove false) or unstarring the given file names: adding,
// the names not listed yet, in lower case, none twice; removing, the listed names that are not
// among them, in lower case. Names compare without letter case.
std::vector<std::wstring> ReviewList(const std::vector<std::wstring>& names, const std::vector<std::wstring>& fileNames,
                                     bool remove);

// The list after starring or unstarring: adding keeps the old entries as they are and appends the
// work list; removing leaves the work list.
std::vector<std::wstring> FavoritesAfter(const std::vector<std::wstring>& names,
                                         const std::vector<std::wstring>& fileNames, bool remove);

enum class FavoritesWrite { Written, NameOutsideCodePage, Failed };

struct FavoritesWriteResult {
    FavoritesWrite outcome = FavoritesWrite::Failed;
    std::wstring name; // the name the code page cannot hold
};

// Replaces the folder's list with names, each line ended by CR LF, through a temporary file: a
// failed write leaves the old list. No names: the list stays, empty. A name the code page cannot
// hold refuses the whole write.
[[nodiscard]] FavoritesWriteResult WriteFavoritesFile(const std::wstring& folder,
                                                      const std::vector<std::wstring>& names);
