// Clipboard copy and paste of images, and the stamp files.
#include "imaging/ClipboardStamp.h"

#include "imaging/DIBsave.h"
#include "imaging/EffectBuffers.h"
#include "imaging/ModGDI.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"
#include "platform/AppState.h"
#include "platform/GdipHandles.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cwctype>

namespace {

// EmptyClipboard after OpenClipboard(nullptr) leaves the clipboard without an owner, and
// SetClipboardData then fails on Windows: a hidden message-only window owns what we put there.
HWND ClipboardOwner() {
    static HWND owner = [] {
        return ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr),
                                 nullptr);
    }();
    return owner;
}

// Another program may hold the clipboard for a moment; a few short retries ride that out.
bool OpenClipboardBriefly(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(10);
    }
    return false;
}

class ClipboardOpen {
public:
    explicit ClipboardOpen(HWND owner) : open_(OpenClipboardBriefly(owner)) {}
    ~ClipboardOpen() {
        if (open_) ::CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    [[nodiscard]] bool ok() const { return open_; }

private:
    bool open_;
};

bool DrawStamp(GpImage* image, int32_t w, int32_t h, GpImage* formatSource, bool highQuality,
               const std::wstring& path) {
    if (!image || w <= 0 || h <= 0) return false;
    DIBsave stamp;
    if (!stamp.CreateBlankMemory(h, w, formatSource, false, highQuality) || !stamp.MemGraphics) return false;
    if (GdipDrawImageRect(stamp.MemGraphics, image, 0, 0, static_cast<REAL>(w), static_cast<REAL>(h)) != Ok)
        return false;
    return stamp.Save(path, kFormatPng, 90);
}

bool IsReservedDeviceName(const std::wstring& name) {
    // The device names hold whatever follows a dot too ("NUL.txt" is the null device).
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    base = FoldCase(base);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (base == device) return true;
    if (base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) && base[3] >= L'0' &&
        base[3] <= L'9')
        return true;
    return false;
}

} // namespace

bool CopyImageToClipboard(GpImage* image, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!image || w <= 0 || h <= 0) return false;
    const HWND desktop = ::GetDesktopWindow();
    WindowDc screen(desktop);
    if (!screen.get()) return false;
    UniqueDc memory(::CreateCompatibleDC(screen.get()));
    if (!memory) return false;
    UniqueHBitmap bitmap(::CreateCompatibleBitmap(screen.get(), w, h));
    if (!bitmap) return false;
    {
        ScopedSelectObject select(memory.get(), bitmap.get());
        GdipGraphics surface;
        if (GdipCreateFromHDC(memory.get(), surface.put()) != Ok) return false;
        if (GdipDrawImageRect(surface.get(), image, static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(w),
                              static_cast<REAL>(h)) != Ok)
            return false;
    }
    // Everything is ready before the clipboard is emptied: a failure above leaves it as it was.
    ClipboardOpen clipboard(ClipboardOwner());
    if (!clipboard.ok() || !::EmptyClipboard()) return false;
    // The clipboard owns the bitmap once SetClipboardData has taken it.
    if (!::SetClipboardData(CF_BITMAP, bitmap.get())) return false;
    (void)bitmap.release();
    return true;
}

bool PasteClipboardImage(GdipImage& image, int32_t& w, int32_t& h) {
    GdiDIB& kept = ClipboardImage();
    kept.Destroy();
    image.reset();
    w = h = 0;
    if (!::IsClipboardFormatAvailable(CF_BITMAP)) return false;
    ClipboardOpen clipboard(ClipboardOwner());
    if (!clipboard.ok()) return false;
    const auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    if (!bitmap) return false;
    const HPALETTE palette =
        ::IsClipboardFormatAvailable(CF_PALETTE) ? static_cast<HPALETTE>(::GetClipboardData(CF_PALETTE)) : nullptr;
    // GDI+ copies the pixels: the clipboard keeps its own bitmap.
    GdipBitmap pasted;
    if (GdipCreateBitmapFromHBITMAP(bitmap, palette, pasted.put()) != Ok || !pasted) return false;
    UINT width = 0, height = 0;
    GdipGetImageWidth(pasted.get(), &width);
    GdipGetImageHeight(pasted.get(), &height);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
    GdipImage own;
    if (GdipCloneImage(pasted.get(), own.put()) != Ok) return false;
    kept.SetDIB(pasted.release());
    kept.SetWidth(static_cast<float>(width));
    kept.SetHeight(static_cast<float>(height));
    image = std::move(own);
    w = static_cast<int32_t>(width);
    h = static_cast<int32_t>(height);
    return true;
}

std::wstring StampTempPath() {
    return AddBackslash(App().AppFolder) + L"Librarians\\Stamptemp.tmp";
}

std::wstring StampLibPath(const std::wstring& name) {
    return AddBackslash(App().AppFolder) + L"Librarians\\" + name + L".lib";
}

bool IsValidStampName(const std::wstring& name) {
    // 255 characters per name component, ".lib" included.
    if (name.empty() || name.size() > 251) return false;
    for (wchar_t c : name)
        if (c < 32 || std::wcschr(L"\\/:*?\"<>|", c)) return false;
    if (name == L"." || name == L"..") return false;
    if (name.find_first_not_of(L" .") == std::wstring::npos) return false;
    return !IsReservedDeviceName(name);
}

bool SaveStampTemp(bool usePasted, GpImage* image, int32_t w, int32_t h) {
    if (usePasted) {
        const GdiDIB& pasted = ClipboardImage();
        return DrawStamp(pasted.DIB(), RoundHalfEven(pasted.Width()), RoundHalfEven(pasted.Height()), nullptr, true,
                         StampTempPath());
    }
    return DrawStamp(image, w, h, nullptr, true, StampTempPath());
}

bool SaveStampLib(GpImage* image, int32_t w, int32_t h, const std::wstring& name) {
    if (!IsValidStampName(name)) return false;
    return DrawStamp(image, w, h, image, false, StampLibPath(name));
}
