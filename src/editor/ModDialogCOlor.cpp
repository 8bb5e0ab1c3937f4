#include "editor/ModDialogCOlor.h"

#include "imaging/ModGDI.h"

#include <commdlg.h>

#include <utility>

namespace {

struct ColorDialogState {
    std::array<COLORREF, 16> customColors{};
    bool filled = false;
    ColorDialogAnswerer answerer;
};

ColorDialogState& State() {
    static ColorDialogState state;
    return state;
}

} // namespace

int32_t ShowColorDialog(HWND owner, int32_t colour, bool fullOpen) {
    ColorDialogState& state = State();
    if (!state.filled) {
        // Entries 0 and 1 stay black.
        for (size_t i = 2; i < state.customColors.size(); ++i) state.customColors[i] = ::GetSysColor(COLOR_BTNFACE);
        state.filled = true;
    }
    ColorDialogRequest request;
    request.owner = owner;
    request.initial = static_cast<COLORREF>(colour) & 0xFFFFFF;
    request.flags = CC_RGBINIT | CC_ANYCOLOR | (fullOpen ? CC_FULLOPEN : 0);
    request.customColors = &state.customColors;
    if (state.answerer) {
        const std::optional<COLORREF> chosen = state.answerer(request);
        return chosen ? static_cast<int32_t>(*chosen & 0xFFFFFF) : -1;
    }
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = request.owner;
    choose.rgbResult = request.initial;
    choose.lpCustColors = request.customColors->data();
    choose.Flags = request.flags;
    // Any failure of the dialog counts as a cancel.
    if (!::ChooseColorW(&choose)) return -1;
    return static_cast<int32_t>(choose.rgbResult & 0xFFFFFF);
}

void SplitRGB(uint32_t colour, uint8_t& red, uint8_t& green, uint8_t& blue) {
    // ColorToBytes gives an RGB value's bytes from the low one up.
    const ColorBytes bytes = ColorToBytes(colour);
    red = bytes.first;
    green = bytes.second;
    blue = bytes.third;
}

ScopedColorDialogAnswerer::ScopedColorDialogAnswerer(ColorDialogAnswerer answerer)
    : ScopedOverride(State().answerer, std::move(answerer)) {}
