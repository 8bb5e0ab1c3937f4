#include "editor/OutsideEffect.h"

#include "editor/ThirdOCX.h"
#include "editor/UndoHistory.h"
#include "imaging/GdiDIB.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

namespace {

// Deletes the hand-over file however the round trip ends.
struct HandOverGuard {
    std::wstring path;
    ~HandOverGuard() { ::DeleteFileW(path.c_str()); }
};

// The engine's part: load the file, apply the effect, write it back.
bool ApplyInFile(int32_t effect, const std::wstring& path) {
    ThirdOCX engine;
    if (!engine.LoadImage(path)) return false;
    switch (effect) {
    case 12:
        engine.Blur();
        break;
    case 13:
        engine.Sharpen();
        break;
    case 14:
        engine.Soften();
        break;
    case 15:
        engine.Antialias();
        break;
    case 16:
        engine.Ripple(kRippleAmount);
        break;
    default:
        return false;
    }
    return engine.SaveImage(path);
}

} // namespace

std::wstring HandOverFile() {
    return App().DataPath + L"Thirdtempbmp.png";
}

GdipBitmap RunOutsideEffect(int32_t effect, GpImage* shown, float width, float height) {
    if (!IsOutsideEffect(effect) || !shown) return {};
    const int32_t w = RoundHalfEven(width), h = RoundHalfEven(height);
    const HandOverGuard guard{HandOverFile()};
    // The shown picture, not the previous step's file: from the 51st step on that file is older
    // than what is shown.
    {
        ThirdOCX handOver;
        if (!handOver.LoadPicture(shown) || !handOver.SaveImage(guard.path)) return {};
    }
    if (!ApplyInFile(effect, guard.path)) return {};
    GdiDIB result;
    if (!result.Import(guard.path) || RoundHalfEven(result.Width()) != w || RoundHalfEven(result.Height()) != h)
        return {};
    return FullCopy(result.DIB());
}
