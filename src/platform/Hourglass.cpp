#include "platform/Hourglass.h"

namespace {
int g_depth = 0;
}

Hourglass::Hourglass() {
    previous_ = ::SetCursor(Cursor());
    ++g_depth;
}

Hourglass::~Hourglass() {
    if (--g_depth == 0) {
        ::SetCursor(previous_);
    }
}

bool Hourglass::Active() {
    return g_depth > 0;
}

HCURSOR Hourglass::Cursor() {
    return ::LoadCursorW(nullptr, IDC_WAIT);
}
