#pragma once
#include <cstdint>

namespace gf {
struct Game;

namespace Key {
inline constexpr int16_t Backspace = 8;
inline constexpr int16_t Tab = 9;
inline constexpr int16_t Return = 13;
inline constexpr int16_t Pause = 19;
inline constexpr int16_t Escape = 27;
inline constexpr int16_t Space = 32;
inline constexpr int16_t PageUp = 33;
inline constexpr int16_t PageDown = 34;
inline constexpr int16_t End = 35;
inline constexpr int16_t Home = 36;
inline constexpr int16_t Left = 37;
inline constexpr int16_t Up = 38;
inline constexpr int16_t Right = 39;
inline constexpr int16_t Down = 40;
inline constexpr int16_t Insert = 45;
inline constexpr int16_t Delete = 46;
// Letters and digits are their ASCII capitals and digits.
inline constexpr int16_t A = 65;
inline constexpr int16_t M = 77;
inline constexpr int16_t O = 79;
inline constexpr int16_t P = 80;
// The keypad's digits, while NumLock makes them digits.
inline constexpr int16_t Num0 = 96;
inline constexpr int16_t Num1 = 97;
inline constexpr int16_t Num2 = 98;
inline constexpr int16_t Num3 = 99;
inline constexpr int16_t Num4 = 100;
inline constexpr int16_t Num6 = 102;
inline constexpr int16_t Num8 = 104;
inline constexpr int16_t F1 = 112;
inline constexpr int16_t Comma = 188;
inline constexpr int16_t Period = 190;
} // namespace Key

// The shift state's bits.
inline constexpr int16_t kShiftMask = 1;
inline constexpr int16_t kCtrlMask = 2;
inline constexpr int16_t kAltMask = 4;

// The shift state comes along but keys act the same with or without it.
void Form_KeyDown(Game& g, int16_t keyCode, int16_t shift);

} // namespace gf
