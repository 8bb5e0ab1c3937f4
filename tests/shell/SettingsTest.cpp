#include "shell/ModyzReg.h"
#include "shell/Settings.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TestSupport.h"

#include <climits>
#include <cstring>
#include <tuple>

using SettingsTest = ScratchKeyTest;

TEST_F(SettingsTest, FirstStartTakesTheWindowsOwnDefaultsWhereZeroWouldBreakIt) {
    const StoredSettings s = ReadSettings(HKEY_CURRENT_USER, key);
    EXPECT_EQ(s.SplitHLeft, 270);
    EXPECT_EQ(s.SplitlvTop, 368);
    EXPECT_EQ(s.SplitVTop, 328);
    EXPECT_EQ(s.ThumWidth, 100);
    EXPECT_EQ(s.ThumHeight, 100);
    EXPECT_EQ(s.ThumSizeMenu, L"Zoom_Normal");
    EXPECT_EQ(s.Quilaty, 9);
    EXPECT_FALSE(s.Fitmode);
    EXPECT_EQ(s.isMax, 0);
    EXPECT_EQ(s.LineMenu, L"");
}

TEST_F(SettingsTest, TheNineteenValuesRoundTripByNameAndType) {
    StoredSettings w;
    w.CurrentDirectory = L"C:\\Фото\\写真"; // outside the code page: stays whole
    w.SplitlvTop = 401, w.SplitVTop = 402, w.SplitHLeft = 403, w.isMax = 1, w.OldX = -15, w.OldY = 30;
    w.OldW = 19200, w.OldH = 15345, w.SlideSpeed = 2500, w.Fitmode = true, w.ArrangeString = L"Arrange_Size";
    w.oldThumTop = 611, w.Quilaty = 7, w.Textcolor = 0x336699, w.ThumSizeMenu = L"Zoom_Large", w.ThumWidth = 140;
    w.ThumHeight = 120, w.LineMenu = L"Line_3";
    ASSERT_TRUE(WriteSettings(HKEY_CURRENT_USER, key, w));

    const std::pair<const wchar_t*, int32_t> dwords[] = {
        {L"SplitlvTop", 401},     {L"SplitVTop", 402}, {L"SplitHLeft", 403}, {L"isMax", 1},
        {L"OldX", -15},           {L"OldY", 30},       {L"OldW", 19200},     {L"OldH", 15345},
        {L"SlideSpeed", 2500},    {L"Fitmode", 1},     {L"oldThumTop", 611}, {L"Quilaty", 7},
        {L"Textcolor", 0x336699}, {L"ThumWidth", 140}, {L"ThumHeight", 120}};
    for (const auto& [name, value] : dwords)
        EXPECT_EQ(RegGetDword(HKEY_CURRENT_USER, key, name), value) << Narrow(name);
    const std::pair<const wchar_t*, std::wstring> texts[] = {{L"CurrentDirectory", w.CurrentDirectory},
                                                             {L"ArrangeString", w.ArrangeString},
                                                             {L"ThumSizeMenu", w.ThumSizeMenu},
                                                             {L"LineMenu", w.LineMenu}};
    for (const auto& [name, value] : texts)
        EXPECT_EQ(RegGetString(HKEY_CURRENT_USER, key, name), value) << Narrow(name);
    // Each of the other type reads as missing; REG_SZ is written with its terminating NUL.
    EXPECT_FALSE(RegGetString(HKEY_CURRENT_USER, key, L"Quilaty"));
    EXPECT_FALSE(RegGetDword(HKEY_CURRENT_USER, key, L"LineMenu"));
    EXPECT_EQ(Raw(L"LineMenu"), std::string("L\0i\0n\0e\0_\0"
                                            "3\0\0\0",
                                            14));

    const StoredSettings r = ReadSettings(HKEY_CURRENT_USER, key);
    EXPECT_EQ(std::tie(r.SplitlvTop, r.SplitVTop, r.SplitHLeft, r.isMax, r.SlideSpeed, r.Fitmode, r.oldThumTop,
                       r.Quilaty, r.Textcolor, r.ThumWidth, r.ThumHeight, r.ArrangeString, r.ThumSizeMenu, r.LineMenu),
              std::tie(w.SplitlvTop, w.SplitVTop, w.SplitHLeft, w.isMax, w.SlideSpeed, w.Fitmode, w.oldThumTop,
                       w.Quilaty, w.Textcolor, w.ThumWidth, w.ThumHeight, w.ArrangeString, w.ThumSizeMenu, w.LineMenu));
}

