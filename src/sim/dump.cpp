#include "dump.h"

#include "event_log.h"
#include "state/game.h"

#include <string_view>

namespace gf {

using nlohmann::json;

namespace {

std::string text(const std::string& s) {
    return latin1ToUtf8(s);
}

// Names are kept padded (or NUL-filled when blank); the dump shows them bare.
std::string paddedName(const std::string& s) {
    const auto last = s.find_last_not_of(std::string_view(" \0", 2));
    return last == std::string::npos ? std::string() : text(s.substr(0, last + 1));
}

json item(const Item& i) {
    return {{"InUse", i.inUse}, {"ID", i.id}, {"X", i.x}, {"Y", i.y}, {"Spare", i.spare}};
}

json player(const Creature& p) {
    json skills = json::array();
    for (const CreatureSkill& s : p.skills)
        skills.push_back(
            {{"Known", s.known}, {"Value", s.value}, {"Raises", s.raises}, {"XPToRaise", s.xpToRaise}});
    json carry = json::array();
    for (const Item& i : p.carried)
        carry.push_back(item(i));
    return {{"Active", p.active},
            {"MonsterType", p.monsterType},
            {"Name", paddedName(p.name)},
            {"X", p.x},
            {"Y", p.y},
            {"HomeX", p.homeX},
            {"HomeY", p.homeY},
            {"Image", p.image},
            {"Facing", p.facing},
            {"Level", p.level},
            {"NextLevelXP", p.nextLevelXp},
            {"XP", p.xp},
            {"SpendableXP", p.spendableXp},
            {"Life", p.life},
            {"MaxLife", p.maxLife},
            {"Stamina", p.stamina},
            {"MaxStamina", p.maxStamina},
            {"SightRange", p.sightRange},
            {"Skill", skills},
            {"NextMoveTime", p.nextMoveTime},
            {"NextAttackTime", p.nextAttackTime},
            {"InCombat", p.inCombat},
            {"CombatPenalty", p.combatPenalty},
            {"Gold", p.gold},
            {"Carry", carry},
            {"WeaponSlot", p.weaponSlot},
            {"ArmorSlot", p.armourSlot}};
}

template <class T, class Cell> json layer(const Layer<T>& l, Cell cell) {
    if (!l.exists()) return nullptr;
    json rows = json::array();
    for (int y = 0; y <= kMapUpper; ++y) {
        json row = json::array();
        for (int x = 0; x <= kMapUpper; ++x)
            row.push_back(cell(l(x, y)));
        rows.push_back(std::move(row));
    }
    return rows;
}

json bar(const StatusBar& b) {
    return {{"value", b.value}, {"max", b.max}, {"text", text(b.text)}, {"tooltip", text(b.tooltip)}};
}

json status(const Game& g) {
    const StatusPanel& s = g.screen.status;
    json skills = json::array();
    for (const SkillRow& r : s.skills)
        skills.push_back({{"known", r.known},
                          {"name", text(r.name)},
                          {"nameTooltip", text(r.nameTooltip)},
                          {"value", text(r.value)},
                          {"valueTooltip", text(r.valueTooltip)}});
    json carry = json::array();
    for (std::size_t b = 0; b < s.carry.size(); ++b) {
        const CarryBox& c = s.carry[b];
        carry.push_back(
            {{"box", b}, {"slot", c.slot}, {"filled", c.filled}, {"tile", c.tile}, {"readied", c.readied}});
    }
    return {{"name", text(s.name)},
            {"life", bar(s.life)},
            {"stamina", bar(s.stamina)},
            {"level", text(s.level)},
            {"xp", text(s.xp)},
            {"nextLevelXP", text(s.nextLevelXP)},
            {"spendableXP", text(s.spendableXP)},
            {"gold", text(s.gold)},
            {"weapon", text(s.weapon)},
            {"armor", text(s.armor)},
            {"skills", skills},
            {"carry", carry},
            {"scroll", g.screen.carryScroll}};
}

} // namespace

json dumpState(Game& g, bool withLayers) {
    json players = json::array();
    for (const Creature& p : g.creatures)
        players.push_back(player(p));

    json items = json::array();
    for (int32_t i = 1; i <= g.items.size(); ++i) {
        const Item& it = g.items(i);
        if (it.inUse)
            items.push_back({{"index", i}, {"ID", it.id}, {"X", it.x}, {"Y", it.y}, {"Spare", it.spare}});
    }

    json itemTypes = json::array();
    for (const ItemType& t : g.catalogue.items)
        itemTypes.push_back({{"Name", text(t.name)},
                             {"Image", t.image},
                             {"BlockMovement", t.blocksMovement},
                             {"Movable", t.movable},
                             {"Damage", t.damage},
                             {"Armor", t.armour}});

    json monsterTypes = json::array();
    for (const MonsterInfo& m : g.catalogue.monsters)
        monsterTypes.push_back({{"Name", text(m.name)},
                                {"Level", m.level},
                                {"Image", m.image},
                                {"Life", m.life},
                                {"Stamina", m.stamina},
                                {"SightRange", m.sightRange},
                                {"Melee", m.melee},
                                {"DeadItem", m.deadItem},
                                {"SoundID", m.soundId}});

    json skills = json::array();
    for (const SkillInfo& s : g.catalogue.skills)
        skills.push_back({{"Name", text(s.name)}, {"Description", text(s.description)}});

    json messages = json::array();
    for (const Message& m : g.messages.lines)
        messages.push_back(
            {{"InUse", m.inUse}, {"Text", text(m.text)}, {"Color", m.color}, {"Time", m.time}});
    json log = json::array();
    for (const LoggedMessage& m : g.messages.log.lines())
        log.push_back({{"Text", text(m.text)}, {"Color", m.color}});
    json damages = json::array();
    for (const DamageNumber& d : g.messages.damages)
        damages.push_back(
            {{"InUse", d.inUse}, {"X", d.x}, {"Y", d.y}, {"Amount", d.amount}, {"Time", d.time}});

    json state = {{"CurrentPlayer", g.creatures.current},
                  {"ViewX", g.screen.viewX},
                  {"ViewY", g.screen.viewY},
                  {"MapName", text(g.level.name)},
                  {"MapLower", text(g.level.lower)},
                  {"MapUpper", text(g.level.upper)},
                  {"StartX", g.level.startX},
                  {"StartY", g.level.startY},
                  {"Caption", text(g.screen.caption)},
                  {"paused", g.screen.paused},
                  {"overview", g.screen.overview},
                  {"unsaved", g.session.unsavedChanges},
                  {"Clock", g.now()},
                  {"Players", players},
                  {"ItemsUBound", g.items.size()},
                  {"Items", items},
                  {"ItemTypes", itemTypes},
                  {"MonsterTypes", monsterTypes},
                  {"Skills", skills},
                  {"Messages", messages},
                  {"Log", log},
                  {"Damages", damages},
                  {"Status", status(g)},
                  {"Sounds", g.sounds.loaded}};
    if (withLayers) {
        auto same = [](auto v) { return v; };
        state["MapItem"] = layer(g.level.itemAt, same);
        state["MapPlayer"] = layer(g.level.creatureAt, same);
        state["MapVisible"] = layer(g.level.visible, [](bool v) { return v; });
        state["MapLight"] = layer(g.level.light, same);
    }
    return state;
}

} // namespace gf
