// Every good file of the public image sets that loaded when the list was made still loads, and
// every deliberately broken file leaves the image empty without crashing or hanging. (The sizes are
// the decoder's own; the round trips in ImageFilesTest check that the image keeps them.)
#include "imaging/GdiDIB.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {

struct Set {
    std::wstring folder;
    std::vector<std::wstring> extensions;
    bool broken;
};

// Good files of each set that loaded on this platform when the test was written: any of them
// that stops loading is a regression.
const std::set<std::string> kExpectedToLoad = {
#include "CorpusExpected.inc"
};

} // namespace

TEST(CorpusConformance, GoodFilesLoadAndBrokenFilesLeaveTheImageEmpty) {
    SKIP_WITHOUT_CORPUS();
    const std::wstring corpus = CorpusFolder();
    const std::vector<Set> sets = {
        {L"pngsuite\\png\\", {L".png"}, false},
        {L"bmpsuite\\g\\", {L".bmp"}, false},
        {L"exif-orientation\\", {L".jpg"}, false},
        {L"libjpeg-turbo-testimages\\", {L".jpg", L".png", L".bmp"}, false},
        {L"libtiff-testimages\\", {L".tif", L".tiff"}, false},
        {L"pngsuite\\png\\", {L".png"}, true},
        {L"bmpsuite\\b\\", {L".bmp"}, true},
    };
    std::set<std::string> loaded;
    for (const Set& set : sets) {
        for (const std::wstring& name : FileNamesIn(corpus + set.folder)) {
            const size_t dot = name.rfind(L'.');
            const std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot);
            if (std::find(set.extensions.begin(), set.extensions.end(), ext) == set.extensions.end()) continue;
            // In the PNG suite the names starting with "x" are the deliberately broken files.
            if (set.folder.rfind(L"pngsuite", 0) == 0 && (name[0] == L'x') != set.broken) continue;
            const std::string id = Narrow(set.folder + name);
            GdiDIB image;
            if (image.Import(corpus + set.folder + name)) {
                EXPECT_FALSE(set.broken) << id << " is broken but was decoded";
                EXPECT_GT(image.Width(), 0) << id;
                EXPECT_GT(image.Height(), 0) << id;
                loaded.insert(id);
            } else {
                EXPECT_EQ(image.DIB(), nullptr) << id;
                EXPECT_EQ(image.Width(), 0) << id;
                EXPECT_EQ(image.Height(), 0) << id;
            }
        }
    }
    for (const std::string& id : kExpectedToLoad)
        EXPECT_TRUE(loaded.count(id)) << id << " is missing or no longer loads";
    // Makes a new list for CorpusExpected.inc.
    if (::GetEnvironmentVariableW(L"VELLUMO_PRINT_CORPUS", nullptr, 0) > 0)
        for (std::string id : loaded) {
            for (size_t at = id.find('\\'); at != std::string::npos; at = id.find('\\', at + 2)) id.insert(at, 1, '\\');
            std::printf("\"%s\",\n", id.c_str());
        }
}
