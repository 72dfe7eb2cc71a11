#include "fight_support.h"

#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "items/item_catalogue.h"
#include "shell/text.h"

#include <utility>

namespace gf::test {

std::string fightItemIni() {
    std::string s = basicItemIni() +
                    crlf({"ITEM=29", "NAME=stick", "DAMAGE=1", "MOVABLE", "ITEM=30", "NAME=club", "DAMAGE=12",
                          "MOVABLE", "ITEM=31", "NAME=spiked shield", "DAMAGE=3", "ARMOR=2", "MOVABLE"});
    const std::pair<int16_t, int> armors[] = {{FightItem::Armor1, 1},
                                              {FightItem::Armor3, 3},
                                              {FightItem::Armor4, 4},
                                              {FightItem::Armor5, 5},
                                              {FightItem::Armor10, 10}};
    for (const auto& [id, armor] : armors)
        s += crlf({"ITEM=" + std::to_string(id), "NAME=armor " + std::to_string(armor),
                   "ARMOR=" + std::to_string(armor), "MOVABLE"});
    s += crlf({"ITEM=37", "NAME=pebble", "MOVABLE"});
    return s;
}

void prepareFightLevel(TestGame& t) {
    prepareEmptyLevel(t);
    t.write("item.ini", fightItemIni());
    modItem_Init(t.game);
    modSkill_Init(t.game);
    t.game.SoundEnabled = true;
}

int32_t addUser(TestGame& t, int32_t x, int32_t y, int16_t facing, int32_t melee, const std::string& name) {
    Game& g = t.game;
    g.CurrentPlayer = modPlayer_Add(g, 0, x, y);
    Player& p = g.Players(g.CurrentPlayer);
    p.Name = fixedName(name);
    p.Facing = facing;
    p.skill(kMeleeSkill).Known = true;
    p.skill(kMeleeSkill).Value = melee;
    p.skill(kMeleeSkill).XPToRaise = 100;
    return g.CurrentPlayer;
}

void give(TestGame& t, int32_t creature, int32_t slot, int16_t id) {
    t.game.Players(creature).carry(slot) = Item{true, id, 0, 0, 0};
}

std::vector<std::string> shownMessages(Game& g) {
    std::vector<std::string> out;
    for (const Message& m : g.Messages)
        if (m.InUse) out.push_back(m.Text);
    return out;
}

} // namespace gf::test
