#include "bench/BenchSupport.h"

#include "bench/Bench.h"

#include "browser/ThumViewer.h"
#include "editor/Imageyzviewer.h"
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"

#include <cstddef>
#include <cstdio>
#include <cwchar>

HWND MakeBenchWindow(int width, int height, bool visible) {
    return ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, width, height,
                             nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

BenchCanvasHost::BenchCanvasHost(int width, int height, bool visible)
    : window(MakeBenchWindow(width, height, visible)), canvas(std::make_unique<Imageyzviewer>()) {
    PictureBoxArgs args;
    args.parent = window;
    args.width = width;
    args.height = height;
    BenchCheck(canvas->Create(args, {}), "the canvas window could not be made");
}

BenchCanvasHost::~BenchCanvasHost() {
    canvas.reset();
    if (window) ::DestroyWindow(window);
}

void BenchCanvasHost::Send(UINT msg, WPARAM held, int x, int y) const {
    ::SendMessageW(canvas->hWnd(), msg, held, MAKELPARAM(x, y));
}

std::string ReadAll(const std::wstring& path) {
    std::string bytes;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return bytes;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

bool WriteAll(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool CreateBenchGrid(ThumViewer& grid) {
    static const HWND host = MakeBenchWindow(820, 600, true);
    PictureBoxArgs args;
    args.parent = host;
    args.width = 800;
    args.height = 600;
    return BenchCheck(grid.Create(args), "the grid window could not be made");
}

void ScrollGridThrough(ThumViewer& grid) {
    if (!grid.ThumScroll.Enabled()) return;
    for (int32_t value = 0; value <= grid.ThumScroll.Max(); value += 600) grid.ThumScroll.Value(value);
    grid.ThumScroll.Value(grid.ThumScroll.Max());
}

namespace {

std::string Be16(uint32_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}
std::string Le16(uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Le32(uint32_t v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

} // namespace

std::string WithExifBlock(const std::string& jpeg, uint32_t orientation, const std::string& thumb) {
    const uint32_t ifd0Entries = orientation ? 1 : 0;
    const uint32_t ifd1 = 8 + 2 + 12 * ifd0Entries + 4, thumbAt = ifd1 + 2 + 2 * 12 + 4;
    std::string tiff = std::string("II") + Le16(42) + Le32(8) + Le16(ifd0Entries);
    if (orientation) tiff += Le16(0x112) + Le16(3) + Le32(1) + Le16(orientation) + Le16(0);
    tiff += Le32(thumb.empty() ? 0 : ifd1);
    if (!thumb.empty()) {
        tiff += Le16(2) + Le16(0x201) + Le16(4) + Le32(1) + Le32(thumbAt);
        tiff += Le16(0x202) + Le16(4) + Le32(1) + Le32(static_cast<uint32_t>(thumb.size())) + Le32(0) + thumb;
    }
    const std::string app1 = std::string("Exif\0\0", 6) + tiff;
    return jpeg.substr(0, 2) + "\xFF\xE1" + Be16(static_cast<uint32_t>(app1.size() + 2)) + app1 + jpeg.substr(2);
}

void WriteNoisyPhoto(const std::wstring& path, int width, int height, uint32_t seed, PhotoTint tint) {
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    DIBsave photo;
    if (!BenchCheck(photo.CreateBlankMemory(height, width), "a photograph could not be made")) return;
    GpRect all{0, 0, width, height};
    BitmapData data{};
    if (!BenchCheck(GdipBitmapLockBits(photo.new_Img, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data) == Ok,
                    "a photograph could not be drawn"))
        return;
    for (int y = 0; y < height; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 27) & 15);
            row[x] = ColorARGB(255, static_cast<uint8_t>(tint.redFrom + x * tint.redSpan / width + noise),
                               static_cast<uint8_t>(y * 200 / height + noise), static_cast<uint8_t>(tint.blue + noise));
        }
    }
    GdipBitmapUnlockBits(photo.new_Img, &data);
    BenchCheck(photo.Save(path, kFormatJpeg, 90), "a photograph could not be written");
}

const std::wstring& ListingFolder() {
    static const std::wstring folder = BenchFolder() + L"listing10k\\";
    return folder;
}

int CountEntries(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}

const std::wstring& LargePngFolder() {
    static const std::wstring folder = BenchFolder() + L"large-png\\";
    return folder;
}

std::wstring LargePngFile(int i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"big%02d.png", i + 1);
    return LargePngFolder() + name;
}

void MakeListingFolder() {
    const std::wstring& folder = ListingFolder();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (CountEntries(folder) == kListingFiles) return;
    const wchar_t* extensions[] = {L"JPG", L"jpg", L"png", L"tif", L"tiff", L"gif", L"bmp", L"jpeg"};
    for (int i = 0; i < kListingFiles; ++i) {
        wchar_t name[64];
        std::swprintf(name, 64, L"IMG_%05d.%ls", (i * 7919) % kListingFiles, extensions[i % 8]);
        HANDLE file = ::CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (!BenchCheck(file != INVALID_HANDLE_VALUE, "a file could not be made")) return;
        LARGE_INTEGER end{};
        end.QuadPart = (i * 104729) % 5000000;
        ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
        SYSTEMTIME when{};
        when.wYear = static_cast<WORD>(2000 + i % 20);
        when.wMonth = static_cast<WORD>(1 + i % 12);
        when.wDay = static_cast<WORD>(1 + i % 28);
        when.wHour = static_cast<WORD>(i % 24);
        FILETIME time{};
        ::SystemTimeToFileTime(&when, &time);
        ::SetFileTime(file, &time, nullptr, &time);
        ::CloseHandle(file);
    }
}
