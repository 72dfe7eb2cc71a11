#include "items/item_actions.h"

#include "creatures/movement.h"
#include "items/item_table.h"
#include "map/directions.h"
#include "map/map_file.h"
#include "messages/messages.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"
#include "shell/text.h"
#include "sound/sound.h"

namespace gf {

namespace {

constexpr int32_t kDropReach = 3;

// The cell in front of the creature; false when it lies off the map.
bool facingCell(Game& g, const Player& p, int32_t& x, int32_t& y) {
    x = p.X;
    y = p.Y;
    return modMap_Get_Facing_XY(g, p.Facing, x, y);
}

void takeStairs(Game& g, const std::string& level, uint8_t sound) {
    modMap_Load(g, g.folder + "/" + level + ".map");
    modSound_Play(g, sound);
}

void takeGold(Game& g, int32_t creature, int32_t item, double base) {
    const int32_t amount = roundEven(g.draw() * base + base);
    Player& p = g.Players(creature);
    p.Gold = add32(p.Gold, amount);
    modMessage_Add(g, "You pick up " + std::to_string(amount) + " gold!", kBlue);
    modItem_Delete(g, item);
    modSound_Play(g, SoundId::Beep1);
}

} // namespace

void modItem_Open(Game& g, int32_t creature) {
    guardedText(
        g, [](const std::string& d) { return "Error-modItem_Open : " + d; },
        [&] {
            int32_t x = 0;
            int32_t y = 0;
            if (!facingCell(g, g.Players(creature), x, y)) return;
            if (const int32_t item = g.MapItem(x, y); item != 0) modPlayer_Auto_Action(g, creature, item);
        });
}

void modItem_Step_On(Game& g, int32_t creature, int32_t x, int32_t y) {
    guarded(g, "modItem_Step_On", [&] {
        const int32_t item = g.MapItem(x, y);
        if (item == 0) return;
        switch (g.Items(item).ID) {
        case ItemId::StairsDown:
            return takeStairs(g, g.MapLower, SoundId::WhistleDown);
        case ItemId::StairsUp:
            return takeStairs(g, g.MapUpper, SoundId::WhistleUp);
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

void modItem_Pickup(Game& g, int32_t creature) {
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
            modItem_Delete(g, item);
            modSound_Play(g, SoundId::Beep2);
            return;
        }
        if (creature == g.CurrentPlayer)
            modMessage_Add(g, displayName(p.Name) + "'s inventory is full!", kYellow);
    });
}

void modItem_Drop(Game& g, int32_t creature, int32_t slot) {
    guarded(g, "modItem_Drop", [&] {
        Player& p = g.Players(creature);
        // An empty slot has nothing to drop; placing its blank record would leave a hole in the map.
        if (!p.carry(slot).InUse) return;
        int32_t cx = 0;
        int32_t cy = 0;
        if (!facingCell(g, p, cx, cy)) {
            cx = p.X;
            cy = p.Y;
        }
        for (int32_t d = 0; d <= kDropReach; ++d) {
            for (int32_t dx = -d; dx <= d; ++dx) {
                for (int32_t dy = -d; dy <= d; ++dy) {
                    const int64_t x = static_cast<int64_t>(cx) + dx;
                    const int64_t y = static_cast<int64_t>(cy) + dy;
                    if (!In_Map(x, y) || g.MapItem(x, y) != 0) continue;
                    Item& carried = p.carry(slot);
                    const int32_t index =
                        modItem_Add(g, carried.ID, static_cast<int32_t>(x), static_cast<int32_t>(y));
                    if (index == 0) return;
                    Item& placed = g.Items(index);
                    placed = carried;
                    placed.X = static_cast<int32_t>(x);
                    placed.Y = static_cast<int32_t>(y);
                    carried = Item{};
                    if (p.WeaponSlot == slot) p.WeaponSlot = 0;
                    if (p.ArmorSlot == slot) p.ArmorSlot = 0;
                    return;
                }
            }
        }
        if (creature == g.CurrentPlayer) modMessage_Add(g, "No room to drop item.", kYellow);
    });
}

} // namespace gf
