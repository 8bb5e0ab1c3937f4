// The end-to-end tests' window probe: lists a top-level window's child windows with their names
// and rectangles (client coordinates of the top-level window), or posts it WM_CLOSE, as a person's
// tools would see it. Usage: WindowProbe tree|close|wait <window class> [milliseconds].
// "WindowProbe count <class>" prints how many top-level windows of the class there are, and
// "WindowProbe foreground" the class of the foreground window.
// For the start-up benchmark: "WindowProbe launch <class> <pane> <command line>" starts a program
// and prints the milliseconds until its window and then the named pane are visible, then closes
// it; "WindowProbe window" is the platform's floor: a plain window shown until it is closed.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND Find(const wchar_t* className, DWORD waitMs) {
    const ULONGLONG end = ::GetTickCount64() + waitMs;
    for (;;) {
        if (HWND w = ::FindWindowW(className, nullptr)) return w;
        if (::GetTickCount64() >= end) return nullptr;
        ::Sleep(50);
    }
}

BOOL CALLBACK PrintChild(HWND child, LPARAM top) {
    wchar_t name[256] = L"", cls[256] = L"";
    // Asked of the window itself: an edit box keeps its text apart from the window's caption.
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(name), SMTO_ABORTIFHUNG, 1000, &copied))
        ::GetWindowTextW(child, name, 256);
    ::GetClassNameW(child, cls, 256);
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(top), reinterpret_cast<POINT*>(&r), 2);
    std::wprintf(L"%ls\t%ls\t%ld\t%ld\t%ld\t%ld\t%d\n", name[0] ? name : L"-", cls, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, ::IsWindowVisible(child) ? 1 : 0);
    return TRUE;
}

HWND FindVisibleChild(HWND top, const wchar_t* name) {
    HWND child = ::FindWindowExW(top, nullptr, nullptr, name);
    return child && ::IsWindowVisible(child) ? child : nullptr;
}

int Launch(const wchar_t* className, const wchar_t* pane, const wchar_t* commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER freq, t0, t;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&t0);
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    auto ms = [&] {
        ::QueryPerformanceCounter(&t);
        return 1000.0 * static_cast<double>(t.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
    };
    double window = -1, shown = -1;
    HWND top = nullptr;
    while (shown < 0 && ms() < 60000) {
        if (!top && (top = ::FindWindowW(className, nullptr)) && !::IsWindowVisible(top)) top = nullptr;
        if (top && window < 0) window = ms();
        if (top && (!pane[0] || FindVisibleChild(top, pane))) shown = ms();
        ::Sleep(1);
    }
    std::wprintf(L"%.1f\t%.1f\n", window, shown);
    std::fflush(stdout);
    if (top) ::PostMessageW(top, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(pi.hProcess, 20000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return shown < 0 ? 1 : 0;
}

struct ClassCount {
    const wchar_t* className;
    int count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM counting) {
    auto* c = reinterpret_cast<ClassCount*>(counting);
    wchar_t cls[256] = L"";
    ::GetClassNameW(window, cls, 256);
    if (std::wstring(cls) == c->className) ++c->count;
    return TRUE;
}

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

int PlainWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ProbePlainWindow";
    ::RegisterClassW(&wc);
    ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1024, nullptr, nullptr, wc.hInstance,
                      nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"window") return PlainWindow();
    if (argc == 5 && std::wstring(argv[1]) == L"launch") return Launch(argv[2], argv[3], argv[4]);
    if (argc == 2 && std::wstring(argv[1]) == L"foreground") {
        wchar_t cls[256] = L"";
        if (HWND front = ::GetForegroundWindow()) ::GetClassNameW(front, cls, 256);
        std::wprintf(L"%ls\n", cls[0] ? cls : L"-");
        std::fflush(stdout);
        return 0;
    }
    if (argc == 3 && std::wstring(argv[1]) == L"count") {
        ClassCount counting{argv[2], 0};
        ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&counting));
        std::wprintf(L"%d\n", counting.count);
        std::fflush(stdout);
        return 0;
    }
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: WindowProbe tree|close|wait <window class> [milliseconds]\n");
        return 2;
    }
    const std::wstring verb = argv[1];
    const DWORD waitMs = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 0;
    HWND top = Find(argv[2], waitMs);
    if (!top) return 1;
    if (verb == L"close") return ::PostMessageW(top, WM_CLOSE, 0, 0) ? 0 : 1;
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
