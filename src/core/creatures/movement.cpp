#include "creatures/movement.h"

#include "creatures/combat.h"
#include "items/item_actions.h"
#include "map/directions.h"
#include "map/map_file.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "sound/sound.h"

namespace gf {

namespace {

constexpr float kStepPause = 0.1f;

} // namespace

bool moveCreature(Game& g, int32_t index, int16_t direction, bool forward) {
    return guarded(g, "modPlayer_Move", [&] {
        const float t = g.now();
        Player& p = g.Players(index);
        if (!p.Active || t < p.NextMoveTime) return false;
        // Anything but the eight steps would name the creature's own cell.
        if (!isStepDirection(direction)) return false;
        int32_t x = p.X;
        int32_t y = p.Y;
        if (!stepInDirection(g, direction, x, y)) return false;

        if (const int32_t other = g.MapPlayer(x, y); other > 0) {
            if (index == g.CurrentPlayer && forward) strike(g, index, other);
            return false;
        }
        const int32_t item = g.MapItem(x, y);
        if (item > 0 && g.ItemTypes(g.Items(item).ID).BlockMovement) {
            if (forward) actOnWhatIsAhead(g, index, item);
            return false;
        }

        const bool user = index == g.CurrentPlayer;
        g.MapPlayer(p.X, p.Y) = 0;
        p.X = x;
        p.Y = y;
        g.MapPlayer(x, y) = index;
        if (forward) p.Facing = direction;
        if (user) playSound(g, SoundId::Walk);
        // Stairs may rebuild the level here; the user's entry survives that, a monster's does not.
        if (item > 0) stepOnItems(g, index, x, y);
        if (user) g.Players(index).NextMoveTime = t + kStepPause;
        return true;
    });
}

// Whoever walks into a door opens it, so the creature does not matter.
void actOnWhatIsAhead(Game& g, int32_t /*index*/, int32_t item) {
    guarded(g, "modPlayer_Auto_Action", [&] {
        Item& it = g.Items(item);
        switch (it.ID) {
        case ItemId::DoorClosedEW:
            it.ID = ItemId::DoorOpenEW;
            break;
        case ItemId::DoorOpenEW:
            it.ID = ItemId::DoorClosedEW;
            break;
        case ItemId::DoorClosedNS:
            it.ID = ItemId::DoorOpenNS;
            break;
        case ItemId::DoorOpenNS:
            it.ID = ItemId::DoorClosedNS;
            break;
        default:
            return;
        }
        const bool opened = it.ID == ItemId::DoorOpenEW || it.ID == ItemId::DoorOpenNS;
        playSound(g, opened ? SoundId::DoorOpen : SoundId::DoorClose);
    });
}

void turnCreature(Game& g, int32_t index, int16_t turn) {
    guarded(g, "modPlayer_Change_Facing", [&] {
        Player& p = g.Players(index);
        if ((turn != kFacingTurnLeft && turn != kFacingTurnRight) || !isStepDirection(p.Facing)) return;
        p.Facing = turnedBy(p.Facing, turn == kFacingTurnLeft ? -1 : 1);
    });
}

void attackAhead(Game& g, int32_t index) {
    guarded(g, "modPlayer_Attack_Direction", [&] {
        const Player& p = g.Players(index);
        if (!isStepDirection(p.Facing)) return; // facing nowhere must not strike its own cell
        int32_t x = p.X;
        int32_t y = p.Y;
        if (!stepInDirection(g, p.Facing, x, y)) return;
        if (const int32_t other = g.MapPlayer(x, y); other >= 1) strike(g, index, other);
    });
}

} // namespace gf
