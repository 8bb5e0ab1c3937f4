#include "imaging/SceneEffects.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr UINT kProbe = WM_APP + 7;

// How many pixels of the window's client rectangle (0, 0, w, h) on screen are not white.
int ColouredOnScreen(HWND hwnd, int w, int h) {
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueHBitmap copy(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDc memory(::CreateCompatibleDC(nullptr));
    if (!copy || !memory) return -1;
    ScopedSelectObject select(memory.get(), copy.get());
    WindowDc screen(nullptr);
    ::BitBlt(memory.get(), 0, 0, w, h, screen.get(), origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    int count = 0;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int k = 0; k < w * h; ++k) count += (pixels[k] & 0x00FFFFFF) != 0x00FFFFFF;
    return count;
}

} // namespace

TEST(ParticleEffectWindow, AMessagePostedDuringTheEffectIsHandledOnlyAfterItReturns) {
    // Away from the default place: test programs run side by side on one screen, and each reads
    // back its own window's pixels.
    TestWindow window(240, 160, 930, 720);
    bool handled = false;
    Clock::time_point handledAt{};
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != kProbe) return false;
        handled = true;
        handledAt = Clock::now();
        *result = 0;
        return true;
    };
    const HWND hwnd = window.hwnd();
    ASSERT_EQ(ColouredOnScreen(hwnd, 240, 160), 0);

    std::atomic<bool> posted{false};
    std::atomic<int64_t> postedAtNs{0};
    const Clock::time_point start = Clock::now();
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        postedAtNs = (Clock::now() - start).count();
        posted = ::PostMessageW(hwnd, kProbe, 0, 0) != 0;
    });
    {
        // Drawn on the window's device context: a surface is made on it for every particle.
        WindowDc dc(hwnd);
        RunParticleEffect(DrawTarget::Dc(dc.get()), 400, 10, 10, kEffectFireflies, 255, 30, 20, 180, 120);
    }
    const Clock::time_point end = Clock::now();
    poster.join();

    ASSERT_TRUE(posted);
    EXPECT_LT(Clock::duration(postedAtNs.load()), end - start); // posted while the effect ran
    EXPECT_GE(end - start, std::chrono::milliseconds(400));
    EXPECT_FALSE(handled) << "the effect let messages run";
    EXPECT_GT(ColouredOnScreen(hwnd, 240, 160), 200);

    TestWindow::Pump(50);
    EXPECT_TRUE(handled);
    EXPECT_GE(handledAt, end);
}
