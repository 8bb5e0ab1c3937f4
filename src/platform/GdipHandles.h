// Owners for GDI+ objects and GDI handles: each deletes what it holds exactly once, gives it up
// only through release(), and cannot be copied.
#pragma once

#include "platform/Gdip.h"

#include <utility>

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

namespace gdip_detail {
inline void DisposeImage(GpImage* p) {
    GdipDisposeImage(p);
}
inline void DisposeBitmap(GpBitmap* p) {
    GdipDisposeImage(p);
}
inline void DeleteGraphics(GpGraphics* p) {
    GdipDeleteGraphics(p);
}
inline void DeleteBrush(GpBrush* p) {
    GdipDeleteBrush(p);
}
inline void DeleteSolidFill(GpSolidFill* p) {
    GdipDeleteBrush(p);
}
inline void DeleteLineGradient(GpLineGradient* p) {
    GdipDeleteBrush(p);
}
inline void DeletePathGradient(GpPathGradient* p) {
    GdipDeleteBrush(p);
}
inline void DeleteTexture(GpTexture* p) {
    GdipDeleteBrush(p);
}
inline void DeletePen(GpPen* p) {
    GdipDeletePen(p);
}
inline void DeletePath(GpPath* p) {
    GdipDeletePath(p);
}
inline void DeleteRegion(GpRegion* p) {
    GdipDeleteRegion(p);
}
inline void DeleteMatrix(GpMatrix* p) {
    GdipDeleteMatrix(p);
}
inline void DeleteFont(GpFont* p) {
    GdipDeleteFont(p);
}
inline void DeleteFontFamily(GpFontFamily* p) {
    GdipDeleteFontFamily(p);
}
inline void DeleteStringFormat(GpStringFormat* p) {
    GdipDeleteStringFormat(p);
}
inline void DisposeImageAttributes(GpImageAttributes* p) {
    GdipDisposeImageAttributes(p);
}
inline void DeleteGdiObject(HGDIOBJ h) {
    ::DeleteObject(h);
}
inline void DeleteBitmapHandle(HBITMAP h) {
    ::DeleteObject(h);
}
inline void DeleteDc(HDC h) {
    ::DeleteDC(h);
}
inline void DestroyIconHandle(HICON h) {
    ::DestroyIcon(h);
}
inline void CloseFileHandle(HANDLE h) {
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
}
inline void CloseRegKey(HKEY h) {
    ::RegCloseKey(h);
}
inline void CloseFind(HANDLE h) {
    ::FindClose(h);
}
inline void FreeGlobal(HGLOBAL h) {
    ::GlobalFree(h);
}
} // namespace gdip_detail

using GdipImage = UniqueHandle<GpImage*, gdip_detail::DisposeImage>;
using GdipBitmap = UniqueHandle<GpBitmap*, gdip_detail::DisposeBitmap>;
using GdipGraphics = UniqueHandle<GpGraphics*, gdip_detail::DeleteGraphics>;
using GdipBrush = UniqueHandle<GpBrush*, gdip_detail::DeleteBrush>;
using GdipSolidFill = UniqueHandle<GpSolidFill*, gdip_detail::DeleteSolidFill>;
using GdipLineGradient = UniqueHandle<GpLineGradient*, gdip_detail::DeleteLineGradient>;
using GdipPathGradient = UniqueHandle<GpPathGradient*, gdip_detail::DeletePathGradient>;
using GdipTexture = UniqueHandle<GpTexture*, gdip_detail::DeleteTexture>;
using GdipPen = UniqueHandle<GpPen*, gdip_detail::DeletePen>;
using GdipPath = UniqueHandle<GpPath*, gdip_detail::DeletePath>;
using GdipRegion = UniqueHandle<GpRegion*, gdip_detail::DeleteRegion>;
using GdipMatrix = UniqueHandle<GpMatrix*, gdip_detail::DeleteMatrix>;
using GdipFont = UniqueHandle<GpFont*, gdip_detail::DeleteFont>;
using GdipFontFamily = UniqueHandle<GpFontFamily*, gdip_detail::DeleteFontFamily>;
using GdipStringFormat = UniqueHandle<GpStringFormat*, gdip_detail::DeleteStringFormat>;
using GdipImageAttributes = UniqueHandle<GpImageAttributes*, gdip_detail::DisposeImageAttributes>;

using UniqueGdiObject = UniqueHandle<HGDIOBJ, gdip_detail::DeleteGdiObject>;
using UniqueHBitmap = UniqueHandle<HBITMAP, gdip_detail::DeleteBitmapHandle>;
using UniqueDc = UniqueHandle<HDC, gdip_detail::DeleteDc>;
using UniqueIcon = UniqueHandle<HICON, gdip_detail::DestroyIconHandle>;
using UniqueRegKey = UniqueHandle<HKEY, gdip_detail::CloseRegKey>;
using UniqueHGlobal = UniqueHandle<HGLOBAL, gdip_detail::FreeGlobal>;

// A file search; made from FindFirstFile's result, whose failure value (INVALID_HANDLE_VALUE)
// holds nothing.
class UniqueFind : public UniqueHandle<HANDLE, gdip_detail::CloseFind> {
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
