#include "render/status.h"

#include "creatures/skills.h"
#include "render/sizes.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/text.h"

#include <string>

namespace gf {

namespace {

void fillBar(StatusBar& bar, int32_t value, int32_t max) {
    bar.value = value;
    bar.max = max;
    bar.text = std::to_string(value) + "/" + std::to_string(max);
}

std::string carriedName(const Catalogues& catalogue, const Creature& p, int32_t slot) {
    return catalogue.items(p.carry(slot).id).name;
}

// Two swords or two armours look alike in their boxes; the tooltip tells them apart.
std::string carriedTooltip(const ItemType& type, bool weapon, bool armour) {
    std::string tip = type.name;
    if (type.damage > 0) tip += "\nDamage: " + std::to_string(type.damage);
    if (type.armour > 0) tip += "\nArmor: " + std::to_string(type.armour);
    if (weapon) tip += "\nReadied";
    if (armour) tip += "\nWorn";
    return tip;
}

} // namespace

void updateStatus(Game& g) {
    guarded(g, "Update_Status", [&] {
        if (g.creatures.current == 0) return;
        const Creature& p = g.creatures(g.creatures.current);
        StatusPanel& s = g.screen.status;
        s.name = displayName(p.name);
        fillBar(s.life, p.life, p.maxLife);
        fillBar(s.stamina, p.stamina, p.maxStamina);
        s.level = " Level: " + std::to_string(p.level);
        s.xp = " XP: " + std::to_string(p.xp);
        s.nextLevelXP = " Next Level XP: " + std::to_string(p.nextLevelXp);
        s.spendableXP = " Spendable XP: " + std::to_string(p.spendableXp);
        updateSkills(g);
        s.gold = " Gold: " + std::to_string(p.gold);
        s.weapon = " Weapon: " +
                   (p.weaponSlot > 0 ? carriedName(g.catalogue, p, p.weaponSlot) : std::string("Bare Hands"));
        s.armor =
            " Armor: " + (p.armourSlot > 0 ? carriedName(g.catalogue, p, p.armourSlot) : std::string("none"));
        updateCarry(g);
    });
}

void updateSkills(Game& g) {
    guarded(g, "Update_Skills", [&] {
        if (g.creatures.current == 0) return;
        const Creature& p = g.creatures(g.creatures.current);
        std::size_t row = 0;
        for (int32_t skill = 1; skill <= kSkillCount && row < g.screen.status.skills.size(); ++skill) {
            const CreatureSkill& known = p.skill(skill);
            if (!known.known) continue;
            const SkillInfo& info = g.catalogue.skills[static_cast<std::size_t>(skill - 1)];
            SkillRow& shown = g.screen.status.skills[row++];
            shown.known = true;
            shown.name = " " + info.name;
            shown.nameTooltip = info.description;
            shown.value = std::to_string(skillValue(g, g.creatures.current, skill)) + " ";
            shown.valueTooltip = std::to_string(known.xpToRaise) + " XP needed";
        }
        // A game with fewer skills than the one before must not show, or offer to raise, its skills.
        for (; row < g.screen.status.skills.size(); ++row)
            g.screen.status.skills[row] = SkillRow{};
    });
}

void updateCarry(Game& g) {
    guarded(g, "Update_Carry", [&] {
        if (g.creatures.current == 0) return;
        const Creature& p = g.creatures(g.creatures.current);
        for (int b = 0; b < kCarryBoxes; ++b) {
            CarryBox& box = g.screen.status.carry[static_cast<std::size_t>(b)];
            box = CarryBox{};
            box.slot = g.screen.carryScroll + b;
            const Item& item = p.carry(box.slot);
            if (!item.inUse) continue;
            const ItemType& type = g.catalogue.items(item.id);
            const bool weapon = box.slot == p.weaponSlot, armour = box.slot == p.armourSlot;
            box.filled = true;
            box.tile = itemTile(type.image);
            box.readied = weapon || armour;
            box.tooltip = carriedTooltip(type, weapon, armour);
        }
    });
}

} // namespace gf
