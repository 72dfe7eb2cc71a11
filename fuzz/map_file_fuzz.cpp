// Any bytes as a level file, built over the shipped catalogues with the
// user's creature already standing on the map, as when stairs are taken.
#include "fuzz_game.h"
#include "invariants.h"
#include "map/map_file.h"

using namespace gf;

namespace {

struct Target {
    Target() { fuzz::startOnFirstLevel(f); }
    fuzz::FuzzGame f;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Target t;
    Game& g = t.f.game;
    const int32_t user = g.creatures.current;
    const std::string path = t.f.folder.write("fuzz.map", data, size);
    loadLevel(g, path);
    const std::string fault = checkInvariants(g);
    fuzz::require(fault.empty(), fault);
    // Only the user's creature crosses into the new level, on its own cell.
    fuzz::require(g.creatures.current == user &&
                      g.level.creatureAt(g.creatures(user).x, g.creatures(user).y) == user,
                  "the user's creature was lost building the level");
    t.f.forget();
    return 0;
}
