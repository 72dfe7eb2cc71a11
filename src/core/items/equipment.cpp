#include "items/equipment.h"

#include "sound/sound.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"

#include <cmath>

namespace gf {

static const ItemType& carriedType(const Catalogues& catalogue, const Creature& p, int32_t slot) {
    return catalogue.items(p.carry(slot).id);
}

void ready(Game& g, int32_t creature, int32_t slot) {
    guarded(g, "modItem_Arm_Weapon", [&] {
        Creature& p = g.creatures(creature);
        const ItemType& type = carriedType(g.catalogue, p, slot);
        // A toggle: readying what is readied puts it away.
        if (type.damage > 0)
            p.weaponSlot = p.weaponSlot == slot ? 0 : slot;
        else if (type.armour > 0)
            p.armourSlot = p.armourSlot == slot ? 0 : slot;
        if (creature == g.creatures.current) g.session.unsavedChanges = true;
        playSound(g, SoundId::Ready);
    });
}

int32_t weaponDamage(Game& g, int32_t creature) {
    return guarded(g, "modItem_Weapon_Damage", [&] {
        const Creature& p = g.creatures(creature);
        int64_t d;
        if (p.weaponSlot != 0) {
            const int32_t damage = carriedType(g.catalogue, p, p.weaponSlot).damage;
            d = static_cast<int64_t>(std::floor(g.draw() * 4.0f)) - 2 + damage;
        } else {
            d = static_cast<int64_t>(std::floor(g.draw() * 2.0f)) + 1;
            if (p.isMonster()) d = mul32(static_cast<int32_t>(d), p.level);
        }
        return d < 1 ? 1 : narrow<int32_t>(d);
    });
}

int32_t armourValue(Game& g, int32_t creature) {
    return guarded(g, "modItem_Armor", [&] {
        const Creature& p = g.creatures(creature);
        if (p.armourSlot == 0) return 0;
        // Half of an odd armour ends in .5, so the sum rounds to even: armour 1 absorbs nothing.
        const double h = carriedType(g.catalogue, p, p.armourSlot).armour / 2.0;
        return roundEven(std::floor(g.draw() * h) + h);
    });
}

} // namespace gf
