#include "items/item_actions.h"

#include "creatures/movement.h"
#include "items/item_table.h"
#include "map/directions.h"
#include "map/map_file.h"
#include "messages/messages.h"
#include "sound/sound.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/files.h"
#include "util/numeric.h"
#include "util/text.h"

namespace gf {

namespace {

// The cell in front of the creature; false when it lies off the map.
bool facingCell(Game& g, const Creature& p, int32_t& x, int32_t& y) {
    x = p.x;
    y = p.y;
    return stepInDirection(g, p.facing, x, y);
}

void takeStairs(Game& g, int32_t creature, const std::string& level, uint8_t sound) {
    // A loaded game saved without its level header, or a level naming no neighbour.
    if (level.empty()) {
        if (creature == g.creatures.current) addMessage(g, "These stairs lead nowhere.", kYellow);
        return;
    }
    loadLevel(g, fileIn(g.folder, level + ".map"));
    playSound(g, sound);
}

void takeGold(Game& g, int32_t creature, int32_t item, double base) {
    const int32_t amount = roundEven(g.draw() * base + base);
    Creature& p = g.creatures(creature);
    p.gold = add32(p.gold, amount);
    addMessage(g, "You pick up " + std::to_string(amount) + " gold!", kLightBlue);
    removeItem(g, item);
    playSound(g, SoundId::Beep1);
}

} // namespace

void openAhead(Game& g, int32_t creature) {
    guardedText(
        g, [](const std::string& d) { return "Error-modItem_Open : " + d; },
        [&] {
            int32_t x = 0;
            int32_t y = 0;
            if (!facingCell(g, g.creatures(creature), x, y)) return;
            if (const int32_t item = g.level.itemAt(x, y); item != 0) actOnWhatIsAhead(g, creature, item);
        });
}

void stepOnItems(Game& g, int32_t creature, int32_t x, int32_t y) {
    guarded(g, "modItem_Step_On", [&] {
        const int32_t item = g.level.itemAt(x, y);
        if (item == 0) return;
        switch (g.items(item).id) {
        case ItemId::StairsDown:
            return takeStairs(g, creature, g.level.lower, SoundId::WhistleDown);
        case ItemId::StairsUp:
            return takeStairs(g, creature, g.level.upper, SoundId::WhistleUp);
        case ItemId::SmallGold:
            if (creature == g.creatures.current) takeGold(g, creature, item, 5);
            return;
        case ItemId::LargeGold:
            if (creature == g.creatures.current) takeGold(g, creature, item, 10);
            return;
        default:
            return;
        }
    });
}

void pickUp(Game& g, int32_t creature) {
    guarded(g, "modItem_Pickup", [&] {
        Creature& p = g.creatures(creature);
        int32_t x = 0;
        int32_t y = 0;
        if (!facingCell(g, p, x, y)) return;
        // Whatever lies in front hides what lies underfoot, even a wall.
        int32_t item = g.level.itemAt(x, y);
        if (item == 0) item = g.level.itemAt(p.x, p.y);
        if (item == 0 || !g.catalogue.items(g.items(item).id).movable) return;
        for (int32_t slot = 1; slot <= kCarrySlots; ++slot) {
            if (p.carry(slot).inUse) continue;
            p.carry(slot) = g.items(item);
            removeItem(g, item);
            playSound(g, SoundId::Beep2);
            return;
        }
        if (creature == g.creatures.current)
            addMessage(g, displayName(p.name) + "'s inventory is full!", kYellow);
    });
}

void dropItem(Game& g, int32_t creature, int32_t slot) {
    guarded(g, "modItem_Drop", [&] {
        Creature& p = g.creatures(creature);
        // An empty slot has nothing to drop; placing its blank record would leave a hole in the map.
        if (!p.carry(slot).inUse) return;
        // Only where a pick-up reaches, so nothing dropped is ever out of reach.
        int32_t x = 0;
        int32_t y = 0;
        if (!facingCell(g, p, x, y) || g.level.itemAt(x, y) != 0) {
            x = p.x;
            y = p.y;
        }
        if (g.level.itemAt(x, y) != 0) {
            if (creature == g.creatures.current) addMessage(g, "No room to drop item.", kYellow);
            return;
        }
        Item& carried = p.carry(slot);
        const int32_t index = addItem(g, carried.id, x, y);
        if (index == 0) return;
        Item& placed = g.items(index);
        placed = carried;
        placed.x = x;
        placed.y = y;
        carried = Item{};
        if (p.weaponSlot == slot) p.weaponSlot = 0;
        if (p.armourSlot == slot) p.armourSlot = 0;
        if (creature == g.creatures.current) g.session.unsavedChanges = true;
    });
}

} // namespace gf
