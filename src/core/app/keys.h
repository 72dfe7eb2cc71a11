#pragma once
#include <cstdint>

namespace gf {
struct Game;

// The keys the game tells apart, whatever the keyboard calls them. Every other
// key the window passes on is Other, which only ends a pause.
enum class Key : uint8_t {
    Other,
    Up,
    Down,
    Left,
    Right,
    Num1, // the keypad's digits, with NumLock on or off
    Num2,
    Num3,
    Num4,
    Num6,
    Num8,
    Comma,
    Period,
    A,
    M,
    O,
    P,
    Space,
    Insert,
    Pause,
    Escape,
};

// The shift state's bits.
inline constexpr int16_t kShiftMask = 1;
inline constexpr int16_t kCtrlMask = 2;
inline constexpr int16_t kAltMask = 4;

// The shift state comes along but keys act the same with or without it.
void onKeyDown(Game& g, Key key, int16_t shift);

} // namespace gf
