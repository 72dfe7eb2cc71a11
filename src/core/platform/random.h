#pragma once

namespace gf {

// The game's one random generator.
class Random {
public:
    virtual ~Random() = default;
    virtual void seed(float value) = 0;
    // 0 <= r < 1, never 1.
    virtual float next() = 0;
};

} // namespace gf
