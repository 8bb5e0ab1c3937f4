#include "imaging/RandomSource.h"

float SeededRandom::Next() {
    // The top 24 bits scaled by 2^-24: exact in single precision and always below 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

RandomSource& ProcessRandom() {
    static SeededRandom source;
    return source;
}
