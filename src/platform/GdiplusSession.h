// The one GDI+ start-up of a process, shut down when its owner ends.
#pragma once

#include "platform/Gdip.h"

class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete; // one start-up, one shut-down
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    [[nodiscard]] bool Ok() const { return status_ == Ok_; }
    [[nodiscard]] ULONG_PTR Token() const { return token_; }

private:
    static constexpr Status Ok_ = Gdiplus::Ok;
    Status status_ = GenericError;
    ULONG_PTR token_ = 0;
};
