// Owners for GDI+ objects and GDI handles: each deletes what it holds exactly once, gives it up
// only through release(), and cannot be copied.
#pragma once

#include "platform/Gdip.h"

#include <utility>

// Deleter is the platform's own release call (its result is of no use once the handle is gone); a
// derived GDI+ type (a bitmap, a solid fill) goes to the call for its base.
template <typename T, auto Deleter> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    [[nodiscard]] T get() const { return handle_; }
    explicit operator bool() const { return handle_ != T{}; }
    // For out-parameters of creating calls: frees what is held, then hands out the slot.
    T* put() {
        reset();
        return &handle_;
    }
    [[nodiscard]] T release() { return std::exchange(handle_, T{}); }
    void reset(T handle = T{}) {
        T old = std::exchange(handle_, handle);
        if (old != T{} && old != handle) Deleter(old);
    }

private:
    T handle_{};
};

using GdipImage = UniqueHandle<GpImage*, GdipDisposeImage>;
using GdipBitmap = UniqueHandle<GpBitmap*, GdipDisposeImage>;
using GdipGraphics = UniqueHandle<GpGraphics*, GdipDeleteGraphics>;
using GdipBrush = UniqueHandle<GpBrush*, GdipDeleteBrush>;
using GdipSolidFill = UniqueHandle<GpSolidFill*, GdipDeleteBrush>;
using GdipLineGradient = UniqueHandle<GpLineGradient*, GdipDeleteBrush>;
using GdipPathGradient = UniqueHandle<GpPathGradient*, GdipDeleteBrush>;
using GdipTexture = UniqueHandle<GpTexture*, GdipDeleteBrush>;
using GdipPen = UniqueHandle<GpPen*, GdipDeletePen>;
using GdipPath = UniqueHandle<GpPath*, GdipDeletePath>;
using GdipRegion = UniqueHandle<GpRegion*, GdipDeleteRegion>;
using GdipMatrix = UniqueHandle<GpMatrix*, GdipDeleteMatrix>;
using GdipFont = UniqueHandle<GpFont*, GdipDeleteFont>;
using GdipFontFamily = UniqueHandle<GpFontFamily*, GdipDeleteFontFamily>;
using GdipStringFormat = UniqueHandle<GpStringFormat*, GdipDeleteStringFormat>;
using GdipImageAttributes = UniqueHandle<GpImageAttributes*, GdipDisposeImageAttributes>;

using UniqueGdiObject = UniqueHandle<HGDIOBJ, ::DeleteObject>;
using UniqueHBitmap = UniqueHandle<HBITMAP, ::DeleteObject>;
using UniqueDc = UniqueHandle<HDC, ::DeleteDC>;
using UniqueIcon = UniqueHandle<HICON, ::DestroyIcon>;
using UniqueRegKey = UniqueHandle<HKEY, ::RegCloseKey>;
using UniqueHGlobal = UniqueHandle<HGLOBAL, ::GlobalFree>;

// A file search; made from FindFirstFile's result, whose failure value (INVALID_HANDLE_VALUE)
// holds nothing.
class UniqueFind : public UniqueHandle<HANDLE, ::FindClose> {
public:
    explicit UniqueFind(HANDLE h) : UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};

// A file handle; INVALID_HANDLE_VALUE and null both mean none.
class UniqueFile {
public:
    UniqueFile() = default;
    explicit UniqueFile(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~UniqueFile() { reset(); }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    UniqueFile(UniqueFile&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueFile& operator=(UniqueFile&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    [[nodiscard]] HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset() {
        if (h_) ::CloseHandle(std::exchange(h_, nullptr));
    }

private:
    HANDLE h_ = nullptr;
};

// Selects an object into a DC for one scope and puts the previous one back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelectObject() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's DC from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    [[nodiscard]] HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};