TEST_F(SettingsTest, FitmodeOtherThanOneReadsOffAndIsWrittenBackAsZero) {
    for (int32_t stored : {2, -1, 0}) {
        ASSERT_TRUE(RegSaveDword(HKEY_CURRENT_USER, key, L"Fitmode", stored));
        const StoredSettings s = ReadSettings(HKEY_CURRENT_USER, key);
        EXPECT_FALSE(s.Fitmode) << stored;
        ASSERT_TRUE(WriteSettings(HKEY_CURRENT_USER, key, s));
        EXPECT_EQ(RegGetDword(HKEY_CURRENT_USER, key, L"Fitmode"), 0);
    }
}

TEST_F(SettingsTest, StringsStoredWithOrWithoutTheirNulAndValuesOfTheOtherType) {
    PutRaw(L"A", REG_SZ, L"abc\0", 8);   // with its NUL
    PutRaw(L"B", REG_SZ, L"abcd", 8);    // without: read whole
    PutRaw(L"C", REG_SZ, L"ab\0cd", 10); // a NUL inside ends the text
    PutRaw(L"D", REG_SZ, "abc", 3);      // an odd byte count
    const DWORD seven = 7;
    PutRaw(L"ThumSizeMenu", REG_DWORD, &seven, 4);
    PutRaw(L"Quilaty", REG_SZ, L"5\0", 4);
    EXPECT_EQ(RegGetString(HKEY_CURRENT_USER, key, L"A"), L"abc");
    EXPECT_EQ(RegGetString(HKEY_CURRENT_USER, key, L"B"), L"abcd");
    EXPECT_EQ(RegGetString(HKEY_CURRENT_USER, key, L"C"), L"ab");
    EXPECT_EQ(RegGetString(HKEY_CURRENT_USER, key, L"D").value_or(L"?").size(), 1u);
    const StoredSettings s = ReadSettings(HKEY_CURRENT_USER, key);
    EXPECT_EQ(s.ThumSizeMenu, L"Zoom_Normal");
    EXPECT_EQ(s.Quilaty, 9);
}

TEST_F(SettingsTest, ThumbnailSizeAndSlideDelayAreBroughtIntoWhatTheCommandsCanSet) {
    // stored -> read back; 0 is an earlier first start and keeps the default (the slideshow makes
    // its 0 a 1000 ms delay).
    const std::pair<int32_t, int32_t> thumb[] = {{60, 60}, {59, 60}, {150, 150},      {151, 150},       {100, 100},
                                                 {0, 100}, {-1, 60}, {INT32_MIN, 60}, {0x7FFFFFFF, 150}};
    const std::pair<int32_t, int32_t> speed[] = {{1000, 1000}, {999, 1000},       {8000, 8000},
                                                 {8001, 8000}, {2500, 2500},      {0, 0},
                                                 {-1, 1000},   {INT32_MIN, 1000}, {0x7FFFFFFF, 8000}};
    for (const auto& [stored, expected] : thumb) {
        ASSERT_TRUE(RegSaveDword(HKEY_CURRENT_USER, key, L"ThumWidth", stored));
        ASSERT_TRUE(RegSaveDword(HKEY_CURRENT_USER, key, L"ThumHeight", stored));
        const StoredSettings s = ReadSettings(HKEY_CURRENT_USER, key);
        EXPECT_EQ(s.ThumWidth, expected) << stored;
        EXPECT_EQ(s.ThumHeight, expected) << stored;
    }
    for (const auto& [stored, expected] : speed) {
        ASSERT_TRUE(RegSaveDword(HKEY_CURRENT_USER, key, L"SlideSpeed", stored));
        EXPECT_EQ(ReadSettings(HKEY_CURRENT_USER, key).SlideSpeed, expected) << stored;
    }
}
