#include "platform/PathHelpers.h"

#include "platform/GdipHandles.h"
#include "platform/TextCase.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

std::wstring AddBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

std::wstring GetFileName(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FileExtension(const std::wstring& path) {
    const std::wstring name = GetFileName(path);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
}

std::wstring GetFileExt(const std::wstring& path) {
    const std::wstring name = GetFileName(path);
    return LowerText(name.find(L'.') == std::wstring::npos ? name : FileExtension(name));
}

std::wstring LongPathForm(const std::wstring& path) {
    // Short paths stay as given; a temporary name added to a folder must fit too, hence the margin.
    if (path.size() < MAX_PATH - 20 || path.rfind(L"\\\\?\\", 0) == 0) return path;
    std::wstring full(32768, L'\0');
    const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring TemporaryNameBeside(const std::wstring& target, const wchar_t* prefix) {
    // Made here rather than by GetTempFileNameW, whose folder must fit in MAX_PATH.
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    const std::wstring start = std::wstring(prefix).substr(0, 3);
    // Shared with the undo history's writer thread.
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t unique[16];
        swprintf(unique, 16, L"%04X%04X", static_cast<unsigned>(::GetCurrentProcessId()) & 0xFFFF,
                 (::GetTickCount() + counter.fetch_add(1) + 1) & 0xFFFF);
        const std::wstring name = folder + start + unique + L".tmp";
        UniqueFile made(::CreateFileW(LongPathForm(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (made) return name;
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

bool WriteThroughTemporaryFile(const std::wstring& target,
                               const std::function<bool(const std::wstring& temporary)>& write) {
    if (target.empty() || !write) return false;
    const std::wstring longTarget = LongPathForm(target);
    const DWORD attributes = ::GetFileAttributesW(longTarget.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::wstring temporary = TemporaryNameBeside(target, L"vtm");
    if (temporary.empty()) return false;
    const std::wstring longTemporary = LongPathForm(temporary);
    bool ok = false;
    try {
        ok = write(longTemporary);
    } catch (...) {
        ok = false;
    }
    WIN32_FILE_ATTRIBUTE_DATA info{};
    ok = ok && ::GetFileAttributesExW(longTemporary.c_str(), GetFileExInfoStandard, &info) &&
         (info.nFileSizeLow != 0 || info.nFileSizeHigh != 0) &&
         ::MoveFileExW(longTemporary.c_str(), longTarget.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!ok) ::DeleteFileW(longTemporary.c_str());
    return ok;
}

bool WriteFileReplacing(const std::wstring& target, std::initializer_list<std::span<const uint8_t>> parts) {
    return WriteThroughTemporaryFile(target, [&](const std::wstring& temporary) {
        UniqueFile file(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        for (std::span<const uint8_t> part : parts) {
            while (!part.empty()) {
                const DWORD chunk = static_cast<DWORD>(std::min<size_t>(part.size(), size_t{1} << 30));
                DWORD written = 0;
                if (!::WriteFile(file.get(), part.data(), chunk, &written, nullptr) || written != chunk) return false;
                part = part.subspan(chunk);
            }
        }
        return true;
    });
}
