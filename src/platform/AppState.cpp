#include "platform/AppState.h"

namespace {
AppState& Instance() {
    static AppState state;
    return state;
}
} // namespace

AppState& App() {
    return Instance();
}

void ResetAppState(const std::wstring& programFolder) {
    AppState fresh;
    fresh.AppFolder = programFolder;
    if (fresh.AppFolder.empty() || fresh.AppFolder.back() != L'\\') fresh.AppFolder += L'\\';
    fresh.DataPath = fresh.AppFolder + L"Datas\\";
    fresh.GdiplusToken = Instance().GdiplusToken;
    Instance() = std::move(fresh);
}

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L".\\";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? L".\\" : path.substr(0, slash + 1);
}
