#include "platform/PathHelpers.h"

#include "platform/GdipHandles.h"
#include "platform/TextCase.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>

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

namespace {

// A file that another program reads for a moment (a thumbnail maker, a virus scanner, a copy of
// this program) can be neither replaced nor deleted meanwhile, under Wine even when the reader
// shares deleting: such a step is tried again for two seconds before it counts as failed.
template <typename Step> bool TriedWhileInUse(const Step& step) {
    for (int attempt = 0;; ++attempt) {
        if (step()) return true;
        const DWORD error = ::GetLastError();
        if (attempt == 40 ||
            (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION))
            return false;
        ::Sleep(50);
    }
}

// The temporary file a write goes to: deleted when it goes, whatever failed, unless it was moved
// over its target.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!moved_)
            (void)TriedWhileInUse(
                [this] { return ::DeleteFileW(path_.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND; });
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] bool MoveOver(const std::wstring& target) {
        moved_ = TriedWhileInUse(
            [&] { return ::MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE; });
        return moved_;
    }

private:
    std::wstring path_;
    bool moved_ = false;
};

} // namespace

bool WriteThroughTemporaryFile(const std::wstring& target,
                               const std::function<bool(const std::wstring& temporary)>& write) {
    if (target.empty() || !write) return false;
    const std::wstring longTarget = LongPathForm(target);
    const DWORD attributes = ::GetFileAttributesW(longTarget.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::wstring name = TemporaryNameBeside(target, L"vtm");
    if (name.empty()) return false;
    TemporaryFile temporary(LongPathForm(name));
    bool ok = false;
    try {
        ok = write(temporary.Path());
    } catch (...) {
        ok = false;
    }
    WIN32_FILE_ATTRIBUTE_DATA info{};
    return ok && ::GetFileAttributesExW(temporary.Path().c_str(), GetFileExInfoStandard, &info) &&
           (info.nFileSizeLow != 0 || info.nFileSizeHigh != 0) && temporary.MoveOver(longTarget);
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
