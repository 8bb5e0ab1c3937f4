// Every message box of the program goes through here, so that tests can answer them: while an
// answerer is installed no window appears and the answerer's result is returned.
#pragma once

#include "platform/ScopedOverride.h"

#include <windows.h>

#include <functional>
#include <string>

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT type = MB_OK; // the MessageBoxW flags: buttons and icon
};

// The buttons of a question asked once per file of a batch, which MessageBoxW has no form for: Yes,
// Yes to All, No and Cancel, as the system's own copy question offers them. The answer is IDYES,
// kIdYesToAll, IDNO or IDCANCEL (also for Escape and the close box). Its bits include MB_YESNO, so
// an answerer that tells yes-or-no questions by that flag answers it as one.
constexpr UINT kMbYesYesToAllNoCancel = 0x7;
constexpr int kIdYesToAll = 20;

// Shows the box (or asks the installed answerer) and returns the button pressed: IDOK, IDYES...
int ShowMessageBox(const MessageBoxRequest& request);
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

using MessageBoxAnswerer = std::function<int(const MessageBoxRequest&)>;

// Installs an answerer for its lifetime and puts the previous one back afterwards.
class ScopedMessageBoxAnswerer : public ScopedOverride<MessageBoxAnswerer> {
public:
    explicit ScopedMessageBoxAnswerer(MessageBoxAnswerer answerer);
};
