#pragma once
#include <cstdint>
#include <string>

namespace gf {

// One item instance; copied whole into a creature's carry slot.
struct Item {
    bool inUse = false;
    int16_t id = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t spare = 0;
    bool operator==(const Item&) const = default;
};

// One entry of the item catalogue (item.ini).
struct ItemType {
    std::string name;
    int16_t image = 0;
    bool blocksMovement = false;
    bool movable = false;
    int32_t damage = 0;
    int32_t armour = 0;
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
