#pragma once
#include <cstdint>
#include <string>

namespace gf {

// One item instance; copied whole into a creature's carry slot.
struct Item {
    bool InUse = false;
    int16_t ID = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Spare = 0;
    bool operator==(const Item&) const = default;
};

// One entry of the item catalogue (item.ini).
struct ItemType {
    std::string Name;
    int16_t Image = 0;
    bool BlockMovement = false;
    bool Movable = false;
    int32_t Damage = 0;
    int32_t Armor = 0;
};

// Catalogue numbers the program itself gives a role.
namespace ItemId {
inline constexpr int16_t StoneWall = 1;
inline constexpr int16_t LastWallPiece = 16;
inline constexpr int16_t DoorClosedEW = 17;
inline constexpr int16_t DoorOpenEW = 18;
inline constexpr int16_t DoorClosedNS = 19;
inline constexpr int16_t DoorOpenNS = 20;
inline constexpr int16_t StairsDown = 21;
inline constexpr int16_t StairsUp = 22;
inline constexpr int16_t SmallGold = 24;
inline constexpr int16_t LargeGold = 25;
} // namespace ItemId

} // namespace gf
