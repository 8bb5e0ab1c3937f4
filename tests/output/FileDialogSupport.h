// Driving the system's open and save dialogs from a second thread while this thread runs the
// dialog's modal loop, as a person's clicks and picks would.
#pragma once

#include "tests/support/TestWindow.h"

#include <windows.h>

#include <dlgs.h>

#include <functional>
#include <thread>

namespace file_dialog_test {

// Runs modal on this thread while actor drives it from a second thread. A quit message left in the
// queue (an earlier test's main window posts one when it goes) would end the dialog at once.
template <typename Modal> void WithActor(const std::function<void()>& actor, Modal modal) {
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    std::thread t(actor);
    modal();
    t.join();
    TestWindow::Pump(50);
}

// The visible file dialog with that title, once its file list is there (null after ten seconds).
inline HWND WaitForDialog(const wchar_t* title) {
    for (int i = 0; i < 200; ++i, ::Sleep(50))
        if (HWND d = ::FindWindowW(L"#32770", title); d && ::IsWindowVisible(d) && ::GetDlgItem(d, lst2)) {
            ::Sleep(400);
            return d;
        }
    return nullptr;
}

inline void Press(HWND dialog, int button) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
}

// Picks a file type in the closed type list, as the combo box reports a pick.
inline void PickType(HWND dialog, int index) {
    const HWND types = ::GetDlgItem(dialog, cmb1);
    ::SendMessageW(types, CB_SETCURSEL, index, 0);
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
    ::Sleep(200);
}

// The text of the name box (a combo box with an edit box in Wine's dialog).
inline std::wstring NameBox(HWND dialog) {
    wchar_t text[MAX_PATH] = L"";
    ::GetDlgItemTextW(dialog, cmb13, text, MAX_PATH);
    return text;
}

} // namespace file_dialog_test
