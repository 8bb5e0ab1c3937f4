#include "browser/FavoritesList.h"

#include "platform/GdipHandles.h"
#include "platform/PathHelpers.h"

#include <windows.h>

namespace {

std::wstring FromCodePage(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    bool ok = ::GetFileSizeEx(file.get(), &size) && size.QuadPart < (64 << 20); // a name list, not a picture
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                               read == bytes.size());
    }
    return ok;
}

} // namespace

std::vector<std::wstring> ReadFavoritesFile(const std::wstring& folder) {
    std::vector<std::wstring> names;
    if (folder.empty()) return names;
    std::string bytes;
    if (!ReadWholeFile(AddBackslash(folder) + kFavoritesFileName, bytes)) return names;
    // A blank line does not end the list: every star after it would be lost at the next rewrite.
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        size_t stop = end;
        if (stop > start && bytes[stop - 1] == '\r') --stop;
        if (stop > start) names.push_back(FromCodePage(bytes.substr(start, stop - start)));
        start = end + 1;
    }
    return names;
}
