#include "editor/ModFont.h"

#include "platform/GdipHandles.h"

#include <cwchar>
#include <string>

int CALLBACK AddTrueTypeFace(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD fontType, LPARAM data) {
    auto* fonts = reinterpret_cast<FontListHost*>(data);
    if (!fonts || !logFont || !(fontType & TRUETYPE_FONTTYPE)) return 1;
    const std::wstring face(logFont->lfFaceName, wcsnlen(logFont->lfFaceName, LF_FACESIZE));
    if (face.empty()) return 1;
    for (int32_t i = 0; i < fonts->FontCount(); ++i)
        if (_wcsicmp(fonts->FontAt(i).c_str(), face.c_str()) == 0) return 1;
    fonts->AddFont(face);
    return 1;
}

void AddTrueTypeFaces(FontListHost& fonts) {
    WindowDc screen(nullptr);
    if (!screen.get()) return;
    LOGFONTW filter{};
    filter.lfCharSet = DEFAULT_CHARSET; // every family, every character set
    ::EnumFontFamiliesExW(screen.get(), &filter, reinterpret_cast<FONTENUMPROCW>(&AddTrueTypeFace),
                          reinterpret_cast<LPARAM>(&fonts), 0);
}
