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
    if (a.ubound() != b.ubound()) return false;
    for (int32_t i = 1; i <= a.ubound(); ++i)
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
        start = Snapshot{g.Players,    g.Items,    g.itemFreeHint,  g.MapItem, g.MapPlayer,
                         g.MapVisible, g.MapLight, g.CurrentPlayer, g.ViewX,   g.ViewY};
    }
    // Every run starts from the same game, so a finding replays alone.
    void restart() {
        Game& g = f.game;
        g.Players = start.Players;
        g.Items = start.Items;
        g.itemFreeHint = start.itemFreeHint;
        g.MapItem = start.MapItem;
        g.MapPlayer = start.MapPlayer;
        g.MapVisible = start.MapVisible;
        g.MapLight = start.MapLight;
        g.CurrentPlayer = start.CurrentPlayer;
        g.ViewX = start.ViewX;
        g.ViewY = start.ViewY;
        players = &g.Players(1);
        items = &g.Items(1);
    }
    bool unchanged() const {
        const Game& g = f.game;
        const auto samePlayer = [](const Player& a, const Player& b) {
            return a.Active == b.Active && a.MonsterType == b.MonsterType && a.X == b.X && a.Y == b.Y &&
                   a.Gold == b.Gold && a.Name == b.Name;
        };
        const auto sameItem = [](const Item& a, const Item& b) {
            return a.InUse == b.InUse && a.ID == b.ID && a.X == b.X && a.Y == b.Y;
        };
        return &g.Players(1) == players && &g.Items(1) == items && g.CurrentPlayer == start.CurrentPlayer &&
               g.ViewX == start.ViewX && g.ViewY == start.ViewY &&
               sameTable(g.Players, start.Players, samePlayer) && sameTable(g.Items, start.Items, sameItem) &&
               sameLayer(g.MapItem, start.MapItem) && sameLayer(g.MapPlayer, start.MapPlayer);
    }
    struct Snapshot {
        Table<Player> Players;
        Table<Item> Items;
        int32_t itemFreeHint = 0;
        Layer<int32_t> MapItem, MapPlayer;
        Layer<bool> MapVisible;
        Layer<int16_t> MapLight;
        int32_t CurrentPlayer = 0, ViewX = 0, ViewY = 0;
    };
    fuzz::FuzzGame f;
    Snapshot start;
    const Player* players = nullptr; // where the running game's tables live
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
        fuzz::require(g.CurrentPlayer != 0, "a load succeeded without a user's creature");
        fuzz::require(g.ViewX == g.player(g.CurrentPlayer).X && g.ViewY == g.player(g.CurrentPlayer).Y,
                      "the view is not centred on the loaded creature");
        fuzz::require(g.MapVisible.exists() && g.MapLight.exists(), "a load left layers missing");
    } else {
        fuzz::require(t.unchanged(), "a refused load changed the game");
    }
    t.f.forget();
    return 0;
}
