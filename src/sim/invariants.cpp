#include "invariants.h"

#include "state/game.h"

#include <sstream>

namespace gf {

namespace {

std::string cell(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// Each nonzero cell names a live entry standing there, and each live entry is named by its cell.
template <class Entry, class Live>
std::string layerAgrees(Layer<int32_t>& layer, Table<Entry>& table, Live live, const char* what) {
    if (!layer.exists()) return {};
    for (int y = 0; y <= kMapUpper; ++y)
        for (int x = 0; x <= kMapUpper; ++x) {
            const int32_t i = layer(x, y);
            if (i == 0) continue;
            if (!table.valid(i) || !live(table(i)) || table(i).x != x || table(i).y != y)
                return std::string(what) + " layer at " + cell(x, y) + " names entry " + std::to_string(i) +
                       " which is not there";
        }
    for (int32_t i = 1; i <= table.size(); ++i) {
        const Entry& e = table(i);
        if (!live(e)) continue;
        if (e.x < 0 || e.x > kMapUpper || e.y < 0 || e.y > kMapUpper || layer(e.x, e.y) != i)
            return std::string(what) + " entry " + std::to_string(i) + " at " + cell(e.x, e.y) +
                   " is not named by its cell";
    }
    return {};
}

} // namespace

std::string checkInvariants(Game& g) {
    std::string fault = layerAgrees(
        g.level.itemAt, g.items, [](const Item& i) { return i.inUse; }, "item");
    if (fault.empty())
        fault = layerAgrees(
            g.level.creatureAt, g.creatures, [](const Creature& p) { return p.active; }, "creature");
    if (!fault.empty()) return fault;
    if (g.creatures.current != 0) {
        if (!g.creatures.valid(g.creatures.current) || !g.creatures(g.creatures.current).active ||
            g.creatures(g.creatures.current).monsterType != 0)
            return "CurrentPlayer " + std::to_string(g.creatures.current) +
                   " is not an active user's creature";
    }
    return {};
}

std::string checkLifeWithinMaximum(Game& g) {
    for (int32_t i = 1; i <= g.creatures.size(); ++i) {
        const Creature& p = g.creatures(i);
        if (p.active && p.life > p.maxLife)
            return "creature " + std::to_string(i) + " has " + std::to_string(p.life) + " of " +
                   std::to_string(p.maxLife) + " life after a refresh";
    }
    return {};
}

} // namespace gf
