// Every good file of the public image sets that the platform decodes loads with its true size, and
// every deliberately broken file leaves the image empty without crashing or hanging.
#include "imaging/GdiDIB.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace {

using PixelSize = std::pair<uint32_t, uint32_t>;

uint32_t Be16(const std::string& b, size_t i) {
    return (uint8_t(b[i]) << 8) | uint8_t(b[i + 1]);
}
uint32_t Be32(const std::string& b, size_t i) {
    return (Be16(b, i) << 16) | Be16(b, i + 2);
}
uint32_t Le16(const std::string& b, size_t i) {
    return uint8_t(b[i]) | (uint8_t(b[i + 1]) << 8);
}
uint32_t Le32(const std::string& b, size_t i) {
    return Le16(b, i) | (Le16(b, i + 2) << 16);
}

// The size each format's own header states, read independently of the decoder.
std::optional<PixelSize> HeaderSize(const std::string& b) {
    if (b.size() >= 24 && b.compare(1, 3, "PNG") == 0) return PixelSize{Be32(b, 16), Be32(b, 20)};
    if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
        if (Le32(b, 14) == 12) return PixelSize{Le16(b, 18), Le16(b, 20)};
        const int32_t h = static_cast<int32_t>(Le32(b, 22));
        return PixelSize{Le32(b, 18), static_cast<uint32_t>(h < 0 ? -h : h)};
    }
    if (b.size() >= 4 && uint8_t(b[0]) == 0xFF && uint8_t(b[1]) == 0xD8) {
        size_t i = 2;
        while (i + 9 < b.size()) {
            if (uint8_t(b[i]) != 0xFF) return std::nullopt;
            const uint8_t marker = uint8_t(b[i + 1]);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                return PixelSize{Be16(b, i + 7), Be16(b, i + 5)};
            i += 2 + Be16(b, i + 2);
        }
        return std::nullopt;
    }
    if (b.size() >= 8 && (b.compare(0, 2, "II") == 0 || b.compare(0, 2, "MM") == 0)) {
        const bool le = b[0] == 'I';
        auto u16 = [&](size_t i) { return le ? Le16(b, i) : Be16(b, i); };
        auto u32 = [&](size_t i) { return le ? Le32(b, i) : Be32(b, i); };
        const size_t ifd = u32(4);
        if (ifd + 2 > b.size()) return std::nullopt;
        std::optional<uint32_t> w, h;
        for (uint32_t k = 0, n = u16(ifd); k < n && ifd + 2 + 12 * (k + 1) <= b.size(); ++k) {
            const size_t e = ifd + 2 + 12 * k;
            const uint32_t tag = u16(e), type = u16(e + 2);
            const uint32_t value = type == 3 ? u16(e + 8) : u32(e + 8);
            if (tag == 256) w = value;
            if (tag == 257) h = value;
        }
        if (w && h) return PixelSize{*w, *h};
    }
    return std::nullopt;
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((folder + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

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

TEST(CorpusConformance, GoodFilesLoadWithTheirTrueSizeAndBrokenFilesLeaveTheImageEmpty) {
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
        int count = 0, ok = 0;
        for (const std::wstring& name : ListFiles(corpus + set.folder, L"*")) {
            {
                // Extensions are matched here: a "*.tif" pattern also finds ".tiff" through short names.
                const size_t dot = name.rfind(L'.');
                const std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot);
                if (std::find(set.extensions.begin(), set.extensions.end(), ext) == set.extensions.end()) continue;
                // In the PNG suite the names starting with "x" are the deliberately broken files.
                if (set.folder.rfind(L"pngsuite", 0) == 0 && (name[0] == L'x') != set.broken) continue;
                const std::wstring path = corpus + set.folder + name;
                const std::string id = Narrow(set.folder + name);
                ++count;
                GdiDIB image;
                const bool imported = image.Import(path);
                if (set.broken) {
                    EXPECT_FALSE(imported) << id << " is broken but was decoded";
                    EXPECT_EQ(image.DIB(), nullptr) << id;
                    EXPECT_EQ(image.Width(), 0) << id;
                    EXPECT_EQ(image.Height(), 0) << id;
                    ok += imported ? 1 : 0;
                    continue;
                }
                if (!imported) {
                    EXPECT_EQ(image.DIB(), nullptr) << id;
                    EXPECT_EQ(image.Width(), 0) << id;
                    EXPECT_FALSE(kExpectedToLoad.count(id)) << id << " loaded before and no longer loads";
                    continue;
                }
                ++ok;
                loaded.insert(id);
                const std::optional<PixelSize> header = HeaderSize(ReadTestFile(path));
                if (header) {
                    EXPECT_EQ(image.Width(), static_cast<float>(header->first)) << id;
                    EXPECT_EQ(image.Height(), static_cast<float>(header->second)) << id;
                }
            }
        }
        std::printf("%-28s %3d of %3d %s\n", Narrow(set.folder).c_str(), ok, count,
                    set.broken ? "broken files decoded anyway" : "loaded");
    }
    for (const std::string& id : kExpectedToLoad)
        EXPECT_TRUE(loaded.count(id)) << id << " is missing or no longer loads";
    if (::GetEnvironmentVariableW(L"VELLUMO_PRINT_CORPUS", nullptr, 0) > 0)
        for (const std::string& id : loaded)
            std::printf("\"%s\",\n",
                        [&] {
                            std::string escaped;
                            for (char c : id) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
                            return escaped;
                        }()
                            .c_str());
}
