#pragma once
#include "platform/canvas.h"

#include <cstdint>
#include <string>

namespace gf {

inline constexpr int kMessageLines = 20;
inline constexpr int kDamageNumbers = 20;

struct Message {
    bool inUse = false;
    std::string text;
    int32_t color = 0;
    float time = 0;
};

struct DamageNumber {
    bool inUse = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t amount = 0;
    float time = 0;
};

} // namespace gf
