#include "fuzz_game.h"

#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "creatures/skills.h"
#include "items/item_catalogue.h"
#include "map/map_file.h"

namespace gf::fuzz {

FuzzGame::FuzzGame() : game(io.platform(), folder.path.string()) {}

void loadShippedCatalogues(FuzzGame& f) {
    f.folder.copyData("item.ini");
    f.folder.copyData("monster.ini");
    loadItemCatalogue(f.game);
    createCreatureTable(f.game.creatures);
    loadMonsterCatalogue(f.game);
    initSkills(f.game);
    require(f.io.log.of("msgbox").empty(), "the shipped catalogues do not load cleanly");
    f.forget();
}

void startOnFirstLevel(FuzzGame& f) {
    loadShippedCatalogues(f);
    f.folder.copyData("murkhol1.map");
    f.io.window.inputAnswers.push_back("Fuzz");
    loadLevel(f.game, (f.folder.path / "murkhol1.map").string());
    createUser(f.game);
    require(f.game.creatures.current != 0, "the shipped level has no user's creature");
    f.forget();
}

} // namespace gf::fuzz
