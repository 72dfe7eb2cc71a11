#pragma once
#include <cstdint>

namespace gf {
struct Game;

namespace Key {
inline constexpr int16_t Pause = 19;
inline constexpr int16_t Escape = 27;
inline constexpr int16_t Space = 32;
inline constexpr int16_t PageUp = 33;
inline constexpr int16_t Home = 36;
inline constexpr int16_t Left = 37;
inline constexpr int16_t Up = 38;
inline constexpr int16_t Right = 39;
inline constexpr int16_t Down = 40;
inline constexpr int16_t Insert = 45;
inline constexpr int16_t A = 65;
inline constexpr int16_t M = 77;
inline constexpr int16_t O = 79;
inline constexpr int16_t P = 80;
inline constexpr int16_t Num0 = 96;
inline constexpr int16_t Comma = 188;
inline constexpr int16_t Period = 190;
} // namespace Key

// The shift state comes along but keys act the same with or without it.
void Form_KeyDown(Game& g, int16_t keyCode, int16_t shift);

} // namespace gf
