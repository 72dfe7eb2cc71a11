#pragma once
#include "items/item.h"

#include <array>
#include <cstdint>
#include <string>

namespace gf {

inline constexpr int kSkillCount = 10;
inline constexpr int kCarrySlots = 20;
inline constexpr int kMeleeSkill = 1;

struct PlayerSkill {
    bool Known = false;
    int32_t Value = 0;
    int32_t Raises = 0;
    int32_t XPToRaise = 0;
};

// The user's creature and every monster alike. Skill and Carry are 1-based
// in the game's terms: use skill(i) and carry(i).
struct Player {
    bool Active = false;
    int32_t MonsterType = 0;
    std::string Name = std::string(100, '\0');
    int32_t X = 0;
    int32_t Y = 0;
    int32_t HomeX = 0;
    int32_t HomeY = 0;
    int16_t Image = 0;
    int16_t Facing = 0;
    int32_t Level = 0;
    int32_t NextLevelXP = 0;
    int32_t XP = 0;
    int32_t SpendableXP = 0;
    int32_t Life = 0;
    int32_t MaxLife = 0;
    int32_t Stamina = 0;
    int32_t MaxStamina = 0;
    int32_t SightRange = 0;
    std::array<PlayerSkill, kSkillCount> Skill{};
    float NextMoveTime = 0;
    float NextAttackTime = 0;
    bool InCombat = false;
    int32_t CombatPenalty = 0;
    int32_t Gold = 0;
    std::array<Item, kCarrySlots> Carry{};
    int32_t WeaponSlot = 0;
    int32_t ArmorSlot = 0;

    PlayerSkill& skill(int64_t i);
    const PlayerSkill& skill(int64_t i) const;
    Item& carry(int64_t slot);
    const Item& carry(int64_t slot) const;
    bool isMonster() const { return MonsterType > 0; }
};

// One entry of the monster catalogue (monster.ini).
struct MonsterInfo {
    std::string Name;
    int32_t Level = 0;
    int16_t Image = 0;
    int32_t Life = 0;
    int32_t Stamina = 0;
    int32_t SightRange = 0;
    int32_t Melee = 0;
    int16_t DeadItem = 0;
    uint8_t SoundID = 0;
};

struct SkillInfo {
    std::string Name;
    std::string Description;
};

} // namespace gf
