#include "platform/GdiplusSession.h"

GdiplusSession::GdiplusSession() {
    GdiplusStartupInput input; // version 1, no debug callback, background thread on
    status_ = GdiplusStartup(&token_, &input, nullptr);
    if (status_ != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_ != 0) GdiplusShutdown(token_);
}
