// Any bytes as a saved game, loaded over a game in play: a load either
// replaces the game with a consistent one or changes nothing at all.
#include "fuzz_game.h"
#include "invariants.h"
#include "savegame/savegame.h"

using namespace gf;

namespace {

// A refused load must leave the game exactly as it was: the tables in the
// same storage, every entry and every cell as before.
template <class T, class Same> bool sameTable(const Table<T>& a, const Table<T>& b, Same same) {
    if (a.size() != b.size()) return false;
    for (int32_t i = 1; i <= a.size(); ++i)
        if (!same(a(i), b(i))) return false;
    return true;
}

template <class T> bool sameLayer(const Layer<T>& a, const Layer<T>& b) {
    for (int32_t y = 0; y <= kMapUpper; ++y)
        for (int32_t x = 0; x <= kMapUpper; ++x)
            if (a(x, y) != b(x, y)) return false;
    return true;
}

struct Target {
    Target() {
        fuzz::startOnFirstLevel(f);
        const Game& g = f.game;
        start = Snapshot{g.creatures, g.items, g.level, g.screen.viewX, g.screen.viewY};
    }
    // Every run starts from the same game, so a finding replays alone.
    void restart() {
        Game& g = f.game;
        g.creatures = start.creatures;
        g.items = start.items;
        g.level = start.level;
        g.screen.viewX = start.viewX;
        g.screen.viewY = start.viewY;
        players = &g.creatures(1);
        items = &g.items(1);
    }
    bool unchanged() const {
        const Game& g = f.game;
        const auto samePlayer = [](const Creature& a, const Creature& b) {
            return a.active == b.active && a.monsterType == b.monsterType && a.x == b.x && a.y == b.y &&
                   a.gold == b.gold && a.name == b.name;
        };
        const auto sameItem = [](const Item& a, const Item& b) {
            return a.inUse == b.inUse && a.id == b.id && a.x == b.x && a.y == b.y;
        };
        return &g.creatures(1) == players && &g.items(1) == items &&
               g.creatures.current == start.creatures.current && g.screen.viewX == start.viewX &&
               g.screen.viewY == start.viewY && sameTable(g.creatures, start.creatures, samePlayer) &&
               sameTable(g.items, start.items, sameItem) && sameLayer(g.level.itemAt, start.level.itemAt) &&
               sameLayer(g.level.creatureAt, start.level.creatureAt);
    }
    struct Snapshot {
        CreatureTable creatures;
        ItemTable items;
        Level level;
        int32_t viewX = 0, viewY = 0;
    };
    fuzz::FuzzGame f;
    Snapshot start;
    const Creature* players = nullptr; // where the running game's tables live
    const Item* items = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Target t;
    Game& g = t.f.game;
    t.restart();
    const std::string path = t.f.folder.write("fuzz.saved", data, size);
    if (loadGameFile(g, path)) {
        const std::string fault = checkInvariants(g);
        fuzz::require(fault.empty(), fault);
        fuzz::require(g.creatures.current != 0, "a load succeeded without a user's creature");
        fuzz::require(g.screen.viewX == g.creatures(g.creatures.current).x &&
                          g.screen.viewY == g.creatures(g.creatures.current).y,
                      "the view is not centred on the loaded creature");
        fuzz::require(g.level.visible.exists() && g.level.light.exists(), "a load left layers missing");
    } else {
        fuzz::require(t.unchanged(), "a refused load changed the game");
    }
    t.f.forget();
    return 0;
}
