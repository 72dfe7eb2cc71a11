#pragma once
#include "state/item.h"

#include <array>
#include <cstdint>
#include <string>

namespace gf {

inline constexpr int kSkillCount = 10;
inline constexpr int kCarrySlots = 20;
inline constexpr int kMeleeSkill = 1;

struct CreatureSkill {
    bool known = false;
    int32_t value = 0;
    int32_t raises = 0;
    int32_t xpToRaise = 0;
};

// The user's creature and every monster alike. Skill and Carry are 1-based
// in the game's terms: use skill(i) and carry(i).
struct Creature {
    bool active = false;
    int32_t monsterType = 0;
    std::string name = std::string(100, '\0');
    int32_t x = 0;
    int32_t y = 0;
    int32_t homeX = 0;
    int32_t homeY = 0;
    int16_t image = 0;
    int16_t facing = 0;
    int32_t level = 0;
    int32_t nextLevelXp = 0;
    int32_t xp = 0;
    int32_t spendableXp = 0;
    int32_t life = 0;
    int32_t maxLife = 0;
    int32_t stamina = 0;
    int32_t maxStamina = 0;
    int32_t sightRange = 0;
    std::array<CreatureSkill, kSkillCount> skills{};
    float nextMoveTime = 0;
    float nextAttackTime = 0;
    bool inCombat = false;
    int32_t combatPenalty = 0;
    int32_t gold = 0;
    std::array<Item, kCarrySlots> carried{};
    int32_t weaponSlot = 0;
    int32_t armourSlot = 0;

    CreatureSkill& skill(int64_t i);
    const CreatureSkill& skill(int64_t i) const;
    Item& carry(int64_t slot);
    const Item& carry(int64_t slot) const;
    bool isMonster() const { return monsterType > 0; }
};

// One entry of the monster catalogue (monster.ini).
struct MonsterInfo {
    std::string name;
    int32_t level = 0;
    int16_t image = 0;
    int32_t life = 0;
    int32_t stamina = 0;
    int32_t sightRange = 0;
    int32_t melee = 0;
    int16_t deadItem = 0;
    uint8_t soundId = 0;
};

struct SkillInfo {
    std::string name;
    std::string description;
};

} // namespace gf
