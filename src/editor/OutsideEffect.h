// The canvas's whole-image effects that go through the effect engine: the shown picture is handed
// to the engine in memory, the engine applies the effect, and the result becomes the new step.
// Nothing outside the program reads the hand-over: a file round trip (two writes and two decodes
// of the whole picture) would only add to the user's wait.
#pragma once

#include "platform/GdipHandles.h"

#include <cstdint>
#include <string>

// The effect modes the engine carries out: 12 blur, 13 sharpen, 14 soften, 15 antialias, 16 ripple.
[[nodiscard]] constexpr bool IsOutsideEffect(int32_t effect) {
    return effect >= 12 && effect <= 16;
}

// The ripple amount the canvas asks for.
inline constexpr int32_t kRippleAmount = 10;

// The shown image (width x height) with the effect applied, as a new step; empty when the mode is
// not one of the engine's or the picture could not be handed over (out of memory).
[[nodiscard]] GdipBitmap RunOutsideEffect(int32_t effect, GpImage* shown, float width, float height);
