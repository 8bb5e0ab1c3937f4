// The system colour dialog as the program runs it (with one custom-colour table for the whole
// run), and the split of an RGB colour into its bytes.
#pragma once

#include "platform/ScopedOverride.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// What the dialog is asked: the owner, the colour it starts at, its flags (CC_ ...) and the
// custom-colour table, which the dialog may change and which is kept for the next call.
struct ColorDialogRequest {
    HWND owner = nullptr;
    COLORREF initial = 0;
    DWORD flags = 0;
    std::array<COLORREF, 16>* customColors = nullptr;
};

// Runs the colour dialog owned by owner, starting at the RGB colour colour; fullOpen also shows
// the custom-colour part. The chosen RGB colour, or -1 when the user cancels or the dialog fails.
// The first call of the run fills the custom colours: two black, fourteen in the button face.
[[nodiscard]] int32_t ShowColorDialog(HWND owner, int32_t colour, bool fullOpen);

// Red from the low byte of an RGB value, green from the second, blue from the third; the top
// byte is ignored.
void SplitRGB(uint32_t colour, uint8_t& red, uint8_t& green, uint8_t& blue);

// Answers the colour dialog instead of the user while installed (tests, scripted runs): the
// answerer gets the request as the dialog would and returns the chosen colour, or nothing for a
// cancel. Puts the previous answerer back when it goes.
using ColorDialogAnswerer = std::function<std::optional<COLORREF>(ColorDialogRequest&)>;
class ScopedColorDialogAnswerer : public ScopedOverride<ColorDialogAnswerer> {
public:
    explicit ScopedColorDialogAnswerer(ColorDialogAnswerer answerer);
};
