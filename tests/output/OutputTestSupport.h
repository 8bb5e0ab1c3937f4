// What the output window tests share: the fakes of the slideshow's grid and the screen-saver
// installer, picture files of one colour, the real pointer moved and clicked as a person would, and
// colours compared with a tolerance.
#pragma once

#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "output/FrmScroll.h"
#include "output/SlideshowGrid.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/CallLog.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// A w x h PNG of one colour; false when it could not be written.
inline bool WriteSolidPng(const std::wstring& path, int w, int h, uint32_t colour) {
    GdipBitmap bitmap = SolidBitmap(w, h, colour);
    return bitmap && SaveImageSafely(bitmap.get(), path, kFormatPng, 0);
}

inline void SendMouseFlags(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof(in));
}

// Moves the real pointer to screen point (x, y), again while a late event of the display undoes it.
inline void PointerTo(int x, int y) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    for (int attempt = 0; attempt < 10; ++attempt) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        // The smallest absolute value that lands on the pixel when the system scales it back down.
        in.mi.dx = static_cast<LONG>((static_cast<int64_t>(x) * 65536 + w - 1) / w);
        in.mi.dy = static_cast<LONG>((static_cast<int64_t>(y) * 65536 + h - 1) / h);
        ::SendInput(1, &in, sizeof(in));
        TestWindow::Pump(40);
        POINT now{};
        if (::GetCursorPos(&now) && now.x == x && now.y == y) return;
    }
    ADD_FAILURE() << "the pointer did not reach (" << x << "," << y << ")";
}

inline void ClickAt(int x, int y) {
    PointerTo(x, y);
    SendMouseFlags(MOUSEEVENTF_LEFTDOWN);
    TestWindow::Pump(30);
    SendMouseFlags(MOUSEEVENTF_LEFTUP);
    TestWindow::Pump(60);
}

// True when two RGB values (red in the low byte) differ by at most tolerance in every channel.
inline bool NearRgb(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The grid's files from a plain list.
class FakeSlideshowGrid : public SlideshowGrid {
public:
    std::vector<std::wstring> files;
    std::function<void(int32_t index)> onRead; // called at every read, before the answer
    std::wstring SlideFilename(int32_t index) const override {
        if (onRead) onRead(index);
        return files.at(static_cast<size_t>(index));
    }
    int32_t ListCount() const override { return static_cast<int32_t>(files.size()); }
};

class FakeScreenSaverInstaller : public ScreenSaverInstaller {
public:
    CallLog log;
    void Run(const std::wstring& commandLine) override { log.Add(L"Run(" + Arg(commandLine) + L")"); }
};
