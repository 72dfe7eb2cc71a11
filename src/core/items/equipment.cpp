#include "items/equipment.h"

#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"
#include "sound/sound.h"

#include <cmath>

namespace gf {

static const ItemType& carriedType(Game& g, const Player& p, int32_t slot) {
    return g.ItemTypes(p.carry(slot).ID);
}

void ready(Game& g, int32_t creature, int32_t slot) {
    guarded(g, "modItem_Arm_Weapon", [&] {
        Player& p = g.Players(creature);
        const ItemType& type = carriedType(g, p, slot);
        // A toggle: readying what is readied puts it away.
        if (type.Damage > 0)
            p.WeaponSlot = p.WeaponSlot == slot ? 0 : slot;
        else if (type.Armor > 0)
            p.ArmorSlot = p.ArmorSlot == slot ? 0 : slot;
        if (creature == g.CurrentPlayer) g.unsavedChanges = true;
        playSound(g, SoundId::Ready);
    });
}

int32_t weaponDamage(Game& g, int32_t creature) {
    return guarded(g, "modItem_Weapon_Damage", [&] {
        const Player& p = g.Players(creature);
        int64_t d;
        if (p.WeaponSlot != 0) {
            const int32_t damage = carriedType(g, p, p.WeaponSlot).Damage;
            d = static_cast<int64_t>(std::floor(g.draw() * 4.0f)) - 2 + damage;
        } else {
            d = static_cast<int64_t>(std::floor(g.draw() * 2.0f)) + 1;
            if (p.isMonster()) d = mul32(static_cast<int32_t>(d), p.Level);
        }
        return d < 1 ? 1 : narrow<int32_t>(d);
    });
}

int32_t armourValue(Game& g, int32_t creature) {
    return guarded(g, "modItem_Armor", [&] {
        const Player& p = g.Players(creature);
        if (p.ArmorSlot == 0) return 0;
        // Half of an odd armour ends in .5, so the sum rounds to even: armour 1 absorbs nothing.
        const double h = carriedType(g, p, p.ArmorSlot).Armor / 2.0;
        return roundEven(std::floor(g.draw() * h) + h);
    });
}

} // namespace gf
