// The decorative random source: one uniform [0, 1) generator per process, started from a fixed
// seed and never reseeded, so the same actions after start give the same particles on every run.
#pragma once

#include <cstdint>
#include <random>

// Where the particle effects take their random values; tests give in a source of their own.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // The next value, uniform in [0, 1).
    virtual float Next() = 0;
};

// The fixed-seed generator. Its sequence depends only on the seed, on every platform and build.
class SeededRandom final : public RandomSource {
public:
    static constexpr uint32_t kFixedSeed = 20240611u;

    explicit SeededRandom(uint32_t seed = kFixedSeed) : engine_(seed) {}
    float Next() override;

private:
    std::mt19937 engine_; // the standard fixes its output sequence, unlike the distributions
};

// The process-wide source; each effect continues its sequence where the previous one left it.
RandomSource& ProcessRandom();
