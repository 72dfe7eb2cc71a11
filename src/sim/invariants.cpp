#include "invariants.h"

#include "shell/game.h"

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
            if (!table.valid(i) || !live(table(i)) || table(i).X != x || table(i).Y != y)
                return std::string(what) + " layer at " + cell(x, y) + " names entry " + std::to_string(i) +
                       " which is not there";
        }
    for (int32_t i = 1; i <= table.ubound(); ++i) {
        const Entry& e = table(i);
        if (!live(e)) continue;
        if (e.X < 0 || e.X > kMapUpper || e.Y < 0 || e.Y > kMapUpper || layer(e.X, e.Y) != i)
            return std::string(what) + " entry " + std::to_string(i) + " at " + cell(e.X, e.Y) +
                   " is not named by its cell";
    }
    return {};
}

} // namespace

std::string checkInvariants(Game& g) {
    std::string fault = layerAgrees(
        g.MapItem, g.Items, [](const Item& i) { return i.InUse; }, "item");
    if (fault.empty())
        fault = layerAgrees(
            g.MapPlayer, g.Players, [](const Player& p) { return p.Active; }, "creature");
    if (!fault.empty()) return fault;
    if (g.CurrentPlayer != 0) {
        if (!g.Players.valid(g.CurrentPlayer) || !g.player(g.CurrentPlayer).Active ||
            g.player(g.CurrentPlayer).MonsterType != 0)
            return "CurrentPlayer " + std::to_string(g.CurrentPlayer) + " is not an active user's creature";
    }
    return {};
}

std::string checkLifeWithinMaximum(Game& g) {
    for (int32_t i = 1; i <= g.Players.ubound(); ++i) {
        const Player& p = g.player(i);
        if (p.Active && p.Life > p.MaxLife)
            return "creature " + std::to_string(i) + " has " + std::to_string(p.Life) + " of " +
                   std::to_string(p.MaxLife) + " life after a refresh";
    }
    return {};
}

} // namespace gf
