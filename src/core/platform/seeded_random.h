#pragma once
// The generator both front ends use. Built from 24 random bits so a draw is
// exactly representable as a float and always strictly below 1.
#include "platform/random.h"

#include <cstdint>
#include <random>

namespace gf {

class SeededRandom : public Random {
public:
    void seed(float value) override;
    void seedWhole(uint64_t value) { engine_.seed(value); }
    float next() override { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }

private:
    std::mt19937 engine_{0};
};

} // namespace gf
