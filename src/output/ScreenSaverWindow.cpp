#include "output/ScreenSaverWindow.h"

#include "imaging/GdiDIB.h"
#include "output/FrmSlideshow.h"
#include "output/ModMisc.h"
#include "output/SlideshowRules.h"
#include "platform/DoEvents.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

namespace {

constexpr wchar_t kClassName[] = L"VellumoScreenSaver";

} // namespace

ScrCommand ParseScrCommand(const std::wstring& arguments) {
    size_t at = arguments.find_first_not_of(L" \t");
    if (at == std::wstring::npos || (arguments[at] != L'/' && arguments[at] != L'-') || at + 1 >= arguments.size())
        return {};
    const wchar_t letter = static_cast<wchar_t>(std::towlower(arguments[at + 1]));
    const std::wstring rest = arguments.substr(at + 2);
    if (!rest.empty() && rest[0] != L' ' && rest[0] != L':' && rest[0] != L'\t') return {};
    if (letter == L's') return {ScrMode::Show, nullptr};
    if (letter == L'p') {
        const size_t digits = rest.find_first_of(L"0123456789");
        if (digits == std::wstring::npos) return {};
        const unsigned long long number = std::wcstoull(rest.c_str() + digits, nullptr, 10);
        if (number == 0) return {};
        return {ScrMode::Preview, reinterpret_cast<HWND>(static_cast<uintptr_t>(number))};
    }
    return {};
}

std::vector<std::wstring> ScreenSaverFiles(const std::wstring& folder) {
    std::vector<std::wstring> files;
    for (size_t i = 0;; ++i) {
        std::wstring path = folder + L"Scrdata" + std::to_wstring(i) + L".dat";
        if (!FileExists(path)) break;
        files.push_back(std::move(path));
    }
    return files;
}

ScreenSaverWindow::~ScreenSaverWindow() {
    view_.reset();
    DestroyTopLevel();
}

bool ScreenSaverWindow::Create(HWND parent) {
    if (hwnd_) return false;
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kClassName;
        return RegisterWindowClass(wc);
    }();
    if (!registered) return false;
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    DWORD style = WS_POPUP, exStyle = WS_EX_TOPMOST;
    if (parent) {
        RECT client{};
        if (!::GetClientRect(parent, &client)) return false;
        width = client.right;
        height = client.bottom;
        style = WS_CHILD;
        exStyle = 0;
    }
    if (!CreateBound(exStyle, kClassName, L"VellumoScr", style | WS_CLIPCHILDREN, 0, 0, width, height, parent))
        return false;
    view_ = std::make_unique<PictureBox>();
    if (!view_->Create({.parent = hwnd_, .width = width, .height = height, .backColor = RGB(0, 0, 0)})) return false;
    ::GetCursorPos(&start_);
    if (!parent) {
        // The preview takes no input: it lives in the settings page's window.
        view_->onKeyDown = [this](int, int) { End(); };
        view_->onMouseDown = [this](int, int, float, float) { End(); };
        view_->onMouseMove = [this](int, int, float, float) { OnMove(); };
        view_->SetMousePointer(MousePointer::Custom); // no icon set: no pointer over the show
    }
    DrawSlideBackground(*view_);
    ShowSlideWindow(hwnd_, *view_, !parent);
    return true;
}

void ScreenSaverWindow::OnMove() {
    POINT now{};
    ::GetCursorPos(&now);
    if (std::abs(now.x - start_.x) > 3 || std::abs(now.y - start_.y) > 3) End();
}

bool ScreenSaverWindow::ShowPicture(const std::wstring& file, bool fade) {
    if (!view_ || !view_->hWnd()) return false;
    GdiDIB picture;
    const bool decoded = picture.Import(file) && picture.DIB();
    float x = 0, y = 0, w = 0, h = 0;
    GdiDIB::GetBestFitInfo(picture.Width(), picture.Height(), static_cast<float>(view_->Width()),
                           static_cast<float>(view_->Height()), x, y, w, h);
    DrawSlideBackground(*view_);
    if (!decoded) {
        view_->Refresh();
        return false;
    }
    if (fade) {
        (void)FadeInPicture(*view_, picture.DIB(), x, y, w, h, FadeStep(picture.Width(), picture.Height()),
                            [this] { return !ended_ && view_ && view_->hWnd(); });
    } else {
        GdipGraphics g;
        if (GdipCreateFromHDC(view_->hDC(), g.put()) == Ok) {
            GdipSetInterpolationMode(g.get(), InterpolationModeHighQuality);
            GdipDrawImageRect(g.get(), picture.DIB(), x, y - 3, w, h);
        }
        g.reset();
        view_->Refresh();
    }
    return true;
}

void ScreenSaverWindow::Hold(const int32_t& ms) {
    const auto start = std::chrono::steady_clock::now();
    while (!ended_ && hwnd_) {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        if (elapsed >= ms) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(ms - elapsed, 50)),
                                    QS_ALLINPUT);
        DoEvents();
    }
}

void ScreenSaverWindow::Run(const std::vector<std::wstring>& files, const int32_t& holdMs) {
    size_t index = 0;
    size_t failedInARow = 0;
    while (!ended_ && hwnd_) {
        if (files.empty() || failedInARow >= files.size()) {
            // Nothing to show: the stripes stay until the show ends.
            Hold(1000);
            continue;
        }
        if (ShowPicture(files[index], true)) {
            failedInARow = 0;
            Hold(holdMs);
        } else {
            ++failedInARow;
        }
        index = (index + 1) % files.size();
    }
}

void ScreenSaverWindow::DrawFirst(const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files)
        if (ShowPicture(file, false)) return;
}

bool ScreenSaverWindow::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
    switch (msg) {
    case WM_NCDESTROY:
        ended_ = true;
        return false;
    case WM_CLOSE:
        End();
        *result = 0;
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    default:
        return false;
    }
}
