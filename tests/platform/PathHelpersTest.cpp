// Path helpers, the one case folding and order of names, and writing a file through a temporary
// file beside it.
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

bool WriteText(const std::wstring& path, const std::string& text) {
    return WriteFileReplacing(path, {std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())});
}

// A reader of path, sharing share, from now until ms later.
std::thread ReadFor(const std::wstring& path, DWORD share, DWORD ms) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    return std::thread([file, ms] {
        ::Sleep(ms);
        ::CloseHandle(file);
    });
}

} // namespace

TEST(PathHelpers, SplitNamesAndFileTypes) {
    struct Case {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* extension;
        const wchar_t* type;
    };
    for (const Case& c : std::vector<Case>{
             {L"C:\\a\\b.jpg", L"b.jpg", L"jpg", L"jpg"},
             {L"C:\\a.b\\file", L"file", L"", L"file"}, // a dot in a folder is no extension
             {L"D:\\Photos\\Holiday.Jpeg", L"Holiday.Jpeg", L"Jpeg", L"jpeg"},
             {L"archive.tar.gz", L"archive.tar.gz", L"gz", L"gz"},
             {L"C:\\Photos\\name.", L"name.", L"", L""},
             {L"C:\\a\\", L"", L"", L""},
             {L"", L"", L"", L""},
             {L"C:\\\u00C4RGER.\u00C4BC", L"\u00C4RGER.\u00C4BC", L"\u00C4BC", L"\u00E4bc"}, // beyond ASCII too
         }) {
        SCOPED_TRACE(Narrow(c.path));
        EXPECT_EQ(GetFileName(c.path), c.name);
        EXPECT_EQ(FileExtension(c.path), c.extension);
        EXPECT_EQ(GetFileExt(c.path), c.type);
    }
    EXPECT_EQ(AddBackslash(L"C:\\Pictures"), L"C:\\Pictures\\");
    EXPECT_EQ(AddBackslash(L"C:\\Pictures\\"), L"C:\\Pictures\\");
    EXPECT_EQ(AddBackslash(L""), L"\\");
}

TEST(TextCase, OneFoldingAndOneOrderOfNames) {
    EXPECT_EQ(FoldCase(L"ab_\u00E4\u03C9.Gif"), L"AB_\u00C4\u03A9.GIF");
    EXPECT_EQ(CompareNoCase(L"IMAGE/PNG", L"image/png"), 0);
    std::vector<std::wstring> names{L"b.gif", L"ab.gif", L"A_B.gif", L"a10.png", L"a9.png", L"\u00C4.png", L"Z.png"};
    std::stable_sort(names.begin(), names.end(),
                     [](const std::wstring& a, const std::wstring& b) { return CompareNoCase(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a10.png", L"a9.png", L"ab.gif", L"A_B.gif", L"b.gif", L"Z.png",
                                                L"\u00C4.png"}));
}

TEST(WriteThroughTemporaryFile, ReplacesTheTargetOnlyWhenTheWriteSucceeded) {
    const std::wstring folder = MakeTestFolder(L"replacing");
    const std::wstring target = folder + L"keep.dat";
    ASSERT_TRUE(WriteText(target, "new file"));
    EXPECT_EQ(ReadTestFile(target), "new file");
    ASSERT_TRUE(WriteText(target, "replaced"));
    EXPECT_EQ(ReadTestFile(target), "replaced");

    // A failure midway through the write, a write that throws, one that writes nothing, a missing
    // folder and a read-only target: the target keeps its bytes and no temporary file is left.
    const auto halfThenFail = [](const std::wstring& temporary) { return WriteTestFile(temporary, "half") && false; };
    const auto throws = [](const std::wstring& temporary) -> bool {
        (void)WriteTestFile(temporary, "half");
        throw std::runtime_error("disk gone");
    };
    const auto writesNothing = [](const std::wstring&) { return true; };
    EXPECT_FALSE(WriteThroughTemporaryFile(target, halfThenFail));
    EXPECT_FALSE(WriteThroughTemporaryFile(target, throws));
    EXPECT_FALSE(WriteThroughTemporaryFile(target, writesNothing));
    EXPECT_FALSE(WriteText(folder + L"missing\\keep.dat", "lost"));
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(WriteText(target, "over read-only"));
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTestFile(target), "replaced");
    EXPECT_EQ(FileNamesIn(folder).size(), 1u);
}

TEST(WriteThroughTemporaryFile, AFileReadForAMomentIsReplacedAndNoTemporaryFileStays) {
    const std::wstring folder = MakeTestFolder(L"reader");
    const std::wstring target = folder + L"shown.dat";
    ASSERT_TRUE(WriteText(target, "opened"));
    // A thumbnail being made of the file as it is saved over; then a write that fails while its new
    // file is being read, sharing no delete; then a target held open all along.
    std::thread reader = ReadFor(target, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 300);
    EXPECT_TRUE(WriteText(target, "saved")) << "the save failed while the file was read";
    reader.join();
    EXPECT_FALSE(WriteThroughTemporaryFile(target, [&](const std::wstring& temporary) {
        reader = ReadFor(temporary, FILE_SHARE_READ, 300);
        return false;
    }));
    reader.join();
    reader = ReadFor(target, FILE_SHARE_READ, 3000);
    EXPECT_FALSE(WriteText(target, "lost"));
    reader.join();
    EXPECT_EQ(FileNamesIn(folder), std::vector<std::wstring>{L"shown.dat"}) << "a temporary file was left";
    EXPECT_EQ(ReadTestFile(target), "saved");
}

TEST(WriteThroughTemporaryFile, WritesInFoldersPastMaxPath) {
    const std::wstring folder = MakeLongTestFolder(L"longpath");
    ASSERT_GT(folder.size(), static_cast<size_t>(MAX_PATH));
    const std::wstring target = folder + L"long.dat";
    ASSERT_TRUE(WriteText(target, "first"));
    ASSERT_TRUE(WriteText(target, "second"));
    EXPECT_EQ(ReadTestFile(target), "second");
    EXPECT_EQ(FileNamesIn(folder).size(), 1u);
    const std::wstring tempName = TemporaryNameBeside(target, L"tst");
    ASSERT_FALSE(tempName.empty());
    EXPECT_EQ(tempName.rfind(folder, 0), 0u);
    EXPECT_TRUE(::DeleteFileW(LongPathForm(tempName).c_str()));
}
