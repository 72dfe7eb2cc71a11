// Any bytes as monster.ini, read after the shipped item catalogue as start-up reads it.
#include "creatures/monster_catalogue.h"
#include "fuzz_game.h"

using namespace gf;

namespace {

struct Target {
    Target() { fuzz::loadShippedCatalogues(f); }
    fuzz::FuzzGame f;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Target t;
    t.f.folder.write("monster.ini", data, size);
    loadMonsterCatalogue(t.f.game);
    t.f.forget();
    return 0;
}
