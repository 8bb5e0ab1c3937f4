#include "tests/support/TestSupport.h"

#include "platform/AppState.h"
#include "platform/GdiplusSession.h"
#include "platform/PathHelpers.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

std::wstring& ScratchRoot() {
    static std::wstring root;
    return root;
}

// The full path of a folder or file, "\\?\" removed, so two spellings of one place compare equal.
std::wstring FullPathOf(const std::wstring& path) {
    std::wstring plain = path;
    if (plain.rfind(L"\\\\?\\", 0) == 0) plain.erase(0, 4);
    const DWORD needed = ::GetFullPathNameW(plain.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return {};
    std::wstring full(needed, L'\0');
    const DWORD written = ::GetFullPathNameW(plain.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return {};
    full.resize(written);
    return full;
}

std::wstring FoldForCompare(std::wstring text) {
    if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Removes one folder's contents and then the folder, one entry at a time with the plain file calls
// (the shell's delete lost its way in folders past MAX_PATH and emptied the working folder
// instead). Links to folders are removed, never followed.
bool RemoveTreeInside(const std::wstring& folder) {
    const std::wstring base = AddBackslash(folder);
    if (!IsInsideScratchRoot(base)) return false;
    bool ok = true;
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(LongPathForm(base + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = base + name;
            if (!IsInsideScratchRoot(child)) {
                ok = false;
                continue;
            }
            const std::wstring longChild = LongPathForm(child);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                ::SetFileAttributesW(longChild.c_str(), data.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                ok = RemoveTreeInside(child) && ok;
            else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ok = ::RemoveDirectoryW(longChild.c_str()) && ok;
            else
                ok = ::DeleteFileW(longChild.c_str()) && ok;
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    std::wstring self = base;
    self.pop_back();
    return ::RemoveDirectoryW(LongPathForm(self).c_str()) && ok;
}

} // namespace

bool IsInsideScratchRoot(const std::wstring& path) {
    if (ScratchRoot().empty() || path.empty()) return false;
    const std::wstring root = FoldForCompare(FullPathOf(ScratchRoot()));
    std::wstring full = FoldForCompare(FullPathOf(path));
    if (root.size() < 8 || full.empty()) return false;
    if (full.back() != L'\\') full.push_back(L'\\');
    // No "." or ".." step may survive the full path, and the root itself counts as inside.
    return full.compare(0, root.size(), root) == 0 && full.find(L"\\..\\") == std::wstring::npos;
}

bool RemoveTestTree(const std::wstring& folder) {
    const DWORD attributes = ::GetFileAttributesW(LongPathForm(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A file dialog may have made a folder in the tree the current one, which then cannot go.
    if (FoldForCompare(AddBackslash(FullPathOf(folder))) != FoldForCompare(AddBackslash(FullPathOf(ScratchRoot()))))
        ::SetCurrentDirectoryW(ScratchRoot().c_str());
    return RemoveTreeInside(folder);
}

const std::wstring& TestProgramFolder() {
    return ScratchRoot();
}

std::wstring MakeTestFolder(const std::wstring& name) {
    std::wstring folder = ScratchRoot() + L"t\\" + name + L"\\";
    ::CreateDirectoryW((ScratchRoot() + L"t").c_str(), nullptr);
    if (!RemoveTestTree(folder)) ADD_FAILURE() << "could not empty " << Narrow(folder);
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

namespace {

void TakeAllAddressSpace(std::vector<void*>& blocks, std::vector<void*>& rest) {
    for (size_t size = 32u << 20; size >= 0x10000; size /= 2)
        while (void* p = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
            (size == 32u << 20 ? blocks : rest).push_back(p);
}

} // namespace

AddressSpaceTaken::AddressSpaceTaken(size_t leftInOneBlock) {
    void* left = ::VirtualAlloc(nullptr, leftInOneBlock, MEM_RESERVE, PAGE_NOACCESS);
    TakeAllAddressSpace(blocks, rest);
    kept = left && ::VirtualFree(left, 0, MEM_RELEASE);
}

AddressSpaceTaken::AddressSpaceTaken() {
    TakeAllAddressSpace(blocks, rest);
    std::sort(blocks.begin(), blocks.end());
    for (size_t i = 1; i < 9 && i < blocks.size(); i += 2)
        ::VirtualFree(std::exchange(blocks[i], nullptr), 0, MEM_RELEASE);
}

AddressSpaceTaken::~AddressSpaceTaken() {
    for (const auto* taken : {&blocks, &rest})
        for (void* p : *taken)
            if (p) ::VirtualFree(p, 0, MEM_RELEASE);
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

// Every test program carries these: its scratch folder is the only place it deletes in.
TEST(ScratchFolder, OnlyPathsUnderTheRunsRootCountAsInside) {
    const std::wstring root = TestProgramFolder();
    std::wstring bare = root;
    bare.pop_back();
    const struct {
        std::wstring path;
        bool inside;
    } rows[] = {
        {root, true},
        {bare, true},
        {root + L"t\\a\\b.txt", true},
        {L"\\\\?\\" + root + L"t", true},
        {L"relative.txt", true},    // the working folder is the scratch folder
        {bare + L"x\\file", false}, // a sibling whose name starts alike
        {root + L"..\\", false},
        {root + L"t\\..\\..\\other", false},
        {L"..\\", false},
        {L"", false},
        {L"C:\\", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsInsideScratchRoot(row.path), row.inside) << Narrow(row.path);
}

TEST(ScratchFolder, RemovingRefusesEverythingOutsideTheRoot) {
    const std::wstring folder = MakeTestFolder(L"refuse");
    ASSERT_TRUE(WriteTestFile(folder + L"keep.txt", "k"));
    EXPECT_FALSE(RemoveTestTree(folder + L"..\\..\\..\\"));
    EXPECT_FALSE(RemoveTestTree(L"C:\\windows"));
    EXPECT_TRUE(FileExistsForTest(folder + L"keep.txt"));
    EXPECT_TRUE(FileExistsForTest(L"C:\\windows\\system32"));
}

TEST(ScratchFolder, ATreePastMaxPathGoesWhole) {
    const std::wstring longFolder = MakeLongTestFolder(L"longtree");
    ASSERT_GT(longFolder.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(WriteTestFile(longFolder + L"deep.txt", "d"));
    ASSERT_TRUE(WriteTestFile(TestProgramFolder() + L"t\\longtree\\top.txt", "t"));
    ASSERT_TRUE(RemoveTestTree(TestProgramFolder() + L"t\\longtree\\"));
    EXPECT_FALSE(FileExistsForTest(TestProgramFolder() + L"t\\longtree"));
    EXPECT_FALSE(FileExistsForTest(longFolder + L"deep.txt"));
}

// A whole run of this program, started from a folder that holds a copy of it and a marker file, as
// CTest starts it beside the other programs: afterwards the marker and the copy are there and the
// child's own scratch folder is gone.
TEST(ScratchFolder, ARunLeavesTheFolderItStartedFromUntouched) {
    wchar_t child[8];
    if (::GetEnvironmentVariableW(L"VELLUMO_SCRATCH_CHILD", child, 8) > 0) GTEST_SKIP() << "the child run itself";
    const std::wstring beside = MakeTestFolder(L"beside");
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    ASSERT_FALSE(self.empty());
    const std::wstring copy = beside + GetFileName(self);
    ASSERT_TRUE(::CopyFileW(self.c_str(), copy.c_str(), TRUE));
    ASSERT_TRUE(WriteTestFile(beside + L"marker.txt", "marker"));
    ASSERT_TRUE(::CreateDirectoryW((beside + L"sub").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(beside + L"sub\\marker.txt", "marker"));

    ::SetEnvironmentVariableW(L"VELLUMO_SCRATCH_CHILD", L"1");
    std::wstring command = L"\"" + copy + L"\" --gtest_filter=ScratchFolder.ATreePastMaxPathGoesWhole";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                          nullptr, beside.c_str(), &startup, &process);
    ::SetEnvironmentVariableW(L"VELLUMO_SCRATCH_CHILD", nullptr);
    ASSERT_TRUE(started);
    const DWORD waited = ::WaitForSingleObject(process.hProcess, 120000);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadTestFile(beside + L"marker.txt"), "marker");
    EXPECT_EQ(ReadTestFile(beside + L"sub\\marker.txt"), "marker");
    EXPECT_TRUE(FileExistsForTest(copy));
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    EXPECT_FALSE(FileExistsForTest(AddBackslash(temp) + L"vellumo-test-" + std::to_wstring(process.dwProcessId)));
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
    const std::wstring root = FullPathOf(temp);
    if (root.size() < 4) {
        std::fprintf(stderr, "no temporary folder for the scratch folder\n");
        return 1;
    }
    ScratchRoot() = AddBackslash(root) + L"vellumo-test-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    if (!RemoveTestTree(ScratchRoot()) || !::CreateDirectoryW(ScratchRoot().c_str(), nullptr)) {
        std::fprintf(stderr, "could not make the scratch folder %s\n", Narrow(ScratchRoot()).c_str());
        return 1;
    }
    // Relative paths of the code under test then land in the scratch folder, never beside the program.
    ::SetCurrentDirectoryW(ScratchRoot().c_str());
    for (const wchar_t* sub : {L"Datas", L"Librarians", L"ScrDatas", L"Help"})
        ::CreateDirectoryW((ScratchRoot() + sub).c_str(), nullptr);
    ResetAppState(ScratchRoot());
    App().GdiplusToken = gdiplus.Token();

    const int result = RUN_ALL_TESTS();
    // Leave the scratch folder before removing it: a folder in use cannot go.
    ::SetCurrentDirectoryW(temp);
    if (!RemoveTestTree(ScratchRoot())) std::fprintf(stderr, "could not remove %s\n", Narrow(ScratchRoot()).c_str());
    return result;
}
