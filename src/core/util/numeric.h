#pragma once
// Exact widths with no silent wrap: every narrowing and every sum that can
// leave its field goes through here and fails with "Overflow".
#include "util/failure.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace gf {

template <class T> T narrow(long double v) {
    if (!(v >= static_cast<long double>(std::numeric_limits<T>::min()) &&
          v <= static_cast<long double>(std::numeric_limits<T>::max())))
        fail(kOverflow);
    return static_cast<T>(v);
}

template <class T> T narrow(int64_t v) {
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) fail(kOverflow);
    return static_cast<T>(v);
}

// Halves go to the even neighbour (2.5 -> 2, 3.5 -> 4).
template <class T = int32_t> T roundEven(double v) {
    return narrow<T>(static_cast<long double>(std::nearbyint(v)));
}

template <class T = int32_t> T floorTo(double v) {
    return narrow<T>(static_cast<long double>(std::floor(v)));
}

inline int32_t add32(int32_t a, int64_t b) {
    return narrow<int32_t>(static_cast<int64_t>(a) + b);
}
inline int32_t sub32(int32_t a, int64_t b) {
    return narrow<int32_t>(static_cast<int64_t>(a) - b);
}
inline int32_t mul32(int32_t a, int64_t b) {
    long double p = static_cast<long double>(a) * static_cast<long double>(b);
    return narrow<int32_t>(p);
}

// A decimal number as the data files write it. Anything else is a failure
// with a description a level author can act on.
double parseNumber(const std::string& text);

} // namespace gf
