// Number conversions of the program: banker's rounding everywhere a float becomes a whole number,
// and conversions that refuse to wrap.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

// Rounds to the nearest whole number, halves to the even neighbour; saturates at the int32 range.
inline int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    double r = std::nearbyint(value); // the default floating-point mode rounds halves to even
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

// The rounded value, or nothing when it does not fit 32 bits (the step that needed it is skipped).
inline std::optional<int32_t> TryRoundHalfEven(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double r = std::nearbyint(value);
    if (r > 2147483647.0 || r < -2147483648.0) return std::nullopt;
    return static_cast<int32_t>(r);
}
