#pragma once
#include <array>
#include <cstdint>

namespace gf {
struct Game;

// Laid out like a numeric keypad with north up.
namespace Direction {
inline constexpr int16_t None = 0;
inline constexpr int16_t SouthWest = 1;
inline constexpr int16_t South = 2;
inline constexpr int16_t SouthEast = 3;
inline constexpr int16_t West = 4;
inline constexpr int16_t Here = 5;
inline constexpr int16_t East = 6;
inline constexpr int16_t NorthWest = 7;
inline constexpr int16_t North = 8;
inline constexpr int16_t NorthEast = 9;
} // namespace Direction

// One of the eight steps: neither None, Here nor a number off the keypad.
constexpr bool isStepDirection(int16_t d) {
    return d >= Direction::SouthWest && d <= Direction::NorthEast && d != Direction::Here;
}

// The eight steps clockwise from north.
inline constexpr std::array<int16_t, 8> kClockwise{
    Direction::North, Direction::NorthEast, Direction::East, Direction::SouthEast,
    Direction::South, Direction::SouthWest, Direction::West, Direction::NorthWest};

// The step direction `eighths` eighths of a turn clockwise from a step direction (negative:
// counter-clockwise).
int16_t turnedBy(int16_t direction, int eighths);

// quarterTurn's turn: 1 is clockwise and any other value counter-clockwise
// (the facing turns of turnCreature number them the other way round).
inline constexpr int16_t kQuarterClockwise = 1;
inline constexpr int16_t kQuarterCounterClockwise = 2;

int16_t cellDistance(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int16_t directionTo(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int16_t alternativeDirection(Game& g, int16_t direction);
int16_t oppositeDirection(Game& g, int16_t direction);
int16_t quarterTurn(Game& g, int16_t direction, int16_t turn);
// Moves x, y one step in place; true when the new cell lies on the map.
bool stepInDirection(Game& g, int16_t direction, int32_t& x, int32_t& y);

} // namespace gf
