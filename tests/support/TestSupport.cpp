#include "tests/support/TestSupport.h"

#include "platform/AppState.h"
#include "platform/GdiplusSession.h"
#include "platform/PathHelpers.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>

namespace {

std::wstring& ScratchRoot() {
    static std::wstring root;
    return root;
}

void RemoveTree(const std::wstring& folder) {
    std::wstring from = folder;
    if (!from.empty() && from.back() == L'\\') from.pop_back();
    from.push_back(L'\0'); // double-NUL terminated list
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

} // namespace

const std::wstring& TestProgramFolder() {
    return ScratchRoot();
}

std::wstring MakeTestFolder(const std::wstring& name) {
    std::wstring folder = ScratchRoot() + L"t\\" + name + L"\\";
    ::CreateDirectoryW((ScratchRoot() + L"t").c_str(), nullptr);
    RemoveTree(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring MakeLongTestFolder(const std::wstring& name) {
    std::wstring folder = LongPathForm(MakeTestFolder(name));
    for (int level = 0; level < 3; ++level) {
        folder += std::wstring(90, static_cast<wchar_t>(L'a' + level)) + L"\\";
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder;
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(LongPathForm(folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

bool RunningUnderCi() {
    wchar_t value[8];
    const DWORD n = ::GetEnvironmentVariableW(L"CI", value, 8);
    return n > 0 && n < 8 && std::wstring(value) != L"0" && std::wstring(value) != L"false";
}

std::wstring CorpusFolder() {
    std::wstring folder = VELLUMO_CORPUS_DIR;
    DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return folder + L"\\";
}

bool WriteTestFile(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool FileExistsForTest(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int64_t FileSizeForTest(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info)) return -1;
    return (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

std::string ReadTestFile(const std::wstring& path) {
    std::string bytes;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

uint32_t PixelAt(GpBitmap* bitmap, int x, int y) {
    ARGB colour = 0;
    GdipBitmapGetPixel(bitmap, x, y, &colour);
    return colour;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    GdiplusSession gdiplus;
    if (!gdiplus.Ok()) {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    ScratchRoot() = std::wstring(temp) + L"vellumo-test-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    RemoveTree(ScratchRoot());
    ::CreateDirectoryW(ScratchRoot().c_str(), nullptr);
    for (const wchar_t* sub : {L"Datas", L"Librarians", L"ScrDatas", L"Help"})
        ::CreateDirectoryW((ScratchRoot() + sub).c_str(), nullptr);
    ResetAppState(ScratchRoot());
    App().GdiplusToken = gdiplus.Token();

    const int result = RUN_ALL_TESTS();
    RemoveTree(ScratchRoot());
    return result;
}
