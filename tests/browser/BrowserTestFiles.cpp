#include "tests/browser/BrowserTestFiles.h"

SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}

bool MakeSizedFile(const std::wstring& path, uint64_t size) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    if (size > 0) {
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(size);
        ok = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    }
    return ::CloseHandle(file) && ok;
}

namespace {
bool ToFileTime(const SYSTEMTIME& local, FILETIME& out) {
    SYSTEMTIME utc{};
    return ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && ::SystemTimeToFileTime(&utc, &out);
}
} // namespace

bool SetLocalFileTimes(const std::wstring& path, const SYSTEMTIME& created, const SYSTEMTIME& modified) {
    FILETIME c{}, m{};
    if (!ToFileTime(created, c) || !ToFileTime(modified, m)) return false;
    HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = ::SetFileTime(file, &c, nullptr, &m);
    return ::CloseHandle(file) && ok;
}

std::wstring DecimalSeparator() {
    wchar_t separator[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) return separator;
    return L".";
}
