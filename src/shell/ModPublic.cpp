#include "shell/ModPublic.h"

#include "imaging/GdiDIB.h"
#include "platform/DoEvents.h"
#include "platform/GdipHandles.h"
#include "platform/MessageBoxService.h"

#include <memory>

namespace {

struct HintObjects {
    GdipSolidFill HintBackBrush;
    GdipSolidFill HintTextBrush;
    GdipFontFamily HintFontFamily;
    GdipFont HintFont;
    GdipStringFormat HintFormat;
    GdipImage TickImage;
};

std::unique_ptr<HintObjects>& Shared() {
    static std::unique_ptr<HintObjects> objects;
    return objects;
}

} // namespace

int AskSaveChanges(SaveQuestionTarget& target, HWND owner) {
    if (!target.UnsavedEdit()) return SaveAnswer::Cancel;
    // 67: Yes, No and Cancel with the information icon, as the program has always asked.
    const int answer = ShowMessageBox(owner, L"Do you want to save the changes you've made to this image?", L"Save...",
                                      MB_YESNOCANCEL | MB_ICONINFORMATION);
    if (answer == SaveAnswer::Yes) {
        if (!target.AgreeToSaveInPlace() || (!target.SaveInPlace() && !target.SaveAsChosen()))
            return SaveAnswer::Cancel;
        target.RefreshThumSave();
    } else if (answer != SaveAnswer::No) {
        return SaveAnswer::Cancel;
    }
    target.MarkSaved();
    return answer;
}

void WaitMs(int32_t ms) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms > 0 ? ms : 0);
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (!DoEvents()) ::Sleep(1);
    }
}

bool CreateSharedGdipObjects(const std::wstring& dataPath) {
    auto o = std::make_unique<HintObjects>();
    bool ok = GdipCreateSolidFill(0x9632A046u, o->HintBackBrush.put()) == Ok; // ARGB (150, 50, 160, 70)
    ok = GdipCreateSolidFill(0xFFFFFFFFu, o->HintTextBrush.put()) == Ok && ok;
    ok = GdipCreateFontFamilyFromName(L"Microsoft Sans Serif", nullptr, o->HintFontFamily.put()) == Ok && ok;
    if (o->HintFontFamily)
        ok = GdipCreateFont(o->HintFontFamily.get(), 8.0f, FontStyleRegular, UnitPoint, o->HintFont.put()) == Ok && ok;
    ok = GdipCreateStringFormat(0, LANG_NEUTRAL, o->HintFormat.put()) == Ok && ok;
    o->TickImage.reset(LoadImageFromFileCopy(dataPath + L"Tick.png"));
    ok = o->TickImage && ok;
    Shared() = std::move(o);
    return ok;
}

void DeleteSharedGdipObjects() {
    Shared().reset();
}

const wchar_t* ToolHintText(int32_t toolId) {
    switch (toolId) {
    case 1:
        return L"Click and drag a rectangle around the area you want to crop.";
    case 2:
        return L"Adjust the slider at the bottom of your screen until your picture is straight.";
    case 5:
        return L"Click and drag a rectangle around the area you want to card.";
    case 6:
        return L"To adjust color a single picture, drag the mouse picks the color on the color or image.";
    case 7:
        return L"Adjust the slider at the bottom of your screen until your picture is brighten or darkle.";
    case 9:
        return L"Click and drag a rectangle around the red area.";
    case 11:
        return L"To adjust a single picture, drag the zoom slider to the right.";
    case 17:
        return L"Click and drag a rectangle around the area you want to rectangular marquee.";
    case 37:
        return L"To irradiation a single picture, Drag the mouse to the area you want to appear in irradiation.";
    case 38:
        return L"Currently process of Undo or Redo, Undo and Redo button of the click screen bottom.";
    case 41:
        return L"Before click Apply button, please click's right button merge the select area.";
    case 42:
        return L"Click and drag a ellipse around the area you want to elliptical marquee.";
    default:
        return L"";
    }
}

void DrawToolHint(HDC dc, int32_t toolId, float width) {
    const HintObjects* o = Shared().get();
    GdipGraphics g;
    if (!o || GdipCreateFromHDC(dc, g.put()) != Ok) return;
    GdipSetTextRenderingHint(g.get(), TextRenderingHintSystemDefault);
    if (o->HintBackBrush) GdipFillRectangle(g.get(), o->HintBackBrush.get(), 2, 2, width, 20);
    if (o->TickImage) GdipDrawImageRectI(g.get(), o->TickImage.get(), 5, 3, 16, 16);
    const std::wstring text = ToolHintText(toolId);
    if (!text.empty() && o->HintFont && o->HintFormat && o->HintTextBrush) {
        const RectF layout{25, 5, 600, 20};
        GdipDrawString(g.get(), text.c_str(), static_cast<INT>(text.size()), o->HintFont.get(), &layout,
                       o->HintFormat.get(), reinterpret_cast<GpBrush*>(o->HintTextBrush.get()));
    }
}
