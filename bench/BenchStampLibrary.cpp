// The stamp-library browser over 200 stamps of 4 megapixels each: the full repaint (every stamp
// decoded and reduced), then adding one stamp (that one decoded, the rows drawn again from the
// kept thumbnails), and how many times cheaper the add is.
#include "bench/Bench.h"

#include "controls/ZpYLibMenu.h"
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kSide = 2000; // 4 megapixels
constexpr int kStamps = 200;
const char* const kPaint = "Stamp library: Painting of 200 stamps, 4 MP each";
const char* const kAdd = "Stamp library: one stamp added and refreshed";

struct StampBench {
    HWND host = nullptr;
    ZpYLibMenu browser;
    std::wstring stamp; // one 4-megapixel JPEG, copied for every stamp
    int added = 0;
};

StampBench& State() {
    // Never destroyed: its teardown would come after GDI+ has been shut down.
    static StampBench* state = new StampBench;
    return *state;
}

std::wstring Library() {
    return App().ProgramFolder + L"Librarians\\";
}

void WriteStamp(const std::wstring& path) {
    DIBsave picture;
    if (!picture.CreateBlankMemory(kSide, kSide)) return;
    GpRect all{0, 0, kSide, kSide};
    BitmapData data{};
    if (GdipBitmapLockBits(picture.new_Img, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok) return;
    uint32_t seed = 11;
    for (int y = 0; y < kSide; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < kSide; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 27) & 15);
            row[x] = ColorARGB(255, static_cast<uint8_t>(x * 200 / kSide + noise),
                               static_cast<uint8_t>(y * 200 / kSide + noise), static_cast<uint8_t>(90 + noise));
        }
    }
    GdipBitmapUnlockBits(picture.new_Img, &data);
    if (!picture.Save(path, kFormatJpeg, 90)) std::printf("  the stamp could not be written\n");
}

void Prepare() {
    StampBench& s = State();
    if (s.host) return;
    ::CreateDirectoryW(Library().c_str(), nullptr);
    s.stamp = BenchFolder() + L"stamp4mp.jpg";
    if (::GetFileAttributesW(s.stamp.c_str()) == INVALID_FILE_ATTRIBUTES) WriteStamp(s.stamp);
    for (int i = 0; i < kStamps; ++i)
        (void)::CopyFileW(s.stamp.c_str(), (Library() + L"stamp" + std::to_wstring(1000 + i) + L".lib").c_str(), FALSE);
    s.host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 260, 600, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    PictureBoxArgs args;
    args.parent = s.host;
    args.width = 250;
    args.height = 560;
    if (!s.browser.Create(args)) std::printf("  the browser could not be made\n");
}

const bool registered = [] {
    RegisterBench({kPaint, 4.0 * kStamps, Prepare, [] { State().browser.Painting(); }, 1});
    RegisterBench({kAdd, 4.0, Prepare,
                   [] {
                       StampBench& s = State();
                       const std::wstring name = L"added" + std::to_wstring(++s.added) + L".lib";
                       (void)::CopyFileW(s.stamp.c_str(), (Library() + name).c_str(), FALSE);
                       s.browser.AddnewItem(Library(), name);
                       s.browser.RefreshPaint();
                   },
                   5,
                   [] {
                       const double paint = MedianOf(kPaint), add = MedianOf(kAdd);
                       std::printf("  rows after the adds: %d; the add costs 1/%.0f of the full repaint\n",
                                   State().browser.StampCount(), add > 0 ? paint / add : 0.0);
                   }});
    return true;
}();

} // namespace
