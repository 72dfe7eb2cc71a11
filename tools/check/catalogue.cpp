#include "check/catalogue.hpp"

#include "state/game.h"
#include "state/item.h"
#include "util/text.h"

#include <array>
#include <string_view>
#include <vector>

namespace gloamfell::tools {

namespace {

std::string itemLabel(int n) {
    return "item " + std::to_string(n);
}

} // namespace

Catalogue readItemCatalogue(const std::string& text, Faults& faults) {
    FaultList findings(faults);
    return {gf::readItemCatalogue(text, findings), "item.ini"};
}

Catalogue readMonsterCatalogue(const std::string& text, const Catalogue& items, Faults& faults) {
    FaultList findings(faults);
    const gf::ItemLookup lookup{items.sized ? items.highest : 0,
                                [&items](const std::string& name) { return items.idOf(name); }};
    return {gf::readMonsterCatalogue(text, lookup, findings), "monster.ini"};
}

void checkItems(const Catalogue& items, Faults& faults) {
    if (!items.usable()) return;
    struct Role {
        int first, last;
        const char* what;
        bool blocks;
    };
    using namespace gf::ItemId;
    static constexpr std::array<Role, 10> kRoles{
        {{StoneWall, LastWallPiece, "a wall piece", true},
         {DoorClosedEW, DoorClosedEW, "the closed east-west door", true},
         {DoorOpenEW, DoorOpenEW, "the open east-west door", false},
         {DoorClosedNS, DoorClosedNS, "the closed north-south door", true},
         {DoorOpenNS, DoorOpenNS, "the open north-south door", false},
         {StairsDown, StairsDown, "the stairs down", false},
         {StairsUp, StairsUp, "the stairs up", false},
         {SmallGold, SmallGold, "the small heap of gold", false},
         {LargeGold, LargeGold, "the large heap of gold", false},
         {27, 34, "a room item of random levels", false}}};
    for (const Role& role : kRoles)
        for (int n = role.first; n <= role.last; ++n) {
            const Entry* e = items.find(n);
            if (!e) {
                faults.push_back(
                    {items.file, 0, itemLabel(n) + " is missing; the game uses it as " + role.what});
                continue;
            }
            if (n > LargeGold) continue;
            if (e->has("BLOCKMOVEMENT") != role.blocks)
                faults.push_back({items.file, e->line,
                                  itemLabel(n) + (role.blocks ? " must" : " must not") +
                                      " have BLOCKMOVEMENT, as " + role.what});
            if (e->has("MOVABLE"))
                faults.push_back({items.file, e->lineOf("MOVABLE"),
                                  itemLabel(n) + " must not be MOVABLE, as " + role.what});
        }

    for (const auto& [n, e] : items.entries) {
        if (e.has("MOVABLE") && gf::trimSpaces(e.name).empty())
            faults.push_back({items.file, e.line, itemLabel(n) + " can be carried but has no NAME"});
        if (!gf::trimSpaces(e.name).empty()) {
            const int first = items.idOf(e.name);
            if (first != n)
                faults.push_back({items.file, e.lineOf("NAME"),
                                  "NAME \"" + e.name + "\" is already " + itemLabel(first) + " (line " +
                                      std::to_string(items.entries.at(first).lineOf("NAME")) +
                                      "); lookups by name find only that one"});
        }
        const bool weapon = e.number("DAMAGE") > 0, armour = e.number("ARMOR") > 0;
        if ((weapon || armour) && !e.has("MOVABLE"))
            faults.push_back({items.file, e.line, itemLabel(n) + " is a weapon or armour but not MOVABLE"});
        if (weapon && armour)
            faults.push_back({items.file, e.lineOf("ARMOR"),
                              itemLabel(n) + " has DAMAGE, so it is a weapon and its ARMOR never counts"});
    }
}

void checkMonsters(const Catalogue& monsters, const Catalogue& items, Faults& faults) {
    if (!monsters.usable()) return;
    for (int n : {1, 2})
        if (!monsters.find(n))
            faults.push_back(
                {monsters.file, 0, "monster " + std::to_string(n) + " is missing; random levels place it"});
    for (const auto& [n, m] : monsters.entries) {
        const std::string id = "monster " + std::to_string(n);
        if (gf::trimSpaces(m.name).empty()) faults.push_back({monsters.file, m.line, id + " has no NAME"});
        for (const char* key : {"LEVEL", "LIFE", "STAMINA", "SIGHTRANGE", "MELEE"})
            if (m.number(key) <= 0)
                faults.push_back({monsters.file, m.lineOf(key), id + " needs a " + key + " of 1 or more"});
        if (m.number("SOUNDID") > gf::kSoundCount)
            faults.push_back({monsters.file, m.lineOf("SOUNDID"),
                              id + " has SOUNDID " + std::to_string(m.number("SOUNDID")) +
                                  "; sounds run from 1 to " + std::to_string(gf::kSoundCount) +
                                  " (0 is silent)"});
        const auto dead = m.texts.find("DEADITEM");
        if (dead == m.texts.end() || dead->second.empty() || !items.usable()) continue;
        const int line = m.lineOf("DEADITEM");
        if (!gf::isNumber(dead->second)) {
            if (items.idOf(dead->second) == 0)
                faults.push_back(
                    {monsters.file, line,
                     id + " leaves \"" + dead->second + "\", which item.ini lacks, so it leaves nothing"});
        } else if (const auto item = m.number("DEADITEM"); item >= 1 && !items.find(int(item))) {
            faults.push_back({monsters.file, line,
                              id + " leaves item " + std::to_string(item) + ", a blank entry of item.ini"});
        }
    }
}

} // namespace gloamfell::tools
