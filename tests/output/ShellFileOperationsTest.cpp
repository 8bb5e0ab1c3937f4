// The shell file operations: the recycle bin is Wine's trash folder
// under $XDG_DATA_HOME, which the test scripts point into the build folder.
#include "output/ModMisc.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The trash's files folder as Wine sees it, or empty when the environment names none.
std::wstring TrashFiles() {
    wchar_t value[1024];
    const DWORD n = ::GetEnvironmentVariableW(L"XDG_DATA_HOME", value, 1024);
    if (n == 0 || n >= 1024) return {};
    std::wstring path = L"Z:" + std::wstring(value, n);
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path + L"\\Trash\\files\\";
}

std::wstring UniqueName(const wchar_t* stem) {
    return stem + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount()) + L".jpg";
}

} // namespace

TEST(FileExists, FindsFilesFoldersAndMatchingPatterns) {
    const std::wstring folder = MakeTestFolder(L"exists");
    ASSERT_TRUE(WriteTestFile(folder + L"one.png", "x"));
    EXPECT_TRUE(FileExists(folder + L"one.png"));
    EXPECT_TRUE(FileExists(folder + L"ONE.PNG"));
    EXPECT_FALSE(FileExists(folder + L"two.png"));
    EXPECT_TRUE(FileExists(folder.substr(0, folder.size() - 1))); // the folder itself
    EXPECT_TRUE(FileExists(folder));                              // with its backslash
    EXPECT_TRUE(FileExists(folder + L"*.png"));
    EXPECT_FALSE(FileExists(folder + L"*.gif"));
    EXPECT_FALSE(FileExists(L""));
}

TEST(RecycleFile, MovesTheFileToTheRecycleBinAndReportsAMissingOne) {
    const std::wstring trash = TrashFiles();
    if (trash.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: the trash would be the user's";
    ScopedShellConfirmationsOff quiet;
    const std::wstring folder = MakeTestFolder(L"recycle");
    const std::wstring name = UniqueName(L"recycled-");
    ASSERT_TRUE(WriteTestFile(folder + name, "picture bytes"));

    EXPECT_EQ(RecycleFile(folder + name), RecycleResult::Recycled);
    EXPECT_FALSE(FileExistsForTest(folder + name));
    // Nothing is lost: the bytes are in the bin.
    EXPECT_EQ(ReadTestFile(trash + name), "picture bytes");

    // Gone already (the same file a second time), never there, no name at all.
    for (const std::wstring& missing : {folder + name, folder + L"missing.jpg", std::wstring()})
        EXPECT_EQ(RecycleFile(missing), RecycleResult::Missing) << Narrow(missing);
    // A folder is not a picture file: refused, and left where it is.
    EXPECT_EQ(RecycleFile(folder), RecycleResult::Kept);
    EXPECT_TRUE(FileExistsForTest(folder));
}
