#include "items/item_actions.h"

#include "creatures/movement.h"
#include "items/item_table.h"
#include "map/directions.h"
#include "map/map_file.h"
#include "messages/messages.h"
#include "shell/files.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"
#include "shell/text.h"
#include "sound/sound.h"

namespace gf {

namespace {

// The cell in front of the creature; false when it lies off the map.
bool facingCell(Game& g, const Player& p, int32_t& x, int32_t& y) {
    x = p.X;
    y = p.Y;
    return stepInDirection(g, p.Facing, x, y);
}

void takeStairs(Game& g, int32_t creature, const std::string& level, uint8_t sound) {
    // A loaded game saved without its level header, or a level naming no neighbour.
    if (level.empty()) {
        if (creature == g.CurrentPlayer) addMessage(g, "These stairs lead nowhere.", kYellow);
        return;
    }
    loadLevel(g, fileIn(g.folder, level + ".map"));
    playSound(g, sound);
}

void takeGold(Game& g, int32_t creature, int32_t item, double base) {
    const int32_t amount = roundEven(g.draw() * base + base);
    Player& p = g.Players(creature);
    p.Gold = add32(p.Gold, amount);
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
            if (!facingCell(g, g.Players(creature), x, y)) return;
            if (const int32_t item = g.MapItem(x, y); item != 0) actOnWhatIsAhead(g, creature, item);
        });
}

void stepOnItems(Game& g, int32_t creature, int32_t x, int32_t y) {
    guarded(g, "modItem_Step_On", [&] {
        const int32_t item = g.MapItem(x, y);
        if (item == 0) return;
        switch (g.Items(item).ID) {
        case ItemId::StairsDown:
            return takeStairs(g, creature, g.MapLower, SoundId::WhistleDown);
        case ItemId::StairsUp:
            return takeStairs(g, creature, g.MapUpper, SoundId::WhistleUp);
        case ItemId::SmallGold:
            if (creature == g.CurrentPlayer) takeGold(g, creature, item, 5);
            return;
        case ItemId::LargeGold:
            if (creature == g.CurrentPlayer) takeGold(g, creature, item, 10);
            return;
        default:
            return;
        }
    });
}

void pickUp(Game& g, int32_t creature) {
    guarded(g, "modItem_Pickup", [&] {
        Player& p = g.Players(creature);
        int32_t x = 0;
        int32_t y = 0;
        if (!facingCell(g, p, x, y)) return;
        // Whatever lies in front hides what lies underfoot, even a wall.
        int32_t item = g.MapItem(x, y);
        if (item == 0) item = g.MapItem(p.X, p.Y);
        if (item == 0 || !g.ItemTypes(g.Items(item).ID).Movable) return;
        for (int32_t slot = 1; slot <= kCarrySlots; ++slot) {
            if (p.carry(slot).InUse) continue;
            p.carry(slot) = g.Items(item);
            removeItem(g, item);
            playSound(g, SoundId::Beep2);
            return;
        }
        if (creature == g.CurrentPlayer)
            addMessage(g, displayName(p.Name) + "'s inventory is full!", kYellow);
    });
}

void dropItem(Game& g, int32_t creature, int32_t slot) {
    guarded(g, "modItem_Drop", [&] {
        Player& p = g.Players(creature);
        // An empty slot has nothing to drop; placing its blank record would leave a hole in the map.
        if (!p.carry(slot).InUse) return;
        // Only where a pick-up reaches, so nothing dropped is ever out of reach.
        int32_t x = 0;
        int32_t y = 0;
        if (!facingCell(g, p, x, y) || g.MapItem(x, y) != 0) {
            x = p.X;
            y = p.Y;
        }
        if (g.MapItem(x, y) != 0) {
            if (creature == g.CurrentPlayer) addMessage(g, "No room to drop item.", kYellow);
            return;
        }
        Item& carried = p.carry(slot);
        const int32_t index = addItem(g, carried.ID, x, y);
        if (index == 0) return;
        Item& placed = g.Items(index);
        placed = carried;
        placed.X = x;
        placed.Y = y;
        carried = Item{};
        if (p.WeaponSlot == slot) p.WeaponSlot = 0;
        if (p.ArmorSlot == slot) p.ArmorSlot = 0;
        if (creature == g.CurrentPlayer) g.unsavedChanges = true;
    });
}

} // namespace gf
