// The end-to-end tests' window probe: lists a top-level window's child windows with their names
// and rectangles (client coordinates of the top-level window), or posts it WM_CLOSE, as a person's
// tools would see it. Usage: WindowProbe tree|close|wait <window class> [milliseconds].
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND Find(const wchar_t* className, DWORD waitMs) {
    const ULONGLONG end = ::GetTickCount64() + waitMs;
    for (;;) {
        if (HWND w = ::FindWindowW(className, nullptr))
            return w;
        if (::GetTickCount64() >= end)
            return nullptr;
        ::Sleep(50);
    }
}

BOOL CALLBACK PrintChild(HWND child, LPARAM top) {
    wchar_t name[256] = L"", cls[256] = L"";
    ::GetWindowTextW(child, name, 256);
    ::GetClassNameW(child, cls, 256);
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(top), reinterpret_cast<POINT*>(&r), 2);
    std::wprintf(L"%ls\t%ls\t%ld\t%ld\t%ld\t%ld\t%d\n", name[0] ? name : L"-", cls, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, ::IsWindowVisible(child) ? 1 : 0);
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: WindowProbe tree|close|wait <window class> [milliseconds]\n");
        return 2;
    }
    const std::wstring verb = argv[1];
    const DWORD waitMs = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 0;
    HWND top = Find(argv[2], waitMs);
    if (!top)
        return 1;
    if (verb == L"close")
        return ::PostMessageW(top, WM_CLOSE, 0, 0) ? 0 : 1;
    if (verb == L"tree") {
        RECT r{};
        ::GetWindowRect(top, &r);
        std::wprintf(L"%ls\t%ls\t%ld\t%ld\t%ld\t%ld\t%d\n", L"(window)", argv[2], r.left, r.top, r.right - r.left,
                     r.bottom - r.top, ::IsWindowVisible(top) ? 1 : 0);
        ::EnumChildWindows(top, PrintChild, reinterpret_cast<LPARAM>(top));
    }
    std::fflush(stdout);
    return 0;
}
