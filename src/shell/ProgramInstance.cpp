#include "shell/ProgramInstance.h"

#include "platform/TextCase.h"

#include <cstring>
#include <cwchar>

namespace {

// What the running copy publishes: its main window, and its process, which the window must still
// belong to (a handle of a window gone may be given to another one).
struct PublishedCopy {
    uint64_t window;
    uint32_t process;
};

// The objects' names: a kernel object's name holds no backslash, so the folder is named by a hash
// of its long form in folded case (one folder however its path is written).
std::wstring InstanceName(const std::wstring& programFolder) {
    std::wstring folder = programFolder;
    if (const DWORD n = ::GetLongPathNameW(programFolder.c_str(), nullptr, 0); n > 0) {
        std::wstring longForm(n, L'\0');
        const DWORD written = ::GetLongPathNameW(programFolder.c_str(), longForm.data(), n);
        if (written > 0 && written < n) folder = longForm.substr(0, written);
    }
    folder = FoldCase(folder);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const wchar_t c : folder) {
        hash ^= static_cast<uint16_t>(c);
        hash *= 1099511628211ull;
    }
    wchar_t hex[17] = L"";
    std::swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(hash));
    return std::wstring(L"VellumoProgram-") + hex;
}

struct IconicSearch {
    DWORD process;
};

BOOL CALLBACK RestoreIconic(HWND window, LPARAM search) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == reinterpret_cast<const IconicSearch*>(search)->process && ::IsIconic(window))
        ::PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    return TRUE;
}

} // namespace

void BringRunningCopyForward(HWND mainWindow) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(mainWindow, &process);
    // This start is the foreground process (the user just started it): it lets the running copy
    // take the foreground, which its restore does.
    ::AllowSetForegroundWindow(process);
    if (!::IsWindowVisible(mainWindow)) {
        IconicSearch search{process};
        ::EnumWindows(&RestoreIconic, reinterpret_cast<LPARAM>(&search));
        for (int i = 0; i < 100 && ::IsWindow(mainWindow) && !::IsWindowVisible(mainWindow); ++i) ::Sleep(50);
        // The window shows midway through the restore, which ends by activating the companion: the
        // foreground is taken once the running copy has finished it.
        DWORD_PTR ignored = 0;
        (void)::SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    // A dialog open over the window is what comes forward.
    const HWND front = ::GetLastActivePopup(mainWindow);
    ::SetForegroundWindow(front ? front : mainWindow);
}

ProgramInstance::ProgramInstance(const std::wstring& programFolder) : name_(InstanceName(programFolder)) {}

ProgramInstance::~ProgramInstance() {
    if (owned_) ::ReleaseMutex(mutex_.get());
}

bool ProgramInstance::Claim(DWORD waitMs) {
    if (owned_) return true;
    if (!mutex_) mutex_ = UniqueFile(::CreateMutexW(nullptr, FALSE, name_.c_str()));
    // Without the guard object nothing can tell whether another copy runs: this one runs.
    if (!mutex_) return true;
    const ULONGLONG end = ::GetTickCount64() + waitMs;
    for (;;) {
        const DWORD wait = ::WaitForSingleObject(mutex_.get(), 0);
        // Abandoned: the copy that held it ended without letting go (a crash).
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return owned_ = true;
        if (const HWND running = PublishedWindow()) {
            BringRunningCopyForward(running);
            return false;
        }
        // A copy that neither shows its window nor ends is left alone: never two at once.
        if (::GetTickCount64() >= end) return false;
        ::Sleep(50);
    }
}

void ProgramInstance::Publish(HWND mainWindow) {
    if (!owned_) return;
    if (!mapping_)
        mapping_ = UniqueFile(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                   sizeof(PublishedCopy), (name_ + L"-window").c_str()));
    if (!mapping_) return;
    if (void* view = ::MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(PublishedCopy))) {
        const PublishedCopy copy{reinterpret_cast<uintptr_t>(mainWindow), ::GetCurrentProcessId()};
        std::memcpy(view, &copy, sizeof(copy));
        ::UnmapViewOfFile(view);
    }
}

HWND ProgramInstance::PublishedWindow() const {
    const UniqueFile mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, (name_ + L"-window").c_str()));
    if (!mapping) return nullptr;
    PublishedCopy copy{};
    if (const void* view = ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(PublishedCopy))) {
        std::memcpy(&copy, view, sizeof(copy));
        ::UnmapViewOfFile(view);
    }
    const HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(copy.window));
    DWORD process = 0;
    if (!window || !::GetWindowThreadProcessId(window, &process) || process != copy.process) return nullptr;
    return window;
}
