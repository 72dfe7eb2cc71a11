#include "render/status.h"

#include "creatures/skills.h"
#include "render/sizes.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/text.h"

#include <string>

namespace gf {

namespace {

void fillBar(StatusBar& bar, int32_t value, int32_t max) {
    bar.value = value;
    bar.max = max;
    bar.text = std::to_string(value) + "/" + std::to_string(max);
}

std::string carriedName(Game& g, const Player& p, int32_t slot) {
    return g.ItemTypes(p.carry(slot).ID).Name;
}

// Two swords or two armours look alike in their boxes; the tooltip tells them apart.
std::string carriedTooltip(const ItemType& type, bool weapon, bool armour) {
    std::string tip = type.Name;
    if (type.Damage > 0) tip += "\nDamage: " + std::to_string(type.Damage);
    if (type.Armor > 0) tip += "\nArmor: " + std::to_string(type.Armor);
    if (weapon) tip += "\nReadied";
    if (armour) tip += "\nWorn";
    return tip;
}

} // namespace

void updateStatus(Game& g) {
    guarded(g, "Update_Status", [&] {
        if (g.CurrentPlayer == 0) return;
        const Player& p = g.Players(g.CurrentPlayer);
        StatusPanel& s = g.status;
        s.name = displayName(p.Name);
        fillBar(s.life, p.Life, p.MaxLife);
        fillBar(s.stamina, p.Stamina, p.MaxStamina);
        s.level = " Level: " + std::to_string(p.Level);
        s.xp = " XP: " + std::to_string(p.XP);
        s.nextLevelXP = " Next Level XP: " + std::to_string(p.NextLevelXP);
        s.spendableXP = " Spendable XP: " + std::to_string(p.SpendableXP);
        updateSkills(g);
        s.gold = " Gold: " + std::to_string(p.Gold);
        s.weapon =
            " Weapon: " + (p.WeaponSlot > 0 ? carriedName(g, p, p.WeaponSlot) : std::string("Bare Hands"));
        s.armor = " Armor: " + (p.ArmorSlot > 0 ? carriedName(g, p, p.ArmorSlot) : std::string("none"));
        updateCarry(g);
    });
}

void updateSkills(Game& g) {
    guarded(g, "Update_Skills", [&] {
        if (g.CurrentPlayer == 0) return;
        const Player& p = g.Players(g.CurrentPlayer);
        std::size_t row = 0;
        for (int32_t skill = 1; skill <= kSkillCount && row < g.status.skills.size(); ++skill) {
            const PlayerSkill& known = p.skill(skill);
            if (!known.Known) continue;
            const SkillInfo& info = g.Skills[static_cast<std::size_t>(skill - 1)];
            SkillRow& shown = g.status.skills[row++];
            shown.known = true;
            shown.name = " " + info.Name;
            shown.nameTooltip = info.Description;
            shown.value = std::to_string(skillValue(g, g.CurrentPlayer, skill)) + " ";
            shown.valueTooltip = std::to_string(known.XPToRaise) + " XP needed";
        }
        // A game with fewer skills than the one before must not show, or offer to raise, its skills.
        for (; row < g.status.skills.size(); ++row)
            g.status.skills[row] = SkillRow{};
    });
}

void updateCarry(Game& g) {
    guarded(g, "Update_Carry", [&] {
        if (g.CurrentPlayer == 0) return;
        const Player& p = g.Players(g.CurrentPlayer);
        for (int b = 0; b < kCarryBoxes; ++b) {
            CarryBox& box = g.status.carry[static_cast<std::size_t>(b)];
            box = CarryBox{};
            box.slot = g.carryScroll + b;
            const Item& item = p.carry(box.slot);
            if (!item.InUse) continue;
            const ItemType& type = g.ItemTypes(item.ID);
            const bool weapon = box.slot == p.WeaponSlot, armour = box.slot == p.ArmorSlot;
            box.filled = true;
            box.tile = itemTile(type.Image);
            box.readied = weapon || armour;
            box.tooltip = carriedTooltip(type, weapon, armour);
        }
    });
}

} // namespace gf
