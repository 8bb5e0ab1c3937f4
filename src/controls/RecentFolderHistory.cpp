#include "controls/RecentFolderHistory.h"

#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

namespace {

// Nothing but a short list of folders belongs in the file; a larger one is not ours.
constexpr LONGLONG kLargestHistoryFile = 4 << 20;

std::optional<std::string> ReadSmallFile(const std::wstring& path) {
    UniqueFile file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestHistoryFile) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

std::wstring FromCodePage(const std::string& bytes) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

// The folder in the system code page; nothing when a character has no exact counterpart there
// (a substitute would name another folder). A UTF-8 code page holds every folder, and takes
// neither the no-best-fit flag nor the default-character report.
std::optional<std::string> ToCodePage(const std::wstring& text) {
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* report = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, report);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<size_t>(n), '\0');
    if (::WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), n, nullptr, report) != n)
        return std::nullopt;
    return bytes;
}

} // namespace

std::vector<std::wstring> ReadHistory(const std::wstring& path) {
    std::vector<std::wstring> folders;
    const std::optional<std::string> bytes = ReadSmallFile(path);
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
