#include "platform/MessageBoxService.h"

#include <utility>

namespace {
MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}
} // namespace

int ShowMessageBox(const MessageBoxRequest& request) {
    if (Answerer()) return Answerer()(request);
    return ::MessageBoxW(request.owner, request.text.c_str(), request.caption.c_str(), request.type);
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    return ShowMessageBox(MessageBoxRequest{owner, text, caption, type});
}

ScopedMessageBoxAnswerer::ScopedMessageBoxAnswerer(MessageBoxAnswerer answerer)
    : ScopedOverride(Answerer(), std::move(answerer)) {}
