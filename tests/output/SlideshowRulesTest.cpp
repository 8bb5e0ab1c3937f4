// The slideshow's arithmetic and the screen saver's command line, case by case.
#include "output/ScreenSaverWindow.h"
#include "output/SlideshowRules.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(SlideshowRules, FadeStepBySizeAndItsAlphas) {
    struct Case {
        float w, h;
        int32_t step;
    };
    const Case cases[] = {
        {0, 0, 21},      {300, 300, 20},  {299, 1000, 21}, {1300, 1300, 20}, {1301, 300, 30},
        {300, 2000, 30}, {2001, 300, 50}, {2500, 100, 51}, {100, 2500, 51},  {6000, 4000, 50},
    };
    for (const Case& c : cases) EXPECT_EQ(FadeStep(c.w, c.h), c.step) << c.w << " x " << c.h;

    EXPECT_EQ(FadeAlphas(21), (std::vector<int32_t>{100, 121, 142, 163, 184, 205, 226, 247}));
    EXPECT_EQ(FadeAlphas(51), (std::vector<int32_t>{100, 151, 202, 253}));
    EXPECT_EQ(FadeAlphas(155), (std::vector<int32_t>{100, 255})); // 255 itself is a step
    EXPECT_EQ(FadeAlphas(156), (std::vector<int32_t>{100}));
    EXPECT_TRUE(FadeAlphas(0).empty());
}

TEST(SlideshowRules, IndexesWrapByTimerAndStopAtTheEndsByButton) {
    struct Case {
        int32_t index, count, wrap, back, next;
    };
    const Case cases[] = {
        {0, 3, 1, 0, 1}, {1, 3, 2, 0, 2}, {2, 3, 0, 1, 2}, {0, 1, 0, 0, 0}, {0, 0, 0, 0, 0}, {5, 3, 0, 4, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapNext(c.index, c.count), c.wrap) << c.index << " of " << c.count;
        EXPECT_EQ(BackIndex(c.index), c.back) << c.index;
        EXPECT_EQ(NextIndex(c.index, c.count), c.next) << c.index << " of " << c.count;
    }
}

TEST(SlideshowRules, DelayLimitsAndText) {
    const int32_t starts[][2] = {{0, 1000},    {2500, 2500}, {1000, 1000}, {999, 1000},
                                 {8000, 8000}, {8001, 8000}, {-1, 1000},   {0x7FFFFFFF, 8000}};
    for (const auto& row : starts) EXPECT_EQ(StartSpeed(row[0]), row[1]) << row[0];
    struct Case {
        int32_t speed, slower, longer;
        const wchar_t* text;
    };
    const Case cases[] = {
        {1000, 1000, 2000, L"1 Seconds"},  {2000, 1000, 3000, L"2 Seconds"},   {2500, 1500, 3500, L"2.5 Seconds"},
        {1500, 500, 2500, L"1.5 Seconds"}, {7500, 6500, 8000, L"7.5 Seconds"}, {8000, 7000, 8000, L"8 Seconds"},
        {9000, 8000, 8000, L"9 Seconds"},  {1250, 250, 2250, L"1.25 Seconds"}, {1001, 1, 2001, L"1.001 Seconds"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SlowerSpeed(c.speed), c.slower) << c.speed;
        EXPECT_EQ(LongerSpeed(c.speed), c.longer) << c.speed;
        EXPECT_EQ(SpeedText(c.speed), c.text) << c.speed;
    }
}

TEST(SlideshowRules, OnlyAMoveRightOrDownBeyondThreePixelsBringsTheBar) {
    struct Case {
        float dx, dy;
        bool bar;
    };
    const Case cases[] = {{0, 0, false},    {3, 3, false},    {4, 0, true},    {0, 4, true},  {3.5f, 0, true},
                          {-500, 0, false}, {0, -500, false}, {-500, 4, true}, {10, 10, true}};
    for (const Case& c : cases)
        EXPECT_EQ(MoveBringsBar(100, 200, 100 + c.dx, 200 + c.dy), c.bar) << c.dx << "," << c.dy;
}

TEST(SlideshowRules, EmptyEntriesAreNeitherShownNorCounted) {
    EXPECT_EQ(NonEmptyPaths({L"", L"a", L"", L"b"}), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_TRUE(ShowsSelection({L"a", L"b"}));
    EXPECT_FALSE(ShowsSelection({L"a", L""}));
    EXPECT_FALSE(ShowsSelection({L"a"}));
    EXPECT_FALSE(ShowsSelection({}));
}

TEST(ScreenSaverCommand, ModesAndPreviewWindow) {
    struct Case {
        const wchar_t* line;
        ScrMode mode;
        uintptr_t parent;
    };
    const Case cases[] = {
        {L"/s", ScrMode::Show, 0},
        {L"/S", ScrMode::Show, 0},
        {L"-s", ScrMode::Show, 0},
        {L"  /s", ScrMode::Show, 0},
        {L"/p 1234", ScrMode::Preview, 1234},
        {L"/P:99", ScrMode::Preview, 99},
        {L"/p", ScrMode::Configure, 0},
        {L"/p 0", ScrMode::Configure, 0},
        {L"/c", ScrMode::Configure, 0},
        {L"/c:77", ScrMode::Configure, 0},
        {L"", ScrMode::Configure, 0},
        {L"/sx", ScrMode::Configure, 0},
        {L"s", ScrMode::Configure, 0},
    };
    for (const Case& c : cases) {
        const ScrCommand command = ParseScrCommand(c.line);
        EXPECT_EQ(command.mode, c.mode) << Narrow(c.line);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(command.previewParent), c.parent) << Narrow(c.line);
    }
}
