#include "output/SlideshowRules.h"

#include <algorithm>

int32_t FadeStep(float width, float height) {
    int32_t step = 20;
    if (width > 1300 || height > 1300) step += 10;
    if (width > 2000 || height > 2000) step += 20;
    if (width < 300 || height < 300) step += 1;
    return step;
}

std::vector<int32_t> FadeAlphas(int32_t step) {
    std::vector<int32_t> alphas;
    if (step < 1) return alphas;
    for (int32_t a = 100; a <= 255; a += step) alphas.push_back(a);
    return alphas;
}

std::vector<std::wstring> NonEmptyPaths(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> kept;
    std::copy_if(paths.begin(), paths.end(), std::back_inserter(kept),
                 [](const std::wstring& p) { return !p.empty(); });
    return kept;
}

bool ShowsSelection(const std::vector<std::wstring>& selection) {
    return NonEmptyPaths(selection).size() >= 2;
}

int32_t WrapNext(int32_t index, int32_t count) {
    return index + 1 >= count ? 0 : index + 1;
}

int32_t BackIndex(int32_t index) {
    return std::max(index, int32_t{1}) - 1;
}

int32_t NextIndex(int32_t index, int32_t count) {
    return std::max(std::min(index + 1, count - 1), int32_t{0});
}

int32_t StartSpeed(int32_t stored) {
    // The screen saver reads the registry itself: a value no command could set is brought into range.
    return stored == 0 ? 1000 : std::clamp(stored, int32_t{1000}, int32_t{8000});
}

int32_t SlowerSpeed(int32_t speed) {
    return speed == 1000 ? 1000 : speed - 1000;
}

int32_t LongerSpeed(int32_t speed) {
    return std::min(speed + 1000, int32_t{8000});
}

std::wstring SpeedText(int32_t speed) {
    // Whole milliseconds: the seconds have at most three decimals, trailing zeros dropped.
    const bool negative = speed < 0;
    const int64_t ms = negative ? -int64_t{speed} : int64_t{speed};
    std::wstring text = std::to_wstring(ms / 1000);
    if (int64_t frac = ms % 1000; frac != 0) {
        std::wstring digits = std::to_wstring(1000 + frac).substr(1);
        while (!digits.empty() && digits.back() == L'0') digits.pop_back();
        text += L"." + digits;
    }
    return (negative ? L"-" : L"") + text + L" Seconds";
}

bool MoveBringsBar(float anchorX, float anchorY, float cursorX, float cursorY) {
    return !(cursorX - anchorX <= 3 && cursorY - anchorY <= 3);
}
