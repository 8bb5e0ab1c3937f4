#include "browser/FavoritesList.h"

#include "platform/CodePageText.h"
#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"

#include <optional>
#include <span>
#include <unordered_set>

namespace {

constexpr int64_t kLargestList = 64 << 20; // a name list, not a picture

} // namespace

std::vector<std::wstring> ReadFavoritesFile(const std::wstring& folder) {
    std::vector<std::wstring> names;
    if (folder.empty()) return names;
    const std::optional<std::string> bytes = ReadSmallFile(AddBackslash(folder) + kFavoritesFileName, kLargestList);
    if (!bytes) return names;
    const std::string_view text(*bytes);
    // A blank line does not end the list: every star after it would be lost at the next rewrite.
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        if (stop > start) names.push_back(FromCodePage(text.substr(start, stop - start)));
        start = end + 1;
    }
    return names;
}

std::vector<std::wstring> ReviewList(const std::vector<std::wstring>& names, const std::vector<std::wstring>& fileNames,
                                     bool remove) {
    std::unordered_set<std::wstring> given;
    for (const std::wstring& name : fileNames) given.insert(FoldCase(name));
    std::vector<std::wstring> review;
    if (remove) {
        for (const std::wstring& name : names)
            if (!given.count(FoldCase(name))) review.push_back(LowerText(name));
        return review;
    }
    std::unordered_set<std::wstring> listed;
    for (const std::wstring& name : names) listed.insert(FoldCase(name));
    for (const std::wstring& name : fileNames)
        if (!name.empty() && listed.insert(FoldCase(name)).second) review.push_back(LowerText(name));
    return review;
}

std::vector<std::wstring> FavoritesAfter(const std::vector<std::wstring>& names,
                                         const std::vector<std::wstring>& fileNames, bool remove) {
    std::vector<std::wstring> result = remove ? std::vector<std::wstring>() : names;
    for (std::wstring& name : ReviewList(names, fileNames, remove)) result.push_back(std::move(name));
    return result;
}

FavoritesWriteResult WriteFavoritesFile(const std::wstring& folder, const std::vector<std::wstring>& names) {
    std::string bytes;
    for (const std::wstring& name : names) {
        const std::optional<std::string> line = ToCodePage(name);
        if (!line) return {FavoritesWrite::NameOutsideCodePage, name};
        bytes += *line + "\r\n";
    }
    const std::wstring path = AddBackslash(folder) + kFavoritesFileName;
    if (bytes.empty()) {
        // The helper below takes an empty result for a failed write. With nothing to write
        // nothing can fail halfway: the list is cut to empty in place, or left as it was.
        const UniqueFile file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        return {file ? FavoritesWrite::Written : FavoritesWrite::Failed, {}};
    }
    const bool written =
        WriteFileReplacing(path, {std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())});
    return {written ? FavoritesWrite::Written : FavoritesWrite::Failed, {}};
}
