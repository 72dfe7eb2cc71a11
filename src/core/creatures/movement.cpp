#include "creatures/movement.h"

#include "creatures/combat.h"
#include "items/item_actions.h"
#include "map/directions.h"
#include "sound/sound.h"
#include "state/game.h"
#include "state/guard.h"

namespace gf {

namespace {

constexpr float kStepPause = 0.1f;

} // namespace

bool moveCreature(Game& g, int32_t index, int16_t direction, bool forward) {
    return guarded(g, "modPlayer_Move", [&] {
        const float t = g.now();
        Creature& p = g.creatures(index);
        if (!p.active || t < p.nextMoveTime) return false;
        // Anything but the eight steps would name the creature's own cell.
        if (!isStepDirection(direction)) return false;
        int32_t x = p.x;
        int32_t y = p.y;
        if (!stepInDirection(g, direction, x, y)) return false;

        if (const int32_t other = g.level.creatureAt(x, y); other > 0) {
            if (index == g.creatures.current && forward) strike(g, index, other);
            return false;
        }
        const int32_t item = g.level.itemAt(x, y);
        if (item > 0 && g.catalogue.items(g.items(item).id).blocksMovement) {
            if (forward) actOnWhatIsAhead(g, index, item);
            return false;
        }

        const bool user = index == g.creatures.current;
        g.level.creatureAt(p.x, p.y) = 0;
        p.x = x;
        p.y = y;
        g.level.creatureAt(x, y) = index;
        if (forward) p.facing = direction;
        if (user) playSound(g, SoundId::Walk);
        // Stairs may rebuild the level here; the user's entry survives that, a monster's does not.
        if (item > 0) stepOnItems(g, index, x, y);
        if (user) g.creatures(index).nextMoveTime = t + kStepPause;
        return true;
    });
}

// Whoever walks into a door opens it, so the creature does not matter.
void actOnWhatIsAhead(Game& g, int32_t /*index*/, int32_t item) {
    guarded(g, "modPlayer_Auto_Action", [&] {
        Item& it = g.items(item);
        switch (it.id) {
        case ItemId::DoorClosedEW:
            it.id = ItemId::DoorOpenEW;
            break;
        case ItemId::DoorOpenEW:
            it.id = ItemId::DoorClosedEW;
            break;
        case ItemId::DoorClosedNS:
            it.id = ItemId::DoorOpenNS;
            break;
        case ItemId::DoorOpenNS:
            it.id = ItemId::DoorClosedNS;
            break;
        default:
            return;
        }
        const bool opened = it.id == ItemId::DoorOpenEW || it.id == ItemId::DoorOpenNS;
        playSound(g, opened ? SoundId::DoorOpen : SoundId::DoorClose);
    });
}

void turnCreature(Game& g, int32_t index, int16_t turn) {
    guarded(g, "modPlayer_Change_Facing", [&] {
        Creature& p = g.creatures(index);
        if ((turn != kFacingTurnLeft && turn != kFacingTurnRight) || !isStepDirection(p.facing)) return;
        p.facing = turnedBy(p.facing, turn == kFacingTurnLeft ? -1 : 1);
    });
}

void attackAhead(Game& g, int32_t index) {
    guarded(g, "modPlayer_Attack_Direction", [&] {
        const Creature& p = g.creatures(index);
        if (!isStepDirection(p.facing)) return; // facing nowhere must not strike its own cell
        int32_t x = p.x;
        int32_t y = p.y;
        if (!stepInDirection(g, p.facing, x, y)) return;
        if (const int32_t other = g.level.creatureAt(x, y); other >= 1) strike(g, index, other);
    });
}

} // namespace gf
