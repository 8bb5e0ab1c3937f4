#include "controls/RecentFolderHistory.h"

#include "platform/CodePageText.h"
#include "platform/PathHelpers.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

namespace {

// Nothing but a short list of folders belongs in the file; a larger one is not ours.
constexpr int64_t kLargestHistoryFile = 4 << 20;

} // namespace

std::vector<std::wstring> ReadHistory(const std::wstring& path) {
    std::vector<std::wstring> folders;
    const std::optional<std::string> bytes = ReadSmallFile(path, kLargestHistoryFile);
    if (!bytes) return folders;
    size_t start = 0;
    while (start < bytes->size()) {
        const size_t end = std::min(bytes->find_first_of("\r\n", start), bytes->size());
        if (end == start) break; // an empty line ends the list
        folders.push_back(FromCodePage(bytes->substr(start, end - start)));
        start = end;
        if (start < bytes->size() && (*bytes)[start] == '\r') ++start;
        if (start < bytes->size() && (*bytes)[start] == '\n') ++start;
    }
    if (folders.size() > kHistoryLimit)
        folders.erase(folders.begin(), folders.end() - static_cast<std::ptrdiff_t>(kHistoryLimit));
    return folders;
}

bool WriteHistory(const std::wstring& path, const std::vector<std::wstring>& folders) {
    std::string bytes;
    for (const std::wstring& folder : folders) {
        if (folder.empty()) continue;
        if (const std::optional<std::string> line = ToCodePage(folder)) bytes += *line + "\r\n";
    }
    if (bytes.empty()) {
        // No line to keep: a missing file is the empty list (an empty file is never swapped in).
        return ::DeleteFileW(LongPathForm(path).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    return WriteFileReplacing(path, {std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())});
}
