#pragma once
// Which wall piece joins a wall to its neighbours: the game picks pieces from
// this table and the art maker draws each piece's arms from it.
#include <array>
#include <cstdint>

namespace gf {

// The wall arms of a cell, as bits of a pattern 0 to 15.
inline constexpr int kArmNorth = 8;
inline constexpr int kArmEast = 4;
inline constexpr int kArmSouth = 2;
inline constexpr int kArmWest = 1;

// The joined piece for each pattern of arms; 0 keeps the present piece.
// North-east-west reuses the straight piece 3 and the four-way crossing
// reuses the T-junction 8.
inline constexpr std::array<int16_t, 16> kPieceForArms{
    0,  // none
    16, // W
    13, // S
    4,  // S W
    15, // E
    3,  // E W
    2,  // E S
    8,  // E S W
    14, // N
    7,  // N W
    5,  // N S
    11, // N S W
    6,  // N E
    3,  // N E W
    10, // N E S
    8,  // N E S W
};

// The arms a piece is drawn with: the first pattern that picks it, or -1 for
// a piece the game never picks.
constexpr int armsOfPiece(int16_t piece) {
    for (int arms = 1; arms < static_cast<int>(kPieceForArms.size()); ++arms)
        if (kPieceForArms[static_cast<std::size_t>(arms)] == piece) return arms;
    return -1;
}

} // namespace gf
