#pragma once

#include <cstdint>

namespace gloamfell::tools {

// Our own generator so that the committed assets are reproducible on every
// platform and standard library.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

    // Uniform integer in [0, n).
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

// Stateless hash noise: the same (x, y, seed) always gives the same value.
inline double hashNoise(int x, int y, std::uint64_t seed) {
    Rng r(seed ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) ^
          static_cast<std::uint32_t>(y) * 0x9E3779B1u);
    return r.unit();
}

} // namespace gloamfell::tools
