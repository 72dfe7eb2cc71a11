#include "dump.h"

#include "event_log.h"
#include "shell/game.h"

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
    return {{"InUse", i.InUse}, {"ID", i.ID}, {"X", i.X}, {"Y", i.Y}, {"Spare", i.Spare}};
}

json player(const Player& p) {
    json skills = json::array();
    for (const PlayerSkill& s : p.Skill)
        skills.push_back(
            {{"Known", s.Known}, {"Value", s.Value}, {"Raises", s.Raises}, {"XPToRaise", s.XPToRaise}});
    json carry = json::array();
    for (const Item& i : p.Carry)
        carry.push_back(item(i));
    return {{"Active", p.Active},
            {"MonsterType", p.MonsterType},
            {"Name", paddedName(p.Name)},
            {"X", p.X},
            {"Y", p.Y},
            {"HomeX", p.HomeX},
            {"HomeY", p.HomeY},
            {"Image", p.Image},
            {"Facing", p.Facing},
            {"Level", p.Level},
            {"NextLevelXP", p.NextLevelXP},
            {"XP", p.XP},
            {"SpendableXP", p.SpendableXP},
            {"Life", p.Life},
            {"MaxLife", p.MaxLife},
            {"Stamina", p.Stamina},
            {"MaxStamina", p.MaxStamina},
            {"SightRange", p.SightRange},
            {"Skill", skills},
            {"NextMoveTime", p.NextMoveTime},
            {"NextAttackTime", p.NextAttackTime},
            {"InCombat", p.InCombat},
            {"CombatPenalty", p.CombatPenalty},
            {"Gold", p.Gold},
            {"Carry", carry},
            {"WeaponSlot", p.WeaponSlot},
            {"ArmorSlot", p.ArmorSlot}};
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
    const StatusPanel& s = g.status;
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
            {"scroll", g.carryScroll}};
}

} // namespace

json dumpState(Game& g, bool withLayers) {
    json players = json::array();
    for (const Player& p : g.Players)
        players.push_back(player(p));

    json items = json::array();
    for (int32_t i = 1; i <= g.Items.ubound(); ++i) {
        const Item& it = g.Items(i);
        if (it.InUse)
            items.push_back({{"index", i}, {"ID", it.ID}, {"X", it.X}, {"Y", it.Y}, {"Spare", it.Spare}});
    }

    json itemTypes = json::array();
    for (const ItemType& t : g.ItemTypes)
        itemTypes.push_back({{"Name", text(t.Name)},
                             {"Image", t.Image},
                             {"BlockMovement", t.BlockMovement},
                             {"Movable", t.Movable},
                             {"Damage", t.Damage},
                             {"Armor", t.Armor}});

    json monsterTypes = json::array();
    for (const MonsterInfo& m : g.MonsterTypes)
        monsterTypes.push_back({{"Name", text(m.Name)},
                                {"Level", m.Level},
                                {"Image", m.Image},
                                {"Life", m.Life},
                                {"Stamina", m.Stamina},
                                {"SightRange", m.SightRange},
                                {"Melee", m.Melee},
                                {"DeadItem", m.DeadItem},
                                {"SoundID", m.SoundID}});

    json skills = json::array();
    for (const SkillInfo& s : g.Skills)
        skills.push_back({{"Name", text(s.Name)}, {"Description", text(s.Description)}});

    json messages = json::array();
    for (const Message& m : g.Messages)
        messages.push_back(
            {{"InUse", m.InUse}, {"Text", text(m.Text)}, {"Color", m.Color}, {"Time", m.Time}});
    json log = json::array();
    for (const LoggedMessage& m : g.log.lines())
        log.push_back({{"Text", text(m.Text)}, {"Color", m.Color}});
    json damages = json::array();
    for (const DamageNumber& d : g.Damages)
        damages.push_back(
            {{"InUse", d.InUse}, {"X", d.X}, {"Y", d.Y}, {"Amount", d.Amount}, {"Time", d.Time}});

    json state = {{"CurrentPlayer", g.CurrentPlayer},
                  {"ViewX", g.ViewX},
                  {"ViewY", g.ViewY},
                  {"MapName", text(g.MapName)},
                  {"MapLower", text(g.MapLower)},
                  {"MapUpper", text(g.MapUpper)},
                  {"StartX", g.StartX},
                  {"StartY", g.StartY},
                  {"Caption", text(g.Caption)},
                  {"paused", g.paused},
                  {"overview", g.overview},
                  {"unsaved", g.unsavedChanges},
                  {"Clock", g.now()},
                  {"Players", players},
                  {"ItemsUBound", g.Items.ubound()},
                  {"Items", items},
                  {"ItemTypes", itemTypes},
                  {"MonsterTypes", monsterTypes},
                  {"Skills", skills},
                  {"Messages", messages},
                  {"Log", log},
                  {"Damages", damages},
                  {"Status", status(g)},
                  {"Sounds", g.soundLoaded}};
    if (withLayers) {
        auto same = [](auto v) { return v; };
        state["MapItem"] = layer(g.MapItem, same);
        state["MapPlayer"] = layer(g.MapPlayer, same);
        state["MapVisible"] = layer(g.MapVisible, [](bool v) { return v; });
        state["MapLight"] = layer(g.MapLight, same);
    }
    return state;
}

} // namespace gf
