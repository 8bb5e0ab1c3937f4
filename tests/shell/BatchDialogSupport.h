// The main window's batch dialog as a person uses it in the shell's window tests: its skin from the
// build's art, its buttons clicked on its face, its stamp-name question answered.
#pragma once

#include "output/FrmShells.h"
#include "platform/AppState.h"
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <string>
#include <utility>

// The batch dialog's skin from the build's art, as the program takes it from its resources, while
// this lives.
class ScopedBuildSkinSheet {
public:
    ScopedBuildSkinSheet() {
        const std::wstring sheet = ExecutableFolder() + L"..\\art\\MAINSKIN.bmp";
        FrmShells::SetSkinSheetLoader([sheet] {
            return UniqueHBitmap(static_cast<HBITMAP>(
                ::LoadImageW(nullptr, sheet.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        });
    }
    ~ScopedBuildSkinSheet() { FrmShells::SetSkinSheetLoader({}); }
    ScopedBuildSkinSheet(const ScopedBuildSkinSheet&) = delete;
    ScopedBuildSkinSheet& operator=(const ScopedBuildSkinSheet&) = delete;
};

// A click on a button of the batch dialog, as the system sends it to the dialog's face.
inline void ClickShellsButton(FrmShells& form, int32_t index) {
    const RectF r = form.ButtonRect(index);
    const LPARAM at = MAKELPARAM(static_cast<int>(r.X + r.Width / 2), static_cast<int>(r.Y + r.Height / 2));
    const HWND face = form.Surface().hWnd();
    ::SendMessageW(face, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (::IsWindow(face)) ::SendMessageW(face, WM_LBUTTONUP, 0, at);
}

// Answers the stamp-name dialog of the main window once it shows, as a person would: the name
// typed into its box and OK clicked.
class StampNameAnswer {
public:
    StampNameAnswer(FrmShells& shells, std::wstring name) {
        shells_ = &shells;
        name_ = std::move(name);
        timer_ = ::SetTimer(nullptr, 0, 50, &StampNameAnswer::Tick);
    }
    ~StampNameAnswer() {
        ::KillTimer(nullptr, timer_);
        shells_ = nullptr;
    }
    StampNameAnswer(const StampNameAnswer&) = delete;
    StampNameAnswer& operator=(const StampNameAnswer&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!shells_ || !shells_->Loaded() || !::IsWindowVisible(shells_->TextControlWindow())) return;
        for (wchar_t ch : name_) ::SendMessageW(shells_->TextControlWindow(), WM_CHAR, ch, 0);
        const RectF ok = shells_->ButtonRect(FrmShells::kOK);
        for (float y = ok.Y; y < ok.Y + ok.Height; y += 2)
            for (float x = ok.X; x < ok.X + ok.Width; x += 2) {
                if (shells_->HitButton(x, y) != FrmShells::kOK) continue;
                const HWND face = shells_->Surface().hWnd();
                const LPARAM at = MAKELPARAM(static_cast<int>(x), static_cast<int>(y));
                shells_ = nullptr; // answered once
                ::SendMessageW(face, WM_MOUSEMOVE, 0, at);
                ::SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, at);
                if (::IsWindow(face)) ::SendMessageW(face, WM_LBUTTONUP, 0, at);
                return;
            }
    }
    static inline FrmShells* shells_ = nullptr;
    static inline std::wstring name_;
    UINT_PTR timer_ = 0;
};
