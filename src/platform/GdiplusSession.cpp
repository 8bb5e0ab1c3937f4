#include "platform/GdiplusSession.h"

GdiplusSession::GdiplusSession() {
    // Version 1 of the flat interface asked for by name; no debug callback, GDI+'s own background
    // thread, every codec (the other fields zero).
    GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    status_ = GdiplusStartup(&token_, &input, nullptr);
    if (status_ != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_ != 0) GdiplusShutdown(token_);
}
