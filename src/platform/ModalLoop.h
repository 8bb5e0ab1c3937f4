// The message loop of a window shown modally over its owner.
#pragma once

#include <windows.h>

#include <functional>

// Pumps this thread's messages while isOpen() holds. preDispatch sees each message first and
// keeps it from dispatch by returning true. A WM_QUIT ends the loop: close() runs, then the quit
// is posted again so the loop above this one ends too.
void RunModalLoop(const std::function<bool()>& isOpen, const std::function<void()>& close,
                  const std::function<bool(const MSG&)>& preDispatch = nullptr);
