// What every test executable shares: GDI+ started once, a scratch program folder of its own with
// the program's working folders, and the public image sets.
#pragma once

#include "platform/Gdip.h"

#include <cstdint>
#include <string>
#include <vector>

// The scratch program folder of this test run (ends in a backslash): holds "Datas\",
// "Librarians\", "ScrDatas\" and "Help\". Deleted when the run ends.
const std::wstring& TestProgramFolder();

// True when path (full, relative or "\\?\" form) is the scratch folder or lies inside it.
bool IsInsideScratchRoot(const std::wstring& path);

// Removes a folder and everything in it; refuses (false) anything outside the scratch folder, checked
// by full path before every single delete. True also when the folder is not there.
[[nodiscard]] bool RemoveTestTree(const std::wstring& folder);

// A fresh empty folder under the scratch folder for one test (ends in a backslash).
std::wstring MakeTestFolder(const std::wstring& name);

// A fresh empty folder like MakeTestFolder's whose path is longer than MAX_PATH; in the form the
// file calls take past MAX_PATH ("\\?\" first).
std::wstring MakeLongTestFolder(const std::wstring& name);

// The public image sets' folder (ends in a backslash), or empty when it is not there.
std::wstring CorpusFolder();

// Writes bytes to a file; false on failure.
bool WriteTestFile(const std::wstring& path, const std::string& bytes);
bool FileExistsForTest(const std::wstring& path);
// The names of the files (not folders) in a folder, sorted; a folder path past MAX_PATH works too.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder);
int64_t FileSizeForTest(const std::wstring& path);
std::string ReadTestFile(const std::wstring& path);

// The ARGB pixel of a GDI+ bitmap.
uint32_t PixelAt(GpBitmap* bitmap, int x, int y);

// Narrow text of a path for test messages.
std::string Narrow(const std::wstring& text);

// All the free address space taken but four blocks of 32 MB apart from each other, while it lives:
// nothing larger than 32 MB can be had. blocks holds at least 9 when it could be arranged. Given a
// size, all of it but one block of that size is taken instead (kept tells whether one was found):
// a piece of work that fits in it alone runs, two such at once do not.
struct AddressSpaceTaken {
    std::vector<void*> blocks, rest;
    bool kept = false;
    AddressSpaceTaken();
    explicit AddressSpaceTaken(size_t leftInOneBlock);
    ~AddressSpaceTaken();
    AddressSpaceTaken(const AddressSpaceTaken&) = delete;
    AddressSpaceTaken& operator=(const AddressSpaceTaken&) = delete;
};

// True when the tests run under CI (the CI variable is set): there nothing may be skipped quietly.
bool RunningUnderCi();

// Skips a test that needs the public image sets when they are not present; under CI that fails it.
#define SKIP_WITHOUT_CORPUS()                                                                                          \
    do {                                                                                                               \
        if (CorpusFolder().empty()) {                                                                                  \
            if (RunningUnderCi()) FAIL() << "the public image sets (../shared/corpus) are missing under CI";           \
            GTEST_SKIP() << "the public image sets (../shared/corpus) are not present";                                \
        }                                                                                                              \
    } while (0)
