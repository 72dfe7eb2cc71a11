#pragma once
#include <cstdint>
#include <string>

namespace gf {

inline constexpr int kMessageLines = 20;
inline constexpr int kDamageNumbers = 20;

inline constexpr uint32_t kYellow = 65535;
inline constexpr uint32_t kGreen = 65280;
inline constexpr uint32_t kBlue = 16711680;
inline constexpr uint32_t kRed = 255;
inline constexpr uint32_t kBlack = 0;

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
