// The canvas's whole-image effects that go through the effect engine: the shown picture is handed
// over in the file "Datas\Thirdtempbmp.png", the engine applies the effect and writes the file
// back, and the result becomes the new step.
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

// The hand-over file under the program folder; it exists only during one effect.
[[nodiscard]] std::wstring HandOverFile();

// The shown image (width x height) with the effect applied, as a new step; empty when the mode is
// not one of the engine's or a stage of the round trip failed. The hand-over file is gone
// afterwards either way.
[[nodiscard]] GdipBitmap RunOutsideEffect(int32_t effect, GpImage* shown, float width, float height);
