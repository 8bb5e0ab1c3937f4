// The stamp-library browser over 200 stamps of 4 megapixels each: the full repaint until the rows
// in view show, then until every row is drawn in the background, beside the platform decoder's
// own time for the stamps in view; then adding one stamp.
#include "bench/Bench.h"

#include "controls/ZpYLibMenu.h"
#include "imaging/DIBsave.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"

#include <algorithm>
#include <chrono>
#include <functional>
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
    return App().AppFolder + L"Librarians\\";
}

void WriteStamp(const std::wstring& path) {
    DIBsave picture;
    if (!BenchCheck(picture.CreateBlankMemory(kSide, kSide), "the stamp could not be made")) return;
    GpRect all{0, 0, kSide, kSide};
    BitmapData data{};
    if (!BenchCheck(GdipBitmapLockBits(picture.new_Img, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data) == Ok,
                    "the stamp could not be drawn"))
        return;
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
    BenchCheck(picture.Save(path, kFormatJpeg, 90), "the stamp could not be written");
}

void Prepare() {
    StampBench& s = State();
    if (s.host) return;
    ::CreateDirectoryW(Library().c_str(), nullptr);
    // The stamps an earlier run added: each add must bring a new row.
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((Library() + L"added*.lib").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do ::DeleteFileW((Library() + found.cFileName).c_str());
        while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    s.stamp = BenchFolder() + L"stamp4mp.jpg";
    if (::GetFileAttributesW(s.stamp.c_str()) == INVALID_FILE_ATTRIBUTES) WriteStamp(s.stamp);
    for (int i = 0; i < kStamps; ++i)
        if (!BenchCheck(::CopyFileW(s.stamp.c_str(),
                                    (Library() + L"stamp" + std::to_wstring(1000 + i) + L".lib").c_str(), FALSE),
                        "a stamp could not be copied"))
            return;
    s.host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 260, 600, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    PictureBoxArgs args;
    args.parent = s.host;
    args.width = 250;
    args.height = 560;
    BenchCheck(s.browser.Create(args), "the browser could not be made");
}

const bool registered = [] {
    RegisterBench({kPaint, 0, Prepare,
                   [] {
                       State().browser.Painting();
                       BenchCheck(State().browser.StampCount() >= kStamps, "the browser does not list the stamps");
                   },
                   1,
                   [] {
                       using Clock = std::chrono::steady_clock;
                       ZpYLibMenu& browser = State().browser;
                       const auto t0 = Clock::now();
                       const auto pumpUntil = [&](const std::function<bool()>& done) {
                           while (!done()) {
                               MSG msg;
                               while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
                               ::Sleep(1);
                           }
                           return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
                       };
                       // The rows the 560-pixel control shows: 10 + 50 i below its top.
                       const int32_t inView = std::min(browser.StampCount(), (560 - 2 - 10) / 50 + 1);
                       const double viewDone = pumpUntil([&] {
                           for (int32_t i = 0; i < inView; ++i)
                               if (!browser.RowComplete(i)) return false;
                           return true;
                       });
                       const double allDone = pumpUntil([&] { return browser.RowsPending() == 0; });
                       const auto d0 = Clock::now();
                       for (int i = 0; i < inView; ++i) {
                           GdiDIB image;
                           BenchCheck(image.Import(State().stamp), "the platform could not load a stamp");
                       }
                       const double decoder = std::chrono::duration<double, std::milli>(Clock::now() - d0).count();
                       const double shown = MedianOf(kPaint);
                       std::printf("  the list with its %d rows in view shown after %.0f ms (aim: under 300 ms), their "
                                   "stamps all in %.0f ms later; the platform decoder alone on %d stamps %.0f ms on "
                                   "one thread; all %d rows drawn %.0f ms after the list showed\n",
                                   inView, shown, viewDone, inView, decoder, browser.StampCount(), allDone);
                   }});
    RegisterBench({kAdd, 4.0, Prepare,
                   [] {
                       StampBench& s = State();
                       const std::wstring name = L"added" + std::to_wstring(++s.added) + L".lib";
                       if (!BenchCheck(::CopyFileW(s.stamp.c_str(), (Library() + name).c_str(), FALSE),
                                       "the stamp could not be copied"))
                           return;
                       const int32_t before = s.browser.StampCount();
                       s.browser.AddnewItem(Library(), name);
                       s.browser.RefreshPaint();
                       BenchCheck(s.browser.StampCount() == before + 1, "the stamp was not added");
                   },
                   5, [] { std::printf("  rows after the adds: %d\n", State().browser.StampCount()); }});
    return true;
}();

} // namespace
