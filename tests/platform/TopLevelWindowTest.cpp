// The top-level window base in real windows: what a derived window hears from creation to
// destruction, a handler closing or deleting its own window, and a throwing handler.
#include "platform/TopLevelWindow.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

constexpr wchar_t kProbeClass[] = L"VellumoTopLevelProbe";
constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kCloseSelf = WM_APP + 2;

// A window that records the messages it hears (into a list that outlives it) and reacts to two of
// ours: one throws, one runs onCloseSelf from inside the handler.
class Probe : public TopLevelWindow {
public:
    explicit Probe(std::vector<UINT>& heard) : heard_(heard) {}
    ~Probe() override { DestroyTopLevel(); }

    bool Create(HWND owner = nullptr) {
        WNDCLASSEXW wc{};
        wc.lpszClassName = kProbeClass;
        if (!RegisterWindowClass(wc)) return false;
        return CreateBound(0, kProbeClass, L"Probe", WS_POPUP, 10, 10, 50, 40, owner) != nullptr;
    }
    void Close() { DestroyTopLevel(); }
    void Modal(HWND owner) { RunModal(owner); }

    std::function<void()> onCloseSelf;
    HWND boundAtCreate = nullptr;

protected:
    bool HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) override {
        heard_.push_back(msg);
        switch (msg) {
        case WM_CREATE:
            boundAtCreate = hwnd_;
            return false;
        case kThrow:
            throw std::runtime_error("a handler's failure");
        case kCloseSelf: {
            // As a close button does: the window (and maybe this object) goes, then nothing of ours.
            const std::function<void()> close = onCloseSelf;
            close();
            *result = 7;
            return true;
        }
        default:
            return false;
        }
    }

private:
    std::vector<UINT>& heard_;
};

bool Heard(const std::vector<UINT>& heard, UINT msg) {
    return std::find(heard.begin(), heard.end(), msg) != heard.end();
}

TEST(TopLevelWindowTest, BoundFromCreationToDestructionWithTheBindingClearedAtTheEnd) {
    std::vector<UINT> heard;
    Probe probe(heard);
    ASSERT_TRUE(probe.Create());
    const HWND window = probe.hWnd();
    ASSERT_NE(window, nullptr);
    // WM_CREATE already reaches the handler, with the window known.
    EXPECT_TRUE(Heard(heard, WM_CREATE));
    EXPECT_EQ(probe.boundAtCreate, window);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&probe));

    probe.Close();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(probe.hWnd(), nullptr);
    EXPECT_TRUE(Heard(heard, WM_DESTROY));
    // WM_NCDESTROY is the last message the object hears.
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(TopLevelWindowTest, AThrowingHandlerDoesNotCrossTheWindowProcedure) {
    std::vector<UINT> heard;
    Probe probe(heard);
    ASSERT_TRUE(probe.Create());
    // Without the barrier the exception would unwind through the system's dispatcher and end the run.
    EXPECT_EQ(::SendMessageW(probe.hWnd(), kThrow, 0, 0), 0);
    EXPECT_TRUE(Heard(heard, kThrow));
    // The window goes on working.
    ASSERT_TRUE(::IsWindow(probe.hWnd()));
    ASSERT_TRUE(::PostMessageW(probe.hWnd(), kThrow, 0, 0));
    TestWindow::Pump(30);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), kThrow), 2);
    EXPECT_TRUE(::IsWindow(probe.hWnd()));
}

TEST(TopLevelWindowTest, AHandlerMayCloseItsOwnWindow) {
    std::vector<UINT> heard;
    Probe probe(heard);
    ASSERT_TRUE(probe.Create());
    const HWND window = probe.hWnd();
    probe.onCloseSelf = [&probe] { probe.Close(); };
    EXPECT_EQ(::SendMessageW(window, kCloseSelf, 0, 0), 7);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(probe.hWnd(), nullptr);
    EXPECT_EQ(heard.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(TopLevelWindowTest, AHandlerMayDeleteItsOwnWindowObject) {
    std::vector<UINT> heard;
    // The object lives in storage that is scribbled over once it is gone, so that any later read
    // through it (a virtual call) fails and any later write shows.
    alignas(Probe) unsigned char storage[sizeof(Probe)];
    auto* probe = new (storage) Probe(heard);
    ASSERT_TRUE(probe->Create());
    const HWND window = probe->hWnd();
    probe->onCloseSelf = [probe, &storage] {
        probe->~Probe();
        std::memset(storage, 0xA5, sizeof storage);
    };
    EXPECT_EQ(::SendMessageW(window, kCloseSelf, 0, 0), 7);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(std::all_of(std::begin(storage), std::end(storage), [](unsigned char b) { return b == 0xA5; }));
    EXPECT_EQ(heard.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(TopLevelWindowTest, AModalWindowDisablesItsOwnerUntilItCloses) {
    TestWindow owner(200, 150);
    std::vector<UINT> heard;
    Probe probe(heard);
    ASSERT_TRUE(probe.Create(owner.hwnd()));
    bool ownerDisabledMeanwhile = false;
    probe.onCloseSelf = [&] {
        ownerDisabledMeanwhile = !::IsWindowEnabled(owner.hwnd());
        probe.Close();
    };
    ASSERT_TRUE(::PostMessageW(probe.hWnd(), kCloseSelf, 0, 0));
    probe.Modal(owner.hwnd());
    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_EQ(probe.hWnd(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
}

} // namespace
