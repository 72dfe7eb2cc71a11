#pragma once
#include "platform/canvas.h"

#include <cstdint>
#include <string>

namespace gf {

inline constexpr int kMessageLines = 20;
inline constexpr int kDamageNumbers = 20;

struct Message {
    bool InUse = false;
    std::string Text;
    int32_t Color = 0;
    float Time = 0;
};

struct DamageNumber {
    bool InUse = false;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Amount = 0;
    float Time = 0;
};

} // namespace gf
