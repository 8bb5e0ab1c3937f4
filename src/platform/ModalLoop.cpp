#include "platform/ModalLoop.h"

void RunModalLoop(const std::function<bool()>& isOpen, const std::function<void()>& close,
                  const std::function<bool(const MSG&)>& preDispatch) {
    MSG message;
    while (isOpen()) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            close();
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0) return;
        if (preDispatch && preDispatch(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}
