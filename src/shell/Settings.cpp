#include "shell/Settings.h"

#include "shell/ModyzReg.h"

#include <algorithm>

namespace {

void Read(HKEY root, const std::wstring& key, const wchar_t* name, int32_t& into) {
    if (auto v = RegGetDword(root, key, name)) into = *v;
}

void Read(HKEY root, const std::wstring& key, const wchar_t* name, std::wstring& into) {
    if (auto v = RegGetString(root, key, name)) into = *v;
}

// 0 keeps the value's default (a first start of an earlier version stored 0); anything else is
// brought into [low, high].
int32_t Limited(int32_t stored, int32_t fallback, int32_t low, int32_t high) {
    return stored == 0 ? fallback : std::clamp(stored, low, high);
}

} // namespace

StoredSettings ReadSettings(HKEY root, const std::wstring& key) {
    StoredSettings s;
    Read(root, key, L"isMax", s.isMax);
    Read(root, key, L"SplitlvTop", s.SplitlvTop);
    Read(root, key, L"SplitVTop", s.SplitVTop);
    Read(root, key, L"SplitHLeft", s.SplitHLeft);
    Read(root, key, L"SlideSpeed", s.SlideSpeed);
    s.Fitmode = RegGetDword(root, key, L"Fitmode").value_or(0) == 1;
    Read(root, key, L"ArrangeString", s.ArrangeString);
    Read(root, key, L"oldThumTop", s.oldThumTop);
    Read(root, key, L"Quilaty", s.Quilaty);
    Read(root, key, L"Textcolor", s.Textcolor);
    Read(root, key, L"ThumSizeMenu", s.ThumSizeMenu);
    Read(root, key, L"ThumWidth", s.ThumWidth);
    Read(root, key, L"ThumHeight", s.ThumHeight);
    Read(root, key, L"LineMenu", s.LineMenu);
    using namespace SettingsLimits;
    s.SlideSpeed = Limited(s.SlideSpeed, 0, SlideSpeedMin, SlideSpeedMax);
    s.ThumWidth = Limited(s.ThumWidth, SettingsDefaults::ThumSize, ThumSizeMin, ThumSizeMax);
    s.ThumHeight = Limited(s.ThumHeight, SettingsDefaults::ThumSize, ThumSizeMin, ThumSizeMax);
    return s;
}

bool WriteSettings(HKEY root, const std::wstring& key, const StoredSettings& s) {
    bool ok = true;
    auto dword = [&](const wchar_t* name, int32_t v) { ok = RegSaveDword(root, key, name, v) && ok; };
    auto text = [&](const wchar_t* name, const std::wstring& v) { ok = RegSaveString(root, key, name, v) && ok; };
    // One line a stored value (ReadSettings reads them alike), in the order the key has always been written.
    text(L"CurrentDirectory", s.CurrentDirectory);
    dword(L"SplitlvTop", s.SplitlvTop);
    dword(L"SplitVTop", s.SplitVTop);
    dword(L"SplitHLeft", s.SplitHLeft);
    dword(L"isMax", s.isMax);
    dword(L"OldX", s.OldX);
    dword(L"OldY", s.OldY);
    dword(L"OldW", s.OldW);
    dword(L"OldH", s.OldH);
    dword(L"SlideSpeed", s.SlideSpeed);
    dword(L"Fitmode", s.Fitmode ? 1 : 0);
    text(L"ArrangeString", s.ArrangeString);
    dword(L"oldThumTop", s.oldThumTop);
    dword(L"Quilaty", s.Quilaty);
    dword(L"Textcolor", s.Textcolor);
    text(L"ThumSizeMenu", s.ThumSizeMenu);
    dword(L"ThumWidth", s.ThumWidth);
    dword(L"ThumHeight", s.ThumHeight);
    text(L"LineMenu", s.LineMenu);
    return ok;
}
